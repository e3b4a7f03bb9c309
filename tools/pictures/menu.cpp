// The pictures of the menu window: one picture of each game.
//   menu-froggy.bmp    32 bits, 340 x 340: a top-down crossing scene
//   menu-ping.bmp      24 bits, 655 x 476: the Ping window
//   menu-invaders.bmp  24 bits, 785 x 468: the Invaders window
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <array>
#include <string_view>

#include "pictures.h"

namespace pictures {

namespace {

const QColor kPaleWhite(255, 226, 236);  // the sprites of the Invaders window

// A small sprite given as rows of 'X' (lit) and '.' (dark), drawn with
// square pixels of `cell` size from `origin`.
template <std::size_t N>
void drawSprite(QPainter& p, const std::array<std::string_view, N>& rows, QPointF origin, qreal cell,
                const QColor& color) {
    QPainterPath lit;  // one path, so neighbouring cells join without seams
    for (std::size_t row = 0; row < N; ++row) {
        for (std::size_t column = 0; column < rows[row].size(); ++column) {
            if (rows[row][column] != 'X') continue;
            lit.addRect(QRectF(origin.x() + static_cast<qreal>(column) * cell,
                               origin.y() + static_cast<qreal>(row) * cell, cell, cell));
        }
    }
    lit.setFillRule(Qt::WindingFill);
    p.fillPath(lit, color);
}

// ---- Froggy -------------------------------------------------------------------

void drawLog(QPainter& p, const QRectF& r) {
    p.setPen(QPen(QColor(70, 40, 15), 1.5));
    p.setBrush(QColor(130, 80, 35));
    p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
    p.setPen(QPen(QColor(95, 55, 20), 1));
    for (qreal x = r.left() + 14; x < r.right() - 10; x += 18) {
        p.drawLine(QPointF(x, r.top() + 4), QPointF(x + 8, r.top() + 4));
        p.drawLine(QPointF(x + 6, r.bottom() - 4), QPointF(x + 14, r.bottom() - 4));
    }
    p.setBrush(QColor(190, 140, 80));
    p.drawEllipse(QRectF(r.right() - r.height() * 0.6, r.top() + 2, r.height() * 0.55, r.height() - 4));
}

void drawTurtle(QPainter& p, QPointF centre) {
    p.setPen(QPen(QColor(20, 70, 20), 1));
    p.setBrush(QColor(60, 150, 60));
    for (int leg = 0; leg < 4; ++leg) {
        const qreal dx = leg % 2 == 0 ? -7 : 7;
        const qreal dy = leg < 2 ? -6 : 6;
        p.drawEllipse(centre + QPointF(dx, dy), 3.5, 3);
    }
    p.drawEllipse(centre + QPointF(-11, 0), 4, 3.5);  // head, swimming left
    p.setBrush(QColor(150, 60, 40));
    p.drawEllipse(centre, 9, 8);
    p.setPen(QPen(QColor(90, 30, 20), 1));
    p.drawLine(centre + QPointF(-9, 0), centre + QPointF(9, 0));
    p.drawLine(centre + QPointF(0, -8), centre + QPointF(0, 8));
}

void drawCar(QPainter& p, const QRectF& r, const QColor& body, bool facingRight) {
    p.setPen(QPen(body.darker(160), 1));
    p.setBrush(body);
    p.drawRoundedRect(r, 5, 5);
    p.setBrush(QColor(170, 210, 240));
    const qreal w = r.width() * 0.18;
    const qreal front = facingRight ? r.right() - w - r.width() * 0.18 : r.left() + r.width() * 0.18;
    p.drawRect(QRectF(front, r.top() + 3, w, r.height() - 6));
    p.setBrush(QColor(30, 30, 30));
    for (qreal x : {r.left() + r.width() * 0.2, r.right() - r.width() * 0.2}) {
        p.drawRect(QRectF(x - 4, r.top() - 2, 8, 3));
        p.drawRect(QRectF(x - 4, r.bottom() - 1, 8, 3));
    }
}

void drawTruck(QPainter& p, const QRectF& r, const QColor& cab, bool facingRight) {
    const qreal cabWidth = r.width() * 0.25;
    const QRectF trailer = facingRight ? QRectF(r.left(), r.top(), r.width() - cabWidth - 2, r.height())
                                       : QRectF(r.left() + cabWidth + 2, r.top(), r.width() - cabWidth - 2, r.height());
    const QRectF front = facingRight ? QRectF(r.right() - cabWidth, r.top() + 2, cabWidth, r.height() - 4)
                                     : QRectF(r.left(), r.top() + 2, cabWidth, r.height() - 4);
    p.setPen(QPen(QColor(90, 90, 90), 1));
    p.setBrush(QColor(225, 225, 215));
    p.drawRect(trailer);
    p.setBrush(cab);
    p.drawRoundedRect(front, 3, 3);
    p.setBrush(QColor(170, 210, 240));
    const qreal glass = facingRight ? front.right() - 7 : front.left() + 3;
    p.drawRect(QRectF(glass, front.top() + 3, 4, front.height() - 6));
}

void drawFrog(QPainter& p, QPointF centre) {
    const QColor green(60, 200, 60);
    p.setPen(QPen(QColor(20, 90, 20), 1.5));
    p.setBrush(green);
    // legs: back legs folded, front legs forward
    for (int side : {-1, 1}) {
        QPainterPath back;
        back.moveTo(centre + QPointF(side * 8, 6));
        back.lineTo(centre + QPointF(side * 20, 12));
        back.lineTo(centre + QPointF(side * 16, 22));
        back.lineTo(centre + QPointF(side * 22, 26));
        back.lineTo(centre + QPointF(side * 12, 20));
        back.closeSubpath();
        p.drawPath(back);
        QPainterPath front;
        front.moveTo(centre + QPointF(side * 8, -6));
        front.lineTo(centre + QPointF(side * 18, -12));
        front.lineTo(centre + QPointF(side * 20, -20));
        front.lineTo(centre + QPointF(side * 14, -12));
        front.closeSubpath();
        p.drawPath(front);
    }
    p.drawEllipse(centre, 12, 15);
    p.setBrush(QColor(250, 250, 200));
    p.drawEllipse(centre + QPointF(-6, -11), 4, 4);
    p.drawEllipse(centre + QPointF(6, -11), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawEllipse(centre + QPointF(-6, -12), 1.8, 1.8);
    p.drawEllipse(centre + QPointF(6, -12), 1.8, 1.8);
    p.setBrush(QColor(120, 230, 90));
    p.drawEllipse(centre + QPointF(0, 3), 6, 8);
}

QImage froggyPicture() {
    QImage image(340, 340, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // the river, top
    p.fillRect(QRectF(0, 0, 340, 122), QColor(30, 80, 190));
    p.setPen(QPen(QColor(90, 140, 230), 1.5));
    for (int row = 0; row < 6; ++row) {
        for (int column = 0; column < 7; ++column) {
            const qreal x = column * 52 + (row % 2) * 26 + 4;
            const qreal y = 10 + row * 20;
            QPainterPath wave;
            wave.moveTo(x, y);
            wave.quadTo(x + 5, y - 4, x + 10, y);
            wave.quadTo(x + 15, y + 4, x + 20, y);
            p.drawPath(wave);
        }
    }
    drawLog(p, QRectF(20, 8, 120, 24));
    drawLog(p, QRectF(210, 6, 100, 24));
    for (qreal x : {60.0, 82.0, 104.0}) drawTurtle(p, QPointF(x, 52));
    for (qreal x : {230.0, 252.0}) drawTurtle(p, QPointF(x, 52));
    drawLog(p, QRectF(-30, 72, 110, 24));
    drawLog(p, QRectF(150, 74, 140, 24));
    for (qreal x : {300.0, 322.0}) drawTurtle(p, QPointF(x, 108));
    for (qreal x : {120.0, 142.0, 164.0}) drawTurtle(p, QPointF(x, 108));

    // the grass strip between river and road
    p.fillRect(QRectF(0, 122, 340, 30), QColor(50, 150, 45));
    p.setPen(QPen(QColor(35, 115, 30), 1));
    for (int x = 3; x < 340; x += 9) p.drawLine(QPointF(x, 148), QPointF(x + 2, 141 - (x % 4)));

    // the road with its lanes
    p.fillRect(QRectF(0, 152, 340, 140), QColor(65, 65, 70));
    p.fillRect(QRectF(0, 152, 340, 3), QColor(200, 200, 200));
    p.fillRect(QRectF(0, 289, 340, 3), QColor(200, 200, 200));
    for (qreal y : {187.0, 221.0, 255.0}) {
        for (int x = 4; x < 340; x += 28) p.fillRect(QRectF(x, y, 14, 2), QColor(240, 220, 90));
    }
    drawCar(p, QRectF(30, 162, 40, 18), QColor(220, 40, 40), false);
    drawTruck(p, QRectF(170, 160, 110, 22), QColor(40, 90, 200), false);
    drawCar(p, QRectF(90, 196, 40, 18), QColor(240, 200, 30), true);
    drawCar(p, QRectF(250, 196, 40, 18), QColor(150, 60, 200), true);
    drawTruck(p, QRectF(10, 228, 100, 22), QColor(230, 120, 20), false);
    drawCar(p, QRectF(200, 230, 40, 18), QColor(40, 170, 200), false);
    drawCar(p, QRectF(130, 264, 40, 18), QColor(240, 240, 240), true);
    drawTruck(p, QRectF(230, 262, 100, 22), QColor(200, 30, 60), true);

    // the grass at the bottom, with the frog
    p.fillRect(QRectF(0, 292, 340, 48), QColor(50, 150, 45));
    p.setPen(QPen(QColor(35, 115, 30), 1));
    for (int x = 5; x < 340; x += 11) p.drawLine(QPointF(x, 338), QPointF(x + 2, 330 - (x % 5)));
    drawFrog(p, QPointF(170, 314));
    return image;
}

// ---- Ping ---------------------------------------------------------------------

// The Ping window (976 x 637 pixels) drawn at 655 x 476.
QImage pingPicture(const QString& heavyFamily) {
    QImage image(655, 476, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    const qreal sx = 655.0 / 976.0;
    const qreal sy = 476.0 / 637.0;
    auto twips = [&](qreal left, qreal top, qreal width, qreal height) {
        return QRectF(left / 15 * sx, top / 15 * sy, width / 15 * sx, height / 15 * sy);
    };

    p.setPen(QPen(Qt::white, 2));
    p.drawRect(twips(240, 120, 14175, 9255));
    p.drawLine(QPointF(7320 / 15.0 * sx, 120 / 15.0 * sy), QPointF(7320 / 15.0 * sx, 9360 / 15.0 * sy));

    QFont font(heavyFamily);
    font.setWeight(QFont::Black);
    font.setPixelSize(19);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(twips(360, 240, 2775, 615), Qt::AlignLeft | Qt::AlignTop, "LOSSES= 0");
    p.drawText(twips(360, 840, 2775, 615), Qt::AlignLeft | Qt::AlignTop, "HITS= 0");
    p.drawText(twips(360, 1440, 4095, 615), Qt::AlignLeft | Qt::AlignTop, "HIGH SCORE= 0");
    p.drawText(twips(12360, 240, 1935, 615), Qt::AlignHCenter | Qt::AlignTop, "GO");

    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    const QRectF ball = twips(6720, 3480, 1095, 1095);
    const qreal diameter = std::min(ball.width(), ball.height());
    p.drawEllipse(QRectF(ball.center().x() - diameter / 2, ball.center().y() - diameter / 2, diameter, diameter));
    p.drawRect(twips(6240, 8880, 2175, 375));
    return image;
}

// ---- Invaders -------------------------------------------------------------------

constexpr std::array<std::string_view, 7> kAlien = {
    "...XXXXX...",
    ".XXXXXXXXX.",
    "XX..XXX..XX",
    "XXXXXXXXXXX",
    "..XX...XX..",
    ".XX.XXX.XX.",
    "XX.......XX",
};

constexpr std::array<std::string_view, 7> kSaucer = {
    ".....XXXXXX.....",
    "...XXXXXXXXXX...",
    "..XXXXXXXXXXXX..",
    ".XX.XX.XX.XX.XX.",
    "XXXXXXXXXXXXXXXX",
    "..XXX..XX..XXX..",
    "...X........X...",
};

constexpr std::array<std::string_view, 8> kShip = {
    "......XX......",
    ".....XXXX.....",
    ".....XXXX.....",
    "...XXXXXXXX...",
    "..XXXXXXXXXX..",
    ".XXXXXXXXXXXX.",
    "XXXXXXXXXXXXXX",
    "XXXXXXXXXXXXXX",
};

void drawHeart(QPainter& p, const QRectF& r) {
    QPainterPath heart;
    const qreal w = r.width();
    const qreal h = r.height();
    heart.moveTo(r.left() + w / 2, r.top() + h * 0.28);
    heart.cubicTo(r.left() + w * 0.45, r.top() - h * 0.05, r.left() - w * 0.05, r.top() + h * 0.05,
                  r.left() + w * 0.05, r.top() + h * 0.4);
    heart.cubicTo(r.left() + w * 0.12, r.top() + h * 0.65, r.left() + w * 0.4, r.top() + h * 0.8,
                  r.left() + w / 2, r.bottom());
    heart.cubicTo(r.left() + w * 0.6, r.top() + h * 0.8, r.left() + w * 0.88, r.top() + h * 0.65,
                  r.left() + w * 0.95, r.top() + h * 0.4);
    heart.cubicTo(r.left() + w * 1.05, r.top() + h * 0.05, r.left() + w * 0.55, r.top() - h * 0.05,
                  r.left() + w / 2, r.top() + h * 0.28);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 20, 40));
    p.drawPath(heart);
}

// Tongues of flame rising from the bottom of `r`; `seed` varies their shapes.
void drawFlames(QPainter& p, const QRectF& r, int seed) {
    QLinearGradient glow(r.bottomLeft(), r.topLeft());
    glow.setColorAt(0, QColor(120, 30, 0));
    glow.setColorAt(0.5, QColor(40, 8, 0));
    glow.setColorAt(1, Qt::black);
    p.fillRect(r, glow);
    constexpr std::array<qreal, 7> kHeights = {0.55, 0.8, 0.45, 0.95, 0.6, 0.75, 0.5};
    constexpr std::array<qreal, 7> kLeans = {-0.15, 0.1, 0.2, -0.05, 0.15, -0.2, 0.05};
    p.setPen(Qt::NoPen);
    for (int layer = 0; layer < 3; ++layer) {
        const qreal scale = 1.0 - layer * 0.3;
        const std::array<QColor, 3> colours = {QColor(230, 70, 10), QColor(250, 150, 20), QColor(255, 235, 120)};
        for (std::size_t i = 0; i < kHeights.size(); ++i) {
            const std::size_t k = (i + static_cast<std::size_t>(seed)) % kHeights.size();
            const qreal width = r.width() / 3.2 * scale;
            const qreal x = r.left() + r.width() * (static_cast<qreal>(i) + 0.5) / kHeights.size();
            const qreal height = r.height() * kHeights[k] * scale;
            const qreal lean = kLeans[k] * r.width();
            QPainterPath tongue;
            tongue.moveTo(x - width / 2, r.bottom());
            tongue.cubicTo(x - width / 2, r.bottom() - height * 0.5, x + lean - width * 0.2,
                           r.bottom() - height * 0.7, x + lean, r.bottom() - height);
            tongue.cubicTo(x + lean + width * 0.1, r.bottom() - height * 0.6, x + width / 2,
                           r.bottom() - height * 0.4, x + width / 2, r.bottom());
            tongue.closeSubpath();
            p.setBrush(colours[static_cast<std::size_t>(layer)]);
            p.drawPath(tongue);
        }
    }
}

void drawBomb(QPainter& p, const QRectF& r) {
    const QPointF centre(r.center().x(), r.center().y() + r.height() * 0.1);
    const qreal radius = r.height() * 0.36;
    QRadialGradient shine(centre - QPointF(radius / 3, radius / 3), radius * 1.2);
    shine.setColorAt(0, Qt::white);
    shine.setColorAt(1, QColor(190, 190, 200));
    p.setPen(QPen(QColor(60, 60, 70), 1));
    p.setBrush(shine);
    p.drawEllipse(centre, radius, radius);
    p.setPen(QPen(QColor(200, 170, 120), 1.5));
    const QPointF fuseStart = centre + QPointF(radius * 0.6, -radius * 0.75);
    const QPointF fuseEnd = fuseStart + QPointF(radius * 0.4, -radius * 0.45);
    p.drawLine(fuseStart, fuseEnd);
    p.setPen(QPen(QColor(255, 200, 40), 1.2));
    for (int ray = 0; ray < 8; ++ray) {
        QTransform turn;
        turn.rotate(ray * 45);
        p.drawLine(fuseEnd, fuseEnd + turn.map(QPointF(radius * 0.3, 0)));
    }
}

// The Invaders window (787 x 469 pixels) drawn at 785 x 468.
QImage invadersPicture(const QString& heavyFamily) {
    QImage image(785, 468, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(785.0 / 787.0, 468.0 / 469.0);
    auto twips = [](qreal left, qreal top, qreal width, qreal height) {
        return QRectF(left / 15, top / 15, width / 15, height / 15);
    };

    drawFlames(p, twips(0, 2640, 2115, 4500), 0);
    drawFlames(p, twips(9720, 2520, 2115, 4500), 3);

    // the title banner: heavy slanted capitals with a grey drop shadow on white
    const QRectF banner = twips(1920, 120, 7875, 1005);
    p.fillRect(banner, Qt::white);
    QFont title(heavyFamily);
    title.setWeight(QFont::Black);
    title.setPixelSize(40);
    const QString words = "VAVOD UVAVOVIROVU DIVADAZO";
    const qreal fit = banner.width() * 0.88 / QFontMetricsF(title).horizontalAdvance(words);
    title.setPixelSize(static_cast<int>(40 * std::min(fit, 1.0)));
    p.setFont(title);
    p.save();
    p.setClipRect(banner);
    p.translate(banner.center());
    p.shear(-0.25, 0);
    const QRectF text(-banner.width() / 2, -banner.height() / 2, banner.width(), banner.height());
    p.setPen(QColor(150, 150, 150));
    p.drawText(text.translated(3, 3), Qt::AlignCenter, words);
    p.setPen(QColor(20, 20, 20));
    p.drawText(text, Qt::AlignCenter, words);
    p.restore();

    QFont lives(heavyFamily);
    lives.setWeight(QFont::Black);
    lives.setPixelSize(19);
    p.setFont(lives);
    p.setPen(QColor(212, 208, 200));
    p.drawText(twips(840, 1440, 975, 375), Qt::AlignLeft | Qt::AlignTop, "LIVES");
    for (qreal left : {240.0, 960.0, 1680.0}) drawHeart(p, twips(left, 1920, 555, 420));

    drawSprite(p, kSaucer, twips(6360, 1320, 0, 0).topLeft() + QPointF(9, 12), 6, kPaleWhite);
    for (qreal top : {2400.0, 3240.0}) {
        for (int column = 0; column < 6; ++column) {
            const QRectF cell = twips(2760 + column * 1080, top, 810, 615);
            drawSprite(p, kAlien, cell.topLeft() + QPointF(5.5, 3.5), 4, kPaleWhite);
        }
    }
    drawBomb(p, twips(5640, 4200, 555, 480));
    drawSprite(p, kShip, twips(5160, 6120, 1755, 765).topLeft() + QPointF(23.5, 5.5), 5, kPaleWhite);
    return image;
}

}  // namespace

bool drawMenuPictures(const QString& dir) {
    const QString heavy = loadFont(dir, "Lato-Black.ttf");
    return writeBmp(froggyPicture(), dir + "/menu-froggy.bmp", 32) &&
           writeBmp(pingPicture(heavy), dir + "/menu-ping.bmp", 24) &&
           writeBmp(invadersPicture(heavy), dir + "/menu-invaders.bmp", 24);
}

}  // namespace pictures
