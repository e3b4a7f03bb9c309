// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/record/printable.h"

#include <cstdint>

namespace arcadeon {

namespace {

// The length of the valid UTF-8 sequence of a printable character at the
// start of `bytes`, or 0: overlong forms, surrogates, code points beyond
// U+10FFFF and the C0 and C1 control characters do not count.
std::size_t printableSequence(std::string_view bytes) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(bytes[i]); };
    const std::uint8_t lead = byte(0);
    if (lead >= 0x20 && lead < 0x7F) return 1;
    std::size_t length = 0;
    std::uint32_t code = 0;
    std::uint32_t least = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, code = lead & 0x1F, least = 0xA0;  // U+0080 to U+009F are controls
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (bytes.size() < length) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

}  // namespace

std::string printable(std::string_view bytes) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t at = 0; at < bytes.size();) {
        if (bytes[at] == '\\') {
            text += "\\\\";
            ++at;
        } else if (const std::size_t length = printableSequence(bytes.substr(at)); length > 0) {
            text.append(bytes.substr(at, length));
            at += length;
        } else {
            const auto byte = static_cast<std::uint8_t>(bytes[at++]);
            text += "\\x";
            text += kHex[byte >> 4];
            text += kHex[byte & 0x0F];
        }
    }
    return text;
}

std::string quoted(std::string_view word) {
    std::string text = "'";
    text += printable(word);
    text += '\'';
    return text;
}

}  // namespace arcadeon
