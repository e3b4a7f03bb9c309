// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon-soak: random sequences of what a person can do, fed to the program
// through the script runner, with the program's invariants checked after
// every line. The same seed gives the same run, line for line.
//
//   arcadeon-soak [--seed S] [--seeds K] [--steps N] [--save FILE]
//
// Runs K seeds from S (default 1 seed, 1), N lines each (default 100000), and
// prints one line per seed: its seed, the lines run, the program starts and a
// digest of everything printed and of the final state. On a broken invariant
// it prints what broke and the last lines, saves the script of that program
// run to FILE when asked, and exits with status 1.
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string_view>
#include <sstream>
#include <string>
#include <vector>

#include "shell/record/runner.h"
#include "tools/soak/invariants.h"

namespace arcadeon {
namespace {

// FNV-1a, 64 bits: a digest that is the same on every machine.
class Digest {
public:
    void add(std::string_view text) {
        for (unsigned char c : text) {
            hash_ ^= c;
            hash_ *= 0x100000001b3ull;
        }
    }
    [[nodiscard]] std::uint64_t value() const { return hash_; }

private:
    std::uint64_t hash_ = 0xcbf29ce484222325ull;
};

// Collects what the runner prints into the digest, and counts the message
// boxes by title: they show how far the games got.
class DigestBuffer : public std::streambuf {
public:
    DigestBuffer(Digest& digest, std::map<std::string, long>& boxes) : digest_(digest), boxes_(boxes) {}

protected:
    int overflow(int c) override {
        if (c != traits_type::eof()) {
            const char ch = static_cast<char>(c);
            take(std::string_view(&ch, 1));
        }
        return c;
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        take(std::string_view(s, static_cast<std::size_t>(n)));
        return n;
    }

private:
    void take(std::string_view text) {
        digest_.add(text);
        for (char c : text) {
            if (c != '\n') {
                line_ += c;
                continue;
            }
            if (line_.rfind("msgbox \"", 0) == 0) ++boxes_[line_.substr(8, line_.find('"', 8) - 8)];
            line_.clear();
        }
    }

    Digest& digest_;
    std::map<std::string, long>& boxes_;
    std::string line_;
};

struct Broken {
    std::string what;
};


constexpr const char* kForms[] = {"frmMenu", "frmPause", "frmDifficulty", "frmPing", "frmFroggy", "frmInvaders"};
constexpr int kInterestingKeys[] = {8, 9, 13, 27, 32, 37, 38, 39, 40, 'R', 'M', 'Q', 'A', '0'};

class Soak final : public ScriptRunner::Observer {
public:
    Soak(std::uint64_t seed, std::int64_t steps) : random_(seed), steps_(steps) {}

    // Runs the whole soak; returns the number of program starts.
    int run() {
        while (done_ < steps_) {
            ++starts_;
            script_.clear();
            lifeLeft_ = 20000;  // start afresh now and then: memory stays bounded, start-up is exercised
            DigestBuffer buffer(digest_, boxes_);
            std::ostream out(&buffer);
            std::ostringstream err;
            ScriptRunner runner([this]() { return nextLine(); }, out, err);
            runner_ = &runner;
            runner.setObserver(this);
            const int status = runner.run();
            runner_ = nullptr;
            if (status != 0) throw Broken{"the runner refused a line: " + err.str()};
            if (!runner.program().app.ended() && lifeLeft_ > 0 && done_ < steps_) {
                throw Broken{"the script stopped early"};
            }
            digestState(runner.program());
        }
        return starts_;
    }

    [[nodiscard]] std::uint64_t digest() const { return digest_.value(); }
    [[nodiscard]] std::int64_t done() const { return done_; }
    [[nodiscard]] const std::map<std::string, long>& boxes() const { return boxes_; }
    [[nodiscard]] const std::vector<std::string>& script() const { return script_; }

    // ---- invariants --------------------------------------------------------

    void lineDone(const Program& program) override {
        if (auto broken = invariants::brokenInvariant(program)) throw Broken{*broken};
    }

    void delivering(const Program& program, const Form& form, const Element* element) override {
        if (auto broken = invariants::brokenDelivery(program.app, form, element, inKeyLine_)) throw Broken{*broken};
    }

private:
    // ---- lines ---------------------------------------------------------------

    std::uint64_t pick(std::uint64_t n) { return random_() % n; }
    bool chance(int percent) { return pick(100) < static_cast<std::uint64_t>(percent); }

    std::optional<std::string> nextLine() {
        if (done_ >= steps_ || lifeLeft_ <= 0) return std::nullopt;
        ++done_;
        --lifeLeft_;
        std::string line = makeLine();
        inKeyLine_ = line.rfind("key", 0) == 0;
        script_.push_back(line);
        return line;
    }

    const Program& program() const { return runner_->program(); }

    std::string number(double value) {
        std::ostringstream text;
        text.imbue(std::locale::classic());
        text.precision(10);
        text << std::fixed << value;
        std::string s = text.str();
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
        return s;
    }

    const Form& someForm() {
        const Program& p = program();
        // Mostly a visible window: that is where a person's input goes.
        const auto& stack = p.app.stack();
        if (!stack.empty() && chance(85)) return *stack[pick(stack.size())];
        return *const_cast<Program&>(p).form(kForms[pick(std::size(kForms))]);
    }

    std::string point(const Form& form) {
        const double width = form.loaded() ? form.clientWidth() : form.layout().ClientWidth;
        const double height = form.loaded() ? form.clientHeight() : form.layout().ClientHeight;
        const double x = chance(95) ? static_cast<double>(pick(1'000'000)) / 1'000'000 * width : -100.0 + static_cast<double>(pick(20000));
        const double y = chance(95) ? static_cast<double>(pick(1'000'000)) / 1'000'000 * height : -100.0 + static_cast<double>(pick(20000));
        return number(std::round(x * 2) / 2) + " " + number(std::round(y * 2) / 2);
    }

    std::string size() {
        switch (pick(6)) {
        case 0: return "0";
        case 1: return "1";
        case 2: return "340282346638528859811704183484516925440";  // the largest single
        case 3: return std::to_string(pick(100000000));
        default: return std::to_string(2000 + pick(15000));
        }
    }

    // What a player of the active game might do next, aiming now and then.
    std::optional<std::string> playerLine(const Form& game) {
        const std::string name(game.name());
        if (name == "frmPing") {
            const auto& ball = game.elementAs<Shape>("shpBlue");
            if (game.elementAs<Label>("lblGo").Caption != "PAUSE") return "click frmPing lblGo";
            return chance(70) ? "move frmPing " + number(ball.Left + ball.Width / 2) + " 9450" : "tick " + std::to_string(1 + pick(20));
        }
        if (name == "frmFroggy") {
            if (game.elementAs<Label>("lblPause").Caption != "PAUSE") return "click frmFroggy lblPause";
            if (chance(30)) return "tick " + std::to_string(1 + pick(10));
            return "key " + std::to_string(chance(70) ? 38 : 37 + static_cast<int>(pick(4)));
        }
        if (name == "frmInvaders") {
            if (game.elementAs<Label>("lblPause").Caption != "PAUSE") return "click frmInvaders lblPause";
            switch (pick(4)) {
            case 0: return "click frmInvaders 6000 5000";
            case 1: return "move frmInvaders " + number(3037.5 + static_cast<double>(pick(5806))) + " 5000";
            default: return "tick " + std::to_string(1 + pick(30));
            }
        }
        return std::nullopt;
    }

    std::string makeLine() {
        const Program& p = program();
        if (p.app.messageBoxOpen() && chance(40)) return "ok";
        if (const Form* active = p.app.activeForm(); active != nullptr && !p.app.messageBoxOpen() && chance(60)) {
            if (auto line = playerLine(*active)) return *line;
        }
        const std::uint64_t roll = pick(1000);
        const Form& form = someForm();
        const std::string name(form.name());
        if (roll < 220) {  // clicks, mostly on an element
            if (chance(70) && !form.elements().empty()) {
                const Element* element = form.elements()[pick(form.elements().size())];
                if (element->kind != Kind::Timer) return "click " + name + " " + std::string(element->name);
            }
            return "click " + name + " " + point(form);
        }
        if (roll < 420) return "move " + name + " " + point(form);
        if (roll < 650) {  // keys, with modifiers now and then
            static constexpr const char* kVerbs[] = {"key", "keydown", "keyup"};
            const int code = chance(85) ? kInterestingKeys[pick(std::size(kInterestingKeys))] : static_cast<int>(pick(256));
            std::string line = std::string(kVerbs[pick(3)]) + " " + std::to_string(code);
            if (chance(10)) line += " shift";
            if (chance(5)) line += " ctrl";
            if (chance(8)) line += " alt";
            return line;
        }
        if (roll < 850) return "tick " + std::to_string(chance(90) ? 1 + pick(40) : 1 + pick(2000));
        if (roll < 900) return "wait " + std::to_string(pick(200)) + "." + std::to_string(pick(1000));
        if (roll < 930) return "resize " + name + " " + size() + " " + size();
        if (roll < 965) return "activate " + name;
        if (roll < 968) return "close " + name;
        if (roll < 990) return "print app.ActiveForm app.Clock " + name + ".Visible";
        return chance(50) ? "trace on" : "trace off";
    }

    void digestState(const Program& p) {
        invariants::describeState(p, [this](std::string_view piece) { digest_.add(piece); });
    }

    std::mt19937_64 random_;
    std::int64_t steps_;
    std::int64_t done_ = 0;
    std::int64_t lifeLeft_ = 0;
    int starts_ = 0;
    bool inKeyLine_ = false;
    ScriptRunner* runner_ = nullptr;
    std::vector<std::string> script_;
    Digest digest_;
    std::map<std::string, long> boxes_;
};

}  // namespace
}  // namespace arcadeon

namespace {

constexpr const char* kUsage = "usage: arcadeon-soak [--seed S] [--seeds K] [--steps N] [--save FILE]\n";

// A whole number from `least` to `most`: the whole argument, digits only.
std::optional<std::int64_t> wholeNumber(std::string_view text, std::int64_t least, std::int64_t most) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || text.front() == '-' || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (value < least || value > most) return std::nullopt;
    return value;
}

}  // namespace

int main(int argc, char** argv) {
    struct Range {
        const char* option;
        std::int64_t least, most;
    };
    static constexpr Range kSeed{"--seed", 0, std::int64_t{1} << 62};
    static constexpr Range kSeeds{"--seeds", 1, 1'000'000};
    static constexpr Range kSteps{"--steps", 1, std::int64_t{1} << 40};
    std::int64_t seed = 1;
    std::int64_t seeds = 1;
    std::int64_t steps = 100000;
    std::string save;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        const Range* range = arg == kSeed.option ? &kSeed : arg == kSeeds.option ? &kSeeds : arg == kSteps.option ? &kSteps : nullptr;
        if (i + 1 >= argc || (range == nullptr && arg != "--save")) {
            std::cerr << kUsage;
            return 2;
        }
        const std::string_view value = argv[++i];
        if (range == nullptr) {
            save = value;
            continue;
        }
        const std::optional<std::int64_t> number = wholeNumber(value, range->least, range->most);
        if (!number) {
            std::cerr << "arcadeon-soak: " << range->option << " takes a whole number from " << range->least << " to "
                      << range->most << ", not '" << value << "'\n"
                      << kUsage;
            return 2;
        }
        (range == &kSeed ? seed : range == &kSeeds ? seeds : steps) = *number;
    }
    for (std::int64_t s = seed; s < seed + seeds; ++s) {
        arcadeon::Soak soak(s, steps);
        try {
            const int starts = soak.run();
            std::cout << "seed " << s << ": " << soak.done() << " lines, " << starts << " program starts, digest "
                      << std::hex << soak.digest() << std::dec << "\n ";
            for (const auto& [title, count] : soak.boxes()) std::cout << " \"" << title << "\" " << count;
            std::cout << "\n";
        } catch (const arcadeon::Broken& broken) {
            std::cout << "seed " << s << ": broken after " << soak.done() << " lines: " << broken.what << "\n";
            const auto& script = soak.script();
            const std::size_t from = script.size() > 30 ? script.size() - 30 : 0;
            for (std::size_t i = from; i < script.size(); ++i) std::cout << "  " << script[i] << "\n";
            if (!save.empty()) {
                std::ofstream file(save);
                for (const std::string& line : script) file << line << "\n";
                file.close();
                if (file) {
                    std::cout << "the script of this program run is in " << save << "\n";
                } else {
                    std::cout << "the script of this program run could not be saved to " << save << ": "
                              << std::strerror(errno) << "\n";
                }
            }
            return 1;
        }
    }
    return 0;
}
