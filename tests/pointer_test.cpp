// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Presses: the one rule of every front end for which presses and releases
// of a mouse button make a click, and which command button looks pressed.
#include <gtest/gtest.h>

#include <optional>

#include "shell/layer/pointer.h"
#include "support.h"

namespace arcadeon {
namespace {

using testing::RecordingFrontEnd;

// A label, a command button and an option button; the window's own
// background elsewhere, under a shape at the bottom.
constexpr ElementLayout kPointerElements[] = {
    {"lblHit", Kind::Label, {.Left = 0, .Top = 0, .Width = 1000, .Height = 500, .Caption = "hit"}},
    {"cmdGo", Kind::CommandButton, {.Left = 0, .Top = 1000, .Width = 1000, .Height = 500, .Caption = "&Go"}},
    {"optOne", Kind::OptionButton, {.Left = 0, .Top = 2000, .Width = 1000, .Height = 500, .Caption = "One"}},
    {"shpPad", Kind::Shape, {.Left = 0, .Top = 3000, .Width = 1000, .Height = 500}},
};
constexpr FormLayout kPointerLayout{
    .name = "frmPointer", .Caption = "Pointer", .ClientWidth = 3000, .ClientHeight = 4000, .elements = kPointerElements};

class PointerForm final : public Form {
public:
    explicit PointerForm(App& app) : Form(app, kPointerLayout) {}
    using Form::MsgBox;
    Control<Label> lblHit{*this, "lblHit", [this] { MsgBox("prompt", "title"); }};  // a click opens a box
};

struct Point {
    Twips x, y;
};
constexpr Point kLabel{500, 250}, kLabelEdge{999, 499}, kCommand{500, 1250}, kOption{500, 2250}, kWindow{2000, 250},
    kShape{500, 3250}, kOutside{3500, 250};

class PressesTest : public ::testing::Test {
protected:
    App app;
    RecordingFrontEnd frontEnd;
    PointerForm form{app};
    PointerForm other{app};
    Presses presses{app};

    void SetUp() override {
        app.setFrontEnd(&frontEnd);
        app.start(form);
    }
    const Element* element(std::string_view name) const { return form.element(name); }
};

TEST_F(PressesTest, AClickIsAPressAndAReleaseOfTheSameButtonOverTheSameElementOrTheWindow) {
    // The click rule, the same for the desktop and the page: the same button,
    // the same element (or the window's own part, a shape included) at both
    // ends, inside the client area; buttons answer the left button only.
    struct Case {
        const char* what;
        Point down;
        int button;
        Point up;
        int upButton;
        bool click;
    };
    const Case cases[] = {
        {"label, left", kLabel, kLeftButton, kLabelEdge, kLeftButton, true},
        {"label, right", kLabel, kRightButton, kLabel, kRightButton, true},
        {"label, middle", kLabel, kMiddleButton, kLabel, kMiddleButton, true},
        {"window, right", kWindow, kRightButton, kWindow, kRightButton, true},
        {"window, released over a shape", kWindow, kLeftButton, kShape, kLeftButton, true},
        {"command button, left", kCommand, kLeftButton, kCommand, kLeftButton, true},
        {"command button, right", kCommand, kRightButton, kCommand, kRightButton, false},
        {"option button, middle", kOption, kMiddleButton, kOption, kMiddleButton, false},
        {"option button, left", kOption, kLeftButton, kOption, kLeftButton, true},
        {"pressed on the label, released on the window", kLabel, kLeftButton, kWindow, kLeftButton, false},
        {"pressed on the window, released on the label", kWindow, kLeftButton, kLabel, kLeftButton, false},
        {"pressed on the button, released on the label", kCommand, kLeftButton, kLabel, kLeftButton, false},
        {"released outside the client area", kWindow, kLeftButton, kOutside, kLeftButton, false},
        {"pressed outside the client area", kOutside, kLeftButton, kWindow, kLeftButton, false},
        {"released with another button", kLabel, kLeftButton, kLabel, kRightButton, false},
    };
    for (const Case& c : cases) {
        presses.press(form, c.down.x, c.down.y, c.button);
        EXPECT_EQ(presses.release(form, c.up.x, c.up.y, c.upButton), c.click) << c.what;
        presses.cancel();
    }
}

TEST_F(PressesTest, OnePressAtATimeAndOnlyTheWindowPressedOnTakesItsRelease) {
    // A second button pressed while one is held starts nothing; a release
    // over another window is no click and leaves the press held.
    presses.press(form, kLabel.x, kLabel.y, kLeftButton);
    presses.press(form, kWindow.x, kWindow.y, kRightButton);
    EXPECT_FALSE(presses.release(form, kWindow.x, kWindow.y, kRightButton)) << "the second press started nothing";
    EXPECT_FALSE(presses.release(other, kLabel.x, kLabel.y, kLeftButton));
    EXPECT_EQ(presses.form(), &form);
    EXPECT_TRUE(presses.release(form, kLabel.x, kLabel.y, kLeftButton));
    EXPECT_EQ(presses.form(), nullptr);
    EXPECT_FALSE(presses.release(form, kLabel.x, kLabel.y, kLeftButton)) << "one release, one click";
}

TEST_F(PressesTest, ACommandButtonLooksPressedWhileHeldWithThePointerOverIt) {
    // Drawn pressed from the press, not while the pointer is off it, again
    // when it comes back; never an option button, a label or the window.
    const Element* cmdGo = element("cmdGo");
    presses.press(form, kCommand.x, kCommand.y, kLeftButton);
    EXPECT_EQ(presses.pressed(), cmdGo);
    presses.move(form, kLabel.x, kLabel.y);
    EXPECT_EQ(presses.pressed(), nullptr);
    presses.move(form, kOutside.x, kOutside.y);
    EXPECT_EQ(presses.pressed(), nullptr);
    presses.move(other, kCommand.x, kCommand.y);
    EXPECT_EQ(presses.pressed(), nullptr) << "the same place of another window";
    presses.move(form, kCommand.x + 100, kCommand.y);
    EXPECT_EQ(presses.pressed(), cmdGo);
    EXPECT_TRUE(presses.release(form, kCommand.x, kCommand.y, kLeftButton));
    EXPECT_EQ(presses.pressed(), nullptr);

    for (const Point at : {kOption, kLabel, kWindow}) {
        presses.press(form, at.x, at.y, kLeftButton);
        EXPECT_EQ(presses.pressed(), nullptr);
        presses.cancel();
    }
}

TEST_F(PressesTest, AMessageBoxForgetsThePressAndBlocksNewOnes) {
    // The box takes the pointer: a press held as it opens is cancelled by the
    // front end, a press under it starts nothing, and a release while it is
    // open is no click, so nothing pressed around a box clicks afterwards.
    std::optional<bool> releasedUnderBox;
    const Form* pressedUnderBox = &other;
    frontEnd.whileBoxOpen = [&] {
        presses.cancel();  // what a front end does as a box opens
        presses.press(form, kLabel.x, kLabel.y, kLeftButton);
        pressedUnderBox = presses.form();
    };
    presses.press(form, kLabel.x, kLabel.y, kLeftButton);
    app.click(form, kLabel.x, kLabel.y);
    EXPECT_EQ(pressedUnderBox, nullptr);
    EXPECT_FALSE(presses.release(form, kLabel.x, kLabel.y, kLeftButton)) << "pressed before the box, released after";

    presses.press(form, kLabel.x, kLabel.y, kLeftButton);
    frontEnd.whileBoxOpen = [&] { releasedUnderBox = presses.release(form, kLabel.x, kLabel.y, kLeftButton); };
    app.click(form, kLabel.x, kLabel.y);
    EXPECT_EQ(releasedUnderBox, false);
    EXPECT_EQ(presses.form(), nullptr);
}

}  // namespace
}  // namespace arcadeon
