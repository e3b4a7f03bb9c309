// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon-all-windows: the desktop program with all six of its windows
// loaded and shown at once (the menu, the Pause and Difficulty dialogs and
// the three games), for the desktop benchmark's memory figure. Through the
// windows themselves a person reaches at most four at a time: choosing a game
// hides the menu, and the way back unloads the games. The Invaders welcome
// box closes by itself. ARCADEON_TRACE_TICKS works as in arcadeon.
#include <QApplication>
#include <QTimer>

#include "shell/desktop/desktop.h"
#include "shell/desktop/message_box.h"
#include "shell/desktop/run.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    using arcadeon::Program;
    using arcadeon::desktop::Desktop;
    return arcadeon::desktop::run(argc, argv, "arcadeon-all-windows", [](Program& program, Desktop& desktop) {
        auto* closer = new QTimer(qApp);  // OK on every box as soon as it is up
        closer->setInterval(10);
        QObject::connect(closer, &QTimer::timeout, closer, [] {
            if (auto* box = arcadeon::desktop::MessageBox::of(QApplication::activeModalWidget()); box != nullptr) box->accept();
        });
        closer->start();
        QTimer::singleShot(0, qApp, [&program, &desktop] {
            desktop.deliver([&](auto&&...) {
                program.frmPause.Show();
                program.frmDifficulty.Show();
                program.frmPing.Show();
                program.frmFroggy.Show();
                program.frmInvaders.Show();
            });
        });
    });
}
