// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing only what changed must leave on the screen exactly what drawing
// every window whole would: each game is played through a series of moves,
// and after each one every window, as its partial repaints left it, is
// compared pixel for pixel with the window's scene made afresh from the
// model and drawn whole into an image of its own, with pictures and fonts of
// its own: nothing the desktop kept between drawings goes into it. CTest runs
// these at device pixel ratios of 1, 1.5 and 2.
#include <gtest/gtest.h>

#include <QBackingStore>
#include <QScreen>
#include <QTimer>
#include <QTest>
#include <QWindow>
#include <functional>
#include <string>
#include <vector>

#include "probe.h"
#include "shell/desktop/painting.h"
#include "shell/scene/scene.h"
#include "shell/program.h"

namespace arcadeon::desktop::testing {
namespace {

// The layer's clock starts this far ahead of real time, so that only the
// test moves time on: the desktop's real-time wake-ups find no boundary due.
constexpr std::int64_t kHourMicros = 3'600'000'000;

class PartialRepaint : public ::testing::Test {
protected:
    Program program;
    Desktop desktop{program.app};
    Pictures referencePictures;  // the whole drawing's, apart from the desktop's
    Fonts referenceFonts;

    QTimer closer;               // presses OK on every box once the windows behind it are compared
    std::vector<QString> boxes;  // the titles of the boxes closed

    void SetUp() override {
        desktop.start(program.frmMenu);
        desktop.deliver([this](auto&&...) { program.app.stallTo(kHourMicros); });
        closer.setInterval(5);
        QObject::connect(&closer, &QTimer::timeout, [this] {
            MessageBox* box = MessageBox::of(QApplication::activeModalWidget());
            if (box == nullptr || !box->isVisible()) return;
            closer.stop();  // no second look while this one closes
            boxes.push_back(box->windowTitle());
            compareAll("while the box \"" + box->windowTitle().toStdString() + "\" is open");
            box->okButton().click();
            closer.start();
        });
        closer.start();
        settle();
        // the ratio CTest asks for, or the test would quietly run at another
        if (const QByteArray ratio = qgetenv("QT_SCALE_FACTOR"); !ratio.isEmpty()) {
            ASSERT_DOUBLE_EQ(window(program.frmMenu).devicePixelRatioF(), ratio.toDouble());
        }
    }

    // Lets the window system draw what was asked for.
    static void settle() {
        for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
    }

    void ticks(int count) {
        for (int i = 0; i < count; ++i) {
            desktop.deliver([this](auto&&...) { program.app.advanceTo(program.app.clock().nextBoundaryTime()); });
        }
    }

    FormWindow& window(const Form& form) {
        FormWindow* shown = desktop.window(form);
        if (shown == nullptr) throw std::logic_error(std::string(form.name()) + " has no window");
        return *shown;
    }

    void click(const Form& form, QPoint at) { QTest::mouseClick(&window(form), Qt::LeftButton, Qt::NoModifier, at); }
    void move(const Form& form, QPoint at) {
        QMouseEvent event(QEvent::MouseMove, QPointF(at), window(form).mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                          Qt::NoModifier);
        QApplication::sendEvent(&window(form), &event);
    }
    void key(const Form& form, Qt::Key key, bool down) {
        QKeyEvent event(down ? QEvent::KeyPress : QEvent::KeyRelease, key, Qt::NoModifier);
        QApplication::sendEvent(&window(form), &event);
    }

    // The window's image, as the partial repaints left it: the offscreen
    // platform keeps it in an image of the window's device pixels.
    static QImage windowImage(FormWindow& shown) {
        QPaintDevice* device = shown.backingStore() != nullptr ? shown.backingStore()->paintDevice() : nullptr;
        if (device == nullptr || device->devType() != QInternal::Image) return {};
        QImage image = static_cast<QImage*>(device)->convertToFormat(QImage::Format_RGB32);
        image.setDevicePixelRatio(1);
        return image;
    }

    // The window drawn whole now: its scene made again from the model, as
    // the window would show it (ratio, active, button held), into an image.
    QImage wholeImage(const Form& form, const FormWindow& shown) {
        const scene::View view{shown.devicePixelRatioF(), program.app.activeForm() == &form, desktop.session().pressed(form)};
        return sceneImage(scene::sceneOf(form, view, referencePictures.scenes()), referencePictures, referenceFonts);
    }

    // Every visible window: what its partial repaints left in the window's
    // image, against the window drawn whole now.
    void compareAll(const std::string& step) {
        settle();
        for (Form* form : program.forms()) {
            if (!form->visible()) continue;
            FormWindow& shown = window(*form);
            QImage partial = windowImage(shown);
            const QImage whole = wholeImage(*form, shown);
            ASSERT_EQ(partial.size(), whole.size()) << step << ", " << form->name();
            int differ = 0;
            QPoint first(-1, -1);
            for (int y = 0; y < whole.height(); ++y) {
                const auto* a = reinterpret_cast<const QRgb*>(partial.constScanLine(y));
                const auto* b = reinterpret_cast<const QRgb*>(whole.constScanLine(y));
                for (int x = 0; x < whole.width(); ++x) {
                    if (a[x] == b[x]) continue;
                    if (differ++ == 0) first = {x, y};
                }
            }
            EXPECT_EQ(differ, 0) << step << ", " << form->name() << ": first at " << first.x() << "," << first.y()
                                 << " (device pixel ratio " << shown.devicePixelRatioF() << ")";
        }
    }
};

TEST_F(PartialRepaint, PingPlayedWithPauseAndDifficultyMatchesWholeRepaints) {
    // The paddle and ball move over the centre line and the field's outline,
    // the counters change, the Pause dialog opens beside the game and the
    // game goes on under it; a lost ball opens its box.
    compareAll("the menu");
    move(program.frmMenu, {300, 200});
    compareAll("a pointer move over the menu");
    click(program.frmMenu, {400, 368});  // the Ping picture: the Difficulty dialog
    compareAll("the Difficulty dialog");
    click(program.frmDifficulty, {40, 86});  // Normal
    key(program.frmDifficulty, Qt::Key_Tab, true);
    compareAll("Normal chosen, the focus moved");
    click(program.frmDifficulty, {133, 86});  // Play!
    ASSERT_TRUE(program.frmPing.visible()) << "Play! opened nothing";
    compareAll("Ping opened");
    click(program.frmPing, {940, 20});  // GO
    for (int round = 0; round < 40; ++round) {
        ticks(3);
        move(program.frmPing, {round % 2 == 0 ? 470 + round * 7 : 430 - round * 5, 400});
        compareAll("Ping, round " + std::to_string(round));
    }
    key(program.frmPing, Qt::Key_Escape, true);
    compareAll("the Pause dialog over Ping");
    click(program.frmPing, {940, 20});  // GO again, the dialog left open
    for (int round = 0; round < 10; ++round) {
        ticks(4);
        compareAll("Ping beside the Pause dialog, round " + std::to_string(round));
    }
    move(program.frmPing, {60, 400});  // the paddle away from the ball
    for (int round = 0; round < 400 && boxes.empty(); ++round) {
        ticks(2);
        settle();
    }
    EXPECT_EQ(boxes, std::vector<QString>{"Uh oh!"}) << "the ball was never lost";
    compareAll("after the lost ball");
}

TEST_F(PartialRepaint, FroggyWalkedAndPausedMatchesWholeRepaints) {
    // Traffic crosses the background picture, the frog walks (the frog's
    // picture has transparent parts) and is run over, the losses change, and
    // Escape's release opens the Pause dialog.
    click(program.frmMenu, {328, 520});
    ASSERT_TRUE(program.frmFroggy.visible()) << "the click on the name Froggy opened nothing";
    compareAll("Froggy opened");
    const Qt::Key walk[] = {Qt::Key_Up, Qt::Key_Up, Qt::Key_Left, Qt::Key_Up, Qt::Key_Right, Qt::Key_Right, Qt::Key_Up, Qt::Key_Up};
    for (int round = 0; round < 48; ++round) {
        ticks(2);
        const Qt::Key step = walk[round % 8];
        key(program.frmFroggy, step, true);
        compareAll("Froggy, round " + std::to_string(round) + ", key down");
        key(program.frmFroggy, step, false);
        ticks(1);
        compareAll("Froggy, round " + std::to_string(round) + ", key up");
    }
    key(program.frmFroggy, Qt::Key_Escape, true);
    key(program.frmFroggy, Qt::Key_Escape, false);
    compareAll("the Pause dialog over Froggy");
    QTest::keyClick(&window(program.frmPause), Qt::Key_M, Qt::AltModifier);  // Quit to Menu
    compareAll("back at the menu");
}

TEST_F(PartialRepaint, InvadersFormationMarchingUnderFireMatchesWholeRepaints) {
    // The formation marches, the mothership drops bombs, the ship follows the
    // pointer and fires, aliens and hearts disappear.
    click(program.frmMenu, {328, 120});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.empty(); }, 5000)) << "the welcome box";
    compareAll("Invaders opened");
    for (int round = 0; round < 150 && program.frmInvaders.visible(); ++round) {
        ticks(3);
        if (!program.frmInvaders.visible()) break;
        const int x = 200 + (round * 37) % 400;
        move(program.frmInvaders, {x, 390});
        if (round % 4 == 0) click(program.frmInvaders, {x, 390});
        compareAll("Invaders, round " + std::to_string(round));
    }
}

}  // namespace
}  // namespace arcadeon::desktop::testing
