// arcadeon: the desktop program.
#include <QApplication>
#include <memory>

#include "shell/desktop/desktop.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arcadeon"));
    arcadeon::Program program;
    arcadeon::desktop::Desktop desktop(program.app);
    std::unique_ptr<arcadeon::desktop::Trace> trace;  // a timing record, when asked for
    if (!arcadeon::desktop::Trace::fromEnvironment("arcadeon", trace)) return 2;
    desktop.traceTo(std::move(trace));
    desktop.start(program.frmMenu);
    if (program.app.ended()) return 0;
    return QApplication::exec();
}
