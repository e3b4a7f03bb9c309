// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The display list the web page draws: what it holds is what the desktop
// program draws, in the same order, colours and faces.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "shell/web/frame.h"
#include "support.h"

namespace arcadeon {
namespace {

// Front first, as layouts list their elements.
constexpr ElementLayout kElements[] = {
    {"lblFront", Kind::Label, {.Left = 0, .Top = 0, .Width = 900, .Height = 300, .Caption = "say \"hi\"\\now",
                               .BackStyle = 0, .ForeColor = SystemColor(14), .Font = {"Arial Black", 24.0f, 900, 0}}},
    {"cmdOne", Kind::CommandButton, {.Left = 100, .Top = 100, .Width = 800, .Height = 300, .Caption = "&Go && stop"}},
    {"imgBack", Kind::Image, {.Left = 0, .Top = 0, .Width = 1500, .Height = 1500, .Picture = "back.bmp", .Stretch = true}},
    {"shpHidden", Kind::Shape, {.Left = 10, .Top = 10, .Width = 20, .Height = 20, .Visible = false}},
    {"tmrTick", Kind::Timer, {.Interval = 1, .Enabled = false}},
    {"linRule", Kind::Line, {.X1 = 0, .Y1 = 0, .X2 = 1000, .Y2 = 0, .BorderColor = RGB(255, 0, 0)}},
    {"optTwo", Kind::OptionButton, {.Left = 100, .Top = 500, .Width = 800, .Height = 300, .Caption = "Two"}},
};
constexpr FormLayout kLayout{.name = "frmFrame", .Caption = "Frame", .ClientWidth = 3000, .ClientHeight = 2000, .elements = kElements};

class FrameForm final : public Form {
public:
    explicit FrameForm(App& app) : Form(app, kLayout) {}
    Control<Label> lblFront{*this, "lblFront"};
    Control<CommandButton> cmdOne{*this, "cmdOne"};
    Control<Image> imgBack{*this, "imgBack"};
    Control<Shape> shpHidden{*this, "shpHidden"};
    Control<Timer> tmrTick{*this, "tmrTick"};
    Control<Line> linRule{*this, "linRule"};
    Control<OptionButton> optTwo{*this, "optTwo"};
};

struct Fixture {
    App app;
    FrameForm form{app};
    std::vector<Form*> forms{&form};
    Fixture() { app.start(form); }
    std::string json() const { return web::frameJson(app, forms, false); }
};

std::size_t at(const std::string& json, const std::string& name) {
    return json.find("\"n\":\"" + name + "\"");
}

// Drawing order: elements from the back of the list to the front, then the
// buttons and option buttons above everything, among themselves in list
// order too; hidden elements and timers are not drawn.
TEST(WebFrame, ListsWhatIsDrawnInDrawingOrderWithButtonsOnTop) {
    Fixture f;
    const std::string json = f.json();
    const std::vector<std::string> order = {"linRule", "imgBack", "lblFront", "optTwo", "cmdOne"};
    for (std::size_t i = 0; i < order.size(); ++i) {
        ASSERT_NE(at(json, order[i]), std::string::npos) << order[i];
        if (i > 0) {
            EXPECT_LT(at(json, order[i - 1]), at(json, order[i])) << order[i - 1] << " before " << order[i];
        }
    }
    EXPECT_EQ(at(json, "shpHidden"), std::string::npos);
    EXPECT_EQ(at(json, "tmrTick"), std::string::npos);
    EXPECT_NE(json.find("\"stack\":[0]"), std::string::npos);
    EXPECT_NE(json.find("\"active\":0"), std::string::npos);
    f.form.elementAs<Line>("linRule").Visible = false;
    EXPECT_EQ(at(f.json(), "linRule"), std::string::npos);
}

// What each item carries: colours resolved (system roles included), the
// substitute font at 96 pixels an inch, a button's caption as shown with its
// access key marked, texts escaped for JSON.
TEST(WebFrame, CarriesColoursFontsCaptionsAndTextsAsTheDesktopShowsThem) {
    Fixture f;
    const std::string json = f.json();
    EXPECT_NE(json.find("\"back\":\"#D4D0C8\",\"items\""), std::string::npos) << "the window's button face";
    EXPECT_NE(json.find("\"fore\":\"#FFFFFF\",\"font\":\"900 32px \\\"Arcadeon Lato Black\\\", sans-serif\""), std::string::npos);
    EXPECT_NE(json.find("\"text\":\"say \\\"hi\\\"\\\\now\""), std::string::npos);
    EXPECT_NE(json.find("\"color\":\"#FF0000\""), std::string::npos);
    EXPECT_NE(json.find("\"text\":\"Go & stop\",\"key\":0"), std::string::npos);
    EXPECT_NE(json.find("\"text\":\"Two\",\"key\":-1"), std::string::npos);
    EXPECT_NE(json.find("\"font\":\"400 11px \\\"Arcadeon Liberation Sans\\\", sans-serif\""), std::string::npos);
    EXPECT_NE(json.find("\"focus\":true"), std::string::npos) << "the first tab stop holds the focus";
    EXPECT_EQ(web::jsonString(std::string("a\nb\x01", 4)), "\"a\\u000Ab\\u0001\"");
}

// Positions a window cannot show still make valid JSON numbers: NaN and the
// infinities land far outside, fractions keep their value.
TEST(WebFrame, WritesEveryPositionAsAFiniteNumber) {
    Fixture f;
    auto& image = f.form.elementAs<Image>("imgBack");
    image.Left = std::numeric_limits<float>::quiet_NaN();
    image.Top = std::numeric_limits<float>::infinity();
    image.Width = 3037.5f;
    const std::string json = f.json();
    const std::size_t item = at(json, "imgBack");
    EXPECT_NE(json.find("\"x\":-10000000,\"y\":10000000,\"w\":3037.5", item), std::string::npos) << json.substr(item, 120);
    EXPECT_EQ(json.find("nan"), std::string::npos);
    EXPECT_EQ(json.find("inf"), std::string::npos);
}

// Faces the program ships map to their families; any other keeps its name.
TEST(WebFrame, MapsFacesToTheShippedFonts) {
    struct Case {
        Font font;
        std::string_view family;
        int weight, pixels;
    };
    const Case cases[] = {
        {{"Old English Text MT", 24.0f, 400, 0}, "Arcadeon Blankenburg", 400, 32},
        {{"ISOCPEUR", 36.0f, 400, 0}, "Arcadeon osifont", 400, 48},
        {{"Arial Black", 15.75f, 400, 0}, "Arcadeon Lato Black", 900, 21},
        {kDialogFont, "Arcadeon Liberation Sans", 400, 11},
        {{"Comic Sans MS", 14.25f, 700, 0}, "Comic Sans MS", 700, 19},
    };
    for (const Case& c : cases) {
        const web::WebFont font = web::webFont(c.font);
        EXPECT_EQ(font.family, c.family);
        EXPECT_EQ(font.weight, c.weight) << c.family;
        EXPECT_EQ(font.pixels, c.pixels) << c.family;
    }
}

}  // namespace
}  // namespace arcadeon
