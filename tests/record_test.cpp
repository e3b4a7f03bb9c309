// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Recordings: what the recorder writes for each call a front end makes to the
// layer, that the runner plays it to the very same state, and what
// `arcadeon-script --verify` says about it.
#include <gtest/gtest.h>

#include <optional>
#include <sstream>

#include "shell/layer/properties.h"
#include "shell/layer/recorder.h"
#include "shell/record/state.h"
#include "shell/record/verify.h"
#include "support.h"

namespace arcadeon {
namespace {

using testing::RecordingFrontEnd;

// A program played through a recorder that writes into `text`, as the
// desktop program plays it, with time and input at odd moments.
class RecordedGame : public ::testing::Test {
protected:
    Program program;
    RecordingFrontEnd frontEnd;
    Recorder recorder{program.app};
    std::string text;

    void SetUp() override {
        program.app.setFrontEnd(&frontEnd);
        std::string why;
        ASSERT_TRUE(recorder.record([this](std::string_view chunk, std::string&) {
            text += chunk;
            return true;
        }, "# header\n", why));
        program.start();
    }

    // The Invaders game: its welcome box opens inside the click and stays
    // open for a while; then the ship moves, fires, the program stalls,
    // Escape opens the Pause dialog; all at times off the clock's boundaries.
    void play() {
        App& app = program.app;
        recorder.advanceTo(500250);
        recorder.mouseMove(program.frmMenu, 4920, 1875);
        frontEnd.whileBoxOpen = [&] {
            recorder.advanceTo(app.clock().now() + 700001);
            recorder.ok();
        };
        recorder.click(program.frmMenu, 4920, 1875);
        recorder.advanceTo(app.clock().now() + 15625);
        recorder.mouseMove(program.frmInvaders, 4800.3f, 5700.7f, 1, kShift);
        recorder.click(program.frmInvaders, 4800.3f, 5700.7f);
        recorder.advanceTo(app.clock().now() + 31337);
        recorder.stallTo(app.clock().now() + 1250500);
        recorder.advanceTo(app.clock().now() + 200000);
        recorder.keyDown(27, kShift | kCtrl | kAlt);
        recorder.keyUp(27, kShift | kCtrl | kAlt);
        recorder.resize(program.frmInvaders, 9000.5f, 6000);
        recorder.finish(finalStateBlock(program));
    }
};

struct CatchUpCase {
    bool timerRunning;
    std::int64_t late;       // microseconds past the last boundary processed
    const char* line;        // what the recording says of it
};

TEST_F(RecordedGame, RealTimeIsAWaitWhenOnTimeAndAStallWhenMoreThanABoundaryLate) {
    // A front end's wake-up: at most one boundary since the last one
    // processed passes as `wait`; more, while a timer runs, as `stall`, so
    // that each timer ticks once for the span; with no timer running, as `wait`.
    static constexpr CatchUpCase kCases[] = {
        {true, 10'000, "wait 10"},
        {true, Clock::kPeriodMicros, "wait 15.625"},
        {true, 2 * Clock::kPeriodMicros - 1, "wait 31.249"},
        {true, 2 * Clock::kPeriodMicros, "stall 31.25"},
        {true, 500'000, "stall 500"},
        {false, 500'000, "wait 500"},
    };
    for (const CatchUpCase& c : kCases) {
        if (c.timerRunning) program.open(Program::Game::Froggy);
        recorder.advanceTo(program.app.clock().nextBoundaryTime());  // just processed a boundary
        text.clear();
        recorder.catchUpTo(program.app.clock().now() + c.late);
        EXPECT_EQ(text, std::string(c.line) + "\n") << c.late << (c.timerRunning ? " with a timer" : "");
        if (c.timerRunning) {
            program.frmFroggy.Unload();
            program.frmMenu.Show();
        }
    }
}

TEST_F(RecordedGame, AFrontEndWakesAtTheNextBoundaryOnlyWhileATimerRunsAndNoBoxIsOpen) {
    // The one wake rule of every front end: the microseconds from now to the
    // next boundary, 0 once it is due or past (the front end is late); none
    // when only input can change anything: no timer running, a box open (its
    // close catches up), the program ended.
    constexpr std::int64_t kPeriod = Clock::kPeriodMicros;
    struct Case {
        std::int64_t sinceBoundary;  // real time past the last boundary processed
        std::optional<std::int64_t> wake;
    };
    static constexpr Case kRunning[] = {
        {0, kPeriod}, {10'000, kPeriod - 10'000}, {kPeriod - 1, 1}, {kPeriod, 0}, {3 * kPeriod + 7, 0},
    };
    App& app = program.app;
    EXPECT_EQ(recorder.nextWakeIn(app.clock().now() + 10'000), std::nullopt) << "the menu, no timer running";

    program.open(Program::Game::Froggy);
    recorder.advanceTo(app.clock().nextBoundaryTime());
    for (const Case& c : kRunning) {
        EXPECT_EQ(recorder.nextWakeIn(app.clock().now() + c.sinceBoundary), c.wake) << c.sinceBoundary << " past a boundary";
    }
    program.frmFroggy.Unload();
    program.frmMenu.Show();

    // The Invaders welcome box: the mothership's timer runs behind it.
    std::optional<std::int64_t> underBox = -1;
    bool timerUnderBox = false;
    frontEnd.whileBoxOpen = [&] {
        timerUnderBox = app.anyTimerRunning();
        underBox = recorder.nextWakeIn(app.clock().now() + kPeriod);
    };
    program.open(Program::Game::Invaders);
    EXPECT_TRUE(timerUnderBox);
    EXPECT_EQ(underBox, std::nullopt) << "a box open";
    EXPECT_EQ(recorder.nextWakeIn(app.clock().now()), kPeriod) << "the box closed, the mothership running";

    recorder.keyDown(27);        // the Pause dialog
    recorder.keyDown('Q', kAlt); // its Quit
    ASSERT_TRUE(app.ended());
    EXPECT_EQ(recorder.nextWakeIn(app.clock().now()), std::nullopt) << "the program ended";
}

TEST_F(RecordedGame, ClosingABoxPassesTheTimeItStoodOpenThenWritesItsOk) {
    // A front end closing a box: the time it was open passes first (a stall
    // when a timer runs and more than a boundary went by, which under a box
    // is the same as a wait), then ok; nothing passes once the program has ended.
    struct Case {
        std::int64_t open;  // microseconds the box stood open
        const char* lines;
        bool stalled;
    };
    static constexpr Case kCases[] = {
        {0, "ok\n", false},
        {5'000, "wait 5\nok\n", false},
        {500'000, "stall 500\nok\n", true},
    };
    for (const Case& c : kCases) {
        std::int64_t openedAt = -1;
        bool stalled = !c.stalled;
        frontEnd.whileBoxOpen = [&] {
            text.clear();
            openedAt = program.app.clock().now();
            stalled = recorder.boxClosed(openedAt + c.open);
        };
        program.open(Program::Game::Invaders);  // its welcome box
        EXPECT_EQ(text.substr(0, text.find("ok\n") + 3), c.lines) << c.open;
        EXPECT_EQ(stalled, c.stalled) << c.open;
        EXPECT_EQ(program.app.clock().now(), openedAt + c.open);
        program.frmInvaders.Unload();
        program.frmMenu.Show();
    }

    recorder.keyDown(27);
    recorder.keyDown('Q', kAlt);
    ASSERT_TRUE(program.app.ended());
    text.clear();
    EXPECT_FALSE(recorder.boxClosed(program.app.clock().now() + 500'000));
    EXPECT_EQ(text, "ok\n") << "no time passes after the end";
}

TEST_F(RecordedGame, WritesEachCallAsTheScriptLineThatRepeatsIt) {
    // Each line comes before its call, a box's lines before its ok; times as
    // milliseconds with three decimals at most; coordinates as print writes them.
    play();
    const std::string expected =
        "# header\n"
        "wait 500.25\n"
        "move frmMenu 4920 1875\n"
        "click frmMenu 4920 1875\n"
        "wait 700.001\n"
        "ok\n"
        "wait 15.625\n"
        "move frmInvaders " + formatSingle(4800.3f) + " " + formatSingle(5700.7f) + "\n"
        "click frmInvaders " + formatSingle(4800.3f) + " " + formatSingle(5700.7f) + "\n"
        "wait 31.337\n"
        "stall 1250.5\n"
        "wait 200\n"
        "keydown 27 shift ctrl alt\n"
        "keyup 27 shift ctrl alt\n"
        "resize frmInvaders 9000.5 6000\n"
        "# The state at the end, for arcadeon-script --verify:\n";
    ASSERT_EQ(text.substr(0, expected.size()), expected);
    EXPECT_NE(text.find("\n# final frmInvaders.imgShip.Left = " + formatValue(program.frmInvaders.elementAs<Image>("imgShip").Left) + "\n"),
              std::string::npos);
}

TEST_F(RecordedGame, TheRunnerPlaysTheRecordingToTheSameStateAndVerifyNamesAnyDifference) {
    // The recording replays to every recorded value; a changed value, a bad
    // line or a missing block is reported with its own status.
    play();
    const std::vector<std::string> lines = splitLines(text);
    ASSERT_GT(readFinalState(lines).size(), 100u);

    struct Case {
        const char* what;
        std::string from, to;  // a text replaced in the recording, each time it occurs
        int status;
        std::string output;   // expected in standard output or error
    };
    const std::string ship = "# final frmInvaders.imgShip.Left = ";
    const std::string shipLeft = formatValue(program.frmInvaders.elementAs<Image>("imgShip").Left);
    const Case cases[] = {
        {"unchanged", "", "", 0, "recording verified: "},
        {"a value changed", ship + shipLeft + "\n", ship + "1" + shipLeft + "\n", 1,
         "frmInvaders.imgShip.Left: recorded '1" + shipLeft + "', replayed '" + shipLeft + "'\nrecording differs: 1 of "},
        {"an empty value changed", "# final frmMenu.lblTitle.Caption = Arcadeon\n", "# final frmMenu.lblTitle.Caption = \n", 1,
         "frmMenu.lblTitle.Caption: recorded '', replayed 'Arcadeon'"},
        {"no final state", "# final ", "# was ", 2, "error: recording: no final-state block"},
        {"a malformed final line", "# final app.ActiveForm = ", "# final app.ActiveForm:", 2, "a final-state line is"},
        {"a path that names nothing", "# final app.ActiveForm", "# final app.Active", 2, "unknown path 'app.Active'"},
        {"a bad script line", "keyup 27 shift", "keyup 27 super", 2, "error: line 14: unknown modifier 'super'"},
    };
    for (const Case& c : cases) {
        std::string changed = text;
        if (!c.from.empty()) {
            ASSERT_NE(changed.find(c.from), std::string::npos) << c.what;
            for (std::size_t at = 0; (at = changed.find(c.from, at)) != std::string::npos; at += c.to.size()) {
                changed.replace(at, c.from.size(), c.to);
            }
        }
        std::ostringstream out, err;
        EXPECT_EQ(verifyRecording(splitLines(changed), "recording", out, err), c.status) << c.what << ": " << err.str();
        EXPECT_NE((out.str() + err.str()).find(c.output), std::string::npos) << c.what << " gave " << out.str() << err.str();
    }
}

TEST(Recorder, AFailedWriteStopsTheRecordingReportsOnceAndThePlayGoesOn) {
    // A lost line would make the rest replay differently: nothing more is
    // written, the person is told once, and the layer still gets every call.
    Program program;
    Recorder recorder(program.app);
    int writes = 0;
    std::vector<std::string> reports;
    std::string why;
    ASSERT_TRUE(recorder.record([&](std::string_view, std::string& failure) {
        failure = "No space left on device";
        return ++writes <= 2;
    }, "# header\n", why));
    recorder.onFailure([&](const std::string& failure) { reports.push_back(failure); });
    program.start();
    recorder.click(program.frmMenu, 4920, 7900);  // Froggy opens: its timers run
    for (int i = 1; i <= 10; ++i) recorder.advanceTo(i * 15625);
    recorder.finish(finalStateBlock(program));

    EXPECT_EQ(writes, 3);
    EXPECT_EQ(reports, std::vector<std::string>{"No space left on device"});
    EXPECT_TRUE(recorder.failed());
    EXPECT_FALSE(recorder.recording());
    EXPECT_EQ(program.app.clock().now(), 10 * 15625);
    EXPECT_TRUE(program.frmFroggy.visible());
}

TEST(Recorder, AHeaderThatCannotBeWrittenMeansNoRecording) {
    // The program refuses to start rather than play unrecorded.
    Program program;
    Recorder recorder(program.app);
    std::string why;
    EXPECT_FALSE(recorder.record([](std::string_view, std::string& failure) {
        failure = "Permission denied";
        return false;
    }, "# header\n", why));
    EXPECT_EQ(why, "Permission denied");
    EXPECT_FALSE(recorder.recording());
}

TEST(Recorder, TheHeaderNamesTheProgramItsVersionAndTheDate) {
    // Comment lines the runner skips, with the date in local time.
    const std::string header = recordingHeader("1.2.3", 0);
    EXPECT_EQ(header.rfind("# Arcadeon 1.2.3, a game recorded with arcadeon --record on 19", 0), 0u) << header;
    for (const std::string& line : splitLines(header)) EXPECT_EQ(line.front(), '#');
}

TEST(FinalState, ListsEveryVariableAndEveryPropertyOfEachLoadedWindowOnly) {
    // Variables of every window; properties only of loaded windows, each one
    // that print allows, read without loading anything.
    Program program;
    program.start();
    const std::vector<PathValue> state = finalState(program);
    const auto has = [&](std::string_view path) {
        return std::any_of(state.begin(), state.end(), [&](const PathValue& entry) { return entry.path == path; });
    };
    EXPECT_EQ(state[0].path, "Module1.intDifficulty");
    EXPECT_EQ(state[1].path, "app.ActiveForm");
    EXPECT_EQ(state[1].value, "frmMenu");
    EXPECT_TRUE(has("frmInvaders.intAlienSpeed"));
    EXPECT_TRUE(has("frmMenu.imgPing.Stretch"));
    EXPECT_TRUE(has("frmMenu.lblTitle.TabIndex"));
    EXPECT_FALSE(has("frmPing.shpBlue.Left"));
    EXPECT_FALSE(program.frmPing.loaded());

    // Every name listed for a kind is one that print reads.
    for (Form* form : program.forms()) {
        for (const Element* element : form->elements()) {
            for (std::string_view property : propertyNames(element->kind)) {
                EXPECT_TRUE(readProperty(*element, property).has_value()) << element->name << "." << property;
            }
        }
    }
}

TEST(FinalState, FinalLinesReadBackAsWritten) {
    // A value is the rest of the line after "= ", blanks and '=' included;
    // an empty value may have lost its trailing blank; CR LF endings too.
    const std::vector<FinalValue> block = readFinalState(
        {"# final frmPing.lblHits.Caption = HITS= 1", "# final frmMenu.lblTitle.Caption = ",
         "# final frmMenu.lblPing.Caption =", "# final app.ActiveForm = frmPing\r", "# finally a comment = x", "print app.Clock"});
    ASSERT_EQ(block.size(), 4u);
    EXPECT_EQ(block[0].value, "HITS= 1");
    EXPECT_EQ(block[1].value, "");
    EXPECT_EQ(block[2].value, "");
    EXPECT_EQ(block[3].value, "frmPing");
    EXPECT_EQ(block[3].line, 4);
    EXPECT_THROW((void)readFinalState({"", "# final app.ActiveForm"}), std::runtime_error);
    EXPECT_THROW((void)readFinalState({"# final  = frmPing"}), std::runtime_error);
}

TEST(CheckScript, RunsTheFirstPartAndChecksEveryLineAfterIt) {
    // What a replay checks before it opens a window: a bad line anywhere, an
    // `ok` with no box open within the time it runs; never a long wait.
    struct Case {
        const char* script;
        int status;
        const char* error;
    };
    const Case cases[] = {
        {"click frmMenu lblPing\ntick 10\n", 0, ""},
        {"click frmMenu lblPing\nok\n", 2, "error: line 2: no message box is open"},
        {"click frmMenu lblFrog\nwait 99999999999\nok\nclick frmNowhere 1 2\n", 2, "error: line 4: unknown window 'frmNowhere'"},
        {"click frmMenu lblFrog\ntick 1099511627776\nok\nprint app.Clock\n", 0, ""},
    };
    for (const Case& c : cases) {
        std::ostringstream err;
        EXPECT_EQ(checkScript(splitLines(c.script), err, 60'000'000), c.status) << c.script;
        EXPECT_EQ(err.str().rfind(c.error, 0), 0u) << c.script << " gave " << err.str();
    }
}

}  // namespace
}  // namespace arcadeon
