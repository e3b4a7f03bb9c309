// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program: the layer, Module1 and the six windows, each a single
// instance that lives as long as the program. This catalogue is the one
// place that knows every window's type; the rest of the program, the front
// ends and the tools see the windows as forms.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "shell/Module1.h"
#include "shell/layer/app.h"

namespace arcadeon {

class Program {
public:
    Program();
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Creates, loads and shows the menu, as the program does at start.
    void start() { app.start(frmMenu); }

    // The three games, as the menu names them.
    enum class Game { Ping, Froggy, Invaders };
    // Opens a game as a person does: a click on its name on the menu
    // (started first if it has not been). Returns the game's window. Boxes
    // that open meanwhile are the front end's to close; with none, they
    // close at once.
    Form& open(Game game);

    // The window of that name; nullptr when the program has none.
    [[nodiscard]] Form* form(std::string_view name);
    // Every window, the menu first.
    [[nodiscard]] std::vector<Form*> forms();

    App app;
    Module1Variables Module1;

private:
    struct Windows;
    std::unique_ptr<Windows> windows_;

public:
    Form& frmMenu;
    Form& frmPause;
    Form& frmDifficulty;
    Form& frmPing;
    Form& frmFroggy;
    Form& frmInvaders;
};

}  // namespace arcadeon
