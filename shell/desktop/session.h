// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A session of the desktop program that is recorded (--record FILE) or that
// replays a script in the real windows (--replay FILE [--speed X]).
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QTimer>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace arcadeon {
class Form;
class Program;
class ScriptRunner;
}  // namespace arcadeon

namespace arcadeon::desktop {

class Desktop;
class ReplayStage;

struct SessionOptions {
    QString record;   // the file to record to; empty for none
    QString replay;   // the script to replay; empty for none
    double speed = 1;  // of the replay: 0.25 to 8 times the script's pace
};

// The options --record FILE, --replay FILE and --speed X.
void addSessionOptions(QCommandLineParser& parser);
// Their values; an error message when one is wrong.
[[nodiscard]] std::optional<QString> readSessionOptions(const QCommandLineParser& parser, SessionOptions& options);

class ScriptSession {
public:
    ScriptSession(Program& program, Desktop& desktop, SessionOptions options);
    ~ScriptSession();
    ScriptSession(const ScriptSession&) = delete;
    ScriptSession& operator=(const ScriptSession&) = delete;

    // Before any window opens: creates the recording and writes its header;
    // reads the script to replay and checks every line as the runner would.
    // Returns the exit status (2) after an error on standard error.
    [[nodiscard]] std::optional<int> prepare(const char* program);
    // Starts the program with its start-up window, and the replay.
    void start(Form& startup);
    // Once the event loop is over: the recording's final-state block.
    // Returns the exit status.
    int finish(int status);

private:
    void replay();
    void watchSignals();
    void stopReplay();

    Program& program_;
    Desktop& desktop_;
    SessionOptions options_;
    std::vector<std::string> script_;  // the script to replay, line by line
    std::unique_ptr<ReplayStage> stage_;
    std::unique_ptr<ScriptRunner> runner_;
    std::unique_ptr<QObject> signals_;  // reads SIGINT and SIGTERM in the event loop
    int recording_ = -1;  // file descriptor
    int replayStatus_ = 0;
    bool stopping_ = false;
};

}  // namespace arcadeon::desktop
