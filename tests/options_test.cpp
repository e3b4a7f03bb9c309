// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of arcadeon-script: options from a table, operands, "--",
// and one clear error for whatever does not fit.
#include <gtest/gtest.h>

#include <vector>

#include "shell/script/options.h"

namespace arcadeon {
namespace {

// The runner's own options and one that takes an argument, as --verify will.
constexpr Option kTable[] = {
    {"--help", 'h', "", "show this help and exit"},
    {"--version", 'v', "", "show the version and exit"},
    {"--check", 0, "FILE", "compare with FILE"},
};

CommandLine read(std::vector<std::string_view> words) { return readCommandLine(kTable, words); }

struct GoodLine {
    std::vector<std::string_view> words;
    std::vector<std::string_view> options;  // "--name" or "--name=value", in order
    std::vector<std::string_view> operands;
};

TEST(CommandLineTest, OptionsAndOperandsAreReadInEveryForm) {
    // Long and short forms, an argument after "=" or as the next word, "-" as
    // an operand, and "--" ending the options so that later words are operands.
    const GoodLine kCases[] = {
        {{}, {}, {}},
        {{"play.script"}, {}, {"play.script"}},
        {{"-"}, {}, {"-"}},
        {{"--help"}, {"--help"}, {}},
        {{"-h", "-v"}, {"--help", "--version"}, {}},
        {{"a.script", "--version"}, {"--version"}, {"a.script"}},
        {{"--check", "r.script", "x"}, {"--check=r.script"}, {"x"}},
        {{"--check=r.script"}, {"--check=r.script"}, {}},
        {{"--check="}, {"--check="}, {}},
        {{"--check", "--help"}, {"--check=--help"}, {}},
        {{"--", "--help", "-h"}, {}, {"--help", "-h"}},
        {{"x", "--", "--"}, {}, {"x", "--"}},
    };
    for (const GoodLine& c : kCases) {
        const CommandLine line = read(c.words);
        std::string words;
        for (std::string_view word : c.words) words += std::string(word) + " ";
        EXPECT_EQ(line.error, "") << words;
        std::vector<std::string> options;
        for (const CommandLine::Given& given : line.options) {
            options.push_back(std::string(given.name) + (given.name == "--check" ? "=" + given.value : ""));
        }
        EXPECT_EQ(options, std::vector<std::string>(c.options.begin(), c.options.end())) << words;
        EXPECT_EQ(line.operands, std::vector<std::string>(c.operands.begin(), c.operands.end())) << words;
    }
}

TEST(CommandLineTest, TheLastArgumentGivenCounts) {
    // An option given twice takes its last value; one not given has none.
    const CommandLine line = read({"--check", "a", "--check=b"});
    ASSERT_NE(line.value("--check"), nullptr);
    EXPECT_EQ(*line.value("--check"), "b");
    EXPECT_FALSE(line.has("--help"));
}

struct BadLine {
    std::vector<std::string_view> words;
    std::string_view error;
};

TEST(CommandLineTest, WhatDoesNotFitIsOneError) {
    // Unknown options (long, short, glued), a missing argument and an argument
    // to an option that takes none; bytes that cannot be shown are escaped.
    const BadLine kCases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"-x"}, "unknown option '-x'"},
        {{"-hv"}, "unknown option '-hv'"},
        {{"--help-me"}, "unknown option '--help-me'"},
        {{"--bogus=1"}, "unknown option '--bogus'"},
        {{"a.script", "--nope"}, "unknown option '--nope'"},
        {{"--check"}, "option '--check' needs an argument FILE"},
        {{"--help=yes"}, "option '--help' takes no argument"},
        {{"--\x1b[2J"}, "unknown option '--\\x1B[2J'"},
    };
    for (const BadLine& c : kCases) EXPECT_EQ(read(c.words).error, c.error) << c.words[0];
}

TEST(CommandLineTest, HelpListsEveryOptionInAColumn) {
    // Each option on its own line, the descriptions aligned.
    EXPECT_EQ(describeOptions(kTable),
              "  -h, --help        show this help and exit\n"
              "  -v, --version     show the version and exit\n"
              "      --check FILE  compare with FILE\n");
}

}  // namespace
}  // namespace arcadeon
