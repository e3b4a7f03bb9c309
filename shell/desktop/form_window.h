// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The on-screen window of one loaded form: it paints the form from the
// model and hands mouse, keys, closing, resizing and activation to the layer.
#pragma once

#include <QWidget>

#include "shell/scene/scene.h"
#include "shell/layer/form.h"

namespace arcadeon::desktop {

class Desktop;

class FormWindow final : public QWidget {
public:
    FormWindow(Desktop& desktop, Form& form);

    [[nodiscard]] Form& form() const { return form_; }
    [[nodiscard]] Desktop& desktop() const { return desktop_; }
    // What the window shows, or will once the window system has it drawn:
    // the scene last asked for; none until the window is first drawn.
    [[nodiscard]] scene::Shown& shown() { return shown_; }
    // Gives back, while hidden, what is made again when it is next drawn:
    // the window's image and its scene.
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

    Desktop& desktop_;
    Form& form_;
    scene::Shown shown_;
};

}  // namespace arcadeon::desktop
