// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon-script: the words it accepts, the errors it gives and how it prints.
#include <gtest/gtest.h>

#include "shell/layer/properties.h"
#include "shell/record/printable.h"
#include "support.h"

namespace arcadeon {
namespace {

using testing::runScript;

using namespace std::literals;

struct BadLine {
    std::string_view line;
    const char* error;
};

TEST(ScriptTest, LinesThatCannotBeCarriedOutStopWithStatusTwo) {
    // Each bad line names its line number and what is wrong, and nothing after it runs.
    static constexpr BadLine kCases[] = {
        {"jump", "unknown command 'jump'"},
        {"click frmNowhere 1 2", "unknown window 'frmNowhere'"},
        {"click frmMenu imgNothing", "frmMenu has no element 'imgNothing'"},
        {"click frmPing tmrBlue", "a timer cannot be clicked"},
        {"click frmMenu 1 2 3", "click takes 2 to 3 arguments, not 4"},
        {"click frmMenu", "click takes 2 to 3 arguments, not 1"},
        {"move frmMenu 1e3 5", "not a number: '1e3'"},
        {"move frmMenu 0x10 5", "not a number: '0x10'"},
        {"move frmMenu nan 5", "not a number: 'nan'"},
        {"move frmMenu inf 5", "not a number: 'inf'"},
        {"move frmMenu 5. 5", "not a number: '5.'"},
        {"move frmMenu 400000000000000000000000000000000000000 5", "number out of range: '400000000000000000000000000000000000000'"},
        {"key 256", "a key code is a whole number from 0 to 255, not '256'"},
        {"key -1", "a key code is a whole number from 0 to 255, not '-1'"},
        {"key 27.5", "a key code is a whole number from 0 to 255, not '27.5'"},
        {"key", "key needs a key code"},
        {"key 65 super", "unknown modifier 'super' (shift, ctrl or alt)"},
        {"tick 0", "tick takes a whole number from 1 to 1099511627776, not '0'"},
        {"tick 99999999999999999999999", "tick takes a whole number from 1 to 1099511627776, not '99999999999999999999999'"},
        {"tick 2 3", "tick takes 0 to 1 arguments, not 2"},
        {"wait -1", "wait takes milliseconds from 0 with at most three decimals, not '-1'"},
        {"wait 1.0625", "wait takes milliseconds from 0 with at most three decimals, not '1.0625'"},
        {"wait 999999999999999999999", "wait is too long: '999999999999999999999'"},
        {"stall", "stall takes 1 arguments, not 0"},
        {"stall 1 2", "stall takes 1 arguments, not 2"},
        {"stall -1", "stall takes milliseconds from 0 with at most three decimals, not '-1'"},
        {"stall 1.0625", "stall takes milliseconds from 0 with at most three decimals, not '1.0625'"},
        {"stall 999999999999999999999", "stall is too long: '999999999999999999999'"},
        {"resize frmMenu -1 5", "a window cannot be smaller than 0 x 0"},
        {"ok", "no message box is open"},
        {"trace maybe", "trace takes on or off, not 'maybe'"},
        {"print", "print needs at least one path"},
        {"print frmMenu", "unknown path 'frmMenu'"},
        {"print frmMenu.Width", "frmMenu has no property or variable 'Width'"},
        {"print frmPing.shpBlue.Caption", "shpBlue has no property 'Caption'"},
        {"print frmPing.Line1.Left", "Line1 has no property 'Left'"},
        {"print Module1.intLevel", "Module1 has no variable 'intLevel'"},
        {"print app.Time", "unknown path 'app.Time'"},
        {"print a.b.c.d", "unknown path 'a.b.c.d'"},
        {"click \x01\xff\x00 5"sv, "unknown window"},
    };
    for (const BadLine& c : kCases) {
        const auto result = runScript("print app.Clock\n\n# a comment\n" + std::string(c.line) + "\nprint app.Clock\n");
        EXPECT_EQ(result.status, 2) << c.line;
        EXPECT_EQ(result.out, "app.Clock = 0\n") << c.line;
        EXPECT_EQ(result.err.rfind(std::string("error: line 4: ") + c.error, 0), 0u) << c.line << " gave " << result.err;
    }
}

TEST(ScriptTest, AllPathsOfAPrintLineAreCheckedFirst) {
    // A print line with one bad path prints nothing of its good ones.
    const auto result = runScript("print app.Clock frmMenu.Nothing\n");
    EXPECT_EQ(result.status, 2);
    EXPECT_EQ(result.out, "");
}

TEST(ScriptTest, LinesWhileABoxIsOpenAreCheckedThenBlocked) {
    // A blocked line is still checked; a script ending with the box open ends
    // with status 0 and no end line.
    const char* resume = "key 27\nclick frmPause cmdResume\n";
    auto blocked = runScript(std::string(resume) + "click frmPause cmdQuit\nkey 13\nprint app.ActiveForm\n");
    EXPECT_EQ(blocked.status, 0);
    EXPECT_EQ(blocked.out, "msgbox \"Pause\" \"Press GO to resume your game.\"\napp.ActiveForm = frmPause\n");
    auto checked = runScript(std::string(resume) + "click frmPause cmdNothing\n");
    EXPECT_EQ(checked.status, 2);
    EXPECT_EQ(checked.err, "error: line 3: frmPause has no element 'cmdNothing'\n");
}

TEST(ScriptTest, CarriageReturnsTabsAndSignsAreAccepted) {
    // Lines may end in CR LF, words may be separated by tabs, numbers may carry a sign.
    const auto result = runScript("wait\t+.5\r\nwait 0.125  \r\nprint\tapp.Clock\r\n");
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, "app.Clock = 0.625\n");
}

TEST(ScriptTest, TickCountsBoundariesFromNow) {
    // At a boundary the next is one period away; between two, it is the next one.
    const auto result = runScript("tick\nprint app.Clock\nwait 1\ntick 2\nprint app.Clock\n");
    EXPECT_EQ(result.out, "app.Clock = 15.625\napp.Clock = 46.875\n");
}

TEST(ScriptTest, EnormousTickCountsAreAccepted) {
    // A million ticks of a running game run through; the largest count, with
    // no timer running, passes at once instead of stepping every boundary.
    const auto game = runScript("click frmMenu lblFrog\ntick 1000000\nprint app.Clock frmFroggy.imgCar3.Left\n");
    EXPECT_EQ(game.status, 0);
    EXPECT_EQ(game.out, "app.Clock = 15625000\nfrmFroggy.imgCar3.Left = 8775\n");
    const auto idle = runScript("tick 1099511627776\nprint app.Clock\n");
    EXPECT_EQ(idle.out, "app.Clock = 17179869184000\n");
}

TEST(ScriptTest, OddFilesGiveASoundOutcome) {
    // An empty script is a valid one that prints nothing; a line of a million
    // characters is refused like any other bad line; so is binary garbage.
    const auto empty = runScript("");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.out, "");
    const auto huge = runScript("print app.Clock\n" + std::string(1'000'000, 'x') + "\n");
    EXPECT_EQ(huge.status, 2);
    EXPECT_EQ(huge.out, "app.Clock = 0\n");
    EXPECT_EQ(huge.err.substr(0, 35), "error: line 2: unknown command 'xxx");
    const auto hugeNumber = runScript("move frmMenu " + std::string(1'000'000, '9') + " 5\n");
    EXPECT_EQ(hugeNumber.status, 2);
    EXPECT_EQ(hugeNumber.err.substr(0, 36), "error: line 1: number out of range: ");
    const auto tinyNumber = runScript("print app.Clock\nmove frmMenu 0." + std::string(1'000'000, '0') + "1 -0.000\n");
    EXPECT_EQ(tinyNumber.status, 0);
    std::string garbage;
    for (int i = 0; i < 4096; ++i) garbage += static_cast<char>((i * 131 + 7) % 256);
    EXPECT_EQ(runScript(garbage).status, 2);
}

TEST(ScriptTest, ErrorMessagesShowUnreadableBytesEscaped) {
    // A NUL, a control character or a byte that is not UTF-8 in a line is shown
    // as \xNN, so that the message stays one readable line; UTF-8 text stays.
    static constexpr BadLine kCases[] = {
        {"click frm\0Menu 1 2"sv, "error: line 1: unknown window 'frm\\x00Menu'\n"},
        {"jump\xff\xfe", "error: line 1: unknown command 'jump\\xFF\\xFE'\n"},
        {"print frmMenu.Caption\r\x1b[2J", "error: line 1: frmMenu has no property or variable 'Caption\\x0D\\x1B[2J'\n"},
        {"key 65 \xc3\xa9t\xc3\xa9", "error: line 1: unknown modifier '\xc3\xa9t\xc3\xa9' (shift, ctrl or alt)\n"},
        {"move frmMenu 1\\2 3", "error: line 1: not a number: '1\\\\2'\n"},
    };
    for (const BadLine& c : kCases) {
        const auto result = runScript(std::string(c.line) + "\n");
        EXPECT_EQ(result.status, 2);
        EXPECT_EQ(result.err, c.error);
    }
}

struct PrintableCase {
    std::string_view bytes;
    const char* text;
};

TEST(PrintableTest, OnlyValidPrintableUtf8IsKept) {
    // Overlong forms, surrogates, code points past U+10FFFF, cut sequences and
    // C1 controls are escaped byte by byte; everything else stays as it is.
    static constexpr PrintableCase kCases[] = {
        {"plain text", "plain text"},
        {"\xc3\xa9\xe2\x82\xac\xf0\x9f\x90\xb8", "\xc3\xa9\xe2\x82\xac\xf0\x9f\x90\xb8"},
        {"\x7f\t", "\\x7F\\x09"},
        {"\xc0\xaf", "\\xC0\\xAF"},
        {"\xed\xa0\x80", "\\xED\\xA0\\x80"},
        {"\xf4\x90\x80\x80", "\\xF4\\x90\\x80\\x80"},
        {"\xe2\x82", "\\xE2\\x82"},
        {"\xc2\x85", "\\xC2\\x85"},
        {"\xc2\xa0", "\xc2\xa0"},
    };
    for (const PrintableCase& c : kCases) EXPECT_EQ(printable(c.bytes), c.text) << c.text;
}

struct SingleCase {
    float value;
    const char* text;
};

TEST(FormatTest, SinglesPrintShortestWithoutExponent) {
    // The shortest decimal that reads back as the same single, in plain notation.
    static constexpr SingleCase kCases[] = {
        {240.0f, "240"},  {3037.5f, "3037.5"}, {-20.0f, "-20"}, {-0.0f, "0"},     {0.1f, "0.1"},
        {1e-7f, "0.0000001"}, {3e38f, "300000000000000000000000000000000000000"}, {7327.5f, "7327.5"},
        {16777217.0f, "16777216"}, {1.0f / 3.0f, "0.33333334"},
    };
    for (const SingleCase& c : kCases) EXPECT_EQ(formatSingle(c.value), c.text);
}

TEST(FormatTest, ClockPrintsMillisecondsWithoutTrailingZeros) {
    // Up to three decimals, none trailing.
    EXPECT_EQ(formatMillis(0), "0");
    EXPECT_EQ(formatMillis(15625), "15.625");
    EXPECT_EQ(formatMillis(300), "0.3");
    EXPECT_EQ(formatMillis(2000000), "2000");
}

}  // namespace
}  // namespace arcadeon
