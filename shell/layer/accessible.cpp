// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer/accessible.h"

#include <algorithm>
#include <cmath>

namespace arcadeon {

namespace {

// A picture that acts is named as its layout describes it (by what a click
// on it opens), else by its name.
std::string pictureName(const Element& element) {
    const std::string_view described = element.layout != nullptr ? element.layout->Description : std::string_view();
    return std::string(described.empty() ? element.name : described);
}

void place(AccessibleNode& node, const Box& box) {
    node.left = box.Left;
    node.top = box.Top;
    node.width = box.Width;
    node.height = box.Height;
}

std::optional<AccessibleNode> nodeOf(const Element& element) {
    if (!isDrawn(element)) return std::nullopt;
    AccessibleNode node;
    node.pressable = static_cast<bool>(element.event);
    switch (element.kind) {
    case Kind::CommandButton:
    case Kind::OptionButton: {
        const auto& button = static_cast<const Button&>(element);
        node.role = element.kind == Kind::CommandButton ? Role::PushButton : Role::RadioButton;
        ShownCaption shown = shownCaption(button.Caption);
        node.name = std::move(shown.text);
        node.accessKey = shown.key;
        node.focusable = true;
        node.pressable = true;  // a click selects an option even without a handler
        if (element.kind == Kind::OptionButton) node.checked = static_cast<const OptionButton&>(element).Value;
        place(node, button);
        return node;
    }
    case Kind::Label: {
        const auto& label = static_cast<const Label&>(element);
        node.role = node.pressable ? Role::PushButton : Role::Text;
        node.name = label.Caption;
        place(node, label);
        return node;
    }
    case Kind::Image:
        if (!node.pressable) return std::nullopt;  // a game's sprites tell nothing on their own
        node.role = Role::PushButton;
        node.name = pictureName(element);
        place(node, static_cast<const Box&>(element));
        return node;
    default:
        return std::nullopt;  // shapes and lines are decoration; timers are never seen
    }
}

}  // namespace

std::vector<AccessibleNode> describe(const Form& form, bool active) {
    std::vector<AccessibleNode> nodes;
    if (!form.loaded()) return nodes;
    const auto& elements = form.elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        std::optional<AccessibleNode> node = nodeOf(*elements[i]);
        if (!node) continue;
        node->element = i;
        node->focused = active && form.focus() == elements[i];
        nodes.push_back(std::move(*node));
    }
    return nodes;
}

std::optional<Point> pressPoint(const Form& form, std::size_t index) {
    const auto& elements = form.elements();
    if (index >= elements.size()) return std::nullopt;
    const Element* element = elements[index];
    const auto reaches = [&](Point at) {
        return form.clientContains(at.x, at.y) && form.hitTest(at.x, at.y) == element;
    };
    const Point centre = centreOf(*element);
    if (reaches(centre)) return centre;
    if (element->kind == Kind::Line || element->kind == Kind::Timer) return std::nullopt;
    // Something in front covers the centre (the Play! button over the Normal
    // option): the nearest uncovered point of a grid over the element.
    const auto& box = static_cast<const Box&>(*element);
    static constexpr int kSteps = 16;
    std::optional<Point> best;
    Twips bestDistance = 0;
    for (int row = 0; row < kSteps; ++row) {
        for (int column = 0; column < kSteps; ++column) {
            const Point at{box.Left + box.Width * (static_cast<Twips>(column) + 0.5F) / kSteps,
                           box.Top + box.Height * (static_cast<Twips>(row) + 0.5F) / kSteps};
            if (!reaches(at)) continue;
            const Twips distance = std::abs(at.x - centre.x) + std::abs(at.y - centre.y);
            if (!best || distance < bestDistance) {
                best = at;
                bestDistance = distance;
            }
        }
    }
    return best;
}

AccessibleChanges compare(const std::vector<AccessibleNode>& before, const std::vector<AccessibleNode>& after) {
    AccessibleChanges changes;
    const auto same = [](const AccessibleNode& a, const AccessibleNode& b) {
        return a.element == b.element && a.role == b.role;
    };
    changes.structure = !std::equal(before.begin(), before.end(), after.begin(), after.end(), same);
    for (std::size_t i = 0; i < after.size(); ++i) {
        const bool wasFocused = !changes.structure && before[i].focused;
        if (after[i].focused && !wasFocused) changes.focus = i;
        if (changes.structure) continue;
        if (before[i].name != after[i].name) changes.renamed.push_back(i);
        if (before[i].checked != after[i].checked) changes.toggled.push_back(i);
    }
    return changes;
}

}  // namespace arcadeon
