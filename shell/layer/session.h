// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one thing a front end talks to. It hands over its input as it has it
// (a button pressed or let go at a point of a window, the pointer moved or
// gone, a key, a window activated, closed or resized, the time now); the
// session checks each piece, turns it into the layer's events under the
// click rule, records it (Recorder) and answers what the front end does
// next: which command button to draw pressed, when to wake, which box to
// show. A piece of input that cannot be taken as it is (a point that is not
// a number, a size out of range) is refused with a reason and recorded
// nowhere, so that every recording reads back.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "shell/layer/app.h"
#include "shell/layer/form.h"
#include "shell/layer/recorder.h"

namespace arcadeon {

// The mouse buttons, as the layer counts them in MouseMove's button state;
// the back and forward buttons click as the others do, and no command button.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
inline constexpr int kBackButton = 8;
inline constexpr int kForwardButton = 16;
inline constexpr int kAnyButton = 31;

// What pressed: a mouse, or a finger (a pen counts as one). A finger
// reaches the point it touches before it presses there, and one held
// longer than a tap is lifted with no click.
enum class Pointer { Mouse, Touch };

// How a piece of input was taken.
enum class [[nodiscard]] Outcome {
    Taken,    // it reached the layer, or changed what is held
    Ignored,  // sound input that changes nothing now (a box is open, no press to end...)
    Refused,  // it cannot be taken as it is: Session::refusal() says why
};

// What a front end does for the session: the layer's notifications
// (FrontEnd), passed on as they come, and its message boxes.
class Screen : public FrontEnd {
public:
    // Shows a modal box with one OK button; returns once the person closed
    // it, with the real time (microseconds) it was closed at.
    virtual std::int64_t showBox(std::string_view title, std::string_view prompt) = 0;
    // The layer's boxes reach a screen through the session (Session::messageBox).
    void messageBox(std::string_view title, std::string_view prompt) final { (void)showBox(title, prompt); }
};

// Where a window goes when it is centred on an area: its top-left corner, in
// whole pixels of the area, never above or left of it.
struct Placement {
    int left, top;
};
[[nodiscard]] Placement centredIn(double areaWidth, double areaHeight, double outerWidth, double outerHeight);

class Session final : public FrontEnd {
public:
    // A touch held longer than this is no tap: lifted, it clicks nothing.
    static constexpr std::int64_t kLongestTapMicros = 500'000;
    // The largest client area a front end may ask for, in twips on each side
    // (32767 pixels, what window systems allow).
    static constexpr double kLargestClient = 32767.0 * 15.0;
    // The densities a window may be drawn at, in device pixels a pixel.
    static constexpr double kSmallestRatio = 1.0 / 256.0;
    static constexpr double kLargestRatio = 16.0;

    Session(App& app, Screen& screen);
    ~Session() override;
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Every call takes `now`, the real time in microseconds on the
    // program's clock, and first lets the time up to it pass (catchUp).

    // `button` pressed at (x, y), twips of `form`'s client area; `shift`
    // the modifier bits held. Starts a click unless a button is held
    // already, a box is open, or the point lies outside the client area.
    Outcome press(std::int64_t now, Form& form, double x, double y, int button, int shift = 0, Pointer pointer = Pointer::Mouse);
    // A finger pressed on the page beside `form`, at (x, y) outside its
    // client area, for a window steered from beside it: pressed at the
    // nearest point inside, as if it had slid there from the window (see
    // move), so it steers and taps as a finger on the window does.
    Outcome pressBeside(std::int64_t now, Form& form, double x, double y, int shift = 0);
    // A second finger touched (`down`) or lifted while a finger holds a
    // press: lifted within a tap's time, it is the held finger's click, where
    // that finger is (its last point in the window); it moves nothing, and
    // the held finger goes on holding. So one finger steers, another fires.
    Outcome secondFinger(std::int64_t now, bool down);
    // `button` let go at (x, y) of `form`: a click when it ends the press of
    // that button over what it pressed (see click rule in session.cpp). A
    // release at a point that is not a number lets the button go, no click.
    Outcome release(std::int64_t now, Form& form, double x, double y, int button, Pointer pointer = Pointer::Mouse);
    // The pointer at (x, y) of `form` with `buttons` held: a button held
    // before and missing now was let go here. While a click is pressed the
    // pointer stays in its window: a point outside its client area reaches
    // it at the nearest point inside, a move over another window nowhere.
    Outcome move(std::int64_t now, Form& form, double x, double y, int buttons, int shift = 0);
    // The front end lost the pointer (taken back, cancelled): every button is
    // let go with no click.
    Outcome pointerGone(std::int64_t now);
    // A key pressed (`down`) or let go; `repeat` when the keyboard repeats
    // it. A repeated press is a press; a repeated release is none.
    Outcome key(std::int64_t now, bool down, int code, int shift, bool repeat = false);
    Outcome activate(std::int64_t now, Form& form);
    Outcome close(std::int64_t now, Form& form);
    // The client area dragged to width × height twips.
    Outcome resize(std::int64_t now, Form& form, double width, double height);
    // Assistive technology pressed element `element` of `form`: a click at a
    // point of it.
    Outcome pressElement(std::int64_t now, Form& form, std::size_t element);
    // Why the last refused input was refused.
    [[nodiscard]] std::string_view refusal() const { return refusal_; }

    // Time: woken at `now`, the ticks that are due are delivered. True when
    // any was.
    bool wake(std::int64_t now);
    // When to wake next for time to pass, in whole milliseconds from `now`
    // (0: at once): the next clock boundary, rounded up and never more than a
    // period and a millisecond away, so a timer of the front end that fires
    // a little early wakes once more, not a period late. None while only
    // input can change anything (no timer runs, a box is open, the end).
    [[nodiscard]] std::optional<int> wakeIn(std::int64_t now) const;

    // What to draw: the command button of `form` held down with the pointer
    // over it, drawn pressed; nullptr when none.
    [[nodiscard]] const Element* pressed(const Form& form) const;
    // The window of the click in progress; nullptr when none.
    [[nodiscard]] const Form* pressing() const;
    // The command button drawn pressed, in whichever window the click is
    // in progress; nullptr when none.
    [[nodiscard]] const Element* pressedButton() const;
    // Whether `ratio` device pixels a pixel can be drawn at (a finite number
    // between kSmallestRatio and kLargestRatio); false sets refusal().
    [[nodiscard]] bool drawableAt(double ratio);

    // Timer events delivered so far, and spans the program could not keep up
    // with, caught up as a stall.
    [[nodiscard]] std::uint64_t ticks() const { return ticks_; }
    [[nodiscard]] std::uint64_t stalls() const { return stalls_; }

    [[nodiscard]] App& app() { return app_; }
    // The recording, when one is made: it holds exactly what the layer received.
    [[nodiscard]] Recorder& recorder() { return recorder_; }

    // FrontEnd: the layer's requests, answered for the front end.
    void messageBox(std::string_view title, std::string_view prompt) override;
    void formLoading(Form& form) override { screen_.formLoading(form); }
    void formShown(Form& form) override { screen_.formShown(form); }
    void formHidden(Form& form) override { screen_.formHidden(form); }
    void formUnloaded(Form& form) override { screen_.formUnloaded(form); }
    void formActivated(Form* form) override { screen_.formActivated(form); }
    void delivering(const Form& form, const Element* element) override;
    void changed() override { screen_.changed(); }
    void programEnded() override { screen_.programEnded(); }

private:
    // The click in progress: the window, the load it was pressed in, the
    // button, and what it was pressed on.
    struct Click {
        Form* form = nullptr;
        std::uint64_t serial = 0;
        int button = 0;
        const Element* target = nullptr;  // nullptr: the window itself
        bool targetIsButton = false;      // a command or option button
        bool targetIsCommand = false;     // a command button
        bool inside = true;               // the pointer is over it still
        Pointer pointer = Pointer::Mouse;
        std::int64_t since = 0;
        Twips x = 0, y = 0;               // where the pointer is in the window, as last heard
        bool beside = false;              // pressed beside the window (pressBeside)
    };

    [[nodiscard]] Outcome refuse(std::string_view why);
    void catchUp(std::int64_t now);
    // The click in progress, forgotten when its window went away.
    [[nodiscard]] const Click* current() const;
    // `button` let go at (x, y) of `form`: whether that makes the click.
    [[nodiscard]] bool letGo(std::int64_t now, const Form& form, Twips x, Twips y, int button, Pointer pointer);

    App& app_;
    Screen& screen_;
    Recorder recorder_;
    std::optional<Click> click_;
    int held_ = 0;  // every button held down, as last heard
    std::optional<std::int64_t> secondSince_;  // a second finger down since then
    std::uint64_t ticks_ = 0;
    std::uint64_t stalls_ = 0;
    std::string_view refusal_;
};

}  // namespace arcadeon
