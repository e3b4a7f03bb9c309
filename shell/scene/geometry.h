// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Twips and device pixels: the one place that knows a pixel is 15 twips,
// and how twips land on the device pixels of a screen of any density.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "shell/layer/basic.h"

namespace arcadeon::scene {

// 1440 twips an inch at 96 pixels an inch.
inline constexpr int kTwipsPerPixel = 15;

// A rectangle of device pixels, half-open: it covers the pixels from
// (x, y) up to, not including, (x + w, y + h).
struct Rect {
    int x = 0, y = 0, w = 0, h = 0;

    [[nodiscard]] constexpr bool empty() const { return w <= 0 || h <= 0; }
    [[nodiscard]] constexpr int right() const { return x + w; }
    [[nodiscard]] constexpr int bottom() const { return y + h; }
    [[nodiscard]] constexpr Rect intersected(const Rect& o) const {
        const int x0 = std::max(x, o.x), y0 = std::max(y, o.y);
        const int x1 = std::min(right(), o.right()), y1 = std::min(bottom(), o.bottom());
        return x1 > x0 && y1 > y0 ? Rect{x0, y0, x1 - x0, y1 - y0} : Rect{};
    }
    [[nodiscard]] constexpr bool intersects(const Rect& o) const { return !intersected(o).empty(); }
    // The smallest rectangle holding both; an empty one adds nothing.
    [[nodiscard]] constexpr Rect united(const Rect& o) const {
        if (empty()) return o;
        if (o.empty()) return *this;
        const int x0 = std::min(x, o.x), y0 = std::min(y, o.y);
        return {x0, y0, std::max(right(), o.right()) - x0, std::max(bottom(), o.bottom()) - y0};
    }
    [[nodiscard]] constexpr bool contains(const Rect& o) const {
        return o.empty() || (o.x >= x && o.y >= y && o.right() <= right() && o.bottom() <= bottom());
    }
    constexpr bool operator==(const Rect&) const = default;
};

// Twips to device pixels at a ratio of device pixels to pixels: every edge
// goes to the nearest device pixel, so an element keeps its layout at any
// density and its edges stay crisp.
class Grid {
public:
    explicit Grid(double ratio) : ratio_(ratio > 0 && std::isfinite(ratio) ? ratio : 1.0) {}

    [[nodiscard]] double ratio() const { return ratio_; }

    // The device pixel edge nearest to `twips`, halves away from zero;
    // far outside any screen for twips no screen shows (NaN included).
    [[nodiscard]] int edge(Twips twips) const {
        constexpr double kFar = 1e6;
        double device = static_cast<double>(twips) * ratio_ / kTwipsPerPixel;
        if (!(device > -kFar)) device = -kFar;
        device = std::min(device, kFar);
        return static_cast<int>(std::lround(device));
    }

    // The device pixels of a rectangle given by its edges in twips.
    [[nodiscard]] Rect rect(Twips left, Twips top, Twips width, Twips height) const {
        const int x0 = edge(left), y0 = edge(top);
        return {x0, y0, edge(left + width) - x0, edge(top + height) - y0};
    }

    // One pixel's width of line that starts at `twips`: from its edge to the
    // edge one pixel (15 twips) further, and at least one device pixel.
    [[nodiscard]] int lineStart(Twips twips) const { return edge(twips); }
    [[nodiscard]] int lineEnd(Twips twips) const { return std::max(edge(twips + kTwipsPerPixel), edge(twips) + 1); }

    // A length of whole pixels in device pixels, at least one: the width of
    // a button's edge, a focus dot, an underline.
    [[nodiscard]] int pixels(int count) const {
        return std::max(count, static_cast<int>(std::lround(count * ratio_)));
    }

    // A window's client area: its whole pixels (as the window system sizes
    // a window), in device pixels.
    [[nodiscard]] Rect client(Twips width, Twips height) const {
        const auto whole = [](Twips twips) {
            return twips > 0 && std::isfinite(twips) ? std::floor(static_cast<double>(twips) / kTwipsPerPixel) : 0.0;
        };
        constexpr double kLargest = 1 << 15;  // no screen is larger, nor denser than 16 device pixels a pixel
        const auto device = [&](double pixels) {
            return static_cast<int>(std::lround(std::min(std::min(pixels, kLargest) * ratio_, kLargest * 16)));
        };
        return {0, 0, device(whole(width)), device(whole(height))};
    }

private:
    double ratio_;
};

}  // namespace arcadeon::scene
