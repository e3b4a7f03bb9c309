// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's message box: its look, the keys that close it, and the
// box of a replayed script that no one can close.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "probe.h"

namespace arcadeon::desktop::testing {
namespace {

const FormLayout kPlainLayout{.name = "frmPlain", .Caption = "Plain", .ClientWidth = 1500, .ClientHeight = 1500};

class MessageBoxTest : public ::testing::Test {
protected:
    App app;
    ProbeForm form{app, kPlainLayout};
    Desktop desktop{app};

    void SetUp() override { desktop.start(form); }
};

TEST_F(MessageBoxTest, IsWideEnoughForItsWholeTitleWithThePromptCentred) {
    // A box only as wide as its short prompt left the window manager no room
    // for its title ("Uh oh!" never showed), and its prompt sat right of
    // centre, beside the place of an icon it does not have.
    form.onKeyDown = [&] { form.MsgBox("You lose!", "Uh oh!"); };
    int width = 0, titleWidth = 0, promptCentre = 0;
    pressOkOnNextBox([&](MessageBox& box) {
        width = box.width();
        QFont bold = box.font();
        bold.setBold(true);
        titleWidth = QFontMetrics(bold).horizontalAdvance(box.windowTitle());
        if (const auto* label = box.findChild<QLabel*>(); label != nullptr) {
            const QRect ink = label->fontMetrics().boundingRect(label->rect(), static_cast<int>(label->alignment()), label->text());
            promptCentre = label->mapTo(&box, ink.center()).x();
        }
    });
    QTest::keyPress(desktop.window(form), Qt::Key_M);
    EXPECT_GE(width, titleWidth + 100) << "room for the title bar's icon and three buttons";
    EXPECT_NEAR(promptCentre, width / 2, 3);
}

TEST_F(MessageBoxTest, EnterSpaceAndEscapeEachCloseTheBoxAndTheHandlerGoesOn) {
    // A box closes with its OK, Enter, Space or Escape; each hands control
    // back to the handler that opened it.
    const Qt::Key keys[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space, Qt::Key_Escape};
    for (const Qt::Key key : keys) {
        bool returned = false;
        form.onKeyDown = [&] {
            form.MsgBox("Press GO to resume your game.", "Pause");
            returned = true;
        };
        bool sent = false;
        QTimer poll;
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            MessageBox* box = MessageBox::of(QApplication::activeModalWidget());
            if (box == nullptr || sent) return;
            sent = true;
            QTest::keyClick(box->focusWidget() != nullptr ? box->focusWidget() : box, key);
        });
        poll.start();
        bool forced = false;  // a box the key left open fails the case, not the whole run
        QTimer guard;
        guard.setSingleShot(true);
        QObject::connect(&guard, &QTimer::timeout, [&] {
            if (MessageBox* box = MessageBox::of(QApplication::activeModalWidget())) {
                forced = true;
                box->accept();
            }
        });
        guard.start(3000);
        QTest::keyPress(desktop.window(form), Qt::Key_M);
        QTest::keyRelease(desktop.window(form), Qt::Key_M);
        EXPECT_TRUE(sent) << QKeySequence(key).toString().toStdString();
        EXPECT_TRUE(returned) << QKeySequence(key).toString().toStdString();
        EXPECT_FALSE(forced) << QKeySequence(key).toString().toStdString() << " left the box open";
        EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << QKeySequence(key).toString().toStdString();
    }
}

TEST_F(MessageBoxTest, ReplayedBoxShowsWithoutBlockingAndNoKeyOrCloseRequestClosesIt) {
    // While a script is replayed its box shows what the script's box shows;
    // only the script's own OK closes it, not a person's key or close button.
    desktop.showReplayedBox("Uh oh!", "You lose!");
    MessageBox* box = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(MessageBox::kObjectName) && widget->isVisible()) box = MessageBox::of(widget);
    }
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), "Uh oh!");
    EXPECT_EQ(box->prompt(), "You lose!");
    EXPECT_FALSE(box->isModal());
    EXPECT_FALSE(box->okButton().isEnabled());
    QTest::keyClick(box, Qt::Key_Escape);
    QTest::keyClick(box, Qt::Key_Return);
    box->close();
    EXPECT_TRUE(box->isVisible());
    const QPointer<MessageBox> watched(box);
    desktop.closeReplayedBox();
    EXPECT_TRUE(watched.isNull());
}

}  // namespace
}  // namespace arcadeon::desktop::testing
