// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The session every front end talks to: sequences of a front end's input
// and what each must give, in handlers reached and in lines recorded.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <span>
#include <string>
#include <vector>

#include "shell/layer/properties.h"
#include "shell/layer/session.h"
#include "support.h"

namespace arcadeon {
namespace {

// A label that opens a box when clicked, a plain label, a command button
// and an option button; the window's own background elsewhere, under a
// shape at the bottom.
constexpr ElementLayout kSessionElements[] = {
    {"lblHit", Kind::Label, {.Left = 0, .Top = 0, .Width = 1000, .Height = 500, .Caption = "hit"}},
    {"cmdGo", Kind::CommandButton, {.Left = 0, .Top = 1000, .Width = 1000, .Height = 500, .Caption = "&Go"}},
    {"optOne", Kind::OptionButton, {.Left = 0, .Top = 2000, .Width = 1000, .Height = 500, .Caption = "One"}},
    {"shpPad", Kind::Shape, {.Left = 0, .Top = 3000, .Width = 1000, .Height = 500}},
    {"lblBox", Kind::Label, {.Left = 2000, .Top = 3000, .Width = 1000, .Height = 1000, .Caption = "box"}},
};
constexpr FormLayout kSessionLayout{
    .name = "frmPointer", .Caption = "Pointer", .ClientWidth = 3000, .ClientHeight = 4000, .elements = kSessionElements};
constexpr ElementLayout kClockElements[] = {{"tmrClock", Kind::Timer, {.Interval = 1}}};
constexpr FormLayout kOtherLayout{
    .name = "frmOther", .Caption = "Other", .ClientWidth = 3000, .ClientHeight = 4000, .elements = kClockElements};

using Events = std::vector<std::string>;

// Records what reaches its handlers, as "NAME_Event" and "move X Y".
class EventForm final : public Form {
public:
    EventForm(App& app, const FormLayout& layout, Events& events) : Form(app, layout), events_(events) {
        for (const ElementLayout& row : layout.elements) {
            const std::string name(row.name);
            const auto record = [this, name] {
                events_.push_back(name + "_Click");
                if (name == "lblBox") MsgBox("prompt", "title");
            };
            if (row.kind == Kind::Label) Control<Label>{*this, row.name, record};
            if (row.kind == Kind::CommandButton) Control<CommandButton>{*this, row.name, record};
            if (row.kind == Kind::Timer) Control<Timer>{*this, row.name};
        }
    }

protected:
    void Form_Click() override { events_.push_back(std::string(name()) + "_Click"); }
    void Form_MouseMove(Integer Button, Integer, Twips X, Twips Y) override {
        events_.push_back("move " + formatSingle(X) + " " + formatSingle(Y) + " " + std::to_string(Button));
    }

private:
    Events& events_;
};

// Boxes are closed at `closeAt`; the box's title is noted.
class FakeScreen final : public Screen {
public:
    Events& events;
    std::int64_t closeAt = 0;
    explicit FakeScreen(Events& log) : events(log) {}
    std::int64_t showBox(std::string_view title, std::string_view) override {
        events.push_back("box " + std::string(title));
        return closeAt;
    }
};

struct At {
    Twips x, y;
};
constexpr At kLabel{500, 250}, kLabelEdge{999, 499}, kCommand{500, 1250}, kOption{500, 2250}, kWindow{2000, 250},
    kShape{500, 3250}, kBox{2500, 3500}, kOutside{3500, 250};

enum class Do { Press, Release, Move, Gone, Unload, Reload, Hide, Touch, Lift, Box, Beside, Second, SecondLift };
struct Step {
    Do what;
    At at = {};
    int button = kLeftButton;  // for Move: the buttons held
    std::int64_t micros = 0;
    bool onOther = false;      // on the other window
};

// A recording's lines but those that let time pass.
std::string withoutTime(const std::string& recording) {
    std::string kept;
    for (std::size_t at = 0; at < recording.size();) {
        const std::size_t end = std::min(recording.find('\n', at), recording.size() - 1) + 1;
        const std::string line = recording.substr(at, end - at);
        if (!line.starts_with("wait ")) kept += line;
        at = end;
    }
    return kept;
}

// Steps of a front end's input, and what they must give: the handlers
// reached and the lines recorded (less those that let time pass).
struct PointerCase {
    const char* what;
    std::vector<Step> steps;
    Events expected;
    std::string recorded;
};

class SessionTest : public ::testing::Test {
protected:
    Events events;
    App app;
    EventForm form{app, kSessionLayout, events};
    EventForm other{app, kOtherLayout, events};
    FakeScreen screen{events};
    Session session{app, screen};
    std::string recording;

    void SetUp() override {
        std::string why;
        ASSERT_TRUE(session.recorder().record(
            [this](std::string_view text, std::string&) {
                recording += text;
                return true;
            },
            "", why));
        app.start(form);
        other.Show();
        form.Show();
        static_cast<Timer&>(*other.element("tmrClock")).Enabled = false;
        recording.clear();
    }

    // Between cases: nothing held, both windows shown, the clock stopped.
    void reset() {
        (void)session.pointerGone(0);
        if (!other.visible()) other.Show();
        form.Show();
        static_cast<Timer&>(*other.element("tmrClock")).Enabled = false;
        events.clear();
        recording.clear();
    }

    // Each case from a clean start (reset), checked.
    void expectEach(std::span<const PointerCase> cases) {
        for (const PointerCase& c : cases) {
            reset();
            for (const Step& step : c.steps) run(step);
            EXPECT_EQ(events, c.expected) << c.what;
            EXPECT_EQ(withoutTime(recording), c.recorded) << c.what;
        }
    }

    void run(const Step& step) {
        Form& on = step.onOther ? static_cast<Form&>(other) : form;
        const std::int64_t t = step.micros;
        switch (step.what) {
        case Do::Press: (void)session.press(t, on, step.at.x, step.at.y, step.button); break;
        case Do::Release: (void)session.release(t, on, step.at.x, step.at.y, step.button); break;
        case Do::Move: (void)session.move(t, on, step.at.x, step.at.y, step.button); break;
        case Do::Gone: (void)session.pointerGone(t); break;
        case Do::Touch: (void)session.press(t, on, step.at.x, step.at.y, kLeftButton, 0, Pointer::Touch); break;
        case Do::Lift: (void)session.release(t, on, step.at.x, step.at.y, kLeftButton, Pointer::Touch); break;
        case Do::Beside: (void)session.pressBeside(t, on, step.at.x, step.at.y); break;
        case Do::Second: (void)session.secondFinger(t, true); break;
        case Do::SecondLift: (void)session.secondFinger(t, false); break;
        case Do::Unload: on.Unload(); break;
        case Do::Reload: on.Unload(); on.Show(); break;
        case Do::Hide: on.Hide(); break;
        case Do::Box: app.MsgBox("prompt", "title"); break;
        }
    }
};

TEST_F(SessionTest, PressesAndReleasesMakeClicksByTheClickRule) {
    // A click is the same button pressed and let go over the same receiver of
    // the same window in the same load, a command or option button taking the
    // left button only; no chord, no window gone, no box and no pointer taken
    // back leaves a press held: the last step of each sequence is a click on
    // the label, and it always counts.
    struct Case {
        const char* what;
        std::vector<Step> steps;
        Events expected;
    };
    using enum Do;
    const Step P{Press, kLabel}, R{Release, kLabel};
    const Case cases[] = {
        {"label, left", {P, {Release, kLabelEdge}}, {"lblHit_Click"}},
        {"label, right", {{Press, kLabel, kRightButton}, {Release, kLabel, kRightButton}}, {"lblHit_Click"}},
        {"window, middle", {{Press, kWindow, kMiddleButton}, {Release, kWindow, kMiddleButton}}, {"frmPointer_Click"}},
        {"window, back button", {{Press, kWindow, kBackButton}, {Release, kWindow, kBackButton}}, {"frmPointer_Click"}},
        {"window, released over a shape", {{Press, kWindow}, {Release, kShape}}, {"frmPointer_Click"}},
        {"command button, left", {{Press, kCommand}, {Release, kCommand}}, {"cmdGo_Click"}},
        {"command button, right", {{Press, kCommand, kRightButton}, {Release, kCommand, kRightButton}}, {}},
        {"option button, middle", {{Press, kOption, kMiddleButton}, {Release, kOption, kMiddleButton}}, {}},
        {"pressed on the label, released on the window", {P, {Release, kWindow}}, {}},
        {"pressed on the window, released on the label", {{Press, kWindow}, R}, {}},
        {"released outside the client area", {{Press, kWindow}, {Release, kOutside}}, {}},
        {"pressed outside the client area", {{Press, kOutside}, {Release, kWindow}}, {}},
        {"chord: left, right, left up, right up", {{Press, kWindow}, {Press, kWindow, kRightButton}, {Release, kWindow},
                                                   {Release, kWindow, kRightButton}}, {"frmPointer_Click"}},
        {"chord: the second button let go first", {{Press, kWindow}, {Press, kWindow, kRightButton},
                                                    {Release, kWindow, kRightButton}, {Release, kWindow}}, {"frmPointer_Click"}},
        {"chord as a browser tells it: buttons in moves, the last let go with the other button",
         {{Press, kWindow}, {Move, kWindow, kLeftButton | kRightButton}, {Move, kWindow, kRightButton},
          {Release, kWindow, kRightButton}},
         {"move 2000 250 3", "move 2000 250 2", "frmPointer_Click"}},
        {"let go over the other window", {P, {Release, kLabel, kLeftButton, 0, true}}, {}},
        {"the window unloaded under the press, let go over the other", {P, {Unload}, {Release, kLabel, kLeftButton, 0, true}}, {}},
        {"the window unloaded and loaded again under the press", {P, {Reload}, R}, {}},
        {"the window hidden under the press", {P, {Hide}, R}, {}},
        {"the pointer taken back", {P, {Gone}, R}, {}},
        {"pressed again, its release lost", {{Press, kWindow}, P, R}, {"lblHit_Click"}},
        {"a release at no number", {P, {Release, {std::nanf(""), 0}}, R}, {}},
        {"a tap", {{Touch, kWindow}, {Lift, kWindow, 0, Session::kLongestTapMicros}}, {"move 2000 250 0", "frmPointer_Click"}},
        {"a touch held longer than a tap", {{Touch, kWindow}, {Lift, kWindow, 0, Session::kLongestTapMicros + 1}},
         {"move 2000 250 0"}},
        {"a box opened by a click", {{Press, kBox}, {Release, kBox}}, {"lblBox_Click", "box title"}},
        {"a box opened under the press", {P, {Box}, R}, {"box title"}},
    };
    for (const Case& c : cases) {
        reset();
        for (const Step& step : c.steps) run(step);
        if (!form.visible()) form.Show();
        run(P);
        run(R);
        Events expected = c.expected;
        expected.push_back("lblHit_Click");
        EXPECT_EQ(events, expected) << c.what;
    }
}

TEST_F(SessionTest, AHeldButtonKeepsThePointerInItsWindow) {
    // While a click is held the window it pressed keeps the pointer: a move
    // outside its client area reaches it at the nearest point inside (and is
    // recorded so, as a plain move), a move reported over another window
    // reaches nothing; let go outside, it clicks nothing.
    using enum Do;
    const PointerCase cases[] = {
        {"past the right edge", {{Press, kWindow}, {Move, {4000, 250}}, {Release, {4000, 250}}},
         {"move 2999.9998 250 1"}, "move frmPointer 2999.9998 250\n"},
        {"left and far below", {{Press, kWindow}, {Move, {-50, 1e30f}}, {Release, kWindow}},
         {"move 0 3999.9998 1", "frmPointer_Click"}, "move frmPointer 0 3999.9998\nclick frmPointer 2000 250\n"},
        {"back over the label it pressed", {{Press, kLabel}, {Move, {5000, 300}}, {Move, kLabel}, {Release, kLabel}},
         {"move 2999.9998 300 1", "lblHit_Click"}, "move frmPointer 2999.9998 300\nmove frmPointer 500 250\nclick frmPointer 500 250\n"},
        {"over the other window", {{Press, kWindow}, {Move, kWindow, kLeftButton, 0, true}, {Release, kWindow}},
         {"frmPointer_Click"}, "click frmPointer 2000 250\n"},
        {"no button held: a move outside reaches nothing", {{Move, {4000, 250}, 0}}, {}, "move frmPointer 4000 250\n"},
    };
    expectEach(cases);
}

TEST_F(SessionTest, AFingerSteersFromBesideTheWindowAndASecondFingersTapIsItsClick) {
    // A finger pressed beside the window is pressed at the nearest point
    // inside and held as a touch on it, and let go there; a second finger's
    // tap while a finger holds is a click where the held finger is, moving
    // nothing; a second finger held longer than a tap, or with no finger
    // (or only a mouse) holding, clicks nothing.
    using enum Do;
    constexpr std::int64_t kLong = Session::kLongestTapMicros + 1;
    const At below{1500, 5000};  // under the window's own part of its bottom edge
    const PointerCase cases[] = {
        {"beside, held and slid, lifted late", {{Beside, below}, {Move, {1600, 6000}}, {Lift, {1600, 6000}, 0, kLong}},
         {"move 1500 3999.9998 0", "move 1600 3999.9998 1"}, "move frmPointer 1500 3999.9998\nmove frmPointer 1600 3999.9998\n"},
        {"beside, a tap", {{Beside, below}, {Lift, below, 0, 1000}},
         {"move 1500 3999.9998 0", "frmPointer_Click"}, "move frmPointer 1500 3999.9998\nclick frmPointer 1500 3999.9998\n"},
        {"beside, above and left: over the label's corner", {{Beside, {-100, -100}}, {Lift, {-100, -100}, 0, 1000}},
         {"lblHit_Click"}, "move frmPointer 0 0\nclick frmPointer 0 0\n"},
        {"a second finger's tap, then another", {{Touch, kWindow}, {Move, {2500, 300}}, {Second}, {SecondLift, {}, 0, 1000},
                                                  {Second, {}, 0, 2000}, {SecondLift, {}, 0, 3000}, {Lift, {2500, 300}, 0, kLong}},
         {"move 2000 250 0", "move 2500 300 1", "frmPointer_Click", "frmPointer_Click"},
         "move frmPointer 2000 250\nmove frmPointer 2500 300\nclick frmPointer 2500 300\nclick frmPointer 2500 300\n"},
        {"a second finger's tap where the held finger is on the label", {{Touch, kLabel}, {Second}, {SecondLift}},
         {"lblHit_Click"}, "move frmPointer 500 250\nclick frmPointer 500 250\n"},
        {"a second finger held longer than a tap", {{Touch, kWindow}, {Second}, {SecondLift, {}, 0, kLong}},
         {"move 2000 250 0"}, "move frmPointer 2000 250\n"},
        {"a second finger with no finger holding", {{Second}, {SecondLift}}, {}, ""},
        {"a second finger while a mouse button is held", {{Press, kWindow}, {Second}, {SecondLift}, {Release, kLabel}}, {}, ""},
        {"the held finger lifted before the second", {{Touch, kWindow}, {Second}, {Lift, kWindow, 0, kLong}, {SecondLift, {}, 0, kLong}},
         {"move 2000 250 0"}, "move frmPointer 2000 250\n"},
        {"beside a hidden window", {{Hide}, {Beside, below}, {SecondLift}}, {}, ""},
    };
    expectEach(cases);
    reset();
    EXPECT_EQ(session.pressBeside(0, form, std::nan(""), 0), Outcome::Refused);
}

TEST_F(SessionTest, ACommandButtonLooksPressedWhileHeldWithThePointerOverIt) {
    // Drawn pressed from the press, not while the pointer is off it, again
    // when it comes back; never on another window, and not once its window
    // has gone.
    const Element* cmdGo = form.element("cmdGo");
    (void)session.press(0, form, kCommand.x, kCommand.y, kLeftButton);
    EXPECT_EQ(session.pressed(form), cmdGo);
    EXPECT_EQ(session.pressed(other), nullptr);
    (void)session.move(0, form, kLabel.x, kLabel.y, kLeftButton);
    EXPECT_EQ(session.pressed(form), nullptr);
    (void)session.move(0, form, kOutside.x, kCommand.y, kLeftButton);
    EXPECT_EQ(session.pressed(form), nullptr) << "outside, even where the nearest point is on it";
    (void)session.move(0, form, kCommand.x + 100, kCommand.y, kLeftButton);
    EXPECT_EQ(session.pressed(form), cmdGo);
    form.Hide();
    EXPECT_EQ(session.pressed(form), nullptr);
    EXPECT_EQ(session.pressing(), nullptr);
}

TEST_F(SessionTest, InputThatIsNoNumberOrOutOfRangeIsRefusedAndNotRecorded) {
    // Whatever cannot be carried out as written is refused with a reason
    // before anything reaches the layer or the recording, so that every
    // recording reads back.
    const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
    struct Case {
        const char* what;
        std::function<Outcome()> input;
        const char* reason;
    };
    const Case cases[] = {
        {"move at NaN", [&] { return session.move(0, form, nan, 10, 0); }, "not a number"},
        {"move at infinity", [&] { return session.move(0, form, 10, -inf, 0); }, "not a number"},
        {"move beyond single precision", [&] { return session.move(0, form, 1e39, 10, 0); }, "not a number"},
        {"move with no such button", [&] { return session.move(0, form, 10, 10, 64); }, "button"},
        {"move with no such modifier", [&] { return session.move(0, form, 10, 10, 0, 8); }, "modifier"},
        {"press at NaN", [&] { return session.press(0, form, nan, 10, kLeftButton); }, "not a number"},
        {"press of two buttons at once", [&] { return session.press(0, form, 10, 10, 3); }, "button"},
        {"press with no such modifier", [&] { return session.press(0, form, 10, 10, kLeftButton, 8, Pointer::Touch); }, "modifier"},
        {"key code 256", [&] { return session.key(0, true, 256, 0); }, "key code"},
        {"key code -1", [&] { return session.key(0, false, -1, 0); }, "key code"},
        {"key with no such modifier", [&] { return session.key(0, true, 65, 16); }, "modifier"},
        {"resize to a negative width", [&] { return session.resize(0, form, -1, 100); }, "client area"},
        {"resize to 3000000000 twips", [&] { return session.resize(0, form, 3e9, 100); }, "client area"},
        {"resize to NaN", [&] { return session.resize(0, form, 100, nan); }, "client area"},
        {"press of no element", [&] { return session.pressElement(0, form, 99); }, "element"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.input(), Outcome::Refused) << c.what;
        EXPECT_NE(session.refusal().find(c.reason), std::string_view::npos) << c.what << ": " << session.refusal();
    }
    EXPECT_EQ(recording, "");
    EXPECT_EQ(events, Events{});
    EXPECT_FALSE(session.drawableAt(1e7));
    EXPECT_FALSE(session.drawableAt(nan));
    EXPECT_FALSE(session.drawableAt(0));
    EXPECT_TRUE(session.drawableAt(1.5));
    EXPECT_TRUE(session.drawableAt(Session::kSmallestRatio));
}

TEST_F(SessionTest, KeysAreRecordedAndARepeatedReleaseIsNone) {
    // A held key repeats its press; its release comes once, when it is let
    // go: a release the keyboard repeats is dropped.
    (void)session.key(0, true, 37, kShift);
    (void)session.key(0, false, 37, kShift, true);
    (void)session.key(0, true, 37, kShift, true);
    (void)session.key(0, false, 37, kShift);
    EXPECT_EQ(recording, "keydown 37 shift\nkeydown 37 shift\nkeyup 37 shift\n");
}

TEST_F(SessionTest, WakesAtTheNextBoundaryInWholeMillisecondsAndCountsTicksAndStalls) {
    // The next boundary rounded up to a millisecond, never more than a
    // period and a millisecond away; none while no timer runs or a box is
    // open. A wake on time ticks once a boundary; one late by many boundaries
    // is a stall with one tick.
    EXPECT_EQ(session.wakeIn(0), std::nullopt) << "no timer runs";
    static_cast<Timer&>(*other.element("tmrClock")).Enabled = true;
    struct Case {
        std::int64_t now;
        std::optional<int> millis;
    };
    const Case cases[] = {{0, 16}, {15000, 1}, {15624, 1}, {15625, 0}, {40000, 0}, {-20000, 16}};
    for (const Case& c : cases) EXPECT_EQ(session.wakeIn(c.now), c.millis) << c.now;

    EXPECT_TRUE(session.wake(15625));
    EXPECT_FALSE(session.wake(20000));
    EXPECT_EQ(session.ticks(), 1u);
    EXPECT_EQ(session.stalls(), 0u);
    EXPECT_TRUE(session.wake(15625 * 20));
    EXPECT_EQ(session.ticks(), 2u);
    EXPECT_EQ(session.stalls(), 1u);
    EXPECT_EQ(recording, "wait 15.625\nwait 4.375\nstall 292.5\n");
}

TEST_F(SessionTest, ABoxIsClosedAtTheTimeTheScreenGivesThenItsOk) {
    // The time a box was open passes once it is closed (a stall when it was
    // long), then the box's OK; the press that opened it is over.
    static_cast<Timer&>(*other.element("tmrClock")).Enabled = true;
    screen.closeAt = 1'000'000;
    (void)session.press(0, form, kBox.x, kBox.y, kLeftButton);
    (void)session.release(0, form, kBox.x, kBox.y, kLeftButton);
    EXPECT_EQ(recording, "click frmPointer 2500 3500\nstall 1000\nok\n");
    EXPECT_EQ(session.stalls(), 1u);
    EXPECT_EQ(session.pressing(), nullptr);
}

TEST(Placement, AWindowIsCentredInWholePixelsAndNeverAboveOrLeftOfTheArea) {
    // Half the room left over on each side, rounded down; none when it does not fit.
    struct Case {
        double areaW, areaH, outerW, outerH;
        int left, top;
    };
    const Case cases[] = {
        {1000, 800, 400, 300, 300, 250},
        {1001, 801, 400, 300, 300, 250},
        {1000.5, 800, 400, 300, 300, 250},
        {300, 200, 400, 300, 0, 0},
        {std::nan(""), 800, 400, 300, 0, 250},
    };
    for (const Case& c : cases) {
        const Placement at = centredIn(c.areaW, c.areaH, c.outerW, c.outerH);
        EXPECT_EQ(at.left, c.left) << c.areaW;
        EXPECT_EQ(at.top, c.top) << c.areaH;
    }
}

}  // namespace
}  // namespace arcadeon
