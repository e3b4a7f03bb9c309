// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology (a screen reader, a switch device) is told of a
// window: its elements as roles, names, states and one action, press, that
// is delivered as a click at a point of the element, like any other click.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/layer/element.h"
#include "shell/layer/form.h"

namespace arcadeon {

enum class Role : std::uint8_t { PushButton, RadioButton, Text };

// One element a person can see or use. Decorative shapes and lines, timers,
// hidden elements and pictures that do nothing are left out.
struct AccessibleNode {
    Role role = Role::Text;
    std::string name;        // what it shows: a caption without its `&`
    char accessKey = 0;      // Alt plus this letter presses it; 0 for none
    bool focusable = false;  // buttons and option buttons take the keyboard focus
    bool focused = false;    // holds the focus of the active window
    bool checked = false;    // an option button's `Value`
    bool pressable = false;  // a click on it does something
    std::size_t element = 0; // its index in Form::elements()
    Twips left = 0, top = 0, width = 0, height = 0;

    friend bool operator==(const AccessibleNode&, const AccessibleNode&) = default;
};

// The window's elements in z-order, front first. The focus is reported only
// in the active window, where it is drawn.
[[nodiscard]] std::vector<AccessibleNode> describe(const Form& form, bool active);

// Where a press of the element lands: a point of the client area that the
// layer's hit testing gives to that element (its centre when nothing in front
// covers it there); none when no such point is left.
[[nodiscard]] std::optional<Point> pressPoint(const Form& form, std::size_t element);

// What changed between two descriptions of one window, for announcing.
struct AccessibleChanges {
    std::vector<std::size_t> renamed;   // nodes of `after` whose name changed
    std::vector<std::size_t> toggled;   // whose checked state changed
    std::optional<std::size_t> focus;   // the node that took the focus
    bool structure = false;             // nodes came or went
};
[[nodiscard]] AccessibleChanges compare(const std::vector<AccessibleNode>& before,
                                        const std::vector<AccessibleNode>& after);

}  // namespace arcadeon
