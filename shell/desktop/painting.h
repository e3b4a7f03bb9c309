// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a window straight from the model: its background, then its
// visible elements from the back to the front, buttons above everything.
#pragma once

#include <QImage>
#include <QPalette>
#include <QSize>
#include <future>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "shell/layer/form.h"

class QPainter;
class QWidget;

namespace arcadeon::desktop {

class Fonts;

// The pictures embedded from assets/, kept only at the sizes they are drawn
// at: a picture drawn scaled is decoded, scaled and let go, so the full-size
// copy costs no memory while the program runs.
class Pictures {
public:
    Pictures() = default;
    ~Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // Starts decoding, on a thread of its own, the pictures a window shows
    // when it opens, at the sizes it will draw them at `ratio` device pixels
    // a pixel: they are ready, or nearly, by the time it is first drawn.
    void prefetch(const FormLayout& layout, qreal ratio);
    // The picture's own size in pixels; an empty size when there is none.
    QSize size(std::string_view name);
    // The picture at `pixels` device pixels (scaled smoothly, ignoring its
    // aspect ratio); a null image when there is none.
    const QImage& at(std::string_view name, QSize pixels);
    // The picture as it is, decoded afresh and not kept.
    [[nodiscard]] static QImage decode(std::string_view name);

private:
    struct Decoded {
        std::string name;
        QSize natural;
        QSize pixels;
        QImage image;
    };
    // Takes in what a prefetch decoded, waiting for it if need be.
    void collect();

    std::unordered_map<std::string, QSize> sizes_;
    std::unordered_map<std::string, QImage> drawn_;  // by "name@WxH"
    std::future<std::vector<Decoded>> prefetched_;
};

// A picture of the given format ("png", "jpg"...), read with that format's
// reader alone; a null image when it is not one.
[[nodiscard]] QImage readImage(const QByteArray& bytes, const QByteArray& format);

// An uncompressed BMP file of 24 or 32 bits per pixel (the fourth byte of a
// 32-bit pixel means nothing), read straight from memory, several times as
// fast as Qt's reader; a null image for any other file.
[[nodiscard]] QImage decodeBmp(const QByteArray& bytes);

// Palettes of buttons in given colours, each made once. The platform style
// keeps its drawings of a button by palette, so a palette made afresh at
// every paint would fill its cache with copies never used again.
class Palettes {
public:
    const QPalette& button(const QPalette& base, QColor back, QColor fore);

private:
    std::map<std::tuple<qint64, QRgb, QRgb>, QPalette> palettes_;
};

struct PaintContext {
    Fonts& fonts;
    Pictures& pictures;
    QWidget* widget = nullptr;        // the window drawn on, for the platform style
    const Element* pressed = nullptr;  // a command button held down under the pointer
    bool active = false;               // the window is the active one: its focus shows
    Palettes* palettes = nullptr;      // kept between paints; made afresh each time without
};

// Paints the client area of `form` at 15 twips a pixel, positions rounded
// to the nearest device pixel.
void paintForm(QPainter& painter, const Form& form, const PaintContext& context);

}  // namespace arcadeon::desktop
