// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Module1: the one value shared between windows.
#pragma once

#include "shell/layer/basic.h"

namespace arcadeon {

struct Module1Variables {
    // The Ping difficulty: 0 none chosen yet, 1 Easy, 2 Normal, 3 Hard.
    // Written by Play! of the Difficulty dialog, read by the Ping window's Load.
    Integer intDifficulty;
};

}  // namespace arcadeon
