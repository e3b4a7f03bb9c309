// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/pictures.h"

#include <QBuffer>
#include <QImageReader>
#include <QResource>
#include <QtEndian>
#include <algorithm>
#include <climits>

namespace arcadeon::desktop {

namespace {

// What a screen of 32 bits a pixel keeps: opaque pictures without alpha,
// the others premultiplied. Converted on the decoding thread, a picture
// then becomes a pixmap without another copy.
QImage inDrawingFormat(QImage image) {
    if (image.isNull()) return image;
    return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
}

}  // namespace

QImage readImage(const QByteArray& bytes, const QByteArray& format) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, format);
    // Only the named format's reader: guessing would load every reader the
    // system has (a megabyte of libraries for pictures the program never shows).
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}

QImage decodeBmp(const QByteArray& bytes) {
    const auto* data = reinterpret_cast<const uchar*>(bytes.constData());
    const qsizetype size = bytes.size();
    constexpr qsizetype kHeaders = 14 + 40;
    if (size < kHeaders || data[0] != 'B' || data[1] != 'M') return {};
    const quint32 offset = qFromLittleEndian<quint32>(data + 10);
    const quint32 header = qFromLittleEndian<quint32>(data + 14);
    const qint32 width = qFromLittleEndian<qint32>(data + 18);
    const qint32 height = qFromLittleEndian<qint32>(data + 22);  // negative: rows top-down
    const int bits = qFromLittleEndian<quint16>(data + 28);
    const quint32 compression = qFromLittleEndian<quint32>(data + 30);
    constexpr qint32 kLargest = 16384;
    if (header < 40 || compression != 0 || (bits != 24 && bits != 32)) return {};
    if (width <= 0 || width > kLargest || height == 0 || height > kLargest || height < -kLargest) return {};
    const qsizetype rows = height > 0 ? height : -height;
    const int step = bits / 8;
    const qsizetype stride = (static_cast<qsizetype>(width) * step + 3) & ~qsizetype{3};  // rows padded to 4 bytes
    if (offset > static_cast<quint32>(size) || (size - offset) / stride < rows) return {};
    QImage image(width, static_cast<int>(rows), QImage::Format_RGB32);
    if (image.isNull()) return {};
    for (qsizetype y = 0; y < rows; ++y) {
        const uchar* in = data + offset + (height > 0 ? rows - 1 - y : y) * stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(static_cast<int>(y)));
        for (qint32 x = 0; x < width; ++x, in += step) out[x] = qRgb(in[2], in[1], in[0]);  // B, G, R; a fourth byte means nothing
    }
    return image;
}

QImage Pictures::decode(std::string_view name) {
    // A name with no file behind it decodes to a null image and draws nothing.
    if (name.empty()) return {};
    const QResource resource(QStringLiteral(":/assets/") + QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    if (!resource.isValid()) return {};
    const QByteArray bytes = resource.compressionAlgorithm() == QResource::NoCompression
        ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), static_cast<qsizetype>(resource.size()))
        : resource.uncompressedData();
    QImage image = decodeBmp(bytes);
    if (image.isNull()) {
        const std::string_view suffix = name.substr(std::min(name.rfind('.'), name.size() - 1) + 1);
        image = readImage(bytes, QByteArray(suffix.data(), static_cast<qsizetype>(suffix.size())));
    }
    if (image.isNull()) image.loadFromData(bytes);  // whatever it turns out to be
    return image;
}

Pictures::~Pictures() {
    if (prefetched_.valid()) prefetched_.wait();
}

void Pictures::prefetch(const FormLayout& layout, qreal ratio) {
    collect();
    std::vector<Props> images;
    for (const ElementLayout& row : layout.elements) {
        if (row.kind == Kind::Image && row.props.Visible && !row.props.Picture.empty()) images.push_back(row.props);
    }
    if (images.empty()) return;
    prefetched_ = std::async(std::launch::async, [images = std::move(images), ratio] {
        const Grid grid(ratio);
        std::vector<Decoded> decoded;
        for (const Props& image : images) {
            QImage picture = decode(image.Picture);
            const QSize natural = picture.size();
            const QSize pixels = pictureRect(grid, image.Left, image.Top, image.Width, image.Height, image.Stretch, natural).size();
            if (!picture.isNull() && !pixels.isEmpty() && picture.size() != pixels) {
                picture = picture.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
            }
            decoded.push_back({std::string(image.Picture), natural, pixels, inDrawingFormat(std::move(picture))});
        }
        return decoded;
    });
}

// Pixmaps are made here, on the thread that draws: the screen's format, and
// no copy when the image is in that format already.
void Pictures::keep(std::string_view name, QSize pixels, QImage image) {
    if (image.isNull() || drawn_.contains(keyFor(name, pixels))) return;
    store(name, pixels, QPixmap::fromImage(std::move(image)));
}

std::map<Pictures::Key, Pictures::Drawn, Pictures::KeyOrder>::iterator Pictures::store(std::string_view name, QSize pixels,
                                                                                       QPixmap pixmap) {
    auto owned = std::make_unique<std::string>(name);
    const Key key = keyFor(*owned, pixels);
    return drawn_.emplace(key, Drawn{std::move(owned), std::move(pixmap)}).first;  // the first one stays
}

void Pictures::collect() {
    if (!prefetched_.valid()) return;
    for (Decoded& done : prefetched_.get()) {
        sizes_.emplace(done.name, done.natural);
        keep(done.name, done.pixels, std::move(done.image));
    }
}

QSize Pictures::size(std::string_view name) {
    collect();
    if (const auto found = sizes_.find(name); found != sizes_.end()) return found->second;
    // Asked for only by pictures drawn at their own size: that copy is kept.
    QImage image = decode(name);
    const QSize natural = image.size();
    sizes_.emplace(std::string(name), natural);
    keep(name, natural, std::move(image));
    return natural;
}

void Pictures::retain(const std::vector<std::pair<std::string_view, QSize>>& inUse) {
    collect();
    std::erase_if(drawn_, [&](const auto& entry) {
        const Key& key = entry.first;
        return std::none_of(inUse.begin(), inUse.end(), [&](const auto& used) {
            return used.first == key.name && used.second == QSize(key.width, key.height);
        });
    });
}

std::vector<QSize> Pictures::kept(std::string_view name) const {
    std::vector<QSize> sizes;
    for (auto at = drawn_.lower_bound(Key{name, INT_MIN, INT_MIN}); at != drawn_.end() && at->first.name == name; ++at) {
        sizes.emplace_back(at->first.width, at->first.height);
    }
    return sizes;
}

const QPixmap& Pictures::at(std::string_view name, QSize pixels) {
    collect();
    auto found = drawn_.find(keyFor(name, pixels));
    if (found == drawn_.end()) {
        constexpr std::size_t kKept = 256;  // sizes change only when a window's scale does
        if (drawn_.size() >= kKept) drawn_.clear();
        QImage image = decode(name);
        sizes_.emplace(std::string(name), image.size());
        if (!image.isNull() && image.size() != pixels) {
            image = image.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        }
        found = store(name, pixels, image.isNull() ? QPixmap() : QPixmap::fromImage(std::move(image)));
    }
    return found->second.pixmap;
}

}  // namespace arcadeon::desktop
