// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The faces the windows name, the free fonts the program ships in their
// place, and those fonts' own glyph widths: every front end draws with the
// same files, and the scene lays text out from the same widths.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "shell/layer/basic.h"

namespace arcadeon::scene {

struct ShippedFace {
    std::string_view face;     // as the layouts name it; empty for the dialog font
    std::string_view file;     // in assets/fonts
    std::string_view webFile;  // the page's copy, in assets/fonts/web (tools/web-fonts)
    std::string_view family;   // the family the page registers its copy as, the copy's own name
    int weight;                // the file's own weight; 0 keeps the one asked for
};

// The one font table. The last row, the dialog font, also stands in for a
// face the program does not ship: the closest it has. The page's copies hold
// only the characters the program measures and are renamed, as a modified
// font must be.
inline constexpr std::array<ShippedFace, 4> kFaces{{
    {"Arial Black", "Lato-Black.ttf", "Lato-Black.woff2", "Arcadeon Heavy", 900},      // a heavy sans-serif
    {"Old English Text MT", "Blankenburg.ttf", "Blankenburg.woff2", "Arcadeon Blackletter", 0},  // blackletter
    {"ISOCPEUR", "osifont.ttf", "osifont.woff2", "Arcadeon Technical", 0},  // ISO 3098 technical lettering
    {"", "LiberationSans-Regular.ttf", "LiberationSans-Regular.woff2", "Arcadeon Sans", 0},  // the default dialog font
}};

// A font as drawn: which shipped face, at which weight, at how many pixels
// (its points at 96 pixels an inch, rounded as the layouts meant them).
struct DrawnFont {
    int face = 0;  // index into kFaces
    int weight = 400;
    int pixels = 11;
    constexpr bool operator==(const DrawnFont&) const = default;
};
[[nodiscard]] DrawnFont drawnFont(const Font& font);

// Widths and heights of a face in its design units, for the characters
// U+0020 to U+00FF; any other character is as wide as `missing`.
struct FaceMetrics {
    static constexpr char32_t kFirst = 0x20, kLast = 0xFF;
    int unitsPerEm = 1000;
    int ascender = 800;   // above the baseline
    int descender = 200;  // below it, as a positive number
    std::array<std::uint16_t, kLast - kFirst + 1> advances{};
    std::uint16_t missing = 0;

    [[nodiscard]] int advance(char32_t c) const {
        return c >= kFirst && c <= kLast ? advances[c - kFirst] : missing;
    }
    bool operator==(const FaceMetrics&) const = default;
};

// The shipped faces' metrics, in the order of kFaces.
[[nodiscard]] const FaceMetrics& faceMetrics(int face);

// Reads the metrics of a TrueType or OpenType font file (its head, hhea,
// hmtx and cmap tables); none for a file it cannot read.
[[nodiscard]] std::optional<FaceMetrics> readFaceMetrics(std::span<const std::uint8_t> file);

// Text measured in a drawn font, in pixels; and in the line's steps.
class Measure {
public:
    explicit Measure(const DrawnFont& font) : metrics_(faceMetrics(font.face)), pixels_(font.pixels) {}
    // The advance of UTF-8 text, glyph by glyph, without kerning.
    [[nodiscard]] double width(std::string_view text) const;
    [[nodiscard]] double ascent() const { return scaled(metrics_.ascender); }
    [[nodiscard]] double height() const { return scaled(metrics_.ascender + metrics_.descender); }

private:
    [[nodiscard]] double scaled(int units) const { return static_cast<double>(units) * pixels_ / metrics_.unitsPerEm; }
    const FaceMetrics& metrics_;
    int pixels_;
};

// The next character of UTF-8 text at `at`, which moves past it; a byte
// that starts no valid character is taken as U+FFFD.
[[nodiscard]] char32_t nextCharacter(std::string_view text, std::size_t& at);

}  // namespace arcadeon::scene
