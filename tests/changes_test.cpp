// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What changed on the screen after each delivery, as the layer reports it to
// a front end: the windows and the rectangles in twips that must be drawn
// again, and nothing for an event that changed nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "shell/layer/app.h"
#include "shell/layer/changes.h"

namespace arcadeon {
namespace {

constexpr ElementLayout kBoardElements[] = {
    {"imgCar", Kind::Image, {.Left = 100, .Top = 200, .Width = 300, .Height = 150, .Picture = "car.bmp", .Stretch = true}},
    {"lblScore", Kind::Label, {.Left = 0, .Top = 0, .Width = 900, .Height = 300, .Caption = "0"}},
    {"shpBall", Kind::Shape, {.Left = 600, .Top = 600, .Width = 150, .Height = 150, .Shape = 3}},
    {"imgGone", Kind::Image, {.Left = 2000, .Top = 2000, .Width = 300, .Height = 300, .Visible = false}},
    {"linRail", Kind::Line, {.X1 = 900, .Y1 = 1500, .X2 = 300, .Y2 = 1200}},
    {"tmrMove", Kind::Timer, {.Interval = 1, .Enabled = false}},
};
constexpr FormLayout kBoardLayout{.name = "frmBoard", .Caption = "Board", .ClientWidth = 3000, .ClientHeight = 3000, .elements = kBoardElements};
constexpr ElementLayout kDialogElements[] = {
    {"cmdGo", Kind::CommandButton, {.Left = 100, .Top = 100, .Width = 600, .Height = 300, .Caption = "&Go", .TabIndex = 0}},
    {"cmdStop", Kind::CommandButton, {.Left = 100, .Top = 500, .Width = 600, .Height = 300, .Caption = "&Stop", .TabIndex = 1}},
};
constexpr FormLayout kDialogLayout{.name = "frmDialog", .Caption = "Dialog", .ClientWidth = 1500, .ClientHeight = 1500, .elements = kDialogElements};

// A window whose key handler does what the test asks.
class Board final : public Form {
public:
    using Form::Form;
    std::function<void()> onKey;
    Control<Image> imgCar{*this, "imgCar"};
    Control<Label> lblScore{*this, "lblScore"};
    Control<Shape> shpBall{*this, "shpBall"};
    Control<Image> imgGone{*this, "imgGone"};
    Control<Line> linRail{*this, "linRail"};
    Control<Timer> tmrMove{*this, "tmrMove"};

private:
    void Form_KeyDown(Integer, Integer) override {
        if (onKey) onKey();
    }
};

// A front end that keeps, for each delivery, what the tracker found changed.
class Watching final : public FrontEnd {
public:
    explicit Watching(App& app) : app_(app) { app.setFrontEnd(this); }
    void changed() override { seen.push_back(tracker.collect(app_)); }

    ChangeTracker tracker;
    std::vector<std::vector<Change>> seen;

private:
    App& app_;
};

// One change as text: "frmBoard" for the whole window, else
// "frmBoard.shpBall 600,600 150x150 -> 675,600 150x150" ("-" for none).
std::string describe(const Change& change) {
    std::string text(change.form->name());
    if (change.element == nullptr) return text;
    const auto area = [](const std::optional<Area>& a) {
        if (!a) return std::string("-");
        const auto n = [](Twips t) { return std::isnan(t) ? std::string("nan") : std::to_string(static_cast<int>(t)); };
        return n(a->left) + "," + n(a->top) + " " + n(a->width) + "x" + n(a->height);
    };
    return text + "." + std::string(change.element->name) + " " + area(change.before) + " -> " + area(change.after);
}

std::vector<std::string> describe(const std::vector<Change>& changes) {
    std::vector<std::string> texts;
    for (const Change& change : changes) texts.push_back(describe(change));
    return texts;
}

class ChangesTest : public ::testing::Test {
protected:
    App app;
    Watching watching{app};
    Board board{app, kBoardLayout};
    Form dialog{app, kDialogLayout};

    void SetUp() override { app.start(board); }

    // What one key press, running `handler`, reported.
    std::vector<std::string> afterKey(std::function<void()> handler) {
        board.onKey = std::move(handler);
        watching.seen.clear();
        app.keyDown(kKeySpace);
        return watching.seen.empty() ? std::vector<std::string>{"(not told)"} : describe(watching.seen.back());
    }
};

TEST_F(ChangesTest, EachDeliveryReportsTheOldAndNewRectangleOfWhatChangedAndNothingElse) {
    // An element that moves, resizes, shows, hides or changes what it looks
    // like reports where it was drawn and where it is drawn now; a handler
    // that writes what is already there, changes a timer or a hidden element,
    // or does nothing at all, reports nothing.
    struct Case {
        const char* what;
        std::function<void(Board&)> handler;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"nothing", [](Board&) {}, {}},
        {"a move", [](Board& b) { b.shpBall->Left = 675; }, {"frmBoard.shpBall 600,600 150x150 -> 675,600 150x150"}},
        {"the same value again", [](Board& b) { b.shpBall->Left = 675; }, {}},
        {"a resize", [](Board& b) { b.shpBall->Width = 300; }, {"frmBoard.shpBall 675,600 150x150 -> 675,600 300x150"}},
        {"a caption", [](Board& b) { b.lblScore->Caption = std::string("1"); }, {"frmBoard.lblScore 0,0 900x300 -> 0,0 900x300"}},
        {"the same caption", [](Board& b) { b.lblScore->Caption = std::string("1"); }, {}},
        {"a colour", [](Board& b) { b.shpBall->FillColor = RGB(255, 0, 0); }, {"frmBoard.shpBall 675,600 300x150 -> 675,600 300x150"}},
        {"hidden", [](Board& b) { b.imgCar->Visible = false; }, {"frmBoard.imgCar 100,200 300x150 -> -"}},
        {"moved while hidden", [](Board& b) { b.imgCar->Left = 1000; }, {}},
        {"shown again", [](Board& b) { b.imgCar->Visible = true; }, {"frmBoard.imgCar - -> 1000,200 300x150"}},
        {"a line's end", [](Board& b) { b.linRail->X2 = 1200; }, {"frmBoard.linRail 300,1200 600x300 -> 900,1200 300x300"}},
        {"a timer started", [](Board& b) { b.tmrMove->Enabled = true; }, {}},
        {"two moves, back where it was", [](Board& b) { b.shpBall->Top = 0; b.shpBall->Top = 600; }, {}},
        {"two elements", [](Board& b) { b.imgCar->Top = 300; b.lblScore->Caption = std::string("2"); },
         {"frmBoard.imgCar 1000,200 300x150 -> 1000,300 300x150", "frmBoard.lblScore 0,0 900x300 -> 0,0 900x300"}},
        {"not a number", [](Board& b) { b.imgCar->Left = std::nanf(""); }, {"frmBoard.imgCar 1000,300 300x150 -> nan,300 300x150"}},
        {"not a number again", [](Board& b) { b.imgCar->Left = std::nanf(""); }, {}},
    };
    for (const Case& c : cases) EXPECT_EQ(afterKey([&] { c.handler(board); }), c.expected) << c.what;

    // input that reaches no handler is not even a delivery
    watching.seen.clear();
    app.keyUp(kKeySpace);
    app.mouseMove(board, 100, 100);
    for (const std::vector<Change>& changes : watching.seen) EXPECT_TRUE(changes.empty());
}

TEST_F(ChangesTest, AWindowShownOrResizedIsDrawnWholeAndFocusChangesOnlyItsButtons) {
    // Showing or resizing a window asks for all of it; the focus moving, or
    // showing or not as windows take turns being active, asks only for the
    // buttons it leaves and reaches.
    const std::string go = "frmDialog.cmdGo 100,100 600x300 -> 100,100 600x300";
    const std::string stop = "frmDialog.cmdStop 100,500 600x300 -> 100,500 600x300";
    EXPECT_EQ(afterKey([&] { dialog.Show(); }), (std::vector<std::string>{"frmDialog"}));
    app.activate(board);
    EXPECT_EQ(describe(watching.seen.back()), (std::vector<std::string>{go})) << "the focus no longer shows";
    app.activate(dialog);
    EXPECT_EQ(describe(watching.seen.back()), (std::vector<std::string>{go})) << "the focus shows again";
    app.keyDown(kKeyTab);
    EXPECT_EQ(describe(watching.seen.back()), (std::vector<std::string>{go, stop}));
    app.resize(dialog, 3000, 3000);
    EXPECT_EQ(describe(watching.seen.back()), (std::vector<std::string>{"frmDialog"}));
}

TEST_F(ChangesTest, HiddenAndUnloadedWindowsAreForgottenAndDrawnWholeWhenBack) {
    // A window off the screen reports nothing, whatever changes in it; shown
    // again, or loaded anew and shown, it is drawn whole.
    afterKey([&] { dialog.Show(); });
    app.activate(board);
    const std::string focusShows = "frmDialog.cmdGo 100,100 600x300 -> 100,100 600x300";
    EXPECT_EQ(afterKey([&] {
                  board.Hide();
                  board.shpBall->Left = 0;
              }),
              (std::vector<std::string>{focusShows}));
    board.Show();
    EXPECT_EQ(describe(watching.tracker.collect(app)), (std::vector<std::string>{"frmBoard", focusShows}));
    board.Unload();
    board.Show();
    EXPECT_EQ(describe(watching.tracker.collect(app)), (std::vector<std::string>{"frmBoard"}));
}

}  // namespace
}  // namespace arcadeon
