// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse buttons of one pointer, held down and let go over a window:
// which presses and releases make a click, and which command button looks
// pressed meanwhile. Every front end asks here; the click itself then goes
// to the layer through the Recorder like any other input.
#pragma once

#include "shell/layer/app.h"
#include "shell/layer/form.h"

namespace arcadeon {

// The mouse buttons, as the layer counts them in MouseMove's button state.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;

class Presses {
public:
    explicit Presses(const App& app) : app_(app) {}

    // `button` pressed at (x, y), twips of `form`'s client area. Ignored
    // while a button is held already, or while a box blocks input: a press
    // under a box starts no click.
    void press(const Form& form, Twips x, Twips y, int button);
    // The pointer is at (x, y) of `form`: the button held down looks pressed
    // only while the pointer is over the element it was pressed on.
    void move(const Form& form, Twips x, Twips y);
    // `button` let go at (x, y) of `form`. True when that makes a click: the
    // same button, released over the element it was pressed on (or, pressed
    // on the window itself, over the window's own part of its client area),
    // no box open; command and option buttons answer the left button only.
    [[nodiscard]] bool release(const Form& form, Twips x, Twips y, int button);
    // Forgets the press in progress (a message box opened): its release will be no click.
    void cancel() { form_ = nullptr; }

    // The window of the press in progress; nullptr when none.
    [[nodiscard]] const Form* form() const { return form_; }
    // The command button to draw pressed: pressed on, and the pointer over it; nullptr when none.
    [[nodiscard]] const Element* pressed() const;

private:
    // What a pointer at (x, y) of `form` is over: an element, the window itself (nullptr),
    // or, outside the client area, nothing (false).
    [[nodiscard]] static bool over(const Form& form, Twips x, Twips y, const Element*& hit);

    const App& app_;
    const Form* form_ = nullptr;  // none: no press in progress
    int button_ = 0;
    const Element* target_ = nullptr;  // the element pressed on; nullptr for the window itself
    bool targetIsButton_ = false;      // it is a command or option button
    bool targetIsCommand_ = false;     // it is a command button
    bool inside_ = false;              // the pointer is over it still
};

}  // namespace arcadeon
