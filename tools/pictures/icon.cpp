// The program's icon: assets/icons/arcadeon.svg, drawn by hand, rendered to
// the PNG sizes the program and the desktop use (arcadeon-48.png for the
// hicolor theme's 48 x 48 place, arcadeon-256.png for large and
// high-density screens).
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
    for (const int size : {48, 256}) {
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
