// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A person's input on the desktop: mouse, keys, closing, resizing and
// activation reach the handlers and the layer as they should.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTest>
#include <optional>

#include "probe.h"
#include "shell/program.h"

namespace arcadeon::desktop::testing {
namespace {

using Events = std::vector<std::string>;

// 200 x 200 pixels: a label and a picture side by side at the top, a shape
// below the label, and the window's own background elsewhere.
constexpr ElementLayout kProbe[] = {
    {"lblHit", Kind::Label, {.Left = 0, .Top = 0, .Width = 1500, .Height = 750, .Caption = "hit"}},
    {"imgPic", Kind::Image, {.Left = 1500, .Top = 0, .Width = 1500, .Height = 750, .Picture = "menu-ping.png", .Stretch = true}},
    {"shpPad", Kind::Shape, {.Left = 0, .Top = 1500, .Width = 1500, .Height = 750}},
};
const FormLayout kProbeLayout{.name = "frmProbe", .Caption = "Probe", .ClientWidth = 3000, .ClientHeight = 3000, .elements = kProbe};
const FormLayout kOtherLayout{.name = "frmOther", .Caption = "Other", .ClientWidth = 1500, .ClientHeight = 1500};

class ProbeInput : public ::testing::Test {
protected:
    App app;
    ProbeForm probe{app, kProbeLayout};
    Desktop desktop{app};
    FormWindow* window = nullptr;

    void SetUp() override {
        desktop.start(probe);
        window = desktop.window(probe);
        ASSERT_NE(window, nullptr);
        probe.events.clear();
    }

    void send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat = false) {
        QKeyEvent event(type, key, modifiers, QString(), autoRepeat);
        QApplication::sendEvent(window, &event);
    }
};

TEST_F(ProbeInput, ClickGoesToTheElementUnderBothPressAndRelease) {
    // A click is a press and a release over the same receiver: a label or
    // picture, else the window itself (a shape takes no clicks).
    struct Case {
        const char* what;
        QPoint press, release;
        Qt::MouseButton button;
        Events expected;
    };
    const Case cases[] = {
        {"label", {50, 25}, {50, 25}, Qt::LeftButton, {"lblHit_Click"}},
        {"label, right button", {50, 25}, {60, 30}, Qt::RightButton, {"lblHit_Click"}},
        {"picture", {150, 25}, {150, 25}, Qt::LeftButton, {"imgPic_Click"}},
        {"over a shape", {50, 125}, {50, 125}, Qt::LeftButton, {"Form_Click"}},
        {"background", {150, 150}, {150, 150}, Qt::LeftButton, {"Form_Click"}},
        {"pressed on the label, released on the picture", {50, 25}, {150, 25}, Qt::LeftButton, {}},
        {"pressed on the background, released on the label", {150, 150}, {50, 25}, Qt::LeftButton, {}},
    };
    for (const Case& c : cases) {
        probe.events.clear();
        QTest::mousePress(window, c.button, Qt::NoModifier, c.press);
        QTest::mouseRelease(window, c.button, Qt::NoModifier, c.release);
        EXPECT_EQ(probe.events, c.expected) << c.what;
    }
}

TEST_F(ProbeInput, NoChordLeavesAPressHeldAndAHeldButtonKeepsThePointer) {
    // Buttons pressed together make one click at most, and after any chord
    // the next click counts; while a button is held, a move past the
    // window's edge reaches the window at the nearest point inside it.
    struct Press {
        bool down;
        Qt::MouseButton button;
    };
    struct Case {
        const char* what;
        std::vector<Press> presses;
        Events expected;
    };
    const Case cases[] = {
        {"left, right, left up, right up", {{true, Qt::LeftButton}, {true, Qt::RightButton}, {false, Qt::LeftButton}, {false, Qt::RightButton}},
         {"Form_Click", "lblHit_Click"}},
        {"left, right, right up, left up", {{true, Qt::LeftButton}, {true, Qt::RightButton}, {false, Qt::RightButton}, {false, Qt::LeftButton}},
         {"Form_Click", "lblHit_Click"}},
        {"right up with no press", {{false, Qt::RightButton}}, {"lblHit_Click"}},
    };
    for (const Case& c : cases) {
        probe.events.clear();
        for (const Press& p : c.presses) {
            if (p.down) {
                QTest::mousePress(window, p.button, Qt::NoModifier, QPoint(150, 150));
            } else {
                QTest::mouseRelease(window, p.button, Qt::NoModifier, QPoint(150, 150));
            }
        }
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(50, 25));
        EXPECT_EQ(probe.events, c.expected) << c.what << ", then a click on the label";
    }

    probe.events.clear();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
    QMouseEvent move(QEvent::MouseMove, QPointF(250, 160), window->mapToGlobal(QPointF(250, 160)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(window, &move);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, QPoint(250, 160));
    EXPECT_EQ(probe.events, Events{"Form_MouseMove 1 0 2999 2400"}) << "let go outside: no click";
}

TEST_F(ProbeInput, KeysArriveAsVirtualKeyCodesWithShiftBits) {
    // Keys reach KeyDown and KeyUp with the codes of the physical keys and
    // Shift 1, Ctrl 2, Alt 4; Tab too, which Qt would otherwise keep.
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int code, shift;
    };
    const Case cases[] = {
        {Qt::Key_Escape, Qt::NoModifier, 27, 0},
        {Qt::Key_Left, Qt::NoModifier, 37, 0},
        {Qt::Key_Up, Qt::NoModifier, 38, 0},
        {Qt::Key_Right, Qt::NoModifier, 39, 0},
        {Qt::Key_Down, Qt::NoModifier, 40, 0},
        {Qt::Key_Return, Qt::NoModifier, 13, 0},
        {Qt::Key_Space, Qt::NoModifier, 32, 0},
        {Qt::Key_Backspace, Qt::NoModifier, 8, 0},
        {Qt::Key_Tab, Qt::NoModifier, 9, 0},
        {Qt::Key_Backtab, Qt::ShiftModifier, 9, 1},
        {Qt::Key_A, Qt::ShiftModifier, 65, 1},
        {Qt::Key_Z, Qt::NoModifier, 90, 0},
        {Qt::Key_5, Qt::ControlModifier, 53, 2},
        {Qt::Key_0, Qt::AltModifier, 48, 4},
        {Qt::Key_Exclam, Qt::ShiftModifier, 49, 1},  // Shift+1 is still the key 1
        {Qt::Key_F1, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier, 112, 7},
    };
    for (const Case& c : cases) {
        probe.events.clear();
        send(QEvent::KeyPress, c.key, c.modifiers);
        send(QEvent::KeyRelease, c.key, c.modifiers);
        const std::string args = std::to_string(c.code) + " " + std::to_string(c.shift);
        EXPECT_EQ(probe.events, (Events{"Form_KeyDown " + args, "Form_KeyUp " + args})) << "Qt key " << c.key;
    }
}

TEST_F(ProbeInput, HeldKeyRepeatsItsPressButReleasesOnce) {
    // Auto-repeat delivers further KeyDowns; only the real release is a KeyUp.
    send(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    send(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, true);
    send(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, true);
    send(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier, true);
    send(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier, true);
    send(QEvent::KeyRelease, Qt::Key_Left, Qt::NoModifier);
    EXPECT_EQ(probe.events, (Events{"Form_KeyDown 37 0", "Form_KeyDown 37 0", "Form_KeyDown 37 0", "Form_KeyUp 37 0"}));
}

TEST_F(ProbeInput, PointerMovesReachTheWindowInTwipsWithButtonsAndShift) {
    // 15 twips a pixel; over a label the window gets no MouseMove.
    struct Case {
        QPoint at;
        Qt::MouseButtons buttons;
        Qt::KeyboardModifiers modifiers;
        Events expected;
    };
    const Case cases[] = {
        {{150, 150}, Qt::NoButton, Qt::NoModifier, {"Form_MouseMove 0 0 2250 2250"}},
        {{10, 199}, Qt::LeftButton, Qt::ShiftModifier, {"Form_MouseMove 1 1 150 2985"}},
        {{50, 125}, Qt::RightButton | Qt::MiddleButton, Qt::ControlModifier, {"Form_MouseMove 6 2 750 1875"}},
        {{50, 25}, Qt::NoButton, Qt::NoModifier, {}},
    };
    for (const Case& c : cases) {
        probe.events.clear();
        QMouseEvent move(QEvent::MouseMove, QPointF(c.at), window->mapToGlobal(QPointF(c.at)), Qt::NoButton, c.buttons, c.modifiers);
        QApplication::sendEvent(window, &move);
        EXPECT_EQ(probe.events, c.expected) << c.at.x() << "," << c.at.y();
    }
}

TEST_F(ProbeInput, TitleBarCloseUnloadsTheWindowAndTheLayerDecides) {
    // Qt's own close is ignored; the layer unloads the form and its window goes.
    ProbeForm other{app, kOtherLayout};
    desktop.deliver([&](auto&&...) { other.Show(); });
    FormWindow* otherWindow = desktop.window(other);
    ASSERT_NE(otherWindow, nullptr);
    EXPECT_FALSE(otherWindow->close());
    EXPECT_FALSE(other.loaded());
    EXPECT_EQ(desktop.window(other), nullptr);
    EXPECT_TRUE(probe.visible());
    EXPECT_FALSE(app.ended());
    EXPECT_EQ(app.activeForm(), &probe);

    // Closing the last visible window ends the program.
    window->close();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(desktop.window(probe), nullptr);
}

TEST_F(ProbeInput, ResizingSetsTheScaleButMinimisedKeepsTheLastRestoredSize) {
    // The scale follows the client area; a minimised window keeps the last
    // restored size, and Show brings it back.
    window->resize(100, 80);
    EXPECT_EQ(probe.clientWidth(), 1500);
    EXPECT_EQ(probe.clientHeight(), 1200);
    window->showMinimized();
    window->resize(40, 30);
    EXPECT_EQ(probe.clientWidth(), 1500);
    EXPECT_EQ(probe.clientHeight(), 1200);
    desktop.deliver([&](auto&&...) { probe.Show(); });
    EXPECT_FALSE(window->isMinimized());
}

TEST_F(ProbeInput, WindowManagerActivationMakesTheWindowActive) {
    // Activation from outside (a click on a title bar) moves the layer's
    // active window, which then gets the keys.
    ProbeForm other{app, kOtherLayout};
    desktop.deliver([&](auto&&...) { other.Show(); });
    ASSERT_EQ(app.activeForm(), &other);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(window, &activate);
    EXPECT_EQ(app.activeForm(), &probe);
    QTest::keyClick(desktop.window(other), Qt::Key_Escape);
    EXPECT_EQ(probe.events, (Events{"Form_KeyDown 27 0", "Form_KeyUp 27 0"}));
    EXPECT_TRUE(other.events.empty());
}

TEST_F(ProbeInput, ActivationsStillInFlightSettleOnTheLastWindowActivated) {
    // The window system reports activations the program asked for after it
    // has moved on; following one must not ask for it again, or two
    // activations in flight answer each other for ever.
    ProbeForm other{app, kOtherLayout};
    desktop.deliver([&](auto&&...) { other.Show(); });
    desktop.deliver([&](auto&&...) { app.activate(probe); });  // both requests are still queued

    // Counts the activations that reach the windows; past 50 it takes them
    // away, which ends an endless exchange.
    struct Counter : QObject {
        int activations = 0;
        bool eventFilter(QObject* /*watched*/, QEvent* event) override {
            if (event->type() != QEvent::WindowActivate) return false;
            return ++activations > 50;
        }
    } counter;
    window->installEventFilter(&counter);
    desktop.window(other)->installEventFilter(&counter);
    QCoreApplication::processEvents();

    EXPECT_LE(counter.activations, 4);
    EXPECT_EQ(app.activeForm(), &probe);
    EXPECT_EQ(app.stack(), (std::vector<Form*>{&other, &probe}));
}

TEST_F(ProbeInput, BoxTakesAwayPressesAndTheNextClickCounts) {
    // A box that opens while a mouse button is held takes the press away, as
    // its release goes to the box, and a press under the box starts nothing:
    // released later over the same element neither is a click, and the next
    // click on the window counts wherever it lands.
    probe.onKeyDown = [&] { probe.MsgBox("Stop", "Probe"); };
    struct Case {
        const char* what;
        std::optional<QPoint> pressedBefore, pressedUnder, releasedAfter;
    };
    const Case cases[] = {
        {"pressed on the background, released under the box", QPoint(150, 150), std::nullopt, std::nullopt},
        {"pressed on the label, released on it after the box", QPoint(50, 25), std::nullopt, QPoint(50, 25)},
        {"pressed on the label under the box, released on it after", std::nullopt, QPoint(50, 25), QPoint(50, 25)},
    };
    for (const Case& c : cases) {
        if (c.pressedBefore) QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, *c.pressedBefore);
        pressOkOnNextBox([&](MessageBox&) {
            if (c.pressedUnder) QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, *c.pressedUnder);
        });
        QTest::keyPress(window, Qt::Key_M);
        probe.events.clear();
        if (c.releasedAfter) QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, *c.releasedAfter);
        QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(50, 25));
        EXPECT_EQ(probe.events, (Events{"lblHit_Click"})) << c.what;
    }
}

TEST_F(ProbeInput, RunTimeErrorIsReportedInABoxThenTheProgramEnds) {
    // A counter overflow stops the handler; the layer reports it in a box
    // and, once that is closed, the program ends and its windows go.
    probe.onClick = [] {
        Integer counter = 32767;
        counter = counter + 1;
    };
    QString report;
    pressOkOnNextBox([&](MessageBox& box) { report = box.prompt(); });
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(150, 150));
    EXPECT_TRUE(report.contains("Overflow")) << report.toStdString();
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(desktop.window(probe), nullptr);
    EXPECT_FALSE(desktop.awake());
}

class ShellInput : public ::testing::Test {
protected:
    Program program;
    Desktop desktop{program.app};

    void SetUp() override { desktop.start(program.frmMenu); }
    FormWindow* window(const Form& form) { return desktop.window(form); }
    static OptionButton& option(const Form& form, std::string_view name) {
        return static_cast<OptionButton&>(*form.element(name));
    }
    void click(const Form& form, QPoint at) { QTest::mouseClick(window(form), Qt::LeftButton, Qt::NoModifier, at); }
};

TEST_F(ShellInput, PingNameOpensThePingWindowAndHidesTheMenu) {
    // The name "Ping" opens the Ping window directly, without the Difficulty dialog.
    click(program.frmMenu, {328, 344});
    EXPECT_TRUE(program.frmPing.visible());
    EXPECT_FALSE(program.frmMenu.visible());
    EXPECT_FALSE(program.frmDifficulty.loaded());
    EXPECT_NE(window(program.frmPing), nullptr);
    EXPECT_FALSE(window(program.frmMenu)->isVisible());
}

TEST_F(ShellInput, AWindowThatGoesAwayUnderAHeldButtonLeavesNoPressHeld) {
    // Pressed in Ping, Quit to Menu from the keyboard unloads Ping under the
    // held button; let go over the menu it clicks nothing, and the name
    // "Ping" then opens Ping again.
    click(program.frmMenu, {328, 344});
    ASSERT_TRUE(program.frmPing.visible());
    QTest::mousePress(window(program.frmPing), Qt::LeftButton, Qt::NoModifier, QPoint(300, 300));
    QTest::keyClick(window(program.frmPing), Qt::Key_Escape);
    QTest::keyClick(window(program.frmPause), Qt::Key_M, Qt::AltModifier);
    ASSERT_FALSE(program.frmPing.loaded());
    QTest::mouseRelease(window(program.frmMenu), Qt::LeftButton, Qt::NoModifier, QPoint(328, 344));
    EXPECT_FALSE(program.frmPing.loaded()) << "the release clicked nothing";
    click(program.frmMenu, {328, 344});
    EXPECT_TRUE(program.frmPing.visible());
}

TEST_F(ShellInput, PingPictureTopRowOpensTheDifficultyDialog) {
    // y 368 is the picture's top row, where it overlaps the name.
    click(program.frmMenu, {400, 368});
    EXPECT_TRUE(program.frmDifficulty.visible());
    EXPECT_FALSE(program.frmPing.loaded());
    EXPECT_EQ(program.app.activeForm(), &program.frmDifficulty);
}

TEST_F(ShellInput, DifficultyRowsAndPlayTakeTheirClicks) {
    // (600, 1300) twips is the Normal row left of Play!; (2000, 1300) is Play!.
    click(program.frmMenu, {336, 434});
    ASSERT_TRUE(program.frmDifficulty.visible());
    click(program.frmDifficulty, {40, 86});
    EXPECT_TRUE(option(program.frmDifficulty, "optNormal").Value);
    EXPECT_FALSE(option(program.frmDifficulty, "optEasy").Value);
    click(program.frmDifficulty, {133, 86});
    EXPECT_EQ(program.Module1.intDifficulty, 2);
    EXPECT_TRUE(program.frmPing.visible());
    EXPECT_FALSE(program.frmDifficulty.visible());
}

TEST_F(ShellInput, EscapeOpensPauseAndAltKeysPressItsButtons) {
    // Escape on the menu shows the Pause dialog and leaves the menu; Alt+M
    // is Quit to Menu; the dialog's focus starts on Quit, so Enter ends the program.
    QTest::keyClick(window(program.frmMenu), Qt::Key_Escape);
    EXPECT_TRUE(program.frmPause.visible());
    EXPECT_TRUE(program.frmMenu.visible());
    EXPECT_EQ(program.app.activeForm(), &program.frmPause);

    QTest::keyClick(window(program.frmPause), Qt::Key_M, Qt::AltModifier);
    EXPECT_FALSE(program.frmPause.visible());
    EXPECT_EQ(program.app.activeForm(), &program.frmMenu);

    QTest::keyClick(window(program.frmMenu), Qt::Key_Escape);
    ASSERT_EQ(program.frmPause.focus(), program.frmPause.element("cmdQuittoMenu"));  // the last one pressed
    QTest::keyClick(window(program.frmPause), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(program.frmPause.focus(), program.frmPause.element("cmdQuit"));
    QTest::keyClick(window(program.frmPause), Qt::Key_Return);
    EXPECT_TRUE(program.app.ended());
}

}  // namespace
}  // namespace arcadeon::desktop::testing
