// arcadeon: the desktop program.
#include <QApplication>

#include "shell/desktop/desktop.h"
#include "shell/program.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Arcadeon"));
    arcadeon::Program program;
    arcadeon::desktop::Desktop desktop(program.app);
    desktop.start(program.frmMenu);
    if (program.app.ended()) return 0;
    return QApplication::exec();
}
