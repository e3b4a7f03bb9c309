// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Vavod Uvavovirovu Divadazo game: ship controls, the shot, the bombs and
// the lives, the mothership and the formation, and both ends of a game.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/program.h"
#include "support.h"

namespace arcadeon {
namespace {

struct ShownBox {
    std::string title, prompt;
};

// Records every message box; a box counts as closed as soon as it opens.
class Recorder final : public FrontEnd {
public:
    void messageBox(std::string_view title, std::string_view prompt) override {
        boxes.push_back({std::string(title), std::string(prompt)});
        if (onBox) onBox();
    }
    void delivering(const Form& /*form*/, const Element* element) override {
        if (element != nullptr && element->kind == Kind::Timer) ticks.emplace_back(element->name);
    }
    std::vector<ShownBox> boxes;
    std::vector<std::string> ticks;  // timer ticks delivered, in order
    std::function<void()> onBox;
};

// A program with the Invaders game opened from the menu.
class Game {
public:
    Game() {
        program.app.setFrontEnd(&recorder);
        program.open(Program::Game::Invaders);
        recorder.boxes.clear();
    }
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Form& form() { return program.frmInvaders; }
    template <class T>
    T& the(std::string_view name) {
        return form().elementAs<T>(name);
    }
    Image& image(std::string_view name) { return the<Image>(name); }
    Timer& timer(std::string_view name) { return the<Timer>(name); }
    Shape& shot() { return the<Shape>("shpBullet"); }
    Label& pauseLabel() { return the<Label>("lblPause"); }
    int variable(std::string_view name) { return *form().variable(name); }

    void tick(int count = 1) { testing::tick(program.app, count); }
    void move(Twips x, Twips y) { program.app.mouseMove(form(), x, y); }
    void click(Twips x, Twips y) { program.app.click(form(), x, y); }
    void clickOn(Form& window, std::string_view name) {
        const Point centre = centreOf(*window.element(name));
        program.app.click(window, centre.x, centre.y);
    }
    void escape() { program.app.keyDown(27); }
    void togglePause() { clickOn(form(), "lblPause"); }

    // Holds the mothership and the formation still, so a rule can be watched alone.
    void stopMothership() { timer("tmrMothership").Enabled = false; }
    // A hidden alien, moved out of the way as the shot leaves it.
    void destroy(std::string_view alien) {
        image(alien).Visible = false;
        image(alien).Left = 0;
    }
    void destroyAllAliens() {
        for (int i = 1; i <= 12; ++i) destroy("imgAlien" + std::to_string(i));
    }
    // Puts bomb "1", "2" or "3" one move above the ship's top (Top 5610) and lets it fall.
    void dropJustAboveTheShip(std::string_view bomb) {
        image(std::string("imgBomb") + std::string(bomb)).Top = 5610;
        timer(std::string("tmrBomb") + std::string(bomb)).Enabled = true;
    }
    // The game ended with one box titled `title`: the window is gone and the menu is back.
    void expectEndedWith(std::string_view title) {
        ASSERT_EQ(recorder.boxes.size(), 1u);
        EXPECT_EQ(recorder.boxes[0].title, title);
        EXPECT_FALSE(form().loaded());
        EXPECT_TRUE(program.frmMenu.visible());
        EXPECT_EQ(program.app.activeForm(), &program.frmMenu);
    }

    Program program;
    Recorder recorder;
};

// A point on the window's background, clear of every picture and label.
constexpr Twips kBackgroundY = 6000;
constexpr Twips kFireX = 6000, kFireY = 5000;

// ---- Load and the player's controls ------------------------------------------

TEST(InvadersControls, WelcomeBoxComesBeforeTheWindowAppears) {
    // The welcome box opens inside Load: the menu is still shown and the game window not yet.
    Program program;
    Recorder recorder;
    program.app.setFrontEnd(&recorder);
    program.start();
    bool menuVisible = false, gameVisible = true;
    recorder.onBox = [&] {
        menuVisible = program.frmMenu.visible();
        gameVisible = program.frmInvaders.visible();
    };
    program.app.click(program.frmMenu, 3120 + 3735 / 2.0f, 2280 + 2460 / 2.0f);

    ASSERT_EQ(recorder.boxes.size(), 1u);
    EXPECT_EQ(recorder.boxes[0].title, "Welcome!");
    EXPECT_EQ(recorder.boxes[0].prompt, "Welcome to Vavod Uvavovirovu Divadazo!!!");
    EXPECT_TRUE(menuVisible);
    EXPECT_FALSE(gameVisible);
    EXPECT_FALSE(program.frmMenu.visible());
    EXPECT_TRUE(program.frmInvaders.visible());
    EXPECT_EQ(*program.frmInvaders.variable("intMothershipSpeed"), 20);
    EXPECT_EQ(*program.frmInvaders.variable("intAlienSpeed"), 20);
}

TEST(InvadersControls, ShipFollowsThePointerOnlyBetweenItsLimits) {
    // The ship centres on a pointer from 3037.5 to 8842.5, both inclusive; beyond, nothing moves.
    struct Case {
        Twips x;
        Twips shipLeft;
        Twips shotLeft, shotTop;
    };
    const Case cases[] = {
        {3037.5f, 2160, 2970, 6120},      // on the left wall
        {8842.5f, 7965, 8775, 6120},      // right edge on the right wall
        {6000, 5122.5f, 5932.5f, 6120},
        {3037.25f, 5160, 6000, 6240},     // just beyond: the load positions stay
        {8842.75f, 5160, 6000, 6240},
        {2200, 5160, 6000, 6240},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.x);
        Game game;
        game.move(c.x, kBackgroundY);
        EXPECT_EQ(game.image("imgShip").Left, c.shipLeft);
        EXPECT_EQ(game.image("imgShip").Top, 6120);
        EXPECT_EQ(game.shot().Left, c.shotLeft);
        EXPECT_EQ(game.shot().Top, c.shotTop);
    }
}

TEST(InvadersControls, SweepBeyondALimitLeavesTheShipAtTheLastInRangePosition) {
    // The ship is not clamped to the limit: it stays where the last in-range pointer put it.
    Game game;
    game.move(4000, kBackgroundY);
    game.move(11000, 1500);
    EXPECT_EQ(game.image("imgShip").Left, 3122.5f);
    game.move(2500, kBackgroundY);
    EXPECT_EQ(game.image("imgShip").Left, 3122.5f);
}

TEST(InvadersControls, PointerOverAPictureOrLabelDoesNotMoveTheShip) {
    // Pictures and labels take the pointer's movements, so the window gets none over them.
    const std::pair<Twips, Twips> overElements[] = {
        {6000, 6500},   // the ship itself
        {3000, 2500},   // imgAlien1
        {1200, 1600},   // lblLives
        {5000, 500},    // the title
    };
    for (auto [x, y] : overElements) {
        SCOPED_TRACE(x);
        Game game;
        game.move(x, y);
        EXPECT_EQ(game.image("imgShip").Left, 5160);
        game.move(6000, kBackgroundY);  // catches up over the background
        EXPECT_EQ(game.image("imgShip").Left, 5122.5f);
    }
}

TEST(InvadersControls, ShotInFlightDoesNotFollowTheShip) {
    // Only a shot at rest follows the ship.
    Game game;
    game.stopMothership();
    game.move(6000, kBackgroundY);
    game.click(kFireX, kFireY);
    game.tick();
    game.move(7000, kBackgroundY);
    EXPECT_EQ(game.image("imgShip").Left, 6122.5f);
    EXPECT_EQ(game.shot().Left, 5932.5f);
    EXPECT_EQ(game.shot().Top, 6070);
}

TEST(InvadersControls, SecondClickDuringAFlightChangesNothing) {
    // A click while the shot flies adds no shot and does not move the one in flight.
    Game game;
    game.stopMothership();
    game.move(6000, kBackgroundY);
    game.click(kFireX, kFireY);
    game.tick(3);
    game.click(kFireX, kFireY);
    EXPECT_EQ(game.shot().Top, 5970);
    game.tick();
    EXPECT_EQ(game.shot().Top, 5920);
    EXPECT_TRUE(game.timer("tmrBullet").Enabled);
}

TEST(InvadersControls, EscapeStopsEveryTimerAndOpensThePauseDialog) {
    // Escape shows the Pause dialog, disables all five timers and sets the label to GO.
    Game game;
    game.click(kFireX, kFireY);
    game.timer("tmrBomb2").Enabled = true;
    game.escape();
    EXPECT_TRUE(game.program.frmPause.visible());
    EXPECT_EQ(game.pauseLabel().Caption, "GO");
    for (const char* name : {"tmrBomb1", "tmrBomb2", "tmrBomb3", "tmrMothership", "tmrBullet"}) {
        EXPECT_FALSE(game.timer(name).Enabled) << name;
    }
}

TEST(InvadersControls, WhilePausedPointerClicksAndTimeChangeNothing) {
    // Paused, the ship ignores the pointer, a click does not fire and nothing moves.
    Game game;
    game.togglePause();
    game.move(6000, kBackgroundY);
    game.click(kFireX, kFireY);
    game.tick(10);
    EXPECT_EQ(game.image("imgShip").Left, 5160);
    EXPECT_FALSE(game.timer("tmrBullet").Enabled);
    EXPECT_EQ(game.image("imgMothership").Left, 6360);
    EXPECT_EQ(game.image("imgAlienLeft").Left, 2760);
}

TEST(InvadersControls, ResumeRestartsOnlyWhatHasLeftItsRest) {
    // Resuming restarts a bomb whose Top is above 1680 and a shot whose Top is below 6120, strictly.
    struct Case {
        Twips bombTop, shotTop;
        bool bombRestarts, shotRestarts;
    };
    const Case cases[] = {
        {1680, 6120, false, false},   // released and fired, but not moved yet
        {1710, 6070, true, true},
        {1680.5f, 6119.5f, true, true},
        {1680, 6240, false, false},   // the shot at its load position
    };
    for (const char* bomb : {"1", "2", "3"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string("bomb ") + bomb + " at " + std::to_string(c.bombTop));
            Game game;
            const std::string picture = std::string("imgBomb") + bomb, timer = std::string("tmrBomb") + bomb;
            game.image(picture).Top = c.bombTop;
            game.timer(timer).Enabled = true;
            game.shot().Top = c.shotTop;
            game.timer("tmrBullet").Enabled = true;
            game.togglePause();
            EXPECT_FALSE(game.timer(timer).Enabled);
            EXPECT_FALSE(game.timer("tmrBullet").Enabled);
            game.togglePause();
            EXPECT_EQ(game.pauseLabel().Caption, "PAUSE");
            EXPECT_TRUE(game.timer("tmrMothership").Enabled);
            EXPECT_EQ(static_cast<bool>(game.timer(timer).Enabled), c.bombRestarts);
            EXPECT_EQ(static_cast<bool>(game.timer("tmrBullet").Enabled), c.shotRestarts);
        }
    }
}

TEST(InvadersControls, ComparisonsUseSinglePrecisionSums) {
    // The ship's left limit is rounded to single precision before the pointer is compared:
    // with a 0.0002 wide ship it is 2160.0001, which rounds to 2160.
    Game game;
    game.image("imgShip").Width = 0.0002f;
    game.move(2160, kBackgroundY);
    EXPECT_EQ(game.image("imgShip").Left, 2160);
}

// ---- the shot ----------------------------------------------------------------

TEST(InvadersControls, ProgramStoppedForHalfASecondGivesEachRunningTimerOneTick) {
    // The desktop program stopped by the machine (or busy) for half a second
    // with the shot and two bombs in flight catches up as a stall: each
    // running timer ticks once, in element order, not once per boundary missed.
    Game game;
    game.click(kFireX, kFireY);
    game.timer("tmrBomb1").Enabled = true;
    game.timer("tmrBomb3").Enabled = true;
    game.tick();
    game.recorder.ticks.clear();
    App& app = game.program.app;
    app.stallTo(app.clock().now() + 500'000);
    EXPECT_EQ(game.recorder.ticks, (std::vector<std::string>{"tmrBomb3", "tmrBomb1", "tmrBullet", "tmrMothership"}));
    game.recorder.ticks.clear();
    game.tick();
    EXPECT_EQ(game.recorder.ticks.size(), 4u);
}

TEST(InvadersShot, ShotWithNothingInItsWayRestsUnderTheShipOnIts123rdTick) {
    // A shot rises 50 a tick and comes to rest once its top reaches the window's top (-30).
    Game game;
    game.stopMothership();
    game.move(3727.5f, kBackgroundY);  // the shot's left edge 900 right of the first column's: between columns
    game.click(kFireX, kFireY);
    game.tick(122);
    EXPECT_EQ(game.shot().Top, 20);
    EXPECT_TRUE(game.timer("tmrBullet").Enabled);
    game.move(8000, kBackgroundY);  // the ship moves on while the shot flies
    game.tick();
    EXPECT_FALSE(game.timer("tmrBullet").Enabled);
    EXPECT_EQ(game.shot().Left, 7932.5f);
    EXPECT_EQ(game.shot().Top, 6120);
}

TEST(InvadersShot, ShotStrikesAnAlienItsEdgesTouch) {
    // Each bound of the alien test is inclusive: the shot's top on the alien's top or bottom
    // edge, its right edge on the alien's left edge, its left edge on the alien's right edge.
    // imgAlien7 stands at Left 2760, Top 3240, 810 x 615.
    struct Case {
        Twips shotLeft, shotTopAfterMove;
        bool struck;
    };
    const Case cases[] = {
        {2625, 3500, true},      // right edge touches the left edge
        {2624.5f, 3500, false},
        {3570, 3500, true},      // left edge touches the right edge
        {3570.5f, 3500, false},
        {3000, 3855, true},      // top on the bottom edge
        {3000, 3855.5f, false},
        {3000, 3240, true},      // top on the top edge
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.shotLeft) + ", " + std::to_string(c.shotTopAfterMove));
        Game game;
        game.stopMothership();
        game.shot().Left = c.shotLeft;
        game.shot().Top = c.shotTopAfterMove + 50;
        game.timer("tmrBullet").Enabled = true;
        game.tick();
        EXPECT_EQ(game.image("imgAlien7").Visible, !c.struck);
        EXPECT_EQ(game.image("imgAlien7").Left, c.struck ? 0 : 2760);
        EXPECT_EQ(static_cast<bool>(game.timer("tmrBullet").Enabled), !c.struck);
        if (c.struck) {
            EXPECT_EQ(game.shot().Left, 5160 + 877.5f - 67.5f);  // back under the ship
            EXPECT_EQ(game.shot().Top, 6120);
        }
    }
}

TEST(InvadersShot, ShotDestroysOneAlienAndPassesADestroyedOne) {
    // One shot destroys only the first alien it strikes; through a destroyed lower alien it
    // flies on to the upper alien of the same column.
    Game game;
    game.stopMothership();
    game.move(3165, kBackgroundY);  // the shot's left edge at 3097.5, under the first column
    game.click(kFireX, kFireY);
    game.tick(46);
    EXPECT_FALSE(game.image("imgAlien7").Visible);
    EXPECT_TRUE(game.image("imgAlien1").Visible);
    EXPECT_FALSE(game.timer("tmrBullet").Enabled);

    game.click(kFireX, kFireY);
    game.tick(62);
    EXPECT_TRUE(game.image("imgAlien1").Visible);
    game.tick();  // Top 2970: inside the upper row
    EXPECT_FALSE(game.image("imgAlien1").Visible);
    EXPECT_EQ(game.image("imgAlien1").Left, 0);
    int visible = 0;
    for (int i = 1; i <= 12; ++i) visible += game.image("imgAlien" + std::to_string(i)).Visible ? 1 : 0;
    EXPECT_EQ(visible, 10);
}

TEST(InvadersShot, MothershipCannotBeStruckWhileAnyAlienIsLeft) {
    // While one alien is visible the shot passes through the mothership to the top.
    Game game;
    game.stopMothership();
    game.destroyAllAliens();
    game.image("imgAlien6").Visible = true;  // the last one, out of the shot's way at Left 0
    game.move(7000, kBackgroundY);           // the shot under the mothership (6360 to 8085)
    game.click(kFireX, kFireY);
    game.tick(123);
    EXPECT_TRUE(game.image("imgMothership").Visible);
    EXPECT_FALSE(game.timer("tmrBullet").Enabled);
    EXPECT_TRUE(game.recorder.boxes.empty());
}

TEST(InvadersShot, StrikingTheMothershipAfterTheLastAlienWinsTheGame) {
    // With all twelve aliens gone the shot destroys the mothership; the win box follows,
    // then the window is unloaded and the menu shown.
    Game game;
    game.stopMothership();
    game.destroyAllAliens();
    game.move(7000, kBackgroundY);
    game.click(kFireX, kFireY);
    game.tick(79);  // Top 2170: still below the mothership's bottom edge (2160)
    EXPECT_TRUE(game.image("imgMothership").Visible);
    bool hiddenDuringBox = false;
    game.recorder.onBox = [&] { hiddenDuringBox = !game.image("imgMothership").Visible; };
    game.tick();
    game.expectEndedWith("Complete!");
    EXPECT_EQ(game.recorder.boxes[0].prompt, "Congratulations! You have defeated the aliens...this time.");
    EXPECT_TRUE(hiddenDuringBox);
}

TEST(InvadersShot, MothershipMovingInUnderARisenShotIsStruck) {
    // The mothership test has no lower bound on the shot's top.
    Game game;
    game.destroyAllAliens();
    game.timer("tmrMothership").Enabled = false;
    game.shot().Left = 8200;   // right of the mothership (6360 to 8085)
    game.shot().Top = 800;     // above it
    game.timer("tmrBullet").Enabled = true;
    game.tick();
    EXPECT_TRUE(game.image("imgMothership").Visible);
    game.image("imgMothership").Left = 6500;  // now its right edge is under the shot
    game.tick();
    game.expectEndedWith("Complete!");
}

TEST(InvadersShot, NewGameAfterQuitToMenuStartsAfresh) {
    // After Quit to Menu the next start greets again and restores the layout and speeds.
    Game game;
    game.tick(100);  // both speeds have turned
    EXPECT_EQ(game.variable("intMothershipSpeed"), -20);
    EXPECT_EQ(game.variable("intAlienSpeed"), -20);
    game.destroyAllAliens();
    game.image("imgHeart3").Visible = false;
    game.escape();
    game.clickOn(game.program.frmPause, "cmdQuittoMenu");
    EXPECT_FALSE(game.form().loaded());
    EXPECT_EQ(game.variable("intMothershipSpeed"), -20);  // kept across the unload

    game.recorder.boxes.clear();
    game.program.open(Program::Game::Invaders);
    ASSERT_EQ(game.recorder.boxes.size(), 1u);
    EXPECT_EQ(game.recorder.boxes[0].title, "Welcome!");
    EXPECT_EQ(game.variable("intMothershipSpeed"), 20);
    EXPECT_EQ(game.variable("intAlienSpeed"), 20);
    EXPECT_TRUE(game.image("imgAlien1").Visible);
    EXPECT_EQ(game.image("imgAlien1").Left, 2760);
    EXPECT_TRUE(game.image("imgHeart3").Visible);
    EXPECT_EQ(game.image("imgMothership").Left, 6360);
    EXPECT_EQ(game.pauseLabel().Caption, "PAUSE");
    game.tick();
    EXPECT_EQ(game.image("imgMothership").Left, 6380);
}

// ---- the bombs and the lives -------------------------------------------------

TEST(InvadersBombs, ReleasedBombShowsAt1710AndStrikesOnIts132ndTick) {
    // A bomb is shown on its first tick; falling from rest its bottom meets the ship's top
    // (6120) on the 132nd tick, which already counts as a strike.
    Game game;
    game.stopMothership();
    game.timer("tmrBomb2").Enabled = true;  // the ship at 5160 lies under column 2
    EXPECT_FALSE(game.image("imgBomb2").Visible);
    game.tick();
    EXPECT_TRUE(game.image("imgBomb2").Visible);
    EXPECT_EQ(game.image("imgBomb2").Top, 1710);
    game.tick(130);
    EXPECT_EQ(game.image("imgBomb2").Top, 5610);
    EXPECT_TRUE(game.image("imgHeart3").Visible);
    game.tick();
    EXPECT_FALSE(game.image("imgHeart3").Visible);
    EXPECT_EQ(game.image("imgBomb2").Top, 1680);
    EXPECT_FALSE(game.image("imgBomb2").Visible);
    EXPECT_FALSE(game.timer("tmrBomb2").Enabled);
}

TEST(InvadersBombs, MissingBombMakes163MovesThenRests) {
    // With the layout height a bomb that strikes nothing reaches Top 6570 and rests on the next tick.
    Game game;
    game.stopMothership();
    game.timer("tmrBomb3").Enabled = true;  // the ship at 5160 is not under column 3
    game.tick(163);
    EXPECT_EQ(game.image("imgBomb3").Top, 6570);
    EXPECT_TRUE(game.timer("tmrBomb3").Enabled);
    game.tick();
    EXPECT_EQ(game.image("imgBomb3").Top, 1680);
    EXPECT_FALSE(game.image("imgBomb3").Visible);
    EXPECT_FALSE(game.timer("tmrBomb3").Enabled);
    EXPECT_TRUE(game.image("imgHeart3").Visible);
}

TEST(InvadersBombs, BottomFollowsTheWindowsHeight) {
    // The bottom is the client area's current height: a taller window lets a bomb fall further.
    Game game;
    game.stopMothership();
    game.program.app.resize(game.form(), 11805, 8000);
    game.image("imgBomb3").Top = 7500;
    game.timer("tmrBomb3").Enabled = true;
    game.tick();
    EXPECT_EQ(game.image("imgBomb3").Top, 7530);
    game.tick();
    EXPECT_EQ(game.image("imgBomb3").Top, 1680);
}

TEST(InvadersBombs, BombStrikesOnlyAShipUnderItsWholeWidth) {
    // A bomb strikes a ship whose Left lies from the bomb's Left - 1200 to its Left, inclusive.
    struct Case {
        const char* bomb;
        Twips shipLeft;
        bool struck;
    };
    const Case cases[] = {
        {"1", 2280, true}, {"1", 3480, true}, {"1", 2279.5f, false}, {"1", 3480.5f, false},
        {"2", 4440, true}, {"2", 5640, true}, {"2", 4439.5f, false}, {"2", 5640.5f, false},
        {"3", 6600, true}, {"3", 7800, true}, {"3", 6599.5f, false}, {"3", 7800.5f, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("bomb ") + c.bomb + ", ship at " + std::to_string(c.shipLeft));
        Game game;
        game.stopMothership();
        const std::string picture = std::string("imgBomb") + c.bomb;
        game.image("imgShip").Left = c.shipLeft;
        game.dropJustAboveTheShip(c.bomb);  // the next move brings its bottom to the ship's top
        game.tick();
        EXPECT_EQ(game.image("imgHeart3").Visible, !c.struck);
        EXPECT_EQ(game.image(picture).Top, c.struck ? 1680 : 5640);
        EXPECT_EQ(game.image("imgShip").Left, c.struck ? 5160 : c.shipLeft);
    }
}

TEST(InvadersBombs, BombBelowTheShipsTopStrikesAShipMovingUnderIt) {
    // There is no test against the ship's bottom: a bomb that missed still strikes until it rests.
    Game game;
    game.stopMothership();
    game.image("imgBomb3").Top = 6300;
    game.timer("tmrBomb3").Enabled = true;
    game.tick();
    EXPECT_TRUE(game.image("imgHeart3").Visible);
    game.move(8500, kBackgroundY);  // ship Left 7622.5
    game.tick();
    EXPECT_FALSE(game.image("imgHeart3").Visible);
}

TEST(InvadersBombs, LivesRuleHidesHeartsRightToLeftAndLosesWithNoneLeft) {
    // The first row whose hearts match decides: none left loses, else the rightmost goes.
    struct Case {
        bool before[3];
        bool after[3];
        bool lost;
    };
    const Case cases[] = {
        {{true, true, true}, {true, true, false}, false},
        {{true, true, false}, {true, false, false}, false},
        {{true, false, false}, {false, false, false}, false},
        {{false, false, false}, {}, true},
        {{false, true, true}, {false, true, true}, false},  // never in play: no row applies
        {{true, false, true}, {true, false, true}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.before[0]) + std::to_string(c.before[1]) + std::to_string(c.before[2]));
        Game game;
        game.stopMothership();
        game.image("imgHeart1").Visible = c.before[0];
        game.image("imgHeart2").Visible = c.before[1];
        game.image("imgHeart3").Visible = c.before[2];
        game.dropJustAboveTheShip("2");
        game.tick();
        if (c.lost) {
            game.expectEndedWith("Game Over!");
            EXPECT_EQ(game.recorder.boxes[0].prompt,
                      "You have died. The earth is doomed from the Vavod Uvavovirovu Divadazo!");
        } else {
            EXPECT_TRUE(game.recorder.boxes.empty());
            EXPECT_EQ(game.image("imgHeart1").Visible, c.after[0]);
            EXPECT_EQ(game.image("imgHeart2").Visible, c.after[1]);
            EXPECT_EQ(game.image("imgHeart3").Visible, c.after[2]);
        }
    }
}

TEST(InvadersBombs, FourStrikesInARowCostThreeHeartsThenTheGame) {
    // Strikes on consecutive ticks each cost a life, right to left; the fourth ends the game.
    Game game;
    game.stopMothership();
    const bool heartsAfter[3][3] = {{true, true, false}, {true, false, false}, {false, false, false}};
    for (const auto& hearts : heartsAfter) {
        game.dropJustAboveTheShip("2");
        game.tick();
        EXPECT_EQ(game.image("imgHeart1").Visible, hearts[0]);
        EXPECT_EQ(game.image("imgHeart2").Visible, hearts[1]);
        EXPECT_EQ(game.image("imgHeart3").Visible, hearts[2]);
    }
    EXPECT_TRUE(game.recorder.boxes.empty());
    game.dropJustAboveTheShip("2");
    game.tick();
    game.expectEndedWith("Game Over!");
}

TEST(InvadersBombs, StrikeDuringAFlightMovesTheShotWhichFliesOn) {
    // A strike puts the ship and the shot back at their load positions without stopping the shot.
    Game game;
    game.stopMothership();
    game.move(5500, kBackgroundY);  // ship Left 4622.5, still under column 2
    game.click(kFireX, kFireY);
    game.tick(3);
    game.dropJustAboveTheShip("2");
    game.tick();  // the bomb ticks before the shot
    EXPECT_EQ(game.image("imgShip").Left, 5160);
    EXPECT_EQ(game.shot().Left, 6000);
    EXPECT_EQ(game.shot().Top, 6190);
    EXPECT_TRUE(game.timer("tmrBullet").Enabled);
    game.tick();
    EXPECT_EQ(game.shot().Top, 6140);
}

TEST(InvadersBombs, StrikeOnAShotAtRestLeavesItAtTheLoadPosition) {
    // A shot at rest stays at (6000, 6240) until the next movement puts it under the ship.
    Game game;
    game.stopMothership();
    game.move(5500, kBackgroundY);
    game.dropJustAboveTheShip("2");
    game.tick();
    EXPECT_EQ(game.shot().Left, 6000);
    EXPECT_EQ(game.shot().Top, 6240);
    EXPECT_FALSE(game.timer("tmrBullet").Enabled);
    game.move(5500, kBackgroundY);
    EXPECT_EQ(game.shot().Left, 5432.5f);
    EXPECT_EQ(game.shot().Top, 6120);
}

// ---- the mothership and the formation ----------------------------------------

TEST(InvadersMothership, MothershipAndFormationTurnAtTheWalls) {
    // The mothership moves then tests (first turn on its 82nd tick at Left 8000); the
    // formation tests then moves (first turn on its 39th tick, when the right marker's
    // right edge has reached 9730).
    struct Step {
        int ticks;  // from load
        Twips mothershipLeft;
        int mothershipSpeed;
        Twips leftMarker, rightMarker;
        int alienSpeed;
    };
    const Step steps[] = {
        {1, 6380, 20, 2780, 8180, 20},
        {38, 7120, 20, 3520, 8920, 20},
        {39, 7140, 20, 3500, 8900, -20},
        {81, 7980, 20, 2660, 8060, -20},
        {82, 8000, -20, 2640, 8040, -20},
        {106, 7520, -20, 2160, 7560, -20},
        {107, 7500, -20, 2180, 7580, 20},
        {374, 2160, 20, 2240, 7640, -20},
    };
    Game game;
    int at = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.ticks);
        game.tick(step.ticks - at);
        at = step.ticks;
        EXPECT_EQ(game.image("imgMothership").Left, step.mothershipLeft);
        EXPECT_EQ(game.variable("intMothershipSpeed"), step.mothershipSpeed);
        EXPECT_EQ(game.image("imgAlienLeft").Left, step.leftMarker);
        EXPECT_EQ(game.image("imgAlienRight").Left, step.rightMarker);
        EXPECT_EQ(game.variable("intAlienSpeed"), step.alienSpeed);
    }
}

TEST(InvadersMothership, FormationMovesAsOneWhateverIsDestroyed) {
    // The hidden markers keep the turning points: destroying the outer columns changes nothing,
    // and destroyed aliens drift with the formation from Left 0.
    Game game;
    for (const char* alien : {"imgAlien1", "imgAlien7", "imgAlien6", "imgAlien12"}) game.destroy(alien);
    game.tick(38);
    EXPECT_EQ(game.variable("intAlienSpeed"), 20);
    EXPECT_EQ(game.image("imgAlien1").Left, 760);
    EXPECT_EQ(game.image("imgAlien2").Left, 4600);
    game.tick();
    EXPECT_EQ(game.variable("intAlienSpeed"), -20);
    EXPECT_EQ(game.image("imgAlien12").Left, 740);
    EXPECT_EQ(game.image("imgAlien11").Left, 7820);
    EXPECT_EQ(game.image("imgAlien2").Top, 2400);
    EXPECT_EQ(game.image("imgAlien8").Top, 3240);
}

TEST(InvadersMothership, BombIsReleasedOnlyStrictlyInsideTheMiddleThird) {
    // A bomb is released while L + W/3 < bomb Left < L + 2(W/3), strict on both sides.
    struct Case {
        Twips mothershipLeft;  // after the tick's move
        const char* released;  // nullptr: none
    };
    const Case cases[] = {
        {2330, nullptr}, {2330.5f, "tmrBomb1"}, {2904.5f, "tmrBomb1"}, {2905, nullptr},
        {4490, nullptr}, {4490.5f, "tmrBomb2"}, {5064.5f, "tmrBomb2"}, {5065, nullptr},
        {6650, nullptr}, {6650.5f, "tmrBomb3"}, {7224.5f, "tmrBomb3"}, {7225, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mothershipLeft);
        Game game;
        game.image("imgMothership").Left = c.mothershipLeft - 20;
        game.tick();
        ASSERT_EQ(game.image("imgMothership").Left, c.mothershipLeft);
        for (const char* timer : {"tmrBomb1", "tmrBomb2", "tmrBomb3"}) {
            const bool expected = c.released != nullptr && std::string_view(c.released) == timer;
            EXPECT_EQ(static_cast<bool>(game.timer(timer).Enabled), expected) << timer;
        }
    }
}

TEST(InvadersMothership, NoBombIsReleasedOnATurningTick) {
    // A mothership that turns at a wall releases nothing on that tick, even over a column.
    Game game;
    game.image("imgMothership").Width = 7520;       // its right edge reaches the right wall at Left 2200,
    game.image("imgMothership").Left = 2200 - 20;   // with column 2 under its middle third
    game.tick();
    EXPECT_EQ(game.variable("intMothershipSpeed"), -20);
    EXPECT_FALSE(game.timer("tmrBomb2").Enabled);
}

TEST(InvadersMothership, DestroyedMothershipRocksAroundZeroAndReleasesNothing) {
    // Hidden at Left 0, left of the wall, it turns on every tick and never releases a bomb.
    Game game;
    game.image("imgMothership").Visible = false;
    game.image("imgMothership").Left = 0;
    game.tick();
    EXPECT_EQ(game.image("imgMothership").Left, 20);
    EXPECT_EQ(game.variable("intMothershipSpeed"), -20);
    game.tick();
    EXPECT_EQ(game.image("imgMothership").Left, 0);
    EXPECT_EQ(game.variable("intMothershipSpeed"), 20);
    for (const char* timer : {"tmrBomb1", "tmrBomb2", "tmrBomb3"}) EXPECT_FALSE(game.timer(timer).Enabled);
}

}  // namespace
}  // namespace arcadeon
