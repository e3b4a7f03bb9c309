// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmMenu: the start-up window, the hub between the games.
#pragma once

#include "shell/layer/form.h"

namespace arcadeon {

class FrmMenu final : public Form {
public:
    // The application, and what the window works with: the windows it
    // shows, hides or unloads.
    FrmMenu(App& app, Form& frmPause, Form& frmDifficulty, Form& frmPing, Form& frmFroggy, Form& frmInvaders);
    static const FormLayout layout;

private:
    void Form_KeyDown(Integer KeyCode, Integer Shift) override;
    void imgFroggy_Click();
    void lblFrog_Click();
    void imgInvaders_Click();
    void lblInvaders_Click();
    void imgPing_Click();
    void lblPing_Click();
    void Open(Form& game);

    Control<Image> imgFroggy{*this, "imgFroggy", [this] { imgFroggy_Click(); }};
    Control<Image> imgPing{*this, "imgPing", [this] { imgPing_Click(); }};
    Control<Image> imgInvaders{*this, "imgInvaders", [this] { imgInvaders_Click(); }};
    Control<Label> lblFrog{*this, "lblFrog", [this] { lblFrog_Click(); }};
    Control<Label> lblPing{*this, "lblPing", [this] { lblPing_Click(); }};
    Control<Label> lblInvaders{*this, "lblInvaders", [this] { lblInvaders_Click(); }};

    // The windows this one opens.
    Form& frmPause;
    Form& frmDifficulty;
    Form& frmPing;
    Form& frmFroggy;
    Form& frmInvaders;
};

}  // namespace arcadeon
