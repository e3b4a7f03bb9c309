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
#include <functional>
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
#include "shell/layer/session.h"

namespace arcadeon::desktop {

class FormWindow;
class MessageBox;

class Desktop final : public Screen {
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
    // Where every piece of input from the windows goes: a recording, when
    // one is made, holds exactly what it passed to the layer.
    [[nodiscard]] Session& session() { return session_; }
    // The on-screen window of a loaded form; nullptr when it is not loaded.
    [[nodiscard]] FormWindow* window(const Form& form) const;
    // Microseconds of real time since start.
    [[nodiscard]] std::int64_t elapsedMicros() const;
    // Whether a wake-up is armed for the next clock boundary.
    [[nodiscard]] bool awake() const { return wake_.isActive(); }

    // Delivers one piece of a person's input, `input(session(), now)`: first
    // the time that passed before it, then the input, then what it changed drawn.
    template <class Input>
    void deliver(Input&& input) {
        if (app_.ended() || replaying()) return;
        const std::int64_t reached = trace_ ? Trace::now() : 0;
        catchUp();
        const std::uint64_t updates = updates_;  // what the input itself changed, not the ticks before it
        input(session_, elapsedMicros());
        afterEvent();
        if (trace_ && updates_ != updates) trace_->input(reached);
    }

    // While a script is replayed its lines alone drive the layer: a
    // person's input reaches no window, real time passes none, and the
    // windows take the sizes the script gives them. Closing a window calls
    // `stop` instead of closing it. endReplay() hands the program to the
    // person, its clock going on from where the script left it.
    void startReplay(std::function<void()> stop);
    void endReplay();
    [[nodiscard]] bool replaying() const { return static_cast<bool>(stopReplay_); }
    void windowClosing(FormWindow& window);
    // Shows what the layer changed: sizes, then one repaint.
    void refresh() { afterEvent(); }
    // A message box that shows what the script's box shows while its lines
    // run, closed by closeReplayedBox(); a person's OK does nothing.
    void showReplayedBox(std::string_view title, std::string_view prompt);
    void closeReplayedBox();

    // From the windows.
    void windowActivated(FormWindow& window);
    void windowResized();
    void windowFramed(FormWindow& window);
    void paint(FormWindow& window, const QRegion& pixels);
    // What the window drew has gone to the window system.
    void flushed(FormWindow& window);
    // Shows what changed in one window (a button it draws pressed, say).
    void redraw(FormWindow& window);

    // Screen
    std::int64_t showBox(std::string_view title, std::string_view prompt) override;
    void formLoading(Form& form) override;
    void formShown(Form& form) override;
    void formHidden(Form& form) override;
    void formUnloaded(Form& form) override;
    void formActivated(Form* form) override;
    void changed() override;
    void programEnded() override;

private:
    [[nodiscard]] std::unique_ptr<MessageBox> makeBox(std::string_view title, std::string_view prompt);
    void catchUp();
    void wake();
    void afterEvent();
    void schedule();
    void showChanges();
    void showChanges(FormWindow& window);
    [[nodiscard]] scene::Scene sceneOf(const FormWindow& window);
    void syncSizes();
    void discard(FormWindow* window);
    void place(FormWindow& window);
    void releasePictures();
    void bringForward(FormWindow& window);

    App& app_;
    Session session_{app_, *this};
    Fonts fonts_;
    Pictures pictures_;
    QElapsedTimer elapsed_;
    std::int64_t clockBase_ = 0;  // the clock when elapsed_ started
    std::function<void()> stopReplay_;  // set while a script is replayed
    QPointer<MessageBox> replayedBox_;  // its owner window may delete it first
    QTimer wake_;
    std::map<const Form*, FormWindow*> windows_;
    std::vector<QPointer<FormWindow>> discarded_;  // unloaded, awaiting deletion
    QSize frame_{0, 0};  // what the window manager's frame adds to a client area
    bool frameKnown_ = false;
    FormWindow* placedUnframed_ = nullptr;  // placed before the frame's size was known
    const FormWindow* following_ = nullptr;  // activated by the window manager, being followed
    std::uint64_t ticksTraced_ = 0;     // timer events delivered and already in the trace
    std::unique_ptr<Trace> trace_;      // nullptr unless asked for
    std::uint64_t updates_ = 0;         // windows asked to draw what changed, so far
    std::vector<const FormWindow*> painted_;  // drawn since they last went to the window system
    std::future<void> fontList_;        // loading at start, see start()
};

}  // namespace arcadeon::desktop
