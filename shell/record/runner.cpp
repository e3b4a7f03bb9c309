// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/record/runner.h"

#include <charconv>
#include <istream>
#include <limits>
#include <ostream>
#include <stdexcept>

#include "shell/layer/decimal.h"
#include "shell/layer/properties.h"
#include "shell/program.h"
#include "shell/record/printable.h"
#include "shell/record/state.h"

namespace arcadeon {

namespace {

// A line that cannot be carried out as written.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The script ended while a message box was open.
struct ScriptOver {};

std::vector<std::string> splitWords(std::string_view text) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
        if (at == text.size()) break;
        std::size_t end = at;
        while (end < text.size() && text[end] != ' ' && text[end] != '\t') ++end;
        words.emplace_back(text.substr(at, end - at));
        at = end;
    }
    return words;
}

// An optional sign, then digits with an optional fraction, or a fraction alone.
struct Decimal {
    bool negative = false;
    std::string_view whole;     // digits before the point
    std::string_view fraction;  // digits after it
};

std::optional<Decimal> parseDecimal(std::string_view word) {
    Decimal number;
    std::size_t at = 0;
    if (at < word.size() && (word[at] == '+' || word[at] == '-')) number.negative = word[at++] == '-';
    const std::size_t wholeStart = at;
    while (at < word.size() && word[at] >= '0' && word[at] <= '9') ++at;
    number.whole = word.substr(wholeStart, at - wholeStart);
    if (at < word.size() && word[at] == '.') {
        const std::size_t fractionStart = ++at;
        while (at < word.size() && word[at] >= '0' && word[at] <= '9') ++at;
        number.fraction = word.substr(fractionStart, at - fractionStart);
        if (number.fraction.empty()) return std::nullopt;
    }
    if (at != word.size() || (number.whole.empty() && number.fraction.empty())) return std::nullopt;
    return number;
}

// A whole number without sign or fraction, up to `limit`.
std::optional<std::int64_t> parseWhole(std::string_view word, std::int64_t limit) {
    auto number = parseDecimal(word);
    if (!number || number->negative || !number->fraction.empty() || word.front() == '+') return std::nullopt;
    std::int64_t value = 0;
    for (char digit : number->whole) {
        if (value > (limit - (digit - '0')) / 10) return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    return value;
}

// Boundaries a single `tick` may ask for: far beyond any run, well inside the clock's range.
constexpr std::int64_t kMostTicks = std::int64_t{1} << 40;
constexpr std::int64_t kMostSpanMillis = kMostTicks / 64 * 1000;

}  // namespace

ScriptRunner::ScriptRunner(std::istream& script, std::ostream& out, std::ostream& err)
    : ScriptRunner(
          [&script]() -> std::optional<std::string> {
              std::string text;
              if (!std::getline(script, text)) return std::nullopt;
              return text;
          },
          out, err) {}

ScriptRunner::ScriptRunner(LineSource source, std::ostream& out, std::ostream& err)
    : source_(std::move(source)), out_(out), err_(err), owned_(std::make_unique<Program>()), program_(*owned_) {
    program_.app.setFrontEnd(this);
}

ScriptRunner::ScriptRunner(Program& program, LineSource source, std::ostream& out, std::ostream& err, Stage& stage)
    : source_(std::move(source)), out_(out), err_(err), program_(program), stage_(&stage) {
    program_.app.setFrontEnd(this);
}

ScriptRunner::~ScriptRunner() { program_.app.setFrontEnd(stage_ != nullptr ? &stage_->frontEnd() : nullptr); }

int ScriptRunner::run() {
    try {
        if (owned_) program_.start();
        while (std::optional<Line> line = nextLine()) {
            execute(*line);
            if (program_.app.ended()) {
                out_ << "end\n";
                break;
            }
        }
        out_.flush();
        return checkOnly_ ? kTimeLimit : 0;
    } catch (const ScriptOver&) {
        out_.flush();
        return checkOnly_ ? kTimeLimit : 0;
    } catch (const ScriptError& error) {
        out_.flush();
        err_ << "error: line " << lineNumber_ << ": " << error.what() << "\n";
        return 2;
    }
}

std::optional<ScriptRunner::Line> ScriptRunner::nextLine() {
    while (std::optional<std::string> next = source_()) {
        std::string& text = *next;
        ++lineNumber_;
        if (const std::size_t hash = text.find('#'); hash != std::string::npos) text.erase(hash);
        if (!text.empty() && text.back() == '\r') text.pop_back();
        std::vector<std::string> words = splitWords(text);
        if (!words.empty()) return Line{lineNumber_, std::move(words)};
    }
    return std::nullopt;
}

void ScriptRunner::messageBox(std::string_view title, std::string_view prompt) {
    ++boxesOpened_;
    out_ << "msgbox \"" << title << "\" \"" << prompt << "\"\n";
    if (stage_ != nullptr) stage_->boxOpened(title, prompt);
    // The handler waits here while the script goes on, until a line closes the box.
    while (std::optional<Line> line = nextLine()) {
        if (execute(*line) == Outcome::ClosedBox) {
            if (stage_ != nullptr) stage_->boxClosed();
            return;
        }
    }
    if (stage_ == nullptr) throw ScriptOver{};
    stage_->endedInBox(title, prompt);
}

void ScriptRunner::formLoading(Form& form) {
    traceLine("load", form);
    stageFrontEnd().formLoading(form);
}

void ScriptRunner::formShown(Form& form) {
    traceLine("show", form);
    stageFrontEnd().formShown(form);
}

void ScriptRunner::formHidden(Form& form) {
    traceLine("hide", form);
    stageFrontEnd().formHidden(form);
}

void ScriptRunner::formUnloaded(Form& form) {
    traceLine("unload", form);
    stageFrontEnd().formUnloaded(form);
}

void ScriptRunner::delivering(const Form& form, const Element* element) {
    if (observer_ != nullptr) observer_->delivering(program_, form, element);
    stageFrontEnd().delivering(form, element);
}

void ScriptRunner::traceLine(std::string_view what, const Form& form) {
    if (trace_) out_ << what << " " << form.name() << "\n";
}

void ScriptRunner::passTime(std::int64_t micros, bool stall) {
    if (timeLimit_ >= 0 && micros > timeLimit_) checkOnly_ = true;
    if (checkOnly_) return;
    App& app = program_.app;
    if (stage_ != nullptr) {
        stage_->passTime(app, micros, stall);
    } else if (stall) {
        app.stallTo(micros);
    } else {
        app.advanceTo(micros);
    }
}

void ScriptRunner::expectWords(const Line& line, std::size_t least, std::size_t most) {
    const std::size_t count = line.words.size() - 1;
    if (count < least || count > most) {
        const std::string wanted = least == most ? std::to_string(least) : std::to_string(least) + " to " + std::to_string(most);
        throw ScriptError(line.words[0] + " takes " + wanted + " arguments, not " + std::to_string(count));
    }
}

ScriptRunner::Outcome ScriptRunner::execute(const Line& line) {
    const Outcome outcome = carryOut(line);
    if (observer_ != nullptr) observer_->lineDone(program_);
    return outcome;
}

ScriptRunner::Outcome ScriptRunner::carryOut(const Line& line) {
    const std::vector<std::string>& w = line.words;
    const std::string& command = w[0];
    App& app = program_.app;
    // A person's input goes nowhere while a box is open; past the time limit
    // every line is checked only.
    const bool blocked = checkOnly_ || app.messageBoxOpen();

    if (command == "click") {
        expectWords(line, 2, 3);
        Form& form = formNamed(w[1]);
        Twips x = 0, y = 0;
        if (w.size() == 4) {
            x = coordinate(w[2]);
            y = coordinate(w[3]);
        } else {
            Element* element = form.element(w[2]);
            if (element == nullptr) throw ScriptError(std::string(form.name()) + " has no element " + quoted(w[2]));
            if (element->kind == Kind::Timer) throw ScriptError("a timer cannot be clicked");
            if (blocked || !form.loaded()) return Outcome::Done;
            const Point centre = centreOf(*element);
            x = centre.x;
            y = centre.y;
        }
        if (!blocked) app.click(form, x, y);
    } else if (command == "move") {
        expectWords(line, 3, 3);
        Form& form = formNamed(w[1]);
        const Twips x = coordinate(w[2]);
        const Twips y = coordinate(w[3]);
        if (!blocked) app.mouseMove(form, x, y);
    } else if (command == "key" || command == "keydown" || command == "keyup") {
        if (w.size() < 2) throw ScriptError(command + " needs a key code");
        const int code = keyCode(w[1]);
        const int shift = modifiers(w, 2);
        if (blocked) return Outcome::Done;
        const int boxesBefore = boxesOpened_;
        if (command != "keyup") app.keyDown(code, shift);
        // A press that opened a box is released while the box is open, where
        // the release is blocked.
        if (command != "keydown" && boxesOpened_ == boxesBefore) app.keyUp(code, shift);
    } else if (command == "tick") {
        expectWords(line, 0, 1);
        const std::int64_t count = w.size() == 2 ? tickCount(w[1]) : 1;
        passTime(app.clock().boundaryTimeAfter(count), false);
    } else if (command == "wait" || command == "stall") {
        expectWords(line, 1, 1);
        passTime(app.clock().now() + spanMicros(command, w[1]), command == "stall");
    } else if (command == "activate" || command == "close") {
        expectWords(line, 1, 1);
        Form& form = formNamed(w[1]);
        if (blocked) return Outcome::Done;
        if (command == "activate") {
            app.activate(form);
        } else {
            app.close(form);
        }
    } else if (command == "resize") {
        expectWords(line, 3, 3);
        Form& form = formNamed(w[1]);
        const Twips width = coordinate(w[2]);
        const Twips height = coordinate(w[3]);
        if (width < 0 || height < 0) throw ScriptError("a window cannot be smaller than 0 x 0");
        if (!blocked) app.resize(form, width, height);
    } else if (command == "ok") {
        expectWords(line, 0, 0);
        if (!blocked) throw ScriptError("no message box is open");
        return checkOnly_ ? Outcome::Done : Outcome::ClosedBox;
    } else if (command == "print") {
        if (w.size() < 2) throw ScriptError("print needs at least one path");
        for (std::size_t i = 1; i < w.size(); ++i) printValue(w[i], true);
        if (checkOnly_) return Outcome::Done;
        for (std::size_t i = 1; i < w.size(); ++i) out_ << w[i] << " = " << printValue(w[i], false) << "\n";
    } else if (command == "trace") {
        expectWords(line, 1, 1);
        if (w[1] != "on" && w[1] != "off") throw ScriptError("trace takes on or off, not " + quoted(w[1]));
        trace_ = w[1] == "on";
    } else {
        throw ScriptError("unknown command " + quoted(command));
    }
    return Outcome::Done;
}

Form& ScriptRunner::formNamed(std::string_view name) {
    Form* form = program_.form(name);
    if (form == nullptr) throw ScriptError("unknown window " + quoted(name));
    return *form;
}

Twips ScriptRunner::coordinate(std::string_view word) {
    const std::optional<Decimal> number = parseDecimal(word);
    if (!number) throw ScriptError("not a number: " + quoted(word));
    std::string_view digits = word.front() == '+' ? word.substr(1) : word;
    float value = 0;
    const std::errc error = readSingle(digits, value);
    if (error == std::errc::result_out_of_range) {
        // Too large for a single is an error; so small that it rounds to zero is zero.
        if (number->whole.find_first_not_of('0') != std::string_view::npos) {
            throw ScriptError("number out of range: " + quoted(word));
        }
        value = 0;
    } else if (error != std::errc()) {
        throw ScriptError("not a number: " + quoted(word));
    }
    return value;
}

int ScriptRunner::keyCode(std::string_view word) {
    const std::optional<std::int64_t> code = parseWhole(word, 255);
    if (!code) throw ScriptError("a key code is a whole number from 0 to 255, not " + quoted(word));
    return static_cast<int>(*code);
}

int ScriptRunner::modifiers(const std::vector<std::string>& words, std::size_t from) {
    int shift = 0;
    for (std::size_t i = from; i < words.size(); ++i) {
        if (words[i] == "shift") {
            shift |= kShift;
        } else if (words[i] == "ctrl") {
            shift |= kCtrl;
        } else if (words[i] == "alt") {
            shift |= kAlt;
        } else {
            throw ScriptError("unknown modifier " + quoted(words[i]) + " (shift, ctrl or alt)");
        }
    }
    return shift;
}

std::int64_t ScriptRunner::tickCount(std::string_view word) {
    const std::optional<std::int64_t> count = parseWhole(word, kMostTicks);
    if (!count || *count < 1) {
        throw ScriptError("tick takes a whole number from 1 to " + std::to_string(kMostTicks) + ", not " + quoted(word));
    }
    return *count;
}

// The milliseconds of a `wait` or a `stall`, in microseconds.
std::int64_t ScriptRunner::spanMicros(std::string_view command, std::string_view word) {
    const std::optional<Decimal> number = parseDecimal(word);
    if (!number || number->negative || number->fraction.size() > 3) {
        throw ScriptError(std::string(command) + " takes milliseconds from 0 with at most three decimals, not " + quoted(word));
    }
    std::int64_t millis = 0;
    for (char digit : number->whole) {
        millis = millis * 10 + (digit - '0');
        if (millis > kMostSpanMillis) throw ScriptError(std::string(command) + " is too long: " + quoted(word));
    }
    std::int64_t micros = millis * 1000;
    std::int64_t scale = 100;
    for (char digit : number->fraction) {
        micros += (digit - '0') * scale;
        scale /= 10;
    }
    return micros;
}

// The value a print path names; with `check`, only finds out whether the path is valid.
std::string ScriptRunner::printValue(std::string_view path, bool check) {
    try {
        if (check) {
            checkPath(program_, path);
            return {};
        }
        return readPath(program_, path);
    } catch (const BadPath& bad) {
        throw ScriptError(bad.what());
    }
}

}  // namespace arcadeon
