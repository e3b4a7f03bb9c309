// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Element and window properties by name, and their values as text: what the
// script runner prints and what tests compare.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "basic.h"
#include "element.h"

namespace arcadeon {

struct ColorValue {
    Color value;
};

using PropertyValue = std::variant<Twips, int, bool, ColorValue, std::string>;

// The named property of an element; nullopt when its kind has no such property.
[[nodiscard]] std::optional<PropertyValue> readProperty(const Element& element, std::string_view property);

// Every property of that kind that readProperty() knows, in a fixed order.
[[nodiscard]] std::span<const std::string_view> propertyNames(Kind kind);

// A value as text: the shortest decimal that reads back as the same single,
// with no exponent ("3037.5", "-20", "0"); integers in decimal; True/False;
// colours as 0x and eight upper-case hex digits; texts as they stand.
[[nodiscard]] std::string formatValue(const PropertyValue& value);
[[nodiscard]] std::string formatSingle(float value);

// Milliseconds with at most three decimals and no trailing zeros ("15.625").
[[nodiscard]] std::string formatMillis(std::int64_t micros);

}  // namespace arcadeon
