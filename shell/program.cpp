// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program.h"

#include "froggy/frmFroggy.h"
#include "invaders/frmInvaders.h"
#include "ping/frmPing.h"
#include "shell/frmDifficulty.h"
#include "shell/frmMenu.h"
#include "shell/frmPause.h"

namespace arcadeon {

// Each window is given the windows it works with.
struct Program::Windows {
    Windows(App& app, Module1Variables& Module1)
        : frmMenu(app, frmPause, frmDifficulty, frmPing, frmFroggy, frmInvaders),
          frmPause(app, frmMenu, frmPing, frmFroggy, frmInvaders),
          frmDifficulty(app, Module1, frmPing),
          frmPing(app, Module1, frmPause),
          frmFroggy(app, frmMenu, frmPause),
          frmInvaders(app, frmMenu, frmPause) {}

    FrmMenu frmMenu;
    FrmPause frmPause;
    FrmDifficulty frmDifficulty;
    FrmPing frmPing;
    FrmFroggy frmFroggy;
    FrmInvaders frmInvaders;
};

Program::Program()
    : windows_(std::make_unique<Windows>(app, Module1)),
      frmMenu(windows_->frmMenu),
      frmPause(windows_->frmPause),
      frmDifficulty(windows_->frmDifficulty),
      frmPing(windows_->frmPing),
      frmFroggy(windows_->frmFroggy),
      frmInvaders(windows_->frmInvaders) {}

Program::~Program() = default;

Form& Program::open(Game game) {
    if (!frmMenu.loaded()) start();
    const std::string_view name = game == Game::Ping ? "lblPing" : game == Game::Froggy ? "lblFrog" : "lblInvaders";
    const Point centre = centreOf(frmMenu.elementAs<Label>(name));
    app.click(frmMenu, centre.x, centre.y);
    return game == Game::Ping ? frmPing : game == Game::Froggy ? frmFroggy : frmInvaders;
}

std::vector<Form*> Program::forms() {
    return {&frmMenu, &frmPause, &frmDifficulty, &frmPing, &frmFroggy, &frmInvaders};
}

Form* Program::form(std::string_view name) {
    for (Form* form : forms()) {
        if (form->name() == name) return form;
    }
    return nullptr;
}

}  // namespace arcadeon
