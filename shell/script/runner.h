// arcadeon-script: the whole program without a screen, driven by a script of
// a person's actions on a virtual clock.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/program.h"

namespace arcadeon {

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

    ScriptRunner(std::istream& script, std::ostream& out, std::ostream& err);
    ScriptRunner(LineSource source, std::ostream& out, std::ostream& err);

    void setObserver(Observer* observer) { observer_ = observer; }
    [[nodiscard]] const Program& program() const { return program_; }
    [[nodiscard]] Program& program() { return program_; }

    // Runs the script to its end or to the end of the program. Returns the
    // exit status: 0, or 2 after a line that cannot be carried out.
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

    // FrontEnd
    void messageBox(std::string_view title, std::string_view prompt) override;
    void formLoading(Form& form) override { traceLine("load", form); }
    void formShown(Form& form) override { traceLine("show", form); }
    void formHidden(Form& form) override { traceLine("hide", form); }
    void formUnloaded(Form& form) override { traceLine("unload", form); }
    void delivering(const Form& form, const Element* element) override {
        if (observer_ != nullptr) observer_->delivering(program_, form, element);
    }
    void traceLine(std::string_view what, const Form& form);

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
    Program program_;
    int lineNumber_ = 0;
    bool trace_ = false;
    int boxesOpened_ = 0;
};

}  // namespace arcadeon
