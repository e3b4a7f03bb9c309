// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frmMenu.h"

namespace arcadeon {

namespace {

constexpr Color kRed = RGB(255, 0, 0);
constexpr Font kGameNameFont{"Old English Text MT", 24.0f, 400, 0};
constexpr Font kTitleFont{"ISOCPEUR", 36.0f, 400, 0};

// Front to back. The pictures overlap the label above them by one pixel row
// and, being in front, take the clicks there.
constexpr ElementLayout kElements[] = {
    {"imgFroggy", Kind::Image, {.Left = 2880, .Top = 8280, .Width = 4380, .Height = 2700, .Picture = "menu-froggy.png", .Stretch = true, .Description = "Froggy"}},
    {"imgPing", Kind::Image, {.Left = 3120, .Top = 5520, .Width = 3825, .Height = 1980, .Picture = "menu-ping.png", .Stretch = true, .Description = "Ping (Difficulty first)"}},
    {"imgInvaders", Kind::Image, {.Left = 3120, .Top = 2280, .Width = 3735, .Height = 2460, .Picture = "menu-invaders.png", .Stretch = true, .Description = "Vavod Uvavovirovu Divadazo"}},
    {"lblFrog", Kind::Label, {.Left = 0, .Top = 7560, .Width = 9855, .Height = 735, .Caption = "Froggy", .Alignment = 2, .BackStyle = 0, .ForeColor = kRed, .Font = kGameNameFont}},
    {"lblPing", Kind::Label, {.Left = 0, .Top = 4800, .Width = 9855, .Height = 735, .Caption = "Ping", .Alignment = 2, .BackStyle = 0, .ForeColor = kRed, .Font = kGameNameFont}},
    {"lblInvaders", Kind::Label, {.Left = 0, .Top = 1560, .Width = 9855, .Height = 615, .Caption = "Vavod Uvavovirovu Divadazo", .Alignment = 2, .BackStyle = 0, .ForeColor = kRed, .Font = kGameNameFont}},
    {"lblTitle", Kind::Label, {.Left = 0, .Top = 360, .Width = 9855, .Height = 975, .Caption = "Arcadeon", .Alignment = 2, .BackStyle = 0, .ForeColor = SystemColor(14), .Font = kTitleFont}},
};

}  // namespace

const FormLayout FrmMenu::layout{
    .name = "frmMenu",
    .Caption = "Menu",
    .BackColor = SystemColor(18),
    .ClientWidth = 9855,
    .ClientHeight = 11295,
    .elements = kElements,
};

FrmMenu::FrmMenu(App& app, Form& frmPause, Form& frmDifficulty, Form& frmPing, Form& frmFroggy, Form& frmInvaders)
    : Form(app, layout), frmPause(frmPause), frmDifficulty(frmDifficulty), frmPing(frmPing), frmFroggy(frmFroggy), frmInvaders(frmInvaders) {}

// Each game opens in the same two steps: show its window (loading it first
// if need be), then hide the menu. A box opened by the game's Load therefore
// comes while the menu is still on the screen.
void FrmMenu::Open(Form& game) {
    game.Show();
    Hide();
}

void FrmMenu::imgFroggy_Click() { Open(frmFroggy); }
void FrmMenu::lblFrog_Click() { Open(frmFroggy); }
void FrmMenu::imgInvaders_Click() { Open(frmInvaders); }
void FrmMenu::lblInvaders_Click() { Open(frmInvaders); }
// The Ping picture asks for the difficulty first; the name plays at once
// with whatever level was chosen last.
void FrmMenu::imgPing_Click() { Open(frmDifficulty); }
void FrmMenu::lblPing_Click() { Open(frmPing); }

void FrmMenu::Form_KeyDown(Integer KeyCode, Integer /*Shift*/) {
    if (KeyCode == 27) frmPause.Show();
}

}  // namespace arcadeon
