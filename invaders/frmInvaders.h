// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmInvaders: the Vavod Uvavovirovu Divadazo window, a fixed shooter. The
// game's state is the elements themselves (positions, visibility, timers,
// the PAUSE/GO caption) and the two speeds below.
#pragma once

#include "shell/layer/form.h"

namespace arcadeon {

class FrmInvaders final : public Form {
public:
    // The application, and what the window works with: the windows it
    // shows, hides or unloads.
    FrmInvaders(App& app, Form& frmMenu, Form& frmPause);
    static const FormLayout layout;

private:
    void Form_Load() override;
    void Form_Click() override;
    void Form_KeyDown(Integer KeyCode, Integer Shift) override;
    void Form_MouseMove(Integer Button, Integer Shift, Twips X, Twips Y) override;
    void lblPause_Click();
    void tmrBullet_Timer();
    void tmrBomb1_Timer();
    void tmrBomb2_Timer();
    void tmrBomb3_Timer();
    void tmrMothership_Timer();

    // Parts of the rules above.
    void restShot();
    [[nodiscard]] Control<Image>* firstAlienStruck();
    [[nodiscard]] bool alienStruck(Control<Image>& alien);
    [[nodiscard]] bool allAliensDestroyed();
    [[nodiscard]] bool mothershipStruck();
    void bombTick(Control<Image>& bomb, Control<Timer>& timer);
    void applyLivesRule();
    void gameLost();
    [[nodiscard]] bool underMiddleThird(Control<Image>& bomb);

    Control<Timer> tmrBomb3{*this, "tmrBomb3", [this] { tmrBomb3_Timer(); }};
    Control<Timer> tmrBomb2{*this, "tmrBomb2", [this] { tmrBomb2_Timer(); }};
    Control<Timer> tmrBomb1{*this, "tmrBomb1", [this] { tmrBomb1_Timer(); }};
    Control<Timer> tmrBullet{*this, "tmrBullet", [this] { tmrBullet_Timer(); }};
    Control<Timer> tmrMothership{*this, "tmrMothership", [this] { tmrMothership_Timer(); }};
    Control<Image> imgShip{*this, "imgShip"};
    Control<Image> imgAlienRight{*this, "imgAlienRight"};
    Control<Image> imgAlienLeft{*this, "imgAlienLeft"};
    Control<Label> lblPause{*this, "lblPause", [this] { lblPause_Click(); }};
    Control<Image> imgHeart2{*this, "imgHeart2"};
    Control<Image> imgHeart1{*this, "imgHeart1"};
    Control<Image> imgHeart3{*this, "imgHeart3"};
    Control<Image> imgMothership{*this, "imgMothership"};
    Control<Image> imgAlien1{*this, "imgAlien1"};
    Control<Image> imgAlien2{*this, "imgAlien2"};
    Control<Image> imgAlien3{*this, "imgAlien3"};
    Control<Image> imgAlien4{*this, "imgAlien4"};
    Control<Image> imgAlien5{*this, "imgAlien5"};
    Control<Image> imgAlien6{*this, "imgAlien6"};
    Control<Image> imgAlien7{*this, "imgAlien7"};
    Control<Image> imgAlien8{*this, "imgAlien8"};
    Control<Image> imgAlien9{*this, "imgAlien9"};
    Control<Image> imgAlien10{*this, "imgAlien10"};
    Control<Image> imgAlien11{*this, "imgAlien11"};
    Control<Image> imgAlien12{*this, "imgAlien12"};
    Control<Line> linBorder2{*this, "linBorder2"};
    Control<Line> linBorder1{*this, "linBorder1"};
    Control<Image> imgBomb3{*this, "imgBomb3"};
    Control<Image> imgBomb2{*this, "imgBomb2"};
    Control<Image> imgBomb1{*this, "imgBomb1"};
    Control<Shape> shpBullet{*this, "shpBullet"};

    // The aliens in the order the shot tests them.
    Control<Image>* const aliens[12] = {&imgAlien1, &imgAlien2, &imgAlien3, &imgAlien4,
                                        &imgAlien5, &imgAlien6, &imgAlien7, &imgAlien8,
                                        &imgAlien9, &imgAlien10, &imgAlien11, &imgAlien12};
    // What the formation's move shifts, in that order: the two edge markers, then the aliens.
    Control<Image>* const formation[14] = {&imgAlienLeft, &imgAlienRight, &imgAlien1, &imgAlien2,
                                           &imgAlien3, &imgAlien4, &imgAlien5, &imgAlien6,
                                           &imgAlien7, &imgAlien8, &imgAlien9, &imgAlien10,
                                           &imgAlien11, &imgAlien12};

    // The lives rule: the first row whose hearts match decides.
    enum class Heart { Any, Shown, Hidden };
    struct LivesRow {
        Heart heart1, heart2, heart3;
        Control<Image> FrmInvaders::*hide;  // the heart to hide; none: the game is lost
    };
    static const LivesRow kLivesRule[4];

    // Twips per tmrMothership tick; the sign is the direction (positive to the right).
    Integer intMothershipSpeed;
    Integer intAlienSpeed;

    Form& frmMenu;
    Form& frmPause;
};

}  // namespace arcadeon
