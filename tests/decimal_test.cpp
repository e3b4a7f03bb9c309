// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as text without std::to_chars and std::from_chars for floating
// point, as the web build must write and read them: the same text as the
// standard conversions, or the page would print another model than the runner.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "shell/layer/decimal.h"

namespace arcadeon {
namespace {

std::string standardDigits(float value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string digits;
    const std::string text(buffer, result.ptr);
    for (const char c : text.substr(0, text.find('e'))) {
        if (c != '.') digits += c;
    }
    return digits + "e" + std::to_string(std::stoi(text.substr(text.find('e') + 1)));
}

std::string portableDigits(float value) {
    const Digits d = portable::shortestDigits(value);
    return d.digits + "e" + std::to_string(d.exponent);
}

// Shortest digits agree with std::to_chars: on values the games hold, at
// every power of two (where the interval that reads back is lopsided), at
// the ends of the range and on a sweep across all bit patterns.
TEST(PortableDecimal, ShortestDigitsAgreeWithTheStandardConversion) {
    std::vector<float> values = {3037.5f, 240.0f, 20.0f, 0.1f, 0.3f, 1.0f / 3.0f, 15.625f, 4770.0f, 7830.0f,
                                 123456789.0f, 1e-10f, 3.4028235e38f, std::numeric_limits<float>::denorm_min(),
                                 std::numeric_limits<float>::min(), 9.999999e-5f, 8.589973e9f};
    for (int e = -149; e <= 127; ++e) values.push_back(std::ldexp(1.0f, e));
    for (std::uint32_t bits = 1; bits < 0x7F800000u; bits += 0x7F800000u / 40000) values.push_back(std::bit_cast<float>(bits));
    for (const float value : values) {
        ASSERT_EQ(portableDigits(value), standardDigits(value)) << "bits " << std::bit_cast<std::uint32_t>(value);
    }
}

// Reading agrees with std::from_chars: the nearest single, errors for what
// is no number, out of range for what a single cannot hold.
TEST(PortableDecimal, ReadingAgreesWithTheStandardConversion) {
    struct Case {
        const char* text;
        std::errc error;
        float value;
    };
    const Case cases[] = {
        {"3037.5", std::errc(), 3037.5f}, {"-20", std::errc(), -20.0f}, {".5", std::errc(), 0.5f},
        {"0.1", std::errc(), 0.1f}, {"16777217", std::errc(), 16777216.0f}, {"0", std::errc(), 0.0f},
        {"1000000000000000000000000000000000000000", std::errc::result_out_of_range, 0},
        {"0.0000000000000000000000000000000000000000000000001", std::errc::result_out_of_range, 0},
        {"12x", std::errc::invalid_argument, 0}, {"", std::errc::invalid_argument, 0},
        {"nan", std::errc::invalid_argument, 0}, {"1e", std::errc::invalid_argument, 0}, {"0x10", std::errc::invalid_argument, 0},
        {"1e-40", std::errc(), 1e-40f}, {"-0", std::errc(), -0.0f},
    };
    for (const Case& c : cases) {
        float value = 0;
        EXPECT_EQ(portable::readSingle(c.text, value), c.error) << c.text;
        if (c.error != std::errc()) continue;
        EXPECT_EQ(value, c.value) << c.text;
        float standard = 0;
        const std::string text = c.text;
        std::from_chars(text.data(), text.data() + text.size(), standard);
        EXPECT_EQ(value, standard) << c.text;
    }
}

}  // namespace
}  // namespace arcadeon
