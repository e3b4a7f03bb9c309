// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What must hold of the program whatever a person does, in whatever order:
// the soak checks it after every script line, the desktop stress test after
// every real event. And the program's state as text, which the soak digests
// and the stress test compares.
#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "shell/layer/properties.h"
#include "shell/program.h"

namespace arcadeon::invariants {

namespace detail {

struct Broken {
    std::string what;
};

inline void expect(bool holds, const std::string& what) {
    if (!holds) throw Broken{what};
}

inline void expectCounter(const Integer* counter, std::string_view name, int lowest = 0) {
    expect(*counter >= lowest && *counter <= 32767, std::string(name) + " is out of its range: " + std::to_string(*counter));
}

// No position or size of any element is NaN or infinite.
inline void checkElements(const Form& form) {
    for (const Element* element : form.elements()) {
        for (const char* property : {"Left", "Top", "Width", "Height", "X1", "Y1", "X2", "Y2"}) {
            const auto value = readProperty(*element, property);
            if (!value) continue;
            const float number = std::get<Twips>(*value);
            expect(std::isfinite(number), std::string(form.name()) + "." + std::string(element->name) + "." + property + " is not finite");
        }
    }
}

inline void checkProgram(const Program& p) {
    const App& app = p.app;
    // Windows: the stack holds visible, loaded windows once each; the active one is among them.
    for (const Form* form : const_cast<Program&>(p).forms()) {
        expect(!form->visible() || form->loaded(), std::string(form->name()) + " is visible but not loaded");
        const auto inStack = std::count(app.stack().begin(), app.stack().end(), form);
        expect(inStack == (form->visible() ? 1 : 0), std::string(form->name()) + " is on the stack " + std::to_string(inStack) + " times");
        if (form->loaded()) checkElements(*form);
    }
    expect(app.ended() || app.activeForm() == nullptr || app.activeForm()->visible(), "the active window is not visible");

    // Each game's GO/PAUSE caption and its timers agree.
    const auto& ping = p.frmPing;
    if (ping.loaded()) {
        const std::string& caption = ping.elementAs<Label>("lblGo").Caption;
        expect(caption == "GO" || caption == "PAUSE", "Ping's GO label reads " + caption);
        expect((caption == "PAUSE") == static_cast<bool>(ping.elementAs<Timer>("tmrBlue").Enabled), "Ping's GO label and tmrBlue disagree");
    }
    const auto& froggy = p.frmFroggy;
    if (froggy.loaded()) {
        const std::string& caption = froggy.elementAs<Label>("lblPause").Caption;
        expect(caption == "GO" || caption == "PAUSE", "Froggy's label reads " + caption);
        expect((caption == "PAUSE") == static_cast<bool>(froggy.elementAs<Timer>("tmrCars").Enabled), "Froggy's label and tmrCars disagree");
    }
    const auto& invaders = p.frmInvaders;
    if (invaders.loaded()) {
        const std::string& caption = invaders.elementAs<Label>("lblPause").Caption;
        expect(caption == "GO" || caption == "PAUSE", "the Invaders label reads " + caption);
        expect((caption == "PAUSE") == static_cast<bool>(invaders.elementAs<Timer>("tmrMothership").Enabled),
               "the Invaders label and tmrMothership disagree");
        if (caption == "GO") {
            for (const char* timer : {"tmrBullet", "tmrBomb1", "tmrBomb2", "tmrBomb3"}) {
                expect(!invaders.elementAs<Timer>(timer).Enabled, std::string(timer) + " runs while the Invaders game is paused");
            }
        }
    }

    // Counters stay in range.
    for (const Form* form : {&ping, &froggy}) {
        for (const auto& [name, variable] : form->variables()) {
            if (name == "intSpeedX" || name == "intSpeedY") continue;
            expectCounter(variable, name);
        }
    }
    expect(*ping.variable("intHits") <= *ping.variable("intHighScore"), "Ping's hits passed its high score");
    expect(p.Module1.intDifficulty >= 0 && p.Module1.intDifficulty <= 3, "intDifficulty is out of its range");
}

}  // namespace detail

// The first invariant the program breaks as it stands, in words; nullopt
// while every one holds.
inline std::optional<std::string> brokenInvariant(const Program& program) {
    try {
        detail::checkProgram(program);
    } catch (const detail::Broken& broken) {
        return broken.what;
    }
    return std::nullopt;
}

// What is wrong with an event about to be delivered to `form` (to `element`
// of it, nullptr for the window itself), in words; nullopt when nothing is.
// `keyInput`: the event comes from a key, so only the active window may get it.
inline std::optional<std::string> brokenDelivery(const App& app, const Form& form, const Element* element, bool keyInput) {
    if (app.messageBoxOpen()) return "an event was delivered while a message box was open";
    const bool tick = element != nullptr && element->kind == Kind::Timer;
    if (keyInput && !tick && &form != app.activeForm()) {
        return "a key went to " + std::string(form.name()) + ", which is not the active window";
    }
    if (!form.loaded()) return "an event went to " + std::string(form.name()) + ", which is not loaded";
    return std::nullopt;
}

// Every window's name and module-level variables and, while it is loaded,
// the positions, sizes, visibility, captions and states of its elements, in a
// fixed order, one piece of text at a time.
template <class Take>
void describeState(const Program& p, Take&& take) {
    for (Form* form : const_cast<Program&>(p).forms()) {
        take(form->name());
        for (const auto& [name, variable] : form->variables()) take(std::string(name) + "=" + std::to_string(*variable));
        if (!form->loaded()) continue;
        for (const Element* element : form->elements()) {
            for (const char* property : {"Left", "Top", "Width", "Height", "Visible", "Caption", "Enabled", "Value", "X1", "Y1", "X2", "Y2"}) {
                if (auto value = readProperty(*element, property)) take(formatValue(*value));
            }
        }
    }
}

}  // namespace arcadeon::invariants
