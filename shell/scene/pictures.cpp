// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/scene/pictures.h"

#include <algorithm>

namespace arcadeon::scene {

bool Bitmap::opaque() const {
    for (std::size_t i = 3; i < rgba.size(); i += 4) {
        if (rgba[i] != 255) return false;
    }
    return !empty();
}

namespace {

std::uint32_t little32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 | static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// The contributions of the picture's pixels to one scaled pixel along one
// side: which pixel, and how much of it (in 1/`scaled` of a pixel).
struct Share {
    int from;
    std::vector<int> weights;
};
std::vector<Share> shares(int source, int scaled, int first, int count) {
    std::vector<Share> result;
    result.reserve(static_cast<std::size_t>(count));
    for (int i = first; i < first + count; ++i) {
        // In units of 1/scaled of a source pixel, the scaled pixel i spans
        // [i * source, (i + 1) * source) and source pixel j [j * scaled, (j + 1) * scaled).
        const std::int64_t begin = static_cast<std::int64_t>(i) * source, end = begin + source;
        Share share{static_cast<int>(begin / scaled), {}};
        for (std::int64_t j = share.from; j * scaled < end && j < source; ++j) {
            const std::int64_t overlap = std::min(end, (j + 1) * scaled) - std::max(begin, j * scaled);
            share.weights.push_back(static_cast<int>(overlap));
        }
        result.push_back(std::move(share));
    }
    return result;
}

}  // namespace

Bitmap decodeBmp(std::span<const std::uint8_t> file) {
    constexpr std::size_t kHeaders = 14 + 40;
    if (file.size() < kHeaders || file[0] != 'B' || file[1] != 'M') return {};
    const std::uint32_t offset = little32(file, 10), header = little32(file, 14);
    const auto width = static_cast<std::int32_t>(little32(file, 18));
    const auto height = static_cast<std::int32_t>(little32(file, 22));  // negative: rows top-down
    const int bits = file[28] | file[29] << 8;
    const std::uint32_t compression = little32(file, 30);
    constexpr std::int32_t kLargest = 16384;
    constexpr std::uint32_t kRgb = 0, kBitFields = 3;
    if (header < 40 || (bits != 24 && bits != 32)) return {};
    if (compression != kRgb && !(compression == kBitFields && bits == 32)) return {};
    if (width <= 0 || width > kLargest || height == 0 || height > kLargest || height < -kLargest) return {};
    // 32 bits with masks: blue, green, red and alpha in the usual bytes only.
    bool alpha = false;
    if (compression == kBitFields) {
        if (header < 56 || file.size() < 14 + 56) return {};
        const std::uint32_t red = little32(file, 54), green = little32(file, 58), blue = little32(file, 62);
        if (red != 0x00FF0000u || green != 0x0000FF00u || blue != 0x000000FFu) return {};
        alpha = little32(file, 66) == 0xFF000000u;
    }
    const std::size_t rows = static_cast<std::size_t>(height > 0 ? height : -height);
    const std::size_t step = static_cast<std::size_t>(bits) / 8;
    const std::size_t stride = (static_cast<std::size_t>(width) * step + 3) & ~std::size_t{3};  // rows padded to 4 bytes
    if (offset > file.size() || (file.size() - offset) / stride < rows) return {};
    Bitmap bitmap{width, static_cast<int>(rows), std::vector<std::uint8_t>(static_cast<std::size_t>(width) * rows * 4)};
    std::uint8_t* out = bitmap.rgba.data();
    for (std::size_t y = 0; y < rows; ++y) {
        const std::uint8_t* in = file.data() + offset + (height > 0 ? rows - 1 - y : y) * stride;
        for (std::int32_t x = 0; x < width; ++x, in += step, out += 4) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = alpha ? in[3] : 255;
        }
    }
    return bitmap;
}

Bitmap scaled(const Bitmap& picture, Size size, Rect part) {
    part = part.intersected({0, 0, size.width, size.height});
    if (picture.empty() || part.empty()) return {};
    const std::vector<Share> across = shares(picture.width, size.width, part.x, part.w);
    const std::vector<Share> down = shares(picture.height, size.height, part.y, part.h);
    Bitmap result{part.w, part.h, std::vector<std::uint8_t>(static_cast<std::size_t>(part.w) * part.h * 4)};
    // Each scaled pixel covers source.width * source.height of these units.
    const std::int64_t whole = static_cast<std::int64_t>(picture.width) * picture.height;
    std::uint8_t* out = result.rgba.data();
    for (const Share& row : down) {
        for (const Share& column : across) {
            std::int64_t red = 0, green = 0, blue = 0, cover = 0;
            for (std::size_t dy = 0; dy < row.weights.size(); ++dy) {
                const std::uint8_t* in = picture.rgba.data() +
                                         (static_cast<std::size_t>(row.from + static_cast<int>(dy)) * picture.width + column.from) * 4;
                for (std::size_t dx = 0; dx < column.weights.size(); ++dx, in += 4) {
                    const std::int64_t weight = static_cast<std::int64_t>(row.weights[dy]) * column.weights[dx] * in[3];
                    red += weight * in[0];
                    green += weight * in[1];
                    blue += weight * in[2];
                    cover += weight;
                }
            }
            if (2 * cover >= 255 * whole && cover > 0) {
                out[0] = static_cast<std::uint8_t>((red + cover / 2) / cover);
                out[1] = static_cast<std::uint8_t>((green + cover / 2) / cover);
                out[2] = static_cast<std::uint8_t>((blue + cover / 2) / cover);
                out[3] = 255;
            }  // else all zero: transparent
            out += 4;
        }
    }
    return result;
}

const Bitmap& Pictures::decoded(std::string_view name) {
    if (decodedName_ != name || decoded_.empty()) {
        decoded_ = load_ ? load_(name) : Bitmap{};
        decodedName_ = name;
        sizes_.insert_or_assign(std::string(name), Size{decoded_.width, decoded_.height});
    }
    return decoded_;
}

std::optional<Size> Pictures::natural(std::string_view name) {
    if (name.empty()) return std::nullopt;
    auto found = sizes_.find(name);
    if (found == sizes_.end()) {
        (void)decoded(name);
        found = sizes_.find(name);
    }
    if (found->second.width <= 0 || found->second.height <= 0) return std::nullopt;
    return found->second;
}

const Bitmap& Pictures::at(std::string_view name, Size size) {
    const auto key = std::make_pair(std::string(name), std::make_pair(size.width, size.height));
    auto found = drawn_.find(key);
    if (found == drawn_.end()) {
        constexpr std::size_t kKept = 256;  // sizes change only when a window's density does
        if (drawn_.size() >= kKept) drawn_.clear();
        found = drawn_.emplace(key, scaled(decoded(name), size)).first;
        // the picture at its own size is let go once it has been scaled
        decoded_ = {};
        decodedName_.clear();
    }
    return found->second;
}

void Pictures::retain(const std::vector<std::pair<std::string_view, Size>>& inUse) {
    std::erase_if(drawn_, [&](const auto& entry) {
        return std::none_of(inUse.begin(), inUse.end(), [&](const auto& used) {
            return used.first == entry.first.first && used.second == Size{entry.first.second.first, entry.first.second.second};
        });
    });
    decoded_ = {};
    decodedName_.clear();
}

std::vector<Size> Pictures::kept(std::string_view name) const {
    std::vector<Size> sizes;
    for (const auto& [key, bitmap] : drawn_) {
        if (key.first == name) sizes.push_back({key.second.first, key.second.second});
    }
    return sizes;
}

}  // namespace arcadeon::scene
