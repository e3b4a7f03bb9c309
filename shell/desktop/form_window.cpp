// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/form_window.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPointingDevice>

#include "shell/desktop/desktop.h"
#include "shell/desktop/keys.h"
#include "shell/desktop/units.h"

namespace arcadeon::desktop {

namespace {

// A pointer position in twips of the client area, as Qt has it: the
// session checks it before it becomes a single-precision number.
struct Point {
    double x, y;
};

Point twips(const QMouseEvent& event) {
    const QPointF at = event.position();
    return {at.x() * kTwipsPerPixel, at.y() * kTwipsPerPixel};
}

// A finger on a touch screen (Qt makes mouse events of it), or a mouse.
Pointer pointerOf(const QMouseEvent& event) {
    const QPointingDevice* device = event.pointingDevice();
    return device != nullptr && device->type() == QInputDevice::DeviceType::TouchScreen ? Pointer::Touch : Pointer::Mouse;
}

}  // namespace

FormWindow::FormWindow(Desktop& desktop, Form& form) : desktop_(desktop), form_(form) {
    setWindowTitle(QString::fromUtf8(form.caption().data(), static_cast<qsizetype>(form.caption().size())));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the form paints its whole client area
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

bool FormWindow::current() const { return desktop_.window(form_) == this; }

bool FormWindow::event(QEvent* event) {
    switch (event->type()) {
    // Every key goes to the layer, Tab included: it moves the focus itself.
    case QEvent::KeyPress:
        key(*static_cast<QKeyEvent*>(event), true);
        return true;
    case QEvent::KeyRelease:
        key(*static_cast<QKeyEvent*>(event), false);
        return true;
    case QEvent::WindowActivate:
        if (current()) desktop_.windowActivated(*this);
        break;
    case QEvent::UpdateRequest: {
        // Qt draws what was asked for and hands it to the window system here.
        const bool done = QWidget::event(event);
        if (current()) desktop_.flushed(*this);
        return done;
    }
    default:
        break;
    }
    return QWidget::event(event);
}

void FormWindow::key(QKeyEvent& event, bool down) {
    event.accept();
    if (!current()) return;
    const int code = virtualKey(event.key(), event.modifiers());
    if (code < 0) return;
    const int shift = shiftState(event.modifiers());
    desktop_.deliver([&](Session& session, std::int64_t now) { (void)session.key(now, down, code, shift, event.isAutoRepeat()); });
}

void FormWindow::paintEvent(QPaintEvent* event) {
    if (current()) desktop_.paint(*this, event->region());
}

void FormWindow::release() {
    shown_.forget();
    // The image is made again, at the window's size, when it is next drawn.
    if (QBackingStore* store = backingStore(); store != nullptr) store->resize(QSize(0, 0));
}

// Which presses and releases make a click is the session's rule; what it
// changes (a button drawn pressed, a click) is drawn once it is over.
void FormWindow::mousePressEvent(QMouseEvent* event) {
    if (!current()) return;
    const Point at = twips(*event);
    const int shift = shiftState(event->modifiers());
    const Pointer pointer = pointerOf(*event);
    desktop_.deliver([&](Session& session, std::int64_t now) {
        (void)session.press(now, form_, at.x, at.y, buttonState(event->button()), shift, pointer);
    });
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!current()) return;
    const Point at = twips(*event);
    const Pointer pointer = pointerOf(*event);
    desktop_.deliver([&](Session& session, std::int64_t now) {
        (void)session.release(now, form_, at.x, at.y, buttonState(event->button()), pointer);
    });
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!current()) return;
    const Point at = twips(*event);
    const int buttons = buttonState(event->buttons());
    const int shift = shiftState(event->modifiers());
    desktop_.deliver([&](Session& session, std::int64_t now) { (void)session.move(now, form_, at.x, at.y, buttons, shift); });
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the layer decides: the close button unloads the form
    if (current()) desktop_.windowClosing(*this);
}

void FormWindow::resizeEvent(QResizeEvent* /*event*/) {
    if (current()) desktop_.windowResized();
}

// Moved, or framed by the window manager.
void FormWindow::moveEvent(QMoveEvent* /*event*/) {
    if (current()) desktop_.windowFramed(*this);
}

}  // namespace arcadeon::desktop
