// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures as every front end draws them: decoded to RGBA, scaled by one
// rule to the device pixels they cover, and kept only at those sizes.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/scene/geometry.h"

namespace arcadeon::scene {

// Pixels in rows from the top, four bytes each: red, green, blue, alpha
// (not premultiplied). Drawn pictures are opaque or fully transparent pixel
// by pixel, with a transparent pixel all zero, so that every front end
// blends them alike, premultiplied or not.
struct Bitmap {
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgba;

    [[nodiscard]] bool empty() const { return width <= 0 || height <= 0; }
    [[nodiscard]] bool opaque() const;
};

struct Size {
    int width = 0, height = 0;
    bool operator==(const Size&) const = default;
};

// The pictures the program decodes itself: uncompressed BMP files of 24 or
// 32 bits a pixel, bottom-up or top-down. A 32-bit file whose header gives
// an alpha mask keeps its alpha; otherwise the fourth byte means nothing.
// An empty bitmap for any other file.
[[nodiscard]] Bitmap decodeBmp(std::span<const std::uint8_t> file);

// The one scaling rule: each device pixel is the average of the picture's
// pixels under it, weighted by how much of each it covers and by their
// alpha; it is opaque when at least half of it is covered. Computed in
// whole numbers, so that every front end gets the same pixels. `part` is
// the piece of the scaled picture wanted, in its own pixels.
[[nodiscard]] Bitmap scaled(const Bitmap& picture, Size size, Rect part);
[[nodiscard]] inline Bitmap scaled(const Bitmap& picture, Size size) {
    return scaled(picture, size, {0, 0, size.width, size.height});
}

// The largest side a scaled picture is kept at; a larger one is scaled, as
// it is drawn, for the part that shows.
inline constexpr int kLargestKept = 4096;

// Every picture of the program by its name in assets/, decoded on first
// use by the front end's loader (which may hand over an empty bitmap for a
// picture it cannot read: it draws nothing).
class Pictures {
public:
    using Loader = std::function<Bitmap(std::string_view name)>;
    explicit Pictures(Loader load) : load_(std::move(load)) {}

    // The picture's own size in pixels; none when there is no such picture.
    [[nodiscard]] std::optional<Size> natural(std::string_view name);
    // The picture scaled to `size`, kept for the next time.
    [[nodiscard]] const Bitmap& at(std::string_view name, Size size);
    // Lets go of every scaled copy but those named: the pictures of the
    // windows on the screen, at the sizes they are drawn.
    void retain(const std::vector<std::pair<std::string_view, Size>>& inUse);
    // The sizes at which a picture is kept.
    [[nodiscard]] std::vector<Size> kept(std::string_view name) const;

private:
    const Bitmap& decoded(std::string_view name);

    Loader load_;
    std::map<std::string, Size, std::less<>> sizes_;
    std::map<std::pair<std::string, std::pair<int, int>>, Bitmap, std::less<>> drawn_;
    std::string decodedName_;  // the last picture decoded, kept while it is being scaled
    Bitmap decoded_;
};

}  // namespace arcadeon::scene
