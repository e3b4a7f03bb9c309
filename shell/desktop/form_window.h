// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The on-screen window of one loaded form: it paints the form from the
// model and hands mouse, keys, closing, resizing and activation to the layer.
#pragma once

#include <QWidget>

#include "shell/desktop/painting.h"
#include "shell/layer/form.h"

namespace arcadeon::desktop {

class Desktop;

class FormWindow final : public QWidget {
public:
    FormWindow(Desktop& desktop, Form& form);

    [[nodiscard]] Form& form() const { return form_; }
    // The command button held down with the pointer still over it, drawn pressed.
    [[nodiscard]] const Element* pressedButton() const;
    // Forgets a press in progress: its release will be no click.
    void cancelPress();
    // What the window keeps between paints.
    [[nodiscard]] FormCache& cache() { return cache_; }
    // Gives back, while hidden, what is made again when it is next drawn:
    // the window's image and its laid-out text.
    void release();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Whether this window still shows its form (not one left over from an unload).
    [[nodiscard]] bool current() const;
    void key(QKeyEvent& event, bool down);
    void redrawPressed();

    Desktop& desktop_;
    Form& form_;
    // A press in progress: its button and the element (or the window, nullptr) under it.
    Qt::MouseButton pressButton_ = Qt::NoButton;
    Element* pressTarget_ = nullptr;
    bool pressInside_ = false;
    FormCache cache_;
};

}  // namespace arcadeon::desktop
