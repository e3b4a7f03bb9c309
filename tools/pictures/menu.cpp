// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's picture of Froggy: menu-froggy.png, 340 x 340, a
// top-down crossing scene. (The pictures of Ping and of the Invaders game are
// taken from their windows by tools/menu-shots.)
#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include "pictures.h"

namespace pictures {

namespace {

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

}  // namespace

bool drawMenuPictures(const QString& dir) { return writePng(froggyPicture(), dir + "/menu-froggy.png"); }

}  // namespace pictures
