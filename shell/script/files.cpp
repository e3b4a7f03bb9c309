// SPDX-FileCopyrightText: 2026 The Arcadeon developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/script/files.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "shell/record/printable.h"

namespace arcadeon {

std::string FileError::message() const { return printable(name) + ": " + std::strerror(error); }

InputFile::InputFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)), owned_(true), name_(path) {
    if (fd_ < 0) throw FileError{name_, errno};
}

InputFile::~InputFile() {
    if (owned_) ::close(fd_);
}

InputFile::int_type InputFile::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    ssize_t count = 0;
    do {
        count = ::read(fd_, buffer_.data(), buffer_.size());
    } while (count < 0 && errno == EINTR);
    if (count < 0) throw FileError{name_, errno};
    if (count == 0) return traits_type::eof();
    setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(*gptr());
}

OutputFile::OutputFile(int fd, std::string name) : fd_(fd), name_(std::move(name)) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

void OutputFile::drain() {
    const char* at = pbase();
    while (at < pptr()) {
        const ssize_t count = ::write(fd_, at, static_cast<std::size_t>(pptr() - at));
        if (count < 0 && errno == EINTR) continue;
        if (count < 0) {
            const int error = errno;
            setp(buffer_.data(), buffer_.data() + buffer_.size());  // what could not be written is dropped
            throw FileError{name_, error};
        }
        at += count;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

OutputFile::int_type OutputFile::overflow(int_type c) {
    drain();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int OutputFile::sync() {
    drain();
    return 0;
}

}  // namespace arcadeon
