// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Recording and replaying in the desktop program: the recorder sees what the
// windows pass to the layer, a recording that can no longer be written is
// reported once while the game goes on, and a replay leaves the person's
// input out until it hands over.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <sstream>

#include "probe.h"
#include "shell/desktop/session.h"
#include "shell/program.h"
#include "shell/record/runner.h"
#include "shell/record/state.h"
#include "shell/record/verify.h"

namespace arcadeon::desktop::testing {
namespace {

constexpr ElementLayout kProbe[] = {
    {"lblHit", Kind::Label, {.Left = 0, .Top = 0, .Width = 1500, .Height = 750, .Caption = "hit"}},
    {"tmrTick", Kind::Timer, {.Interval = 1, .Enabled = true}},
};
const FormLayout kProbeLayout{.name = "frmProbe", .Caption = "Probe", .ClientWidth = 3000, .ClientHeight = 3000, .elements = kProbe};

TEST(DesktopRecording, HoldsWhatTheWindowsPassedToTheLayerAndNothingElse) {
    // Real time as wait lines (stall lines when the machine was slow);
    // pointer in twips of the client area; a held key's repeats as more
    // keydown lines, its one release as one keyup.
    App app;
    ProbeForm probe{app, kProbeLayout};
    Desktop desktop{app};
    std::string text;
    std::string why;
    ASSERT_TRUE(desktop.session().recorder().record([&](std::string_view chunk, std::string&) {
        text += chunk;
        return true;
    }, "", why));
    desktop.start(probe);
    ASSERT_TRUE(QTest::qWaitFor([&] { return probe.ticks >= 3; }, 5000));
    FormWindow* window = desktop.window(probe);
    QTest::mouseMove(window, QPoint(150, 120));
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, QPoint(50, 25));
    for (const bool repeat : {false, true, true}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, QString(), repeat);
        QApplication::sendEvent(window, &press);
    }
    QKeyEvent repeatedRelease(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier, QString(), true);
    QApplication::sendEvent(window, &repeatedRelease);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::ShiftModifier);
    QApplication::sendEvent(window, &release);

    std::vector<std::string> inputs;
    int spans = 0;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("wait ", 0) == 0 || line.rfind("stall ", 0) == 0) {
            ++spans;
        } else {
            inputs.push_back(line);
        }
    }
    EXPECT_GE(spans, 3);
    EXPECT_EQ(inputs, (std::vector<std::string>{"move frmProbe 2250 1800", "click frmProbe 750 375", "keydown 65 shift",
                                                "keydown 65 shift", "keydown 65 shift", "keyup 65 shift"}));
    EXPECT_EQ(text.find("move frmProbe 750 375"), std::string::npos) << "QTest's click moves no pointer of its own";
}

QMessageBox* boxSaying(const QString& text) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box != nullptr && box->isVisible() && box->text().contains(text)) return box;
    }
    return nullptr;
}

TEST(DesktopRecording, AWriteThatFailsIsToldOnceAndTheGameGoesOn) {
    // The recording goes to a pipe whose reader then goes away: the person
    // is told once, in a box that does not stop the game.
    QTemporaryDir dir;
    const std::string fifo = dir.filePath(QStringLiteral("game.fifo")).toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(reader, 0);

    Program game;
    Desktop desktop{game.app};
    SessionOptions options;
    options.record = QString::fromStdString(fifo);
    ScriptSession session(game, desktop, options);
    ASSERT_FALSE(session.prepare("arcadeon").has_value());
    session.start(game.frmMenu);
    ::close(reader);
    QTest::mouseClick(desktop.window(game.frmMenu), Qt::LeftButton, Qt::NoModifier, QPoint(328, 528));  // Froggy
    ASSERT_TRUE(game.frmFroggy.visible());

    const QString told = QStringLiteral("The game goes on without it");
    ASSERT_TRUE(QTest::qWaitFor([&] { return boxSaying(told) != nullptr; }, 5000));
    const std::int64_t clock = game.app.clock().now();
    QTest::qWait(300);
    EXPECT_GT(game.app.clock().now(), clock) << "the game goes on";
    int boxes = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) boxes += boxSaying(told) == widget ? 1 : 0;
    EXPECT_EQ(boxes, 1);
    EXPECT_FALSE(game.app.messageBoxOpen());
    delete boxSaying(told);
}

TEST(DesktopRecording, AProgramThatEndsItselfEndsItsRecordingWithTheFinalState) {
    // The last window closed ends the program; the recording then ends with
    // the state the runner reaches when the same lines end the program.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("game.script"));
    Program game;
    Desktop desktop{game.app};
    SessionOptions options;
    options.record = file;
    ScriptSession session(game, desktop, options);
    ASSERT_FALSE(session.prepare("arcadeon").has_value());
    session.start(game.frmMenu);
    QTest::mouseMove(desktop.window(game.frmMenu), QPoint(328, 344));
    desktop.window(game.frmMenu)->close();
    ASSERT_TRUE(game.app.ended());
    EXPECT_EQ(session.finish(0), 0);

    std::ifstream in(file.toStdString());
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    EXPECT_NE(text.find("\nmove frmMenu 4920 5160\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nclose frmMenu\n# The state at the end"), std::string::npos) << text;
    EXPECT_NE(text.find("\n# final app.ActiveForm = \n"), std::string::npos) << text;
    std::ostringstream out, err;
    EXPECT_EQ(verifyRecording(splitLines(text), "game.script", out, err), 0) << out.str() << err.str();
}

TEST(DesktopReplay, ThePersonsInputIsLeftOutUntilTheScriptIsOver) {
    // Escape while the script runs opens no Pause dialog; the script's own
    // lines run at its pace; at its end the person plays on from there.
    QTemporaryDir dir;
    const QString script = dir.filePath(QStringLiteral("froggy.script"));
    const std::string lines = "click frmMenu lblFrog\nwait 500\nkeydown 38\nkeyup 38\nwait 300\n";
    std::ofstream(script.toStdString()) << lines;
    Program game;
    Desktop desktop{game.app};
    SessionOptions options;
    options.replay = script;
    options.speed = 2;
    ScriptSession session(game, desktop, options);
    ASSERT_FALSE(session.prepare("arcadeon").has_value());
    // The script runs inside the event loop; the person's keys come while it does.
    bool pressed = false;
    QTimer::singleShot(300, [&] {
        ASSERT_TRUE(desktop.replaying() && game.frmFroggy.visible());
        QTest::keyClick(desktop.window(game.frmFroggy), Qt::Key_Escape);
        QTest::keyClick(desktop.window(game.frmFroggy), Qt::Key_Left);
        pressed = true;
    });
    session.start(game.frmMenu);
    ASSERT_TRUE(desktop.replaying());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.replaying(); }, 5000));
    EXPECT_TRUE(pressed);
    EXPECT_FALSE(game.frmPause.visible());
    EXPECT_EQ(game.app.clock().now(), 800000);
    std::istringstream in(lines);
    std::ostringstream out, err;
    ScriptRunner runner(in, out, err);
    ASSERT_EQ(runner.run(), 0);
    const auto same = [](const PathValue& a, const PathValue& b) { return a.path == b.path && a.value == b.value; };
    const std::vector<PathValue> replayed = finalState(game), ran = finalState(runner.program());
    EXPECT_TRUE(std::equal(replayed.begin(), replayed.end(), ran.begin(), ran.end(), same)) << "the state the runner reaches";
    QTest::keyClick(desktop.window(game.frmFroggy), Qt::Key_Escape);
    EXPECT_TRUE(game.frmPause.visible()) << "the person plays on";
}

}  // namespace
}  // namespace arcadeon::desktop::testing
