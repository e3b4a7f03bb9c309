// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The scene: what a window shows, in device pixels, made once for every
// front end. Each rule is checked at the densities screens have: 1, 1.5, 2.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "shell/scene/draw.h"
#include "shell/scene/scene.h"
#include "support.h"

namespace arcadeon::scene {
namespace {

constexpr double kRatios[] = {1.0, 1.5, 2.0};

// The pixels a list of items covers, each once, with the colour drawn last.
using Pixels = std::map<std::pair<int, int>, Rgb>;
Pixels pixelsOf(const std::vector<Item>& items) {
    Pixels pixels;
    for (const Item& item : items) {
        if (item.kind != ItemKind::Fill) continue;
        for (int y = item.rect.y; y < item.rect.bottom(); ++y) {
            for (int x = item.rect.x; x < item.rect.right(); ++x) pixels[{x, y}] = item.colour;
        }
    }
    return pixels;
}

std::vector<Item> itemsOf(const Scene& scene, int owner) {
    std::vector<Item> items;
    for (const Item& item : scene.items) {
        if (item.owner == owner) items.push_back(item);
    }
    return items;
}

// A window with one element of each kind that draws, front first.
constexpr ElementLayout kElements[] = {
    {"cmdGo", Kind::CommandButton, {.Left = 150, .Top = 1500, .Width = 1200, .Height = 375, .Caption = "&Go", .TabIndex = 0}},
    {"optOne", Kind::OptionButton, {.Left = 1500, .Top = 1500, .Width = 1200, .Height = 300, .Caption = "One", .TabIndex = 1}},
    {"lblText", Kind::Label, {.Left = 0, .Top = 0, .Width = 1500, .Height = 600, .Caption = "one two three four five six",
                              .BackStyle = 0, .Font = {"Arial Black", 14.25f, 900, 0}}},
    {"shpBall", Kind::Shape, {.Left = 1500, .Top = 300, .Width = 400, .Height = 400, .Shape = 3, .BorderColor = RGB(255, 0, 0),
                              .FillStyle = 0, .FillColor = RGB(0, 0, 255)}},
    {"shpBox", Kind::Shape, {.Left = 2000, .Top = 300, .Width = 900, .Height = 300, .Shape = 1, .FillStyle = 0,
                             .FillColor = RGB(0, 255, 0)}},
    {"shpRound", Kind::Shape, {.Left = 300, .Top = 700, .Width = 1000, .Height = 600, .Shape = 4, .FillStyle = 0,
                               .FillColor = RGB(0, 255, 0)}},
    {"linSlant", Kind::Line, {.X1 = 1500, .Y1 = 800, .X2 = 2900, .Y2 = 1300}},
};
constexpr FormLayout kLayout{.name = "frmScene", .Caption = "Scene", .ClientWidth = 3000, .ClientHeight = 2100, .elements = kElements};
enum Index { kGo, kOne, kText, kBall, kBox, kRound, kSlant };

class SceneForm final : public Form {
public:
    explicit SceneForm(App& app) : Form(app, kLayout) {}
    Control<CommandButton> cmdGo{*this, "cmdGo"};
    Control<OptionButton> optOne{*this, "optOne"};
    Control<Label> lblText{*this, "lblText"};
    Control<Shape> shpBall{*this, "shpBall"};
    Control<Shape> shpBox{*this, "shpBox"};
    Control<Shape> shpRound{*this, "shpRound"};
    Control<Line> linSlant{*this, "linSlant"};
};

struct Fixture {
    App app;
    SceneForm form{app};
    Pictures pictures{[](std::string_view) { return Bitmap{}; }};
    Fixture() { app.start(form); }
    Scene scene(double ratio, bool active = true, const Element* pressed = nullptr) {
        return sceneOf(form, {ratio, active, pressed}, pictures);
    }
};

// Every edge goes to the nearest device pixel; a one-pixel line is at least
// one device pixel wide; twips no screen shows stay far outside it.
TEST(SceneGrid, PutsTwipsOnTheNearestDevicePixelEdge) {
    struct Case {
        double ratio;
        Twips twips;
        int edge, lineEnd;
    };
    const Case cases[] = {
        {1.0, 0, 0, 1},    {1.0, 7, 0, 1},    {1.0, 8, 1, 2},     {1.0, -8, -1, 0},
        {1.5, 15, 2, 3},   {1.5, 25, 3, 4},   {1.5, 30, 3, 5},    {2.0, 15, 2, 4},
        {2.0, 7, 1, 3},    {2.0, -15, -2, 0},
    };
    for (const Case& c : cases) {
        const Grid grid(c.ratio);
        EXPECT_EQ(grid.edge(c.twips), c.edge) << c.ratio << " " << c.twips;
        EXPECT_EQ(grid.lineEnd(c.twips), c.lineEnd) << c.ratio << " " << c.twips;
        EXPECT_GE(grid.lineEnd(c.twips) - grid.lineStart(c.twips), 1);
    }
    const Grid grid(2.0);
    EXPECT_EQ(grid.edge(std::numeric_limits<Twips>::quiet_NaN()), -1000000);
    EXPECT_EQ(grid.edge(std::numeric_limits<Twips>::infinity()), 1000000);
    // A window's client area is its whole pixels; a window resized to
    // nothing, or to nonsense, has an empty one.
    EXPECT_EQ(Grid(1.5).client(14640, 9555), (Rect{0, 0, 1464, 956}));
    EXPECT_TRUE(Grid(2).client(0, 100).empty());
    EXPECT_TRUE(Grid(2).client(std::numeric_limits<Twips>::quiet_NaN(), -5).empty());
    // At a density no screen has, the menu's client area stays within what one could.
    EXPECT_EQ(Grid(1e7).client(9855, 11295), (Rect{0, 0, 1 << 19, 1 << 19}));
}

// The committed table of glyph widths is the fonts' own: a font file
// changed without running make face-metrics again fails here.
TEST(SceneFonts, WidthTableMatchesTheShippedFontFiles) {
    for (std::size_t face = 0; face < kFaces.size(); ++face) {
        std::ifstream in(std::string(ARCADEON_SOURCE_DIR) + "/assets/fonts/" + std::string(kFaces[face].file), std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        const std::optional<FaceMetrics> read = readFaceMetrics(bytes);
        ASSERT_TRUE(read.has_value()) << kFaces[face].file;
        EXPECT_EQ(*read, faceMetrics(static_cast<int>(face))) << kFaces[face].file;
        EXPECT_GT(read->advance(U'W'), read->advance(U'i'));
    }
    // Anything that is not a font reads as nothing, without a crash.
    const std::vector<std::uint8_t> junk = {0, 1, 0, 0, 0, 200, 1, 2, 3};
    EXPECT_FALSE(readFaceMetrics(junk).has_value());
    EXPECT_FALSE(readFaceMetrics({}).has_value());
}

// Named faces map to the shipped files at the layouts' sizes; a face the
// program does not ship is drawn with the dialog font, the closest it has.
TEST(SceneFonts, ResolvesFacesSizesAndWeights) {
    struct Case {
        Font font;
        DrawnFont drawn;
    };
    const Case cases[] = {
        {{"Arial Black", 36.0f, 400, 0}, {0, 900, 48}},
        {{"Old English Text MT", 20.25f, 400, 0}, {1, 400, 27}},
        {{"ISOCPEUR", 14.25f, 700, 0}, {2, 700, 19}},
        {kDialogFont, {3, 400, 11}},
        {{"Comic Sans MS", 15.75f, 400, 0}, {3, 400, 21}},
        {{"", std::numeric_limits<float>::quiet_NaN(), 400, 0}, {3, 400, 11}},
    };
    for (const Case& c : cases) EXPECT_EQ(drawnFont(c.font), c.drawn) << c.font.face;
}

// A caption breaks at the blank before the word that would pass the
// width; a word longer than the width keeps a line of its own; a line
// break in the caption starts a new line.
TEST(SceneText, WrapsAtBlanks) {
    const Measure measure(drawnFont({"Arial Black", 14.25f, 900, 0}));
    const double word = measure.width("three");
    EXPECT_EQ(wrapAtBlanks("one two three", measure, measure.width("one two") + 1),
              (std::vector<std::string>{"one two", "three"}));
    EXPECT_EQ(wrapAtBlanks("unbreakable word", measure, word / 2), (std::vector<std::string>{"unbreakable", "word"}));
    EXPECT_EQ(wrapAtBlanks("a\r\nb", measure, 1000), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(wrapAtBlanks("", measure, 10), (std::vector<std::string>{""}));
    // Text that is not valid UTF-8 is measured, not trusted.
    EXPECT_GT(measure.width("\xff\xc3"), 0);
}

// Text runs lie inside their label, one a line, from the label's top, and
// break at the same blanks at every density.
TEST(SceneText, LabelRunsBreakAlikeAtEveryDensity) {
    Fixture f;
    std::vector<std::string> first;
    for (double ratio : kRatios) {
        const Scene scene = f.scene(ratio);
        const Rect area = Grid(ratio).rect(0, 0, 1500, 600);
        std::vector<std::string> texts;
        int baseline = std::numeric_limits<int>::min();
        for (const Item& item : itemsOf(scene, kText)) {
            ASSERT_EQ(item.kind, ItemKind::Text);
            EXPECT_TRUE(area.contains(item.rect)) << ratio;
            EXPECT_GT(item.baseline, baseline);
            baseline = item.baseline;
            texts.push_back(item.text);
        }
        EXPECT_GT(texts.size(), 1u) << ratio;
        if (first.empty()) first = texts;
        EXPECT_EQ(texts, first) << ratio;
    }
}

// Curves are exact runs of pixels: the interior and the ring of a circle
// and of a rounded rectangle cover the curve's pixels once each, with no
// gap and no overlap, and the circle is symmetric about its centre.
TEST(SceneShapes, CurvesAreExactRunsOfPixels) {
    Fixture f;
    for (double ratio : kRatios) {
        const Scene scene = f.scene(ratio);
        for (int owner : {kBall, kRound}) {
            std::set<std::pair<int, int>> seen;
            long covered = 0;
            Rect extent;
            for (const Item& item : itemsOf(scene, owner)) {
                covered += static_cast<long>(item.rect.w) * item.rect.h;
                extent = extent.united(item.rect);
                for (int y = item.rect.y; y < item.rect.bottom(); ++y) {
                    for (int x = item.rect.x; x < item.rect.right(); ++x) seen.insert({x, y});
                }
            }
            EXPECT_EQ(covered, static_cast<long>(seen.size())) << "overlap at " << ratio;
            // every row of the curve is one run without holes
            for (int y = extent.y; y < extent.bottom(); ++y) {
                int count = 0, left = extent.right(), right = extent.x;
                for (int x = extent.x; x < extent.right(); ++x) {
                    if (!seen.contains({x, y})) continue;
                    ++count;
                    left = std::min(left, x);
                    right = std::max(right, x + 1);
                }
                EXPECT_EQ(count, right - left) << "hole in row " << y << " at " << ratio;
            }
            if (owner == kBall) {
                for (const auto& [x, y] : seen) {
                    EXPECT_TRUE(seen.contains({2 * extent.x + extent.w - 1 - x, y})) << ratio;
                    EXPECT_TRUE(seen.contains({x, 2 * extent.y + extent.h - 1 - y})) << ratio;
                }
            }
        }
    }
}

// A solid square shape in a wider rectangle paints only its centred
// square, and so only that square is its to draw again.
TEST(SceneShapes, SquareKindsDrawOnlyTheirCentredSquare) {
    Fixture f;
    for (double ratio : kRatios) {
        const Grid grid(ratio);
        const Rect square = grid.rect(2000 + 300, 300, 300, 300);
        Rect extent;
        for (const Item& item : itemsOf(f.scene(ratio), kBox)) extent = extent.united(item.rect);
        EXPECT_EQ(extent, square) << ratio;
    }
}

// A rectangle's outline is four one-pixel bands inside its edges, where a
// line on each edge would be: one device pixel, or as many as a pixel
// spans at the density; the inside is left as it is.
TEST(SceneShapes, RectangleOutlineBandsAreOnePixelWide) {
    static constexpr ElementLayout kOne[] = {
        {"shpFrame", Kind::Shape, {.Left = 150, .Top = 150, .Width = 300, .Height = 300, .BorderColor = RGB(255, 0, 0)}},
    };
    static constexpr FormLayout kFrame{.name = "frmFrame", .Caption = "F", .ClientWidth = 900, .ClientHeight = 900, .elements = kOne};
    for (double ratio : kRatios) {
        App app;
        Form form(app, kFrame);
        app.start(form);
        Pictures pictures{[](std::string_view) { return Bitmap{}; }};
        const Pixels pixels = pixelsOf(itemsOf(sceneOf(form, {ratio}, pictures), 0));
        const Grid grid(ratio);
        const Rect body = grid.rect(150, 150, 300, 300);
        const int row = body.y + body.h / 2;
        for (int x = body.x; x < body.right(); ++x) {
            const bool band = x < grid.lineEnd(150) || x >= grid.lineStart(450 - 15);
            EXPECT_EQ(pixels.contains({x, row}), band) << ratio << " x " << x;
        }
        const int left = grid.lineEnd(150) - body.x, right = body.right() - grid.lineStart(435);
        for (int band : {left, right}) {
            EXPECT_GE(band, 1) << ratio;
            EXPECT_LE(band, static_cast<int>(std::ceil(ratio))) << ratio;
        }
    }
}

// A slanted line is a pen stepped one device pixel at a time: every column
// between its ends is painted, and what it paints is what it would redraw.
TEST(SceneShapes, SlantedLineLeavesNoGapAtAnyDensity) {
    Fixture f;
    for (double ratio : kRatios) {
        const Grid grid(ratio);
        const Pixels pixels = pixelsOf(itemsOf(f.scene(ratio), kSlant));
        for (int x = grid.lineStart(1500); x < grid.lineEnd(2900); ++x) {
            bool found = false;
            for (int y = grid.lineStart(800); y < grid.lineEnd(1300) && !found; ++y) found = pixels.contains({x, y});
            EXPECT_TRUE(found) << ratio << " column " << x;
        }
    }
}

// A slanted line far longer than any screen (here 40,000 pixels across)
// shows the part of it that crosses the window: no column of the client
// area is left without it, at any density.
TEST(SceneShapes, SlantedLineLongerThanTheScreenShowsWhereItCrossesTheWindow) {
    Fixture f;
    f.form.linSlant->X1 = -300000;
    f.form.linSlant->Y1 = 900;
    f.form.linSlant->X2 = 300000;
    f.form.linSlant->Y2 = 1100;
    for (double ratio : kRatios) {
        const Scene scene = f.scene(ratio);
        const Pixels pixels = pixelsOf(itemsOf(scene, kSlant));
        for (int x = 0; x < scene.client.w; ++x) {
            bool found = false;
            for (int y = 0; y < scene.client.h && !found; ++y) found = pixels.contains({x, y});
            EXPECT_TRUE(found) << ratio << " column " << x;
        }
    }
}

// The focus shows only in the active window; a command button held down
// under the pointer looks pressed; the access key is underlined under its
// letter.
TEST(SceneButtons, FocusPressAndAccessKeyShowInTheScene) {
    Fixture f;
    f.form.setFocus(&*f.form.cmdGo);
    for (double ratio : kRatios) {
        const auto go = [&](bool active, const Element* pressed) { return itemsOf(f.scene(ratio, active, pressed), kGo); };
        EXPECT_NE(go(true, nullptr), go(false, nullptr)) << ratio;
        EXPECT_NE(go(false, &*f.form.cmdGo), go(false, nullptr)) << ratio;
        // The option button, without the focus, looks the same either way.
        EXPECT_EQ(itemsOf(f.scene(ratio, true), kOne), itemsOf(f.scene(ratio, false), kOne));
        const std::vector<Item> items = go(false, nullptr);
        const auto text = std::find_if(items.begin(), items.end(), [](const Item& i) { return i.kind == ItemKind::Text; });
        ASSERT_NE(text, items.end());
        EXPECT_EQ(text->text, "Go");
        const Measure measure(text->font);
        const int letter = static_cast<int>(std::lround(measure.width("G") * ratio));
        const bool underlined = std::any_of(items.begin(), items.end(), [&](const Item& i) {
            return i.kind == ItemKind::Fill && i.rect.x == text->x && i.rect.w == letter && i.rect.y > text->baseline;
        });
        EXPECT_TRUE(underlined) << ratio;
    }
}

// Choosing an option puts a dot in its box; nothing else of it changes.
TEST(SceneButtons, ChosenOptionShowsADot) {
    Fixture f;
    const Scene before = f.scene(1.0, false);
    f.form.optOne->Value = true;
    const Scene after = f.scene(1.0, false);
    const std::vector<Rect> changed = damage(before, after);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0], Grid(1.0).rect(1500, 1500, 1200, 300));
}

// Damage: nothing when nothing changed; an element that moves, its old and
// new places only; the window's size, everything.
TEST(SceneDamage, IsWhatDiffersBetweenTwoScenes) {
    Fixture f;
    for (double ratio : kRatios) {
        const Grid grid(ratio);
        const Scene first = f.scene(ratio);
        EXPECT_TRUE(damage(first, f.scene(ratio)).empty()) << ratio;
        f.form.shpBall->Left = 150;
        const Scene moved = f.scene(ratio);
        const std::vector<Rect> rects = damage(first, moved);
        ASSERT_EQ(rects.size(), 2u) << ratio;
        EXPECT_EQ(rects[0], grid.rect(1500, 300, 400, 400)) << ratio;
        EXPECT_EQ(rects[1], grid.rect(150, 300, 400, 400)) << ratio;
        f.form.shpBall->Left = 1500;
        f.app.resize(f.form, 2000, 2000);
        const Scene smaller = f.scene(ratio);
        EXPECT_EQ(damage(first, smaller), (std::vector<Rect>{smaller.client})) << ratio;
        f.app.resize(f.form, 3000, 2100);
    }
}

// The scene a window shows: its first scene is drawn whole, the same scene
// again draws nothing; a window resized to nothing shows an empty scene,
// and grown back it is drawn whole again.
TEST(SceneShown, SaysWhatToDrawAsEachSceneReplacesTheLast) {
    Fixture f;
    Shown shown;
    const Scene first = f.scene(1.0);
    EXPECT_EQ(shown.show(first), (std::vector<Rect>{first.client}));
    EXPECT_TRUE(shown.show(f.scene(1.0)).empty());
    f.app.resize(f.form, 0, 0);
    EXPECT_TRUE(shown.show(f.scene(1.0)).empty());
    EXPECT_TRUE(shown.scene()->client.empty());
    f.app.resize(f.form, 3000, 2100);
    EXPECT_EQ(shown.show(f.scene(1.0)), (std::vector<Rect>{first.client}));
    shown.forget();
    EXPECT_EQ(shown.scene(), nullptr);
    EXPECT_EQ(shown.show(f.scene(1.0)), (std::vector<Rect>{first.client}));
}

// Nothing is drawn outside the client area, so nothing there is damaged.
TEST(SceneDamage, StaysInsideTheClientArea) {
    Fixture f;
    f.form.shpBall->Left = -5000;
    f.form.linSlant->X2 = 90000;
    for (double ratio : kRatios) {
        const Scene scene = f.scene(ratio);
        for (const Item& item : scene.items) EXPECT_TRUE(scene.client.contains(item.rect)) << ratio;
    }
}

// ---- pictures ----------------------------------------------------------------------

std::vector<std::uint8_t> bmp(int width, int height, int bits, const std::vector<std::uint32_t>& argb, bool alphaMask = false) {
    const int step = bits / 8, stride = (width * step + 3) & ~3;
    const std::uint32_t header = alphaMask ? 108 : 40, offset = 14 + header;
    std::vector<std::uint8_t> file(offset + static_cast<std::size_t>(stride) * height);
    const auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int b = 0; b < 4; ++b) file[at + b] = static_cast<std::uint8_t>(v >> (8 * b));
    };
    file[0] = 'B', file[1] = 'M';
    put32(10, offset);
    put32(14, header);
    put32(18, static_cast<std::uint32_t>(width));
    put32(22, static_cast<std::uint32_t>(height));
    file[26] = 1, file[28] = static_cast<std::uint8_t>(bits);
    if (alphaMask) {
        put32(30, 3);
        put32(54, 0x00FF0000u), put32(58, 0x0000FF00u), put32(62, 0x000000FFu), put32(66, 0xFF000000u);
    }
    for (int y = 0; y < height; ++y) {  // bottom-up
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = argb[static_cast<std::size_t>((height - 1 - y) * width + x)];
            for (int b = 0; b < step; ++b) file[offset + static_cast<std::size_t>(y) * stride + x * step + b] = static_cast<std::uint8_t>(p >> (8 * b));
        }
    }
    return file;
}

// BMP files of 24 and 32 bits a pixel read as the pixels they hold; the
// fourth byte is alpha only when the header says so; any other file, or
// a damaged one, reads as nothing.
TEST(ScenePictures, DecodesBmpFiles) {
    const std::vector<std::uint32_t> argb = {0x80FF0000, 0x0000FF00, 0xFF0000FF, 0x00FFFFFF};
    struct Case {
        int bits;
        bool mask;
        std::uint8_t alpha0;
    };
    for (const Case& c : {Case{24, false, 255}, Case{32, false, 255}, Case{32, true, 0x80}}) {
        const Bitmap read = decodeBmp(bmp(2, 2, c.bits, argb, c.mask));
        ASSERT_EQ(read.width, 2);
        ASSERT_EQ(read.height, 2);
        EXPECT_EQ(std::vector<std::uint8_t>(read.rgba.begin(), read.rgba.begin() + 8),
                  (std::vector<std::uint8_t>{255, 0, 0, c.alpha0, 0, 255, 0, static_cast<std::uint8_t>(c.mask ? 0 : 255)}));
    }
    std::vector<std::uint8_t> truncated = bmp(2, 2, 24, argb);
    truncated.resize(truncated.size() - 4);
    EXPECT_TRUE(decodeBmp(truncated).empty());
    EXPECT_TRUE(decodeBmp(std::vector<std::uint8_t>{'B', 'M', 0, 0}).empty());
    EXPECT_TRUE(decodeBmp({}).empty());
}

Bitmap solid(int width, int height, std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a = 255) {
    Bitmap bitmap{width, height, {}};
    for (int i = 0; i < width * height; ++i) bitmap.rgba.insert(bitmap.rgba.end(), {r, g, b, a});
    return bitmap;
}

// One scaling rule: whole pixels averaged by how much of each is covered,
// in whole numbers; a pixel at least half covered is opaque, any other
// is fully transparent, so every front end blends it alike.
TEST(ScenePictures, ScalesByAreaWithOpaqueOrClearPixels) {
    Bitmap two = solid(2, 1, 0, 0, 0);
    two.rgba[4] = 200;  // black, then red 200
    EXPECT_EQ(scaled(two, {1, 1}).rgba, (std::vector<std::uint8_t>{100, 0, 0, 255}));
    EXPECT_EQ(scaled(two, {4, 1}).rgba,
              (std::vector<std::uint8_t>{0, 0, 0, 255, 0, 0, 0, 255, 200, 0, 0, 255, 200, 0, 0, 255}));
    EXPECT_EQ(scaled(two, {3, 1}).rgba, (std::vector<std::uint8_t>{0, 0, 0, 255, 100, 0, 0, 255, 200, 0, 0, 255}));
    // alpha: the colour of what covers it, opaque from half covered
    Bitmap edge = solid(2, 1, 10, 20, 30);
    edge.rgba[7] = 0;
    edge.rgba[4] = 99;
    EXPECT_EQ(scaled(edge, {1, 1}).rgba, (std::vector<std::uint8_t>{10, 20, 30, 255}));
    edge.rgba[3] = 127;
    EXPECT_EQ(scaled(edge, {1, 1}).rgba, (std::vector<std::uint8_t>{0, 0, 0, 0}));
    // a part of a scaled picture is that part of the whole
    Bitmap ramp{5, 3, {}};
    for (int i = 0; i < 15; ++i) ramp.rgba.insert(ramp.rgba.end(), {static_cast<std::uint8_t>(i * 17), 7, 9, 255});
    const Bitmap whole = scaled(ramp, {13, 7});
    const Bitmap part = scaled(ramp, {13, 7}, {4, 2, 5, 3});
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 5; ++x) {
            for (int b = 0; b < 4; ++b) {
                EXPECT_EQ(part.rgba[static_cast<std::size_t>((y * 5 + x) * 4 + b)],
                          whole.rgba[static_cast<std::size_t>(((y + 2) * 13 + x + 4) * 4 + b)]);
            }
        }
    }
    EXPECT_TRUE(scaled(Bitmap{}, {3, 3}).empty());
    EXPECT_TRUE(scaled(two, {0, 5}).empty());
}

// A picture is decoded once, kept only at the sizes it is drawn at, and
// let go when no window on the screen draws it.
TEST(ScenePictures, KeepsOnlyTheSizesDrawn) {
    int loads = 0;
    Pictures pictures([&](std::string_view name) {
        ++loads;
        return name == "a.bmp" ? solid(4, 2, 1, 2, 3) : Bitmap{};
    });
    EXPECT_EQ(pictures.natural("a.bmp"), (Size{4, 2}));
    EXPECT_FALSE(pictures.natural("missing.bmp").has_value());
    EXPECT_FALSE(pictures.natural("").has_value());
    EXPECT_EQ(pictures.at("a.bmp", {8, 4}).width, 8);
    const int before = loads;
    EXPECT_EQ(pictures.at("a.bmp", {8, 4}).width, 8);
    EXPECT_EQ(pictures.natural("a.bmp"), (Size{4, 2}));
    EXPECT_EQ(loads, before);
    EXPECT_EQ(pictures.at("a.bmp", {2, 1}).width, 2);
    EXPECT_EQ(pictures.kept("a.bmp"), (std::vector<Size>{{2, 1}, {8, 4}}));
    pictures.retain({{"a.bmp", {8, 4}}});
    EXPECT_EQ(pictures.kept("a.bmp"), (std::vector<Size>{{8, 4}}));
    EXPECT_TRUE(pictures.at("missing.bmp", {3, 3}).empty());
}

// The scene in memory: a header, a fixed number of words an item and the
// texts' bytes after them, so a front end can read it without parsing.
TEST(SceneEncoding, HoldsEveryItemAndItsText) {
    Fixture f;
    const Scene scene = f.scene(1.5);
    const std::vector<std::int32_t> words = encode(scene);
    ASSERT_GE(words.size(), static_cast<std::size_t>(kHeaderWords));
    EXPECT_EQ(words[0], kMagic);
    EXPECT_EQ(words[1], static_cast<std::int32_t>(scene.items.size()));
    EXPECT_EQ(words[2], scene.client.w);
    EXPECT_EQ(words[4], static_cast<std::int32_t>(words.size()));
    const auto* bytes = reinterpret_cast<const char*>(words.data() + kHeaderWords + scene.items.size() * kWordsPerItem);
    for (std::size_t i = 0; i < scene.items.size(); ++i) {
        const std::int32_t* item = words.data() + kHeaderWords + i * kWordsPerItem;
        EXPECT_EQ(item[0], static_cast<std::int32_t>(scene.items[i].kind));
        EXPECT_EQ((Rect{item[2], item[3], item[4], item[5]}), scene.items[i].rect);
        if (scene.items[i].kind == ItemKind::Text) {
            EXPECT_EQ(std::string(bytes + item[7], static_cast<std::size_t>(item[8])), scene.items[i].text);
            EXPECT_EQ(item[10], scene.items[i].baseline);
        }
    }
}

}  // namespace
}  // namespace arcadeon::scene
