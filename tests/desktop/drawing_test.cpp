// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop program draws: the menu, and each element kind's drawing rules.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QRect>
#include <algorithm>
#include <array>
#include <cmath>

#include "probe.h"
#include "shell/desktop/fonts.h"
#include "shell/desktop/painting.h"
#include "shell/desktop/pictures.h"
#include "shell/desktop/units.h"
#include "shell/program.h"
#include "shell/scene/scene.h"

namespace arcadeon::desktop::testing {
namespace {

// A form drawn whole into `image` at the image's device pixel ratio, as a
// window shows it.
void drawForm(QImage& image, const Form& form, Pictures& pictures, Fonts& fonts) {
    const qreal ratio = image.devicePixelRatioF();
    const QImage drawn = sceneImage(scene::sceneOf(form, {ratio}, pictures.scenes()), pictures, fonts);
    QPainter painter(&image);
    painter.scale(1 / ratio, 1 / ratio);
    painter.drawImage(0, 0, drawn);
}

bool isWhite(QColor c) { return c.red() > 200 && c.green() > 200 && c.blue() > 200; }
bool isRed(QColor c) { return c.red() > 150 && c.green() < 80 && c.blue() < 80; }

QColor averageColour(const QImage& image, const QRect& area) {
    qint64 red = 0, green = 0, blue = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red();
            green += c.green();
            blue += c.blue();
        }
    }
    const qint64 n = static_cast<qint64>(area.width()) * area.height();
    return {static_cast<int>(red / n), static_cast<int>(green / n), static_cast<int>(blue / n)};
}

// Pixel (x, y) of an opaque picture scaled to width x height, worked out
// here on its own: each colour the average of the file's pixels under the
// pixel's area, each weighted by how much of it lies there.
std::array<double, 3> areaAverage(const scene::Bitmap& file, int width, int height, int x, int y) {
    const double left = static_cast<double>(x) * file.width / width, right = static_cast<double>(x + 1) * file.width / width;
    const double top = static_cast<double>(y) * file.height / height, bottom = static_cast<double>(y + 1) * file.height / height;
    std::array<double, 3> sum{};
    double area = 0;
    for (int row = static_cast<int>(top); row < bottom && row < file.height; ++row) {
        const double down = std::min(bottom, row + 1.0) - std::max(top, static_cast<double>(row));
        for (int column = static_cast<int>(left); column < right && column < file.width; ++column) {
            const double share = down * (std::min(right, column + 1.0) - std::max(left, static_cast<double>(column)));
            const std::uint8_t* pixel = &file.rgba[(static_cast<std::size_t>(row) * file.width + column) * 4];
            for (int c = 0; c < 3; ++c) sum[c] += share * pixel[c];
            area += share;
        }
    }
    for (double& channel : sum) channel /= area;
    return sum;
}

// Where the text of one colour lies, outside the pictures.
struct Ink {
    int count = 0;
    int left = 1 << 20, right = -1, top = 1 << 20, bottom = -1;
};

Ink inkIn(const QImage& image, int top, int bottom, bool (*matches)(QColor), const std::vector<QRect>& skip) {
    Ink ink;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QPoint at(x, y);
            if (std::any_of(skip.begin(), skip.end(), [&](const QRect& r) { return r.contains(at); })) continue;
            if (!matches(image.pixelColor(at))) continue;
            ++ink.count;
            ink.left = std::min(ink.left, x);
            ink.right = std::max(ink.right, x);
            ink.top = std::min(ink.top, y);
            ink.bottom = std::max(ink.bottom, y);
        }
    }
    return ink;
}

TEST(MenuDrawing, ShowsBlackBackgroundWhiteTitleRedNamesAndEachPictureInItsRectangle) {
    // The start-up menu: black client area, the title in white and the three
    // game names in red, each centred in its band, and each picture filling its rectangle.
    Program program;
    Desktop desktop(program.app);
    desktop.start(program.frmMenu);
    const QImage image = shot(desktop, program.frmMenu);
    ASSERT_EQ(image.size(), QSize(657, 753));

    struct Picture {
        const char* file;
        QRect area;  // pixels: the element's twips over 15
    };
    const Picture pictures[] = {
        {"menu-froggy.png", QRect(192, 552, 292, 180)},
        {"menu-ping.png", QRect(208, 368, 255, 132)},
        {"menu-invaders.png", QRect(208, 152, 249, 164)},
    };
    std::vector<QRect> pictureAreas;
    for (const Picture& picture : pictures) pictureAreas.push_back(picture.area);

    for (const QPoint at : {QPoint(2, 2), QPoint(654, 750), QPoint(60, 400), QPoint(600, 250), QPoint(328, 540)}) {
        EXPECT_EQ(image.pixelColor(at), QColor(Qt::black)) << at.x() << "," << at.y();
    }

    struct Text {
        const char* label;
        bool (*matches)(QColor);
        int top, bottom;  // the label's band in pixels
    };
    const Text texts[] = {
        {"lblTitle", isWhite, 24, 89},
        {"lblInvaders", isRed, 104, 145},
        {"lblPing", isRed, 320, 369},
        {"lblFrog", isRed, 504, 553},
    };
    for (const Text& text : texts) {
        SCOPED_TRACE(text.label);
        const Ink ink = inkIn(image, text.top, text.bottom, text.matches, pictureAreas);
        EXPECT_GT(ink.count, 100);
        EXPECT_NEAR((ink.left + ink.right) / 2.0, 328.5, 6.0);  // centred across the window
    }
    // Nothing white or red outside those bands and the pictures.
    EXPECT_EQ(inkIn(image, 0, 24, isWhite, pictureAreas).count, 0);
    EXPECT_EQ(inkIn(image, 89, 753, isWhite, pictureAreas).count, 0);
    EXPECT_EQ(inkIn(image, 145, 320, isRed, pictureAreas).count, 0);
    EXPECT_EQ(inkIn(image, 553, 753, isRed, pictureAreas).count, 0);

    for (const Picture& picture : pictures) {
        SCOPED_TRACE(picture.file);
        const QImage asset(QStringLiteral(":/assets/") + picture.file);
        ASSERT_FALSE(asset.isNull());
        const QImage expected = asset.scaled(picture.area.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QColor want = averageColour(expected, expected.rect());
        const QColor got = averageColour(image, picture.area);
        EXPECT_NEAR(got.red(), want.red(), 3);
        EXPECT_NEAR(got.green(), want.green(), 3);
        EXPECT_NEAR(got.blue(), want.blue(), 3);
        int lit = 0;  // not the black background
        for (int y = picture.area.top(); y <= picture.area.bottom(); ++y) {
            for (int x = picture.area.left(); x <= picture.area.right(); ++x) lit += image.pixelColor(x, y) != QColor(Qt::black) ? 1 : 0;
        }
        EXPECT_GT(lit, picture.area.width() * picture.area.height() / 50);
        // the picture stops at its rectangle: black just left and right of it
        const int middle = picture.area.center().y();
        EXPECT_EQ(image.pixelColor(picture.area.left() - 1, middle), QColor(Qt::black));
        EXPECT_EQ(image.pixelColor(picture.area.right() + 1, middle), QColor(Qt::black));
    }
}

// A 200 x 200 pixel window with one element of each drawing rule, front first.
constexpr Font kHeavy{"Arial Black", 14.25f, 900, 0};
constexpr Color kNavy = RGB(0, 0, 128);
constexpr ElementLayout kDrawn[] = {
    {"imgOver", Kind::Image, {.Left = 1350, .Top = 1350, .Width = 1500, .Height = 1500, .Picture = "menu-ping.png", .Stretch = true}},
    {"cmdUnder", Kind::CommandButton, {.Left = 1500, .Top = 1500, .Width = 900, .Height = 450, .Caption = "&Go"}},
    {"lblClear", Kind::Label, {.Left = 150, .Top = 150, .Width = 300, .Height = 300, .BackStyle = 0}},
    {"shpBox", Kind::Shape, {.Left = 150, .Top = 150, .Width = 300, .Height = 300, .BorderColor = RGB(0, 255, 0), .FillStyle = 0, .FillColor = RGB(255, 0, 0)}},
    {"shpBall", Kind::Shape, {.Left = 600, .Top = 150, .Width = 600, .Height = 300, .Shape = 3, .BorderColor = RGB(255, 255, 0), .FillStyle = 0, .FillColor = RGB(255, 255, 0)}},
    {"linFloor", Kind::Line, {.X1 = 0, .Y1 = 900, .X2 = 1500, .Y2 = 900, .BorderColor = RGB(255, 255, 255)}},
    {"lblOpaque", Kind::Label, {.Left = 1500, .Top = 150, .Width = 600, .Height = 300, .BackColor = RGB(0, 128, 0)}},
    {"lblRight", Kind::Label, {.Left = 1500, .Top = 600, .Width = 1200, .Height = 450, .Caption = "WW", .Alignment = 1, .BackStyle = 0, .ForeColor = RGB(255, 255, 255), .Font = kHeavy}},
    {"lblWrap", Kind::Label, {.Left = 150, .Top = 1500, .Width = 900, .Height = 1200, .Caption = "WWW WWW", .BackStyle = 0, .ForeColor = RGB(255, 255, 255), .Font = kHeavy}},
    {"lblClip", Kind::Label, {.Left = 150, .Top = 1050, .Width = 600, .Height = 300, .Caption = "WWWWWWWW", .BackStyle = 0, .ForeColor = RGB(255, 255, 255), .Font = kHeavy}},
    {"imgMissing", Kind::Image, {.Left = 2400, .Top = 150, .Width = 450, .Height = 300, .Picture = "not-there.bmp", .Stretch = true}},
    {"shpAt22", Kind::Shape, {.Left = 22, .Top = 2700, .Width = 300, .Height = 90, .BorderColor = RGB(255, 0, 255)}},
    {"shpAt23", Kind::Shape, {.Left = 23, .Top = 2850, .Width = 300, .Height = 90, .BorderColor = RGB(255, 0, 255)}},
};
const FormLayout kDrawnLayout{.name = "frmDrawn", .Caption = "Drawn", .BackColor = kNavy, .ClientWidth = 3000, .ClientHeight = 3000, .elements = kDrawn};

class ElementDrawing : public ::testing::Test {
protected:
    App app;
    ProbeForm form{app, kDrawnLayout};
    Desktop desktop{app};
    QImage image;

    void SetUp() override {
        desktop.start(form);
        image = shot(desktop, form);
        ASSERT_EQ(image.size(), QSize(200, 200));
    }
};

TEST_F(ElementDrawing, EachKindDrawsAtItsRoundedPixels) {
    // Shapes, lines, opaque and transparent labels and pictures land on the
    // pixels their twips round to; a picture with no file draws nothing.
    struct Pixel {
        const char* what;
        QPoint at;
        QColor colour;
    };
    const Pixel pixels[] = {
        {"rectangle outline, top left", {10, 10}, QColor(0, 255, 0)},
        {"rectangle outline, bottom right", {29, 29}, QColor(0, 255, 0)},
        {"rectangle fill, through a transparent label", {11, 11}, QColor(255, 0, 0)},
        {"rectangle fill, inside the far corner", {28, 28}, QColor(255, 0, 0)},
        {"outside the rectangle", {30, 30}, QColor(0, 0, 128)},
        {"circle centre", {60, 20}, QColor(255, 255, 0)},
        {"circle: the shorter side, centred", {45, 20}, QColor(0, 0, 128)},
        {"circle: clear of the rectangle's corner", {51, 11}, QColor(0, 0, 128)},
        {"line, first pixel", {0, 60}, QColor(255, 255, 255)},
        {"line, its end point drawn", {100, 60}, QColor(255, 255, 255)},
        {"line stops at its end point", {101, 60}, QColor(0, 0, 128)},
        {"line is one pixel high", {50, 61}, QColor(0, 0, 128)},
        {"opaque label background", {101, 28}, QColor(0, 128, 0)},
        {"a missing picture leaves the background", {175, 20}, QColor(0, 0, 128)},
        {"22 twips rounds down to pixel 1", {1, 182}, QColor(255, 0, 255)},
        {"23 twips rounds up to pixel 2", {1, 192}, QColor(0, 0, 128)},
        {"23 twips rounds up to pixel 2, edge", {2, 192}, QColor(255, 0, 255)},
    };
    for (const Pixel& pixel : pixels) {
        EXPECT_EQ(image.pixelColor(pixel.at), pixel.colour) << pixel.what;
    }
}

TEST_F(ElementDrawing, LabelTextAlignsWrapsAtBlanksAndIsClipped) {
    // Right-aligned text ends at the right edge; a line that does not fit
    // breaks at the blank; text never leaves the label's rectangle.
    const Ink right = inkIn(image, 40, 70, isWhite, {QRect(0, 0, 101, 200)});  // not the line
    EXPECT_GT(right.count, 0);
    EXPECT_GE(right.right, 175);
    EXPECT_LT(right.right, 180);
    EXPECT_GT(right.left, 120);

    const int lineHeight = static_cast<int>(scene::Measure(scene::drawnFont(kHeavy)).height());
    const std::vector<QRect> elsewhere{QRect(70, 0, 200, 200)};
    const Ink first = inkIn(image, 100, 100 + lineHeight, isWhite, elsewhere);
    const Ink second = inkIn(image, 100 + lineHeight, 100 + 2 * lineHeight, isWhite, elsewhere);
    EXPECT_GT(first.count, 0);
    EXPECT_GT(second.count, 0);  // "WWW" went to the second line
    EXPECT_LE(std::max(first.right, second.right), 69);

    const Ink clipped = inkIn(image, 70, 90, isWhite, {});
    EXPECT_GT(clipped.count, 0);
    EXPECT_EQ(clipped.right, 49);  // cut at the label's right edge
}

TEST_F(ElementDrawing, ButtonsLieAboveImagesWhateverTheirPlaceInTheList) {
    // The picture is in front of the button in the list, yet the button,
    // a control of its own, is drawn over it in its button face.
    const QColor face = image.pixelColor(103, 112);
    EXPECT_GT(face.red(), 150);
    EXPECT_GT(face.green(), 150);
    EXPECT_GT(face.blue(), 150);
    EXPECT_LT(image.pixelColor(185, 185).red(), 60);  // the (dark) picture around it
}

TEST(HighDensityDrawing, EdgesRoundToTheNearestDevicePixel) {
    // At two device pixels a pixel, 22 twips is 2.93 device pixels: the edge
    // lands on device pixel 3, not on pixel 2 as at one device pixel a pixel.
    App app;
    ProbeForm form{app, kDrawnLayout};
    form.ensureLoaded();
    Fonts fonts;
    Pictures pictures;
    QImage image(400, 400, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    drawForm(image, form, pictures, fonts);
    EXPECT_EQ(image.pixelColor(3, 365), QColor(255, 0, 255));
    EXPECT_EQ(image.pixelColor(2, 365), QColor(0, 0, 128));
    EXPECT_EQ(image.pixelColor(3, 385), QColor(255, 0, 255));  // 23 twips: 3.07, also pixel 3
    EXPECT_EQ(image.pixelColor(20, 20), QColor(0, 255, 0));    // the rectangle's outline, two device pixels wide
    EXPECT_EQ(image.pixelColor(21, 21), QColor(0, 255, 0));
    EXPECT_EQ(image.pixelColor(22, 22), QColor(255, 0, 0));
}

TEST(PictureMemory, AStretchedPictureIsKeptOnlyAtTheSizeItIsDrawnAt) {
    // Deciding whether a stretched picture hides what lies behind it once
    // asked for its own size, which decoded it and kept a full-size copy that
    // is never drawn (a megabyte for the Invaders bomb) beside the drawn one.
    App app;
    ProbeForm form{app, kDrawnLayout};
    form.ensureLoaded();
    Fonts fonts;
    Pictures pictures;
    for (const qreal ratio : {1.0, 2.0}) {
        QImage image(static_cast<int>(200 * ratio), static_cast<int>(200 * ratio), QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        drawForm(image, form, pictures, fonts);
    }
    // imgOver: 1500 twips square, 100 pixels
    EXPECT_EQ(pictures.kept("menu-ping.png"), (std::vector<scene::Size>{{100, 100}, {200, 200}}));
}

TEST(HighDensityDrawing, PicturesAndTextUseEveryDevicePixelWithTheLayoutUnchanged) {
    // At two device pixels a pixel the menu keeps its layout (each picture
    // in the same rectangle, twice the pixels), each picture is scaled from
    // its file to the device pixels it covers by the one scaling rule, not
    // blown up from a one-pixel-a-pixel copy, and text has detail finer
    // than a pixel.
    Program program;
    program.app.start(program.frmMenu);
    Fonts fonts;
    Pictures pictures;
    QImage image(657 * 2, 753 * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    drawForm(image, program.frmMenu, pictures, fonts);
    image.setDevicePixelRatio(1);

    struct Picture {
        const char* file;
        QRect area;  // device pixels: the element's twips over 7.5
    };
    const Picture drawn[] = {
        {"menu-froggy.png", QRect(384, 1104, 584, 360)},
        {"menu-ping.png", QRect(416, 736, 510, 264)},
        {"menu-invaders.png", QRect(416, 304, 498, 328)},
    };
    for (const Picture& picture : drawn) {
        SCOPED_TRACE(picture.file);
        const scene::Bitmap file = Pictures::decode(picture.file);
        ASSERT_FALSE(file.empty());
        const QImage shown = image.copy(picture.area);
        int worst = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const std::array<double, 3> want = areaAverage(file, shown.width(), shown.height(), x, y);
                const QRgb got = shown.pixel(x, y);
                const int have[] = {qRed(got), qGreen(got), qBlue(got)};
                for (int c = 0; c < 3; ++c) worst = std::max(worst, static_cast<int>(std::ceil(std::abs(have[c] - want[c]) - 0.5 - 1e-9)));
            }
        }
        EXPECT_EQ(worst, 0) << "a pixel differs by " << worst << " from the average of the file's pixels under it";
    }

    // Aligned blocks of 2 x 2 device pixels that are not all one colour:
    // none at all if the title were drawn at one pixel a pixel and doubled.
    int detailed = 0;
    for (int y = 48; y < 178; y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner || image.pixel(x + 1, y + 1) != corner) ++detailed;
        }
    }
    EXPECT_GT(detailed, 200);
}

// A deck with an outline, its three edges and a middle rung drawn over by
// lines that end on the outline, like the bridge's ladder in Froggy; and a
// ball crossed by a line, like Ping's.
constexpr Color kOutline = RGB(0, 255, 0), kDeck = RGB(128, 64, 0), kRail = RGB(255, 255, 255);
constexpr ElementLayout kLadder[] = {
    {"linLeft", Kind::Line, {.X1 = 300, .Y1 = 300, .X2 = 300, .Y2 = 1200, .BorderColor = kRail}},
    {"linRight", Kind::Line, {.X1 = 1500, .Y1 = 1200, .X2 = 1500, .Y2 = 300, .BorderColor = kRail}},
    {"linBottom", Kind::Line, {.X1 = 300, .Y1 = 1200, .X2 = 1500, .Y2 = 1200, .BorderColor = kRail}},
    {"linRung", Kind::Line, {.X1 = 1500, .Y1 = 705, .X2 = 300, .Y2 = 705, .BorderColor = kRail}},
    {"shpDeck", Kind::Shape, {.Left = 300, .Top = 300, .Width = 1215, .Height = 915, .BorderColor = kOutline, .FillStyle = 0, .FillColor = kDeck}},
    {"linCentre", Kind::Line, {.X1 = 2295, .Y1 = 150, .X2 = 2295, .Y2 = 1350, .BorderColor = kRail}},
    {"shpBall", Kind::Shape, {.Left = 1800, .Top = 450, .Width = 1095, .Height = 1095, .Shape = 3, .BorderColor = kOutline, .FillStyle = 0, .FillColor = kDeck}},
};
const FormLayout kLadderLayout{.name = "frmLadder", .Caption = "Ladder", .BackColor = kNavy, .ClientWidth = 3000, .ClientHeight = 1800, .elements = kLadder};

QImage drawAt(const Form& form, qreal ratio) {
    Fonts fonts;
    Pictures pictures;
    QImage image(static_cast<int>(std::ceil(200 * ratio)), static_cast<int>(std::ceil(120 * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    drawForm(image, form, pictures, fonts);
    image.setDevicePixelRatio(1);
    return image;
}

// The device pixels of one colour along a row (a column: `down`) of an
// image, from `from` up to `to`.
std::vector<int> inkAlong(const QImage& image, int at, bool down, QColor colour, int from, int to) {
    std::vector<int> found;
    for (int i = from; i < to; ++i) {
        if (image.pixelColor(down ? at : i, down ? i : at) == colour) found.push_back(i);
    }
    return found;
}
std::vector<int> columnsOf(const QImage& image, int y, QColor colour, int from, int to) { return inkAlong(image, y, false, colour, from, to); }
std::vector<int> rowsOf(const QImage& image, int x, QColor colour, int from, int to) { return inkAlong(image, x, true, colour, from, to); }

TEST(CrispDrawing, LinesMeetTheOutlinesTheyEndOnAtEveryDensity) {
    // A line lies on the device pixels of the outline along the same edge,
    // both its end points included: at ratios 1, 1.5 and 2 the rails hide
    // the deck's left, right and bottom outline entirely, reach its corners,
    // and never pass its edge; the rung spans the deck from outline to outline.
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        App app;
        ProbeForm form{app, kLadderLayout};
        form.ensureLoaded();
        const Box& shpDeck = form.elementAs<Box>("shpDeck");
        const QRect deck = qtRect(scene::Grid(ratio).rect(shpDeck.Left, shpDeck.Top, shpDeck.Width, shpDeck.Height));
        for (const char* line : {"linLeft", "linRight", "linBottom", "linRung"}) form.elementAs<Line>(line).Visible = false;
        const QImage outline = drawAt(form, ratio);
        for (const char* line : {"linLeft", "linRight", "linBottom", "linRung"}) form.elementAs<Line>(line).Visible = true;
        const QImage ladder = drawAt(form, ratio);

        const int middle = deck.top() + deck.height() / 3;
        const QColor green(0, 255, 0), white(255, 255, 255);
        // the rails take exactly the outline's columns and rows
        EXPECT_EQ(columnsOf(ladder, middle, white, deck.left(), deck.center().x()),
                  columnsOf(outline, middle, green, deck.left(), deck.center().x()));
        EXPECT_EQ(columnsOf(ladder, middle, white, deck.center().x(), deck.right() + 1),
                  columnsOf(outline, middle, green, deck.center().x(), deck.right() + 1));
        EXPECT_EQ(rowsOf(ladder, deck.center().x(), white, deck.center().y() + 2, deck.bottom() + 1),
                  rowsOf(outline, deck.center().x(), green, deck.center().y() + 2, deck.bottom() + 1));
        int outlineLeft = 0, railsOutside = 0;
        for (int y = 0; y < ladder.height(); ++y) {
            for (int x = 0; x < deck.right() + 4; ++x) {
                const QColor c = ladder.pixelColor(x, y);
                const bool inTopBand = y < deck.top() + (outline.pixelColor(deck.center().x(), deck.top() + 1) == green ? 2 : 1);
                if (c == green && !inTopBand) ++outlineLeft;
                if (c == white && !deck.contains(x, y)) ++railsOutside;
            }
        }
        EXPECT_EQ(outlineLeft, 0) << "outline showing beside a rail, or a corner a rail stops short of";
        EXPECT_EQ(railsOutside, 0) << "a rail past the deck's edge";
        // the rung, drawn from right to left, spans the whole deck
        const int rung = scene::Grid(ratio).lineStart(705);
        EXPECT_EQ(columnsOf(ladder, rung, white, 0, deck.right() + 4).size(), static_cast<std::size_t>(deck.width()));
    }
}

TEST(CrispDrawing, EveryPixelOfOutlinesAndLinesIsInItsOwnColour) {
    // No pixel is blended: a circle's outline is as crisp as a rectangle's,
    // also where a line crosses it, at ratios 1, 1.5 and 2.
    for (const qreal ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        App app;
        ProbeForm form{app, kLadderLayout};
        form.ensureLoaded();
        const QImage image = drawAt(form, ratio);
        const QRgb allowed[] = {qRgb(0, 255, 0), qRgb(128, 64, 0), qRgb(255, 255, 255), qRgb(0, 0, 128)};
        int blended = 0, ring = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = image.pixel(x, y);
                if (std::find(std::begin(allowed), std::end(allowed), c) == std::end(allowed)) ++blended;
                if (c == qRgb(0, 255, 0) && x >= scene::Grid(ratio).edge(1800)) ++ring;
            }
        }
        EXPECT_EQ(blended, 0);
        EXPECT_GT(ring, static_cast<int>(150 * ratio)) << "the ball's outline is there";
    }
}

}  // namespace
}  // namespace arcadeon::desktop::testing
