// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Basic values every window works with: 16-bit counters, colours, fonts,
// pictures and the run-time errors a handler can raise.
#pragma once

#include <cfloat>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace arcadeon {

// Positions and sizes: single-precision twips (1/1440 inch, 15 to a pixel).
// Every sum and difference the rules compare is rounded to single precision
// before it is compared: float arithmetic must not be carried out wider.
using Twips = float;
static_assert(FLT_EVAL_METHOD == 0, "float expressions must be evaluated in single precision");

// A run-time error raised inside a handler: the handler stops, the layer
// reports the error in a message box and the program ends once it is closed.
class RunTimeError : public std::runtime_error {
public:
    RunTimeError(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}
    [[nodiscard]] int number() const { return number_; }

private:
    int number_;
};

[[noreturn]] inline void raiseOverflow() { throw RunTimeError(6, "Overflow"); }

// A 16-bit signed counter (-32768 to 32767). Arithmetic happens in int; storing
// a result outside the range raises the overflow error, as the counters of the
// games expect: `intHits = intHits + 1` past 32767 is a run-time error.
class Integer {
public:
    constexpr Integer() = default;
    constexpr Integer(int value) : value_(checked(value)) {}  // NOLINT: implicit on purpose
    constexpr operator int() const { return value_; }          // NOLINT: implicit on purpose

private:
    static constexpr std::int16_t checked(int value) {
        if (value < -32768 || value > 32767) raiseOverflow();
        return static_cast<std::int16_t>(value);
    }
    std::int16_t value_ = 0;
};

// One more, but never past 32767: the games' running counts stop there
// rather than ending the program with an overflow error.
constexpr Integer countUp(Integer counter) { return counter < 32767 ? Integer(counter + 1) : counter; }

// A counter as text: its decimal digits, "-" when negative, no padding.
inline std::string CStr(Integer value) { return std::to_string(static_cast<int>(value)); }

// Colours are 32-bit: 0x00BBGGRR for RGB, 0x800000NN for system colour role NN.
using Color = std::uint32_t;

constexpr Color RGB(int red, int green, int blue) {
    return static_cast<Color>(red) | static_cast<Color>(green) << 8 | static_cast<Color>(blue) << 16;
}
constexpr Color SystemColor(int role) { return 0x80000000u | static_cast<Color>(role); }
constexpr bool isSystemColor(Color color) { return (color & 0x80000000u) != 0; }

// The system colour roles the windows use, resolved to RGB.
constexpr Color resolveColor(Color color) {
    if (!isSystemColor(color)) return color;
    switch (color & 0xFFu) {
    case 6:  return RGB(0, 0, 0);        // window frame
    case 7:  return RGB(0, 0, 0);        // menu text
    case 8:  return RGB(0, 0, 0);        // window text
    case 9:  return RGB(255, 255, 255);  // caption text
    case 10: return RGB(212, 208, 200);  // active border
    case 14: return RGB(255, 255, 255);  // highlight text
    case 15: return RGB(212, 208, 200);  // button face
    case 18: return RGB(0, 0, 0);        // button text
    default: return RGB(0, 0, 0);
    }
}

constexpr Color kButtonFace = SystemColor(15);
constexpr Color kButtonText = SystemColor(18);
constexpr Color kWindowText = SystemColor(8);

// A font: face, size in points, weight (400 normal, 900 heavy), character set.
// An empty face is the layer's default dialog font (sans-serif, 8 points).
struct Font {
    std::string_view face;
    float size = 8.0f;
    int weight = 400;
    int charset = 0;
    constexpr bool operator==(const Font&) const = default;
};

constexpr Font kDialogFont{};

// A picture is a reference to an asset by its file name in assets/.
using Picture = std::string_view;

}  // namespace arcadeon
