// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/painting.h"

#include <QPainter>

#include "shell/desktop/fonts.h"
#include "shell/desktop/pictures.h"
#include "shell/desktop/units.h"

namespace arcadeon::desktop {

namespace {

QColor qtColour(scene::Rgb rgb) { return QColor::fromRgb(static_cast<QRgb>(0xFF000000u | rgb)); }

void drawPicture(QPainter& painter, const scene::Item& item, Pictures& pictures) {
    const scene::Size size{item.target.w, item.target.h};
    if (size.width > scene::kLargestKept || size.height > scene::kLargestKept) {
        // Only the part that shows, scaled for this drawing alone.
        const scene::Rect part{item.rect.x - item.target.x, item.rect.y - item.target.y, item.rect.w, item.rect.h};
        const QImage image = pictures.part(item.picture, size, part);
        if (!image.isNull()) painter.drawImage(QPoint(item.rect.x, item.rect.y), image);
        return;
    }
    const QPixmap& pixmap = pictures.at(item.picture, size);
    if (pixmap.isNull()) return;
    const QRect source(item.rect.x - item.target.x, item.rect.y - item.target.y, item.rect.w, item.rect.h);
    painter.drawPixmap(QPoint(item.rect.x, item.rect.y), pixmap, source);
}

// A run of text: glyphs from the scene's pen position, at the font's pixels
// scaled to the device, clipped to the run's box; laid out once and kept.
void drawText(QPainter& painter, const scene::Item& item, double ratio, Fonts& fonts) {
    painter.save();
    painter.setClipRect(qtRect(item.rect), Qt::IntersectClip);
    painter.translate(item.x, item.baseline);
    painter.scale(ratio, ratio);
    const Fonts::Run& run = fonts.run(item.font, item.text);
    painter.setFont(fonts.font(item.font));
    painter.setPen(qtColour(item.colour));
    // a static text is placed by its top, one ascent above the baseline
    painter.drawStaticText(QPointF(0, -run.ascent), run.text);
    painter.restore();
}

void drawPart(QPainter& painter, const scene::Scene& scene, const QRect& part, Pictures& pictures, Fonts& fonts) {
    const scene::Rect bounds{part.x(), part.y(), part.width(), part.height()};
    for (const scene::Item& item : scene.items) {
        if (!item.rect.intersects(bounds)) continue;
        switch (item.kind) {
        case scene::ItemKind::Fill: painter.fillRect(qtRect(item.rect.intersected(bounds)), qtColour(item.colour)); break;
        case scene::ItemKind::Picture: drawPicture(painter, item, pictures); break;
        case scene::ItemKind::Text: drawText(painter, item, scene.ratio, fonts); break;
        }
    }
}

}  // namespace

// Each rectangle of the region under a clip of that rectangle alone: under a
// clip of many rectangles Qt's raster engine walks every row of a large
// picture through the clip, and the background behind a few moving cars
// would cost more than the cars.
void paintScene(QPainter& painter, const scene::Scene& scene, const QRegion& device, Pictures& pictures, Fonts& fonts) {
    const QRegion shown = device & qtRect(scene.client);
    if (shown.isEmpty()) return;
    painter.save();
    // In device pixels from here on, whatever the painter's device ratio.
    const qreal ratio = painter.device()->devicePixelRatioF();
    painter.scale(1 / ratio, 1 / ratio);
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const QRect& part : shown) {
        painter.save();
        painter.setClipRect(part, Qt::IntersectClip);
        drawPart(painter, scene, part, pictures, fonts);
        painter.restore();
    }
    painter.restore();
}

QImage sceneImage(const scene::Scene& scene, Pictures& pictures, Fonts& fonts) {
    QImage image(scene.client.w, scene.client.h, QImage::Format_RGB32);
    if (image.isNull()) return image;
    QPainter painter(&image);
    paintScene(painter, scene, QRegion(qtRect(scene.client)), pictures, fonts);
    return image;
}

}  // namespace arcadeon::desktop
