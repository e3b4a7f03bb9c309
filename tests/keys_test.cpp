// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The one key table of every front end: a typed character, or the name of
// a key that types nothing, to the virtual-key code handlers see.
#include <gtest/gtest.h>

#include "shell/layer/keys.h"

namespace arcadeon {
namespace {

TEST(Keys, ATypedCharacterIsItsKeyOnAUsKeyboardWhateverTheLayout) {
    // A key is known by what it types: on a French keyboard the key in the
    // place of Q types 'a' and is A (65), the key in the place of A types
    // 'q' and is Q (81), so Alt with the key printed Q is Quit's access key.
    struct Case {
        char32_t character;
        int code;
    };
    static constexpr Case kCases[] = {
        {U'q', 81}, {U'a', 65}, {U'Q', 81}, {U'A', 65}, {U'z', 90}, {U'Z', 90}, {U'm', 77},
        {U'0', 48}, {U'9', 57}, {U' ', 32},
        {U';', 186}, {U':', 186}, {U'=', 187}, {U'+', 187}, {U',', 188}, {U'<', 188}, {U'-', 189}, {U'_', 189},
        {U'.', 190}, {U'>', 190}, {U'/', 191}, {U'?', 191}, {U'`', 192}, {U'~', 192},
        {U'[', 219}, {U'{', 219}, {U'\\', 220}, {U'|', 220}, {U']', 221}, {U'}', 221}, {U'\'', 222}, {U'"', 222},
        {U'!', 49}, {U'@', 50}, {U'#', 51}, {U'$', 52}, {U'%', 53}, {U'^', 54}, {U'&', 55}, {U'*', 56},
        {U'(', 57}, {U')', 48},
        // characters no US key types
        {U'é', -1}, {U'§', -1}, {U'€', -1}, {U'\t', -1}, {U'\r', -1}, {U'\0', -1},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(virtualKeyOfCharacter(c.character), c.code) << "U+" << std::hex << static_cast<unsigned>(c.character);
    }
}

TEST(Keys, AKeyThatTypesNothingIsKnownByItsName) {
    // The names a browser gives keys (its code or key); an unknown or
    // malformed name is no key.
    struct Case {
        const char* name;
        int code;
    };
    static constexpr Case kCases[] = {
        {"Escape", 27}, {"Enter", 13}, {"NumpadEnter", 13}, {"Tab", 9}, {"Backspace", 8},
        {"ArrowLeft", 37}, {"ArrowUp", 38}, {"ArrowRight", 39}, {"ArrowDown", 40},
        {"F1", 112}, {"F12", 123}, {"F24", 135}, {"F0", -1}, {"F25", -1}, {"F01", -1}, {"F", -1}, {"F1x", -1},
        {"Numpad0", 96}, {"Numpad9", 105}, {"Numpad10", -1}, {"NumpadAdd", 107}, {"NumpadDecimal", 110},
        {"Shift", 16}, {"ShiftRight", 16}, {"ControlLeft", 17}, {"AltLeft", 18}, {"AltGraph", 18}, {"MetaLeft", 91},
        {"Pause", 19}, {"CapsLock", 20}, {"Delete", 46}, {"Home", 36}, {"PageDown", 34},
        // places, for keys that type nothing known (a dead key, say)
        {"KeyA", 65}, {"KeyZ", 90}, {"Digit5", 53}, {"Semicolon", 186}, {"BracketLeft", 219}, {"Quote", 222},
        {"Keya", -1}, {"KeyAA", -1}, {"Digit", -1}, {"escape", -1}, {"", -1}, {"Unidentified", -1},
    };
    for (const Case& c : kCases) EXPECT_EQ(virtualKeyNamed(c.name), c.code) << c.name;
}

TEST(Keys, ABrowsersKeyEventIsKnownByTheCharacterItTypesElseByItsPlace) {
    // A page's key event: KeyboardEvent.key when it is one character (in
    // UTF-8), else KeyboardEvent.code; the keypad by its place. On a French
    // keyboard the key in the place of A (code KeyA) types 'q' and is Q.
    struct Case {
        const char* key;
        const char* code;
        int virtualKey;
    };
    static constexpr Case kCases[] = {
        {"q", "KeyA", 81},            // French layout: the key printed Q
        {"a", "KeyQ", 65},            // French layout: the key printed A
        {"Q", "KeyA", 81},            // with Shift
        {"m", "Semicolon", 77},       // French layout: M beside L
        {";", "Comma", 186},          // and the semicolon where the US comma is
        {"a", "KeyA", 65},            // a US keyboard
        {" ", "Space", 32},
        {"Escape", "Escape", 27},
        {"Enter", "NumpadEnter", 13},
        {"ArrowLeft", "ArrowLeft", 37},
        {"Alt", "AltLeft", 18},
        {"7", "Numpad7", 103},        // the keypad by its place
        {"*", "NumpadMultiply", 106},
        {"Home", "Numpad7", 103},     // Num Lock off
        {"\xC3\xA9", "Digit2", -1},  // 'é' on the French 2 key: no US key types it
        {"\xC3", "KeyE", 69},          // broken UTF-8 is no character: its place
        {"Unidentified", "KeyA", 65}, // typing nothing known: its place
        {"Dead", "BracketLeft", 219}, // a dead key types nothing yet: its place
        {"", "", -1},
    };
    for (const Case& c : kCases) {
        EXPECT_EQ(virtualKeyOfBrowserKey(c.key, c.code), c.virtualKey) << c.key << " " << c.code;
    }
}

}  // namespace
}  // namespace arcadeon
