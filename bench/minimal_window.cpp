// minimal-window: the yardstick of the desktop benchmark, the smallest Qt
// Widgets program that shows one window (the size of the menu, filled black).
// With ARCADEON_TRACE_TICKS=FILE it writes a "paint" line each time it draws,
// as arcadeon does.
#include <QApplication>
#include <QPainter>
#include <QWidget>
#include <memory>

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
    Window window(trace.get());
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(657, 753);
    window.show();
    return QApplication::exec();
}
