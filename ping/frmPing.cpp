// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ping/frmPing.h"

namespace arcadeon {

namespace {

constexpr Color kWhite = RGB(255, 255, 255);
constexpr Color kBlack = SystemColor(7);
constexpr Color kCaptionText = SystemColor(9);
constexpr Color kHighlightText = SystemColor(14);
constexpr Font kCounterFont{"Arial Black", 20.25f, 900, 0};

// Front to back. The field's outline is the wall the ball bounces off.
constexpr ElementLayout kElements[] = {
    {"shpBlue", Kind::Shape, {.Left = 6720, .Top = 3480, .Width = 1095, .Height = 1095, .Shape = 3, .FillStyle = 0, .FillColor = kWhite}},
    {"lblHits", Kind::Label, {.Left = 360, .Top = 840, .Width = 2775, .Height = 615, .Caption = "HITS= 0", .Alignment = 0, .BackColor = kBlack, .ForeColor = kHighlightText, .Font = kCounterFont}},
    {"lblLosses", Kind::Label, {.Left = 360, .Top = 240, .Width = 2775, .Height = 615, .Caption = "LOSSES= 0", .Alignment = 0, .BackColor = kBlack, .ForeColor = kHighlightText, .Font = kCounterFont}},
    {"lblGo", Kind::Label, {.Left = 12360, .Top = 240, .Width = 1935, .Height = 615, .Caption = "GO", .Alignment = 2, .BackColor = kBlack, .ForeColor = kCaptionText, .Font = kCounterFont}},
    {"Line1", Kind::Line, {.X1 = 7320, .Y1 = 120, .X2 = 7320, .Y2 = 9360, .BorderColor = kCaptionText}},
    {"shpRed", Kind::Shape, {.Left = 6240, .Top = 8880, .Width = 2175, .Height = 375, .Shape = 0, .FillStyle = 0, .FillColor = kWhite}},
    {"shpField", Kind::Shape, {.Left = 240, .Top = 120, .Width = 14175, .Height = 9255, .Shape = 0, .BorderColor = kCaptionText}},
    {"lblHighScore", Kind::Label, {.Left = 360, .Top = 1440, .Width = 4095, .Height = 615, .Caption = "HIGH SCORE= 0", .Alignment = 0, .BackColor = kBlack, .ForeColor = kHighlightText, .Font = kCounterFont}},
    {"tmrBlue", Kind::Timer, {.Interval = 5, .Enabled = false}},
};

// A speed 5 further away from zero, keeping its direction.
Integer speededUp(Integer speed) { return speed < 0 ? speed - 5 : speed + 5; }

}  // namespace

const FormLayout FrmPing::layout{
    .name = "frmPing",
    .Caption = "Ping",
    .BackColor = kBlack,
    .ClientWidth = 14640,
    .ClientHeight = 9555,
    .elements = kElements,
    .game = true,
    .controls = Controls::Pointer,
};

FrmPing::FrmPing(App& app, Module1Variables& Module1, Form& frmPause)
    : Form(app, layout), Module1(Module1), frmPause(frmPause) {
    declare("intSpeedX", intSpeedX);
    declare("intSpeedY", intSpeedY);
    declare("intLosses", intLosses);
    declare("intHits", intHits);
    declare("intHighScore", intHighScore);
}

void FrmPing::Form_Load() {
    intHits = 0;
    intSpeedX = -75;
    intSpeedY = -75;
    // The paddle grows or shrinks to the right; any other level keeps the layout width.
    if (Module1.intDifficulty == 1) {
        shpRed->Width = 3500;
    } else if (Module1.intDifficulty == 2) {
        shpRed->Width = 2175;
    } else if (Module1.intDifficulty == 3) {
        shpRed->Width = 1095;
    }
    lblLosses->Caption = "LOSSES= " + CStr(intLosses);
    lblHits->Caption = "HITS= " + CStr(intHits);
    lblHighScore->Caption = "HIGH SCORE= " + CStr(intHighScore);
}

// While running, the paddle centres on the pointer as long as it fits the field.
void FrmPing::Form_MouseMove(Integer /*Button*/, Integer /*Shift*/, Twips X, Twips /*Y*/) {
    if (lblGo->Caption != "PAUSE") return;
    const Twips W = shpRed->Width;
    const Twips lowerBound = shpField->Left + W / 2;
    const Twips upperBound = shpField->Left + shpField->Width - W / 2;
    if (lowerBound <= X && X <= upperBound) shpRed->Left = X - W / 2;
}

void FrmPing::lblGo_Click() {
    if (tmrBlue->Enabled) {
        tmrBlue->Enabled = false;
        lblGo->Caption = "GO";
    } else {
        tmrBlue->Enabled = true;
        lblGo->Caption = "PAUSE";
    }
}

void FrmPing::Form_KeyDown(Integer KeyCode, Integer /*Shift*/) {
    if (KeyCode != 27) return;
    frmPause.Show();
    tmrBlue->Enabled = false;
    lblGo->Caption = "GO";
}

// One step of the ball. Every bound is inclusive and read afresh.
void FrmPing::tmrBlue_Timer() {
    // 1. Horizontal step.
    shpBlue->Left = shpBlue->Left + intSpeedX;
    // 2. Side walls, on the new position; the ball is not moved back inside.
    if (shpBlue->Left <= shpField->Left || shpBlue->Left >= shpField->Left + shpField->Width - shpBlue->Width) {
        intSpeedX = -intSpeedX;
    }
    // 3. Vertical step.
    shpBlue->Top = shpBlue->Top + intSpeedY;
    // 4. Top wall, else the floor.
    if (shpBlue->Top <= shpField->Top) {
        intSpeedY = -intSpeedY;
    } else if (shpBlue->Top >= shpField->Top + shpField->Height - shpBlue->Height) {
        BallLost();
    }
    // 5. Paddle: the ball's bottom edge within the paddle's height, and its left
    //    edge within one paddle width either side of the paddle's left edge.
    const bool hit = shpBlue->Top + shpBlue->Height >= shpRed->Top &&
                     shpRed->Top + shpRed->Height >= shpBlue->Top + shpBlue->Height &&
                     shpBlue->Left >= shpRed->Left - shpRed->Width &&
                     shpBlue->Left <= shpRed->Left + shpRed->Width;
    if (!hit) return;
    // 6. A hit turns the ball back up, counts, and speeds it up on both axes.
    intSpeedY = -intSpeedY;
    intHits = countUp(intHits);
    intSpeedX = speededUp(intSpeedX);
    intSpeedY = speededUp(intSpeedY);
    lblHits->Caption = "HITS= " + CStr(intHits);
    if (intHits > intHighScore) {
        intHighScore = intHits;
        lblHighScore->Caption = "HIGH SCORE= " + CStr(intHighScore);
    }
}

// The ball reached the floor: the game stops with the ball put back.
void FrmPing::BallLost() {
    MsgBox("You lose!", "Uh oh!");
    tmrBlue->Enabled = false;
    shpBlue->Top = 2280;
    shpBlue->Left = 4320;
    lblGo->Caption = "GO";
    intLosses = countUp(intLosses);
    lblLosses->Caption = "LOSSES= " + CStr(intLosses);
    intHits = 0;
    lblHits->Caption = "HITS = 0";
    intSpeedX = -75;
    intSpeedY = -75;
}

}  // namespace arcadeon
