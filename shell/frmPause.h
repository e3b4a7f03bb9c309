// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmPause: the small modeless dialog Escape opens from the menu and the games.
#pragma once

#include "shell/layer/form.h"

namespace arcadeon {

class FrmPause final : public Form {
public:
    // The application, and what the window works with: the windows it
    // shows, hides or unloads.
    FrmPause(App& app, Form& frmMenu, Form& frmPing, Form& frmFroggy, Form& frmInvaders);
    static const FormLayout layout;

private:
    void cmdResume_Click();
    void cmdQuittoMenu_Click();
    void cmdQuit_Click();

    Control<CommandButton> cmdResume{*this, "cmdResume", [this] { cmdResume_Click(); }};
    Control<CommandButton> cmdQuittoMenu{*this, "cmdQuittoMenu", [this] { cmdQuittoMenu_Click(); }};
    Control<CommandButton> cmdQuit{*this, "cmdQuit", [this] { cmdQuit_Click(); }};

    Form& frmMenu;
    Form& frmPing;
    Form& frmFroggy;
    Form& frmInvaders;
};

}  // namespace arcadeon
