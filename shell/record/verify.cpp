// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/record/verify.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <iterator>
#include <ostream>
#include <stdexcept>
#include <streambuf>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "shell/record/printable.h"
#include "shell/record/runner.h"
#include "shell/record/state.h"

namespace arcadeon {

namespace {

// Feeds a runner the lines one by one.
ScriptRunner::LineSource linesOf(const std::vector<std::string>& lines) {
    return [&lines, next = std::size_t{0}]() mutable -> std::optional<std::string> {
        if (next == lines.size()) return std::nullopt;
        return lines[next++];
    };
}

// Where the script's own output goes while a recording is verified.
class Discard : public std::streambuf {
protected:
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char* /*s*/, std::streamsize n) override { return n; }
};

}  // namespace

std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::vector<FinalValue> readFinalState(const std::vector<std::string>& lines) {
    std::vector<FinalValue> block;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view text = lines[i];
        if (!text.starts_with(kFinalMark)) continue;
        if (text.ends_with('\r')) text.remove_suffix(1);
        text.remove_prefix(kFinalMark.size());
        const int number = static_cast<int>(i + 1);
        // "PATH = VALUE", where VALUE may be empty and the blank after '=' with it.
        const std::size_t equals = text.find(" =");
        const std::string_view path = text.substr(0, equals);
        const bool wellFormed = equals != std::string_view::npos && !path.empty() &&
                                path.find_first_of(" \t") == std::string_view::npos &&
                                (text.size() == equals + 2 || text[equals + 2] == ' ');
        if (!wellFormed) {
            throw std::runtime_error("line " + std::to_string(number) + ": a final-state line is " +
                                     quoted(std::string(kFinalMark) + "PATH = VALUE") + ", not " + quoted(lines[i]));
        }
        const std::string_view value = text.size() > equals + 3 ? text.substr(equals + 3) : std::string_view{};
        block.push_back({number, std::string(path), std::string(value)});
    }
    return block;
}

int verifyRecording(const std::vector<std::string>& lines, const std::string& name, std::ostream& out,
                    std::ostream& err, std::int64_t timeLimit) {
    std::vector<FinalValue> recorded;
    try {
        recorded = readFinalState(lines);
    } catch (const std::runtime_error& bad) {
        err << "error: " << bad.what() << "\n";
        return 2;
    }
    if (recorded.empty()) {
        err << "error: " << name << ": no final-state block (no line begins " << quoted(kFinalMark) << ")\n";
        return 2;
    }

    Discard discard;
    std::ostream silent(&discard);
    ScriptRunner runner(linesOf(lines), silent, err);
    for (const FinalValue& entry : recorded) {
        try {
            checkPath(runner.program(), entry.path);
        } catch (const BadPath& bad) {
            err << "error: line " << entry.line << ": " << bad.what() << "\n";
            return 2;
        }
    }
    runner.setTimeLimit(timeLimit);
    if (const int status = runner.run(); status == ScriptRunner::kTimeLimit) {
        err << "error: " << name << ": runs past the time limit\n";
        return 2;
    } else if (status != 0) {
        return status;
    }

    std::size_t differing = 0;
    for (const FinalValue& entry : recorded) {
        const std::string replayed = readPath(runner.program(), entry.path);
        if (replayed == entry.value) continue;
        ++differing;
        out << entry.path << ": recorded " << quoted(entry.value) << ", replayed " << quoted(replayed) << "\n";
    }
    if (differing > 0) {
        out << "recording differs: " << differing << " of " << recorded.size() << " values\n";
        return 1;
    }
    out << "recording verified: " << recorded.size() << " values\n";
    return 0;
}

int checkScript(const std::vector<std::string>& lines, std::ostream& err, std::int64_t timeLimit) {
    Discard discard;
    std::ostream silent(&discard);
    ScriptRunner runner(linesOf(lines), silent, err);
    runner.setTimeLimit(timeLimit);
    return runner.run() == 2 ? 2 : 0;
}

std::optional<std::vector<std::string>> readScriptFile(const std::string& file, std::ostream& err) {
    std::string text;
    const auto failed = [&](int error) {
        err << "error: " << file << ": " << std::strerror(error) << "\n";
        return std::nullopt;
    };
    if (file == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return splitLines(text);
    }
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failed(errno);
    struct stat status {};
    if (::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
        ::close(fd);
        return failed(EISDIR);
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return failed(error);
        }
        text.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return splitLines(text);
}

int verifyFile(const std::string& file, std::ostream& out, std::ostream& err) {
    const std::optional<std::vector<std::string>> lines = readScriptFile(file, err);
    if (!lines) return 2;
    return verifyRecording(*lines, file, out, err);
}

}  // namespace arcadeon
