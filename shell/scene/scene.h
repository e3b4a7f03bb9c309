// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a window shows, in device pixels and in drawing order: filled
// rectangles, pictures and runs of text. Every rule of drawing lives in the
// scene; a front end only executes it, so every front end shows the same.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/layer/form.h"
#include "shell/scene/fonts.h"
#include "shell/scene/geometry.h"
#include "shell/scene/pictures.h"

namespace arcadeon::scene {

// A colour as drawn: 0xRRGGBB.
using Rgb = std::uint32_t;
[[nodiscard]] constexpr Rgb rgbOf(Color color) {
    const Color rgb = resolveColor(color);
    return (rgb & 0xFFu) << 16 | (rgb & 0xFF00u) | (rgb >> 16 & 0xFFu);
}

enum class ItemKind : std::uint8_t { Fill, Picture, Text };

// One thing to draw. `rect` is every device pixel the item may touch,
// inside the client area: the pixels a fill covers, the part of a picture
// that shows, the box a run of text is clipped to.
struct Item {
    ItemKind kind = ItemKind::Fill;
    int owner = -1;  // the element's place in its window's list; -1 the window itself
    Rect rect;
    Rgb colour = 0;  // of a fill, of the glyphs of a text run
    // A picture: the whole of it, scaled to `target`, shows where it meets `rect`.
    std::string_view picture;
    Rect target;
    // A run of text: its glyphs from (x, baseline), in `font`.
    int x = 0, baseline = 0;
    DrawnFont font;
    std::string text;

    bool operator==(const Item&) const = default;
};

struct Scene {
    double ratio = 1.0;
    Rect client;  // the client area: (0, 0) and its size in device pixels
    std::vector<Item> items;  // from the back to the front, the window's background first

    bool operator==(const Scene&) const = default;
};

// How a window is drawn beside its own state.
struct View {
    double ratio = 1.0;               // device pixels a pixel
    bool active = false;              // the active window: its focus shows
    const Element* pressed = nullptr;  // a command button held down under the pointer
};

// The scene of `form` as it stands: its background, then its visible
// elements from the back of the list to the front, then its command and
// option buttons above everything, among themselves in list order too.
[[nodiscard]] Scene sceneOf(const Form& form, const View& view, Pictures& pictures);

// The device pixels that differ between two scenes of one window, as
// rectangles: the old and the new place of every element drawn otherwise;
// the whole client area when the window's size or background changed.
// Nothing when nothing changed.
[[nodiscard]] std::vector<Rect> damage(const Scene& before, const Scene& after);

// The scene a window shows. A new scene replaces it and says what to draw
// again: the whole client area when none was shown, what differs
// otherwise, nothing when nothing changed.
class Shown {
public:
    [[nodiscard]] std::vector<Rect> show(Scene now);
    // The scene shown; nullptr when none is (never drawn, or forgotten).
    [[nodiscard]] const Scene* scene() const { return scene_ ? &*scene_ : nullptr; }
    // Hidden or gone: shown again, the window is drawn whole.
    void forget() { scene_.reset(); }
    // Counts the scenes shown so far: what was made from one (its words)
    // is stale once this moves on.
    [[nodiscard]] std::uint64_t version() const { return version_; }

private:
    std::optional<Scene> scene_;
    std::uint64_t version_ = 0;
};

// The pictures a scene draws, each at the size it is drawn.
[[nodiscard]] std::vector<std::pair<std::string_view, Size>> picturesOf(const Scene& scene);

// The scene as 32-bit words for a front end that reads it from memory: a
// header {kMagic, item count, client width, client height, words in all},
// then per item kWordsPerItem words {kind, owner, x, y, w, h, colour, a, b,
// c, d, e, f}, then the texts' UTF-8 bytes. A fill has no more; a picture
// a = its name's offset in the bytes, b = its length, c..f the target; a
// text run a = its offset, b = its length, c = x, d = baseline, e = face +
// 16 * weight, f = pixels.
inline constexpr std::int32_t kMagic = 0x41534331;  // "ASC1"
inline constexpr int kHeaderWords = 5, kWordsPerItem = 13;
[[nodiscard]] std::vector<std::int32_t> encode(const Scene& scene);

}  // namespace arcadeon::scene
