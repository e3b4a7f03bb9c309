// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is told of each window, and its press.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "shell/layer/accessible.h"
#include "shell/layer/recorder.h"
#include "shell/program.h"
#include "support.h"

namespace arcadeon {
namespace {

struct Seen {
    Role role;
    std::string name;
    char accessKey = 0;
    bool focused = false;
    bool checked = false;
    friend bool operator==(const Seen&, const Seen&) = default;
};

std::vector<Seen> seen(const Form& form, bool active = true) {
    std::vector<Seen> out;
    for (const AccessibleNode& node : describe(form, active)) {
        out.push_back({node.role, node.name, node.accessKey, node.focused, node.checked});
    }
    return out;
}

const AccessibleNode& nodeNamed(const std::vector<AccessibleNode>& nodes, std::string_view name) {
    for (const AccessibleNode& node : nodes) {
        if (node.name == name) return node;
    }
    throw std::runtime_error("no node " + std::string(name));
}

// Presses a node as assistive technology does: a click through the recorder.
void press(Recorder& recorder, Form& form, std::string_view name) {
    const std::vector<AccessibleNode> nodes = describe(form, true);  // kept while the node is read
    const AccessibleNode& node = nodeNamed(nodes, name);
    const std::optional<Point> at = pressPoint(form, node.element);
    ASSERT_TRUE(at.has_value()) << name;
    recorder.click(form, at->x, at->y);
}

// Rule: the menu's pictures and names are push buttons named after what they
// open (the Ping picture saying the Difficulty dialog comes first); the title is text.
TEST(Accessible, MenuShowsEachGameAsAPushButton) {
    Program program;
    program.start();
    const std::vector<Seen> expected = {
        {Role::PushButton, "Froggy"},
        {Role::PushButton, "Ping (Difficulty first)"},
        {Role::PushButton, "Vavod Uvavovirovu Divadazo"},
        {Role::PushButton, "Froggy"},
        {Role::PushButton, "Ping"},
        {Role::PushButton, "Vavod Uvavovirovu Divadazo"},
        {Role::Text, "Arcadeon"},
    };
    EXPECT_EQ(seen(*program.form("frmMenu")), expected);
}

// Rule: dialog buttons are named without their `&` and carry their access
// key; the focus is reported only in the active window (Quit, first showing).
TEST(Accessible, PauseDialogButtonsWithAccessKeysAndFocusOnQuit) {
    Program program;
    program.start();
    program.app.keyDown(kKeyEscape);
    Form& pause = *program.form("frmPause");
    const std::vector<Seen> expected = {
        {Role::PushButton, "Resume", 'R'},
        {Role::PushButton, "Quit to Menu", 'M'},
        {Role::PushButton, "Quit", 'Q', true},
    };
    EXPECT_EQ(seen(pause), expected);
    for (const AccessibleNode& node : describe(pause, false)) EXPECT_FALSE(node.focused) << node.name;
}

// Rule: option buttons are radio buttons with their value; a press of an
// option that Play! covers at its centre still selects that option, and the
// change is reported as a toggle of both options.
TEST(Accessible, DifficultyOptionsAsRadioButtonsAndPressSelectsCoveredOption) {
    Program program;
    program.start();
    Recorder recorder(program.app);
    press(recorder, *program.form("frmMenu"), "Ping (Difficulty first)");
    Form& difficulty = *program.form("frmDifficulty");
    ASSERT_EQ(program.app.activeForm(), &difficulty);
    const std::vector<AccessibleNode> before = describe(difficulty, true);
    EXPECT_EQ(seen(difficulty), (std::vector<Seen>{
                                    {Role::PushButton, "Play!"},
                                    {Role::RadioButton, "Hard"},
                                    {Role::RadioButton, "Normal"},
                                    {Role::RadioButton, "Easy", 0, true, true},
                                }));
    press(recorder, difficulty, "Normal");
    const std::vector<AccessibleNode> after = describe(difficulty, true);
    EXPECT_TRUE(nodeNamed(after, "Normal").checked);
    EXPECT_FALSE(nodeNamed(after, "Easy").checked);
    EXPECT_EQ(program.app.activeForm(), &difficulty) << "the press hit Play! instead of Normal";
    const AccessibleChanges changes = compare(before, after);
    EXPECT_FALSE(changes.structure);
    EXPECT_EQ(changes.toggled, (std::vector<std::size_t>{2, 3}));
}

// Rule: Ping's counters are text with their captions, GO a push button;
// a press of GO is a click of the recorder, so it is written down.
TEST(Accessible, PingLabelsAndGoPressIsRecorded) {
    Program program;
    program.start();
    Recorder recorder(program.app);
    std::string recording;
    std::string why;
    ASSERT_TRUE(recorder.record([&](std::string_view text, std::string&) { recording += text; return true; }, "", why));
    press(recorder, *program.form("frmMenu"), "Ping");
    Form& ping = *program.form("frmPing");
    ASSERT_TRUE(ping.visible());
    const std::vector<AccessibleNode> before = describe(ping, true);
    EXPECT_EQ(nodeNamed(before, "HITS= 0").role, Role::Text);
    EXPECT_EQ(nodeNamed(before, "LOSSES= 0").role, Role::Text);
    EXPECT_EQ(nodeNamed(before, "HIGH SCORE= 0").role, Role::Text);
    EXPECT_EQ(nodeNamed(before, "GO").role, Role::PushButton);
    press(recorder, ping, "GO");
    const std::vector<AccessibleNode> after = describe(ping, true);
    EXPECT_EQ(compare(before, after).renamed.size(), 1U);
    EXPECT_NO_THROW((void)nodeNamed(after, "PAUSE"));
    EXPECT_NE(recording.find("click frmMenu"), std::string::npos) << recording;
    EXPECT_NE(recording.find("click frmPing"), std::string::npos) << recording;
}

// A window where hit testing keeps some elements from every press: a label
// wholly under a button (buttons take every point they cover), one that lies
// beyond the client area, a picture whose centre another covers, and a line.
constexpr ElementLayout kCoveredElements[] = {
    {"imgFront", Kind::Image, {.Left = 1400, .Top = 100, .Width = 400, .Height = 600}},
    {"lblHalf", Kind::Label, {.Left = 1000, .Top = 100, .Width = 1000, .Height = 600, .Caption = "half"}},
    {"lblUnder", Kind::Label, {.Left = 200, .Top = 200, .Width = 400, .Height = 300, .Caption = "under"}},
    {"lblBeyond", Kind::Label, {.Left = 3100, .Top = 100, .Width = 500, .Height = 300, .Caption = "beyond"}},
    {"linRule", Kind::Line, {.X1 = 100, .Y1 = 1500, .X2 = 2900, .Y2 = 1500}},
    {"cmdOver", Kind::CommandButton, {.Left = 100, .Top = 100, .Width = 700, .Height = 500, .Caption = "&Over"}},
};
constexpr FormLayout kCoveredLayout{
    .name = "frmCovered", .Caption = "Covered", .ClientWidth = 3000, .ClientHeight = 2000, .elements = kCoveredElements};

class CoveredForm final : public Form {
public:
    explicit CoveredForm(App& app) : Form(app, kCoveredLayout) {}
};

// Rule: a press lands where hit testing gives the point to the element: at
// its centre when nothing covers it, else at the nearest uncovered point;
// an element with no such point left (under a button, outside the client
// area), a line (lines never take the pointer), or an index past the
// window's elements has no press at all.
TEST(Accessible, PressPointIsAPointHitTestingGivesToTheElementOrNone) {
    App app;
    CoveredForm form(app);
    form.Show();
    struct Case {
        const char* name;
        bool reachable;
    };
    const Case cases[] = {
        {"imgFront", true}, {"lblHalf", true}, {"lblUnder", false}, {"lblBeyond", false}, {"linRule", false}, {"cmdOver", true},
    };
    const auto& elements = form.elements();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto at = std::find_if(elements.begin(), elements.end(), [&](const Element* e) { return e->name == c.name; });
        ASSERT_NE(at, elements.end());
        const std::optional<Point> point = pressPoint(form, static_cast<std::size_t>(at - elements.begin()));
        ASSERT_EQ(point.has_value(), c.reachable);
        if (!point) continue;
        EXPECT_TRUE(form.clientContains(point->x, point->y));
        EXPECT_EQ(form.hitTest(point->x, point->y), *at) << "at " << point->x << ", " << point->y;
    }
    // lblHalf's centre (1500, 400) lies under imgFront: the press goes beside it.
    const std::optional<Point> half = pressPoint(form, 1);
    ASSERT_TRUE(half.has_value());
    EXPECT_TRUE(half->x < 1400 || half->x >= 1800) << half->x;
    EXPECT_FALSE(pressPoint(form, elements.size()).has_value());
}

// One reading of a button's `&` for the screen, the keyboard and assistive
// technology: the text shown, the letter underlined and the access key.
TEST(Accessible, CaptionShownIsReadOnceForTextUnderlineAndKey) {
    struct Case {
        const char* caption;
        const char* text;
        int marked;
        char key;
    };
    const Case cases[] = {
        {"&Resume", "Resume", 0, 'R'},
        {"Quit to &Menu", "Quit to Menu", 8, 'M'},
        {"Fish && &Chips", "Fish & Chips", 7, 'C'},
        {"&&", "&", -1, 0},
        {"end&", "end&", -1, 0},
        {"&a&b", "ab", 0, 'A'},
    };
    for (const Case& c : cases) {
        const ShownCaption shown = shownCaption(c.caption);
        EXPECT_EQ(shown.text, c.text) << c.caption;
        EXPECT_EQ(shown.marked, c.marked) << c.caption;
        EXPECT_EQ(shown.key, c.key) << c.caption;
    }
}

}  // namespace
}  // namespace arcadeon
