// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the web page is handed, kept on the program's side: the pictures the
// page loaded, and each window's scene as the page last drew it, so that the
// page hears only of what changed. Plain C++, built natively for the tests;
// page.cpp exports it to the page.
#pragma once

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/layer/app.h"
#include "shell/scene/scene.h"

namespace arcadeon::web {

// The pictures the page registered, by their names in assets/: BMP files
// as the page fetched them, decoded here, and pictures the browser decoded
// itself (the JPEG files) as RGBA.
class PictureShelf {
public:
    // False, and nothing kept, for a file the program does not decode.
    bool addFile(std::string_view name, std::span<const std::uint8_t> file);
    // False, and nothing kept, when the pixels are not width × height × 4 bytes.
    bool addRgba(std::string_view name, int width, int height, std::span<const std::uint8_t> rgba);
    // The picture of that name; an empty bitmap for one never registered.
    [[nodiscard]] scene::Bitmap load(std::string_view name) const;

private:
    std::map<std::string, scene::Bitmap, std::less<>> bitmaps_;
};

// Every picture the windows' layouts name, each once, in the order named.
[[nodiscard]] std::vector<std::string> picturesNamed(const std::vector<Form*>& forms);

// The file the page fetches for a picture, in its assets/ folder: an
// opaque PNG's lossless WebP copy (tools/web-pictures), any other picture
// as it is.
[[nodiscard]] std::string pageFileOf(std::string_view picture);

// What a window needs before it can be drawn: the pictures its layout
// names and the faces its texts are drawn in (indexes into
// scene::kFaces), each once. The page waits for these, and no more, to
// draw the window.
struct WindowFiles {
    std::vector<std::string> pictures;
    std::vector<int> faces;
};
[[nodiscard]] WindowFiles filesOf(const FormLayout& layout);

// Both as the page reads them, JSON: {"pictures": {NAME: FILE, ...},
// "windows": {FORM: {"pictures": [NAME, ...], "faces": [FACE, ...]}, ...}},
// every picture named with the file of assets/ the page takes it from.
[[nodiscard]] std::string filesJson(const std::vector<Form*>& forms);

// The words an update hands the page: a header {kUpdateMagic, windows,
// flags (kEnded, kBoxOpen), active window (-1 none), words in all}, then for
// each loaded window {form index, visible, active, load serial, place in
// the stack (0 the back, -1 none), client width, client height (device
// pixels; 0 while hidden), damaged rectangles} and 4 words {x, y, w, h} a
// rectangle. A window with no rectangle is drawn as it was.
inline constexpr std::int32_t kUpdateMagic = 0x41535531;  // "ASU1"
inline constexpr int kUpdateHeaderWords = 5, kWindowWords = 8;
inline constexpr std::int32_t kEnded = 1, kBoxOpen = 2;

// The scenes of the windows as last handed to the page.
class Scenes {
public:
    // `forms`: every window of the program, index i naming forms[i].
    Scenes(const App& app, std::vector<Form*> forms, scene::Pictures& pictures)
        : app_(app), forms_(std::move(forms)), pictures_(pictures), kept_(forms_.size()), fits_(forms_.size(), 1.0) {}

    // Window `form` shown at `fit` of its size (kSmallestFit to 1): its
    // scene made at that fraction of the ratio an update is asked for, so
    // that a window too large for the page is drawn smaller and crisp; a
    // window loaded again starts at 1. False, and nothing changed, for an
    // unknown window or a fit out of range.
    bool setFit(int form, double fit);
    static constexpr double kSmallestFit = 1.0 / 64.0;

    // Makes each visible window's scene at `ratio` times its fit with `pressed` held
    // down, and tells what differs from what the page last drew (all of a
    // window shown afresh: loaded again, shown again or never drawn).
    // Hidden windows keep no scene. Pictures not in any scene are let go.
    [[nodiscard]] const std::vector<std::int32_t>& update(double ratio, const Element* pressed);

    // The scene of window `form` as the last update made it, encoded
    // (scene::encode); empty for a window hidden or unknown.
    [[nodiscard]] const std::vector<std::int32_t>& encoded(int form);

    // The scene of window `form` made again now from the model, at the
    // ratio the last update made it at, and with `pressed` held down, encoded; what
    // the page shows must be this, however it was drawn. Empty for a window
    // hidden or unknown.
    [[nodiscard]] std::vector<std::int32_t> fresh(int form, const Element* pressed) const;

    // The scene itself, for the tests; nullptr when there is none.
    [[nodiscard]] const scene::Scene* sceneOf(int form) const;

private:
    struct Kept {
        std::uint64_t serial = 0;
        scene::Shown shown;
        std::vector<std::int32_t> encoded;  // made when first asked for
        std::uint64_t encodedVersion = 0;   // of the scene it was made from
        double ratio = 1;                   // the scene's, at the last update
    };

    const App& app_;
    std::vector<Form*> forms_;
    scene::Pictures& pictures_;
    std::vector<Kept> kept_;
    std::vector<double> fits_;
    std::vector<std::int32_t> words_;
};

// A text as a JSON string, quotes included.
[[nodiscard]] std::string jsonString(std::string_view text);

}  // namespace arcadeon::web
