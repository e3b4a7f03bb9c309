// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer/recorder.h"

#include <algorithm>

#include "shell/layer/properties.h"

namespace arcadeon {

namespace {

std::string point(std::string_view command, const Form& form, Twips x, Twips y) {
    return std::string(command) + " " + std::string(form.name()) + " " + formatSingle(x) + " " + formatSingle(y);
}

std::string keyLine(std::string_view command, int code, int shift) {
    std::string line = std::string(command) + " " + std::to_string(code);
    if ((shift & kShift) != 0) line += " shift";
    if ((shift & kCtrl) != 0) line += " ctrl";
    if ((shift & kAlt) != 0) line += " alt";
    return line;
}

}  // namespace

bool Recorder::record(Writer writer, std::string_view header, std::string& why) {
    if (!writer(header, why)) return false;
    writer_ = std::move(writer);
    failed_ = false;
    return true;
}

void Recorder::write(const std::string& line) {
    if (!writer_) return;
    std::string why;
    if (writer_(line + "\n", why)) return;
    // What follows a lost line would replay differently: the recording stops here.
    writer_ = nullptr;
    failed_ = true;
    if (onFailure_) onFailure_(why);
}

void Recorder::click(Form& form, Twips x, Twips y) {
    write(point("click", form, x, y));
    app_.click(form, x, y);
}

void Recorder::mouseMove(Form& form, Twips x, Twips y, int button, int shift) {
    write(point("move", form, x, y));
    app_.mouseMove(form, x, y, button, shift);
}

void Recorder::keyDown(int code, int shift) {
    write(keyLine("keydown", code, shift));
    app_.keyDown(code, shift);
}

void Recorder::keyUp(int code, int shift) {
    write(keyLine("keyup", code, shift));
    app_.keyUp(code, shift);
}

void Recorder::activate(Form& form) {
    write("activate " + std::string(form.name()));
    app_.activate(form);
}

void Recorder::close(Form& form) {
    write("close " + std::string(form.name()));
    app_.close(form);
}

void Recorder::resize(Form& form, Twips width, Twips height) {
    write(point("resize", form, width, height));
    app_.resize(form, width, height);
}

void Recorder::advanceTo(std::int64_t micros) {
    const std::int64_t span = micros - app_.clock().now();
    if (span <= 0) return;
    write("wait " + formatMillis(span));
    app_.advanceTo(micros);
}

void Recorder::stallTo(std::int64_t micros) {
    const std::int64_t span = micros - app_.clock().now();
    if (span <= 0) return;
    write("stall " + formatMillis(span));
    app_.stallTo(micros);
}

bool Recorder::catchUpTo(std::int64_t micros) {
    if (app_.ended()) return false;
    const Clock& clock = app_.clock();
    if (micros >= clock.boundaryTimeAfter(2) && app_.anyTimerRunning()) {  // two or more boundaries passed
        stallTo(micros);
        return true;
    }
    advanceTo(micros);
    return false;
}

std::optional<std::int64_t> Recorder::nextWakeIn(std::int64_t now) const {
    if (app_.ended() || app_.messageBoxOpen() || !app_.anyTimerRunning()) return std::nullopt;
    return std::max<std::int64_t>(0, app_.clock().nextBoundaryTime() - now);
}

void Recorder::ok() { write("ok"); }

bool Recorder::boxClosed(std::int64_t now) {
    const bool stalled = catchUpTo(now);
    ok();
    return stalled;
}

void Recorder::finish(std::string_view block) {
    if (!writer_) return;
    std::string why;
    if (!writer_(block, why)) {
        failed_ = true;
        if (onFailure_) onFailure_(why);
    }
    writer_ = nullptr;
}

std::string recordingHeader(std::string_view version, std::time_t when, std::string_view where, std::string_view use) {
    char date[64] = "";
    std::tm local{};
    if (localtime_r(&when, &local) != nullptr) std::strftime(date, sizeof date, "%Y-%m-%d %H:%M:%S %z", &local);
    return "# Arcadeon " + std::string(version) + ", a game recorded " + std::string(where) + " on " + date + "\n# " +
           std::string(use) + "\n";
}

}  // namespace arcadeon
