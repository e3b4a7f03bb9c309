// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Real time on the desktop: the precise wake-up that drives the clock, the
// program asleep when no timer runs, and message boxes that withhold ticks.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QLabel>
#include <QThread>
#include <algorithm>

#include "probe.h"
#include "shell/desktop/trace.h"
#include "shell/program.h"

namespace arcadeon::desktop::testing {
namespace {

constexpr ElementLayout kTicking[] = {
    {"tmrTick", Kind::Timer, {.Interval = 1, .Enabled = true}},
};
constexpr ElementLayout kStopped[] = {
    {"tmrTick", Kind::Timer, {.Interval = 5, .Enabled = false}},
};
const FormLayout kTickingLayout{.name = "frmTicking", .Caption = "Ticking", .ClientWidth = 1500, .ClientHeight = 1500, .elements = kTicking};
const FormLayout kStoppedLayout{.name = "frmStopped", .Caption = "Stopped", .ClientWidth = 1500, .ClientHeight = 1500, .elements = kStopped};

Timer& timer(Form& form) { return static_cast<Timer&>(*form.element("tmrTick")); }

TEST(RealTime, IdleProgramSleepsAndARunningTimerTicksInRealTime) {
    // With no timer enabled nothing is armed; enabling one arms the wake-up
    // and real time makes it tick; disabling it puts the program to sleep again.
    App app;
    ProbeForm form{app, kStoppedLayout};
    Desktop desktop{app};
    desktop.start(form);
    EXPECT_FALSE(desktop.awake());

    form.onClick = [&] { timer(form).Enabled = true; };
    QTest::mouseClick(desktop.window(form), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_TRUE(desktop.awake());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.ticks >= 3; }, 5000));

    form.onClick = [&] { timer(form).Enabled = false; };
    QTest::mouseClick(desktop.window(form), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
    EXPECT_FALSE(desktop.awake());
    const int ticks = form.ticks;
    QTest::qWait(50);
    EXPECT_EQ(form.ticks, ticks);
}

// A window whose timer runs from the start, already ticking in real time.
class Ticking : public ::testing::Test {
protected:
    App app;
    ProbeForm form{app, kTickingLayout};
    Desktop desktop{app};

    void SetUp() override {
        desktop.start(form);
        ASSERT_TRUE(QTest::qWaitFor([&] { return form.ticks >= 2; }, 5000));
    }
};

TEST_F(Ticking, AfterAStallEachTimerTicksOnceThenKeepsItsPeriod) {
    // A handler that holds the program for 200 ms (12.8 periods) costs the
    // timer those ticks: it ticks once for the stall, not twelve times.

    std::int64_t stalledFrom = -1;
    form.onKeyDown = [&] {
        stalledFrom = app.clock().boundary();
        QThread::msleep(200);
    };
    QTest::keyPress(desktop.window(form), Qt::Key_Space);
    ASSERT_GE(stalledFrom, 0);
    const auto firstAfter = [&] {
        return std::find_if(form.tickBoundaries.begin(), form.tickBoundaries.end(),
                            [&](std::int64_t boundary) { return boundary > stalledFrom; });
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.tickBoundaries.end() - firstAfter() >= 3; }, 5000));

    const std::vector<std::int64_t> after(firstAfter(), form.tickBoundaries.end());
    EXPECT_GE(after.front() - stalledFrom, 12) << "no tick inside the stall";
    for (std::size_t i = 1; i < after.size(); ++i) EXPECT_GT(after[i], after[i - 1]) << "one tick per boundary at most";
}

TEST_F(Ticking, MessageBoxWithholdsTicksUntilClosedThenTheOwedTickComesAtOnce) {
    // A box opened by a handler is a real modal box with the title, the
    // prompt, one OK button and no icon; while it is open no tick arrives and
    // the windows take no input; once it is closed one owed tick arrives at once.

    int ticksAtOpen = -1, ticksAtClose = -1;
    form.onKeyDown = [&] {
        ticksAtOpen = form.ticks;
        form.MsgBox("Press GO to resume your game.", "Pause");
        ticksAtClose = form.ticks;
    };

    struct Seen {
        QString title, text;
        int pictures = -1;  // labels showing a picture: an icon
        QStringList buttons;
        bool applicationModal = false;
        bool inputBlocked = false;
    } seen;
    pressOkOnNextBox(
        [&](MessageBox& box) {
            QStringList buttons;
            for (const QAbstractButton* button : box.findChildren<QAbstractButton*>()) buttons.push_back(button->text());
            const QList<QLabel*> labels = box.findChildren<QLabel*>();
            seen = {box.windowTitle(), box.prompt(),
                    static_cast<int>(std::count_if(labels.begin(), labels.end(), [](const QLabel* label) { return !label->pixmap().isNull(); })),
                    buttons,
                    box.windowModality() == Qt::ApplicationModal, app.inputBlocked()};
            // a person clicking the window behind the box reaches nothing
            QTest::mouseClick(desktop.window(form), Qt::LeftButton, Qt::NoModifier, QPoint(50, 50));
        },
        150);  // several periods pass before OK is pressed

    form.events.clear();
    QTest::keyPress(desktop.window(form), Qt::Key_M);

    EXPECT_EQ(seen.title, "Pause");
    EXPECT_EQ(seen.text, "Press GO to resume your game.");
    EXPECT_EQ(seen.pictures, 0);
    EXPECT_EQ(seen.buttons, QStringList{"OK"});
    EXPECT_TRUE(seen.applicationModal);
    EXPECT_TRUE(seen.inputBlocked);
    EXPECT_EQ(form.events, (std::vector<std::string>{"Form_KeyDown 77 0"}));  // not the click
    EXPECT_GE(ticksAtOpen, 2);
    EXPECT_EQ(ticksAtClose, ticksAtOpen) << "no tick while the box was open";
    EXPECT_EQ(form.ticks, ticksAtClose + 1) << "the owed tick, delivered as the handler returned";
    EXPECT_FALSE(app.inputBlocked());
}

// The timer events of each tick batch in a trace file, in order.
std::vector<int> tickBatches(const QString& path) {
    QFile file(path);
    std::vector<int> batches;
    if (!file.open(QIODevice::ReadOnly)) return batches;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3 && fields[0] == "ticks") batches.push_back(fields[2].toInt());
    }
    return batches;
}

TEST(RealTime, ProgramStoppedWithTheShotAndBombsInFlightGivesEachTimerOneTick) {
    // The Invaders game with the shot and two bombs in flight, the whole
    // program stopped for half a second (as by SIGSTOP, or a busy machine):
    // the wake after it delivers one tick for each running timer, not one for
    // each boundary missed, and not a timer twice.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace"));
    std::string error;
    std::unique_ptr<Trace> trace = Trace::open(path.toStdString(), error);
    ASSERT_NE(trace, nullptr) << error;

    Program program;
    Desktop desktop{program.app};
    desktop.traceTo(std::move(trace));
    desktop.start(program.frmMenu);
    pressOkOnNextBox();  // the welcome box
    const auto& picture = program.frmMenu.elementAs<Image>("imgInvaders");
    QTest::mouseClick(desktop.window(program.frmMenu), Qt::LeftButton, Qt::NoModifier,
                      QPoint(static_cast<int>((picture.Left + picture.Width / 2) / 15), static_cast<int>((picture.Top + picture.Height / 2) / 15)));
    ASSERT_TRUE(program.frmInvaders.visible());
    QTest::mouseClick(desktop.window(program.frmInvaders), Qt::LeftButton, Qt::NoModifier, QPoint(400, 333));
    program.frmInvaders.elementAs<Timer>("tmrBomb1").Enabled = true;
    program.frmInvaders.elementAs<Timer>("tmrBomb3").Enabled = true;
    QTest::qWait(50);
    int running = 0;
    for (const Timer* timer : program.frmInvaders.timers()) running += timer->Enabled.running() ? 1 : 0;
    ASSERT_EQ(running, 4) << "the shot, two bombs and the mothership";

    const std::size_t before = tickBatches(path).size();
    QThread::msleep(500);  // nothing of the program runs meanwhile
    ASSERT_TRUE(QTest::qWaitFor([&] { return tickBatches(path).size() > before; }, 5000));
    EXPECT_EQ(tickBatches(path)[before], running);
}

}  // namespace
}  // namespace arcadeon::desktop::testing
