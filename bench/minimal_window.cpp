// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// minimal-window [--six]: the yardstick of the desktop benchmark, the smallest
// Qt Widgets program that shows one window (the size of the menu, filled
// black); with --six, six windows of the sizes of arcadeon's six. With
// ARCADEON_TRACE_TICKS=FILE it writes a "paint" line each time it draws, as
// arcadeon does.
#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <memory>
#include <vector>

#include "shell/desktop/trace.h"

namespace {

class Window final : public QWidget {
public:
    explicit Window(arcadeon::desktop::Trace* trace) : trace_(trace) {}

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter(this).fillRect(rect(), Qt::black);
        if (trace_ != nullptr) trace_->paint("window");
    }

private:
    arcadeon::desktop::Trace* trace_;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::unique_ptr<arcadeon::desktop::Trace> trace;
    if (!arcadeon::desktop::Trace::fromEnvironment("minimal-window", trace)) return 2;
    if (trace) trace->start();
    // The client areas of the menu, the Pause and Difficulty dialogs and the three games.
    const QSize sizes[] = {{657, 753}, {143, 157}, {182, 191}, {976, 637}, {676, 481}, {787, 469}};
    const int count = argc > 1 && QByteArray(argv[1]) == "--six" ? 6 : 1;
    std::vector<std::unique_ptr<Window>> windows;
    for (int i = 0; i < count; ++i) {
        windows.push_back(std::make_unique<Window>(trace.get()));
        windows.back()->setWindowTitle(QStringLiteral("Minimal"));
        windows.back()->resize(sizes[i]);
        windows.back()->show();
    }
    return QApplication::exec();
}
