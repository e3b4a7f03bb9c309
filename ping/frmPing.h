// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmPing: the one-player paddle-ball game.
#pragma once

#include "shell/Module1.h"
#include "shell/layer/form.h"

namespace arcadeon {

class FrmPing final : public Form {
public:
    // The application, and what the window works with: the windows it
    // shows, hides or unloads, and Module1.
    FrmPing(App& app, Module1Variables& Module1, Form& frmPause);
    static const FormLayout layout;

    // Module-level variables: they outlive an unload.
    Integer intSpeedX;     // the ball's move per tick across; negative moves left
    Integer intSpeedY;     // the ball's move per tick down; negative moves up
    Integer intLosses;     // balls lost since the program started
    Integer intHits;       // paddle hits since the last loss or load
    Integer intHighScore;  // the most hits in one run since the program started

private:
    void Form_Load() override;
    void Form_KeyDown(Integer KeyCode, Integer Shift) override;
    void Form_MouseMove(Integer Button, Integer Shift, Twips X, Twips Y) override;
    void lblGo_Click();
    void tmrBlue_Timer();
    void BallLost();

    Control<Shape> shpBlue{*this, "shpBlue"};
    Control<Label> lblHits{*this, "lblHits"};
    Control<Label> lblLosses{*this, "lblLosses"};
    Control<Label> lblGo{*this, "lblGo", [this] { lblGo_Click(); }};
    Control<Shape> shpRed{*this, "shpRed"};
    Control<Shape> shpField{*this, "shpField"};
    Control<Label> lblHighScore{*this, "lblHighScore"};
    Control<Timer> tmrBlue{*this, "tmrBlue", [this] { tmrBlue_Timer(); }};

    Module1Variables& Module1;
    Form& frmPause;
};

}  // namespace arcadeon
