// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "decimal.h"

#include <charconv>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace arcadeon {

namespace {

// "d.ddde±x" (or "de±x") as digits and exponent; the decimal point is
// whatever the C library wrote, so only digits are taken.
Digits fromScientific(std::string_view text) {
    Digits result;
    const std::size_t e = text.find_first_of("eE");
    for (std::size_t i = 0; i < e; ++i) {
        if (text[i] >= '0' && text[i] <= '9') result.digits += text[i];
    }
    int exponent = 0;
    bool negative = false;
    for (std::size_t i = e + 1; i < text.size(); ++i) {
        if (text[i] == '-') negative = true;
        if (text[i] >= '0' && text[i] <= '9') exponent = exponent * 10 + (text[i] - '0');
    }
    result.exponent = negative ? -exponent : exponent;
    return result;
}

std::string toScientific(const Digits& d) {
    std::string text;
    text += d.digits.front();
    if (d.digits.size() > 1) {
        text += '.';
        text.append(d.digits, 1);
    }
    text += 'e';
    text += std::to_string(d.exponent);
    return text;
}

bool readsBackAs(const Digits& d, float value) {
    float back = 0;
    return portable::readSingle(toScientific(d), back) == std::errc() && back == value;
}

// The digit string one unit of its last digit away (up or down), of the
// same length where it can be.
Digits neighbour(Digits d, bool up) {
    std::string& s = d.digits;
    auto i = static_cast<std::ptrdiff_t>(s.size()) - 1;
    if (up) {
        while (i >= 0 && s[static_cast<std::size_t>(i)] == '9') s[static_cast<std::size_t>(i--)] = '0';
        if (i < 0) {
            s.insert(s.begin(), '1');
            s.pop_back();
            ++d.exponent;
        } else {
            ++s[static_cast<std::size_t>(i)];
        }
    } else {
        while (i >= 0 && s[static_cast<std::size_t>(i)] == '0') s[static_cast<std::size_t>(i--)] = '9';
        if (i < 0) return {};  // below the smallest number of this length
        --s[static_cast<std::size_t>(i)];
        if (s.front() == '0') {
            if (s.size() == 1) return {};
            s.erase(s.begin());
            s += '9';
            --d.exponent;
        }
    }
    return d;
}

}  // namespace

namespace portable {

// The C library's conversions, not the streams': a stream brings the
// whole locale library along (a third of the page's program). Nothing in
// a program that uses these sets a numeric locale, so the C library reads
// and writes a point.
Digits shortestDigits(float value) {
    // The nearest decimal of 1, 2, ... 9 significant digits; at a power of
    // two the interval that reads back is narrower below the value than
    // above it, so the nearest may miss where a neighbour reads back.
    const auto scientific = [value](int precision) {
        char buffer[64];
        const int length = std::snprintf(buffer, sizeof buffer, "%.*e", precision, static_cast<double>(value));
        return fromScientific(std::string_view(buffer, static_cast<std::size_t>(length)));
    };
    for (int precision = 0; precision < 9; ++precision) {
        const Digits nearest = scientific(precision);
        if (readsBackAs(nearest, value)) return nearest;
        for (bool up : {false, true}) {
            const Digits other = neighbour(nearest, up);
            if (!other.digits.empty() && readsBackAs(other, value)) return other;
        }
    }
    return scientific(8);  // nine digits always read back
}

std::errc readSingle(std::string_view text, float& value) {
    bool digits = false, nonzero = false;
    for (const char c : text) {
        const bool digit = c >= '0' && c <= '9';
        digits = digits || digit;
        nonzero = nonzero || (digit && c != '0');
        if (!digit && c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E') return std::errc::invalid_argument;
    }
    if (!digits) return std::errc::invalid_argument;
    const std::string copy(text);
    char* end = nullptr;
    errno = 0;
    const float read = std::strtof(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size()) return std::errc::invalid_argument;
    // Beyond the range of a single, or so small that it rounds to 0; a
    // number below the normal range that does not is read as it rounds.
    if (std::isinf(read) || (read == 0 && nonzero)) return std::errc::result_out_of_range;
    value = read;
    return {};
}

}  // namespace portable

#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L

Digits shortestDigits(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    return fromScientific(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

std::errc readSingle(std::string_view text, float& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error == std::errc() && end != text.data() + text.size()) return std::errc::invalid_argument;
    return error;
}

#else

Digits shortestDigits(float value) { return portable::shortestDigits(value); }
std::errc readSingle(std::string_view text, float& value) { return portable::readSingle(text, value); }

#endif

}  // namespace arcadeon
