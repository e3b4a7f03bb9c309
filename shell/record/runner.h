// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The script runner: the whole program driven by a script of a person's
// actions on a virtual clock. arcadeon-script runs it without a screen, the
// desktop program's --replay in its windows, --verify on a recording.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/layer/app.h"

namespace arcadeon {

class Program;

class ScriptRunner final : public FrontEnd {
public:
    // Gives the next line of the script; nullopt at its end.
    using LineSource = std::function<std::optional<std::string>()>;

    // Watches a run from outside: the soak test checks its invariants here.
    class Observer {
    public:
        virtual ~Observer() = default;
        virtual void lineDone(const Program& /*program*/) {}
        virtual void delivering(const Program& /*program*/, const Form& /*form*/, const Element* /*element*/) {}
    };

    // Where a run shows itself when it is not on its own: the desktop
    // program replaying a script in its real windows, at the script's pace.
    class Stage {
    public:
        virtual ~Stage() = default;
        // Receives every notification of the layer, as the program's front end.
        virtual FrontEnd& frontEnd() = 0;
        // Lets time run to `micros` as `wait` (or, with `stall`, as `stall`) does.
        virtual void passTime(App& app, std::int64_t micros, bool stall) = 0;
        // A message box opened; the lines inside it follow, up to its `ok`.
        virtual void boxOpened(std::string_view title, std::string_view prompt) = 0;
        virtual void boxClosed() = 0;
        // The script ended with this box open. Returning closes the box; the
        // run then ends as at the end of the script.
        virtual void endedInBox(std::string_view title, std::string_view prompt) = 0;
    };

    // Exit status of run() when the script asked for time past the limit.
    static constexpr int kTimeLimit = 3;

    ScriptRunner(std::istream& script, std::ostream& out, std::ostream& err);
    ScriptRunner(LineSource source, std::ostream& out, std::ostream& err);
    // Runs `program`, started already, as it stands; it must outlive the runner.
    ScriptRunner(Program& program, LineSource source, std::ostream& out, std::ostream& err, Stage& stage);
    ~ScriptRunner() override;

    void setObserver(Observer* observer) { observer_ = observer; }
    // The virtual time a run may reach. A line that asks for more passes
    // none; from there on each line is only checked, as a blocked line is
    // (`ok` included), and run() returns kTimeLimit unless one is bad.
    void setTimeLimit(std::int64_t micros) { timeLimit_ = micros; }
    [[nodiscard]] const Program& program() const { return program_; }
    [[nodiscard]] Program& program() { return program_; }

    // Runs the script to its end or to the end of the program. Returns the
    // exit status: 0, 2 after a line that cannot be carried out, or
    // kTimeLimit.
    int run();

private:
    enum class Outcome { Done, ClosedBox };
    struct Line {
        int number = 0;
        std::vector<std::string> words;
    };

    std::optional<Line> nextLine();
    Outcome execute(const Line& line);
    Outcome carryOut(const Line& line);

    void passTime(std::int64_t micros, bool stall);

    // FrontEnd: the runner's own work, then the stage's front end.
    void messageBox(std::string_view title, std::string_view prompt) override;
    void formLoading(Form& form) override;
    void formShown(Form& form) override;
    void formHidden(Form& form) override;
    void formUnloaded(Form& form) override;
    void formActivated(Form* form) override { stageFrontEnd().formActivated(form); }
    void delivering(const Form& form, const Element* element) override;
    void changed() override { stageFrontEnd().changed(); }
    void programEnded() override { stageFrontEnd().programEnded(); }
    void traceLine(std::string_view what, const Form& form);
    FrontEnd& stageFrontEnd() { return stage_ != nullptr ? stage_->frontEnd() : silent_; }

    // Checking a line's words.
    Form& formNamed(std::string_view name);
    Twips coordinate(std::string_view word);
    int keyCode(std::string_view word);
    int modifiers(const std::vector<std::string>& words, std::size_t from);
    std::int64_t tickCount(std::string_view word);
    std::int64_t spanMicros(std::string_view command, std::string_view word);
    std::string printValue(std::string_view path, bool check);
    void expectWords(const Line& line, std::size_t least, std::size_t most);

    LineSource source_;
    Observer* observer_ = nullptr;
    std::ostream& out_;
    std::ostream& err_;
    std::unique_ptr<Program> owned_;  // the runner's own program, unless given one
    Program& program_;
    Stage* stage_ = nullptr;
    FrontEnd silent_;
    std::int64_t timeLimit_ = -1;  // none
    bool checkOnly_ = false;       // past the time limit
    int lineNumber_ = 0;
    bool trace_ = false;
    int boxesOpened_ = 0;
};

}  // namespace arcadeon
