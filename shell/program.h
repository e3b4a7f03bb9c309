// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program: the layer, Module1 and the six windows, each a single
// instance that lives as long as the program.
#pragma once

#include <string_view>
#include <vector>

#include "shell/Module1.h"
#include "shell/frmDifficulty.h"
#include "shell/frmMenu.h"
#include "shell/frmPause.h"
#include "froggy/frmFroggy.h"
#include "invaders/frmInvaders.h"
#include "shell/layer/app.h"
#include "ping/frmPing.h"

namespace arcadeon {

class Program {
public:
    Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates, loads and shows the menu, as the program does at start.
    void start() { app.start(frmMenu); }

    [[nodiscard]] Form* form(std::string_view name);
    [[nodiscard]] std::vector<Form*> forms();

    App app;
    Module1Variables Module1;
    FrmMenu frmMenu;
    FrmPause frmPause;
    FrmDifficulty frmDifficulty;
    FrmPing frmPing;
    FrmFroggy frmFroggy;
    FrmInvaders frmInvaders;
};

}  // namespace arcadeon
