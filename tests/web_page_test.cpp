// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The web page's side kept in the program: the pictures the page hands
// over, and what each update tells the page to draw. The page draws a
// window's damaged rectangles and nothing else, so a window the update
// leaves out must look exactly as it did.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "shell/program.h"
#include "shell/web/page_state.h"
#include "support.h"

namespace arcadeon::web {
namespace {

using scene::Rect;

std::vector<std::uint8_t> fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::string source(const std::string& path) { return std::string(ARCADEON_SOURCE_DIR) + "/" + path; }

// A window as an update tells it.
struct Told {
    int form = -1;
    bool visible = false, active = false;
    std::int32_t serial = 0;
    int place = -1;
    int width = 0, height = 0;
    std::vector<Rect> damage;
};
struct Update {
    std::int32_t flags = 0;
    int active = -1;
    std::map<int, Told> windows;
};

// Reads the words as the page does, checking their frame as it goes.
Update read(const std::vector<std::int32_t>& words) {
    Update update;
    EXPECT_GE(words.size(), static_cast<std::size_t>(kUpdateHeaderWords));
    EXPECT_EQ(words[0], kUpdateMagic);
    EXPECT_EQ(words[4], static_cast<std::int32_t>(words.size()));
    update.flags = words[2];
    update.active = words[3];
    std::size_t at = kUpdateHeaderWords;
    for (int i = 0; i < words[1]; ++i) {
        Told told{words[at], words[at + 1] != 0, words[at + 2] != 0, words[at + 3], words[at + 4], words[at + 5], words[at + 6], {}};
        const int rects = words[at + 7];
        at += kWindowWords;
        for (int r = 0; r < rects; ++r, at += 4) told.damage.push_back({words[at], words[at + 1], words[at + 2], words[at + 3]});
        update.windows[told.form] = told;
    }
    EXPECT_EQ(at, words.size());
    return update;
}

// The whole program with the page's side over it; pictures from assets/.
struct Page {
    Program program;
    std::vector<Form*> forms = program.forms();
    PictureShelf shelf;
    scene::Pictures pictures{[this](std::string_view name) { return shelf.load(name); }};
    Scenes scenes{program.app, forms, pictures};

    Page() {
        for (const std::string& name : picturesNamed(forms)) {
            const std::vector<std::uint8_t> bytes = fileBytes(source("assets/" + name));
            if (name.ends_with(".bmp")) shelf.addFile(name, bytes);
            // The browser decodes a PNG; here one grey picture of the file's size stands in.
            if (name.ends_with(".png") && bytes.size() > 24) {
                const auto big = [&](std::size_t at) { return bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]; };
                const int width = big(16), height = big(20);
                shelf.addRgba(name, width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4, 0x80));
            }
        }
        program.start();
    }
    int index(const Form& form) const {
        return static_cast<int>(std::find(forms.begin(), forms.end(), &form) - forms.begin());
    }
    Update update(double ratio = 1.0, const Element* pressed = nullptr) { return read(scenes.update(ratio, pressed)); }
    std::vector<Rect> damageOf(const Update& update, const Form& form) const {
        const auto found = update.windows.find(index(form));
        return found == update.windows.end() ? std::vector<Rect>{} : found->second.damage;
    }
    template <class Kind = Label>
    void clickOn(Form& form, std::string_view name) {
        const auto& box = testing::elementOf<Kind>(form, name);
        program.app.click(form, box.Left + box.Width / 2, box.Top + box.Height / 2);
    }
};

// BMP files are decoded by the program, RGBA is taken as the browser
// decoded it; anything else is refused and draws nothing.
TEST(WebPagePictures, KeepsWhatThePageRegisteredAndRefusesTheRest) {
    PictureShelf shelf;
    EXPECT_TRUE(shelf.addFile("froggy-frog.bmp", fileBytes(source("assets/froggy-frog.bmp"))));
    const scene::Bitmap frog = shelf.load("froggy-frog.bmp");
    EXPECT_FALSE(frog.empty());
    EXPECT_EQ(frog.rgba.size(), static_cast<std::size_t>(frog.width * frog.height * 4));

    const std::vector<std::uint8_t> jpeg = fileBytes(source("assets/invaders-ship.jpg"));
    EXPECT_FALSE(shelf.addFile("invaders-ship.jpg", jpeg)) << "a JPEG is the browser's to decode";
    const std::vector<std::uint8_t> png = fileBytes(source("assets/froggy-car-green.png"));
    EXPECT_FALSE(shelf.addFile("froggy-car-green.png", png)) << "a PNG is the browser's to decode";
    EXPECT_FALSE(shelf.addFile("empty.bmp", {}));

    const std::vector<std::uint8_t> pixels(2 * 3 * 4, 0xFF);
    struct Case {
        int width, height;
        std::size_t bytes;
        bool kept;
    };
    const Case cases[] = {{2, 3, 24, true}, {3, 2, 24, true}, {2, 3, 20, false}, {0, 3, 0, false}, {-2, -3, 24, false},
                          {0x10000, 0x10000, 24, false}};
    for (const Case& c : cases) {
        PictureShelf one;
        EXPECT_EQ(one.addRgba("p.jpg", c.width, c.height, std::span(pixels).first(c.bytes)), c.kept) << c.width << "x" << c.height;
        EXPECT_EQ(one.load("p.jpg").empty(), !c.kept);
    }
    EXPECT_TRUE(shelf.load("never-registered.bmp").empty());
}

// The page loads every picture the layouts name before the program starts:
// each named once, each a file of assets/.
TEST(WebPagePictures, NamesEveryPictureOfEveryLayoutOnce) {
    Program program;
    const std::vector<std::string> names = picturesNamed(program.forms());
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
    for (const std::string& name : names) EXPECT_TRUE(std::filesystem::exists(source("assets/" + name))) << name;
    for (const std::string_view expected : {"menu-ping.png", "froggy-frog.bmp", "invaders-ship.jpg", "invaders-heart.jpg"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), expected), names.end()) << expected;
    }
}

// The first update draws every visible window whole; one with nothing
// changed tells of no rectangle at all; loaded hidden windows are listed,
// never drawn. The stack and the active window are the application's.
TEST(WebPageUpdate, DrawsANewWindowWholeAndNothingWhenNothingChanged) {
    Page page;
    const Form& menu = page.program.frmMenu;
    Update first = page.update(1.5);
    ASSERT_EQ(first.windows.size(), 1u);
    EXPECT_EQ(first.active, page.index(menu));
    const Told& told = first.windows.at(page.index(menu));
    EXPECT_TRUE(told.visible && told.active);
    EXPECT_EQ(told.place, 0);
    EXPECT_EQ(told.serial, static_cast<std::int32_t>(menu.state().loadSerial));
    const Rect client = scene::Grid(1.5).client(menu.clientWidth(), menu.clientHeight());
    EXPECT_EQ(told.damage, std::vector<Rect>{client});
    EXPECT_EQ(std::make_pair(told.width, told.height), std::make_pair(client.w, client.h));
    EXPECT_EQ(first.flags, 0);

    // Pointer moves over the idle menu change nothing: nothing to draw.
    for (int x = 0; x < 5000; x += 700) page.program.app.mouseMove(page.program.frmMenu, static_cast<Twips>(x), 300);
    EXPECT_TRUE(page.update(1.5).windows.at(page.index(menu)).damage.empty());

    // Difficulty shown, the menu hidden: the menu is listed without a scene.
    page.clickOn<Image>(page.program.frmMenu, "imgPing");
    const Update opened = page.update(1.5);
    const Form& difficulty = page.program.frmDifficulty;
    EXPECT_EQ(opened.active, page.index(difficulty));
    EXPECT_FALSE(opened.windows.at(page.index(menu)).visible);
    EXPECT_TRUE(opened.windows.at(page.index(menu)).damage.empty());
    EXPECT_EQ(opened.windows.at(page.index(menu)).width, 0);
    EXPECT_TRUE(page.scenes.encoded(page.index(menu)).empty());
    EXPECT_EQ(page.damageOf(opened, difficulty).size(), 1u);
    EXPECT_EQ(opened.windows.count(page.index(page.program.frmPing)), 0u) << "not loaded: not listed";
}

// A change is drawn where it was and where it is now, in its own window
// only; the Pause dialog beside a running game is never drawn again.
TEST(WebPageUpdate, DamagesOnlyWhatMovedAndLeavesAnIdleWindowAlone) {
    Page page;
    Form& ping = page.program.open(Program::Game::Ping);
    page.program.frmPause.Show();
    page.program.app.activate(ping);
    page.clickOn(ping, "lblGo");
    (void)page.update();
    const auto& ball = testing::elementOf<Shape>(ping, "shpBlue");
    const Rect before = scene::Grid(1).rect(ball.Left, ball.Top, ball.Width, ball.Height);
    testing::tick(page.program.app);
    const Rect after = scene::Grid(1).rect(ball.Left, ball.Top, ball.Width, ball.Height);
    ASSERT_NE(before, after) << "the ball moves";
    for (int i = 0; i < 20; ++i) {
        const Update update = i == 0 ? page.update() : (testing::tick(page.program.app), page.update());
        EXPECT_TRUE(page.damageOf(update, page.program.frmPause).empty()) << "tick " << i;
        const std::vector<Rect> damage = page.damageOf(update, ping);
        ASSERT_FALSE(damage.empty());
        const Rect client = scene::Grid(1).client(ping.clientWidth(), ping.clientHeight());
        for (const Rect& rect : damage) EXPECT_LT(rect.w * rect.h, client.w * client.h / 4) << "not the whole window";
        if (i == 0) {
            const auto covered = [&](const Rect& r) {
                return std::any_of(damage.begin(), damage.end(), [&](const Rect& d) { return d.contains(r); });
            };
            EXPECT_TRUE(covered(before) && covered(after));
        }
    }
}

// Whatever makes the page's copy of a window stale draws it whole: a new
// density (the browser zoomed), a window resized, hidden and shown again,
// or unloaded and loaded again (a new serial, a new window on the page).
TEST(WebPageUpdate, DrawsAWindowWholeWhenThePagesCopyIsStale) {
    Page page;
    Form& menu = page.program.frmMenu;
    const auto whole = [&](double ratio) {
        return std::vector<Rect>{scene::Grid(ratio).client(menu.clientWidth(), menu.clientHeight())};
    };
    (void)page.update(1);
    EXPECT_EQ(page.damageOf(page.update(2), menu), whole(2)) << "zoomed";
    page.program.app.resize(menu, 6000, 5000);
    EXPECT_EQ(page.damageOf(page.update(2), menu), whole(2)) << "resized";
    page.program.app.resize(menu, 0, 0);
    const Told nothing = page.update(2).windows.at(page.index(menu));
    EXPECT_TRUE(nothing.visible && nothing.damage.empty()) << "nothing left to draw";
    EXPECT_EQ(std::make_pair(nothing.width, nothing.height), std::make_pair(0, 0)) << "but the page's canvas shrinks";
    page.program.app.resize(menu, 6000, 5000);
    EXPECT_EQ(page.damageOf(page.update(2), menu), whole(2)) << "grown back";
    menu.Hide();
    (void)page.update(2);
    menu.Show();
    EXPECT_EQ(page.damageOf(page.update(2), menu), whole(2)) << "shown again";

    Form& pause = page.program.frmPause;
    pause.Show();
    const std::int32_t serial = page.update(2).windows.at(page.index(pause)).serial;
    pause.Unload();
    pause.Show();
    const Update reloaded = page.update(2);
    EXPECT_NE(reloaded.windows.at(page.index(pause)).serial, serial);
    EXPECT_EQ(page.damageOf(reloaded, pause).size(), 1u);
    EXPECT_EQ(page.damageOf(reloaded, pause)[0], scene::Grid(2).client(pause.clientWidth(), pause.clientHeight()));
}

// A command button held down and the focus moving between windows are
// drawn; what the page is handed is the scene the update made, encoded.
TEST(WebPageUpdate, DrawsPressAndFocusAndHandsOverTheSceneItMade) {
    Page page;
    Form& pause = page.program.frmPause;
    pause.Show();
    const int index = page.index(pause);
    (void)page.update();
    const Element* quit = &testing::elementOf<CommandButton>(pause, "cmdQuit");
    EXPECT_FALSE(page.damageOf(page.update(1, quit), pause).empty()) << "held down";
    EXPECT_TRUE(page.damageOf(page.update(1, quit), pause).empty());
    EXPECT_FALSE(page.damageOf(page.update(1), pause).empty()) << "let go";
    EXPECT_TRUE(page.damageOf(page.update(1, quit), page.program.frmMenu).empty()) << "a press in another window";
    page.program.app.activate(page.program.frmMenu);
    const Update update = page.update();
    EXPECT_FALSE(update.windows.at(index).active);
    EXPECT_FALSE(page.damageOf(update, pause).empty()) << "its focus no longer shows";

    const scene::Scene* kept = page.scenes.sceneOf(index);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(*kept, scene::sceneOf(pause, {1, false, nullptr}, page.pictures));
    EXPECT_EQ(page.scenes.encoded(index), scene::encode(*kept));
    EXPECT_TRUE(page.scenes.encoded(-1).empty());
    EXPECT_TRUE(page.scenes.encoded(99).empty());
}

// The pictures the page's windows show are kept at the sizes they are
// drawn; those of a window no longer shown are let go.
// The reference the page's drawing is checked against is made from the
// model, not from what the page was last handed: it follows a change the
// page has not been told of yet, uses the last update's ratio, and there is
// none for a hidden window or an unknown index.
TEST(WebPageUpdate, FreshSceneIsMadeFromTheModelNotFromWhatWasHanded) {
    Page page;
    const int menu = page.index(page.program.frmMenu);
    (void)page.update(1.5);
    EXPECT_EQ(page.scenes.fresh(menu, nullptr), page.scenes.encoded(menu)) << "nothing changed since the update";
    testing::elementOf<Label>(page.program.frmMenu, "lblPing").Visible = false;  // not yet handed to the page
    const std::vector<std::int32_t> fresh = page.scenes.fresh(menu, nullptr);
    EXPECT_NE(fresh, page.scenes.encoded(menu));
    (void)page.update(1.5);
    EXPECT_EQ(fresh, page.scenes.encoded(menu));
    page.program.frmMenu.Hide();
    EXPECT_TRUE(page.scenes.fresh(menu, nullptr).empty());
    EXPECT_TRUE(page.scenes.fresh(-1, nullptr).empty());
    EXPECT_TRUE(page.scenes.fresh(static_cast<int>(page.forms.size()), nullptr).empty());
}

// Each window is fitted on its own: one shown at a fraction of its size is
// made at that fraction of the update's density, whole once when its fit
// changes, while a window beside it keeps its own; the fresh scene follows
// each window's. A fit out of range or of no window is refused.
TEST(WebPageUpdate, MakesEachWindowAtItsOwnFit) {
    Page page;
    Form& ping = page.program.open(Program::Game::Ping);
    Form& pause = page.program.frmPause;
    pause.Show();
    const int game = page.index(ping), dialog = page.index(pause);
    (void)page.update(3);
    ASSERT_TRUE(page.scenes.setFit(game, 0.4));
    const Update fitted = page.update(3);
    const Rect small = scene::Grid(3 * 0.4).client(ping.clientWidth(), ping.clientHeight());
    EXPECT_EQ(std::make_pair(fitted.windows.at(game).width, fitted.windows.at(game).height), std::make_pair(small.w, small.h));
    EXPECT_EQ(page.damageOf(fitted, ping), std::vector<Rect>{small}) << "drawn whole at its new fit";
    const Rect own = scene::Grid(3).client(pause.clientWidth(), pause.clientHeight());
    EXPECT_EQ(fitted.windows.at(dialog).width, own.w) << "the dialog beside it at its own size";
    EXPECT_TRUE(page.damageOf(fitted, pause).empty());
    EXPECT_EQ(page.scenes.fresh(game, nullptr), page.scenes.encoded(game));
    EXPECT_EQ(page.scenes.fresh(dialog, nullptr), page.scenes.encoded(dialog));

    for (const double bad : {0.0, -1.0, 1.5, 1.0 / 128, std::nan("")}) EXPECT_FALSE(page.scenes.setFit(game, bad)) << bad;
    EXPECT_FALSE(page.scenes.setFit(-1, 0.5));
    EXPECT_FALSE(page.scenes.setFit(static_cast<int>(page.forms.size()), 0.5));
    EXPECT_TRUE(page.damageOf(page.update(3), ping).empty()) << "a refused fit changes nothing";
    ping.Hide();
    ping.Show();
    EXPECT_EQ(page.update(3).windows.at(game).width, small.w) << "shown again at its fit";
    ping.Unload();
    ping.Show();
    EXPECT_EQ(page.update(3).windows.at(game).width, scene::Grid(3).client(ping.clientWidth(), ping.clientHeight()).w)
        << "loaded again at its own size";
}

TEST(WebPageUpdate, KeepsOnlyThePicturesOnTheScreen) {
    Page page;
    (void)page.update(1);
    (void)page.pictures.at("menu-ping.png", {20, 20});
    (void)page.update(1);
    EXPECT_TRUE(page.pictures.kept("menu-ping.png").empty()) << "a size no window draws";
    const std::vector<std::pair<std::string_view, scene::Size>> shown = scene::picturesOf(*page.scenes.sceneOf(0));
    ASSERT_FALSE(shown.empty());
    (void)page.pictures.at(shown[0].first, shown[0].second);
    (void)page.update(1);
    EXPECT_EQ(page.pictures.kept(shown[0].first), std::vector<scene::Size>{shown[0].second});
    page.program.frmMenu.Hide();
    (void)page.update(1);
    EXPECT_TRUE(page.pictures.kept(shown[0].first).empty());
}

// Texts go to the page as JSON strings: quotes, backslashes and control
// characters escaped.
TEST(WebPageText, WritesJsonStrings) {
    EXPECT_EQ(jsonString("say \"hi\"\\now"), "\"say \\\"hi\\\"\\\\now\"");
    EXPECT_EQ(jsonString(std::string("a\nb\x01", 4)), "\"a\\u000Ab\\u0001\"");
    EXPECT_EQ(jsonString("é"), "\"é\"");
}

}  // namespace
}  // namespace arcadeon::web

namespace arcadeon::web {
namespace {

// The page draws a window once its own pictures and fonts are in, and no
// sooner: the menu must not wait for the games' files, nor a game be drawn
// without one of its own. Faces index scene::kFaces: 0 heavy, 1 blackletter,
// 2 technical, 3 the dialog font.
TEST(WebPageFiles, EachWindowNeedsItsOwnPicturesAndTheFacesOfItsTexts) {
    struct Case {
        std::string_view form;
        std::set<std::string> pictures;
        std::set<int> faces;
    };
    const Case cases[] = {
        {"frmMenu", {"menu-froggy.png", "menu-invaders.png", "menu-ping.png"}, {1, 2}},
        {"frmPing", {}, {0}},
        {"frmPause", {}, {3}},
        {"frmDifficulty", {}, {3}},
        {"frmFroggy",
         {"froggy-background.png", "froggy-frog.bmp", "froggy-trophy.bmp", "froggy-car-green.png", "froggy-car-purple.png",
          "froggy-truck-purple.png", "froggy-truck-red.png"},
         {0}},
        {"frmInvaders",
         {"invaders-ship.jpg", "invaders-alien.jpg", "invaders-mothership.jpg", "invaders-bomb.jpg", "invaders-heart.jpg",
          "invaders-title.jpg", "invaders-flames-left.jpg", "invaders-flames-right.jpg"},
         {0}},
    };
    Program program;
    const std::vector<Form*> forms = program.forms();
    for (const Case& c : cases) {
        const auto form = std::find_if(forms.begin(), forms.end(), [&](const Form* f) { return f->layout().name == c.form; });
        ASSERT_NE(form, forms.end()) << c.form;
        const WindowFiles files = filesOf((*form)->layout());
        EXPECT_EQ(std::set<std::string>(files.pictures.begin(), files.pictures.end()), c.pictures) << c.form;
        EXPECT_EQ(files.pictures.size(), c.pictures.size()) << c.form << ": a picture named twice";
        EXPECT_EQ(std::set<int>(files.faces.begin(), files.faces.end()), c.faces) << c.form;
        EXPECT_EQ(files.faces.size(), c.faces.size()) << c.form << ": a face named twice";
    }
}

// An opaque PNG is fetched as its WebP copy, which the build puts in the
// page's assets/web/; the other pictures as they are.
TEST(WebPageFiles, APngIsFetchedAsItsWebPCopyAndEveryCopyIsThere) {
    EXPECT_EQ(pageFileOf("menu-ping.png"), "web/menu-ping.webp");
    EXPECT_EQ(pageFileOf("froggy-frog.bmp"), "froggy-frog.bmp");
    EXPECT_EQ(pageFileOf("invaders-ship.jpg"), "invaders-ship.jpg");
    Program program;
    for (const std::string& name : picturesNamed(program.forms())) {
        EXPECT_TRUE(std::filesystem::exists(source("assets/" + pageFileOf(name)))) << name;
    }
    // and the page is told so, by name
    EXPECT_NE(filesJson(program.forms()).find(R"("menu-ping.png":"web/menu-ping.webp")"), std::string::npos);
}

}  // namespace
}  // namespace arcadeon::web
