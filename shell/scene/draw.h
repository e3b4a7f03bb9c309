// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces a scene is made of: filled rectangles and runs of pixels,
// curves row by row, text laid out from the shipped fonts' widths.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/scene/scene.h"

namespace arcadeon::scene {

// Adds items to a scene for one owner at a time, clipped to the client area.
class Builder {
public:
    explicit Builder(Scene& scene) : scene_(scene) {}
    void owner(int index) { owner_ = index; }
    [[nodiscard]] const Rect& client() const { return scene_.client; }

    void fill(const Rect& rect, Rgb colour);
    // The pixels of one row from `left` up to `right`, joined to the fill
    // just above when it is the same run one row up.
    void run(int row, int left, int right, Rgb colour);
    // A one-pixel frame of `width` device pixels along the inside of `rect`:
    // top and left in `light`, then bottom and right in `dark` over them.
    void frame(const Rect& rect, int width, Rgb light, Rgb dark);
    // Dots of `size` device pixels along the inside of `rect`, every other one.
    void dots(const Rect& rect, int size, Rgb colour);
    void picture(std::string_view name, const Rect& target);
    void text(const Rect& box, int x, int baseline, const DrawnFont& font, std::string text, Rgb colour);

private:
    // A new item of the current owner, on `shown` (inside the client area).
    Item& add(ItemKind kind, const Rect& shown, Rgb colour);

    Scene& scene_;
    int owner_ = -1;
};

// A closed curve as the pixels whose centres lie inside it, row by row.
class Curve {
public:
    enum class Kind : std::uint8_t { Ellipse, RoundedRect };
    // An ellipse filling `box`; a rectangle with corners of `radius` device pixels.
    static Curve ellipse(const Rect& box) { return {Kind::Ellipse, box, 0}; }
    static Curve roundedRect(const Rect& box, double radius) { return {Kind::RoundedRect, box, radius}; }

    [[nodiscard]] const Rect& box() const { return box_; }
    // The pixels of `row` inside the curve, [left, right); none when none are.
    [[nodiscard]] std::optional<std::pair<int, int>> span(int row) const;

private:
    Curve(Kind kind, const Rect& box, double radius) : kind_(kind), box_(box), radius_(radius) {}
    Kind kind_;
    Rect box_;
    double radius_;
};

// The fill patterns of a shape's interior (`FillStyle` 0 solid, 2 to 7
// hatched; 1 and anything else draw nothing): whether the pixel is set.
// Hatch lines lie every 8 pixels, one pixel wide, at the grid's density.
[[nodiscard]] bool patternSet(int fillStyle, int x, int y, const Grid& grid);

// Fills the pixels of `row` from `left` to `right` that `colourAt` gives a
// colour, one run for each stretch of the same colour.
void runsOf(Builder& out, int row, int left, int right, const std::function<std::optional<Rgb>(int x)>& colourAt);

// A caption's lines: broken at blanks where the next word would pass
// `width` pixels; a word longer than the width keeps a line of its own.
[[nodiscard]] std::vector<std::string> wrapAtBlanks(std::string_view text, const Measure& measure, double width);

}  // namespace arcadeon::scene
