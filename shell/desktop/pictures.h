// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures embedded from assets/, decoded and kept only at the sizes
// they are drawn at, in the screen's own pixel format.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "shell/desktop/units.h"
#include "shell/layer/form.h"

namespace arcadeon::desktop {

// A picture drawn scaled is decoded, scaled and let go, so the full-size
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
    // aspect ratio); a null pixmap when there is none.
    const QPixmap& at(std::string_view name, QSize pixels);
    // Lets go of every drawn copy but those named, each a picture and the
    // device pixels it is drawn at: the pictures of the windows on the screen.
    void retain(const std::vector<std::pair<std::string_view, QSize>>& inUse);
    // The sizes, in device pixels, at which the picture is kept.
    [[nodiscard]] std::vector<QSize> kept(std::string_view name) const;
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
    void keep(std::string_view name, QSize pixels, QImage image);

    // A picture at a size, looked up by the name's view: drawing asks for
    // each picture at every paint, and a key made of a new string each time
    // cost more than the look-up.
    struct Key {
        std::string_view name;  // a view of `owned`, or of the caller's name while looking up
        int width = 0, height = 0;
    };
    struct KeyOrder {
        using is_transparent = void;
        bool operator()(const Key& a, const Key& b) const {
            return std::tie(a.name, a.width, a.height) < std::tie(b.name, b.width, b.height);
        }
    };
    struct Drawn {
        std::unique_ptr<std::string> owned;  // the name the key views, at a fixed address
        QPixmap pixmap;
    };
    Key keyFor(std::string_view name, QSize pixels) const { return {name, pixels.width(), pixels.height()}; }
    std::map<Key, Drawn, KeyOrder>::iterator store(std::string_view name, QSize pixels, QPixmap pixmap);

    std::map<std::string, QSize, std::less<>> sizes_;
    std::map<Key, Drawn, KeyOrder> drawn_;
    std::future<std::vector<Decoded>> prefetched_;
};

// The device pixels an image covers: its own rectangle when stretched, else
// its picture's natural size (in pixels) from its top left corner.
[[nodiscard]] inline QRect pictureRect(const Grid& grid, Twips left, Twips top, Twips width, Twips height, bool stretch, QSize natural) {
    if (stretch) return grid.rect(left, top, width, height);
    return grid.rect(left, top, twipsFromPixels(natural.width()), twipsFromPixels(natural.height()));
}

// A picture of the given format ("png", "jpg"...), read with that format's
// reader alone; a null image when it is not one.
[[nodiscard]] QImage readImage(const QByteArray& bytes, const QByteArray& format);

// An uncompressed BMP file of 24 or 32 bits per pixel (the fourth byte of a
// 32-bit pixel means nothing), read straight from memory, several times as
// fast as Qt's reader; a null image for any other file.
[[nodiscard]] QImage decodeBmp(const QByteArray& bytes);

}  // namespace arcadeon::desktop
