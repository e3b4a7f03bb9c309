// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the froggy window: the road scene behind everything, two
// cars and two trucks as small 24-bit bitmaps at their natural sizes, and
// the frog and the trophy as vector drawings rendered large with a
// transparent background, to be drawn stretched into their boxes.
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPen>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <cmath>
#include <cstdint>

#include "pictures.h"

namespace pictures {

namespace {

const QColor kWater(52, 93, 169);
const QColor kRoad(141, 141, 141);
const QColor kLaneMark(232, 232, 224);

// The scene's bands, in picture rows, top to bottom (each end included).
struct Band {
    int from, to;
    enum { Water, Grass, Road } kind;
};
constexpr Band kBands[] = {
    {0, 120, Band::Water}, {121, 179, Band::Grass}, {180, 280, Band::Road},
    {281, 338, Band::Grass}, {339, 439, Band::Road}, {440, 497, Band::Grass},
};

// A fixed integer hash: the same grass on every run and every machine.
std::uint32_t hash(std::uint32_t x, std::uint32_t y) {
    std::uint32_t h = x * 0x9E3779B1u ^ (y + 0x7F4A7C15u) * 0x85EBCA77u;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

// Mottled green: patches of a few pixels in darker and lighter greens, with
// a little grain on every pixel.
QColor grass(int x, int y) {
    const int patch = static_cast<int>(hash(static_cast<std::uint32_t>(x / 3), static_cast<std::uint32_t>(y / 3)) % 5);
    const int grain = static_cast<int>(hash(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)) % 17) - 8;
    static constexpr int kPatchGreen[] = {104, 118, 130, 142, 156};
    const int green = kPatchGreen[patch] + grain;
    return {38 + patch * 4 + grain / 2, green, 34 + patch * 2};
}

// A dashed line along the middle of a road, 3 rows high.
bool laneMark(int x, int y, const Band& road) {
    const int middle = (road.from + road.to) / 2;
    return y >= middle - 1 && y <= middle + 1 && x % 34 < 20;
}

QImage background() {
    QImage image(677, 498, QImage::Format_RGB32);
    for (const Band& band : kBands) {
        for (int y = band.from; y <= band.to; ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QColor color = kWater;
                if (band.kind == Band::Grass) color = grass(x, y);
                if (band.kind == Band::Road) color = laneMark(x, y, band) ? kLaneMark : kRoad;
                image.setPixelColor(x, y, color);
            }
        }
    }
    return image;
}

// A small picture on the road's grey, drawn pixel-exact.
QImage onRoad(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(kRoad);
    return image;
}

// A car seen from above, 31 x 20, its front at the right or the left end.
QImage car(const QColor& body, bool frontRight) {
    QImage image = onRoad(31, 20);
    QPainter p(&image);
    const QColor tyre(20, 20, 20);
    // Wheels peek out on both sides.
    for (int x : {5, 21}) {
        p.fillRect(x, 1, 5, 2, tyre);
        p.fillRect(x, 17, 5, 2, tyre);
    }
    // Body with rounded ends and a darker rim.
    p.setPen(body.darker(160));
    p.setBrush(body);
    p.drawRoundedRect(1, 2, 28, 15, 4, 4);
    // Windscreen, roof and rear window.
    const QColor glass(40, 52, 70);
    const int screenX = frontRight ? 18 : 8;
    const int rearX = frontRight ? 6 : 21;
    p.setPen(Qt::NoPen);
    p.fillRect(screenX, 4, 5, 12, glass);
    p.fillRect(rearX, 5, 3, 10, glass);
    p.fillRect(frontRight ? 11 : 12, 5, 7, 10, body.lighter(125));
    // Headlights at the front corners.
    const int lightX = frontRight ? 28 : 1;
    p.fillRect(lightX, 3, 2, 3, QColor(255, 240, 150));
    p.fillRect(lightX, 14, 2, 3, QColor(255, 240, 150));
    return image;
}

// A truck seen from above: a white box and a coloured cab at its front end.
QImage truck(int width, int height, const QColor& cab, bool cabLeft) {
    QImage image = onRoad(width, height);
    QPainter p(&image);
    const QColor tyre(20, 20, 20);
    const int cabLength = 13;
    const int boxLength = width - cabLength - 3;
    const int cabX = cabLeft ? 1 : width - 1 - cabLength;
    const int boxX = cabLeft ? cabX + cabLength + 1 : 1;
    // Wheels: two under the cab, three under the box.
    for (int x : {cabX + 2, cabX + cabLength - 5, boxX + 3, boxX + boxLength / 2 - 2, boxX + boxLength - 8}) {
        p.fillRect(x, 0, 5, 2, tyre);
        p.fillRect(x, height - 2, 5, 2, tyre);
    }
    // The box: white with a grey rim and two roof ribs.
    p.setPen(QColor(96, 96, 96));
    p.setBrush(QColor(250, 250, 250));
    p.drawRect(boxX, 1, boxLength - 1, height - 3);
    p.setPen(QColor(214, 214, 214));
    for (int i = 1; i <= 2; ++i) {
        const int x = boxX + boxLength * i / 3;
        p.drawLine(x, 3, x, height - 4);
    }
    // The cab, with its windscreen at the front.
    p.setPen(cab.darker(170));
    p.setBrush(cab);
    p.drawRoundedRect(cabX, 2, cabLength - 1, height - 5, 3, 3);
    p.setPen(Qt::NoPen);
    p.fillRect(cabLeft ? cabX + 2 : cabX + cabLength - 6, 5, 3, height - 10, QColor(40, 52, 70));
    return image;
}

// How much larger than its box on the screen a vector picture is rendered.
constexpr int kVectorScale = 8;

// A transparent canvas for a vector picture whose box is `width` x `height`
// screen pixels; the painter draws in those pixel units.
QImage vectorCanvas(int width, int height) {
    QImage image(width * kVectorScale, height * kVectorScale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kVectorScale, kVectorScale);
}

// One leg: a thick bent stroke from the body to the foot, and three toes.
void leg(QPainter& p, QPointF hip, QPointF knee, QPointF foot, double toeAngle, const QColor& color) {
    QPainterPath path(hip);
    path.quadTo(knee, foot);
    p.setPen(QPen(color, 2.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.setPen(QPen(color, 1.4, Qt::SolidLine, Qt::RoundCap));
    for (double spread : {-0.6, 0.0, 0.6}) {
        const double angle = toeAngle + spread;
        p.drawLine(foot, foot + QPointF(2.2 * std::cos(angle), 2.2 * std::sin(angle)));
    }
}

// The frog seen from above, head up, legs spread; its box is 33 x 27 pixels.
QImage frog() {
    QImage image = vectorCanvas(33, 27);
    QPainter p(&image);
    prepare(p);
    const QColor skin(132, 214, 64);
    const QColor dark(22, 70, 18);
    constexpr double kPi = 3.14159265358979;

    // Legs first, the body over them: front legs reach up, back legs fold down.
    leg(p, {12.5, 10.5}, {7.0, 9.0}, {5.5, 4.5}, -kPi / 2 - 0.5, dark);
    leg(p, {20.5, 10.5}, {26.0, 9.0}, {27.5, 4.5}, -kPi / 2 + 0.5, dark);
    leg(p, {12.5, 18.0}, {3.0, 17.0}, {6.0, 24.0}, kPi / 2 + 0.6, dark);
    leg(p, {20.5, 18.0}, {30.0, 17.0}, {27.0, 24.0}, kPi / 2 - 0.6, dark);

    // Body and head.
    QRadialGradient shade(QPointF(15.0, 11.0), 10.0);
    shade.setColorAt(0.0, skin.lighter(135));
    shade.setColorAt(1.0, skin);
    p.setPen(QPen(dark, 0.8));
    p.setBrush(shade);
    p.drawEllipse(QPointF(16.5, 15.0), 6.5, 7.5);
    p.drawEllipse(QPointF(16.5, 8.0), 5.0, 4.0);

    // Spots on the back.
    p.setPen(Qt::NoPen);
    p.setBrush(dark);
    p.drawEllipse(QPointF(14.5, 15.5), 1.1, 1.3);
    p.drawEllipse(QPointF(18.7, 17.5), 1.0, 1.2);
    p.drawEllipse(QPointF(16.8, 20.0), 0.9, 0.9);

    // Eyes bulging on top of the head.
    for (double x : {13.3, 19.7}) {
        p.setPen(QPen(dark, 0.6));
        p.setBrush(QColor(250, 250, 235));
        p.drawEllipse(QPointF(x, 6.3), 1.9, 1.9);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(10, 10, 10));
        p.drawEllipse(QPointF(x, 6.0), 0.9, 0.9);
    }
    return image;
}

// A golden cup with two handles on a dark base; its box is 33 x 25 pixels.
QImage trophy() {
    QImage image = vectorCanvas(33, 25);
    QPainter p(&image);
    prepare(p);
    const QColor gold(232, 180, 40);
    const QColor rim(150, 100, 10);
    QLinearGradient shine(QPointF(8, 0), QPointF(25, 0));
    shine.setColorAt(0.0, gold.darker(125));
    shine.setColorAt(0.35, QColor(255, 236, 140));
    shine.setColorAt(1.0, gold.darker(140));

    // Handles: a thick golden loop on each side of the bowl.
    p.setPen(QPen(gold, 1.8, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    QPainterPath leftHandle(QPointF(10.0, 4.0));
    leftHandle.cubicTo(QPointF(3.0, 3.5), QPointF(3.5, 11.5), QPointF(11.5, 12.5));
    QPainterPath rightHandle(QPointF(23.0, 4.0));
    rightHandle.cubicTo(QPointF(30.0, 3.5), QPointF(29.5, 11.5), QPointF(21.5, 12.5));
    p.drawPath(leftHandle);
    p.drawPath(rightHandle);

    // Bowl: flat top, round bottom.
    QPainterPath bowl(QPointF(8.5, 2.0));
    bowl.lineTo(24.5, 2.0);
    bowl.cubicTo(QPointF(24.5, 11.0), QPointF(20.0, 14.5), QPointF(16.5, 14.5));
    bowl.cubicTo(QPointF(13.0, 14.5), QPointF(8.5, 11.0), QPointF(8.5, 2.0));
    p.setPen(QPen(rim, 0.7));
    p.setBrush(shine);
    p.drawPath(bowl);

    // Stem and foot.
    QPainterPath stem(QPointF(15.2, 14.3));
    stem.lineTo(17.8, 14.3);
    stem.lineTo(18.3, 18.0);
    stem.lineTo(21.0, 19.2);
    stem.lineTo(12.0, 19.2);
    stem.lineTo(14.7, 18.0);
    stem.closeSubpath();
    p.drawPath(stem);

    // Dark base with a thin light edge, so it shows on the black box too.
    p.setPen(QPen(QColor(120, 96, 70), 0.5));
    p.setBrush(QColor(62, 40, 24));
    p.drawRect(QRectF(10.0, 19.5, 13.0, 4.5));
    p.setPen(QPen(gold, 0.5));
    p.drawLine(QPointF(13.0, 21.75), QPointF(20.0, 21.75));
    return image;
}

bool save(const QImage& image, const QString& dir, const QString& name) { return writePng(image, dir + "/" + name); }

// The frog and the trophy have transparent parts around them.
bool saveWithAlpha(const QImage& image, const QString& dir, const QString& name) {
    return writeBmpWithAlpha(image, dir + "/" + name);
}

}  // namespace

bool drawFroggyPictures(const QString& dir) {
    return save(background(), dir, "froggy-background.png") &&
           save(car(QColor(40, 160, 60), true), dir, "froggy-car-green.png") &&
           save(car(QColor(128, 48, 160), false), dir, "froggy-car-purple.png") &&
           save(truck(61, 26, QColor(128, 48, 160), true), dir, "froggy-truck-purple.png") &&
           save(truck(58, 27, QColor(200, 30, 30), false), dir, "froggy-truck-red.png") &&
           saveWithAlpha(frog(), dir, "froggy-frog.bmp") && saveWithAlpha(trophy(), dir, "froggy-trophy.bmp");
}

}  // namespace pictures
