#include "platform/file_output.h"

#include "core/orbit_error.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <csignal>
#include <cstdio>
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

namespace platform {

namespace {

[[noreturn]] void Fail(const std::string& target, int error)
{
    throw orbit::OrbitError(orbit::ErrorKind::File, "Cannot write " + target + ": " + std::strerror(error));
}

// Writes every byte, going on after a short write or an interrupted one.
// Returns 0, or the errno of the write that failed.
template <typename WriteSome>
int WriteAll(const QByteArray& bytes, WriteSome writeSome)
{
    const char* data = bytes.constData();
    auto left = static_cast<std::size_t>(bytes.size());
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
int WriteWithoutSigpipe(int fd, const QByteArray& bytes)
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
void WriteToSocket(const std::string& target, const QByteArray& name, const QByteArray& bytes)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(name.size()) >= sizeof address.sun_path)
        Fail(target, ENAMETOOLONG);
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
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
void WriteIntoExisting(const std::string& target, const QByteArray& name, const QByteArray& bytes)
{
    const int fd = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        Fail(target, errno);
    int error = WriteWithoutSigpipe(fd, bytes);
    if (::close(fd) != 0 && error == 0 && errno != EINTR)
        error = errno;
    if (error)
        Fail(target, error);
}

void WriteToStandardOutput(const QByteArray& bytes)
{
    // Whatever the program printed before goes first. A reader that has gone
    // ends the program as it would any command in a pipeline.
    std::cout.flush();
    std::fflush(stdout);
    const int error = WriteAll(bytes, [](const char* data, std::size_t size) { return ::write(STDOUT_FILENO, data, size); });
    if (error)
        Fail("to standard output", error);
}

}  // namespace

void WriteOutputFile(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty())
        throw orbit::OrbitError(orbit::ErrorKind::Usage, "No file name was given");
    if (path == QLatin1String("-")) {
        WriteToStandardOutput(bytes);
        return;
    }

    const QByteArray name = QFile::encodeName(path);
    const std::string target = path.toStdString();
    struct stat status {};
    // stat follows symbolic links: a link to a device is written into the device.
    if (::stat(name.constData(), &status) == 0 && !S_ISREG(status.st_mode)) {
        if (S_ISSOCK(status.st_mode))
            WriteToSocket(target, name, bytes);
        else
            WriteIntoExisting(target, name, bytes);
        return;
    }

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw orbit::OrbitError(orbit::ErrorKind::File, "Cannot write " + target + ": " + file.errorString().toStdString());
}

}  // namespace platform
