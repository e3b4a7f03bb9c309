// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon-desktop-bench: measures the desktop program on an X display
// (bench/desktop-bench starts a virtual one and runs this) against a minimal
// Qt Widgets program that shows one window, measured in the same run:
//   - start to the first window drawn on the screen, both programs;
//   - resident memory: the minimal window, arcadeon at its menu, and
//     arcadeon with all six windows loaded (arcadeon-all-windows);
//   - a Froggy game running for a while: CPU used, ticks delivered, the
//     largest gap between ticks, draws per tick batch, and nothing drawn
//     while idle (the menu before the game, the game paused afterwards).
// The programs write their timing with ARCADEON_TRACE_TICKS (see
// shell/desktop/trace.h); clicks go through xdotool, as a person's would.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Micros = std::int64_t;

// The monotonic clock of the trace lines, in microseconds.
Micros now() {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

void sleepMicros(Micros micros) { std::this_thread::sleep_for(std::chrono::microseconds(micros)); }

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// ---- the programs measured -------------------------------------------------------

// One line of a trace.
struct Event {
    std::string kind;  // start, ticks, paint
    Micros at = 0;
    std::uint64_t count = 0;  // ticks
    std::string window;       // paint
};

std::vector<Event> readTrace(const std::string& path) {
    std::vector<Event> events;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        if (in.eof()) break;  // a line still being written
        std::istringstream fields(line);
        Event event;
        fields >> event.kind >> event.at;
        if (event.kind == "ticks") fields >> event.count;
        if (event.kind == "paint") fields >> event.window;
        if (fields.fail()) throw Failure("unreadable trace line in " + path + ": " + line);
        events.push_back(event);
    }
    return events;
}

// A program started with its trace going to a file of its own.
class Child {
public:
    Child(const std::string& program, const std::string& trace, const char* argument = nullptr) : trace_(trace) {
        std::remove(trace.c_str());
        std::vector<std::string> env;
        for (char** e = environ; *e != nullptr; ++e) {
            if (std::strncmp(*e, "ARCADEON_TRACE_TICKS=", 21) != 0) env.emplace_back(*e);
        }
        env.push_back("ARCADEON_TRACE_TICKS=" + trace);
        std::vector<char*> envp;
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        std::string path = program;
        std::string extra = argument != nullptr ? argument : "";
        char* argv[] = {path.data(), argument != nullptr ? extra.data() : nullptr, nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, (trace + ".stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        started_ = now();
        const int error = posix_spawn(&pid_, path.c_str(), &actions, nullptr, argv, envp.data());
        posix_spawn_file_actions_destroy(&actions);
        if (error != 0) throw Failure("cannot start " + program + ": " + std::strerror(error));
    }
    ~Child() { stop(); }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    [[nodiscard]] pid_t pid() const { return pid_; }
    [[nodiscard]] Micros started() const { return started_; }
    [[nodiscard]] std::vector<Event> trace() const { return readTrace(trace_); }

    // Waits until the trace holds a line `found` accepts; fails after `seconds`.
    Event waitFor(const std::function<bool(const Event&)>& found, double seconds, const std::string& what) const {
        const Micros until = now() + static_cast<Micros>(seconds * 1e6);
        while (now() < until) {
            for (const Event& event : trace()) {
                if (found(event)) return event;
            }
            if (!running()) throw Failure("the program ended while waiting for " + what);
            sleepMicros(1000);
        }
        throw Failure("timed out waiting for " + what);
    }

    [[nodiscard]] bool running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

    void stop() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
    }

private:
    std::string trace_;
    pid_t pid_ = 0;
    Micros started_ = 0;
};

// ---- what /proc says about a process ----------------------------------------------

// Resident memory in KiB.
long residentKiB(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/status");
    std::string key;
    long value = 0;
    while (in >> key) {
        if (key == "VmRSS:") {
            in >> value;
            return value;
        }
        in.ignore(1 << 16, '\n');
    }
    throw Failure("no resident size for process " + std::to_string(pid));
}

// Processor time used by all the process's threads, in microseconds.
Micros cpuMicros(pid_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos) throw Failure("no statistics for process " + std::to_string(pid));
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {  // field 3 is the state
        if (index == 14) utime = std::stoll(field);
        if (index == 15) {
            stime = std::stoll(field);
            break;
        }
    }
    return (utime + stime) * 1'000'000 / sysconf(_SC_CLK_TCK);
}

// ---- input through the X server ---------------------------------------------------

std::string output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r"); pipe != nullptr) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) text += buffer;
        pclose(pipe);
    }
    return text;
}

// The X window id of the visible window titled exactly `title`.
std::string windowId(const std::string& title) {
    for (int tries = 0; tries < 100; ++tries) {
        std::istringstream ids(output("xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null"));
        std::string id;
        if (ids >> id) return id;
        sleepMicros(100'000);
    }
    throw Failure("no window titled " + title);
}

// A click at pixel (x, y) of a window's client area.
void click(const std::string& title, int x, int y) {
    const std::string command = "xdotool mousemove --window " + windowId(title) + " " + std::to_string(x) + " " +
                                std::to_string(y) + " click 1";
    if (std::system(command.c_str()) != 0) throw Failure("xdotool failed: " + command);
}

// ---- figures ----------------------------------------------------------------------

struct Spread {
    double median = 0, low = 0, high = 0;
};

Spread spread(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

const char* verdict(bool met) { return met ? "met" : "NOT MET"; }

struct Options {
    std::string arcadeon, minimal, allWindows, work = "/tmp";
    int runs = 10;
    int seconds = 20;
    pid_t server = 0;
};

// The whole benchmark; prints the report, returns whether every goal is met.
bool measure(const Options& options) {
    const std::string trace = options.work + "/arcadeon-desktop-bench.";
    bool all = true;
    const auto firstPaint = [](const std::string& window) {
        return [window](const Event& event) { return event.kind == "paint" && event.window == window; };
    };

    // Start-up and memory at rest, the two programs in turn; one unmeasured
    // round first so that both start from a warm file cache.
    std::vector<double> minimalStart, arcadeonStart, minimalKiB, menuKiB;
    for (int round = 0; round <= options.runs; ++round) {
        for (const bool ours : {false, true}) {
            Child child(ours ? options.arcadeon : options.minimal, trace + "start");
            const Event shown = child.waitFor(firstPaint(ours ? "frmMenu" : "window"), 30, "the first window");
            sleepMicros(500'000);
            const long kib = residentKiB(child.pid());
            if (round == 0) continue;
            (ours ? arcadeonStart : minimalStart).push_back(static_cast<double>(shown.at - child.started()) / 1000);
            (ours ? menuKiB : minimalKiB).push_back(static_cast<double>(kib));
        }
    }
    const Spread minimal = spread(minimalStart), menu = spread(arcadeonStart);
    const double startRatio = menu.median / minimal.median;
    std::printf("Start to the first window on the screen (median of %d, lowest to highest):\n", options.runs);
    std::printf("  minimal Qt Widgets window  %7.1f ms  (%.1f to %.1f)\n", minimal.median, minimal.low, minimal.high);
    std::printf("  arcadeon, the menu         %7.1f ms  (%.1f to %.1f)\n", menu.median, menu.low, menu.high);
    std::printf("  ratio %.2f, goal at most 1.5: %s\n\n", startRatio, verdict(startRatio <= 1.5));
    all = all && startRatio <= 1.5;

    std::vector<double> sixKiB;
    for (int round = 0; round < 3; ++round) {
        Child child(options.allWindows, trace + "six");
        for (const char* window : {"frmMenu", "frmPause", "frmDifficulty", "frmPing", "frmFroggy", "frmInvaders"}) {
            child.waitFor(firstPaint(window), 30, std::string("the window ") + window);
        }
        sleepMicros(1'000'000);
        sixKiB.push_back(static_cast<double>(residentKiB(child.pid())));
    }
    // For comparison: the minimal program with six windows of the same sizes.
    std::vector<double> minimalSixKiB;
    for (int round = 0; round < 3; ++round) {
        Child child(options.minimal, trace + "minimal-six", "--six");
        for (int windows = 0; windows < 6;) {
            sleepMicros(10'000);
            const std::vector<Event> events = child.trace();
            windows = static_cast<int>(std::count_if(events.begin(), events.end(), firstPaint("window")));
            if (!child.running()) throw Failure("minimal-window --six ended");
        }
        sleepMicros(1'000'000);
        minimalSixKiB.push_back(static_cast<double>(residentKiB(child.pid())));
    }
    const double minimalMiB = spread(minimalKiB).median / 1024, menuMiB = spread(menuKiB).median / 1024;
    const double sixMiB = spread(sixKiB).median / 1024, minimalSixMiB = spread(minimalSixKiB).median / 1024;
    const double memoryRatio = sixMiB / minimalMiB;
    std::printf("Resident memory (median):\n");
    std::printf("  minimal Qt Widgets window        %6.1f MiB\n", minimalMiB);
    std::printf("  arcadeon, the menu               %6.1f MiB\n", menuMiB);
    std::printf("  arcadeon, all six windows shown  %6.1f MiB\n", sixMiB);
    std::printf("  ratio %.2f, goal at most 1.5: %s\n", memoryRatio, verdict(memoryRatio <= 1.5));
    std::printf("  (beside the minimal program showing six windows of the same sizes, %.1f MiB: ratio %.2f)\n\n",
                minimalSixMiB, sixMiB / minimalSixMiB);
    all = all && memoryRatio <= 1.5;

    // A game: the menu at rest, then Froggy (its traffic runs from the start
    // and nothing reaches the frog while it waits), then the game paused.
    Child game(options.arcadeon, trace + "game");
    game.waitFor(firstPaint("frmMenu"), 30, "the menu");
    sleepMicros(300'000);
    const Micros restFrom = now();
    sleepMicros(1'000'000);
    const Micros restTo = now();
    click("Menu", 328, 520);  // the name "Froggy" spans the menu's width, 504 to 553 down
    const Event firstTick = game.waitFor([](const Event& event) { return event.kind == "ticks"; }, 30, "the first tick");
    const Micros cpuFrom = cpuMicros(game.pid());
    const Micros serverFrom = options.server > 0 ? cpuMicros(options.server) : 0;
    const Micros wallFrom = now();
    const Micros runUntil = firstTick.at + static_cast<Micros>(options.seconds) * 1'000'000;
    sleepMicros(runUntil - wallFrom + 20'000);
    const Micros cpuTo = cpuMicros(game.pid());
    const Micros serverTo = options.server > 0 ? cpuMicros(options.server) : 0;
    const Micros wallTo = now();
    const long gameKiB = residentKiB(game.pid());
    click("Roadleaper", 620, 16);  // "PAUSE", at the top right of the Froggy window
    const Micros pausedFrom = now() + 300'000;
    sleepMicros(3'300'000);
    const Micros pausedTo = now();
    const std::vector<Event> events = game.trace();
    game.stop();

    // Tick batches within the run, and the draws of the game window between them.
    std::vector<Micros> batches;
    std::uint64_t ticks = 0;
    for (const Event& event : events) {
        if (event.kind != "ticks" || event.at < firstTick.at || event.at >= runUntil) continue;
        batches.push_back(event.at);
        ticks += event.count;
    }
    Micros largestGap = 0;
    for (std::size_t i = 1; i < batches.size(); ++i) largestGap = std::max(largestGap, batches[i] - batches[i - 1]);
    std::map<std::size_t, int> drawsAfter;  // batch index: draws before the next batch
    for (const Event& event : events) {
        if (event.kind != "paint" || event.window != "frmFroggy" || event.at < firstTick.at || event.at >= runUntil) continue;
        const auto next = std::upper_bound(batches.begin(), batches.end(), event.at);
        ++drawsAfter[static_cast<std::size_t>(next - batches.begin()) - 1];
    }
    int draws = 0, undrawn = 0, redrawn = 0;
    for (std::size_t i = 0; i < batches.size(); ++i) {
        const int n = drawsAfter.count(i) != 0 ? drawsAfter[i] : 0;
        draws += n;
        // the last batch's draw may fall just past the end of the run
        if (n == 0 && i + 1 < batches.size()) ++undrawn;
        if (n > 1) ++redrawn;
    }
    int idleTicks = 0, idleDraws = 0;
    for (const Event& event : events) {
        const bool idle = (event.at >= restFrom && event.at < restTo) || (event.at >= pausedFrom && event.at < pausedTo);
        if (!idle) continue;
        if (event.kind == "ticks") idleTicks += static_cast<int>(event.count);
        if (event.kind == "paint") ++idleDraws;
    }

    const double cpu = 100.0 * static_cast<double>(cpuTo - cpuFrom) / static_cast<double>(wallTo - wallFrom);
    const auto expected = static_cast<std::uint64_t>(options.seconds) * 64;
    const bool ticksMet = ticks + 1 >= expected && ticks <= expected + 1;
    std::printf("Froggy running for %d s at 64 ticks a second:\n", options.seconds);
    std::printf("  CPU used by arcadeon   %5.2f %% of one core, goal under 5 %%: %s\n", cpu, verdict(cpu < 5));
    if (options.server > 0) {
        std::printf("  (the X server meanwhile %.2f %%)\n",
                    100.0 * static_cast<double>(serverTo - serverFrom) / static_cast<double>(wallTo - wallFrom));
    }
    std::printf("  resident memory        %5.1f MiB\n", static_cast<double>(gameKiB) / 1024);
    std::printf("  ticks delivered        %llu, goal %llu plus or minus 1: %s\n", static_cast<unsigned long long>(ticks),
                static_cast<unsigned long long>(expected), verdict(ticksMet));
    std::printf("  largest gap            %5.1f ms, goal at most 20 ms: %s\n", static_cast<double>(largestGap) / 1000,
                verdict(largestGap <= 20'000));
    std::printf("  draws                  %d for %zu tick batches: %d batches not drawn, %d drawn more than once: %s\n",
                draws, batches.size(), undrawn, redrawn, verdict(undrawn == 0 && redrawn == 0));
    std::printf("  while idle (1 s at the menu, 3 s paused): %d ticks, %d draws: %s\n", idleTicks, idleDraws,
                verdict(idleTicks == 0 && idleDraws == 0));
    all = all && cpu < 5 && ticksMet && largestGap <= 20'000 && undrawn == 0 && redrawn == 0 && idleTicks == 0 &&
          idleDraws == 0;
    return all;
}

int usage() {
    std::fprintf(stderr,
                 "usage: arcadeon-desktop-bench --arcadeon PATH --minimal PATH --all-windows PATH\n"
                 "                              [--runs N] [--seconds S] [--server-pid PID] [--work DIR]\n"
                 "Needs an X display (bench/desktop-bench starts a virtual one).\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (i + 1 >= argc) return usage();
        const std::string value = argv[++i];
        try {
            if (flag == "--arcadeon") options.arcadeon = value;
            else if (flag == "--minimal") options.minimal = value;
            else if (flag == "--all-windows") options.allWindows = value;
            else if (flag == "--work") options.work = value;
            else if (flag == "--runs") options.runs = std::stoi(value);
            else if (flag == "--seconds") options.seconds = std::stoi(value);
            else if (flag == "--server-pid") options.server = std::stoi(value);
            else return usage();
        } catch (const std::exception&) {
            return usage();
        }
    }
    if (options.arcadeon.empty() || options.minimal.empty() || options.allWindows.empty() || options.runs < 1 ||
        options.seconds < 1 || std::getenv("DISPLAY") == nullptr) {
        return usage();
    }
    try {
        return measure(options) ? 0 : 1;
    } catch (const Failure& failure) {
        std::fprintf(stderr, "arcadeon-desktop-bench: %s\n", failure.what());
        return 2;
    }
}
