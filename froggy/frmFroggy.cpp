// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "froggy/frmFroggy.h"

#include "shell/layer/app.h"

namespace arcadeon {

namespace {

constexpr Font kCaptionFont{"Arial Black", 15.75f, 900, 0};
constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kBrown = RGB(128, 64, 0);

// Front to back. The vehicles and the background take their pictures' own
// sizes; the frog and the trophy are drawn stretched into their boxes.
constexpr ElementLayout kElements[] = {
    {"tmrCars", Kind::Timer, {.Interval = 5, .Enabled = true}},
    {"imgFroggy", Kind::Image, {.Left = 4680, .Top = 6600, .Width = 495, .Height = 405, .Picture = "froggy-frog.bmp", .Stretch = true}},
    // The ladder on the bridge: two rails and five rungs.
    {"Line7", Kind::Line, {.X1 = 5760, .Y1 = 480, .X2 = 5760, .Y2 = 1560}},
    {"Line6", Kind::Line, {.X1 = 4080, .Y1 = 480, .X2 = 4080, .Y2 = 1560}},
    {"Line5", Kind::Line, {.X1 = 4080, .Y1 = 1560, .X2 = 5760, .Y2 = 1560}},
    {"Line4", Kind::Line, {.X1 = 4080, .Y1 = 1320, .X2 = 5760, .Y2 = 1320}},
    {"Line3", Kind::Line, {.X1 = 4080, .Y1 = 1080, .X2 = 5760, .Y2 = 1080}},
    {"Line2", Kind::Line, {.X1 = 4080, .Y1 = 840, .X2 = 5760, .Y2 = 840}},
    {"Line1", Kind::Line, {.X1 = 4080, .Y1 = 600, .X2 = 5760, .Y2 = 600}},
    {"imgTrophy", Kind::Image, {.Left = 4680, .Top = 120, .Width = 495, .Height = 375, .Picture = "froggy-trophy.bmp", .Stretch = true}},
    {"lblLosses", Kind::Label, {.Left = 0, .Top = 0, .Width = 2535, .Height = 615, .Caption = "LOSSES= 0", .Alignment = 0, .BackStyle = 0, .Font = kCaptionFont}},
    {"imgTruck1", Kind::Image, {.Left = 2640, .Top = 2520, .Width = 915, .Height = 390, .Picture = "froggy-truck-purple.png"}},
    {"imgTruck3", Kind::Image, {.Left = 2880, .Top = 4920, .Width = 915, .Height = 390, .Picture = "froggy-truck-purple.png"}},
    {"imgTruck4", Kind::Image, {.Left = 6960, .Top = 3120, .Width = 870, .Height = 405, .Picture = "froggy-truck-red.png"}},
    {"imgCar3", Kind::Image, {.Left = 6240, .Top = 5400, .Width = 465, .Height = 300, .Picture = "froggy-car-green.png"}},
    // The black box behind the trophy, outlined in white.
    {"Shape6", Kind::Shape, {.Left = 4320, .Top = 0, .Width = 1215, .Height = 495, .Shape = 0, .BorderColor = kWhite, .FillStyle = 0}},
    {"shpBridge", Kind::Shape, {.Left = 4080, .Top = 480, .Width = 1695, .Height = 1095, .Shape = 0, .BorderColor = kBrown, .FillStyle = 0, .FillColor = kBrown}},
    {"imgCar1", Kind::Image, {.Left = 2160, .Top = 3600, .Width = 465, .Height = 300, .Picture = "froggy-car-green.png"}},
    {"imgCar2", Kind::Image, {.Left = 7440, .Top = 5040, .Width = 465, .Height = 300, .Picture = "froggy-car-purple.png"}},
    {"imgTruck2", Kind::Image, {.Left = 1560, .Top = 5880, .Width = 870, .Height = 405, .Picture = "froggy-truck-red.png"}},
    {"lblPause", Kind::Label, {.Left = 8640, .Top = 0, .Width = 1335, .Height = 495, .Caption = "PAUSE", .Alignment = 2, .BackStyle = 0, .ForeColor = SystemColor(14), .Font = kCaptionFont}},
    {"imgBackground", Kind::Image, {.Left = 0, .Top = -240, .Width = 10155, .Height = 7470, .Picture = "froggy-background.png"}},
};

// Where the frog starts, and the water line: above it the frog must stay on the bridge.
constexpr Twips kStartLeft = 4680;
constexpr Twips kStartTop = 6600;
constexpr Twips kWaterLine = 1560;
constexpr Twips kStep = 50;

}  // namespace

const FormLayout FrmFroggy::layout{
    .name = "frmFroggy",
    .Caption = "Roadleaper",
    .BackColor = SystemColor(9),
    .ClientWidth = 10140,
    .ClientHeight = 7215,
    .elements = kElements,
    .game = true,
    .controls = Controls::ArrowKeys,
};

FrmFroggy::FrmFroggy(App& app, Form& frmMenu, Form& frmPause)
    : Form(app, layout), frmMenu(frmMenu), frmPause(frmPause) {
    declare("intLosses", intLosses);
}

// The count carries over from earlier games; note the blank after the "=".
void FrmFroggy::Form_Load() { lblLosses->Caption = "LOSSES= " + CStr(intLosses); }

void FrmFroggy::Form_KeyDown(Integer KeyCode, Integer /*Shift*/) {
    // 1. While paused keys do nothing at all.
    if (lblPause->Caption != "PAUSE") return;

    // 2. The first bound the frog fails takes away the direction towards it;
    //    the bounds after it are not looked at.
    int refused = 0;
    if (!(imgFroggy->Left > ScaleLeft())) {
        refused = kKeyLeft;
    } else if (!(imgFroggy->Left + imgFroggy->Width < ScaleLeft() + ScaleWidth())) {
        refused = kKeyRight;
    } else if (!(imgFroggy->Top > ScaleTop())) {
        refused = kKeyUp;
    } else if (!(imgFroggy->Top + imgFroggy->Height < ScaleTop() + ScaleHeight())) {
        refused = kKeyDown;
    }

    // 3. One step in the key's direction, when that is allowed.
    if (KeyCode != refused) {
        switch (KeyCode) {
        case kKeyLeft: imgFroggy->Left = imgFroggy->Left - kStep; break;
        case kKeyRight: imgFroggy->Left = imgFroggy->Left + kStep; break;
        case kKeyUp: imgFroggy->Top = imgFroggy->Top - kStep; break;
        case kKeyDown: imgFroggy->Top = imgFroggy->Top + kStep; break;
        default: break;
        }
    }

    // 4. Bridge test: above the water line the frog must lie within the bridge.
    if (imgFroggy->Top < kWaterLine &&
        (imgFroggy->Left < shpBridge->Left || shpBridge->Left + shpBridge->Width < imgFroggy->Left + imgFroggy->Width)) {
        FrogDies();
    }

    // Goal tests 1, 2 and 3 have the shapes of collision tests 4, 2 and 1,
    // with the trophy in place of the vehicle; the first that holds wins.
    if (Test4(*imgTrophy) || Test2(*imgTrophy) || Test1(*imgTrophy)) {
        MsgBox("Congratulations, you win!", "Congratulations!");
        Unload();
        frmMenu.Show();
    }
}

// Escape acts on its release: the Pause dialog, and the game stopped.
void FrmFroggy::Form_KeyUp(Integer KeyCode, Integer /*Shift*/) {
    if (KeyCode == kKeyEscape) {
        frmPause.Show();
        lblPause->Caption = "GO";
        tmrCars->Enabled = false;
    }
}

void FrmFroggy::lblPause_Click() {
    if (tmrCars->Enabled) {
        tmrCars->Enabled = false;
        lblPause->Caption = "GO";
    } else {
        tmrCars->Enabled = true;
        lblPause->Caption = "PAUSE";
    }
}

// Back to the start, and one more loss; note the blank before the "=".
void FrmFroggy::FrogDies() {
    imgFroggy->Top = kStartTop;
    imgFroggy->Left = kStartLeft;
    // The count stays at 32767 from there on: losing that often is no reason
    // to end the program with an overflow error.
    intLosses = countUp(intLosses);
    lblLosses->Caption = "LOSSES =" + CStr(intLosses);
}

void FrmFroggy::tmrCars_Timer() {
    // 1. Motion.
    imgCar1->Left = imgCar1->Left + 30;
    imgCar2->Left = imgCar2->Left - 55;
    imgCar3->Left = imgCar3->Left + 20;
    imgTruck1->Left = imgTruck1->Left - 40;
    imgTruck2->Left = imgTruck2->Left + 50;
    imgTruck3->Left = imgTruck3->Left - 55;
    imgTruck4->Left = imgTruck4->Left + 45;

    // 2. Wrap-around, against the client area as it is now.
    WrapRight(*imgCar1);
    WrapLeft(*imgCar2);
    WrapRight(*imgCar3);
    WrapLeft(*imgTruck1);
    WrapRight(*imgTruck2);
    WrapLeft(*imgTruck3);
    WrapRight(*imgTruck4);

    // 3. Collisions.
    TestCollisions(*imgCar1);
    TestCollisions(*imgCar2);
    TestCollisions(*imgCar3);
    TestCollisions(*imgTruck1);
    TestCollisions(*imgTruck2);
    TestCollisions(*imgTruck3);
    TestCollisions(*imgTruck4);
}

// Past the right edge: back in just outside the left edge.
void FrmFroggy::WrapRight(Image& V) {
    if (V.Left > ScaleLeft() + ScaleWidth()) V.Left = ScaleLeft() - V.Width;
}

// Wholly past the left edge: shifted right by the client width, at once back in view.
void FrmFroggy::WrapLeft(Image& V) {
    if (V.Left + V.Width < ScaleLeft()) V.Left = ScaleWidth() + ScaleLeft() + V.Left;
}

// Each test that holds sends the frog back at once; the next test reads its new place.
void FrmFroggy::TestCollisions(Image& V) {
    if (Test1(V)) FrogDies();
    if (Test2(V)) FrogDies();
    if (Test3(V)) FrogDies();
    if (Test4(V)) FrogDies();
}

// Every comparison of the four tests is inclusive.

// The frog's top edge within R's height; its left edge at most one R width
// left of R, and not right of R's right edge.
bool FrmFroggy::Test1(Image& R) {
    return R.Left - R.Width <= imgFroggy->Left && imgFroggy->Left <= R.Left + R.Width &&
           R.Top <= imgFroggy->Top && imgFroggy->Top <= R.Top + R.Height;
}

// The frog's left edge over R; its top edge at most one R height above R's
// top, and not below R's bottom.
bool FrmFroggy::Test2(Image& R) {
    return R.Left <= imgFroggy->Left && imgFroggy->Left <= R.Left + R.Width &&
           R.Top - R.Height <= imgFroggy->Top && imgFroggy->Top <= R.Top + R.Height;
}

// As test 1, for the frog's bottom edge.
bool FrmFroggy::Test3(Image& R) {
    return R.Left - R.Width <= imgFroggy->Left && imgFroggy->Left <= R.Left + R.Width &&
           R.Top <= imgFroggy->Top + imgFroggy->Height && imgFroggy->Top + imgFroggy->Height <= R.Top + R.Height;
}

// As test 2, for the frog's right edge.
bool FrmFroggy::Test4(Image& R) {
    return R.Left <= imgFroggy->Left + imgFroggy->Width && imgFroggy->Left + imgFroggy->Width <= R.Left + R.Width &&
           R.Top - R.Height <= imgFroggy->Top && imgFroggy->Top <= R.Top + R.Height;
}

}  // namespace arcadeon
