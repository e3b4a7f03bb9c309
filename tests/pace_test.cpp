// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The pace of a replay in a front end's windows: when it waits, and what
// time passes after each wait.
#include <gtest/gtest.h>

#include <vector>

#include "shell/record/pace.h"

namespace arcadeon {
namespace {

constexpr ElementLayout kClock[] = {{"tmrClock", Kind::Timer, {.Interval = 1}}};
constexpr FormLayout kLayout{.name = "frmClock", .Caption = "Clock", .ClientWidth = 1500, .ClientHeight = 1500, .elements = kClock};

class ClockForm final : public Form {
public:
    explicit ClockForm(App& app) : Form(app, kLayout) {}
    Control<Timer> tmrClock{*this, "tmrClock"};
};

TEST(ReplayPace, TimePassesBoundaryByBoundaryWhileATimerRunsAndAStallWhole) {
    // While a timer runs the replay waits for each boundary on the wall
    // clock (at `speed` times the script's pace) and lets it pass; with none
    // running, or for a stall, it waits once for the end. After each wait
    // the windows are shown; a replay stopped during a wait lets no more
    // time pass.
    struct Case {
        const char* what;
        double speed;
        bool timer;
        std::int64_t to;
        bool stall;
        int stopAfter;  // waits granted before the replay stops; -1 never
        std::vector<std::int64_t> waits;
        std::int64_t clock;
    };
    const Case cases[] = {
        {"a wait, a timer running", 1, true, 40000, false, -1, {15625, 31250, 40000}, 40000},
        {"twice as fast", 2, true, 40000, false, -1, {7812, 15625, 20000}, 40000},
        {"no timer running", 1, false, 40000, false, -1, {40000}, 40000},
        {"a stall", 1, true, 40000, true, -1, {40000}, 40000},
        {"stopped after the first boundary", 1, true, 40000, false, 1, {15625, 31250}, 15625},
    };
    for (const Case& c : cases) {
        App app;
        ClockForm form(app);
        app.start(form);
        form.tmrClock->Enabled = c.timer;
        std::vector<std::int64_t> waits;
        int shown = 0;
        ReplayPace pace(
            c.speed,
            [&](std::int64_t due) {
                waits.push_back(due);
                return c.stopAfter < 0 || static_cast<int>(waits.size()) <= c.stopAfter;
            },
            [&] { ++shown; });
        EXPECT_EQ(pace.pass(app, c.to, c.stall), c.stopAfter < 0) << c.what;
        EXPECT_EQ(waits, c.waits) << c.what;
        EXPECT_EQ(app.clock().now(), c.clock) << c.what;
        EXPECT_EQ(shown, static_cast<int>(c.waits.size()) - (c.stopAfter < 0 ? 0 : 1)) << c.what;
    }
}

}  // namespace
}  // namespace arcadeon
