// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/desktop/keys.h"

#include <initializer_list>
#include <utility>

#include "shell/layer/keys.h"

namespace arcadeon::desktop {

namespace {

// Keys that type nothing, whose Qt code differs from their virtual-key code.
constexpr std::pair<int, int> kKeys[] = {
    {Qt::Key_Backspace, 8}, {Qt::Key_Tab, 9}, {Qt::Key_Backtab, 9}, {Qt::Key_Clear, 12},
    {Qt::Key_Return, 13}, {Qt::Key_Enter, 13}, {Qt::Key_Shift, 16}, {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18}, {Qt::Key_AltGr, 18}, {Qt::Key_Pause, 19}, {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, 27}, {Qt::Key_PageUp, 33}, {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35}, {Qt::Key_Home, 36}, {Qt::Key_Left, 37}, {Qt::Key_Up, 38},
    {Qt::Key_Right, 39}, {Qt::Key_Down, 40}, {Qt::Key_Print, 44}, {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46}, {Qt::Key_Help, 47}, {Qt::Key_Meta, 91}, {Qt::Key_Menu, 93},
    {Qt::Key_NumLock, 144}, {Qt::Key_ScrollLock, 145},
};

// Keys of the numeric keypad.
int keypadKey(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return 96 + (qtKey - Qt::Key_0);
    switch (qtKey) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period: return 110;
    case Qt::Key_Slash: return 111;
    default: return -1;
    }
}

// The layer's bits for the Qt flags that are set.
template <class Flags>
int bitsOf(Flags flags, std::initializer_list<std::pair<typename Flags::enum_type, int>> bits) {
    int result = 0;
    for (const auto& [flag, bit] : bits) {
        if ((flags & flag) != 0) result |= bit;
    }
    return result;
}

}  // namespace

int virtualKey(int qtKey, Qt::KeyboardModifiers modifiers) {
    if ((modifiers & Qt::KeypadModifier) != 0) {
        if (const int code = keypadKey(qtKey); code >= 0) return code;
    }
    // A key that types a Latin-1 character is that character to Qt (the
    // upper case of a letter): the layer's table of typed characters knows it.
    if (qtKey >= Qt::Key_Space && qtKey <= Qt::Key_ydiaeresis) return virtualKeyOfCharacter(static_cast<char32_t>(qtKey));
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 112 + (qtKey - Qt::Key_F1);
    for (const auto& [key, code] : kKeys) {
        if (key == qtKey) return code;
    }
    return -1;
}

int shiftState(Qt::KeyboardModifiers modifiers) {
    return shiftStateOf((modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0,
                        (modifiers & Qt::AltModifier) != 0);
}

int buttonState(Qt::MouseButtons buttons) {
    return bitsOf(buttons, {{Qt::LeftButton, 1}, {Qt::RightButton, 2}, {Qt::MiddleButton, 4}, {Qt::BackButton, 8}, {Qt::ForwardButton, 16}});
}

}  // namespace arcadeon::desktop
