// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The seven element kinds a window holds, their layout values and defaults.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "basic.h"

namespace arcadeon {

class Form;

enum class Kind : std::uint8_t { Image, Label, Shape, Line, Timer, CommandButton, OptionButton };

// Layout values of one element. Fields a kind does not have are ignored;
// fields the layout leaves out take the layer's defaults below.
struct Props {
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    Twips X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = true;
    std::string_view Caption = {};
    int Alignment = 0;             // 0 left, 1 right, 2 centred
    int BackStyle = 1;             // 1 opaque, 0 transparent
    Color BackColor = kButtonFace;
    Color ForeColor = kButtonText;
    arcadeon::Font Font = kDialogFont;
    arcadeon::Picture Picture = {};
    bool Stretch = false;
    int Shape = 0;                 // 0 rectangle, 3 circle, 4 rounded rectangle
    Color BorderColor = kWindowText;
    int FillStyle = 1;             // 1 transparent, 0 solid
    Color FillColor = RGB(0, 0, 0);
    int Interval = 0;              // milliseconds
    bool Enabled = true;
    int TabIndex = 0;
    bool Value = false;
    // What assistive technology calls an element that shows no text of its
    // own (a picture that opens a game); its name when empty.
    std::string_view Description = {};
};

// One row of a window's layout table.
struct ElementLayout {
    std::string_view name;
    Kind kind;
    Props props;
};

// What every element has: its name, kind and window, and the handler of its
// one event (`Click` of an image, label or button; `Timer` of a timer).
struct Element {
    std::string_view name;
    Kind kind;
    Form* form = nullptr;
    const Props* layout = nullptr;
    std::function<void()> event;

    Element() = default;
    Element(const Element&) = delete;
    Element& operator=(const Element&) = delete;
    virtual ~Element() = default;  // a window owns its elements through Element pointers

    [[nodiscard]] bool takesFocus() const {
        return kind == Kind::CommandButton || kind == Kind::OptionButton;
    }
};

struct Box : Element {
    Twips Left = 0, Top = 0, Width = 0, Height = 0;
    bool Visible = true;

    // Left <= x < Left + Width and Top <= y < Top + Height.
    [[nodiscard]] bool contains(Twips x, Twips y) const {
        return Left <= x && x < Left + Width && Top <= y && y < Top + Height;
    }
};

struct Image : Box {
    arcadeon::Picture Picture;
    bool Stretch = false;
};

struct Label : Box {
    std::string Caption;
    int Alignment = 0, BackStyle = 1;
    Color BackColor = kButtonFace, ForeColor = kButtonText;
    arcadeon::Font Font;
    int TabIndex = 0;
};

struct Shape : Box {
    int ShapeKind = 0;  // the `Shape` property
    Color BorderColor = kWindowText;
    int FillStyle = 1;
    Color FillColor = 0;
};

struct Line : Element {
    Twips X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
    bool Visible = true;
    Color BorderColor = kWindowText;
};

struct Button : Box {
    std::string Caption;
    int TabIndex = 0;
    Color BackColor = kButtonFace, ForeColor = kButtonText;
    arcadeon::Font Font;

    // The letter after a single `&`, upper-cased; 0 when the caption has none.
    [[nodiscard]] char accessKey() const;
};

// A button caption as it shows: each `&` that marks the next letter dropped
// ("&&" shows one `&`); the byte index in `text` of the first letter so
// marked (-1: none), and that letter upper-cased, the access key (0: none).
struct ShownCaption {
    std::string text;
    int marked = -1;
    char key = 0;
};
[[nodiscard]] ShownCaption shownCaption(std::string_view caption);

struct CommandButton : Button {};

struct OptionButton : Button {
    bool Value = false;
};

// A point of a window's client area, in twips.
struct Point {
    Twips x = 0, y = 0;
};

// Whether an element is drawn at all: visible, and of a kind that is drawn
// (a timer never is).
[[nodiscard]] bool isDrawn(const Element& element);

// Where a click on an element lands: the centre of its rectangle, or the
// midpoint of a line's two end points. A timer has no place: (0, 0).
[[nodiscard]] Point centreOf(const Element& element);

class Clock;

// Sets an element back to its layout values.
void resetToLayout(Element& element, const Clock& clock);

// `Enabled` of a timer, and the timer's schedule on the layer's clock.
// Reads and writes like a plain flag; turning it on starts a fresh period,
// turning it off stops the timer at once.
class TimerEnabled {
public:
    TimerEnabled& operator=(bool on);
    operator bool() const { return on_; }  // NOLINT: reads like the property

    // Back to a layout: an interval in milliseconds, and on (counting from
    // now) or off.
    void reset(const Clock& clock, int intervalMillis, bool on);
    // Enabled with an interval that lets it tick.
    [[nodiscard]] bool running() const { return on_ && period_ > 0; }
    // Its tick falls due at `boundary`.
    [[nodiscard]] bool dueAt(std::int64_t boundary) const { return running() && nextDue_ <= boundary; }
    // Takes the tick due at `boundary`, to deliver now or, while input is
    // blocked, to owe until it is free again; the next falls one period on.
    void takeTick(std::int64_t boundary, bool owed) {
        nextDue_ = boundary + period_;
        owed_ = owed;
    }
    // It owes a tick and is still enabled to deliver it.
    [[nodiscard]] bool owesTick() const { return owed_ && on_; }
    void payTick() { owed_ = false; }

private:
    bool on_ = false;
    bool owed_ = false;            // fell due while input was blocked
    std::int64_t nextDue_ = 0;     // index of the boundary it ticks at next
    std::int64_t period_ = 1;      // in clock periods; 0 never ticks
    const Clock* clock_ = nullptr;
};

struct Timer : Element {
    int Interval = 0;
    TimerEnabled Enabled;
};

}  // namespace arcadeon
