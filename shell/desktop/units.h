// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Twips and pixels: the one place that knows a pixel is 15 twips, and how
// twips land on the device pixels of a screen of any density.
#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QRegion>
#include <QSize>
#include <algorithm>
#include <cmath>

#include "shell/layer/element.h"

namespace arcadeon::desktop {

// 1440 twips an inch at 96 pixels an inch.
constexpr int kTwipsPerPixel = 15;

// Pixels (the windows' own, logical units) to twips and back.
constexpr Twips twipsFromPixels(qreal pixels) { return static_cast<Twips>(pixels * kTwipsPerPixel); }
constexpr int pixelsFromTwips(Twips twips) { return static_cast<int>(twips / kTwipsPerPixel); }
inline QSize pixelSize(Twips width, Twips height) { return {pixelsFromTwips(width), pixelsFromTwips(height)}; }

// Twips to device pixels at a given ratio of device pixels to pixels: every
// edge goes to the nearest device pixel, so an element keeps its layout at
// any density and its edges stay crisp. Rectangles are half-open: they
// cover the device pixels from their left edge up to, not including, their
// right edge.
class Grid {
public:
    explicit Grid(qreal devicePixelRatio) : ratio_(devicePixelRatio) {}

    [[nodiscard]] qreal ratio() const { return ratio_; }

    // The device pixel edge nearest to `twips`.
    [[nodiscard]] int edge(Twips twips) const {
        constexpr double kFar = 1e6;  // far outside any screen; keeps the rasteriser in range
        double device = static_cast<double>(twips) * ratio_ / kTwipsPerPixel;
        if (!(device > -kFar)) device = -kFar;  // also catches NaN
        device = std::min(device, kFar);
        return static_cast<int>(std::lround(device));
    }

    // The device pixels of a rectangle given by its edges in twips.
    [[nodiscard]] QRect rect(Twips left, Twips top, Twips width, Twips height) const {
        const int x0 = edge(left), y0 = edge(top);
        return {x0, y0, edge(left + width) - x0, edge(top + height) - y0};
    }
    [[nodiscard]] QRect rect(const Box& box) const { return rect(box.Left, box.Top, box.Width, box.Height); }

    // The device pixels of one pixel's width of line that starts at `twips`:
    // from its edge to the edge one pixel (15 twips) further. Two device
    // pixels at a ratio of 2; at 1.5, one or two, as the edges fall.
    [[nodiscard]] int lineStart(Twips twips) const { return edge(twips); }
    [[nodiscard]] int lineEnd(Twips twips) const { return std::max(edge(twips + kTwipsPerPixel), edge(twips) + 1); }

    // Device pixels to the painter's pixels.
    [[nodiscard]] qreal logical(int device) const { return device / ratio_; }
    [[nodiscard]] QRectF logical(const QRect& device) const {
        return {device.x() / ratio_, device.y() / ratio_, device.width() / ratio_, device.height() / ratio_};
    }

    // The device pixels a region of whole pixels covers, and the whole pixels
    // that cover a region of device pixels (rounded outwards: at a ratio of
    // 1.5 a pixel's edge may fall inside a device pixel).
    [[nodiscard]] QRect toDevice(const QRect& pixels) const {
        const int x0 = static_cast<int>(std::floor(pixels.left() * ratio_));
        const int y0 = static_cast<int>(std::floor(pixels.top() * ratio_));
        const int x1 = static_cast<int>(std::ceil((pixels.left() + pixels.width()) * ratio_));
        const int y1 = static_cast<int>(std::ceil((pixels.top() + pixels.height()) * ratio_));
        return {x0, y0, x1 - x0, y1 - y0};
    }
    [[nodiscard]] QRegion toDevice(const QRegion& pixels) const {
        if (ratio_ == 1.0) return pixels;
        QRegion device;
        for (const QRect& r : pixels) device += toDevice(r);
        return device;
    }
    [[nodiscard]] QRect toPixels(const QRect& device) const {
        const int x0 = static_cast<int>(std::floor(device.left() / ratio_));
        const int y0 = static_cast<int>(std::floor(device.top() / ratio_));
        const int x1 = static_cast<int>(std::ceil((device.left() + device.width()) / ratio_));
        const int y1 = static_cast<int>(std::ceil((device.top() + device.height()) / ratio_));
        return {x0, y0, x1 - x0, y1 - y0};
    }

    // The whole pixels to draw again for a region of device pixels; at a
    // fractional ratio one pixel more all round, as the window system
    // rounds the edges of pixels to device pixels in its own way.
    [[nodiscard]] QRegion toPixels(const QRegion& device) const {
        const int pad = ratio_ == std::floor(ratio_) ? 0 : 1;
        QRegion pixels;
        for (const QRect& r : device) pixels += toPixels(r).adjusted(-pad, -pad, pad, pad);
        return pixels;
    }

private:
    qreal ratio_;
};

}  // namespace arcadeon::desktop
