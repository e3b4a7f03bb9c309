// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The timing record the desktop benchmark reads (ARCADEON_TRACE_TICKS): one
// draw for each delivered tick batch that changed something, nothing at all
// for one that changed nothing, nor while idle.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "probe.h"

namespace arcadeon::desktop::testing {
namespace {

// A window whose timer ticks a given number of times, then stops itself;
// the first ticks count down on a label, the others change nothing.
constexpr ElementLayout kCountdown[] = {
    {"lblLeft", Kind::Label, {.Left = 0, .Top = 0, .Width = 900, .Height = 300}},
    {"tmrDown", Kind::Timer, {.Interval = 1, .Enabled = true}},
};
const FormLayout kCountdownLayout{
    .name = "frmCountdown", .Caption = "Countdown", .ClientWidth = 1500, .ClientHeight = 1500, .elements = kCountdown};

class CountdownForm : public Form {
public:
    CountdownForm(App& app, int ticks, int shown) : Form(app, kCountdownLayout), left(ticks), quietFrom(ticks - shown) {}
    int left;
    int quietFrom;  // from here on the label stays as it is

private:
    Control<Label> lblLeft{*this, "lblLeft"};
    Control<Timer> tmrDown{*this, "tmrDown", [this] { tmrDown_Timer(); }};
    void tmrDown_Timer() {
        if (--left == 0) tmrDown->Enabled = false;
        if (left >= quietFrom) lblLeft->Caption = std::to_string(left);
    }
};

std::vector<std::string> lines(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    std::vector<std::string> result;
    std::istringstream in(file.readAll().toStdString());
    for (std::string line; std::getline(in, line);) result.push_back(line);
    return result;
}

// "ticks 123 1" -> "ticks 1", "paint 456 frmX" -> "paint frmX": the lines without their times.
std::string withoutTime(const std::string& line) {
    std::istringstream fields(line);
    std::string kind, time, rest;
    fields >> kind >> time >> rest;
    return rest.empty() ? kind : kind + " " + rest;
}

TEST(TickTrace, EachTickBatchThatChangesSomethingIsDrawnOnceAndNothingElseIs) {
    // A tick that changes the window draws it once, with no other draw in
    // between; a tick that changes nothing draws nothing, and once the timer
    // stops nothing at all is drawn.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("trace");
    std::string error;
    std::unique_ptr<Trace> trace = Trace::open(path.toStdString(), error);
    ASSERT_TRUE(trace) << error;

    App app;
    CountdownForm form{app, 12, 8};
    Desktop desktop{app};
    desktop.traceTo(std::move(trace));
    desktop.start(form);
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.left == 0; }, 5000));
    QTest::qWait(150);  // nearly ten periods with nothing to do

    std::vector<std::string> seen;
    for (const std::string& line : lines(path)) seen.push_back(withoutTime(line));
    ASSERT_GE(seen.size(), 2U);
    EXPECT_EQ(seen.front(), "start");
    // the window's first showing draws it; from then on one draw follows each batch of one tick
    const auto firstBatch = std::find(seen.begin(), seen.end(), "ticks 1");
    ASSERT_NE(firstBatch, seen.end());
    for (auto line = seen.begin() + 1; line != firstBatch; ++line) {
        EXPECT_TRUE(*line == "paint frmCountdown" || *line == "shown frmCountdown") << *line;
    }
    std::vector<std::string> expected;
    for (int batch = 0; batch < 12; ++batch) {
        expected.emplace_back("ticks 1");
        if (batch >= 8) continue;
        expected.emplace_back("paint frmCountdown");
        expected.emplace_back("shown frmCountdown");  // handed to the window system
    }
    EXPECT_EQ(std::vector<std::string>(firstBatch, seen.end()), expected);
}

TEST(TickTrace, TheEnvironmentNamesTheFileAndAnUnwritableOneIsAClearError) {
    // Unset or empty means no trace; a file that cannot be written fails
    // with the variable, the path and the reason on the error stream.
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    struct Case {
        const char* value;  // nullptr: unset
        bool ok;
        bool traced;
    };
    const std::string writable = dir.filePath("trace").toStdString();
    const std::string unwritable = dir.filePath("missing/trace").toStdString();
    const Case cases[] = {
        {nullptr, true, false},
        {"", true, false},
        {writable.c_str(), true, true},
        {unwritable.c_str(), false, false},
    };
    for (const Case& c : cases) {
        if (c.value == nullptr) {
            unsetenv(Trace::kVariable);
        } else {
            setenv(Trace::kVariable, c.value, 1);
        }
        std::unique_ptr<Trace> trace;
        std::ostringstream errors;
        const bool ok = Trace::fromEnvironment("arcadeon", trace, errors);
        const std::string message = errors.str();
        EXPECT_EQ(ok, c.ok) << (c.value ? c.value : "(unset)");
        EXPECT_EQ(trace != nullptr, c.traced) << (c.value ? c.value : "(unset)");
        EXPECT_EQ(message, c.ok ? "" : "arcadeon: ARCADEON_TRACE_TICKS=" + unwritable + ": " + std::strerror(ENOENT) + "\n");
    }
    unsetenv(Trace::kVariable);
}

}  // namespace
}  // namespace arcadeon::desktop::testing
