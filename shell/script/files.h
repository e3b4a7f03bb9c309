// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the script and writing its output through file descriptors, so that
// a file that cannot be read and output that cannot be written are errors with
// their reason, instead of a script that seems to end or output that is lost.
#pragma once

#include <array>
#include <streambuf>
#include <string>

namespace arcadeon {

// Thrown when reading or writing fails: "NAME: WHAT".
struct FileError {
    std::string name;  // the file's name, "standard input" or "standard output"
    int error;         // errno
    [[nodiscard]] std::string message() const;
};

// Reads a file descriptor; throws FileError when a read fails.
class InputFile final : public std::streambuf {
public:
    InputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    // Opens `path` for reading; throws FileError when it cannot.
    explicit InputFile(const std::string& path);
    ~InputFile() override;
    InputFile(const InputFile&) = delete;
    InputFile& operator=(const InputFile&) = delete;

protected:
    int_type underflow() override;

private:
    int fd_;
    bool owned_ = false;
    std::string name_;
    std::array<char, 65536> buffer_{};
};

// Writes to a file descriptor; throws FileError when a write fails.
class OutputFile final : public std::streambuf {
public:
    OutputFile(int fd, std::string name);
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    void drain();

    int fd_;
    std::string name_;
    std::array<char, 65536> buffer_{};
};

}  // namespace arcadeon
