// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The Froggy window: frog steps and their bounds, traffic wrap-around, the
// hit zone, the bridge, the goal, pausing, the loss count and the pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "froggy/frmFroggy.h"
#include "shell/program.h"
#include "support.h"

namespace arcadeon {
namespace {

using testing::elementOf;
using testing::RecordingFrontEnd;

// The program started and Froggy opened from the menu, as a player does.
class FroggyTest : public ::testing::Test {
protected:
    FroggyTest() {
        program.app.setFrontEnd(&frontEnd);
        program.open(Program::Game::Froggy);
    }

    Image& image(std::string_view name) { return elementOf<Image>(froggy, name); }
    Image& frog() { return image("imgFroggy"); }
    Label& label(std::string_view name) { return elementOf<Label>(froggy, name); }
    bool running() { return elementOf<Timer>(froggy, "tmrCars").Enabled; }
    Integer& intLosses() { return *froggy.variable("intLosses"); }

    // A new game at the layout values, as after Quit to Menu and a new choice.
    void freshGame() {
        froggy.Unload();
        froggy.Show();
    }
    void place(Twips left, Twips top) {
        frog().Left = left;
        frog().Top = top;
    }
    void tick(int count = 1) { testing::tick(program.app, count); }
    void clickPause() { program.app.click(froggy, 9300, 240); }

    RecordingFrontEnd frontEnd;
    Program program;
    Form& froggy = program.frmFroggy;
};

// A key press steps 50 twips unless the first bound the frog fails (left,
// right, top, bottom, in that order, all strict) refuses that direction;
// the client area is read as it is at the press.
TEST_F(FroggyTest, FrogStepsUnlessTheFirstFailingBoundRefusesTheDirection) {
    struct Case {
        const char* what;
        Twips scaleWidth, scaleHeight;
        Twips left, top;
        int key;
        Twips wantLeft, wantTop;
    };
    const Case cases[] = {
        {"Left from 30 goes beyond the edge", 10140, 7215, 30, 6600, kKeyLeft, -20, 6600},
        {"at the left edge a further Left is refused", 10140, 7215, -20, 6600, kKeyLeft, -20, 6600},
        {"at Left 0 Left is refused (strict)", 10140, 7215, 0, 6600, kKeyLeft, 0, 6600},
        {"at the left edge Right is allowed", 10140, 7215, -20, 6600, kKeyRight, 30, 6600},
        {"at the left edge Down is not checked against the bottom", 10140, 7215, -20, 6850, kKeyDown, -20, 6900},
        {"Down from the start column reaches 6850", 10140, 7215, 4680, 6800, kKeyDown, 4680, 6850},
        {"at 6850 the bottom edge 7255 is past 7215: Down refused", 10140, 7215, 4680, 6850, kKeyDown, 4680, 6850},
        {"at the bottom edge Up is allowed", 10140, 7215, 4680, 6850, kKeyUp, 4680, 6800},
        {"at the top edge Up is refused", 10140, 7215, 4080, -20, kKeyUp, 4080, -20},
        {"at the top edge Down is allowed", 10140, 7215, 4080, -20, kKeyDown, 4080, 30},
        {"right edge on the window's edge: Right refused", 10140, 7215, 9645, 6600, kKeyRight, 9645, 6600},
        {"enlarged window: Right goes on", 12000, 9000, 9645, 6600, kKeyRight, 9695, 6600},
        {"enlarged window: Down goes on past 6850", 12000, 9000, 4680, 6850, kKeyDown, 4680, 6900},
        {"shrunk window, frog beyond the right edge: Right refused", 4000, 7215, 4680, 6600, kKeyRight, 4680, 6600},
        {"shrunk window, frog beyond the right edge: Left allowed", 4000, 7215, 4680, 6600, kKeyLeft, 4630, 6600},
        {"shrunk window, frog beyond the right edge: Up allowed", 4000, 7215, 4680, 6600, kKeyUp, 4680, 6550},
        {"shrunk window, frog beyond the right edge: Down allowed", 4000, 7215, 4680, 6600, kKeyDown, 4680, 6650},
        {"Space moves nothing", 10140, 7215, 4680, 6600, kKeySpace, 4680, 6600},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        program.app.resize(froggy, c.scaleWidth, c.scaleHeight);
        place(c.left, c.top);
        program.app.keyDown(c.key);
        EXPECT_EQ(frog().Left, c.wantLeft);
        EXPECT_EQ(frog().Top, c.wantTop);
    }
    EXPECT_EQ(intLosses(), 0);
}

// Right-moving vehicles wrap once strictly past the right edge, to just
// outside the left edge; left-moving ones once wholly past the left edge,
// shifted right by the client width; the width is read at every tick.
TEST_F(FroggyTest, VehiclesWrapAtTheEdgesOfTheCurrentClientArea) {
    struct Case {
        const char* what;
        const char* vehicle;
        Twips scaleWidth;
        Twips leftBefore, leftAfter;  // around one tick
    };
    const Case cases[] = {
        {"ending exactly on the right edge: not wrapped", "imgCar1", 10140, 10110, 10140},
        {"past the right edge: just outside the left edge", "imgCar1", 10140, 10140, -465},
        {"right edge ending exactly on the left edge: not wrapped", "imgCar2", 10140, -410, -465},
        {"wholly past the left edge: shifted right by the width", "imgCar2", 10140, -465, 9620},
        {"narrowed window: wrapped at the new right edge", "imgTruck4", 5000, 6960, -870},
        {"narrowed window: back in at the new right edge", "imgTruck1", 5000, -900, 4060},
        {"widened window: drives further before wrapping", "imgTruck2", 12000, 10140, 10190},
        {"window narrower than the truck: still beyond after one wrap", "imgTruck1", 100, -1000, -940},
        {"window narrower than the truck: wrapped again on the next tick", "imgTruck1", 100, -940, -880},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        program.app.resize(froggy, c.scaleWidth, 7215);
        image(c.vehicle).Left = c.leftBefore;
        tick();
        EXPECT_EQ(image(c.vehicle).Left, c.leftAfter);
    }
    EXPECT_EQ(intLosses(), 0);
}

// The four collision tests, all inclusive, decide the hit zone: touching
// edges hit, and the zone reaches further left of a vehicle than right of it.
TEST_F(FroggyTest, VehicleHitsTheFrogInsideItsInclusiveZone) {
    struct Step {
        const char* vehicle;
        Twips step;
    };
    const Step steps[] = {{"imgCar1", 30}, {"imgTruck1", -40}, {"imgTruck2", 50}};
    struct Case {
        const char* what;
        const char* vehicle;
        Twips vehicleLeft;  // after this tick's step
        Twips frogLeft, frogTop;
        bool hit;
    };
    const Case cases[] = {
        {"car: frog's left edge on the car's right edge", "imgCar1", 2000, 2465, 3600, true},
        {"car: one twip right of that", "imgCar1", 2000, 2466, 3600, false},
        {"car: frog's right edge on the car's left edge", "imgCar1", 2000, 1505, 3600, true},
        {"car: one twip left of that", "imgCar1", 2000, 1504, 3600, false},
        {"car: frog's top edge on the car's bottom", "imgCar1", 2000, 2000, 3900, true},
        {"car: one twip lower", "imgCar1", 2000, 2000, 3901, false},
        {"car: frog's bottom edge on the car's top", "imgCar1", 2000, 2000, 3195, true},
        {"car: one twip higher", "imgCar1", 2000, 2000, 3194, false},
        {"truck: frog's right edge 420 left of the truck", "imgTruck1", 3000, 2085, 2520, true},
        {"truck: one twip further left", "imgTruck1", 3000, 2084, 2520, false},
        {"truck: 420 left of it, top edge on its bottom", "imgTruck1", 3000, 2085, 2910, true},
        {"truck: frog's left edge on the truck's right edge", "imgTruck1", 3000, 3915, 2520, true},
        {"truck: frog's left edge 420 right of the truck", "imgTruck1", 3000, 4335, 2520, false},
        {"truck: top of the zone", "imgTruck1", 3000, 3000, 2115, true},
        {"truck: above the zone", "imgTruck1", 3000, 3000, 2114, false},
        {"truck: bottom of the zone", "imgTruck1", 3000, 3000, 2910, true},
        {"truck: below the zone", "imgTruck1", 3000, 3000, 2911, false},
        {"red truck: top of the zone", "imgTruck2", 3000, 3000, 5475, true},
        {"red truck: bottom of the zone", "imgTruck2", 3000, 3000, 6285, true},
        {"red truck: below the zone", "imgTruck2", 3000, 3000, 6286, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        freshGame();
        Twips step = 0;
        for (const Step& s : steps) {
            if (std::string_view(s.vehicle) == c.vehicle) step = s.step;
        }
        image(c.vehicle).Left = c.vehicleLeft - step;
        place(c.frogLeft, c.frogTop);
        const int lossesBefore = intLosses();
        tick();
        ASSERT_EQ(image(c.vehicle).Left, c.vehicleLeft);
        EXPECT_EQ(intLosses() - lossesBefore, c.hit ? 1 : 0);
        if (c.hit) {
            EXPECT_EQ(frog().Left, 4680);
            EXPECT_EQ(frog().Top, 6600);
            EXPECT_EQ(label("lblLosses").Caption, "LOSSES =" + std::to_string(intLosses()));
        } else {
            EXPECT_EQ(frog().Left, c.frogLeft);
            EXPECT_EQ(frog().Top, c.frogTop);
        }
    }
}

// Two vehicles over the frog in one tick cost one loss: the frog is back at
// its start, below every zone, before the second is tested.
TEST_F(FroggyTest, OneTickCostsAtMostOneLoss) {
    image("imgCar2").Left = 3000 + 55;
    image("imgTruck3").Left = 3000 + 55;
    place(3000, 5040);
    tick();
    EXPECT_EQ(intLosses(), 1);
    EXPECT_EQ(label("lblLosses").Caption, "LOSSES =1");
}

// A frog at its start is never hit, however long the traffic runs.
TEST_F(FroggyTest, FrogAtItsStartIsNeverHit) {
    tick(6400);  // 100 seconds: every vehicle wraps many times
    EXPECT_EQ(intLosses(), 0);
    EXPECT_EQ(frog().Top, 6600);
}

// Above the water line (Top < 1560) the frog must lie within the bridge,
// edges touching allowed; the test follows every key press.
TEST_F(FroggyTest, FrogOffTheBridgeAboveTheWaterIsLost) {
    struct Case {
        const char* what;
        Twips left, top;
        int key;
        bool lost;
    };
    const Case cases[] = {
        {"Up to 1550 at the bridge's left edge", 4080, 1600, kKeyUp, false},
        {"Up to 1550 with the right edge on the bridge's", 5280, 1600, kKeyUp, false},
        {"Up to 1550 50 twips left of the bridge", 4030, 1600, kKeyUp, true},
        {"Up to 1550 50 twips right of the bridge", 5330, 1600, kKeyUp, true},
        {"beside the bridge at 1600", 3000, 1650, kKeyUp, false},
        {"beside the bridge on the water line itself", 3000, 1610, kKeyUp, false},
        {"beside the bridge, Up to 1550", 3000, 1600, kKeyUp, true},
        {"Left onto the bridge's left edge", 4130, 1000, kKeyLeft, false},
        {"Left off the bridge", 4080, 1000, kKeyLeft, true},
        {"Right onto the bridge's right edge", 5230, 1000, kKeyRight, false},
        {"Right off the bridge", 5280, 1000, kKeyRight, true},
        {"a key that moves nothing still makes the test", 4030, 1000, kKeySpace, true},
        {"so does Escape's press", 4030, 1000, kKeyEscape, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        place(c.left, c.top);
        const int lossesBefore = intLosses();
        program.app.keyDown(c.key);
        EXPECT_EQ(intLosses() - lossesBefore, c.lost ? 1 : 0);
        if (c.lost) {
            EXPECT_EQ(frog().Left, 4680);
            EXPECT_EQ(frog().Top, 6600);
        }
    }
    EXPECT_TRUE(frontEnd.boxes.empty());
}

// The first goal test that holds wins: the box, then the window unloaded and
// the menu shown; the tests are inclusive at the trophy's edges.
TEST_F(FroggyTest, FrogAtTheTrophyWins) {
    struct Case {
        const char* what;
        Twips left, top;
        int key;
        bool wins;
    };
    const Case cases[] = {
        {"the 123rd Up from the start column", 4680, 500, kKeyUp, true},
        {"right edge on the trophy's left edge", 4185, 545, kKeyUp, true},
        {"right edge short of the trophy", 4135, 545, kKeyUp, false},
        {"left edge on the trophy's right edge", 5175, 545, kKeyUp, true},
        {"left edge past the trophy", 5225, 545, kKeyUp, false},
        {"one twip below the zone", 4680, 546, kKeyUp, false},
        {"top of the zone, at the top edge", 4680, -255, kKeySpace, true},
        {"one twip above the zone", 4680, -256, kKeySpace, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        freshGame();
        frontEnd.boxes.clear();
        place(c.left, c.top);
        program.app.keyDown(c.key);
        EXPECT_EQ(froggy.loaded(), !c.wins);
        if (c.wins) {
            EXPECT_EQ(frontEnd.boxes, std::vector<std::string>{"Congratulations!: Congratulations, you win!"});
            EXPECT_TRUE(program.frmMenu.visible());
            EXPECT_EQ(program.app.activeForm(), &program.frmMenu);
        } else {
            EXPECT_TRUE(frontEnd.boxes.empty());
        }
    }
    EXPECT_EQ(intLosses(), 0);
}

// While paused ("GO", timer off) keys move nothing and make no bridge or
// goal test, and the traffic stands; GO makes all of it work again.
TEST_F(FroggyTest, PausedGameIgnoresKeysUntilGo) {
    clickPause();
    EXPECT_EQ(label("lblPause").Caption, "GO");
    EXPECT_FALSE(running());

    place(4030, 1000);  // off the bridge
    for (int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown, kKeySpace}) program.app.keyDown(key);
    EXPECT_EQ(frog().Left, 4030);
    EXPECT_EQ(frog().Top, 1000);
    place(4680, 500);  // one step below the trophy
    program.app.keyDown(kKeyUp);
    EXPECT_EQ(frog().Top, 500);
    EXPECT_TRUE(froggy.loaded());
    tick(10);
    EXPECT_EQ(image("imgCar1").Left, 2160);
    EXPECT_EQ(intLosses(), 0);

    clickPause();
    EXPECT_EQ(label("lblPause").Caption, "PAUSE");
    EXPECT_TRUE(running());
    tick();
    EXPECT_EQ(image("imgCar1").Left, 2190);
    place(4030, 1000);
    program.app.keyDown(kKeySpace);
    EXPECT_EQ(intLosses(), 1);
}

// Escape's press is an ordinary key; its release opens the Pause dialog and
// stops the game, also when the game is paused already.
TEST_F(FroggyTest, EscapePausesOnItsRelease) {
    program.app.keyDown(kKeyEscape);
    EXPECT_FALSE(program.frmPause.loaded());
    EXPECT_EQ(label("lblPause").Caption, "PAUSE");
    EXPECT_TRUE(running());

    program.app.keyUp(kKeyEscape);
    EXPECT_TRUE(program.frmPause.visible());
    EXPECT_EQ(program.app.activeForm(), &program.frmPause);
    EXPECT_EQ(label("lblPause").Caption, "GO");
    EXPECT_FALSE(running());

    program.app.activate(froggy);
    program.app.keyUp(kKeyEscape);
    EXPECT_EQ(program.app.activeForm(), &program.frmPause);
    EXPECT_EQ(label("lblPause").Caption, "GO");
    EXPECT_FALSE(running());
}

// The loss count stops at 32767 instead of ending the program with an
// overflow error.
TEST_F(FroggyTest, LossCountStaysAt32767) {
    intLosses() = 32766;
    for (int loss = 0; loss < 2; ++loss) {
        place(4030, 1000);
        program.app.keyDown(kKeySpace);
    }
    EXPECT_EQ(intLosses(), 32767);
    EXPECT_EQ(label("lblLosses").Caption, "LOSSES =32767");
    EXPECT_TRUE(frontEnd.boxes.empty());
    EXPECT_FALSE(program.app.ended());
    EXPECT_TRUE(froggy.loaded());
}

// ---- pictures ------------------------------------------------------------------

std::vector<unsigned char> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint32_t littleEndian(const std::vector<unsigned char>& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes.at(at + static_cast<std::size_t>(i));
    return value;
}

const std::filesystem::path kAssets = std::filesystem::path(__FILE__).parent_path().parent_path() / "assets";

std::uint32_t bigEndian(const std::vector<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes.at(at)) << 24 | static_cast<std::uint32_t>(bytes.at(at + 1)) << 16 |
           static_cast<std::uint32_t>(bytes.at(at + 2)) << 8 | bytes.at(at + 3);
}

// A picture at its natural size is an opaque PNG of 8-bit RGB whose pixels
// times 15 are its element's size; a stretched one (a pre-rendered
// metafile, with partly transparent edges) is a 32-bit bitmap with an alpha
// mask, rendered larger, at its box's shape. (What the pictures show is
// checked where they are decoded, in the desktop's tests.)
TEST(FroggyPictures, EachImageHasItsPictureAtItsSize) {
    for (const ElementLayout& row : FrmFroggy::layout.elements) {
        if (row.kind != Kind::Image) continue;
        SCOPED_TRACE(std::string(row.name));
        const std::vector<unsigned char> bytes = readFile(kAssets / std::string(row.props.Picture));
        ASSERT_GT(bytes.size(), 54u);
        if (!row.props.Stretch) {
            const std::vector<unsigned char> signature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
            ASSERT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 8), signature);
            ASSERT_EQ(std::string(bytes.begin() + 12, bytes.begin() + 16), "IHDR");
            EXPECT_EQ(bigEndian(bytes, 16) * 15, row.props.Width);
            EXPECT_EQ(bigEndian(bytes, 20) * 15, row.props.Height);
            EXPECT_EQ(bytes[24], 8u);  // bits a channel
            EXPECT_EQ(bytes[25], 2u);  // RGB, no alpha
        } else {
            ASSERT_EQ(bytes[0], 'B');
            ASSERT_EQ(bytes[1], 'M');
            EXPECT_EQ(littleEndian(bytes, 28, 2), 32u);             // bits per pixel
            EXPECT_EQ(littleEndian(bytes, 30, 4), 3u);              // bit fields: the masks follow
            EXPECT_EQ(littleEndian(bytes, 66, 4), 0xFF000000u);     // the alpha mask
            const std::uint32_t width = littleEndian(bytes, 18, 4);
            const std::uint32_t height = littleEndian(bytes, 22, 4);
            EXPECT_GE(width * 15, 4 * row.props.Width);
            EXPECT_EQ(static_cast<float>(width) / static_cast<float>(height), row.props.Width / row.props.Height);
        }
    }
}

}  // namespace
}  // namespace arcadeon
