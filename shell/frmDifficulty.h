// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmDifficulty: where the player picks Easy, Normal or Hard before a Ping game.
#pragma once

#include "shell/Module1.h"
#include "shell/layer/form.h"

namespace arcadeon {

class FrmDifficulty final : public Form {
public:
    // The application, and what the window works with: the windows it
    // shows, hides or unloads, and Module1.
    FrmDifficulty(App& app, Module1Variables& Module1, Form& frmPing);
    static const FormLayout layout;

private:
    void cmdPlay_Click();

    Control<CommandButton> cmdPlay{*this, "cmdPlay", [this] { cmdPlay_Click(); }};
    Control<OptionButton> optHard{*this, "optHard"};
    Control<OptionButton> optNormal{*this, "optNormal"};
    Control<OptionButton> optEasy{*this, "optEasy"};

    Module1Variables& Module1;
    Form& frmPing;
};

}  // namespace arcadeon
