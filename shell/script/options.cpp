// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/script/options.h"

#include <algorithm>

#include "shell/record/printable.h"

namespace arcadeon {

namespace {

const Option* find(std::span<const Option> table, std::string_view word) {
    for (const Option& option : table) {
        if (word == option.name) return &option;
        if (option.letter != 0 && word.size() == 2 && word[0] == '-' && word[1] == option.letter) return &option;
    }
    return nullptr;
}

// "-h, --help" or "    --verify FILE".
std::string optionTitle(const Option& option) {
    std::string title(4, ' ');
    if (option.letter != 0) title = {'-', option.letter, ',', ' '};
    title += option.name;
    if (!option.argument.empty()) {
        title += ' ';
        title += option.argument;
    }
    return title;
}

}  // namespace

bool CommandLine::has(std::string_view name) const { return value(name) != nullptr; }

const std::string* CommandLine::value(std::string_view name) const {
    for (auto given = options.rbegin(); given != options.rend(); ++given) {
        if (given->name == name) return &given->value;
    }
    return nullptr;
}

CommandLine readCommandLine(std::span<const Option> table, std::span<const std::string_view> words) {
    CommandLine line;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (optionsEnded || word.size() < 2 || word[0] != '-') {
            line.operands.emplace_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        const std::size_t equals = word.starts_with("--") ? word.find('=') : std::string_view::npos;
        const Option* option = find(table, word.substr(0, equals));
        if (option == nullptr) {
            line.error = "unknown option " + quoted(word.substr(0, equals));
            return line;
        }
        CommandLine::Given given{option->name, {}};
        if (option->argument.empty()) {
            if (equals != std::string_view::npos) {
                line.error = "option " + quoted(option->name) + " takes no argument";
                return line;
            }
        } else if (equals != std::string_view::npos) {
            given.value = word.substr(equals + 1);
        } else if (i + 1 < words.size()) {
            given.value = words[++i];
        } else {
            line.error = "option " + quoted(option->name) + " needs an argument " + std::string(option->argument);
            return line;
        }
        line.options.push_back(std::move(given));
    }
    return line;
}

std::string describeOptions(std::span<const Option> table) {
    std::size_t width = 0;
    for (const Option& option : table) width = std::max(width, optionTitle(option).size());
    std::string text;
    for (const Option& option : table) {
        const std::string title = optionTitle(option);
        text += "  " + title + std::string(width - title.size() + 2, ' ') + std::string(option.help) + "\n";
    }
    return text;
}

}  // namespace arcadeon
