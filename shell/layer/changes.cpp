// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "changes.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "app.h"
#include "form.h"

namespace arcadeon {

namespace {

// Twips compared as stored: a NaN equals itself, so it is not a change at
// every look. (memcmp, not std::bit_cast: the web build's library has none.)
bool same(Twips a, Twips b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool same(const Area& a, const Area& b) {
    return same(a.left, b.left) && same(a.top, b.top) && same(a.width, b.width) && same(a.height, b.height);
}

}  // namespace

Area areaOf(const Element& element) {
    if (element.kind == Kind::Line) {
        const auto& line = static_cast<const Line&>(element);
        return {std::min(line.X1, line.X2), std::min(line.Y1, line.Y2), std::fabs(line.X2 - line.X1),
                std::fabs(line.Y2 - line.Y1)};
    }
    if (element.kind == Kind::Timer) return {};
    const auto& box = static_cast<const Box&>(element);
    return {box.Left, box.Top, box.Width, box.Height};
}

bool ChangeTracker::Drawn::operator==(const Drawn& other) const {
    if (shown != other.shown) return false;
    if (!shown) return true;  // nothing of an element not drawn shows
    return same(area, other.area) && std::equal(std::begin(colors), std::end(colors), std::begin(other.colors)) &&
           std::equal(std::begin(values), std::end(values), std::begin(other.values)) && font == other.font &&
           picture == other.picture && caption == other.caption;
}

void ChangeTracker::look(const App& app, const Form& form, const Element& element, Drawn& drawn) {
    drawn.shown = isDrawn(element);
    drawn.area = areaOf(element);
    std::fill(std::begin(drawn.colors), std::end(drawn.colors), Color{0});
    std::fill(std::begin(drawn.values), std::end(drawn.values), 0);
    drawn.font = {};
    drawn.picture = {};
    drawn.caption.clear();  // keeps its buffer
    switch (element.kind) {
    case Kind::Image: {
        const auto& image = static_cast<const Image&>(element);
        drawn.picture = image.Picture;
        drawn.values[0] = image.Stretch ? 1 : 0;
        break;
    }
    case Kind::Label: {
        const auto& label = static_cast<const Label&>(element);
        drawn.colors[0] = label.BackColor;
        drawn.colors[1] = label.ForeColor;
        drawn.values[0] = label.Alignment;
        drawn.values[1] = label.BackStyle;
        drawn.font = label.Font;
        drawn.caption = label.Caption;  // reuses the copy's buffer
        break;
    }
    case Kind::Shape: {
        const auto& shape = static_cast<const Shape&>(element);
        drawn.colors[0] = shape.BorderColor;
        drawn.colors[1] = shape.FillColor;
        drawn.values[0] = shape.ShapeKind;
        drawn.values[1] = shape.FillStyle;
        break;
    }
    case Kind::Line: {
        const auto& line = static_cast<const Line&>(element);
        // which way the line runs between its corners
        drawn.values[0] = (line.X1 <= line.X2) == (line.Y1 <= line.Y2) ? 0 : 1;
        drawn.colors[0] = line.BorderColor;
        break;
    }
    case Kind::Timer:
        break;
    case Kind::CommandButton:
    case Kind::OptionButton: {
        const auto& button = static_cast<const Button&>(element);
        drawn.colors[0] = button.BackColor;
        drawn.colors[1] = button.ForeColor;
        drawn.font = button.Font;
        drawn.caption = button.Caption;
        // the focus shows only in the active window
        drawn.values[0] = form.focus() == &element && app.activeForm() == &form ? 1 : 0;
        drawn.values[1] = element.kind == Kind::OptionButton && static_cast<const OptionButton&>(button).Value ? 1 : 0;
        break;
    }
    }
}

const std::vector<Change>& ChangeTracker::collect(const App& app) {
    changes_.clear();
    // Windows no longer loaded, or no longer on the screen, are forgotten.
    std::erase_if(forms_, [&](const auto& entry) {
        const std::vector<Form*>& loaded = app.loadOrder();
        const auto found = std::find(loaded.begin(), loaded.end(), entry.first);
        return found == loaded.end() || !(*found)->visible();
    });
    for (const Form* form : app.loadOrder()) {
        if (!form->visible()) continue;
        const std::vector<Element*>& elements = form->elements();
        auto [at, added] = forms_.try_emplace(form);
        Shown& shown = at->second;
        if (added || shown.loadSerial != form->state().loadSerial || !same(shown.width, form->clientWidth()) ||
            !same(shown.height, form->clientHeight())) {
            shown.loadSerial = form->state().loadSerial;
            shown.width = form->clientWidth();
            shown.height = form->clientHeight();
            shown.elements.resize(elements.size());
            for (std::size_t i = 0; i < elements.size(); ++i) look(app, *form, *elements[i], shown.elements[i]);
            changes_.push_back({form, nullptr, std::nullopt, std::nullopt});
            continue;
        }
        for (std::size_t i = 0; i < elements.size(); ++i) {
            look(app, *form, *elements[i], scratch_);
            Drawn& before = shown.elements[i];
            if (scratch_ == before) continue;
            Change change{form, elements[i], std::nullopt, std::nullopt};
            if (before.shown) change.before = before.area;
            if (scratch_.shown) change.after = scratch_.area;
            changes_.push_back(change);
            std::swap(before, scratch_);
        }
    }
    return changes_;
}

}  // namespace arcadeon
