// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "properties.h"

#include "decimal.h"

#include <cmath>
#include <cstdio>

namespace arcadeon {

namespace {

std::optional<PropertyValue> boxProperty(const Box& box, std::string_view property) {
    if (property == "Left") return box.Left;
    if (property == "Top") return box.Top;
    if (property == "Width") return box.Width;
    if (property == "Height") return box.Height;
    if (property == "Visible") return box.Visible;
    return std::nullopt;
}

std::optional<PropertyValue> buttonProperty(const Button& button, std::string_view property) {
    if (auto value = boxProperty(button, property)) return value;
    if (property == "Caption") return button.Caption;
    if (property == "TabIndex") return button.TabIndex;
    if (property == "BackColor") return ColorValue{button.BackColor};
    if (property == "ForeColor") return ColorValue{button.ForeColor};
    return std::nullopt;
}

}  // namespace

std::span<const std::string_view> propertyNames(Kind kind) {
    static constexpr std::string_view kImage[] = {"Left", "Top", "Width", "Height", "Visible", "Stretch"};
    static constexpr std::string_view kLabel[] = {"Left", "Top", "Width", "Height", "Visible", "Caption",
                                                  "Alignment", "BackStyle", "BackColor", "ForeColor", "TabIndex"};
    static constexpr std::string_view kShape[] = {"Left", "Top", "Width", "Height", "Visible",
                                                  "Shape", "BorderColor", "FillStyle", "FillColor"};
    static constexpr std::string_view kLine[] = {"X1", "Y1", "X2", "Y2", "Visible", "BorderColor"};
    static constexpr std::string_view kTimer[] = {"Interval", "Enabled"};
    static constexpr std::string_view kCommandButton[] = {"Left", "Top", "Width", "Height", "Visible",
                                                          "Caption", "TabIndex", "BackColor", "ForeColor"};
    static constexpr std::string_view kOptionButton[] = {"Left", "Top", "Width", "Height", "Visible", "Caption",
                                                         "TabIndex", "BackColor", "ForeColor", "Value"};
    switch (kind) {
    case Kind::Image: return kImage;
    case Kind::Label: return kLabel;
    case Kind::Shape: return kShape;
    case Kind::Line: return kLine;
    case Kind::Timer: return kTimer;
    case Kind::CommandButton: return kCommandButton;
    case Kind::OptionButton: return kOptionButton;
    }
    return {};
}

std::optional<PropertyValue> readProperty(const Element& element, std::string_view property) {
    switch (element.kind) {
    case Kind::Image: {
        const auto& image = static_cast<const Image&>(element);
        if (auto value = boxProperty(image, property)) return value;
        if (property == "Stretch") return image.Stretch;
        return std::nullopt;
    }
    case Kind::Label: {
        const auto& label = static_cast<const Label&>(element);
        if (auto value = boxProperty(label, property)) return value;
        if (property == "Caption") return label.Caption;
        if (property == "Alignment") return label.Alignment;
        if (property == "BackStyle") return label.BackStyle;
        if (property == "BackColor") return ColorValue{label.BackColor};
        if (property == "ForeColor") return ColorValue{label.ForeColor};
        if (property == "TabIndex") return label.TabIndex;
        return std::nullopt;
    }
    case Kind::Shape: {
        const auto& shape = static_cast<const Shape&>(element);
        if (auto value = boxProperty(shape, property)) return value;
        if (property == "Shape") return shape.ShapeKind;
        if (property == "BorderColor") return ColorValue{shape.BorderColor};
        if (property == "FillStyle") return shape.FillStyle;
        if (property == "FillColor") return ColorValue{shape.FillColor};
        return std::nullopt;
    }
    case Kind::Line: {
        const auto& line = static_cast<const Line&>(element);
        if (property == "X1") return line.X1;
        if (property == "Y1") return line.Y1;
        if (property == "X2") return line.X2;
        if (property == "Y2") return line.Y2;
        if (property == "Visible") return line.Visible;
        if (property == "BorderColor") return ColorValue{line.BorderColor};
        return std::nullopt;
    }
    case Kind::Timer: {
        const auto& timer = static_cast<const Timer&>(element);
        if (property == "Interval") return timer.Interval;
        if (property == "Enabled") return static_cast<bool>(timer.Enabled);
        return std::nullopt;
    }
    case Kind::CommandButton:
        return buttonProperty(static_cast<const Button&>(element), property);
    case Kind::OptionButton: {
        const auto& option = static_cast<const OptionButton&>(element);
        if (property == "Value") return option.Value;
        return buttonProperty(option, property);
    }
    }
    return std::nullopt;
}

std::string formatSingle(float value) {
    if (value == 0.0f) return "0";  // negative zero too
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";

    // Shortest round-trip digits, then written out without an exponent.
    const std::string sign = value < 0 ? "-" : "";
    const auto [digits, exponent] = shortestDigits(std::fabs(value));

    const int point = 1 + exponent;  // digits before the decimal point
    const int count = static_cast<int>(digits.size());
    if (point <= 0) return sign + "0." + std::string(static_cast<std::size_t>(-point), '0') + digits;
    if (point >= count) return sign + digits + std::string(static_cast<std::size_t>(point - count), '0');
    return sign + digits.substr(0, static_cast<std::size_t>(point)) + "." +
           digits.substr(static_cast<std::size_t>(point));
}

std::string formatValue(const PropertyValue& value) {
    struct Formatter {
        std::string operator()(Twips v) const { return formatSingle(v); }
        std::string operator()(int v) const { return std::to_string(v); }
        std::string operator()(bool v) const { return v ? "True" : "False"; }
        std::string operator()(ColorValue v) const {
            char text[16];
            std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(v.value));
            return text;
        }
        std::string operator()(const std::string& v) const { return v; }
    };
    return std::visit(Formatter{}, value);
}

std::string formatMillis(std::int64_t micros) {
    std::string text = std::to_string(micros / 1000);
    std::int64_t fraction = micros % 1000;
    if (fraction == 0) return text;
    std::string decimals = std::to_string(1000 + fraction).substr(1);
    while (decimals.back() == '0') decimals.pop_back();
    return text + "." + decimals;
}

}  // namespace arcadeon
