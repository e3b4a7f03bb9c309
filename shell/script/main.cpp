// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// arcadeon-script [OPTIONS] [FILE]: runs a script of a person's actions (FILE,
// or standard input when FILE is missing or "-") and prints what it asks for;
// with --verify, checks that a recording plays again to the state it recorded.
#include <unistd.h>

#include <algorithm>
#include <iostream>
#include <istream>
#include <memory>
#include <ostream>
#include <vector>

#include "shell/script/files.h"
#include "shell/script/options.h"
#include "shell/record/printable.h"
#include "shell/record/runner.h"
#include "shell/record/verify.h"
#include "shell/version.h"

namespace {

using namespace arcadeon;

constexpr Option kOptions[] = {
    {"--help", 'h', "", "show this help and exit"},
    {"--version", 'v', "", "show the version and exit"},
    {"--verify", 0, "FILE", "play the recording FILE and compare its end with its final state"},
};

constexpr const char* kUsage =
    "Usage: arcadeon-script [OPTIONS] [FILE]\n"
    "Runs Arcadeon's games without a screen, driven by a script of a person's\n"
    "actions on a virtual clock (64 ticks a second), and prints what the script\n"
    "asks for. The script is FILE, or standard input when FILE is missing or -.\n";

constexpr const char* kDetails =
    "  --             end the options: a FILE after it may begin with -\n"
    "\n"
    "A script has one command a line; # starts a comment:\n"
    "  click FORM ELEMENT        click FORM X Y            move FORM X Y\n"
    "  key|keydown|keyup CODE [shift|ctrl|alt...]\n"
    "  tick [N]   wait MS   stall MS   activate FORM   close FORM   resize FORM W H\n"
    "  ok   print PATH...   trace on|off\n"
    "\n"
    "Exit status: 0 when the script ran to its end or the program ended; 2 for a\n"
    "line that cannot be carried out, a FILE that cannot be read, output that\n"
    "cannot be written, or a bad command line. With --verify: 0 after\n"
    "\"recording verified: N values\", 1 after each value that differs, 2 for a\n"
    "bad line or a recording without its final state. The manual page\n"
    "arcadeon-script(6) describes the script language in full.\n";

// One line on standard error, status 2.
int fail(const std::string& what) {
    std::cerr << "error: " << what << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string_view> words(argv + std::min(argc, 1), argv + argc);
    const CommandLine line = readCommandLine(kOptions, words);
    if (!line.error.empty()) return fail(line.error + " (see arcadeon-script --help)");
    if (line.operands.size() > 1) {
        return fail("one FILE at most, not also '" + printable(line.operands[1]) + "' (see arcadeon-script --help)");
    }

    OutputFile output(STDOUT_FILENO, "standard output");
    std::ostream out(&output);
    out.exceptions(std::ios::badbit);
    try {
        if (line.has("--help")) {
            out << kUsage << "\nOptions:\n" << describeOptions(kOptions) << kDetails << std::flush;
            return 0;
        }
        if (line.has("--version")) {
            out << "arcadeon-script " << kVersion << "\n" << std::flush;
            return 0;
        }
        if (const std::string* recording = line.value("--verify")) {
            if (!line.operands.empty()) return fail("--verify takes no other FILE (see arcadeon-script --help)");
            const int status = verifyFile(*recording, out, std::cerr);
            out.flush();
            return status;
        }
        const bool standardInput = line.operands.empty() || line.operands[0] == "-";
        std::unique_ptr<InputFile> input = standardInput ? std::make_unique<InputFile>(STDIN_FILENO, "standard input")
                                                         : std::make_unique<InputFile>(line.operands[0]);
        std::istream script(input.get());
        script.exceptions(std::ios::badbit);
        // What a person typing the script has asked for appears before the next line is read.
        if (standardInput) script.tie(&out);
        ScriptRunner runner(script, out, std::cerr);
        const int status = runner.run();
        out.flush();
        return status;
    } catch (const FileError& error) {
        return fail(error.message());
    }
}
