// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// frmFroggy: the Froggy road-crossing game. The frog goes up from the bottom
// grass, across two roads with seven vehicles and over the bridge, to the trophy.
#pragma once

#include "shell/layer/form.h"

namespace arcadeon {

class FrmFroggy final : public Form {
public:
    // The application, and what the window works with: the windows it
    // shows, hides or unloads.
    FrmFroggy(App& app, Form& frmMenu, Form& frmPause);
    static const FormLayout layout;

private:
    void Form_Load() override;
    void Form_KeyDown(Integer KeyCode, Integer Shift) override;
    void Form_KeyUp(Integer KeyCode, Integer Shift) override;
    void lblPause_Click();
    void tmrCars_Timer();
    void FrogDies();

    // Wrap-around of one vehicle that drives right or left.
    void WrapRight(Image& V);
    void WrapLeft(Image& V);
    // Collision tests 1 to 4 against one vehicle, in this order.
    void TestCollisions(Image& V);
    // The four zones around a rectangle R in which the frog counts as touching it.
    bool Test1(Image& R);
    bool Test2(Image& R);
    bool Test3(Image& R);
    bool Test4(Image& R);

    Control<Timer> tmrCars{*this, "tmrCars", [this] { tmrCars_Timer(); }};
    Control<Image> imgFroggy{*this, "imgFroggy"};
    Control<Image> imgTrophy{*this, "imgTrophy"};
    Control<Label> lblLosses{*this, "lblLosses"};
    Control<Image> imgTruck1{*this, "imgTruck1"};
    Control<Image> imgTruck3{*this, "imgTruck3"};
    Control<Image> imgTruck4{*this, "imgTruck4"};
    Control<Image> imgCar3{*this, "imgCar3"};
    Control<Shape> shpBridge{*this, "shpBridge"};
    Control<Image> imgCar1{*this, "imgCar1"};
    Control<Image> imgCar2{*this, "imgCar2"};
    Control<Image> imgTruck2{*this, "imgTruck2"};
    Control<Label> lblPause{*this, "lblPause", [this] { lblPause_Click(); }};

    // Losses of every game since the program started; Load shows them again.
    Integer intLosses;

    // The windows this one opens.
    Form& frmMenu;
    Form& frmPause;
};

}  // namespace arcadeon
