// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// make-menu-shots DIR: the menu's pictures of Ping and of Vavod Uvavovirovu
// Divadazo, taken from the real windows as the program draws them, scaled to
// the pictures' sizes and written into DIR (assets/) as PNG files.
// Run it after make-pictures: it draws the game windows with the pictures
// built into it.
#include <QApplication>
#include <QImage>
#include <cstdio>

#include "shell/desktop/fonts.h"
#include "shell/desktop/painting.h"
#include "shell/desktop/pictures.h"
#include "shell/program.h"
#include "shell/scene/scene.h"
#include "tools/pictures/pictures.h"

namespace {

using namespace arcadeon;

QImage shoot(const Form& form, QSize size) {
    desktop::Fonts fonts;
    desktop::Pictures pictures;
    const QImage window = desktop::sceneImage(scene::sceneOf(form, {1.0}, pictures.scenes()), pictures, fonts);
    return window.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-menu-shots DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);

    // Ping as it opens: the ball in the middle, the paddle at the bottom.
    // With no front end, the welcome box closes at once.
    Program ping;
    const bool pingDone = pictures::writePng(shoot(ping.open(Program::Game::Ping), {655, 476}), dir + "/menu-ping.png");

    // The Invaders game a little way in: the formation and the mothership
    // on the move, a bomb falling towards the ship.
    Program invaders;
    invaders.open(Program::Game::Invaders);
    invaders.app.mouseMove(invaders.frmInvaders, 4500, 5000);
    invaders.app.advanceBoundaries(100);
    const bool invadersDone =
        pictures::writePng(shoot(invaders.frmInvaders, {785, 468}), dir + "/menu-invaders.png");
    return pingDone && invadersDone ? 0 : 1;
}
