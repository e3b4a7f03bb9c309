// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/session.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QSocketNotifier>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <ctime>
#include <iostream>

#include "shell/desktop/desktop.h"
#include "shell/program.h"
#include "shell/record/pace.h"
#include "shell/record/runner.h"
#include "shell/record/state.h"
#include "shell/record/verify.h"
#include "shell/version.h"


namespace arcadeon::desktop {

namespace {

constexpr double kSlowest = 0.25;
constexpr double kFastest = 8;
// How far ahead a replay runs its script without a screen before it opens a
// window: a day of play, a fraction of a second to run.
constexpr std::int64_t kCheckAheadMicros = std::int64_t{24} * 3600 * 1000 * 1000;

// The options by name.
const QString kRecord = QStringLiteral("record");
const QString kReplay = QStringLiteral("replay");
const QString kSpeed = QStringLiteral("speed");

// Writes all of `text` to `fd`.
bool writeAll(int fd, std::string_view text, std::string& why) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            why = std::strerror(errno);
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// SIGINT and SIGTERM, from the signal handler to the event loop.
int signalPipe[2] = {-1, -1};

extern "C" void onSignal(int number) {
    const auto byte = static_cast<unsigned char>(number);
    const int saved = errno;
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &byte, 1);
    errno = saved;
}

}  // namespace

// ---- the replay's stage --------------------------------------------------------

// A replay: the runner's lines drive the layer of the real program, whose
// windows show it; time passes at the script's pace.
class ReplayStage final : public ScriptRunner::Stage {
public:
    ReplayStage(Desktop& desktop, double speed)
        : desktop_(desktop), pace_(speed, [this](std::int64_t due) { return waitFor(due); }, [&desktop] { desktop.refresh(); }) {
        wall_.start();
    }

    // The person closed a window: the replay stops, and the program with it.
    void stop() {
        stopped_ = true;
        if (waiting_ != nullptr) waiting_->quit();
    }
    [[nodiscard]] bool stopped() const { return stopped_; }
    // The person took over at a box that was open when the script ended.
    [[nodiscard]] bool live() const { return live_; }

    // Stage: the layer's notifications go to the desktop through its session,
    // which counts the ticks.
    FrontEnd& frontEnd() override { return desktop_.session(); }
    void passTime(App& app, std::int64_t micros, bool stall) override;
    void boxOpened(std::string_view title, std::string_view prompt) override {
        desktop_.showReplayedBox(title, prompt);
    }
    void boxClosed() override { desktop_.closeReplayedBox(); }
    void endedInBox(std::string_view title, std::string_view prompt) override;

private:
    [[nodiscard]] bool playing() const { return !stopped_ && !live_; }
    bool waitFor(std::int64_t due);

    Desktop& desktop_;
    ReplayPace pace_;
    QElapsedTimer wall_;  // since the script's time 0
    QEventLoop* waiting_ = nullptr;
    bool stopped_ = false;
    bool live_ = false;
};

// At the script's pace (ReplayPace), in the real windows.
void ReplayStage::passTime(App& app, std::int64_t micros, bool stall) {
    if (playing()) (void)pace_.pass(app, micros, stall);
}

// Until the wall clock reaches `due`: late, never early. False when the
// replay stopped meanwhile.
bool ReplayStage::waitFor(std::int64_t due) {
    while (playing()) {
        const std::int64_t left = due - wall_.nsecsElapsed() / 1000;
        if (left <= 0) return true;
        QEventLoop loop;
        QTimer::singleShot(std::chrono::milliseconds((left + 999) / 1000), Qt::PreciseTimer, &loop, &QEventLoop::quit);
        waiting_ = &loop;
        const int outcome = loop.exec();
        waiting_ = nullptr;
        if (outcome != 0) stopped_ = true;  // the application is quitting
    }
    return false;
}

// The script ends with a box open: the person takes over here, with the
// real box in front.
void ReplayStage::endedInBox(std::string_view title, std::string_view prompt) {
    if (stopped_) return;
    desktop_.closeReplayedBox();
    if (!live_) {
        live_ = true;
        desktop_.endReplay();
    }
    (void)desktop_.session().wake(desktop_.showBox(title, prompt));  // the time it was open passes
}

// ---- options -------------------------------------------------------------------

void addSessionOptions(QCommandLineParser& parser) {
    parser.addOption({kRecord, QStringLiteral("Records the game to FILE, as a script that arcadeon-script runs."),
                      QStringLiteral("FILE")});
    parser.addOption({kReplay, QStringLiteral("Plays the script or recording FILE in the windows, then hands over."),
                      QStringLiteral("FILE")});
    parser.addOption({kSpeed, QStringLiteral("Replays X times as fast (0.25 to 8)."), QStringLiteral("X")});
}

std::optional<QString> readSessionOptions(const QCommandLineParser& parser, SessionOptions& options) {
    options.record = parser.value(kRecord);
    options.replay = parser.value(kReplay);
    if (parser.isSet(kRecord) && options.record.isEmpty()) return QStringLiteral("--record needs a file name.");
    if (parser.isSet(kReplay) && options.replay.isEmpty()) return QStringLiteral("--replay needs a file name.");
    if (parser.isSet(kRecord) && parser.isSet(kReplay)) return QStringLiteral("--record and --replay do not go together.");
    if (parser.isSet(kSpeed)) {
        if (!parser.isSet(kReplay)) return QStringLiteral("--speed is for --replay.");
        bool number = false;
        options.speed = parser.value(kSpeed).toDouble(&number);
        if (!number || !(options.speed >= kSlowest && options.speed <= kFastest)) {
            return QStringLiteral("--speed takes a number from 0.25 to 8, not '%1'.").arg(parser.value(kSpeed));
        }
    }
    return std::nullopt;
}

// ---- the session ---------------------------------------------------------------

ScriptSession::ScriptSession(Program& program, Desktop& desktop, SessionOptions options)
    : program_(program), desktop_(desktop), options_(std::move(options)) {}

ScriptSession::~ScriptSession() {
    runner_.reset();
    if (signals_) {
        std::signal(SIGINT, SIG_DFL);
        std::signal(SIGTERM, SIG_DFL);
        signals_.reset();
        for (int& fd : signalPipe) {
            ::close(fd);
            fd = -1;
        }
    }
    if (recording_ >= 0) ::close(recording_);
}

std::optional<int> ScriptSession::prepare(const char* program) {
    if (!options_.replay.isEmpty()) {
        const std::optional<std::vector<std::string>> script = readScriptFile(options_.replay.toStdString(), std::cerr);
        if (!script) return 2;
        if (checkScript(*script, std::cerr, kCheckAheadMicros) != 0) return 2;
        script_ = *script;
    }
    if (!options_.record.isEmpty()) {
        const std::string file = options_.record.toStdString();
        std::string why;
        recording_ = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (recording_ < 0) why = std::strerror(errno);
        // A file-size limit, or a pipe whose reader is gone, fails a write
        // instead of ending the program.
        std::signal(SIGXFSZ, SIG_IGN);
        std::signal(SIGPIPE, SIG_IGN);
        const int fd = recording_;
        if (recording_ < 0 ||
            !desktop_.session().recorder().record([fd](std::string_view text, std::string& failure) { return writeAll(fd, text, failure); },
                                     recordingHeader(kVersion, std::time(nullptr)), why)) {
            std::cerr << program << ": cannot record to " << file << ": " << why << "\n";
            return 2;
        }
        desktop_.session().recorder().onFailure([program = std::string(program), file](const std::string& failure) {
            const std::string message = "The recording to " + file + " stopped: " + failure +
                                        ". The game goes on without it.";
            std::cerr << program << ": " << message << "\n";
            // Told once, in a box that does not stop the game.
            QTimer::singleShot(0, [message] {
                auto* box = new QMessageBox(QMessageBox::Warning, QStringLiteral("Arcadeon"),
                                            QString::fromStdString(message));
                box->setAttribute(Qt::WA_DeleteOnClose);
                box->setModal(false);
                box->show();
            });
        });
        watchSignals();
    }
    return std::nullopt;
}

// SIGINT and SIGTERM end a recorded session with its final-state block,
// written in the event loop between two calls to the layer (or while a box
// is open, as a script that ends there), then end the program as the
// signal would have.
void ScriptSession::watchSignals() {
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read);
    signals_.reset(notifier);
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [this] {
        unsigned char number = 0;
        if (::read(signalPipe[0], &number, 1) != 1) return;
        finish(0);
        std::signal(number, SIG_DFL);
        std::raise(number);
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

void ScriptSession::start(Form& startup) {
    if (script_.empty() && options_.replay.isEmpty()) {
        desktop_.start(startup);
        return;
    }
    std::cout.setf(std::ios::unitbuf);  // what the script prints appears as it does
    stage_ = std::make_unique<ReplayStage>(desktop_, options_.speed);
    runner_ = std::make_unique<ScriptRunner>(
        program_,
        [this, next = std::size_t{0}]() mutable -> std::optional<std::string> {
            if (stage_->stopped() || next == script_.size()) return std::nullopt;
            return script_[next++];
        },
        std::cout, std::cerr, *stage_);
    desktop_.startReplay([this] { stopReplay(); });
    desktop_.start(startup);
    QTimer::singleShot(0, [this] { replay(); });
}

void ScriptSession::replay() {
    if (program_.app.ended()) return;
    replayStatus_ = runner_->run();
    const bool stopped = stage_->stopped();
    runner_.reset();
    program_.app.setFrontEnd(&desktop_.session());  // the person's input drives the program again
    if (stopped || replayStatus_ != 0) {
        QCoreApplication::exit(replayStatus_);
        return;
    }
    desktop_.endReplay();  // the person plays on
}

void ScriptSession::stopReplay() {
    if (stage_) stage_->stop();
    QCoreApplication::exit(0);
}

int ScriptSession::finish(int status) {
    desktop_.session().recorder().finish(finalStateBlock(program_));
    if (recording_ >= 0) {
        ::close(recording_);
        recording_ = -1;
    }
    return replayStatus_ != 0 ? replayStatus_ : status;
}

}  // namespace arcadeon::desktop
