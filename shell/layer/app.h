// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The running program: its windows, the delivery of every event, the clock that
// drives every timer, modal message boxes and the end of the program.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "basic.h"
#include "clock.h"
#include "form.h"

namespace arcadeon {

// Shift-state bits of key events.
enum ShiftMask : int { kShift = 1, kCtrl = 2, kAlt = 4 };

// Key codes the layer itself understands.
enum KeyCode : int {
    kKeyTab = 9, kKeyEnter = 13, kKeyEscape = 27, kKeySpace = 32,
    kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40,
};

// What a front end (the desktop program, the script runner) does for the
// layer. This one does nothing: it is what a program without a front end has,
// and there a message box closes at once.
class FrontEnd {
public:
    virtual ~FrontEnd() = default;
    // Shows a modal box with one OK button and returns once it is closed.
    // Meanwhile the layer blocks input and withholds timer ticks.
    virtual void messageBox(std::string_view /*title*/, std::string_view /*prompt*/) {}
    // Life-cycle notifications, at the moment each happens.
    virtual void formLoading(Form&) {}
    virtual void formShown(Form&) {}
    virtual void formHidden(Form&) {}
    virtual void formUnloaded(Form&) {}
    virtual void formActivated(Form*) {}
    // An event is about to be delivered to a window (element nullptr) or to
    // one of its elements.
    virtual void delivering(const Form& /*form*/, const Element* /*element*/) {}
    // Once an event and everything it set off are over: windows may have
    // changed and may be drawn.
    virtual void changed() {}
    virtual void programEnded() {}
};

class App {
public:
    App() = default;
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // nullptr goes back to no front end at all.
    void setFrontEnd(FrontEnd* frontEnd) { frontEnd_ = frontEnd != nullptr ? frontEnd : &noFrontEnd_; }

    // Loads and shows the start-up window.
    void start(Form& startup);

    // What handlers call.
    void MsgBox(std::string_view prompt, std::string_view title);
    [[noreturn]] void End();

    // A window's life cycle: what Form::Show, Hide, Unload and an implicit
    // load ask for.
    void load(Form& form);
    void show(Form& form);
    void hide(Form& form);
    void unload(Form& form);
    // Every window takes its state here when it is made.
    const WindowState& enroll(Form& form);

    // A person's input. Each is ignored while a message box is open.
    void click(Form& form, Twips x, Twips y);
    void mouseMove(Form& form, Twips x, Twips y, int button = 0, int shift = 0);
    void keyDown(int code, int shift = 0);
    void keyUp(int code, int shift = 0);
    void activate(Form& form);   // a click on the title bar
    void close(Form& form);      // the title-bar close button
    void resize(Form& form, Twips width, Twips height);

    // Time. Lets time run to `micros`, delivering the ticks of every
    // boundary on the way (the script's `wait`).
    void advanceTo(std::int64_t micros);
    // Lets time run to the `count`-th boundary from now (`tick`).
    void advanceBoundaries(std::int64_t count) { advanceTo(clock_.boundaryTimeAfter(count)); }
    // Lets time run to `micros` as if a handler ran throughout (`stall`):
    // every boundary on the way is withheld, then each timer that fell due
    // ticks once. How a front end that could not keep up catches up.
    void stallTo(std::int64_t micros);

    [[nodiscard]] const Clock& clock() const { return clock_; }
    [[nodiscard]] bool ended() const { return ended_; }
    [[nodiscard]] bool inputBlocked() const { return modal_ > 0 || busy_ > 0; }
    [[nodiscard]] bool messageBoxOpen() const { return modal_ > 0; }
    // True when some loaded window has an enabled timer: there is time to keep.
    [[nodiscard]] bool anyTimerRunning() const;
    [[nodiscard]] Form* activeForm() const { return stack_.empty() ? nullptr : stack_.back(); }
    // Visible windows from the back to the front.
    [[nodiscard]] const std::vector<Form*>& stack() const { return stack_; }
    // Loaded windows in the order in which they were last loaded.
    [[nodiscard]] const std::vector<Form*>& loadOrder() const { return loadOrder_; }

private:
    struct EndProgram {};
    struct Window {
        Form* form;
        WindowState state;
    };

    // The one way an event reaches a handler, followed by settle().
    template <class F>
    void deliver(Form& form, const Element* element, F&& handler);
    void deliverTick(Timer& timer);
    template <class F>
    void runHandler(F&& handler);
    void settle();
    [[nodiscard]] Timer* firstOwedTick();
    void processBoundary(std::int64_t boundary);
    void skipIdleBoundaries(std::int64_t micros);
    void endProgram();
    void reportError(const RunTimeError& error);

    [[nodiscard]] WindowState& stateOf(const Form& form);
    void bringToFront(Form& form);
    void removeFromStack(Form& form);

    void pressButton(Form& form, Element& element);
    void dialogKey(Form& form, int code, int shift);

    FrontEnd noFrontEnd_;
    FrontEnd* frontEnd_ = &noFrontEnd_;
    Clock clock_;
    std::deque<Window> windows_;            // every window the program has, loaded or not
    std::vector<Form*> stack_;              // visible windows, back to front
    std::vector<Form*> loadOrder_;          // loaded windows, in the order of their last load
    std::vector<std::pair<Form*, std::uint64_t>> boundaryOrder_;
    std::uint64_t loads_ = 0;
    std::int64_t owed_ = 0;                 // ticks owed at most, see firstOwedTick()
    int busy_ = 0;
    int modal_ = 0;
    bool ended_ = false;
};

}  // namespace arcadeon
