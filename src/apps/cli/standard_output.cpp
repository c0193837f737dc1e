#include "cli/standard_output.h"

#include "cli/command_line.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>

#include <fcntl.h>
#include <unistd.h>

namespace orbit::cli {

DescriptorBuffer::int_type DescriptorBuffer::overflow(int_type c)
{
    if (!Drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorBuffer::sync() { return Drain() ? 0 : -1; }

bool DescriptorBuffer::Drain()
{
    const char* data = pbase();
    const char* const end = pptr();
    while (error_ == 0 && data < end) {
        const ssize_t written = ::write(fd_, data, static_cast<std::size_t>(end - data));
        if (written >= 0)
            data += written;
        else if (errno != EINTR)
            error_ = errno;
    }
    setp(buffer_, buffer_ + sizeof buffer_);
    return error_ == 0;
}

StandardOutput::StandardOutput() : buffer_(STDOUT_FILENO)
{
    // A standard descriptor the caller closed (`>&-`) would be handed to the
    // next file opened, and the table would land in a picture file. Hold its
    // place with the root folder opened read-only: writing to it fails as
    // writing to a closed descriptor does, and so does opening it again by
    // name (--png /dev/stdout), where a null device would swallow the picture.
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        if (::fcntl(fd, F_GETFD) < 0 && errno == EBADF)
            ::open("/", O_RDONLY | O_DIRECTORY);

    // `repeat-orbit search ... | head` must stop quietly once head has read
    // enough, as cat or grep do: SIGPIPE's default action ends the program at
    // the first write after the reader left, without a message and without
    // computing further, and the shell sees the signal. Whatever disposition
    // the parent left us with, that is the one wanted here.
    std::signal(SIGPIPE, SIG_DFL);

    previous_ = std::cout.rdbuf(&buffer_);
}

StandardOutput::~StandardOutput() { std::cout.rdbuf(previous_); }

int StandardOutput::Finish(int status)
{
    std::cout.flush();
    if (buffer_.error() == 0 && std::cout)
        return status;
    std::cerr << "Cannot write to standard output";
    if (buffer_.error() != 0)
        std::cerr << ": " << std::strerror(buffer_.error());
    std::cerr << '\n';
    return status == kExitSuccess ? kExitComputationError : status;
}

}  // namespace orbit::cli
