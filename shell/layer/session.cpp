// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer/session.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "shell/layer/accessible.h"

namespace arcadeon {

namespace {

// A coordinate a front end passes: a number that a single-precision twip holds.
bool twipsValue(double value) {
    return std::isfinite(value) && std::fabs(value) <= static_cast<double>(std::numeric_limits<Twips>::max());
}

// Modifier bits a front end may pass: Shift, Ctrl and Alt.
bool modifiers(int shift) { return (shift & ~(kShift | kCtrl | kAlt)) == 0; }

// The buttons the layer's MouseMove tells of; back and forward are not among them.
constexpr int kMoveButtons = kLeftButton | kRightButton | kMiddleButton;

bool oneButton(int button) {
    return button == kLeftButton || button == kRightButton || button == kMiddleButton || button == kBackButton ||
           button == kForwardButton;
}

// The point of [0, size) nearest to `value`; none when the range is empty.
std::optional<Twips> within(Twips value, Twips size) {
    if (!(size > 0)) return std::nullopt;
    return std::clamp(value, Twips{0}, std::nextafter(size, Twips{0}));
}

// What a pointer at (x, y) of `form` is over: an element, the window itself
// (nullptr), or, outside the client area, nothing (false).
bool over(const Form& form, Twips x, Twips y, const Element*& hit) {
    if (!form.clientContains(x, y)) return false;
    hit = form.hitTest(x, y);
    return true;
}

}  // namespace

Placement centredIn(double areaWidth, double areaHeight, double outerWidth, double outerHeight) {
    const auto centre = [](double area, double outer) {
        const double at = std::floor((area - outer) / 2);
        return at > 0 && std::isfinite(at) ? static_cast<int>(std::min(at, 1e9)) : 0;
    };
    return {centre(areaWidth, outerWidth), centre(areaHeight, outerHeight)};
}

Session::Session(App& app, Screen& screen) : app_(app), screen_(screen), recorder_(app) { app_.setFrontEnd(this); }

Session::~Session() { app_.setFrontEnd(nullptr); }

Outcome Session::refuse(std::string_view why) {
    refusal_ = why;
    return Outcome::Refused;
}

// Real time reaches the layer: on time as a `wait`, more than one boundary
// late (the program was stopped, or busy) as a `stall` (Recorder::catchUpTo).
void Session::catchUp(std::int64_t now) {
    if (recorder_.catchUpTo(now)) ++stalls_;
}

const Session::Click* Session::current() const {
    if (!click_) return nullptr;
    const WindowState& state = click_->form->state();
    // Unloaded, loaded again or hidden under the press: it is gone.
    if (!state.visible || state.loadSerial != click_->serial) return nullptr;
    return &*click_;
}

// The click rule. A click is `button` pressed and let go over the same
// receiver of the same window (an element, or the window's own part of its
// client area), in the same load of the window, with no box opened since;
// command and option buttons answer the left button only; a touch longer
// than a tap clicks nothing. Whatever it gives, the press is over.
bool Session::letGo(std::int64_t now, const Form& form, Twips x, Twips y, int button, Pointer pointer) {
    if (!click_ || click_->button != button) return false;
    const Click* press = current();
    const Click pressed = press != nullptr ? *press : Click{};
    click_.reset();
    if (press == nullptr || pressed.form != &form || app_.inputBlocked()) return false;
    if (pointer == Pointer::Touch && now - pressed.since > kLongestTapMicros) return false;
    const Element* hit = nullptr;
    if (!over(form, x, y, hit) || hit != pressed.target) return false;
    return !pressed.targetIsButton || button == kLeftButton;
}

Outcome Session::press(std::int64_t now, Form& form, double x, double y, int button, int shift, Pointer pointer) {
    if (app_.ended()) return Outcome::Ignored;
    if (!twipsValue(x) || !twipsValue(y)) return refuse("the point is not a number of twips");
    if (!oneButton(button)) return refuse("no such mouse button");
    if (!modifiers(shift)) return refuse("no such modifier key");
    catchUp(now);
    const auto tx = static_cast<Twips>(x), ty = static_cast<Twips>(y);
    // A finger reaches the point it touches first, as a mouse would have moved there.
    if (pointer == Pointer::Touch && current() == nullptr) (void)move(now, form, x, y, held_, shift);
    held_ |= button;
    // Pressed again, the button was let go meanwhile where the front end
    // could not tell: that press is over, with no click.
    if (click_ && click_->button == button) click_.reset();
    if (current() != nullptr || app_.inputBlocked() || !form.visible()) return Outcome::Ignored;
    const Element* hit = nullptr;
    if (!over(form, tx, ty, hit)) return Outcome::Ignored;
    // The element's kind is kept apart from it: an unload under the press destroys it.
    click_ = Click{&form,    form.state().loadSerial, button, hit, hit != nullptr && hit->takesFocus(),
                   hit != nullptr && hit->kind == Kind::CommandButton, true, pointer, now, tx, ty};
    secondSince_.reset();
    return Outcome::Taken;
}

Outcome Session::pressBeside(std::int64_t now, Form& form, double x, double y, int shift) {
    if (app_.ended()) return Outcome::Ignored;
    if (!twipsValue(x) || !twipsValue(y)) return refuse("the point is not a number of twips");
    if (!form.visible()) return Outcome::Ignored;
    const std::optional<Twips> cx = within(static_cast<Twips>(x), form.clientWidth());
    const std::optional<Twips> cy = within(static_cast<Twips>(y), form.clientHeight());
    if (!cx || !cy) return Outcome::Ignored;
    const Outcome outcome = press(now, form, *cx, *cy, kLeftButton, shift, Pointer::Touch);
    if (outcome == Outcome::Taken) click_->beside = true;
    return outcome;
}

Outcome Session::secondFinger(std::int64_t now, bool down) {
    if (app_.ended()) return Outcome::Ignored;
    catchUp(now);
    const Click* held = current();
    if (held == nullptr || held->pointer != Pointer::Touch) {
        secondSince_.reset();
        return Outcome::Ignored;
    }
    if (down) {
        secondSince_ = now;
        return Outcome::Taken;
    }
    const bool tap = secondSince_ && now - *secondSince_ <= kLongestTapMicros;
    secondSince_.reset();
    if (!tap || app_.inputBlocked()) return Outcome::Ignored;
    // The click may unload the window or open a box: what it needs is copied first.
    Form& form = *held->form;
    const Twips x = held->x, y = held->y;
    recorder_.click(form, x, y);
    return Outcome::Taken;
}

Outcome Session::release(std::int64_t now, Form& form, double x, double y, int button, Pointer pointer) {
    if (app_.ended()) return Outcome::Ignored;
    if (!oneButton(button)) return refuse("no such mouse button");
    held_ &= ~button;
    if (!twipsValue(x) || !twipsValue(y)) {
        if (click_ && click_->button == button) click_.reset();
        return refuse("the point is not a number of twips");
    }
    catchUp(now);
    auto tx = static_cast<Twips>(x), ty = static_cast<Twips>(y);
    // Pressed beside the window, it is let go at the nearest point inside.
    if (click_ && click_->beside && click_->form == &form) {
        tx = within(tx, form.clientWidth()).value_or(tx);
        ty = within(ty, form.clientHeight()).value_or(ty);
    }
    if (!letGo(now, form, tx, ty, button, pointer)) return Outcome::Ignored;
    recorder_.click(form, tx, ty);
    return Outcome::Taken;
}

Outcome Session::move(std::int64_t now, Form& form, double x, double y, int buttons, int shift) {
    if (app_.ended()) return Outcome::Ignored;
    if (!twipsValue(x) || !twipsValue(y)) return refuse("the point is not a number of twips");
    if ((buttons & ~kAnyButton) != 0) return refuse("no such mouse button");
    if (!modifiers(shift)) return refuse("no such modifier key");
    catchUp(now);
    const auto tx = static_cast<Twips>(x), ty = static_cast<Twips>(y);
    // A button held before and not now was let go here (a browser tells of a
    // button let go while another is held only so).
    const int letGoHere = held_ & ~buttons;
    held_ = buttons;
    if (!current()) click_.reset();
    Outcome outcome = Outcome::Taken;
    if (!click_) {
        recorder_.mouseMove(form, tx, ty, buttons & kMoveButtons, shift);
    } else if (click_->form != &form) {
        outcome = Outcome::Ignored;  // held down, the pointer stays in the window it pressed
    } else {
        const Element* hit = nullptr;
        click_->inside = over(form, tx, ty, hit) && hit == click_->target;
        // outside the client area, at the nearest point inside it
        const std::optional<Twips> cx = within(tx, form.clientWidth()), cy = within(ty, form.clientHeight());
        if (cx && cy) {
            click_->x = *cx;
            click_->y = *cy;
            recorder_.mouseMove(form, *cx, *cy, buttons & kMoveButtons, shift);
        } else {
            outcome = Outcome::Ignored;
        }
    }
    if (click_ && !app_.ended() && (letGoHere & click_->button) != 0) {
        if (letGo(now, form, tx, ty, click_->button, click_->pointer)) {
            recorder_.click(form, tx, ty);
            outcome = Outcome::Taken;
        }
    }
    return outcome;
}

Outcome Session::pointerGone(std::int64_t now) {
    if (app_.ended()) return Outcome::Ignored;
    catchUp(now);
    held_ = 0;
    secondSince_.reset();
    if (!click_) return Outcome::Ignored;
    click_.reset();
    return Outcome::Taken;
}

Outcome Session::key(std::int64_t now, bool down, int code, int shift, bool repeat) {
    if (app_.ended()) return Outcome::Ignored;
    if (code < 0 || code > 255) return refuse("a key code is a whole number from 0 to 255");
    if (!modifiers(shift)) return refuse("no such modifier key");
    // A held key repeats its press; its release comes once, when it is let go.
    if (!down && repeat) return Outcome::Ignored;
    catchUp(now);
    if (down) {
        recorder_.keyDown(code, shift);
    } else {
        recorder_.keyUp(code, shift);
    }
    return Outcome::Taken;
}

Outcome Session::activate(std::int64_t now, Form& form) {
    if (app_.ended()) return Outcome::Ignored;
    catchUp(now);
    recorder_.activate(form);
    return Outcome::Taken;
}

Outcome Session::close(std::int64_t now, Form& form) {
    if (app_.ended()) return Outcome::Ignored;
    catchUp(now);
    recorder_.close(form);
    return Outcome::Taken;
}

Outcome Session::resize(std::int64_t now, Form& form, double width, double height) {
    if (app_.ended()) return Outcome::Ignored;
    const auto size = [](double value) { return std::isfinite(value) && value >= 0 && value <= kLargestClient; };
    if (!size(width) || !size(height)) return refuse("a client area is 0 to 32767 pixels on each side");
    catchUp(now);
    recorder_.resize(form, static_cast<Twips>(width), static_cast<Twips>(height));
    return Outcome::Taken;
}

Outcome Session::pressElement(std::int64_t now, Form& form, std::size_t element) {
    if (app_.ended()) return Outcome::Ignored;
    if (!form.visible()) return Outcome::Ignored;
    const std::optional<Point> at = pressPoint(form, element);
    if (!at) return refuse("no element there to press");
    catchUp(now);
    recorder_.click(form, at->x, at->y);
    return Outcome::Taken;
}

bool Session::wake(std::int64_t now) {
    const std::uint64_t before = ticks_;
    catchUp(now);
    return ticks_ != before;
}

std::optional<int> Session::wakeIn(std::int64_t now) const {
    const std::optional<std::int64_t> wait = recorder_.nextWakeIn(now);
    if (!wait) return std::nullopt;
    return static_cast<int>(std::min<std::int64_t>((*wait + 999) / 1000, Clock::kPeriodMicros / 1000 + 1));
}

const Element* Session::pressed(const Form& form) const {
    const Click* press = current();
    return press != nullptr && press->form == &form && press->inside && press->targetIsCommand ? press->target : nullptr;
}

const Form* Session::pressing() const {
    const Click* press = current();
    return press != nullptr ? press->form : nullptr;
}

const Element* Session::pressedButton() const {
    const Click* press = current();
    return press != nullptr ? pressed(*press->form) : nullptr;
}

bool Session::drawableAt(double ratio) {
    if (std::isfinite(ratio) && ratio >= kSmallestRatio && ratio <= kLargestRatio) return true;
    refusal_ = "a window is drawn at 1/256 to 16 device pixels a pixel";
    return false;
}

// The box takes the pointer: a button held as it opens is let go over the
// box, and its press makes no click afterwards. The time it was open
// passes once it is closed (the ticks that fell due meanwhile are owed, one
// a timer), then its OK.
void Session::messageBox(std::string_view title, std::string_view prompt) {
    click_.reset();
    secondSince_.reset();
    held_ = 0;
    const std::int64_t closed = screen_.showBox(title, prompt);
    if (recorder_.boxClosed(closed)) ++stalls_;
}

void Session::delivering(const Form& form, const Element* element) {
    if (element != nullptr && element->kind == Kind::Timer) ++ticks_;
    screen_.delivering(form, element);
}

}  // namespace arcadeon
