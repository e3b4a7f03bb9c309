// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/pictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QResource>
#include <algorithm>
#include <cstring>

namespace arcadeon::desktop {

QImage readImage(const QByteArray& bytes, const QByteArray& format) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    // Only the named format's reader: guessing would load every reader the
    // system has (a megabyte of libraries for pictures the program never shows).
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage imageOf(const scene::Bitmap& bitmap) {
    if (bitmap.empty()) return {};
    const QImage::Format format = bitmap.opaque() ? QImage::Format_RGBX8888 : QImage::Format_RGBA8888_Premultiplied;
    const QImage view(bitmap.rgba.data(), bitmap.width, bitmap.height, bitmap.width * 4, format);
    return view.convertToFormat(bitmap.opaque() ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
}

scene::Bitmap Pictures::decode(std::string_view name) {
    // A name with no file behind it decodes to nothing and draws nothing.
    if (name.empty()) return {};
    const QResource resource(QStringLiteral(":/assets/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (!resource.isValid()) return {};
    const QByteArray bytes = resource.compressionAlgorithm() == QResource::NoCompression
        ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), static_cast<qsizetype>(resource.size()))
        : resource.uncompressedData();
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    scene::Bitmap bitmap = scene::decodeBmp({data, static_cast<std::size_t>(bytes.size())});
    if (!bitmap.empty()) return bitmap;
    const std::string_view suffix = name.substr(std::min(name.rfind('.'), name.size() - 1) + 1);
    const QImage image = readImage(bytes, QByteArray(suffix.data(), static_cast<qsizetype>(suffix.size())))
                             .convertToFormat(QImage::Format_RGBA8888);
    if (image.isNull()) return {};
    bitmap = {image.width(), image.height(), std::vector<std::uint8_t>(static_cast<std::size_t>(image.width()) * image.height() * 4)};
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(bitmap.rgba.data() + static_cast<std::size_t>(y) * image.width() * 4, image.constScanLine(y),
                    static_cast<std::size_t>(image.width()) * 4);
    }
    return bitmap;
}

Pictures::Pictures() : scenes_([](std::string_view name) { return decode(name); }) {}

const QPixmap& Pictures::at(std::string_view name, scene::Size size) {
    const auto key = std::make_pair(std::string(name), std::make_pair(size.width, size.height));
    auto found = pixmaps_.find(key);
    if (found == pixmaps_.end()) {
        // Made on the thread that draws, once: the scene's copy is let go.
        const QImage image = imageOf(scenes_.at(name, size));
        found = pixmaps_.emplace(key, image.isNull() ? QPixmap() : QPixmap::fromImage(image)).first;
        scenes_.retain({});
    }
    return found->second;
}

QImage Pictures::part(std::string_view name, scene::Size size, const scene::Rect& part) {
    return imageOf(scene::scaled(decode(name), size, part));
}

std::vector<scene::Size> Pictures::kept(std::string_view name) const {
    std::vector<scene::Size> sizes;
    for (const auto& [key, pixmap] : pixmaps_) {
        if (key.first == name) sizes.push_back({key.second.first, key.second.second});
    }
    return sizes;
}

void Pictures::retain(const std::vector<std::pair<std::string_view, scene::Size>>& inUse) {
    std::erase_if(pixmaps_, [&](const auto& entry) {
        return std::none_of(inUse.begin(), inUse.end(), [&](const auto& used) {
            return used.first == entry.first.first &&
                   used.second == scene::Size{entry.first.second.first, entry.first.second.second};
        });
    });
    scenes_.retain({});
}

}  // namespace arcadeon::desktop
