// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layer/keys.h"

#include <charconv>
#include <optional>

namespace arcadeon {

namespace {

struct CharacterKey {
    char32_t character;
    int code;
};

// Characters other than letters and digits, and the keys of a US keyboard that type them.
constexpr CharacterKey kCharacterKeys[] = {
    {U' ', 32},
    // punctuation, unshifted and shifted: the key, not the character
    {U';', 186}, {U':', 186}, {U'=', 187}, {U'+', 187}, {U',', 188}, {U'<', 188}, {U'-', 189}, {U'_', 189},
    {U'.', 190}, {U'>', 190}, {U'/', 191}, {U'?', 191}, {U'`', 192}, {U'~', 192}, {U'[', 219}, {U'{', 219},
    {U'\\', 220}, {U'|', 220}, {U']', 221}, {U'}', 221}, {U'\'', 222}, {U'"', 222},
    // shifted digits
    {U'!', '1'}, {U'@', '2'}, {U'#', '3'}, {U'$', '4'}, {U'%', '5'}, {U'^', '6'}, {U'&', '7'}, {U'*', '8'},
    {U'(', '9'}, {U')', '0'},
};

struct NamedKey {
    std::string_view name;
    int code;
};

// Keys that type nothing (and the keypad's, known by their place), by name.
constexpr NamedKey kNamedKeys[] = {
    {"Backspace", 8}, {"Tab", 9}, {"Clear", 12}, {"Enter", 13}, {"NumpadEnter", 13},
    {"Shift", 16}, {"ShiftLeft", 16}, {"ShiftRight", 16},
    {"Control", 17}, {"ControlLeft", 17}, {"ControlRight", 17},
    {"Alt", 18}, {"AltLeft", 18}, {"AltRight", 18}, {"AltGraph", 18},
    {"Pause", 19}, {"CapsLock", 20}, {"Escape", 27}, {"Space", 32},
    {"PageUp", 33}, {"PageDown", 34}, {"End", 35}, {"Home", 36},
    {"ArrowLeft", 37}, {"ArrowUp", 38}, {"ArrowRight", 39}, {"ArrowDown", 40},
    {"PrintScreen", 44}, {"Insert", 45}, {"Delete", 46}, {"Help", 47},
    {"Meta", 91}, {"MetaLeft", 91}, {"MetaRight", 91}, {"ContextMenu", 93},
    {"NumpadMultiply", 106}, {"NumpadAdd", 107}, {"NumpadSubtract", 109}, {"NumpadDecimal", 110},
    {"NumpadDivide", 111}, {"NumLock", 144}, {"ScrollLock", 145},
    // places of the US punctuation keys
    {"Semicolon", 186}, {"Equal", 187}, {"Comma", 188}, {"Minus", 189}, {"Period", 190}, {"Slash", 191},
    {"Backquote", 192}, {"BracketLeft", 219}, {"Backslash", 220}, {"BracketRight", 221}, {"Quote", 222},
};

// The number after `prefix` in `name` ("F12" -> 12), when `name` is exactly that; -1 otherwise.
int numberAfter(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() == prefix.size() || name.size() > prefix.size() + 2) return -1;
    if (name[prefix.size()] == '0' && name.size() > prefix.size() + 1) return -1;
    int number = -1;
    const auto [end, error] = std::from_chars(name.data() + prefix.size(), name.data() + name.size(), number);
    return error == std::errc() && end == name.data() + name.size() ? number : -1;
}

// The one character `text` holds (UTF-8); nothing when it holds none, more, or broken UTF-8.
std::optional<char32_t> onlyCharacter(std::string_view text) {
    if (text.empty()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(text[0]);
    const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || text.size() != length) return std::nullopt;
    char32_t character = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[i]);
        if ((next & 0xC0) != 0x80) return std::nullopt;
        character = (character << 6) | (next & 0x3F);
    }
    return character;
}

}  // namespace

int virtualKeyOfCharacter(char32_t character) {
    if (character >= U'A' && character <= U'Z') return static_cast<int>(character);
    if (character >= U'a' && character <= U'z') return static_cast<int>(character - U'a' + U'A');
    if (character >= U'0' && character <= U'9') return static_cast<int>(character);
    for (const CharacterKey& key : kCharacterKeys) {
        if (key.character == character) return key.code;
    }
    return -1;
}

int virtualKeyNamed(std::string_view name) {
    if (const int f = numberAfter(name, "F"); f >= 1 && f <= 24) return 111 + f;
    if (const int digit = numberAfter(name, "Numpad"); digit >= 0 && digit <= 9) return 96 + digit;
    if (name.size() == 4 && name.starts_with("Key") && name[3] >= 'A' && name[3] <= 'Z') return name[3];
    if (name.size() == 6 && name.starts_with("Digit") && name[5] >= '0' && name[5] <= '9') return name[5];
    for (const NamedKey& key : kNamedKeys) {
        if (key.name == name) return key.code;
    }
    return -1;
}

int virtualKeyOfBrowserKey(std::string_view key, std::string_view code) {
    const std::optional<char32_t> typed = onlyCharacter(key);
    if (typed && !code.starts_with("Numpad")) return virtualKeyOfCharacter(*typed);
    return virtualKeyNamed(code);
}

}  // namespace arcadeon
