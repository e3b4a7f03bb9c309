// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Single-precision numbers to and from decimal text, the same on every
// toolchain the program is built with and in every locale: where the
// standard library converts floating-point numbers (std::to_chars,
// std::from_chars) it does so; where it does not (the web build's), the
// stream conversions of the classic locale do the same job.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

namespace arcadeon {

// The shortest significant digits that read back as `value` (finite and
// greater than 0) and the decimal exponent of the first: 3037.5 gives
// {"30375", 3}. Of several such digit strings, the one nearest the value.
struct Digits {
    std::string digits;
    int exponent = 0;
};
[[nodiscard]] Digits shortestDigits(float value);

// Reads a decimal number, as std::from_chars does: the value nearest the
// text; std::errc::result_out_of_range when it is too large for a single
// or so small that it rounds to 0; std::errc::invalid_argument when the
// text is not a whole decimal number.
[[nodiscard]] std::errc readSingle(std::string_view text, float& value);

namespace portable {
// The conversions without std::to_chars and std::from_chars, which the
// functions above use where the standard library lacks them; here so that
// they can be checked against the standard ones where it has them.
[[nodiscard]] Digits shortestDigits(float value);
[[nodiscard]] std::errc readSingle(std::string_view text, float& value);
}  // namespace portable

}  // namespace arcadeon
