// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Test windows whose events are recorded, and helpers to look at what the
// desktop program shows.
#pragma once

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "shell/desktop/desktop.h"
#include "shell/desktop/form_window.h"
#include "shell/desktop/message_box.h"
#include "shell/layer/app.h"
#include "shell/layer/form.h"

namespace arcadeon::desktop::testing {

// A window that records every event it gets, as "NAME_Event ARGS".
class ProbeForm : public Form {
public:
    ProbeForm(App& app, const FormLayout& layout) : Form(app, layout) {
        for (const ElementLayout& row : layout.elements) {
            const std::string name(row.name);
            switch (row.kind) {
            case Kind::Image: Control<Image>{*this, row.name, [this, name] { record(name + "_Click"); }}; break;
            case Kind::Label: Control<Label>{*this, row.name, [this, name] { record(name + "_Click"); }}; break;
            case Kind::CommandButton: Control<CommandButton>{*this, row.name, [this, name] { record(name + "_Click"); }}; break;
            case Kind::Timer: Control<Timer>{*this, row.name, [this, name] { tick(name); }}; break;
            default: break;
            }
        }
    }

    std::vector<std::string> events;
    int ticks = 0;
    std::vector<std::int64_t> tickBoundaries;  // the clock boundary of each tick
    std::function<void()> onKeyDown;           // runs inside Form_KeyDown
    std::function<void()> onClick;             // runs inside Form_Click

    using Form::MsgBox;

protected:
    void Form_Click() override {
        record("Form_Click");
        if (onClick) onClick();
    }
    void Form_KeyDown(Integer KeyCode, Integer Shift) override {
        record("Form_KeyDown " + std::to_string(KeyCode) + " " + std::to_string(Shift));
        if (onKeyDown) onKeyDown();
    }
    void Form_KeyUp(Integer KeyCode, Integer Shift) override {
        record("Form_KeyUp " + std::to_string(KeyCode) + " " + std::to_string(Shift));
    }
    void Form_MouseMove(Integer Button, Integer Shift, Twips X, Twips Y) override {
        record("Form_MouseMove " + std::to_string(Button) + " " + std::to_string(Shift) + " " +
               std::to_string(static_cast<int>(X)) + " " + std::to_string(static_cast<int>(Y)));
    }

private:
    void record(std::string event) { events.push_back(std::move(event)); }
    void tick(const std::string& /*name*/) {
        ++ticks;
        tickBoundaries.push_back(app.clock().boundary());
    }
};

// What the window of `form` shows now, as the screen would.
inline QImage shot(Desktop& desktop, const Form& form) {
    FormWindow* window = desktop.window(form);
    return window == nullptr ? QImage() : window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Waits for the next message box, lets `look` see it, and presses its OK
// once it has been open for `openMillis`, as a person would.
inline void pressOkOnNextBox(std::function<void(MessageBox&)> look = {}, int openMillis = 0) {
    auto* poll = new QTimer;
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, look = std::move(look), openMillis] {
        MessageBox* box = MessageBox::of(QApplication::activeModalWidget());
        if (box == nullptr) return;
        poll->stop();
        poll->deleteLater();
        if (look) look(*box);
        QTimer::singleShot(openMillis, box, [box] { box->okButton().click(); });
    });
    poll->start();
}

}  // namespace arcadeon::desktop::testing
