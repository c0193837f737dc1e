#include "file_output/file_output.h"

#include "core/orbit_error.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <string>

#include <fcntl.h>
#include <pthread.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace orbit::file_output {

namespace {

[[noreturn]] void Fail(const std::string& target, int error)
{
    throw OrbitError(ErrorKind::File, "Cannot write " + target + ": " + std::strerror(error));
}

// Writes every byte, going on after a short write or an interrupted one.
// Returns 0, or the errno of the write that failed.
template <typename WriteSome>
int WriteAll(std::string_view bytes, WriteSome writeSome)
{
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t written = writeSome(data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    return 0;
}

// A pipe whose reader has gone raises SIGPIPE, whose default action ends the
// program: a window would vanish with its user's work. For a named target that
// is a failed write like any other, so the signal is held back in this thread
// for the write, and one it raised is taken away again before it is let
// through.
int WriteWithoutSigpipe(int fd, std::string_view bytes)
{
    sigset_t pipeSignal, previousMask, pending;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &previousMask);
    sigpending(&pending);
    const bool alreadyPending = sigismember(&pending, SIGPIPE) == 1;

    const int error = WriteAll(bytes, [fd](const char* data, std::size_t size) { return ::write(fd, data, size); });

    if (error == EPIPE && !alreadyPending) {
        const timespec noWait{0, 0};
        while (sigtimedwait(&pipeSignal, nullptr, &noWait) < 0 && errno == EINTR) {
        }
    }
    pthread_sigmask(SIG_SETMASK, &previousMask, nullptr);
    return error;
}

// A stream socket on the file system is written to by connecting to it.
void WriteToSocket(const std::string& target, std::string_view bytes)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (target.size() >= sizeof address.sun_path)
        Fail(target, ENAMETOOLONG);
    std::memcpy(address.sun_path, target.data(), target.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        Fail(target, errno);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        const int error = errno;
        ::close(fd);
        Fail(target, error);
    }
    const int error =
        WriteAll(bytes, [fd](const char* data, std::size_t size) { return ::send(fd, data, size, MSG_NOSIGNAL); });
    ::close(fd);
    if (error)
        Fail(target, error);
}

// Devices and named pipes are opened and written as they are: no temporary
// file, no rename, nothing truncated or created.
void WriteIntoExisting(const std::string& target, std::string_view bytes)
{
    const int fd = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        Fail(target, errno);
    int error = WriteWithoutSigpipe(fd, bytes);
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error)
        Fail(target, error);
}

void WriteToStandardOutput(std::string_view bytes)
{
    // Whatever the program printed before goes first. A reader that has gone
    // ends the program as it would any command in a pipeline.
    std::cout.flush();
    std::fflush(stdout);
    const int error =
        WriteAll(bytes, [](const char* data, std::size_t size) { return ::write(STDOUT_FILENO, data, size); });
    if (error)
        Fail("to standard output", error);
}

// The file a name stands for once its symbolic links are followed: the link
// itself is kept and what it points to is replaced. A dangling link names
// the file it would point to.
std::string FollowLinks(const std::string& path)
{
    std::string current = path;
    for (int depth = 0; depth < 40; ++depth) {
        struct stat status {};
        if (::lstat(current.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return current;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(current.c_str(), target, sizeof target - 1);
        if (length < 0)
            return current;
        std::string next(target, static_cast<std::size_t>(length));
        if (next.front() != '/') {
            const auto slash = current.rfind('/');
            if (slash != std::string::npos)
                next = current.substr(0, slash + 1) + next;
        }
        current = next;
    }
    return current;  // a loop of links: the open below reports it
}

// A fresh temporary file beside `file`, created exclusively, so that nothing
// already there is opened or overwritten.
int CreateBeside(const std::string& file, std::string& temporary)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned salt = static_cast<unsigned>(::getpid()) * 2654435761u ^
                              static_cast<unsigned>(std::time(nullptr)) ^ (counter.fetch_add(1) * 40503u);
        char suffix[16];
        std::snprintf(suffix, sizeof suffix, ".%08x", salt);
        temporary = file + suffix;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

// Complete contents or none: a temporary file is written, flushed to the
// disk, and renamed over the target in one step.
void ReplaceFile(const std::string& target, std::string_view bytes)
{
    const std::string file = FollowLinks(target);
    std::string temporary;
    const int fd = CreateBeside(file, temporary);
    if (fd < 0)
        Fail(target, errno);
    int error = 0;
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(fd, existing.st_mode & 07777) != 0)
        error = errno;
    if (error == 0)
        error = WriteAll(bytes, [fd](const char* data, std::size_t size) { return ::write(fd, data, size); });
    if (error == 0 && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), file.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporary.c_str());
        Fail(target, error);
    }
}

}  // namespace

void WriteOutputFile(const std::string& path, std::string_view bytes)
{
    if (path.empty())
        throw OrbitError(ErrorKind::Usage, "No file name was given");
    if (path == "-") {
        WriteToStandardOutput(bytes);
        return;
    }
    struct stat status {};
    // stat follows symbolic links: a link to a device is written into the device.
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        if (S_ISSOCK(status.st_mode))
            WriteToSocket(path, bytes);
        else
            WriteIntoExisting(path, bytes);
        return;
    }
    ReplaceFile(path, bytes);
}

}  // namespace orbit::file_output
