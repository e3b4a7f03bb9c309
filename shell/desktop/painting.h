// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a window's scene with QPainter: the scene says what and where,
// in device pixels; this only executes it.
#pragma once

#include <QImage>
#include <QRegion>

#include "shell/scene/scene.h"

class QPainter;

namespace arcadeon::desktop {

class Fonts;
class Pictures;

// Draws the items of `scene` that meet `device` (device pixels), each
// rectangle of the region under a clip of its own; what lies outside is
// left as it is. The painter may work in a window's pixels at any device
// pixel ratio: the scene's own ratio maps them.
void paintScene(QPainter& painter, const scene::Scene& scene, const QRegion& device, Pictures& pictures, Fonts& fonts);

// The whole scene in an image of its device pixels (at one device pixel a
// pixel of the image), for tools and tests.
[[nodiscard]] QImage sceneImage(const scene::Scene& scene, Pictures& pictures, Fonts& fonts);

}  // namespace arcadeon::desktop
