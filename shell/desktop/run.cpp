// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/run.h"

#include <QApplication>
#include <memory>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "shell/desktop/command_line.h"
#include "shell/desktop/desktop.h"
#include "shell/desktop/session.h"
#include "shell/program.h"
#include "shell/version.h"

namespace arcadeon::desktop {

namespace {

// Qt's Wayland plugin (6.4) can hang as it is torn down: its event thread
// waits for a read the main thread prepared and never made, and the
// display's destructor waits for that thread, so the program, ended and
// its output written, never exits. On Wayland the application is
// therefore kept, here, until the process ends instead of destroyed.
QApplication* keptToTheEnd = nullptr;

struct NotTornDownOnWayland {
    std::unique_ptr<QApplication>& application;
    ~NotTornDownOnWayland() {
        if (application && QGuiApplication::platformName() == QLatin1String("wayland")) keptToTheEnd = application.release();
    }
};

}  // namespace

int run(int argc, char** argv, const char* program, const std::function<void(Program&, Desktop&)>& started) {
#if defined(__GLIBC__)
    // Large blocks come straight from the system and go back to it when
    // freed. Pictures are decoded in full and let go once scaled; glibc's
    // sliding threshold would keep those blocks in the heap for good.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    Options options;
    if (const std::optional<int> status = readCommandLine(argc, argv, program, options)) return *status;
    std::unique_ptr<QApplication> application = startApplication(argc, argv, program);
    const NotTornDownOnWayland keep{application};  // runs before the application would go
    QApplication::setApplicationName(QStringLiteral("Arcadeon"));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kAppId));  // its menu entry and icon
    Program game;
    Desktop desktop(game.app);
    std::unique_ptr<Trace> trace;  // a timing record, when asked for
    if (!Trace::fromEnvironment(program, trace)) return 2;
    desktop.traceTo(std::move(trace));
    ScriptSession session(game, desktop, std::move(options.session));
    if (const std::optional<int> status = session.prepare(program)) return *status;
    session.start(game.frmMenu);
    if (game.app.ended()) return session.finish(0);
    if (started) started(game, desktop);
    return session.finish(QApplication::exec());
}

}  // namespace arcadeon::desktop
