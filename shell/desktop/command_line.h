// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program's command line, read before anything needs a display,
// and the start of Qt's application object.
#pragma once

#include <QApplication>
#include <memory>
#include <optional>

#include "shell/desktop/session.h"

namespace arcadeon::desktop {

// What the command line asks of the program beyond Qt's own options.
struct Options {
    SessionOptions session;  // --record, --replay, --speed
};

// Reads the command line: --help, --help-all, --version, the program's
// options and Qt's own (-platform, -style...). Prints the help, the version,
// a one-line error (status 2) or, when there is no display to open windows
// on, one sentence saying so (status 1); returns that exit status when the
// program is to end at once, nullopt when it goes on. `program` names it in
// messages.
std::optional<int> readCommandLine(int argc, char** argv, const char* program, Options& options);

// Qt's application object. A platform that cannot start (a display that
// cannot be opened) ends the program with one sentence on standard error and
// status 1, instead of Qt's abort.
std::unique_ptr<QApplication> startApplication(int& argc, char** argv, const char* program);

}  // namespace arcadeon::desktop
