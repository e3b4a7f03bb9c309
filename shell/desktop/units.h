// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A window's own pixels (Qt's logical units), twips, and the device pixels
// the scene is made in.
#pragma once

#include <QRect>
#include <QRegion>
#include <QSize>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <vector>

#include "shell/layer/basic.h"
#include "shell/scene/geometry.h"

namespace arcadeon::desktop {

using scene::kTwipsPerPixel;

// Pixels (the windows' own, logical units) to twips and back. Twips no
// window has (a size a script gives, an element far off) come to the
// largest number of pixels Qt takes, or to none for a twip that is no number.
constexpr Twips twipsFromPixels(qreal pixels) { return static_cast<Twips>(pixels * kTwipsPerPixel); }
constexpr int pixelsFromTwips(Twips twips) {
    constexpr double kLargest = QWIDGETSIZE_MAX;
    const double pixels = static_cast<double>(twips) / kTwipsPerPixel;
    if (!(pixels == pixels)) return 0;
    return static_cast<int>(std::clamp(pixels, -kLargest, kLargest));
}
inline QSize pixelSize(Twips width, Twips height) { return {pixelsFromTwips(width), pixelsFromTwips(height)}; }

inline QRect qtRect(const scene::Rect& rect) { return {rect.x, rect.y, rect.w, rect.h}; }

// The device pixels a region of a window's pixels covers (rounded outwards:
// at a ratio of 1.5 a pixel's edge may fall inside a device pixel).
inline QRegion deviceRegion(const QRegion& pixels, qreal ratio) {
    if (ratio == 1.0) return pixels;
    QRegion device;
    for (const QRect& r : pixels) {
        const int x0 = static_cast<int>(std::floor(r.left() * ratio)), y0 = static_cast<int>(std::floor(r.top() * ratio));
        const int x1 = static_cast<int>(std::ceil((r.left() + r.width()) * ratio));
        const int y1 = static_cast<int>(std::ceil((r.top() + r.height()) * ratio));
        device += QRect(x0, y0, x1 - x0, y1 - y0);
    }
    return device;
}

// The window's pixels to draw again for rectangles of device pixels; at a
// fractional ratio one pixel more all round, as the window system rounds
// the edges of pixels to device pixels in its own way.
inline QRegion pixelRegion(const std::vector<scene::Rect>& device, qreal ratio) {
    const int pad = ratio == std::floor(ratio) ? 0 : 1;
    QRegion pixels;
    for (const scene::Rect& r : device) {
        const int x0 = static_cast<int>(std::floor(r.x / ratio)), y0 = static_cast<int>(std::floor(r.y / ratio));
        const int x1 = static_cast<int>(std::ceil(r.right() / ratio)), y1 = static_cast<int>(std::ceil(r.bottom() / ratio));
        pixels += QRect(x0, y0, x1 - x0, y1 - y0).adjusted(-pad, -pad, pad, pad);
    }
    return pixels;
}

}  // namespace arcadeon::desktop
