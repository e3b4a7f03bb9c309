// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of arcadeon-script: options from a table, then operands.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace arcadeon {

// One option a program accepts.
struct Option {
    std::string_view name;      // the long form, "--help"
    char letter = 0;            // the short form's letter, 'h' for -h; 0 for none
    std::string_view argument;  // the name of its argument ("FILE"), empty when it takes none
    std::string_view help;      // what it does, for --help
};

struct CommandLine {
    struct Given {
        std::string_view name;  // the option's long form
        std::string value;      // its argument, empty for an option without one
    };
    std::vector<Given> options;         // in the order given
    std::vector<std::string> operands;  // the words that are no options
    std::string error;                  // what is wrong with the command line; empty when nothing

    [[nodiscard]] bool has(std::string_view name) const;
    // The argument given last to option `name`, nullptr when it was not given.
    [[nodiscard]] const std::string* value(std::string_view name) const;
};

// Reads `words` (the command line without the program's name) against
// `table`. An option is "--name", "--name=VALUE" or "--name VALUE" (for one
// that takes an argument), "-l" or "-l VALUE" by its letter; "-" alone is an
// operand; "--" ends the options, so that every word after it is an operand.
// An unknown option, a missing argument or an argument to an option that
// takes none stops the reading with `error` set.
CommandLine readCommandLine(std::span<const Option> table, std::span<const std::string_view> words);

// The option lines of --help: "  -h, --help     show this help and exit".
std::string describeOptions(std::span<const Option> table);

}  // namespace arcadeon
