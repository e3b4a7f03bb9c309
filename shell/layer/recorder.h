// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What a front end passes to the layer, passed on at once and, while a
// recording is made, first written down as a line of a script in the
// runner's format: a recording holds exactly what the layer received.
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "shell/layer/app.h"

namespace arcadeon {

class Recorder {
public:
    // Writes text to the recording; on failure returns false and says why.
    using Writer = std::function<bool(std::string_view text, std::string& why)>;

    explicit Recorder(App& app) : app_(app) {}
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Starts a recording with `header` (comment lines). False, with `why`
    // set, when the header could not be written: there is no recording then.
    bool record(Writer writer, std::string_view header, std::string& why);
    // Called once, with the reason, when a write fails later: the recording
    // stops there and the program goes on.
    void onFailure(std::function<void(const std::string& why)> report) { onFailure_ = std::move(report); }
    [[nodiscard]] bool recording() const { return static_cast<bool>(writer_); }
    [[nodiscard]] bool failed() const { return failed_; }

    // Each writes its line (when recording), then passes the call to the layer.
    void click(Form& form, Twips x, Twips y);
    void mouseMove(Form& form, Twips x, Twips y, int button = 0, int shift = 0);
    void keyDown(int code, int shift = 0);
    void keyUp(int code, int shift = 0);
    void activate(Form& form);
    void close(Form& form);
    void resize(Form& form, Twips width, Twips height);
    // Time on schedule (`wait`), and a span in which the program could not
    // keep up (`stall`). Nothing is written for a moment already past.
    void advanceTo(std::int64_t micros);
    void stallTo(std::int64_t micros);
    // Real time has reached `micros`. On time (at most one boundary since
    // the last one processed) it passes as a `wait`; later, while a timer
    // runs, as a `stall`, so that each timer ticks once for a span the
    // program could not keep up with. True when it was a stall. Every front
    // end calls it before each piece of input and when it wakes; nothing
    // happens once the program has ended.
    bool catchUpTo(std::int64_t micros);
    // When a front end should wake next for time to pass, in microseconds
    // from real time `now`: the next clock boundary, 0 when it has passed
    // already (the front end is late). None while no timer runs, a message
    // box is open (its close catches up) or the program has ended: then only
    // input changes anything.
    [[nodiscard]] std::optional<std::int64_t> nextWakeIn(std::int64_t now) const;
    // The open message box was closed with its OK button (the front end
    // closes it; the layer learns of it when its MsgBox returns).
    void ok();
    // The person closed the open message box at real time `now`: the time
    // it was open passes (catchUpTo: the ticks that fell due meanwhile are
    // owed, one a timer, once the handler returns), then its OK. True when
    // that time passed as a stall.
    bool boxClosed(std::int64_t now);

    // Ends the recording with `block`, the program's final state as comment
    // lines (finalStateBlock in shell/record/state.h); nothing is written
    // after it. Does nothing when not recording.
    void finish(std::string_view block);

private:
    void write(const std::string& line);

    App& app_;
    Writer writer_;
    std::function<void(const std::string&)> onFailure_;
    bool failed_ = false;
};

// The header of a recording: the program, its version, where it was
// recorded and the date (local time with its offset from UTC), then what can
// be done with it.
[[nodiscard]] std::string recordingHeader(
    std::string_view version, std::time_t when, std::string_view where = "with arcadeon --record",
    std::string_view use = "Watch it with arcadeon --replay FILE; check it with arcadeon-script --verify FILE");

}  // namespace arcadeon
