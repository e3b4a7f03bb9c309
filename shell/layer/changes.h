// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What changed on the screen: handlers write element properties directly,
// so the layer finds out by comparing each visible window with what it
// showed when it was last drawn.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "basic.h"
#include "element.h"

namespace arcadeon {

class App;
class Form;

// A rectangle in twips: an element's own, or for a line the rectangle its
// two end points span (the pen's pixel right of and below it is the front
// end's to add).
struct Area {
    Twips left = 0, top = 0, width = 0, height = 0;
    bool operator==(const Area&) const = default;
};

// Where an element is drawn: its rectangle, or its line's; nothing for a timer.
[[nodiscard]] Area areaOf(const Element& element);

// One change of what a window shows.
struct Change {
    const Form* form = nullptr;
    // The element that changed; nullptr when the whole window is to be drawn
    // (it was just shown, or its size changed).
    const Element* element = nullptr;
    std::optional<Area> before;  // where the element was drawn; none if it was not
    std::optional<Area> after;   // where it is drawn now; none if it is not
};

class ChangeTracker {
public:
    // What differs, window by window, from what the visible windows showed
    // at the last call; the windows' state is then taken as drawn. Hidden
    // and unloaded windows are forgotten: shown again, or loaded anew, they
    // are drawn whole.
    const std::vector<Change>& collect(const App& app);

private:
    // What one element shows: the properties its drawing reads.
    struct Drawn {
        Area area;
        bool shown = false;
        Color colors[3] = {0, 0, 0};
        int values[4] = {0, 0, 0, 0};
        Font font;
        std::string_view picture;
        std::string caption;
        bool operator==(const Drawn&) const;
    };
    struct Shown {
        std::uint64_t loadSerial = 0;
        Twips width = 0, height = 0;
        std::vector<Drawn> elements;
    };
    static void look(const App& app, const Form& form, const Element& element, Drawn& drawn);

    std::map<const Form*, Shown> forms_;
    std::vector<Change> changes_;
    Drawn scratch_;
};

}  // namespace arcadeon
