// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// minimal-window [--six | --fill | --rects | --track]: the yardsticks of the
// desktop benchmark, the smallest Qt Widgets programs that do what arcadeon
// does.
//   (none)    one window the size of the menu, filled black, idle
//   --six     six windows of the sizes of arcadeon's six
//   --fill    one window the size of Froggy's, its whole client area filled
//             anew 64 times a second, as a game that redraws everything would
//   --rects   the same window with a block moving 64 times a second, only
//             the rectangles it leaves and enters drawn again
//   --track   one window the size of the menu that follows the pointer's
//             moves and draws nothing for them
// With ARCADEON_TRACE_TICKS=FILE it writes a "paint" line each time it draws,
// as arcadeon does.
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "shell/desktop/trace.h"

namespace {

enum class Mode { Idle, Six, Fill, Rects, Track };

class Window final : public QWidget {
public:
    Window(arcadeon::desktop::Trace* trace, Mode mode) : trace_(trace), mode_(mode) {
        setAttribute(Qt::WA_OpaquePaintEvent);
        if (mode == Mode::Track) setMouseTracking(true);
        if (mode != Mode::Fill && mode != Mode::Rects) return;
        // 64 times a second, on the boundaries of the clock as arcadeon keeps it
        clock_.start();
        tick_.setSingleShot(true);
        tick_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&tick_, &QTimer::timeout, &tick_, [this] { step(); });
        arm();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        if (mode_ == Mode::Fill) {
            painter.fillRect(rect(), (frame_ & 1) != 0 ? QColor(0, 0, 0) : QColor(0, 0, 8));
        } else {
            painter.fillRect(event->rect(), Qt::black);
            if (mode_ == Mode::Rects) painter.fillRect(block(), Qt::white);
        }
        if (trace_ != nullptr) trace_->paint("window");
    }
    void mouseMoveEvent(QMouseEvent* /*event*/) override { ++moves_; }

private:
    static constexpr qint64 kPeriodNanos = 15'625'000;

    QRect block() const { return {static_cast<int>(frame_ * 3 % (width() - 30)), height() / 2, 30, 20}; }
    void arm() {
        const qint64 next = (clock_.nsecsElapsed() / kPeriodNanos + 1) * kPeriodNanos;
        tick_.start(static_cast<int>((next - clock_.nsecsElapsed() + 999'999) / 1'000'000));
    }
    void step() {
        const QRect before = block();
        ++frame_;
        if (mode_ == Mode::Fill) {
            update();
        } else {
            update(before);
            update(block());
        }
        arm();
    }

    arcadeon::desktop::Trace* trace_;
    Mode mode_;
    QElapsedTimer clock_;
    QTimer tick_;
    qint64 frame_ = 0;
    qint64 moves_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    std::unique_ptr<arcadeon::desktop::Trace> trace;
    if (!arcadeon::desktop::Trace::fromEnvironment("minimal-window", trace)) return 2;
    if (trace) trace->start();
    Mode mode = Mode::Idle;
    const QByteArray flag = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (flag == "--six") mode = Mode::Six;
    if (flag == "--fill") mode = Mode::Fill;
    if (flag == "--rects") mode = Mode::Rects;
    if (flag == "--track") mode = Mode::Track;
    // The client areas of the menu, the Pause and Difficulty dialogs and the three games.
    const QSize sizes[] = {{657, 753}, {143, 157}, {182, 191}, {976, 637}, {676, 481}, {787, 469}};
    const QSize froggy = sizes[4];
    const int count = mode == Mode::Six ? 6 : 1;
    std::vector<std::unique_ptr<Window>> windows;
    for (int i = 0; i < count; ++i) {
        windows.push_back(std::make_unique<Window>(trace.get(), mode));
        windows.back()->setWindowTitle(QStringLiteral("Minimal"));
        windows.back()->resize(mode == Mode::Fill || mode == Mode::Rects ? froggy : sizes[i]);
        windows.back()->show();
    }
    return QApplication::exec();
}
