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

// Writes an opaque picture as a PNG of 8-bit RGB with no colour or density
// chunks, so that every decoder gives its pixels back exactly (the page's
// browser among them). False when the file cannot be written.
bool writePng(const QImage& image, const QString& path);
// A picture with transparent parts (a pre-rendered metafile) as a 32-bit BMP
// whose header gives an alpha mask, which the program reads itself. Its
// edges are partly transparent, and a browser keeps such pixels
// premultiplied: read back from a canvas they would not be the same bytes.
bool writeBmpWithAlpha(const QImage& image, const QString& path);

// Loads a font file from `dir`/fonts (the fonts the program ships) and
// returns its family name, empty when it cannot be loaded.
QString loadFont(const QString& dir, const QString& file);

}  // namespace pictures
