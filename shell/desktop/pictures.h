// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures embedded from assets/, as the scene scales them, made into
// pixmaps in the screen's own format and kept only at the sizes drawn.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QPixmap>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "shell/scene/pictures.h"

namespace arcadeon::desktop {

class Pictures {
public:
    Pictures();
    Pictures(const Pictures&) = delete;
    Pictures& operator=(const Pictures&) = delete;

    // The pictures as the scene knows them: decoded from the resources on
    // first use (BMP files by the program itself, JPEG files by Qt).
    [[nodiscard]] scene::Pictures& scenes() { return scenes_; }
    // The picture scaled to `size` device pixels; a null pixmap when there is none.
    const QPixmap& at(std::string_view name, scene::Size size);
    // The part `part` of the picture scaled to `size`, made for this drawing only.
    [[nodiscard]] QImage part(std::string_view name, scene::Size size, const scene::Rect& part);
    // The sizes, in device pixels, at which the picture is kept.
    [[nodiscard]] std::vector<scene::Size> kept(std::string_view name) const;
    // Lets go of every copy but those named: the pictures of the windows on the screen.
    void retain(const std::vector<std::pair<std::string_view, scene::Size>>& inUse);

    // The picture file as it is, decoded afresh and not kept.
    [[nodiscard]] static scene::Bitmap decode(std::string_view name);

private:
    scene::Pictures scenes_;
    std::map<std::pair<std::string, std::pair<int, int>>, QPixmap, std::less<>> pixmaps_;
};

// A picture of the given format ("png", "jpg"...), read with that format's
// reader alone; a null image when it is not one.
[[nodiscard]] QImage readImage(const QByteArray& bytes, const QByteArray& format);

// A scaled bitmap as an image in the screen's format: opaque pictures
// without alpha, the others premultiplied (their pixels are opaque or clear).
[[nodiscard]] QImage imageOf(const scene::Bitmap& bitmap);

}  // namespace arcadeon::desktop
