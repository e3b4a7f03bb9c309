// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Running the desktop program: what `arcadeon` does from start to end.
#pragma once

#include <functional>

namespace arcadeon {
class Program;
}

namespace arcadeon::desktop {

class Desktop;

// Runs the program with its windows on the screen until it ends; returns the
// exit status. `program` names it in messages. `started`, when given, runs
// once the menu is up, before the event loop (the benchmark's variants use it).
int run(int argc, char** argv, const char* program, const std::function<void(Program&, Desktop&)>& started = {});

}  // namespace arcadeon::desktop
