// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon: assets/icons/arcadeon.svg, drawn by hand, rendered to
// arcadeon-SIZE.png in each size of the hicolor theme that launchers, menus
// and software centres ask for, 16 x 16 to 512 x 512 (the program's windows
// carry arcadeon-48.png).
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "pictures.h"

namespace pictures {

bool drawIcons(const QString& dir) {
    QSvgRenderer svg(dir + "/icons/arcadeon.svg");
    if (!svg.isValid()) {
        std::fprintf(stderr, "make-pictures: cannot read %s/icons/arcadeon.svg\n", qPrintable(dir));
        return false;
    }
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            svg.render(&painter);
        }
        if (!image.save(QStringLiteral("%1/icons/arcadeon-%2.png").arg(dir).arg(size))) return false;
    }
    return true;
}

}  // namespace pictures
