// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app.h"

#include <algorithm>
#include <stdexcept>
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

// ---- delivering events -------------------------------------------------------

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

// Every event reaches its handler here: a person's input, a timer's tick at
// a boundary and a tick owed since a handler, a box or a stall.
template <class F>
void App::deliver(Form& form, const Element* element, F&& handler) {
    if (ended_) return;
    frontEnd_->delivering(form, element);
    runHandler(std::forward<F>(handler));
    settle();
}

void App::deliverTick(Timer& timer) {
    deliver(*timer.form, &timer, [&] {
        if (timer.event) timer.event();
    });
}

// What follows every event once no handler runs and no box is open (a
// nested one leaves it to the outermost): the ticks owed meanwhile, each
// delivered like any event; then the end of the program when nothing is left
// on the screen; then the front end may show what changed.
void App::settle() {
    if (ended_ || inputBlocked()) return;
    if (Timer* owed = firstOwedTick(); owed != nullptr) {
        owed->Enabled.payTick();
        deliverTick(*owed);  // whose own settle() goes on with the rest
        return;
    }
    // The program ends when no window is loaded any more; and, rather than
    // run on with no window a person could reach, when an event leaves
    // nothing on the screen (a title-bar close, or Resume hiding the last
    // window shown).
    if (stack_.empty()) {
        endProgram();
        return;
    }
    frontEnd_->changed();
}

// The first timer, in the order of a boundary, that owes a tick.
Timer* App::firstOwedTick() {
    if (owed_ == 0) return nullptr;
    for (Form* form : loadOrder_) {
        for (Timer* timer : form->timers()) {
            if (timer->Enabled.owesTick()) {
                --owed_;
                return timer;
            }
        }
    }
    owed_ = 0;  // the rest were stopped or unloaded since: they owe nothing
    return nullptr;
}

void App::start(Form& startup) {
    if (ended_) return;
    runHandler([&] { startup.Show(); });
    settle();
}

void App::MsgBox(std::string_view prompt, std::string_view title) {
    Nesting modal(modal_);
    frontEnd_->messageBox(title, prompt);
}

void App::End() { throw EndProgram{}; }

void App::endProgram() {
    if (ended_) return;
    ended_ = true;
    for (Window& window : windows_) window.state = WindowState{};
    stack_.clear();
    loadOrder_.clear();
    frontEnd_->programEnded();
}

void App::reportError(const RunTimeError& error) {
    MsgBox("Run-time error '" + std::to_string(error.number()) + "': " + error.what(), "Arcadeon");
    endProgram();
}

// ---- windows -----------------------------------------------------------------

const WindowState& App::enroll(Form& form) { return windows_.emplace_back(Window{&form, {}}).state; }

WindowState& App::stateOf(const Form& form) {
    for (Window& window : windows_) {
        if (window.form == &form) return window.state;
    }
    throw std::logic_error("a window that the application does not know");
}

// Loads a window: its elements back to the layout, then its Load handler.
void App::load(Form& form) {
    WindowState& state = stateOf(form);
    state.loaded = true;
    state.loadSerial = ++loads_;
    form.restoreLayout(clock_);
    std::erase(loadOrder_, &form);
    loadOrder_.push_back(&form);
    frontEnd_->formLoading(form);
    form.Form_Load();
}

void App::show(Form& form) {
    form.ensureLoaded();
    if (!form.loaded()) return;  // its Load unloaded it again
    stateOf(form).visible = true;
    bringToFront(form);
    frontEnd_->formShown(form);
    form.takeFocusOnShow();
}

void App::hide(Form& form) {
    form.ensureLoaded();
    stateOf(form).visible = false;
    removeFromStack(form);
    frontEnd_->formHidden(form);
}

void App::unload(Form& form) {
    WindowState& state = stateOf(form);
    if (!state.loaded) return;
    state.visible = false;
    state.loaded = false;
    form.setFocus(nullptr);
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
        deliver(form, nullptr, [&] { form.Form_Click(); });
    } else if (target->takesFocus()) {
        pressButton(form, *target);
    } else if (target->event) {
        deliver(form, target, target->event);
    } else {
        settle();  // the click activated the window, and no handler takes it
    }
}

void App::pressButton(Form& form, Element& element) {
    form.setFocus(&element);  // an option button is selected by taking the focus
    if (element.kind == Kind::CommandButton && element.event) {
        deliver(form, &element, element.event);
    } else {
        settle();
    }
}

void App::mouseMove(Form& form, Twips x, Twips y, int button, int shift) {
    if (ended_ || inputBlocked() || !form.visible() || !form.clientContains(x, y)) return;
    if (form.hitTest(x, y) != nullptr) return;  // over an element: not the window's own move
    deliver(form, nullptr, [&] { form.Form_MouseMove(button, shift, x, y); });
}

void App::keyDown(int code, int shift) {
    Form* form = activeForm();
    if (ended_ || inputBlocked() || form == nullptr) return;
    if (form->focus() != nullptr) {
        dialogKey(*form, code, shift);
    } else {
        deliver(*form, nullptr, [&] { form->Form_KeyDown(code, shift); });
    }
}

void App::keyUp(int code, int shift) {
    Form* form = activeForm();
    if (ended_ || inputBlocked() || form == nullptr || form->focus() != nullptr) return;
    deliver(*form, nullptr, [&] { form->Form_KeyUp(code, shift); });
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
        settle();
    } else if (code >= kKeyLeft && code <= kKeyDown) {
        if (focused->kind != Kind::OptionButton) return;
        std::vector<Button*> options;
        std::copy_if(order.begin(), order.end(), std::back_inserter(options),
                     [](const Button* b) { return b->kind == Kind::OptionButton; });
        form.setFocus(step(options, focused, code == kKeyLeft || code == kKeyUp ? -1 : 1));
        settle();
    } else if (code == kKeyEnter || code == kKeySpace) {
        if (focused->kind == Kind::CommandButton && focused->event) deliver(form, focused, focused->event);
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
    settle();
}

void App::close(Form& form) {
    if (ended_ || inputBlocked() || !form.visible()) return;
    form.Unload();
    settle();
}

void App::resize(Form& form, Twips width, Twips height) {
    if (ended_ || inputBlocked() || !form.visible()) return;
    form.setClientSize(width, height);
    settle();
}

// ---- time --------------------------------------------------------------------

// True when some loaded window has a timer that can tick.
bool App::anyTimerRunning() const {
    for (const Form* form : loadOrder_) {
        for (const Timer* timer : form->timers()) {
            if (timer->Enabled.running()) return true;
        }
    }
    return false;
}

// With no timer running nothing can happen before `micros`: no handler runs
// to start one. The clock goes straight to the last boundary on the way.
void App::skipIdleBoundaries(std::int64_t micros) {
    if (ended_ || micros < clock_.nextBoundaryTime() || anyTimerRunning()) return;
    clock_.skipTo(micros);
}

void App::advanceTo(std::int64_t micros) {
    skipIdleBoundaries(micros);
    while (!ended_ && clock_.nextBoundaryTime() <= micros) {
        clock_.passBoundary();
        processBoundary(clock_.boundary());
    }
    if (!ended_) clock_.runTo(micros);
}

// The boundaries pass as they would under a long handler: withheld. Once
// it is over, settle() delivers what each timer owes, one tick each. With a
// box open it is a plain wait: the box withholds them already.
void App::stallTo(std::int64_t micros) {
    if (ended_) return;
    {
        Nesting busy(busy_);
        advanceTo(micros);
    }
    settle();
}

// Every timer that is due at `boundary` ticks, windows in load order and
// timers in element order; one enabled during this boundary waits for the
// next. While input is blocked each due timer owes its tick instead.
void App::processBoundary(std::int64_t boundary) {
    if (inputBlocked()) {
        for (Form* form : loadOrder_) {
            for (Timer* timer : form->timers()) {
                if (!timer->Enabled.dueAt(boundary)) continue;
                timer->Enabled.takeTick(boundary, true);
                ++owed_;
            }
        }
        return;
    }
    // Handlers may load and unload windows: go by the order as it stood when
    // the boundary began, skipping a window unloaded (or loaded anew) meanwhile.
    // Only one boundary is processed this way at a time, so one buffer serves.
    boundaryOrder_.clear();
    for (Form* form : loadOrder_) boundaryOrder_.emplace_back(form, form->state().loadSerial);
    for (auto [form, serial] : boundaryOrder_) {
        for (Timer* timer : form->timers()) {
            if (ended_ || !form->loaded() || form->state().loadSerial != serial) break;
            if (!timer->Enabled.dueAt(boundary)) continue;
            timer->Enabled.takeTick(boundary, false);
            deliverTick(*timer);
        }
    }
}

}  // namespace arcadeon
