// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Ping: the paddle, the ball's walls and floor, hits, losses and counters.
#include <gtest/gtest.h>

#include "ping/frmPing.h"
#include "shell/program.h"
#include "support.h"

namespace arcadeon {
namespace {

using testing::elementOf;
using testing::RecordingFrontEnd;

class PingTest : public ::testing::Test {
protected:
    // Opens Ping by its name on the menu with the given level, and starts it.
    void open(int difficulty, bool running = true) {
        program.app.setFrontEnd(&frontEnd);
        program.Module1.intDifficulty = difficulty;
        program.open(Program::Game::Ping);
        if (running) app().click(ping(), 13000, 500);  // GO
    }
    App& app() { return program.app; }
    FrmPing& ping() { return static_cast<FrmPing&>(program.frmPing); }
    Shape& ball() { return elementOf<Shape>(ping(), "shpBlue"); }
    Shape& paddle() { return elementOf<Shape>(ping(), "shpRed"); }
    Label& label(std::string_view name) { return elementOf<Label>(ping(), name); }
    void place(Twips left, Twips top, int speedX, int speedY) {
        ball().Left = left;
        ball().Top = top;
        ping().intSpeedX = speedX;
        ping().intSpeedY = speedY;
    }
    void tick(int count = 1) { testing::tick(app(), count); }

    RecordingFrontEnd frontEnd;
    Program program;
};

struct PaddleCase {
    int difficulty;
    Twips width;
    Twips lowest, highest;  // pointer X range that moves the paddle
};

TEST_F(PingTest, PaddleFollowsThePointerWithinItsRangeOnly) {
    // The paddle centres on X when field left + W/2 <= X <= field right - W/2
    // (inclusive); beyond that it stays where it was, unclamped.
    static constexpr PaddleCase kCases[] = {
        {1, 3500, 1990, 12665},
        {2, 2175, 1327.5f, 13327.5f},
        {3, 1095, 787.5f, 13867.5f},
        {0, 2175, 1327.5f, 13327.5f},
        {7, 2175, 1327.5f, 13327.5f},
    };
    for (const PaddleCase& c : kCases) {
        Program fresh;
        fresh.Module1.intDifficulty = c.difficulty;
        fresh.open(Program::Game::Ping);
        Shape& paddle = elementOf<Shape>(fresh.frmPing, "shpRed");
        EXPECT_EQ(paddle.Width, c.width);
        EXPECT_EQ(paddle.Left, 6240);
        fresh.app.mouseMove(fresh.frmPing, 5000, 5000);  // stopped: no effect
        EXPECT_EQ(paddle.Left, 6240);
        fresh.app.click(fresh.frmPing, 13000, 500);  // GO
        fresh.app.mouseMove(fresh.frmPing, c.lowest, 5000);
        EXPECT_EQ(paddle.Left, 240) << c.difficulty;
        fresh.app.mouseMove(fresh.frmPing, c.highest, 5000);
        EXPECT_EQ(paddle.Left, 14415 - c.width) << c.difficulty;
        fresh.app.mouseMove(fresh.frmPing, 5000, 5000);
        const Twips centred = 5000 - c.width / 2;
        EXPECT_EQ(paddle.Left, centred);
        fresh.app.mouseMove(fresh.frmPing, c.lowest - 0.5f, 5000);
        fresh.app.mouseMove(fresh.frmPing, c.highest + 0.5f, 5000);
        EXPECT_EQ(paddle.Left, centred) << c.difficulty;
    }
}

TEST_F(PingTest, PaddleIgnoresThePointerOverALabel) {
    // Over a label the window gets no MouseMove; over the ball, field and line it does.
    open(1);
    app().mouseMove(ping(), 13000, 500);  // over GO
    app().mouseMove(ping(), 1000, 1000);  // over HITS
    EXPECT_EQ(paddle().Left, 6240);
    app().mouseMove(ping(), 7320, 5000);  // on the centre line
    EXPECT_EQ(paddle().Left, 5570);
}

struct BoundCase {
    const char* what;
    Twips left, top;  // before the tick
    int speedX, speedY;
    int speedXAfter, speedYAfter;
    bool lost;
};

TEST_F(PingTest, EveryWallFloorAndPaddleBoundIsInclusive) {
    // The Normal paddle stands at 6240..8415 with its top at 8880 and bottom at 9255.
    static constexpr BoundCase kCases[] = {
        {"left wall reached", 315, 3000, -75, 75, 75, 75, false},
        {"left wall not yet", 320, 3000, -75, 75, -75, 75, false},
        {"right wall reached", 13245, 3000, 75, 75, -75, 75, false},
        {"right wall not yet", 13240, 3000, 75, 75, 75, 75, false},
        {"top wall reached", 3000, 195, 75, -75, 75, 75, false},
        {"top wall not yet", 3000, 200, 75, -75, 75, -75, false},
        {"floor reached", 3000, 8205, 75, 75, -75, -75, true},
        {"floor not yet", 3000, 8200, 75, 75, 75, 75, false},
        {"bottom edge at paddle top", 6000, 7710, 75, 75, 80, -80, false},
        {"bottom edge just above", 6000, 7705, 75, 75, 75, 75, false},
        {"bottom edge at paddle bottom", 6000, 8085, 75, 75, 80, -80, false},
        {"span's left end", 3990, 7710, 75, 75, 80, -80, false},
        {"just left of the span", 3985, 7710, 75, 75, 75, 75, false},
        {"span's right end", 8340, 7710, 75, 75, 80, -80, false},
        {"just right of the span", 8345, 7710, 75, 75, 75, 75, false},
    };
    open(2);
    frontEnd.whileBoxOpen = nullptr;
    for (const BoundCase& c : kCases) {
        place(c.left, c.top, c.speedX, c.speedY);
        elementOf<Timer>(ping(), "tmrBlue").Enabled = true;
        label("lblGo").Caption = "PAUSE";
        const auto boxes = frontEnd.boxes.size();
        tick();
        EXPECT_EQ(ping().intSpeedX, c.speedXAfter) << c.what;
        EXPECT_EQ(ping().intSpeedY, c.speedYAfter) << c.what;
        EXPECT_EQ(frontEnd.boxes.size() - boxes, c.lost ? 1u : 0u) << c.what;
    }
}

TEST_F(PingTest, BallInsideTheBandIsHitAtEveryTick) {
    // A ball already in the band when it comes into the span is hit at every
    // tick, turned up and down, each time counting and speeding up.
    static constexpr std::pair<Twips, Twips> kHits[] = {
        {4075, 7875}, {4155, 7795}, {4240, 7880}, {4330, 7790}, {4425, 7885}, {4525, 7785}, {4630, 7890}};
    open(2);
    place(4000, 7800, 75, 75);
    for (int hit = 1; hit <= 7; ++hit) {
        tick();
        EXPECT_EQ(ball().Left, kHits[hit - 1].first) << "hit " << hit;
        EXPECT_EQ(ball().Top, kHits[hit - 1].second) << "hit " << hit;
        EXPECT_EQ(ping().intHits, hit);
    }
    tick();
    EXPECT_EQ(ball().Left, 4740);
    EXPECT_EQ(ball().Top, 7780);
    EXPECT_EQ(ping().intSpeedX, 110);
    EXPECT_EQ(ping().intSpeedY, -110);
    EXPECT_EQ(ping().intHits, 7);
    EXPECT_EQ(label("lblHighScore").Caption, "HIGH SCORE= 7");
}

TEST_F(PingTest, LossStopsTheGameAndPutsTheBallBack) {
    // After "You lose!" the ball is at (4320, 2280), the game stopped, a loss
    // counted, hits cleared with the odd "HITS = 0", speeds -75; the high
    // score stays. No tick arrives while the box is open.
    open(2);
    ping().intHighScore = 4;
    ping().intHits = 3;
    place(3000, 8205, 75, 75);
    frontEnd.whileBoxOpen = [this] {
        tick(5);
        EXPECT_EQ(ball().Top, 8280);
    };
    tick();
    EXPECT_EQ(frontEnd.boxes, std::vector<std::string>{"Uh oh!: You lose!"});
    EXPECT_EQ(ball().Left, 4320);
    EXPECT_EQ(ball().Top, 2280);
    EXPECT_FALSE(elementOf<Timer>(ping(), "tmrBlue").Enabled);
    EXPECT_EQ(label("lblGo").Caption, "GO");
    EXPECT_EQ(label("lblLosses").Caption, "LOSSES= 1");
    EXPECT_EQ(label("lblHits").Caption, "HITS = 0");
    EXPECT_EQ(ping().intSpeedX, -75);
    EXPECT_EQ(ping().intSpeedY, -75);
    EXPECT_EQ(ping().intHighScore, 4);
    tick(10);
    EXPECT_EQ(ball().Left, 4320);
}

TEST_F(PingTest, EqualingTheHighScoreLeavesItsLabel) {
    // The high score rises only when the hits pass it strictly.
    open(2);
    ping().intHighScore = 1;
    place(6000, 7710, 75, 75);
    tick();
    EXPECT_EQ(ping().intHits, 1);
    EXPECT_EQ(label("lblHighScore").Caption, "HIGH SCORE= 0");
}

TEST_F(PingTest, CountersStopAt32767) {
    // A hit or a loss that would pass 32767 leaves the counter there instead
    // of ending the program.
    open(2);
    ping().intHits = 32767;
    ping().intHighScore = 32767;
    ping().intLosses = 32767;
    place(6000, 7710, 75, 75);
    tick();
    EXPECT_EQ(label("lblHits").Caption, "HITS= 32767");
    place(3000, 8205, 75, 75);
    tick();
    EXPECT_EQ(label("lblLosses").Caption, "LOSSES= 32767");
    EXPECT_FALSE(app().ended());
}

TEST_F(PingTest, SpeedPastSixteenBitsIsARunTimeError) {
    // Speeds keep their 16-bit arithmetic: a speed-up past 32767 ends the program.
    open(2);
    place(6000 + 32765, 7710, -32765, 75);  // the step brings it onto the paddle
    tick();
    EXPECT_TRUE(app().ended());
    EXPECT_EQ(frontEnd.boxes, std::vector<std::string>{"Arcadeon: Run-time error '6': Overflow"});
}

}  // namespace
}  // namespace arcadeon
