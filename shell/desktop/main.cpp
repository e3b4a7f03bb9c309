// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon: the desktop program.
#include "shell/desktop/run.h"

int main(int argc, char** argv) { return arcadeon::desktop::run(argc, argv, "arcadeon"); }
