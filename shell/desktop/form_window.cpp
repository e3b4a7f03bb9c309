// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/form_window.h"

#include <QBackingStore>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>

#include "shell/desktop/desktop.h"
#include "shell/desktop/keys.h"
#include "shell/desktop/units.h"

namespace arcadeon::desktop {

namespace {

// A pointer position in twips of the client area.
struct Point {
    Twips x, y;
};

Point twips(const QMouseEvent& event) {
    const QPointF at = event.position();
    return {twipsFromPixels(at.x()), twipsFromPixels(at.y())};
}

}  // namespace

FormWindow::FormWindow(Desktop& desktop, Form& form) : desktop_(desktop), form_(form), presses_(desktop.app()) {
    setWindowTitle(QString::fromUtf8(form.caption().data(), static_cast<qsizetype>(form.caption().size())));
    setAttribute(Qt::WA_OpaquePaintEvent);  // the form paints its whole client area
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

bool FormWindow::current() const { return desktop_.window(form_) == this; }

const Element* FormWindow::pressedButton() const { return presses_.pressed(); }

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
    // A held key repeats its press; its release comes once, when it is let go.
    if (!down && event.isAutoRepeat()) return;
    const int code = virtualKey(event.key(), event.modifiers());
    if (code < 0) return;
    const int shift = shiftState(event.modifiers());
    desktop_.deliver([&](Recorder& layer) {
        if (down) {
            layer.keyDown(code, shift);
        } else {
            layer.keyUp(code, shift);
        }
    });
}

void FormWindow::paintEvent(QPaintEvent* event) {
    if (current()) desktop_.paint(*this, event->region());
}

void FormWindow::release() {
    shown_.forget();
    // The image is made again, at the window's size, when it is next drawn.
    if (QBackingStore* store = backingStore(); store != nullptr) store->resize(QSize(0, 0));
}

template <class Change>
void FormWindow::pressing(Change&& change) {
    const Element* before = presses_.pressed();
    change();
    const Element* after = presses_.pressed();
    if (after != before) redrawPressed(after != nullptr ? after : before);
}

void FormWindow::redrawPressed(const Element* /*button*/) { desktop_.redraw(*this); }

void FormWindow::cancelPress() {
    pressing([&] { presses_.cancel(); });
}

// Which presses and releases make a click is the layer's rule (Presses).
void FormWindow::mousePressEvent(QMouseEvent* event) {
    if (!current()) return;
    const Point at = twips(*event);
    pressing([&] { presses_.press(form_, at.x, at.y, buttonState(event->button())); });
}

void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (!current()) return;
    const Point at = twips(*event);
    bool click = false;
    pressing([&] { click = presses_.release(form_, at.x, at.y, buttonState(event->button())); });
    if (click) desktop_.deliver([&](Recorder& layer) { layer.click(form_, at.x, at.y); });
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!current()) return;
    const Point at = twips(*event);
    pressing([&] { presses_.move(form_, at.x, at.y); });
    const int buttons = buttonState(event->buttons());
    const int shift = shiftState(event->modifiers());
    desktop_.deliver([&](Recorder& layer) { layer.mouseMove(form_, at.x, at.y, buttons, shift); });
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
