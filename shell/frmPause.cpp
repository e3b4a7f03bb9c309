// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frmPause.h"

namespace arcadeon {

namespace {

// Front to back; the keyboard order runs the other way, so the focus starts on Quit.
constexpr ElementLayout kElements[] = {
    {"cmdResume", Kind::CommandButton, {.Left = 480, .Top = 360, .Width = 1095, .Height = 375, .Caption = "&Resume", .TabIndex = 2}},
    {"cmdQuittoMenu", Kind::CommandButton, {.Left = 480, .Top = 960, .Width = 1095, .Height = 375, .Caption = "Quit to &Menu", .TabIndex = 1}},
    {"cmdQuit", Kind::CommandButton, {.Left = 480, .Top = 1560, .Width = 1095, .Height = 375, .Caption = "&Quit", .TabIndex = 0}},
};

}  // namespace

const FormLayout FrmPause::layout{
    .name = "frmPause",
    .Caption = "Pause",
    .BackColor = kButtonFace,
    .ClientWidth = 2145,
    .ClientHeight = 2355,
    .elements = kElements,
};

FrmPause::FrmPause(App& app, Form& frmMenu, Form& frmPing, Form& frmFroggy, Form& frmInvaders)
    : Form(app, layout), frmMenu(frmMenu), frmPing(frmPing), frmFroggy(frmFroggy), frmInvaders(frmInvaders) {}

// Resume only tells the player how to go on; the game stays stopped.
void FrmPause::cmdResume_Click() {
    MsgBox("Press GO to resume your game.", "Pause");
    Hide();
}

void FrmPause::cmdQuittoMenu_Click() {
    frmMenu.Show();
    Hide();
    frmInvaders.Unload();
    frmPing.Unload();
    frmFroggy.Unload();
}

void FrmPause::cmdQuit_Click() { End(); }

}  // namespace arcadeon
