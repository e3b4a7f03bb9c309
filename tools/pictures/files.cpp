// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Writing pictures and reading the shipped fonts.
#include <QFile>
#include <QFontDatabase>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "pictures.h"

namespace pictures {

namespace {

void put16(std::vector<char>& out, std::uint16_t value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>(value >> 8));
}

void put32(std::vector<char>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((value >> shift) & 0xFF));
}

// The file header and the start of the info header every BMP written here
// shares: `info` bytes of info header, bottom-up rows, 96 dpi.
void headers(std::vector<char>& out, std::uint32_t info, std::uint32_t width, std::uint32_t height, int bitsPerPixel,
             std::uint32_t compression, std::uint32_t pixelBytes) {
    const std::uint32_t offset = 14 + info;
    out.reserve(offset + pixelBytes);
    // BITMAPFILEHEADER
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + pixelBytes);
    put32(out, 0);
    put32(out, offset);
    // BITMAPINFOHEADER
    put32(out, info);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(bitsPerPixel));
    put32(out, compression);
    put32(out, pixelBytes);
    put32(out, 3780);
    put32(out, 3780);
    put32(out, 0);
    put32(out, 0);
}

bool save(const std::vector<char>& out, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return file.write(out.data(), static_cast<qint64>(out.size())) == static_cast<qint64>(out.size());
}

}  // namespace

bool writePng(const QImage& image, const QString& path) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    rgb.setDotsPerMeterX(0);
    rgb.setDotsPerMeterY(0);
    return rgb.save(path, "PNG", 0);  // 0: the smallest file
}

bool writeBmpWithAlpha(const QImage& image, const QString& path) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    const auto width = static_cast<std::uint32_t>(argb.width());
    const auto height = static_cast<std::uint32_t>(argb.height());
    const std::uint32_t pixelBytes = width * 4 * height;
    constexpr std::uint32_t kInfo = 108;  // BITMAPV4HEADER: masks, the alpha mask among them

    std::vector<char> out;
    headers(out, kInfo, width, height, 32, 3, pixelBytes);  // BI_BITFIELDS
    for (std::uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) put32(out, mask);
    put32(out, 0x73524742);  // 'sRGB'
    for (int i = 0; i < 12; ++i) put32(out, 0);  // end points and gamma: unused for sRGB
    for (std::uint32_t row = height; row-- > 0;) {
        const auto* line = reinterpret_cast<const QRgb*>(argb.constScanLine(static_cast<int>(row)));
        for (std::uint32_t x = 0; x < width; ++x) put32(out, line[x]);  // B, G, R, A
    }

    return save(out, path);
}

QString loadFont(const QString& dir, const QString& file) {
    const int id = QFontDatabase::addApplicationFont(dir + "/fonts/" + file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    return families.isEmpty() ? QString() : families.front();
}

}  // namespace pictures
