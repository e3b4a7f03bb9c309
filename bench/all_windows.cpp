// arcadeon-all-windows: the desktop program with all six of its windows
// loaded and shown at once (the menu, the Pause and Difficulty dialogs and
// the three games), for the desktop benchmark's memory figure. Through the
// windows themselves a person reaches at most four at a time: choosing a game
// hides the menu, and the way back unloads the games. The Invaders welcome
// box closes by itself. ARCADEON_TRACE_TICKS works as in arcadeon.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "shell/desktop/desktop.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    arcadeon::Program program;
    arcadeon::desktop::Desktop desktop(program.app);
    std::unique_ptr<arcadeon::desktop::Trace> trace;  // a timing record, when asked for
    if (!arcadeon::desktop::Trace::fromEnvironment("arcadeon-all-windows", trace)) return 2;
    desktop.traceTo(std::move(trace));

    QTimer closer;  // OK on every box as soon as it is up
    closer.setInterval(10);
    QObject::connect(&closer, &QTimer::timeout, &closer, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()); box != nullptr) box->accept();
    });
    closer.start();

    desktop.start(program.frmMenu);
    QTimer::singleShot(0, [&] {
        desktop.deliver([&] {
            program.frmPause.Show();
            program.frmDifficulty.Show();
            program.frmPing.Show();
            program.frmFroggy.Show();
            program.frmInvaders.Show();
        });
    });
    return QApplication::exec();
}
