// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program's pictures, drawn in code so they can be made again:
// `make-pictures DIR` writes every one of them into DIR (assets/).
#pragma once

#include <QImage>
#include <QString>

namespace pictures {

// Each writes the pictures of one window into `dir`; false when a file cannot be written.
bool drawMenuPictures(const QString& dir);
bool drawFroggyPictures(const QString& dir);
bool drawInvadersPictures(const QString& dir);
// Renders the icon drawn in `dir`/icons/arcadeon.svg to its PNG sizes beside it.
bool drawIcons(const QString& dir);

// Writes `image` as an uncompressed BMP with 24 or 32 bits per pixel (the
// fourth byte of a 32-bit pixel is written as 0 and means nothing). Qt's own
// writer only makes 24-bit files. False when the file cannot be written.
bool writeBmp(const QImage& image, const QString& path, int bitsPerPixel);
// A picture with transparent parts (a pre-rendered metafile) as a 32-bit BMP
// whose header gives an alpha mask: the program reads it as it reads any BMP.
bool writeBmpWithAlpha(const QImage& image, const QString& path);

// Loads a font file from `dir`/fonts (the fonts the program ships) and
// returns its family name, empty when it cannot be loaded.
QString loadFont(const QString& dir, const QString& file);

}  // namespace pictures
