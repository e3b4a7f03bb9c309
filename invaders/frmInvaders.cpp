// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "invaders/frmInvaders.h"

namespace arcadeon {

namespace {

constexpr Font kPauseFont{"Arial Black", 15.75f, 900, 0};
constexpr Font kLivesFont{"Arial Black", 14.25f, 900, 0};
constexpr Color kRed = RGB(255, 0, 0);

constexpr Picture kShip = "invaders-ship.jpg";
constexpr Picture kAlien = "invaders-alien.jpg";
constexpr Picture kMothership = "invaders-mothership.jpg";
constexpr Picture kBomb = "invaders-bomb.jpg";
constexpr Picture kHeart = "invaders-heart.jpg";
constexpr Picture kTitle = "invaders-title.jpg";
constexpr Picture kFlamesLeft = "invaders-flames-left.jpg";
constexpr Picture kFlamesRight = "invaders-flames-right.jpg";

// Front to back. The shot and the bombs lie behind every picture they cross;
// the two edge markers of the formation are never shown.
constexpr ElementLayout kElements[] = {
    {"tmrBomb3", Kind::Timer, {.Interval = 5, .Enabled = false}},
    {"tmrBomb2", Kind::Timer, {.Interval = 5, .Enabled = false}},
    {"tmrBomb1", Kind::Timer, {.Interval = 5, .Enabled = false}},
    {"tmrBullet", Kind::Timer, {.Interval = 5, .Enabled = false}},
    {"tmrMothership", Kind::Timer, {.Interval = 1, .Enabled = true}},
    {"imgShip", Kind::Image, {.Left = 5160, .Top = 6120, .Width = 1755, .Height = 765, .Picture = kShip, .Stretch = true}},
    {"imgAlienRight", Kind::Image, {.Left = 8160, .Top = 1560, .Width = 810, .Height = 615, .Visible = false, .Picture = kAlien, .Stretch = true}},
    {"imgAlienLeft", Kind::Image, {.Left = 2760, .Top = 1560, .Width = 810, .Height = 615, .Visible = false, .Picture = kAlien, .Stretch = true}},
    {"Image3", Kind::Image, {.Left = 0, .Top = 2640, .Width = 2115, .Height = 4500, .Picture = kFlamesLeft, .Stretch = true}},
    {"lblPause", Kind::Label, {.Left = 10320, .Top = 240, .Width = 1335, .Height = 495, .Caption = "PAUSE", .Alignment = 2, .BackStyle = 0, .ForeColor = SystemColor(14), .Font = kPauseFont, .TabIndex = 1}},
    {"lblLives", Kind::Label, {.Left = 840, .Top = 1440, .Width = 975, .Height = 375, .Caption = "LIVES", .Alignment = 0, .BackStyle = 1, .BackColor = SystemColor(7), .ForeColor = SystemColor(10), .Font = kLivesFont, .TabIndex = 0}},
    {"imgHeart2", Kind::Image, {.Left = 960, .Top = 1920, .Width = 555, .Height = 420, .Picture = kHeart, .Stretch = true}},
    {"imgHeart1", Kind::Image, {.Left = 240, .Top = 1920, .Width = 555, .Height = 420, .Picture = kHeart, .Stretch = true}},
    {"imgHeart3", Kind::Image, {.Left = 1680, .Top = 1920, .Width = 555, .Height = 420, .Picture = kHeart, .Stretch = true}},
    {"imgMothership", Kind::Image, {.Left = 6360, .Top = 1320, .Width = 1725, .Height = 840, .Picture = kMothership, .Stretch = true}},
    {"Image2", Kind::Image, {.Left = 9720, .Top = 2520, .Width = 2115, .Height = 4500, .Picture = kFlamesRight, .Stretch = true}},
    // The aliens in their own z-order; they never overlap. Upper row at Top
    // 2400, lower row at 3240, columns 1080 apart from Left 2760.
    {"imgAlien1", Kind::Image, {.Left = 2760, .Top = 2400, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien4", Kind::Image, {.Left = 6000, .Top = 2400, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien3", Kind::Image, {.Left = 4920, .Top = 2400, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien2", Kind::Image, {.Left = 3840, .Top = 2400, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien9", Kind::Image, {.Left = 4920, .Top = 3240, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien10", Kind::Image, {.Left = 6000, .Top = 3240, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien11", Kind::Image, {.Left = 7080, .Top = 3240, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien12", Kind::Image, {.Left = 8160, .Top = 3240, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien6", Kind::Image, {.Left = 8160, .Top = 2400, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien5", Kind::Image, {.Left = 7080, .Top = 2400, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien8", Kind::Image, {.Left = 3840, .Top = 3240, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgAlien7", Kind::Image, {.Left = 2760, .Top = 3240, .Width = 810, .Height = 615, .Picture = kAlien, .Stretch = true}},
    {"imgTitle", Kind::Image, {.Left = 1920, .Top = 120, .Width = 7875, .Height = 1005, .Picture = kTitle, .Stretch = true}},
    // The walls count only through X1; both are as black as the background.
    {"linBorder2", Kind::Line, {.X1 = 9720, .Y1 = 1080, .X2 = 9720, .Y2 = 7080, .BorderColor = SystemColor(6)}},
    {"linBorder1", Kind::Line, {.X1 = 2160, .Y1 = 1080, .X2 = 2160, .Y2 = 6960}},
    {"imgBomb3", Kind::Image, {.Left = 7800, .Top = 1680, .Width = 555, .Height = 480, .Visible = false, .Picture = kBomb, .Stretch = true}},
    {"imgBomb2", Kind::Image, {.Left = 5640, .Top = 1680, .Width = 555, .Height = 480, .Visible = false, .Picture = kBomb, .Stretch = true}},
    {"imgBomb1", Kind::Image, {.Left = 3480, .Top = 1680, .Width = 555, .Height = 480, .Visible = false, .Picture = kBomb, .Stretch = true}},
    {"shpBullet", Kind::Shape, {.Left = 6000, .Top = 6240, .Width = 135, .Height = 375, .Shape = 4, .FillStyle = 0, .FillColor = kRed}},
};

}  // namespace

const FormLayout FrmInvaders::layout{
    .name = "frmInvaders",
    .Caption = "Vavod Uvavovirovu Divadazo!",
    .BackColor = SystemColor(7),
    .ClientWidth = 11805,
    .ClientHeight = 7035,
    .elements = kElements,
    .game = true,
    .controls = Controls::Pointer,
};

// Hearts disappear from right to left; a strike with none left loses the game.
const FrmInvaders::LivesRow FrmInvaders::kLivesRule[4] = {
    {Heart::Hidden, Heart::Hidden, Heart::Hidden, nullptr},
    {Heart::Any, Heart::Hidden, Heart::Hidden, &FrmInvaders::imgHeart1},
    {Heart::Any, Heart::Any, Heart::Hidden, &FrmInvaders::imgHeart2},
    {Heart::Shown, Heart::Shown, Heart::Shown, &FrmInvaders::imgHeart3},
};

FrmInvaders::FrmInvaders(App& app, Form& frmMenu, Form& frmPause)
    : Form(app, layout), frmMenu(frmMenu), frmPause(frmPause) {
    declare("intMothershipSpeed", intMothershipSpeed);
    declare("intAlienSpeed", intAlienSpeed);
}

// ---- the player's controls ---------------------------------------------------

// Every game starts from the layout; Load only greets and sets the speeds.
void FrmInvaders::Form_Load() {
    MsgBox("Welcome to Vavod Uvavovirovu Divadazo!!!", "Welcome!");
    intMothershipSpeed = 20;
    tmrMothership->Enabled = true;
    intAlienSpeed = 20;
}

// The ship follows the pointer between the walls; a shot at rest follows the ship.
void FrmInvaders::Form_MouseMove(Integer /*Button*/, Integer /*Shift*/, Twips X, Twips /*Y*/) {
    if (lblPause->Caption != "PAUSE") return;
    if (X >= linBorder1->X1 + imgShip->Width / 2 && X <= linBorder2->X1 - imgShip->Width / 2) {
        imgShip->Left = X - imgShip->Width / 2;
        if (!tmrBullet->Enabled) {
            shpBullet->Left = X - shpBullet->Width / 2;
            shpBullet->Top = imgShip->Top;
        }
    }
}

// Fire. A click during a flight changes nothing.
void FrmInvaders::Form_Click() {
    if (lblPause->Caption == "PAUSE") tmrBullet->Enabled = true;
}

void FrmInvaders::Form_KeyDown(Integer KeyCode, Integer /*Shift*/) {
    if (KeyCode != 27) return;
    frmPause.Show();
    tmrBomb1->Enabled = false;
    tmrBomb2->Enabled = false;
    tmrBomb3->Enabled = false;
    tmrMothership->Enabled = false;
    tmrBullet->Enabled = false;
    lblPause->Caption = "GO";
}

// Pause, or resume: only a bomb that has left its rest and a shot above the
// ship's top move on.
void FrmInvaders::lblPause_Click() {
    if (tmrMothership->Enabled) {
        tmrMothership->Enabled = false;
        lblPause->Caption = "GO";
        tmrBomb1->Enabled = false;
        tmrBomb2->Enabled = false;
        tmrBomb3->Enabled = false;
        tmrBullet->Enabled = false;
    } else {
        tmrMothership->Enabled = true;
        lblPause->Caption = "PAUSE";
        if (imgBomb1->Top > 1680) tmrBomb1->Enabled = true;
        if (imgBomb2->Top > 1680) tmrBomb2->Enabled = true;
        if (imgBomb3->Top > 1680) tmrBomb3->Enabled = true;
        if (shpBullet->Top < 6120) tmrBullet->Enabled = true;
    }
}

// ---- the shot ----------------------------------------------------------------

// One tick of the shot: move, then the first of three cases that holds, then
// the win check.
void FrmInvaders::tmrBullet_Timer() {
    shpBullet->Top = shpBullet->Top - 50;
    if (shpBullet->Top <= ScaleTop()) {
        tmrBullet->Enabled = false;
        restShot();
    } else if (Control<Image>* alien = firstAlienStruck()) {
        (*alien)->Visible = false;
        tmrBullet->Enabled = false;
        (*alien)->Left = 0;
        restShot();
    } else if (allAliensDestroyed() && mothershipStruck()) {
        imgMothership->Visible = false;
        tmrBullet->Enabled = false;
        imgMothership->Left = 0;
        restShot();
    }

    if (!imgMothership->Visible) {
        MsgBox("Congratulations! You have defeated the aliens...this time.", "Complete!");
        if (!imgMothership->Visible) {
            Unload();
            frmMenu.Show();
        }
    }
}

// The shot goes back under the ship's centre, its top level with the ship's.
void FrmInvaders::restShot() {
    tmrBullet->Enabled = false;
    shpBullet->Left = imgShip->Width / 2 + imgShip->Left - shpBullet->Width / 2;
    shpBullet->Top = imgShip->Top;
}

// The first alien, from imgAlien1 to imgAlien12, that the shot strikes; one
// shot never destroys two.
FrmInvaders::Control<Image>* FrmInvaders::firstAlienStruck() {
    for (Control<Image>* alien : aliens) {
        if (alienStruck(*alien)) return alien;
    }
    return nullptr;
}

// The shot's top edge lies within the alien's height and its width touches
// the alien's. Visibility plays no part: a destroyed alien stands far left.
bool FrmInvaders::alienStruck(Control<Image>& alien) {
    return shpBullet->Top <= alien->Top + alien->Height && shpBullet->Top >= alien->Top &&
           shpBullet->Left >= alien->Left - shpBullet->Width && shpBullet->Left <= alien->Left + alien->Width;
}

bool FrmInvaders::allAliensDestroyed() {
    for (Control<Image>* alien : aliens) {
        if ((*alien)->Visible) return false;
    }
    return true;
}

// No lower bound: the mothership moving in under a shot above it is struck too.
bool FrmInvaders::mothershipStruck() {
    return shpBullet->Top <= imgMothership->Top + imgMothership->Height &&
           shpBullet->Left >= imgMothership->Left - shpBullet->Width &&
           shpBullet->Left <= imgMothership->Left + imgMothership->Width;
}

// ---- the bombs and the lives -------------------------------------------------

void FrmInvaders::tmrBomb1_Timer() { bombTick(imgBomb1, tmrBomb1); }
void FrmInvaders::tmrBomb2_Timer() { bombTick(imgBomb2, tmrBomb2); }
void FrmInvaders::tmrBomb3_Timer() { bombTick(imgBomb3, tmrBomb3); }

// One tick of a bomb: it falls and may strike the ship, or, at the bottom
// edge, goes back to rest. It strikes only when its whole width lies within
// the ship's.
void FrmInvaders::bombTick(Control<Image>& bomb, Control<Timer>& timer) {
    if (bomb->Top + bomb->Height < ScaleTop() + ScaleHeight()) {
        bomb->Visible = true;
        bomb->Top = bomb->Top + 30;
        if (bomb->Top + bomb->Height >= imgShip->Top && imgShip->Left + imgShip->Width >= bomb->Left + bomb->Width &&
            bomb->Left >= imgShip->Left) {
            bomb->Top = 1680;
            timer->Enabled = false;
            imgShip->Left = 5160;
            shpBullet->Left = 6000;
            shpBullet->Top = 6240;
            bomb->Visible = false;
            applyLivesRule();
        }
    } else {
        bomb->Top = 1680;
        timer->Enabled = false;
        bomb->Visible = false;
    }
}

void FrmInvaders::applyLivesRule() {
    auto matches = [](Heart wanted, bool visible) {
        return wanted == Heart::Any || (wanted == Heart::Shown) == visible;
    };
    for (const LivesRow& row : kLivesRule) {
        if (matches(row.heart1, imgHeart1->Visible) && matches(row.heart2, imgHeart2->Visible) &&
            matches(row.heart3, imgHeart3->Visible)) {
            if (row.hide == nullptr) {
                gameLost();
            } else {
                (this->*row.hide)->Visible = false;
            }
            return;
        }
    }
}

void FrmInvaders::gameLost() {
    MsgBox("You have died. The earth is doomed from the Vavod Uvavovirovu Divadazo!", "Game Over!");
    Unload();
    frmMenu.Show();
}

// ---- the mothership and the formation ----------------------------------------

// The mothership moves, then turns at a wall (and releases nothing on that
// tick); the formation turns at a wall first, then moves.
void FrmInvaders::tmrMothership_Timer() {
    imgMothership->Left = imgMothership->Left + intMothershipSpeed;
    if (imgMothership->Left <= linBorder1->X1 || imgMothership->Left + imgMothership->Width >= linBorder2->X1) {
        intMothershipSpeed = -intMothershipSpeed;
    } else if (underMiddleThird(imgBomb1)) {
        tmrBomb1->Enabled = true;
    } else if (underMiddleThird(imgBomb2)) {
        tmrBomb2->Enabled = true;
    } else if (underMiddleThird(imgBomb3)) {
        tmrBomb3->Enabled = true;
    }
    if (imgAlienLeft->Left <= linBorder1->X1 || imgAlienRight->Left + imgAlienRight->Width >= linBorder2->X1) {
        intAlienSpeed = -intAlienSpeed;
    }
    for (Control<Image>* member : formation) (*member)->Left = (*member)->Left + intAlienSpeed;
}

// The bomb's column lies strictly inside the middle third of the mothership.
bool FrmInvaders::underMiddleThird(Control<Image>& bomb) {
    return imgMothership->Left + imgMothership->Width / 3 < bomb->Left &&
           bomb->Left < imgMothership->Left + 2 * (imgMothership->Width / 3);
}

}  // namespace arcadeon
