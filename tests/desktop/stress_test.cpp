// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program under a burst of a person's input: thousands of random
// keys, mouse presses, releases and moves, activations and title-bar closes
// sent to its real windows, time moved on between them, and message boxes
// open part of the time. After every event the program's invariants hold;
// while a box is open no handler runs and nothing in the program changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "probe.h"
#include "shell/program.h"
#include "tools/soak/invariants.h"

namespace arcadeon::desktop::testing {
namespace {

// The layer's clock starts this far ahead of real time, so that only the
// test moves time on: the desktop's real-time wake-ups find no boundary due.
constexpr std::int64_t kHourMicros = 3'600'000'000;

// Passes every request of the layer on to the desktop, watching on the way
// each event the layer delivers and each box it opens.
class Watch final : public FrontEnd {
public:
    Watch(App& app, Desktop& desktop) : app_(app), desktop_(desktop) { app_.setFrontEnd(this); }
    ~Watch() override { app_.setFrontEnd(&desktop_.session()); }
    Watch(const Watch&) = delete;
    Watch& operator=(const Watch&) = delete;

    void messageBox(std::string_view title, std::string_view prompt) override {
        if (boxOpen) {  // a handler ran under a box; a second box would never be closed
            note("a message box was opened while another was open");
            return;
        }
        boxOpen = true;
        desktop_.session().messageBox(title, prompt);
        boxOpen = false;
    }
    void formLoading(Form& form) override { desktop_.session().formLoading(form); }
    void formShown(Form& form) override { desktop_.session().formShown(form); }
    void formHidden(Form& form) override { desktop_.session().formHidden(form); }
    void formUnloaded(Form& form) override { desktop_.session().formUnloaded(form); }
    void formActivated(Form* form) override { desktop_.session().formActivated(form); }
    void delivering(const Form& form, const Element* element) override {
        ++delivered;
        if (auto wrong = invariants::brokenDelivery(app_, form, element, keyInput)) note(*wrong);
        desktop_.session().delivering(form, element);
    }
    void programEnded() override { desktop_.session().programEnded(); }

    bool keyInput = false;  // the event being sent is a key
    bool boxOpen = false;
    long delivered = 0;     // events the layer has handed to handlers
    std::optional<std::string> broken;  // the first rule an event broke

private:
    void note(const std::string& what) {
        if (!broken) broken = what;
    }

    App& app_;
    Desktop& desktop_;
};

// The whole program on the desktop, started with its menu.
struct Running {
    Program program;
    Desktop desktop{program.app};
    Watch watch{program.app, desktop};

    Running() {
        desktop.start(program.frmMenu);
        desktop.deliver([this](auto&&...) { program.app.stallTo(kHourMicros); });
    }

    // One period of the clock, as the desktop's wake-up delivers it.
    void tick() {
        desktop.deliver([this](auto&&...) { program.app.advanceTo(program.app.clock().nextBoundaryTime()); });
    }

    FormWindow* window(const Form& form) const { return desktop.window(form); }
};

// What a person could tell about the program: the windows' elements and
// variables, which windows are loaded and visible, their order, the active
// window, each window's focus and scale.
std::string modelState(Running& running) {
    std::string text;
    invariants::describeState(running.program, [&](std::string_view piece) { text.append(piece).append(";"); });
    const App& app = running.program.app;
    for (const Form* form : running.program.forms()) {
        text += std::string(form->name()) + (form->loaded() ? " loaded" : "") + (form->visible() ? " visible" : "") +
                " focus " + (form->focus() != nullptr ? std::string(form->focus()->name) : "-") + " scale " +
                std::to_string(form->clientWidth()) + "x" + std::to_string(form->clientHeight()) + ";";
    }
    for (const Form* form : app.stack()) text += std::string(form->name()) + ">";
    text += app.activeForm() != nullptr ? std::string(app.activeForm()->name()) : "-";
    return text;
}

// Each loaded window has its on-screen window, shown exactly while the form is visible.
std::optional<std::string> windowsDisagree(Running& running) {
    for (const Form* form : running.program.forms()) {
        const FormWindow* window = running.window(*form);
        const std::string name(form->name());
        if ((window != nullptr) != form->loaded()) {
            return name + (form->loaded() ? " is loaded but has no window" : " has a window but is not loaded");
        }
        if (window != nullptr && window->isVisible() != form->visible()) {
            return name + "'s window is " + (window->isVisible() ? "shown" : "hidden") + " but the form is " +
                   (form->visible() ? "visible" : "not visible");
        }
    }
    return std::nullopt;
}

// The close button of a window's title bar: the window system asks the window to close.
void titleBarClose(FormWindow& window) { window.windowHandle()->close(); }

struct KeyChoice {
    int key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

// The keys the program answers, the dialogs' access keys with and without
// Alt, and a few it ignores.
const KeyChoice kKeys[] = {
    {Qt::Key_Left, Qt::NoModifier, "Left"},       {Qt::Key_Up, Qt::NoModifier, "Up"},
    {Qt::Key_Right, Qt::NoModifier, "Right"},     {Qt::Key_Down, Qt::NoModifier, "Down"},
    {Qt::Key_Escape, Qt::NoModifier, "Escape"},   {Qt::Key_Return, Qt::NoModifier, "Return"},
    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"}, {Qt::Key_Space, Qt::NoModifier, "Space"},
    {Qt::Key_Tab, Qt::NoModifier, "Tab"},         {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_R, Qt::AltModifier, "Alt+R"},        {Qt::Key_M, Qt::AltModifier, "Alt+M"},
    {Qt::Key_Q, Qt::AltModifier, "Alt+Q"},        {Qt::Key_P, Qt::AltModifier, "Alt+P"},
    {Qt::Key_E, Qt::AltModifier, "Alt+E"},        {Qt::Key_N, Qt::AltModifier, "Alt+N"},
    {Qt::Key_H, Qt::AltModifier, "Alt+H"},        {Qt::Key_R, Qt::NoModifier, "R"},
    {Qt::Key_M, Qt::NoModifier, "M"},             {Qt::Key_A, Qt::NoModifier, "A"},
    {Qt::Key_0, Qt::NoModifier, "0"},             {Qt::Key_Backspace, Qt::NoModifier, "Backspace"},
    {Qt::Key_F4, Qt::AltModifier, "Alt+F4"},      {Qt::Key_Shift, Qt::ShiftModifier, "Shift"},
};

// Sends random input to the program's windows, starting the program again
// whenever it ends, and checks the invariants after every event. While a
// message box is open, a burst goes to the windows behind it and then the
// box's OK button is pressed.
class Burst {
public:
    explicit Burst(std::uint64_t seed) : random_(seed) {
        boxWatch_.setInterval(0);
        QObject::connect(&boxWatch_, &QTimer::timeout, &boxWatch_, [this] { onBox(); });
        boxWatch_.start();
    }

    // Sends `events` events, or fewer if an invariant breaks.
    void run(long events) {
        while (sent < events && !failure) {
            if (!running_ || running_->program.app.ended()) {
                start();
            } else if (app().stack().empty()) {
                // Nothing is left on the screen for a person to reach (the
                // Pause dialog hid itself after its game was closed, say).
                ++stranded;
                start();
            }
            step(false);
        }
        running_.reset();
    }

    std::optional<std::string> failure;  // what broke, with the events before it
    long sent = 0;          // events sent, boxes' bursts included
    long sentUnderBox = 0;  // events sent while a box was open
    long ticks = 0;         // clock periods moved on
    long boxes = 0;         // boxes closed by the burst
    long starts = 0;        // program starts
    long stranded = 0;      // programs left running with no window on the screen

private:
    // ---- choosing ----------------------------------------------------------

    std::uint64_t pick(std::uint64_t n) { return random_() % n; }
    bool chance(int percent) { return pick(100) < static_cast<std::uint64_t>(percent); }

    App& app() { return running_->program.app; }

    // Mostly a visible window; now and then any window shown so far, hidden
    // ones and those of unloaded forms included.
    FormWindow* someWindow() {
        const auto& stack = app().stack();
        if (!stack.empty() && chance(85)) return running_->window(*stack[pick(stack.size())]);
        std::erase_if(seen_, [](const QPointer<FormWindow>& window) { return window.isNull(); });
        if (seen_.empty()) return nullptr;
        return seen_[pick(seen_.size())].data();
    }

    QPointF somePoint(const FormWindow& window) {
        const auto coordinate = [this](int size) {
            const double within = static_cast<double>(pick(static_cast<std::uint64_t>(size) * 4 + 1)) / 4;
            return chance(95) ? within : static_cast<double>(pick(4000)) - 2000;
        };
        return {coordinate(window.width()), coordinate(window.height())};
    }

    static QPointF centre(const Form& form, std::string_view element) {
        const auto& box = form.elementAs<Box>(element);
        return {(box.Left + box.Width / 2) / 15, (box.Top + box.Height / 2) / 15};
    }

    Qt::KeyboardModifiers someModifiers() {
        Qt::KeyboardModifiers modifiers;
        if (chance(10)) modifiers |= Qt::ShiftModifier;
        if (chance(5)) modifiers |= Qt::ControlModifier;
        if (chance(8)) modifiers |= Qt::AltModifier;
        return modifiers;
    }

    Qt::MouseButton someButton() {
        const std::uint64_t roll = pick(10);
        return roll < 7 ? Qt::LeftButton : roll < 9 ? Qt::RightButton : Qt::MiddleButton;
    }

    // ---- sending -----------------------------------------------------------

    void log(std::string what) {
        recent_.push_back(std::to_string(sent) + ": " + std::move(what));
        if (recent_.size() > 30) recent_.pop_front();
    }

    static std::string nameOf(const FormWindow& window) {
        const std::string name(window.form().name());
        return window.isVisible() ? name : name + " (off the screen)";
    }

    void count(const FormWindow& window, const std::string& what) {
        ++sent;
        if (running_->watch.boxOpen) ++sentUnderBox;
        log(what + " to " + nameOf(window));
    }

    void send(FormWindow& window, QEvent& event, const std::string& what) {
        count(window, what);
        QApplication::sendEvent(&window, &event);
    }

    void key(FormWindow& window, int code, Qt::KeyboardModifiers modifiers, bool press, bool autoRepeat, const std::string& name) {
        QKeyEvent event(press ? QEvent::KeyPress : QEvent::KeyRelease, code, modifiers, QString(), autoRepeat);
        bool& keyInput = running_->watch.keyInput;
        const bool was = keyInput;
        keyInput = true;
        send(window, event, std::string(press ? "press " : "release ") + name + (autoRepeat ? " (repeat)" : ""));
        keyInput = was;
    }

    void someKey(FormWindow& window) {
        int code = 0;
        Qt::KeyboardModifiers modifiers;
        std::string name;
        if (chance(85)) {
            const KeyChoice& choice = kKeys[pick(std::size(kKeys))];
            code = choice.key;
            modifiers = choice.modifiers;
            name = choice.name;
        } else {
            code = chance(50) ? static_cast<int>(pick(0x110000)) : Qt::Key_Escape + static_cast<int>(pick(0x200));
            name = "key " + std::to_string(code);
        }
        modifiers |= someModifiers();
        const bool press = chance(80);
        key(window, code, modifiers, press, chance(10), name);
        if (press && chance(70) && !failure) key(window, code, modifiers, false, false, name);
    }

    void mouse(FormWindow& window, QEvent::Type type, QPointF at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, window.mapToGlobal(at), button, buttons, someModifiers());
        const char* what = type == QEvent::MouseButtonPress ? "mouse press" : type == QEvent::MouseButtonRelease ? "mouse release" : "mouse move";
        send(window, event, std::string(what) + " " + std::to_string(button) + " at " + std::to_string(at.x()) + "," + std::to_string(at.y()));
    }

    void someMouse(FormWindow& window) {
        const std::uint64_t roll = pick(10);
        const Qt::MouseButton button = someButton();
        if (roll < 3) {
            mouse(window, QEvent::MouseButtonPress, somePoint(window), button, button);
        } else if (roll < 6) {
            mouse(window, QEvent::MouseButtonRelease, somePoint(window), button, Qt::NoButton);
        } else {
            mouse(window, QEvent::MouseMove, somePoint(window), Qt::NoButton, chance(80) ? Qt::NoButton : Qt::MouseButtons(button));
        }
    }

    // A press and a release near each other: over an element of the window more often than not.
    void someClick(FormWindow& window) {
        const Form& form = window.form();
        QPointF at = somePoint(window);
        if (chance(70) && form.loaded() && !form.elements().empty()) {
            const Element* element = form.elements()[pick(form.elements().size())];
            if (element->kind != Kind::Timer && element->kind != Kind::Line) at = centre(form, element->name);
        }
        const Qt::MouseButton button = someButton();
        mouse(window, QEvent::MouseButtonPress, at, button, button);
        if (!failure) mouse(window, QEvent::MouseButtonRelease, at + QPointF(pick(3), pick(3)), button, Qt::NoButton);
    }

    // Under a box closes come often: they must all be refused. Otherwise
    // they are rare, as closing the last window ends the program.
    void someInput(bool underBox) {
        FormWindow* window = someWindow();
        if (window == nullptr) return;
        const std::uint64_t roll = pick(100);
        if (roll < 40) {
            someKey(*window);
        } else if (roll < 70) {
            someMouse(*window);
        } else if (roll < 85) {
            someClick(*window);
        } else if (roll < (underBox ? 90 : 99)) {
            QEvent activate(QEvent::WindowActivate);
            send(*window, activate, "activation");
        } else {
            someClose(*window);
        }
    }

    // A close request, as the event alone, as the widget's close() and as
    // the window system's close of the window.
    void someClose(FormWindow& window) {
        const std::uint64_t roll = pick(3);
        if (roll == 0) {
            QCloseEvent close;
            return send(window, close, "close event");
        }
        QWindow* handle = window.windowHandle();
        if (roll == 1 || handle == nullptr) {
            count(window, "close()");
            window.close();
        } else {
            count(window, "title-bar close");
            titleBarClose(window);
        }
    }

    void clickOn(FormWindow& window, std::string_view element) {
        const QPointF at = centre(window.form(), element);
        mouse(window, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
        if (!failure) mouse(window, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    }

    // What a person who wants to play does next in the active window: opens
    // a game, resumes it, follows the ball, hops, fires. It keeps the games
    // going to their boxes.
    void play() {
        Form* active = app().activeForm();
        FormWindow* window = active != nullptr ? running_->window(*active) : nullptr;
        if (window == nullptr) return someInput(false);
        const Program& p = running_->program;
        if (active == &p.frmMenu) {
            static constexpr const char* kTargets[] = {"imgFroggy", "imgPing", "imgInvaders", "lblFrog", "lblPing", "lblInvaders"};
            return clickOn(*window, kTargets[pick(std::size(kTargets))]);
        }
        if (active == &p.frmDifficulty) {
            static constexpr const char* kTargets[] = {"optEasy", "optNormal", "optHard", "cmdPlay", "cmdPlay"};
            return clickOn(*window, kTargets[pick(std::size(kTargets))]);
        }
        if (active == &p.frmPause) return clickOn(*window, chance(70) ? "cmdResume" : "cmdQuittoMenu");
        const bool isPing = active == &p.frmPing;
        const char* label = isPing ? "lblGo" : "lblPause";
        if (active->elementAs<Label>(label).Caption != "PAUSE") return clickOn(*window, label);
        if (isPing) {
            const auto& ball = active->elementAs<Shape>("shpBlue");
            const double x = chance(60) ? (ball.Left + ball.Width / 2) / 15 : static_cast<double>(pick(976));
            return mouse(*window, QEvent::MouseMove, {x, 600}, Qt::NoButton, Qt::NoButton);
        }
        if (active == &p.frmFroggy) {
            static constexpr Qt::Key kArrows[] = {Qt::Key_Up, Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Right, Qt::Key_Down};
            const Qt::Key arrow = kArrows[pick(std::size(kArrows))];
            key(*window, arrow, Qt::NoModifier, true, false, "arrow");
            if (!failure) key(*window, arrow, Qt::NoModifier, false, false, "arrow");
            return;
        }
        const QPointF at(230 + static_cast<double>(pick(360)), 350);
        mouse(*window, QEvent::MouseMove, at, Qt::NoButton, Qt::NoButton);
        if (!failure && chance(50)) {
            mouse(*window, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
            if (!failure) mouse(*window, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
        }
    }

    // Time moves on a few periods, one boundary at a time; under a box the ticks are withheld.
    void someTime() {
        const std::uint64_t periods = chance(90) ? 1 + pick(20) : 1 + pick(200);
        for (std::uint64_t i = 0; i < periods && !failure && !app().ended(); ++i) {
            ++ticks;
            running_->tick();
            check();
        }
    }

    // The program waits for input: the event loop runs once, delivering the
    // window system's activations, deleting windows of unloaded forms, painting.
    void idle() {
        log("idle");
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void step(bool underBox) {
        const std::uint64_t roll = pick(100);
        if (roll < 10) {
            log("time");
            someTime();
        } else if (!underBox && roll < 15) {
            idle();
        } else if (!underBox && roll < 45) {
            play();
        } else {
            someInput(underBox);
        }
        if (!running_->program.app.ended()) remember();
        check();
    }

    void start() {
        running_.reset();
        running_ = std::make_unique<Running>();
        ++starts;
        log("program started");
        remember();
        check();
    }

    void remember() {
        for (const Form* form : running_->program.forms()) {
            FormWindow* window = running_->window(*form);
            if (window != nullptr && std::find(seen_.begin(), seen_.end(), window) == seen_.end()) seen_.emplace_back(window);
        }
    }

    // ---- the box -----------------------------------------------------------

    // Runs in the box's own event loop: input to the windows behind it, time
    // moving on, and nothing may reach a handler or change; then OK.
    void onBox() {
        QPointer<MessageBox> box = MessageBox::of(QApplication::activeModalWidget());
        if (box.isNull() || box == handled_ || !running_) return;
        handled_ = box;
        ++boxes;
        log("box \"" + box->prompt().toStdString() + "\" open");
        if (!running_->watch.boxOpen) fail("a message box is open that the program did not ask for");
        atOpen_ = modelState(*running_);
        deliveredAtOpen_ = running_->watch.delivered;
        const std::uint64_t events = 5 + pick(40);
        for (std::uint64_t i = 0; i < events && !failure; ++i) step(true);
        log("OK");
        if (!box.isNull()) box->okButton().click();  // the box's one button, OK
    }

    // ---- checks ------------------------------------------------------------

    void check() {
        if (failure) return;
        Running& running = *running_;
        if (running.watch.broken) return fail(*running.watch.broken);
        if (auto broken = invariants::brokenInvariant(running.program)) return fail(*broken);
        if (auto broken = windowsDisagree(running)) return fail(*broken);
        if (!running.watch.boxOpen) return;
        if (running.watch.delivered != deliveredAtOpen_) return fail("a handler ran while a message box was open");
        if (modelState(running) != atOpen_) return fail("the program changed while a message box was open");
    }

    void fail(const std::string& what) {
        std::string text = what + "\nafter these events:";
        for (const std::string& line : recent_) text += "\n  " + line;
        failure = text;
    }

    std::mt19937_64 random_;
    std::unique_ptr<Running> running_;
    std::vector<QPointer<FormWindow>> seen_;
    std::deque<std::string> recent_;
    QTimer boxWatch_;
    QPointer<MessageBox> handled_;
    std::string atOpen_;
    long deliveredAtOpen_ = 0;
};

TEST(DesktopStress, RandomInputOnTheRealWindowsKeepsEveryInvariant) {
    // Whatever a person does to the windows, in whatever order, even behind
    // an open message box: no crash, no broken invariant, no handler under a box.
    struct Case {
        std::uint64_t seed;
        long events;
    };
    const Case cases[] = {{1, 4000}, {2, 4000}, {3, 4000}};
    for (const Case& c : cases) {
        Burst burst(c.seed);
        burst.run(c.events);
        if (burst.failure) {
            ADD_FAILURE() << "seed " << c.seed << ": " << *burst.failure;
            continue;
        }
        // The burst reached what it is meant to: boxes, input under them, time, restarts.
        EXPECT_GE(burst.sent, c.events) << "seed " << c.seed;
        EXPECT_GT(burst.boxes, 10) << "seed " << c.seed;
        EXPECT_GT(burst.sentUnderBox, 100) << "seed " << c.seed;
        EXPECT_GT(burst.starts, 1) << "seed " << c.seed;
        std::cout << "seed " << c.seed << ": " << burst.sent << " events (" << burst.sentUnderBox << " under "
                  << burst.boxes << " boxes), " << burst.ticks << " ticks, " << burst.starts << " program starts, "
                  << burst.stranded << " left with no window on the screen\n";
    }
}

TEST(DesktopStress, TitleBarCloseUnderABoxIsBlockedAndHonouredOnceTheBoxIsClosed) {
    // A close request is input like any other: while a box is open the window
    // stays loaded and visible and nothing changes; sent again later, it unloads.
    Running running;
    Program& p = running.program;
    QTest::keyClick(running.window(p.frmMenu), Qt::Key_Escape);
    ASSERT_TRUE(p.frmPause.visible());

    // Counts the close requests that reach the windows.
    struct Closes : QObject {
        int count = 0;
        bool eventFilter(QObject* /*watched*/, QEvent* event) override {
            if (event->type() == QEvent::Close) ++count;
            return false;
        }
    } closes;
    struct Seen {
        bool boxOpen = false;
        bool menuShown = false, pauseShown = false;
        bool sameState = false;
        long handlers = -1;
    } seen;
    const QPointer<FormWindow> pauseWindow = running.window(p.frmPause), menuWindow = running.window(p.frmMenu);
    pauseWindow->installEventFilter(&closes);
    menuWindow->installEventFilter(&closes);
    const auto shown = [&](const Form& form) {
        return form.visible() && running.window(form) != nullptr && running.window(form)->isVisible();
    };
    pressOkOnNextBox([&](MessageBox& box) {
        const std::string before = modelState(running);
        const long delivered = running.watch.delivered;
        for (const QPointer<FormWindow>& window : {pauseWindow, menuWindow, pauseWindow}) {
            if (!window.isNull()) titleBarClose(*window);
        }
        seen = {QApplication::activeModalWidget() == &box, shown(p.frmMenu), shown(p.frmPause),
                modelState(running) == before, running.watch.delivered - delivered};
    });
    QTest::keyClick(pauseWindow, Qt::Key_R, Qt::AltModifier);  // Resume opens its box

    EXPECT_EQ(closes.count, 3) << "each close request reached its window";
    EXPECT_TRUE(seen.boxOpen);
    EXPECT_TRUE(seen.menuShown);
    EXPECT_TRUE(seen.pauseShown);
    EXPECT_TRUE(seen.sameState);
    EXPECT_EQ(seen.handlers, 0);
    EXPECT_FALSE(p.frmPause.visible()) << "once the box closed, Resume went on to hide the dialog";

    // Sent again with no box open, each close unloads its window; the last one ends the program.
    QTest::keyClick(menuWindow, Qt::Key_Escape);
    ASSERT_TRUE(shown(p.frmPause));
    titleBarClose(*pauseWindow);
    EXPECT_FALSE(p.frmPause.loaded());
    EXPECT_EQ(running.window(p.frmPause), nullptr);
    EXPECT_EQ(p.app.activeForm(), &p.frmMenu);
    titleBarClose(*menuWindow);
    EXPECT_FALSE(p.frmMenu.loaded());
    EXPECT_TRUE(p.app.ended());
}

}  // namespace
}  // namespace arcadeon::desktop::testing
