// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window layer on its own: two small windows made for these tests.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support.h"

namespace arcadeon {
namespace {

using testing::RecordingFrontEnd;

// A scene: pictures, labels, shapes and lines over one button, and timers.
constexpr ElementLayout kSceneElements[] = {
    {"imgPicture", Kind::Image, {.Left = 1000, .Top = 1000, .Width = 1000, .Height = 1000}},
    {"lblText", Kind::Label, {.Left = 3000, .Top = 1000, .Width = 1000, .Height = 1000, .Caption = "text", .BackStyle = 0}},
    {"imgHidden", Kind::Image, {.Left = 5000, .Top = 1000, .Width = 1000, .Height = 1000, .Visible = false}},
    {"shpBox", Kind::Shape, {.Left = 3000, .Top = 3000, .Width = 1000, .Height = 1000}},
    {"linRule", Kind::Line, {.X1 = 5000, .Y1 = 3000, .X2 = 6000, .Y2 = 4000}},
    {"tmrOne", Kind::Timer, {.Interval = 1, .Enabled = true}},
    {"tmrFive", Kind::Timer, {.Interval = 5, .Enabled = false}},
    {"tmrSlow", Kind::Timer, {.Interval = 100, .Enabled = false}},
    {"cmdBehind", Kind::CommandButton, {.Left = 1500, .Top = 1500, .Width = 300, .Height = 300, .Caption = "&Behind"}},
};

constexpr FormLayout kSceneLayout{
    .name = "frmScene", .Caption = "Scene", .ClientWidth = 8000, .ClientHeight = 6000, .elements = kSceneElements};

class SceneForm final : public Form {
public:
    SceneForm(App& app, std::vector<std::string>& log) : Form(app, kSceneLayout), log(log) {
        declare("intLoads", intLoads);
    }
    Integer intLoads;
    std::vector<std::string>& log;
    std::function<void()> onTimerOne;

    Control<Image> imgPicture{*this, "imgPicture", [this] { log.push_back("imgPicture_Click"); }};
    Control<Label> lblText{*this, "lblText", [this] { log.push_back("lblText_Click"); }};
    Control<Image> imgHidden{*this, "imgHidden", [this] { log.push_back("imgHidden_Click"); }};
    Control<Shape> shpBox{*this, "shpBox"};
    Control<Timer> tmrOne{*this, "tmrOne", [this] {
        log.push_back("tmrOne");
        if (onTimerOne) onTimerOne();
    }};
    Control<Timer> tmrFive{*this, "tmrFive", [this] { log.push_back("tmrFive"); }};
    Control<Timer> tmrSlow{*this, "tmrSlow", [this] { log.push_back("tmrSlow"); }};
    Control<CommandButton> cmdBehind{*this, "cmdBehind", [this] { log.push_back("cmdBehind_Click"); }};

    using Form::End;
    using Form::MsgBox;

private:
    void Form_Load() override {
        intLoads = intLoads + 1;
        log.push_back("Load");
    }
    void Form_Click() override { log.push_back("Form_Click"); }
    void Form_MouseMove(Integer, Integer, Twips X, Twips Y) override {
        log.push_back("Form_MouseMove " + std::to_string(static_cast<int>(X)) + " " + std::to_string(static_cast<int>(Y)));
    }
    void Form_KeyDown(Integer KeyCode, Integer Shift) override {
        log.push_back("Form_KeyDown " + std::to_string(KeyCode) + " " + std::to_string(Shift));
    }
    void Form_KeyUp(Integer KeyCode, Integer) override { log.push_back("Form_KeyUp " + std::to_string(KeyCode)); }
};

// A dialog: two command buttons and an option group, keyboard order mixed up.
constexpr ElementLayout kDialogElements[] = {
    {"cmdOk", Kind::CommandButton, {.Left = 100, .Top = 100, .Width = 800, .Height = 300, .Caption = "&Ok", .TabIndex = 3}},
    {"optOne", Kind::OptionButton, {.Left = 100, .Top = 500, .Width = 800, .Height = 300, .Caption = "One", .TabIndex = 1}},
    {"optTwo", Kind::OptionButton, {.Left = 100, .Top = 900, .Width = 800, .Height = 300, .Caption = "Two", .TabIndex = 2}},
    {"cmdStop", Kind::CommandButton, {.Left = 100, .Top = 1300, .Width = 800, .Height = 300, .Caption = "S&top", .TabIndex = 4}},
    {"optZero", Kind::OptionButton, {.Left = 100, .Top = 1700, .Width = 800, .Height = 300, .Caption = "Zero", .TabIndex = 0}},
};

constexpr FormLayout kDialogLayout{
    .name = "frmDialog", .Caption = "Dialog", .ClientWidth = 2000, .ClientHeight = 2500, .elements = kDialogElements};

class DialogForm final : public Form {
public:
    DialogForm(App& app, std::vector<std::string>& log) : Form(app, kDialogLayout), log(log) {}
    std::vector<std::string>& log;
    Control<CommandButton> cmdOk{*this, "cmdOk", [this] { log.push_back("cmdOk_Click"); }};
    Control<CommandButton> cmdStop{*this, "cmdStop", [this] { log.push_back("cmdStop_Click"); }};
    Control<OptionButton> optZero{*this, "optZero"};
    Control<OptionButton> optOne{*this, "optOne"};
    Control<OptionButton> optTwo{*this, "optTwo"};

private:
    void Form_KeyDown(Integer KeyCode, Integer) override { log.push_back("Form_KeyDown " + std::to_string(KeyCode)); }
};

class LayerTest : public ::testing::Test {
protected:
    LayerTest() { app.setFrontEnd(&frontEnd); }

    std::string focusName() const { return dialog.focus() == nullptr ? "" : std::string(dialog.focus()->name); }
    std::string selected() {
        std::string names;
        for (Element* element : dialog.elements()) {
            if (element->kind == Kind::OptionButton && static_cast<OptionButton*>(element)->Value) names += element->name;
        }
        return names;
    }
    void tick(int count = 1) { testing::tick(app, count); }
    int count(std::string_view entry) const { return static_cast<int>(std::count(log.begin(), log.end(), entry)); }

    std::vector<std::string> log;
    RecordingFrontEnd frontEnd;
    App app;
    SceneForm scene{app, log};
    DialogForm dialog{app, log};
};

// ---- life cycle ----------------------------------------------------------------

TEST_F(LayerTest, ShowLoadsOnceThenOnlyShows) {
    // Show loads a window that is not loaded, and becomes visible after Load;
    // showing a hidden loaded window runs no Load and keeps its values.
    EXPECT_FALSE(scene.loaded());
    app.start(scene);
    EXPECT_EQ(frontEnd.events, (std::vector<std::string>{"load frmScene", "show frmScene"}));
    EXPECT_TRUE(scene.visible());
    scene.shpBox->Left = 1234.5f;
    scene.Hide();
    scene.Show();
    EXPECT_EQ(scene.intLoads, 1);
    EXPECT_EQ(scene.shpBox->Left, 1234.5f);
}

TEST_F(LayerTest, UnloadRestoresLayoutAndKeepsModuleVariables) {
    // After Unload and a new Show every element is back at its layout value,
    // and the module-level variables keep their values.
    app.start(scene);
    scene.imgPicture->Left = -20;
    scene.imgPicture->Visible = false;
    scene.Unload();
    EXPECT_FALSE(scene.loaded());
    EXPECT_FALSE(scene.visible());
    scene.Show();
    EXPECT_EQ(scene.imgPicture->Left, 1000);
    EXPECT_TRUE(scene.imgPicture->Visible);
    EXPECT_EQ(scene.intLoads, 2);
}

TEST_F(LayerTest, UnloadingAWindowThatIsNotLoadedDoesNothing) {
    // Unload of a window never loaded, or already unloaded, runs no Load.
    scene.Unload();
    app.start(dialog);
    EXPECT_EQ(scene.intLoads, 0);
    EXPECT_EQ(std::count(frontEnd.events.begin(), frontEnd.events.end(), "unload frmScene"), 0);
}

TEST_F(LayerTest, TouchingAnElementLoadsTheWindowHiddenWithItsTimers) {
    // Any property access of an unloaded window loads it hidden: Load runs and
    // its enabled timers start ticking without it appearing.
    app.start(dialog);
    const Twips top = scene.shpBox->Top;
    EXPECT_EQ(top, 3000);
    EXPECT_TRUE(scene.loaded());
    EXPECT_FALSE(scene.visible());
    EXPECT_EQ(scene.intLoads, 1);
    tick(3);
    EXPECT_EQ(count("tmrOne"), 3);
}

TEST_F(LayerTest, AccessAfterUnloadInsideOwnHandlerLoadsAgain) {
    // A handler that unloads its own window and then touches an element
    // reloads it hidden, running Load again.
    app.start(scene);
    dialog.Show();  // something stays on the screen
    scene.onTimerOne = [this] {
        scene.onTimerOne = nullptr;
        scene.Unload();
        scene.shpBox->Left = 5;
    };
    tick();
    EXPECT_TRUE(scene.loaded());
    EXPECT_FALSE(scene.visible());
    EXPECT_EQ(scene.intLoads, 2);
    EXPECT_EQ(scene.shpBox->Left, 5);
}

TEST_F(LayerTest, HiddenWindowBecomesActiveOnlyWhenShown) {
    // When the active window hides, the one active most recently before it
    // becomes active again; none when no window is visible.
    app.start(scene);
    dialog.Show();
    EXPECT_EQ(app.activeForm(), &dialog);
    dialog.Hide();
    EXPECT_EQ(app.activeForm(), &scene);
    scene.Hide();
    EXPECT_EQ(app.activeForm(), nullptr);
}

// ---- timers --------------------------------------------------------------------

TEST_F(LayerTest, EveryTimerTicks64TimesASecondWhateverItsInterval) {
    // An Interval of 1 ms and one of 5 ms tick equally often; 100 ms is seven periods.
    app.start(scene);
    scene.tmrFive->Enabled = true;
    scene.tmrSlow->Enabled = true;
    app.advanceTo(1'000'000);
    EXPECT_EQ(count("tmrOne"), 64);
    EXPECT_EQ(count("tmrFive"), 64);
    EXPECT_EQ(count("tmrSlow"), 9);  // 64 / 7
}

TEST_F(LayerTest, TimerEnabledMidPeriodTicksAtTheNextBoundary) {
    // A timer starts counting a fresh period when enabled; re-enabling a
    // running one keeps its schedule; disabling stops it at once.
    app.start(scene);
    app.advanceTo(10'000);  // between boundaries
    scene.tmrFive->Enabled = true;
    app.advanceTo(15'625);
    EXPECT_EQ(count("tmrFive"), 1);
    scene.tmrFive->Enabled = true;
    app.advanceTo(31'250);
    EXPECT_EQ(count("tmrFive"), 2);
    scene.tmrFive->Enabled = false;
    tick(5);
    EXPECT_EQ(count("tmrFive"), 2);
}

TEST_F(LayerTest, TimerEnabledDuringABoundaryWaitsForTheNext) {
    // tmrOne enables tmrFive while boundary 1 is processed: tmrFive first ticks at boundary 2.
    app.start(scene);
    scene.onTimerOne = [this] { scene.tmrFive->Enabled = true; };
    tick();
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "tmrOne"}));
    tick();
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "tmrOne", "tmrOne", "tmrFive"}));
}

TEST_F(LayerTest, TimersTickInLoadOrderThenElementOrder) {
    // Timers due together: windows in the order they were last loaded, and
    // within a window front first.
    app.start(scene);
    scene.tmrFive->Enabled = true;
    tick();
    EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()), (std::vector<std::string>{"tmrOne", "tmrFive"}));
}

TEST_F(LayerTest, HiddenWindowKeepsTicking) {
    // Hiding a window does not stop its timers; unloading it does.
    app.start(scene);
    dialog.Show();
    scene.Hide();
    tick(2);
    EXPECT_EQ(count("tmrOne"), 2);
    scene.Unload();
    tick(2);
    EXPECT_EQ(count("tmrOne"), 2);
}

TEST_F(LayerTest, TicksWithheldDuringABoxComeOnceAfterIt) {
    // While a box is open no tick arrives; once it is closed each timer that
    // fell due delivers one tick at once, then ticks keep their period.
    app.start(scene);
    scene.tmrFive->Enabled = true;
    scene.onTimerOne = [this] {
        scene.onTimerOne = nullptr;
        frontEnd.whileBoxOpen = [this] {
            tick(10);
            log.push_back("box closed");
        };
        scene.MsgBox("prompt", "title");
    };
    tick();
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "tmrOne", "box closed", "tmrOne", "tmrFive"}));
    EXPECT_EQ(app.clock().boundary(), 11);
    tick();
    EXPECT_EQ(count("tmrOne"), 3);
    EXPECT_EQ(count("tmrFive"), 2);
}

TEST_F(LayerTest, TimerDisabledWhileTheBoxWasOpenOwesNoTick) {
    // A timer stopped before its handler returns never delivers the tick
    // that fell due during the box.
    app.start(scene);
    scene.onTimerOne = [this] {
        scene.onTimerOne = nullptr;
        frontEnd.whileBoxOpen = [this] { tick(3); };
        scene.MsgBox("prompt", "title");
        scene.tmrOne->Enabled = false;
    };
    tick();
    tick(3);
    EXPECT_EQ(count("tmrOne"), 1);
}

struct StallCase {
    std::int64_t micros;  // how long the program is kept busy
    int tmrOne, tmrFive, tmrSlow;  // the ticks each timer delivers at its end
};

TEST_F(LayerTest, AStallGivesEachRunningTimerAtMostOneTick) {
    // A span in which the program could not keep up withholds every boundary;
    // at its end each timer that fell due ticks once, in the order of one
    // boundary, however many periods it missed, then keeps its period.
    // (Catching up by withholding all but the last boundary once gave a timer
    // a second tick there, from the owed one and the due one together.)
    static constexpr StallCase kCases[] = {
        {0, 0, 0, 0},
        {Clock::kPeriodMicros / 2, 0, 0, 0},
        {Clock::kPeriodMicros, 1, 1, 0},
        {Clock::kPeriodMicros * 100 + 7, 1, 1, 1},
    };
    for (const StallCase& c : kCases) {
        std::vector<std::string> caseLog;
        App caseApp;
        SceneForm form(caseApp, caseLog);
        caseApp.start(form);
        form.tmrFive->Enabled = true;
        form.tmrSlow->Enabled = true;
        caseLog.clear();
        caseApp.stallTo(caseApp.clock().now() + c.micros);
        auto ticks = [&](std::string_view name) { return static_cast<int>(std::count(caseLog.begin(), caseLog.end(), name)); };
        EXPECT_EQ(ticks("tmrOne"), c.tmrOne) << c.micros;
        EXPECT_EQ(ticks("tmrFive"), c.tmrFive) << c.micros;
        EXPECT_EQ(ticks("tmrSlow"), c.tmrSlow) << c.micros;
        if (c.tmrSlow == 1) {
            EXPECT_EQ(caseLog, (std::vector<std::string>{"tmrOne", "tmrFive", "tmrSlow"})) << "element order";
        }
        EXPECT_EQ(caseApp.clock().now(), c.micros);
        caseLog.clear();
        caseApp.advanceBoundaries(1);
        EXPECT_EQ(ticks("tmrOne"), 1) << "its period goes on from the stall's last boundary";
    }
}

TEST_F(LayerTest, AStallWhileABoxIsOpenIsAWait) {
    // The box withholds ticks already: a stall inside it passes the same time
    // as a wait, and the ticks owed come once, after the handler returns.
    app.start(scene);
    scene.onTimerOne = [this] {
        scene.onTimerOne = nullptr;
        frontEnd.whileBoxOpen = [this] {
            app.stallTo(app.clock().now() + 10 * Clock::kPeriodMicros);
            log.push_back("box closed");
        };
        scene.MsgBox("prompt", "title");
    };
    tick();
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "tmrOne", "box closed", "tmrOne"}));
    EXPECT_EQ(app.clock().boundary(), 11);
}

TEST_F(LayerTest, AnOwedTickThatHidesTheLastWindowEndsTheProgram) {
    // Owed ticks are delivered like any event: one whose handler leaves
    // nothing on the screen ends the program, as a click would.
    app.start(scene);
    scene.onTimerOne = [this] { scene.Hide(); };
    app.stallTo(5 * Clock::kPeriodMicros);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(frontEnd.events.back(), "end");
}

// ---- mouse -------------------------------------------------------------------

struct HitCase {
    Twips x, y;
    const char* receives;
};

TEST_F(LayerTest, ClicksGoToButtonsThenPicturesAndLabelsThenTheWindow) {
    // Buttons take clicks over everything; visible pictures and labels over
    // shapes, lines and the window; invisible elements never.
    static constexpr HitCase kCases[] = {
        {1600, 1600, "cmdBehind_Click"},  // button behind a picture in the list
        {1000, 1000, "imgPicture_Click"},  // top-left corner is inside
        {1999, 1999, "imgPicture_Click"},
        {2000, 1500, "Form_Click"},        // right edge is outside
        {3500, 1500, "lblText_Click"},     // a transparent label still takes it
        {5500, 1500, "Form_Click"},        // invisible picture
        {3500, 3500, "Form_Click"},        // shape
        {5500, 3500, "Form_Click"},        // line
    };
    app.start(scene);
    for (const HitCase& c : kCases) {
        log.clear();
        app.click(scene, c.x, c.y);
        EXPECT_EQ(log, std::vector<std::string>{c.receives}) << c.x << ", " << c.y;
    }
}

TEST_F(LayerTest, MouseMoveReachesTheWindowOnlyOverItsOwnArea) {
    // The window's MouseMove is not raised over a visible picture or label,
    // nor outside the client area; over shapes and lines it is.
    app.start(scene);
    for (auto [x, y] : {std::pair<Twips, Twips>{1500, 1500}, {3500, 1500}, {-1, 10}, {8000, 10}}) app.mouseMove(scene, x, y);
    EXPECT_EQ(log, std::vector<std::string>{"Load"});
    app.mouseMove(scene, 3500, 3500);
    app.mouseMove(scene, 5500, 3500);
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "Form_MouseMove 3500 3500", "Form_MouseMove 5500 3500"}));
}

TEST_F(LayerTest, ClickOnAnInactiveWindowActivatesItFirst) {
    // A click on a visible window that is not active makes it active; a click
    // on a hidden one, or outside the client area, does nothing at all.
    app.start(scene);
    dialog.Show();
    app.click(scene, 7000, 5000);
    EXPECT_EQ(app.activeForm(), &scene);
    dialog.Hide();
    app.click(dialog, 500, 200);
    app.click(scene, 7000, 6000);
    EXPECT_EQ(count("cmdOk_Click") + count("Form_Click"), 1);
}

// ---- keyboard ------------------------------------------------------------------

TEST_F(LayerTest, KeysGoToTheActiveWindowWithoutFocusableElements) {
    // A window with no visible button receives every key itself, with its modifiers.
    scene.cmdBehind->Visible = false;
    app.start(scene);
    app.keyDown(37, kShift | kAlt);
    app.keyUp(37);
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "Form_KeyDown 37 5", "Form_KeyUp 37"}));
}

TEST_F(LayerTest, FirstShowFocusesLowestTabIndexAndSelectsIt) {
    // The focus starts on the lowest TabIndex; an option that takes the focus
    // becomes the selected one; after Hide the focus comes back where it was.
    app.start(dialog);
    EXPECT_EQ(focusName(), "optZero");
    EXPECT_EQ(selected(), "optZero");
    app.click(dialog, 500, 1000);  // optTwo
    EXPECT_EQ(selected(), "optTwo");
    dialog.Hide();
    dialog.Show();
    EXPECT_EQ(focusName(), "optTwo");
}

struct KeyCase {
    const char* focusBefore;
    int code, shift;
    const char* focusAfter;
    const char* selectedAfter;
};

TEST_F(LayerTest, TabAndArrowsMoveTheFocusInTabIndexOrder) {
    // Tab and Shift+Tab go round every button; arrows move the selection
    // among options only, wrapping, and do nothing on a command button.
    static constexpr KeyCase kCases[] = {
        {"optZero", kKeyTab, 0, "optOne", "optOne"},
        {"optTwo", kKeyTab, 0, "cmdOk", "optTwo"},
        {"cmdStop", kKeyTab, 0, "optZero", "optZero"},
        {"optZero", kKeyTab, kShift, "cmdStop", "optZero"},
        {"optZero", kKeyDown, 0, "optOne", "optOne"},
        {"optTwo", kKeyRight, 0, "optZero", "optZero"},
        {"optZero", kKeyUp, 0, "optTwo", "optTwo"},
        {"optOne", kKeyLeft, 0, "optZero", "optZero"},
        {"cmdOk", kKeyDown, 0, "cmdOk", "optZero"},
    };
    app.start(dialog);
    for (const KeyCase& c : kCases) {
        const auto* before = static_cast<const Box*>(dialog.element(c.focusBefore));
        app.click(dialog, 500, 1800);  // optZero selected again
        app.click(dialog, before->Left + 1, before->Top + 1);
        log.clear();
        app.keyDown(c.code, c.shift);
        EXPECT_EQ(focusName(), c.focusAfter) << c.focusBefore << " " << c.code;
        EXPECT_EQ(selected(), c.selectedAfter) << c.focusBefore << " " << c.code;
        EXPECT_TRUE(log.empty()) << "no key here clicks anything";
    }
}

TEST_F(LayerTest, EnterSpaceAndAccessKeysClickButtons) {
    // Enter and Space click the focused command button; an access key clicks
    // its button, with Alt or alone while a button holds the focus; other
    // keys do nothing and never reach the window.
    app.start(dialog);
    app.keyDown(kKeyEnter);  // focus on an option: nothing
    app.keyDown('T', kAlt);  // S&top
    EXPECT_EQ(focusName(), "cmdStop");
    app.keyDown(kKeySpace);
    app.keyDown(kKeyEnter);
    app.keyDown('O');  // &Ok alone
    app.keyDown('X', kAlt);
    app.keyUp('O');
    EXPECT_EQ(log, (std::vector<std::string>{"cmdStop_Click", "cmdStop_Click", "cmdStop_Click", "cmdOk_Click"}));
    EXPECT_EQ(focusName(), "cmdOk");
}

// ---- message boxes, End and run-time errors -------------------------------------

TEST_F(LayerTest, InputIsBlockedWhileABoxIsOpen) {
    // While a box is open no handler of any window runs.
    app.start(scene);
    scene.onTimerOne = [this] {
        scene.onTimerOne = nullptr;
        frontEnd.whileBoxOpen = [this] {
            app.click(scene, 1500, 1500);
            app.mouseMove(scene, 3500, 3500);
            app.keyDown(65);
            app.keyUp(65);
            app.close(scene);
            app.resize(scene, 10, 10);
        };
        scene.MsgBox("prompt", "title");
    };
    tick();
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "tmrOne"}));
    EXPECT_TRUE(scene.visible());
    EXPECT_EQ(scene.clientWidth(), 8000);
}

TEST_F(LayerTest, EndStopsEverythingAtOnce) {
    // End ends the program at once: the rest of the handler and every later
    // handler and tick are never run.
    app.start(scene);
    scene.onTimerOne = [this] {
        scene.End();
        log.push_back("after End");
    };
    scene.tmrFive->Enabled = true;
    tick(3);
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(log, (std::vector<std::string>{"Load", "tmrOne"}));
    EXPECT_FALSE(scene.loaded());
    EXPECT_EQ(frontEnd.events.back(), "end");
}

TEST_F(LayerTest, RunTimeErrorIsReportedThenEndsTheProgram) {
    // An overflow in a handler stops it, is reported in a box, and the program
    // ends once the box is closed; no tick arrives meanwhile.
    app.start(scene);
    scene.onTimerOne = [this] {
        frontEnd.whileBoxOpen = [this] { tick(2); };
        scene.intLoads = 32767;
        scene.intLoads = scene.intLoads + 1;
        log.push_back("after overflow");
    };
    tick();
    EXPECT_EQ(frontEnd.boxes, std::vector<std::string>{"Arcadeon: Run-time error '6': Overflow"});
    EXPECT_EQ(count("tmrOne"), 1);
    EXPECT_EQ(count("after overflow"), 0);
    EXPECT_TRUE(app.ended());
}

TEST_F(LayerTest, AnEventThatLeavesNothingOnTheScreenEndsTheProgram) {
    // A handler that hides the last visible window ends the program rather
    // than leave it running where no one can reach it; hiding one of two does not.
    app.start(scene);
    dialog.Show();
    scene.onTimerOne = [this] { dialog.Hide(); };
    tick();
    EXPECT_FALSE(app.ended());
    scene.onTimerOne = [this] { scene.Hide(); };
    tick();
    EXPECT_TRUE(app.ended());
}

TEST_F(LayerTest, ClosingTheLastVisibleWindowEndsTheProgram) {
    // The title-bar close unloads the window; when nothing is left on the
    // screen the program ends instead of running on unseen.
    app.start(scene);
    dialog.Show();
    app.close(dialog);
    EXPECT_FALSE(dialog.loaded());
    EXPECT_FALSE(app.ended());
    app.close(scene);
    EXPECT_TRUE(app.ended());
}

// ---- values ----------------------------------------------------------------------

TEST(IntegerTest, StoringOutsideSixteenBitsRaisesOverflow) {
    // Counters are 16-bit: a result beyond -32768..32767 is the Overflow error.
    Integer counter = 32767;
    EXPECT_THROW(counter = counter + 1, RunTimeError);
    Integer lowest = -32768;
    EXPECT_THROW(lowest = -lowest, RunTimeError);
    EXPECT_EQ(countUp(32767), 32767);
    EXPECT_EQ(countUp(-1), 0);
    EXPECT_EQ(CStr(-75), "-75");
}

}  // namespace
}  // namespace arcadeon
