// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/frmDifficulty.h"

namespace arcadeon {

namespace {

// Front to back. The options reach 45 twips past the right edge, and Play!
// lies over the right part of the Normal row.
constexpr ElementLayout kElements[] = {
    {"cmdPlay", Kind::CommandButton, {.Left = 1320, .Top = 1080, .Width = 1335, .Height = 495, .Caption = "Play!", .TabIndex = 3}},
    {"optHard", Kind::OptionButton, {.Left = 240, .Top = 1800, .Width = 2535, .Height = 735, .Caption = "Hard", .TabIndex = 2}},
    {"optNormal", Kind::OptionButton, {.Left = 240, .Top = 960, .Width = 2535, .Height = 735, .Caption = "Normal", .TabIndex = 1}},
    {"optEasy", Kind::OptionButton, {.Left = 240, .Top = 240, .Width = 2535, .Height = 735, .Caption = "Easy", .TabIndex = 0}},
};

}  // namespace

const FormLayout FrmDifficulty::layout{
    .name = "frmDifficulty",
    .Caption = "Difficulty",
    .BackColor = kButtonFace,
    .ClientWidth = 2730,
    .ClientHeight = 2865,
    .elements = kElements,
};

FrmDifficulty::FrmDifficulty(App& app, Module1Variables& Module1, Form& frmPing)
    : Form(app, layout), Module1(Module1), frmPing(frmPing) {}

void FrmDifficulty::cmdPlay_Click() {
    if (optEasy->Value) {
        Module1.intDifficulty = 1;
    } else if (optNormal->Value) {
        Module1.intDifficulty = 2;
    } else if (optHard->Value) {
        Module1.intDifficulty = 3;
    }
    // None selected: the level stays as it was.
    frmPing.Show();
    Hide();
}

}  // namespace arcadeon
