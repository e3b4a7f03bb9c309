// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// make-pictures DIR: draws the program's pictures and writes them into DIR.
#include <QGuiApplication>
#include <cstdio>

#include "pictures.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-pictures DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    const bool ok = pictures::drawMenuPictures(dir) && pictures::drawFroggyPictures(dir) &&
                    pictures::drawInvadersPictures(dir) && pictures::drawIcons(dir);
    return ok ? 0 : 1;
}
