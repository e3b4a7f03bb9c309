// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/scene/fonts.h"

#include <algorithm>
#include <cmath>

namespace arcadeon::scene {

DrawnFont drawnFont(const Font& font) {
    int face = static_cast<int>(kFaces.size()) - 1;
    for (std::size_t i = 0; i < kFaces.size(); ++i) {
        if (kFaces[i].face == font.face) face = static_cast<int>(i);
    }
    const int own = kFaces[static_cast<std::size_t>(face)].weight;
    const float size = std::isfinite(font.size) ? std::clamp(font.size, 0.0f, 1000.0f) : 8.0f;
    const int pixels = std::max(1, static_cast<int>(std::lround(size * 96.0f / 72.0f)));
    return {face, std::clamp(own != 0 ? own : font.weight, 1, 1000), pixels};
}

char32_t nextCharacter(std::string_view text, std::size_t& at) {
    constexpr char32_t kReplacement = 0xFFFD;
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char first = byte(at++);
    if (first < 0x80) return first;
    int more = first >= 0xF0 && first < 0xF5 ? 3 : first >= 0xE0 ? 2 : first >= 0xC2 ? 1 : -1;
    if (more < 0 || first >= 0xF5) return kReplacement;
    char32_t c = first & (0x3F >> more);
    for (; more > 0; --more) {
        if (at >= text.size() || (byte(at) & 0xC0) != 0x80) return kReplacement;
        c = c << 6 | (byte(at++) & 0x3F);
    }
    return c;
}

double Measure::width(std::string_view text) const {
    long units = 0;
    for (std::size_t at = 0; at < text.size();) units += metrics_.advance(nextCharacter(text, at));
    return static_cast<double>(units) * pixels_ / metrics_.unitsPerEm;
}

namespace {

// Big-endian reads that fail softly past the end of the file.
class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    [[nodiscard]] bool has(std::size_t at, std::size_t count) const {
        return at <= bytes_.size() && count <= bytes_.size() - at;
    }
    [[nodiscard]] std::uint16_t u16(std::size_t at) const {
        return has(at, 2) ? static_cast<std::uint16_t>(bytes_[at] << 8 | bytes_[at + 1]) : 0;
    }
    [[nodiscard]] std::int16_t s16(std::size_t at) const { return static_cast<std::int16_t>(u16(at)); }
    [[nodiscard]] std::uint32_t u32(std::size_t at) const {
        return static_cast<std::uint32_t>(u16(at)) << 16 | u16(at + 2);
    }

private:
    std::span<const std::uint8_t> bytes_;
};

// Where a table lies: its offset and length; none when it is missing.
std::optional<std::pair<std::size_t, std::size_t>> table(const Reader& file, std::string_view tag) {
    const std::uint16_t count = file.u16(4);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = 12 + 16 * i;
        if (!file.has(entry, 16)) return std::nullopt;
        const std::uint32_t name = file.u32(entry);
        const std::uint32_t wanted = static_cast<std::uint32_t>(tag[0]) << 24 | static_cast<std::uint32_t>(tag[1]) << 16 |
                                     static_cast<std::uint32_t>(tag[2]) << 8 | static_cast<std::uint32_t>(tag[3]);
        if (name != wanted) continue;
        const std::size_t offset = file.u32(entry + 8), length = file.u32(entry + 12);
        if (!file.has(offset, length)) return std::nullopt;
        return std::make_pair(offset, length);
    }
    return std::nullopt;
}

// The glyph of a character through a format 4 (Unicode BMP) character map.
std::uint16_t glyphOf(const Reader& file, std::size_t map, char32_t c) {
    const std::size_t segments = file.u16(map + 6) / 2;
    const std::size_t ends = map + 14, starts = ends + 2 * segments + 2;
    const std::size_t deltas = starts + 2 * segments, ranges = deltas + 2 * segments;
    for (std::size_t i = 0; i < segments; ++i) {
        if (c > file.u16(ends + 2 * i)) continue;
        const std::uint16_t start = file.u16(starts + 2 * i);
        if (c < start) return 0;
        const std::uint16_t delta = file.u16(deltas + 2 * i), range = file.u16(ranges + 2 * i);
        if (range == 0) return static_cast<std::uint16_t>(c + delta);
        const std::uint16_t glyph = file.u16(ranges + 2 * i + range + 2 * (c - start));
        return glyph == 0 ? 0 : static_cast<std::uint16_t>(glyph + delta);
    }
    return 0;
}

}  // namespace

std::optional<FaceMetrics> readFaceMetrics(std::span<const std::uint8_t> bytes) {
    const Reader file(bytes);
    const auto head = table(file, "head"), hhea = table(file, "hhea"), hmtx = table(file, "hmtx"), cmap = table(file, "cmap");
    if (!head || !hhea || !hmtx || !cmap) return std::nullopt;
    FaceMetrics metrics;
    metrics.unitsPerEm = file.u16(head->first + 18);
    metrics.ascender = file.s16(hhea->first + 4);
    metrics.descender = -file.s16(hhea->first + 6);
    const std::size_t longMetrics = file.u16(hhea->first + 34);
    if (metrics.unitsPerEm == 0 || longMetrics == 0 || !file.has(hmtx->first, 4 * longMetrics)) return std::nullopt;
    // The Windows Unicode map of the BMP, or the plain Unicode one.
    std::optional<std::size_t> map;
    for (std::size_t i = 0, count = file.u16(cmap->first + 2); i < count; ++i) {
        const std::size_t record = cmap->first + 4 + 8 * i;
        const std::uint16_t platform = file.u16(record), encoding = file.u16(record + 2);
        const std::size_t at = cmap->first + file.u32(record + 4);
        if (file.u16(at) != 4) continue;
        if ((platform == 3 && encoding == 1) || (platform == 0 && !map)) map = at;
    }
    if (!map) return std::nullopt;
    const auto advanceOf = [&](std::uint16_t glyph) {
        return file.u16(hmtx->first + 4 * std::min<std::size_t>(glyph, longMetrics - 1));
    };
    for (char32_t c = FaceMetrics::kFirst; c <= FaceMetrics::kLast; ++c) {
        metrics.advances[c - FaceMetrics::kFirst] = advanceOf(glyphOf(file, *map, c));
    }
    metrics.missing = advanceOf(0);
    return metrics;
}

}  // namespace arcadeon::scene
