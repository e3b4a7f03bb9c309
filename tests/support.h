// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers shared by the tests: a front end that records what the layer tells
// it, and a way to run a script in-process.
#pragma once

#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "shell/layer/app.h"
#include "shell/record/runner.h"

namespace arcadeon::testing {

// Records message boxes and life-cycle events. A box is closed at once,
// unless `whileBoxOpen` does something first (time passing, input...).
class RecordingFrontEnd : public FrontEnd {
public:
    std::vector<std::string> events;
    std::vector<std::string> boxes;  // "TITLE: PROMPT"
    std::function<void()> whileBoxOpen;

    void messageBox(std::string_view title, std::string_view prompt) override {
        boxes.push_back(std::string(title) + ": " + std::string(prompt));
        events.push_back("msgbox " + std::string(title));
        if (whileBoxOpen) {
            auto action = std::move(whileBoxOpen);
            whileBoxOpen = nullptr;
            action();
        }
    }
    void formLoading(Form& form) override { events.push_back("load " + std::string(form.name())); }
    void formShown(Form& form) override { events.push_back("show " + std::string(form.name())); }
    void formHidden(Form& form) override { events.push_back("hide " + std::string(form.name())); }
    void formUnloaded(Form& form) override { events.push_back("unload " + std::string(form.name())); }
    void programEnded() override { events.push_back("end"); }
};

// An element of a window by name, as a test places or reads it.
template <class T>
T& elementOf(Form& form, std::string_view name) {
    form.ensureLoaded();
    return form.elementAs<T>(name);
}

// Lets time run to the next boundary, `count` times.
inline void tick(App& app, std::int64_t count = 1) {
    app.advanceBoundaries(count);
}

struct ScriptResult {
    int status;
    std::string out;
    std::string err;
};

inline ScriptResult runScript(const std::string& script) {
    std::istringstream in(script);
    std::ostringstream out, err;
    ScriptRunner runner(in, out, err);
    const int status = runner.run();
    return {status, out.str(), err.str()};
}

}  // namespace arcadeon::testing
