// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures of the invaders window, all JPEG at their own pixel sizes:
// the ship, the alien and the mothership as pale pixel art on black, the
// bomb, the heart, the title banner and two flame pictures. Everything is
// drawn from shapes and fixed numbers, so the files come out the same on
// every machine (no fonts, no clock, no seeded randomness).
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTransform>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "pictures.h"

namespace pictures {

namespace {

const QColor kPale(255, 222, 232);  // the pale pink-white of the pixel art

bool saveJpeg(const QImage& image, const QString& dir, const char* name) {
    return image.save(QDir(dir).filePath(QString::fromLatin1(name)), "JPEG", 92);
}

QImage blank(int width, int height, const QColor& colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Pixel art: one row of text per row of cells, '#' a lit cell. The cells are
// square, as large as fit the picture, and the art is centred on black.
QImage pixelArt(int width, int height, std::initializer_list<std::string_view> rows) {
    QImage image = blank(width, height, Qt::black);
    const int columns = static_cast<int>(rows.begin()->size());
    const int lines = static_cast<int>(rows.size());
    const int cell = std::min(width / columns, height / lines);
    const int left = (width - cell * columns) / 2;
    const int top = (height - cell * lines) / 2;
    QPainter painter(&image);
    int y = 0;
    for (std::string_view row : rows) {
        for (int x = 0; x < columns; ++x) {
            if (row[static_cast<std::size_t>(x)] == '#') {
                painter.fillRect(left + x * cell, top + y * cell, cell, cell, kPale);
            }
        }
        ++y;
    }
    return image;
}

// A stepped ship with a cannon in the middle.
QImage ship() {
    return pixelArt(173, 139, {
        ".......#.......",
        "......###......",
        "......###......",
        "......###......",
        "....#######....",
        "..###########..",
        ".#############.",
        "###############",
        "###############",
        "###############",
    });
}

QImage alien() {
    return pixelArt(78, 58, {
        "..#.....#..",
        "...#...#...",
        "..#######..",
        ".##.###.##.",
        "###########",
        "#.#######.#",
        "#.#.....#.#",
        "...##.##...",
    });
}

QImage mothership() {
    return pixelArt(99, 56, {
        ".....######.....",
        "...##########...",
        "..############..",
        ".##.##.##.##.##.",
        "################",
        "..###..##..###..",
        "...#........#...",
    });
}

// A round white cartoon bomb with a short neck and a lit, sparking fuse.
QImage bomb() {
    QImage image = blank(565, 440, Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    const QPointF centre(250, 260);
    const double radius = 165;
    QRadialGradient shading(centre - QPointF(60, 60), radius * 1.4);
    shading.setColorAt(0.0, QColor(255, 255, 255));
    shading.setColorAt(0.6, QColor(235, 235, 235));
    shading.setColorAt(1.0, QColor(170, 170, 175));
    painter.setPen(QPen(QColor(120, 120, 125), 4));
    painter.setBrush(shading);
    painter.drawEllipse(centre, radius, radius);

    // A gleam on the upper left.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(190, 190), 34, 22);

    // The neck, tilted towards the upper right.
    painter.save();
    painter.translate(362, 128);
    painter.rotate(45);
    painter.setPen(QPen(QColor(120, 120, 125), 4));
    painter.setBrush(QColor(225, 225, 225));
    painter.drawRect(QRectF(-42, -30, 84, 60));
    painter.restore();

    // The fuse curls up from the neck.
    QPainterPath fuse(QPointF(385, 105));
    fuse.cubicTo(QPointF(410, 60), QPointF(450, 95), QPointF(462, 60));
    painter.setPen(QPen(QColor(190, 150, 90), 9, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(fuse);

    // The spark: a glow and rays of yellow and orange at the fuse's end.
    const QPointF spark(466, 52);
    QRadialGradient glow(spark, 48);
    glow.setColorAt(0.0, QColor(255, 255, 210));
    glow.setColorAt(0.35, QColor(255, 210, 60));
    glow.setColorAt(1.0, QColor(0, 0, 0, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(spark, 48, 48);
    for (int ray = 0; ray < 12; ++ray) {
        const double angle = ray * 3.14159265358979 / 6 + 0.2;
        const double length = ray % 2 == 0 ? 44 : 28;
        painter.setPen(QPen(ray % 2 == 0 ? QColor(255, 230, 80) : QColor(255, 140, 30), 4, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(spark + QPointF(12 * std::cos(angle), 12 * std::sin(angle)),
                         spark + QPointF(length * std::cos(angle), length * std::sin(angle)));
    }
    return image;
}

QImage heart() {
    QImage image = blank(341, 276, Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path(QPointF(170.5, 78));
    path.cubicTo(QPointF(150, 20), QPointF(40, 12), QPointF(32, 95));
    path.cubicTo(QPointF(28, 160), QPointF(110, 200), QPointF(170.5, 258));
    path.cubicTo(QPointF(231, 200), QPointF(313, 160), QPointF(309, 95));
    path.cubicTo(QPointF(301, 12), QPointF(191, 20), QPointF(170.5, 78));
    QLinearGradient red(QPointF(60, 30), QPointF(250, 250));
    red.setColorAt(0.0, QColor(255, 70, 70));
    red.setColorAt(1.0, QColor(190, 0, 10));
    painter.setPen(Qt::NoPen);
    painter.setBrush(red);
    painter.drawPath(path);
    return image;
}

// ---- the title ---------------------------------------------------------------

// The strokes of one capital in a box 1 wide and 1 high (y downwards).
QPainterPath letter(char capital) {
    QPainterPath p;
    switch (capital) {
    case 'V':
        p.moveTo(0, 0); p.lineTo(0.5, 1); p.lineTo(1, 0);
        break;
    case 'A':
        p.moveTo(0, 1); p.lineTo(0.5, 0); p.lineTo(1, 1);
        p.moveTo(0.22, 0.62); p.lineTo(0.78, 0.62);
        break;
    case 'O':
        p.addEllipse(QRectF(0, 0, 1, 1));
        break;
    case 'D':
        p.moveTo(0, 0); p.lineTo(0, 1); p.lineTo(0.45, 1);
        p.cubicTo(1.05, 1, 1.05, 0, 0.45, 0); p.closeSubpath();
        break;
    case 'U':
        p.moveTo(0, 0); p.lineTo(0, 0.6);
        p.cubicTo(0, 1.1, 1, 1.1, 1, 0.6); p.lineTo(1, 0);
        break;
    case 'I':
        p.moveTo(0, 0); p.lineTo(0, 1);
        break;
    case 'R':
        p.moveTo(0, 1); p.lineTo(0, 0); p.lineTo(0.55, 0);
        p.cubicTo(1.0, 0, 1.0, 0.52, 0.55, 0.52); p.lineTo(0, 0.52);
        p.moveTo(0.45, 0.52); p.lineTo(1, 1);
        break;
    case 'Z':
        p.moveTo(0, 0); p.lineTo(1, 0); p.lineTo(0, 1); p.lineTo(1, 1);
        break;
    default:
        break;
    }
    return p;
}

// The title words, each capital `width` wide and `height` high (an I is
// a single upright), `gap` between two letters and `space` for a blank.
QPainterPath titleWords(std::string_view text, double width, double height, double gap, double space) {
    QPainterPath words;
    double x = 0;
    for (char capital : text) {
        if (capital == ' ') {
            x += space;
            continue;
        }
        QTransform place;
        place.translate(x, 0);
        place.scale(width, height);
        words.addPath(place.map(letter(capital)));
        x += (capital == 'I' ? 0 : width) + gap;
    }
    return words;
}

QImage title() {
    constexpr int kWidth = 629, kHeight = 67;
    QImage image = blank(kWidth, kHeight, Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);

    // Heavy strokes on narrow letters, so the three words fill the banner.
    const double stroke = 7;
    const QPainterPath words = titleWords("VAVOD UVAVOVIROVU DIVADAZO", 16, 40, stroke + 2, 14);
    const QPen pen(Qt::black, stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);

    // Slant to the right and centre on the banner.
    QTransform slant(1, 0, -0.25, 1, 0, 0);
    const QRectF bounds = slant.map(words).boundingRect().adjusted(-stroke, -stroke, stroke, stroke);
    QTransform place = slant;
    place *= QTransform::fromTranslate((kWidth - bounds.width()) / 2 - bounds.left() - 2,
                                       (kHeight - bounds.height()) / 2 - bounds.top() - 2);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(150, 150, 150), stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setTransform(place * QTransform::fromTranslate(4, 4));
    painter.drawPath(words);
    painter.setPen(pen);
    painter.setTransform(place);
    painter.drawPath(words);
    return image;
}

// ---- the flames --------------------------------------------------------------

// A fixed hash of a lattice point, 0 to 1.
double lattice(int x, int y, std::uint32_t salt) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u + salt * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return static_cast<double>(h & 0xFFFFu) / 65535.0;
}

// Smooth value noise with a few octaves, 0 to 1.
double turbulence(double x, double y, std::uint32_t salt) {
    double sum = 0, weight = 0, amplitude = 1;
    for (int octave = 0; octave < 4; ++octave) {
        const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
        const double fx = x - x0, fy = y - y0;
        const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
        const double top = lattice(x0, y0, salt) + (lattice(x0 + 1, y0, salt) - lattice(x0, y0, salt)) * sx;
        const double bottom = lattice(x0, y0 + 1, salt) + (lattice(x0 + 1, y0 + 1, salt) - lattice(x0, y0 + 1, salt)) * sx;
        sum += amplitude * (top + (bottom - top) * sy);
        weight += amplitude;
        amplitude *= 0.5;
        x *= 2;
        y *= 2;
        salt += 17;
    }
    return sum / weight;
}

// One tongue of flame: where it stands at the bottom, how wide and how high it reaches.
struct Tongue {
    double centre, halfWidth, height, sway, phase;
};

// Orange flames rising from the bottom on black; the tongues and the salt
// of the noise make each picture its own.
QImage flames(std::initializer_list<Tongue> tongues, std::uint32_t salt) {
    constexpr int kWidth = 333, kHeight = 500;
    QImage image = blank(kWidth, kHeight, Qt::black);
    for (int py = 0; py < kHeight; ++py) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(py));
        const double v = 1.0 - (py + 0.5) / kHeight;  // 0 at the bottom, 1 at the top
        for (int px = 0; px < kWidth; ++px) {
            const double u = (px + 0.5) / kWidth;
            const double noise = turbulence(u * 5, v * 7 - 0.3 * salt, salt);
            double heat = std::max(0.0, 0.55 - v * 4.0);  // the glow of the bed
            for (const Tongue& t : tongues) {
                if (v >= t.height) continue;
                const double rise = v / t.height;
                const double centre = t.centre + t.sway * std::sin(rise * 5.0 + t.phase) * rise + 0.12 * (noise - 0.5);
                const double halfWidth = t.halfWidth * (1.0 - rise * rise) + 0.004;
                const double across = 1.0 - std::abs(u - centre) / halfWidth;
                if (across > 0) heat = std::max(heat, across * (1.0 - 0.6 * rise));
            }
            heat *= 0.65 + 0.7 * noise;
            heat = std::clamp(heat, 0.0, 1.0);
            const int red = static_cast<int>(std::clamp(heat * 2.2, 0.0, 1.0) * 255);
            const int green = static_cast<int>(std::clamp(heat * 1.9 - 0.55, 0.0, 1.0) * 215);
            const int blue = static_cast<int>(std::clamp(heat * 2.5 - 1.9, 0.0, 1.0) * 150);
            line[px] = qRgb(red, green, blue);
        }
    }
    return image;
}

QImage leftFlames() {
    return flames({{0.18, 0.20, 0.80, 0.06, 0.0},
                   {0.45, 0.24, 0.95, 0.08, 1.7},
                   {0.72, 0.19, 0.70, 0.07, 3.1},
                   {0.92, 0.14, 0.55, 0.05, 4.4}},
                  3);
}

QImage rightFlames() {
    return flames({{0.10, 0.15, 0.60, 0.05, 2.2},
                   {0.33, 0.22, 0.88, 0.09, 0.6},
                   {0.60, 0.26, 0.98, 0.07, 5.0},
                   {0.86, 0.18, 0.74, 0.06, 3.6}},
                  11);
}

}  // namespace

bool drawInvadersPictures(const QString& dir) {
    if (!QDir().mkpath(dir)) return false;
    return saveJpeg(ship(), dir, "invaders-ship.jpg") && saveJpeg(alien(), dir, "invaders-alien.jpg") &&
           saveJpeg(mothership(), dir, "invaders-mothership.jpg") && saveJpeg(bomb(), dir, "invaders-bomb.jpg") &&
           saveJpeg(heart(), dir, "invaders-heart.jpg") && saveJpeg(title(), dir, "invaders-title.jpg") &&
           saveJpeg(leftFlames(), dir, "invaders-flames-left.jpg") &&
           saveJpeg(rightFlames(), dir, "invaders-flames-right.jpg");
}

}  // namespace pictures
