// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app.h"

#include <algorithm>
#include <string>
#include <utility>

namespace arcadeon {

namespace {

// Counts a nesting level for as long as it lives, also when a handler throws.
class Nesting {
public:
    explicit Nesting(int& level) : level_(level) { ++level_; }
    ~Nesting() { --level_; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    int& level_;
};

bool isAccessKeyCode(int code) { return (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9'); }

}  // namespace

// ---- handlers and the queue --------------------------------------------------

template <class F>
void App::runHandler(F&& handler) {
    try {
        Nesting busy(busy_);
        handler();
    } catch (const EndProgram&) {
        endProgram();
    } catch (const RunTimeError& error) {
        reportError(error);
    }
}

template <class F>
void App::dispatch(Form& form, const Element* element, F&& handler) {
    if (ended_) return;
    frontEnd_->delivering(form, element);
    runHandler(std::forward<F>(handler));
    afterEvent();
}

// Once a handler has returned: the ticks withheld meanwhile, and the end of
// the program when nothing is left on the screen.
void App::afterEvent() {
    deliverWithheldTicks();
    endIfNothingOnScreen();
}

void App::start(Form& startup) {
    if (ended_) return;
    runHandler([&] { startup.Show(); });
    afterEvent();
}

void App::MsgBox(std::string_view prompt, std::string_view title) {
    Nesting modal(modal_);
    frontEnd_->messageBox(title, prompt);
}

void App::End() { throw EndProgram{}; }

void App::endProgram() {
    if (ended_) return;
    ended_ = true;
    for (Form* form : loadOrder_) {
        form->visible_ = false;
        form->loaded_ = false;
    }
    stack_.clear();
    loadOrder_.clear();
    frontEnd_->programEnded();
}

// The program ends when no window is loaded any more; and, rather than run
// on with no window a person could reach, when an event leaves nothing on
// the screen (a title-bar close, or Resume hiding the last window shown).
void App::endIfNothingOnScreen() {
    if (!ended_ && busy_ == 0 && modal_ == 0 && stack_.empty()) endProgram();
}

void App::reportError(const RunTimeError& error) {
    MsgBox("Run-time error '" + std::to_string(error.number()) + "': " + error.what(), "Arcadeon");
    endProgram();
}

// ---- windows -----------------------------------------------------------------

void App::formLoading(Form& form) {
    std::erase(loadOrder_, &form);
    loadOrder_.push_back(&form);
    frontEnd_->formLoading(form);
}

void App::formShown(Form& form) {
    bringToFront(form);
    frontEnd_->formShown(form);
}

void App::formHidden(Form& form) {
    removeFromStack(form);
    frontEnd_->formHidden(form);
}

void App::formUnloaded(Form& form) {
    removeFromStack(form);
    std::erase(loadOrder_, &form);
    frontEnd_->formUnloaded(form);
}

void App::bringToFront(Form& form) {
    Form* before = activeForm();
    std::erase(stack_, &form);
    stack_.push_back(&form);
    if (before != &form) frontEnd_->formActivated(&form);
}

void App::removeFromStack(Form& form) {
    Form* before = activeForm();
    std::erase(stack_, &form);
    if (before != activeForm()) frontEnd_->formActivated(activeForm());
}

// ---- input -------------------------------------------------------------------

void App::click(Form& form, Twips x, Twips y) {
    if (ended_ || inputBlocked() || !form.visible() || !form.clientContains(x, y)) return;
    if (activeForm() != &form) bringToFront(form);
    Element* target = form.hitTest(x, y);
    if (target == nullptr) {
        dispatch(form, nullptr, [&] { form.Form_Click(); });
    } else if (target->takesFocus()) {
        pressButton(form, *target);
    } else if (target->event) {
        dispatch(form, target, target->event);
    }
}

void App::pressButton(Form& form, Element& element) {
    form.setFocus(&element);  // an option button is selected by taking the focus
    if (element.kind == Kind::CommandButton && element.event) dispatch(form, &element, element.event);
}

void App::mouseMove(Form& form, Twips x, Twips y, int button, int shift) {
    if (ended_ || inputBlocked() || !form.visible() || !form.clientContains(x, y)) return;
    if (form.hitTest(x, y) != nullptr) return;  // over an element: not the window's own move
    dispatch(form, nullptr, [&] { form.Form_MouseMove(button, shift, x, y); });
}

void App::keyDown(int code, int shift) {
    Form* form = activeForm();
    if (ended_ || inputBlocked() || form == nullptr) return;
    if (form->focus() != nullptr) {
        dialogKey(*form, code, shift);
    } else {
        dispatch(*form, nullptr, [&] { form->Form_KeyDown(code, shift); });
    }
}

void App::keyUp(int code, int shift) {
    Form* form = activeForm();
    if (ended_ || inputBlocked() || form == nullptr || form->focus() != nullptr) return;
    dispatch(*form, nullptr, [&] { form->Form_KeyUp(code, shift); });
}

// Keys in a window whose focus is on a button or option button.
void App::dialogKey(Form& form, int code, int shift) {
    std::vector<Button*> order = form.tabOrder();
    if (order.empty()) return;
    auto* focused = static_cast<Button*>(form.focus());
    auto step = [](const std::vector<Button*>& ring, Button* from, int by) {
        auto at = std::find(ring.begin(), ring.end(), from);
        const auto size = static_cast<std::ptrdiff_t>(ring.size());
        const std::ptrdiff_t index = at == ring.end() ? 0 : (at - ring.begin() + by + size) % size;
        return ring[static_cast<std::size_t>(index)];
    };

    if (code == kKeyTab) {
        form.setFocus(step(order, focused, (shift & kShift) != 0 ? -1 : 1));
    } else if (code >= kKeyLeft && code <= kKeyDown) {
        if (focused->kind != Kind::OptionButton) return;
        std::vector<Button*> options;
        std::copy_if(order.begin(), order.end(), std::back_inserter(options),
                     [](const Button* b) { return b->kind == Kind::OptionButton; });
        form.setFocus(step(options, focused, code == kKeyLeft || code == kKeyUp ? -1 : 1));
    } else if (code == kKeyEnter || code == kKeySpace) {
        if (focused->kind == Kind::CommandButton && focused->event) dispatch(form, focused, focused->event);
    } else if (isAccessKeyCode(code)) {
        // With Alt, or alone: the focus is on a button whenever we get here.
        for (Button* button : order) {
            if (button->accessKey() == static_cast<char>(code)) {
                pressButton(form, *button);
                return;
            }
        }
    }
}

void App::activate(Form& form) {
    if (ended_ || inputBlocked() || !form.visible()) return;
    bringToFront(form);
}

void App::close(Form& form) {
    if (ended_ || inputBlocked() || !form.visible()) return;
    form.Unload();
    endIfNothingOnScreen();
}

void App::resize(Form& form, Twips width, Twips height) {
    if (ended_ || inputBlocked() || !form.visible()) return;
    form.scaleWidth_ = width;
    form.scaleHeight_ = height;
}

// ---- time --------------------------------------------------------------------

// True when some loaded window has a timer that can tick.
bool App::anyTimerRunning() const {
    for (const Form* form : loadOrder_) {
        for (const Timer* timer : form->timers_) {
            if (timer->Enabled.on_ && timer->Enabled.period_ > 0) return true;
        }
    }
    return false;
}

// With no timer running nothing can happen before `micros`: no handler runs
// to start one. The clock goes straight to the last boundary on the way.
void App::skipIdleBoundaries(std::int64_t micros) {
    if (ended_ || micros < clock_.nextBoundaryTime() || anyTimerRunning()) return;
    clock_.boundary_ = micros / Clock::kPeriodMicros;
    clock_.now_ = clock_.boundary_ * Clock::kPeriodMicros;
}

void App::advanceTo(std::int64_t micros) {
    skipIdleBoundaries(micros);
    while (!ended_ && clock_.nextBoundaryTime() <= micros) {
        clock_.now_ = clock_.nextBoundaryTime();
        ++clock_.boundary_;
        processBoundary(clock_.boundary_);
    }
    if (!ended_) clock_.now_ = std::max(clock_.now_, micros);
}

void App::catchUpTo(std::int64_t micros) {
    skipIdleBoundaries(micros);
    while (!ended_ && clock_.nextBoundaryTime() + Clock::kPeriodMicros <= micros) {
        clock_.now_ = clock_.nextBoundaryTime();
        ++clock_.boundary_;
        withholdDueTicks(clock_.boundary_);
    }
    advanceTo(micros);
    if (!inputBlocked()) deliverWithheldTicks();
}

// Every timer that is due at `boundary` ticks, windows in load order and
// timers in element order; one enabled during this boundary waits for the next.
void App::processBoundary(std::int64_t boundary) {
    if (inputBlocked()) {
        withholdDueTicks(boundary);
        return;
    }
    // Handlers may load and unload windows: go by the order as it stood when
    // the boundary began, skipping a window unloaded (or loaded anew) meanwhile.
    // Only one boundary is processed this way at a time, so one buffer serves.
    boundaryOrder_.clear();
    for (Form* form : loadOrder_) boundaryOrder_.emplace_back(form, form->loadSerial_);
    for (std::size_t i = 0; i < boundaryOrder_.size(); ++i) {
        auto [form, serial] = boundaryOrder_[i];
        for (Timer* timer : form->timers_) {
            if (ended_ || !form->loaded_ || form->loadSerial_ != serial) break;
            TimerEnabled& enabled = timer->Enabled;
            if (!enabled.on_ || enabled.period_ == 0 || enabled.nextDue_ > boundary) continue;
            enabled.nextDue_ = boundary + enabled.period_;
            enabled.pending_ = false;
            if (timer->event) dispatch(*form, timer, timer->event);
        }
    }
}

// Ticks that fall due while a handler runs or a box is open are not stored
// up: each timer remembers that it owes one and keeps its period.
void App::withholdDueTicks(std::int64_t boundary) {
    for (Form* form : loadOrder_) {
        for (Timer* timer : form->timers_) {
            TimerEnabled& enabled = timer->Enabled;
            if (!enabled.on_ || enabled.period_ == 0 || enabled.nextDue_ > boundary) continue;
            enabled.nextDue_ = boundary + enabled.period_;
            enabled.pending_ = true;
            ++withheld_;
        }
    }
}

void App::deliverWithheldTicks() {
    // withheld_ counts ticks owed at most: a timer stopped or reloaded since owes none.
    while (withheld_ > 0 && !ended_ && !inputBlocked()) {
        Timer* owed = nullptr;
        for (Form* form : loadOrder_) {
            for (Timer* timer : form->timers_) {
                if (timer->Enabled.pending_ && timer->Enabled.on_) {
                    owed = timer;
                    break;
                }
            }
            if (owed != nullptr) break;
        }
        if (owed == nullptr) {
            withheld_ = 0;
            return;
        }
        --withheld_;
        owed->Enabled.pending_ = false;
        if (!owed->event) continue;
        frontEnd_->delivering(*owed->form, owed);
        runHandler(owed->event);
    }
}

}  // namespace arcadeon
