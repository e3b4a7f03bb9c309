// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop front end: one top-level window per loaded window of the
// model, real input turned into the layer's events, real time driving the
// layer's clock, and message boxes as real modal boxes.
#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QSize>
#include <QTimer>
#include <cstdint>
#include <future>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "shell/desktop/fonts.h"
#include "shell/desktop/painting.h"
#include "shell/desktop/pictures.h"
#include "shell/desktop/trace.h"
#include "shell/layer/app.h"
#include "shell/layer/changes.h"

namespace arcadeon::desktop {

class FormWindow;

class Desktop final : public FrontEnd {
public:
    explicit Desktop(App& app);
    ~Desktop() override;
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    // Starts the clock at 0 and the program with its start-up window.
    void start(Form& startup);
    // Records tick batches and paints from now on (see trace.h).
    void traceTo(std::unique_ptr<Trace> trace) { trace_ = std::move(trace); }

    [[nodiscard]] App& app() { return app_; }
    // The on-screen window of a loaded form; nullptr when it is not loaded.
    [[nodiscard]] FormWindow* window(const Form& form) const;
    // Microseconds of real time since start.
    [[nodiscard]] std::int64_t elapsedMicros() const;
    // Whether a wake-up is armed for the next clock boundary.
    [[nodiscard]] bool awake() const { return wake_.isActive(); }

    // Delivers one piece of a person's input: first the time that passed
    // before it, then the input, then what it changed drawn.
    template <class Input>
    void deliver(Input&& input) {
        if (app_.ended()) return;
        const std::int64_t reached = trace_ ? Trace::now() : 0;
        catchUp();
        const std::uint64_t updates = updates_;  // what the input itself changed, not the ticks before it
        input();
        afterEvent();
        if (trace_ && updates_ != updates) trace_->input(reached);
    }

    // From the windows.
    void windowActivated(FormWindow& window);
    void windowResized();
    void windowFramed(FormWindow& window);
    void paint(FormWindow& window, const QRegion& pixels);
    // What the window drew has gone to the window system.
    void flushed(FormWindow& window);
    // Asks for `element` of the window (the whole window: nullptr) to be drawn again.
    void redraw(FormWindow& window, const Element* element);

    // FrontEnd
    void messageBox(std::string_view title, std::string_view prompt) override;
    void formLoading(Form& form) override;
    void formShown(Form& form) override;
    void formHidden(Form& form) override;
    void formUnloaded(Form& form) override;
    void formActivated(Form* form) override;
    void delivering(const Form& form, const Element* element) override;
    void changed() override;
    void programEnded() override;

private:
    void catchUp();
    void wake();
    void afterEvent();
    void schedule();
    void showChanges();
    void syncSizes();
    void discard(FormWindow* window);
    void place(FormWindow& window);
    void releasePictures();
    void bringForward(FormWindow& window);

    App& app_;
    Fonts fonts_;
    Pictures pictures_;
    Palettes palettes_;
    ChangeTracker changes_;
    QElapsedTimer elapsed_;
    QTimer wake_;
    std::map<const Form*, FormWindow*> windows_;
    std::vector<QPointer<FormWindow>> discarded_;  // unloaded, awaiting deletion
    QSize frame_{0, 0};  // what the window manager's frame adds to a client area
    bool frameKnown_ = false;
    FormWindow* placedUnframed_ = nullptr;  // placed before the frame's size was known
    const FormWindow* following_ = nullptr;  // activated by the window manager, being followed
    std::uint64_t ticksDelivered_ = 0;  // timer events delivered so far
    std::uint64_t ticksTraced_ = 0;     // of those, the ones already in the trace
    std::unique_ptr<Trace> trace_;      // nullptr unless asked for
    std::uint64_t updates_ = 0;         // windows asked to draw what changed, so far
    std::vector<const FormWindow*> painted_;  // drawn since they last went to the window system
    std::future<void> fontList_;        // loading at start, see start()
};

}  // namespace arcadeon::desktop
