// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The states the desktop and the page are compared in: each reached by a
// script from the start of the program, and the window then looked at.
#pragma once

#include <array>
#include <string_view>

namespace arcadeon::parity {

struct Case {
    std::string_view name;
    std::string_view script;
    std::string_view window;
};

inline constexpr std::array<Case, 6> kCases{{
    {"menu", "", "frmMenu"},
    {"difficulty", "click frmMenu imgPing\n", "frmDifficulty"},
    {"pause", "key 27\n", "frmPause"},
    {"ping", "click frmMenu lblPing\n", "frmPing"},
    {"froggy", "click frmMenu lblFrog\nkey 38\nkey 38\nkey 37\ntick 40\n", "frmFroggy"},
    {"invaders", "click frmMenu lblInvaders\nok\nmove frmInvaders 4500 5000\nclick frmInvaders 4500 5000\ntick 100\n", "frmInvaders"},
}};

inline constexpr std::array<double, 3> kRatios{1.0, 1.5, 2.0};

}  // namespace arcadeon::parity
