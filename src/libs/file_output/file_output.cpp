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
#include <mutex>
#include <string>
#include <utility>

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

// Gathers the pieces it is given into writes of about a megabyte, so many
// small pieces cost few system calls and a large one is not copied. Returns
// from Put and Flush 0, or the errno of the write that failed.
template <typename WriteBytes>
class BufferedWriter {
public:
    explicit BufferedWriter(WriteBytes writeBytes) : writeBytes_(std::move(writeBytes)) {}

    int Put(std::string_view bytes)
    {
        if (buffer_.size() + bytes.size() <= kCapacity) {
            buffer_.append(bytes);
            return 0;
        }
        if (const int error = Flush())
            return error;
        if (bytes.size() >= kCapacity)
            return writeBytes_(bytes);
        buffer_.append(bytes);
        return 0;
    }

    int Flush()
    {
        const int error = buffer_.empty() ? 0 : writeBytes_(std::string_view(buffer_));
        buffer_.clear();
        return error;
    }

private:
    static constexpr std::size_t kCapacity = std::size_t{1} << 20;
    WriteBytes writeBytes_;
    std::string buffer_;
};

// Runs `produce` with a sink into `writeBytes`, buffered; a failed write
// ends it with the error naming `target`.
template <typename WriteBytes>
void ProduceInto(const std::string& target, const std::function<void(const ByteSink&)>& produce, WriteBytes writeBytes)
{
    BufferedWriter<WriteBytes> out(std::move(writeBytes));
    produce([&](std::string_view bytes) {
        if (const int error = out.Put(bytes))
            Fail(target, error);
    });
    if (const int error = out.Flush())
        Fail(target, error);
}

// Closes a descriptor however the writing into it ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes it now: 0, or the errno of a close that failed.
    int Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) != 0 && errno != EINTR ? errno : 0;
    }

private:
    int fd_;
};

// A stream socket on the file system is written to by connecting to it.
void WriteToSocket(const std::string& target, const std::function<void(const ByteSink&)>& produce)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (target.size() >= sizeof address.sun_path)
        Fail(target, ENAMETOOLONG);
    std::memcpy(address.sun_path, target.data(), target.size());
    Descriptor socket(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
    if (socket.get() < 0)
        Fail(target, errno);
    if (::connect(socket.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        Fail(target, errno);
    const int fd = socket.get();
    ProduceInto(target, produce, [fd](std::string_view bytes) {
        return WriteAll(bytes, [fd](const char* data, std::size_t size) { return ::send(fd, data, size, MSG_NOSIGNAL); });
    });
}

// Devices and named pipes are opened and written as they are: no temporary
// file, no rename, nothing truncated or created.
void WriteIntoExisting(const std::string& target, const std::function<void(const ByteSink&)>& produce)
{
    Descriptor existing(::open(target.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
    if (existing.get() < 0)
        Fail(target, errno);
    const int fd = existing.get();
    ProduceInto(target, produce, [fd](std::string_view bytes) { return WriteWithoutSigpipe(fd, bytes); });
    if (const int error = existing.Close())
        Fail(target, error);
}

void WriteToStandardOutput(const std::function<void(const ByteSink&)>& produce)
{
    // Whatever the program printed before goes first. A reader that has gone
    // ends the program as it would any command in a pipeline.
    std::cout.flush();
    std::fflush(stdout);
    ProduceInto("to standard output", produce, [](std::string_view bytes) {
        return WriteAll(bytes, [](const char* data, std::size_t size) { return ::write(STDOUT_FILENO, data, size); });
    });
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

// The temporary files being written, where a signal handler can find them:
// fixed buffers and lock-free flags, since a handler may only read memory
// and make async-signal-safe calls (unlink, sigaction, raise). A slot is
// named once its file exists and freed once the file is renamed or removed;
// with every slot taken a write goes on unguarded.
struct TemporarySlot {
    enum State : int { kFree, kClaimed, kNamed };
    std::atomic<int> state{kFree};
    char path[PATH_MAX]{};
};
static_assert(std::atomic<int>::is_always_lock_free);
TemporarySlot temporarySlots[16];

constexpr int kCleanedSignals[] = {SIGINT, SIGTERM, SIGHUP};

void RemoveTemporariesAndEnd(int signal)
{
    for (TemporarySlot& slot : temporarySlots)
        if (slot.state.load() == TemporarySlot::kNamed)
            ::unlink(slot.path);
    // The signal's own default action, so the program ends as it would have
    // (a shell sees "killed by SIGTERM", not an exit status): taken up once
    // the handler returns, the signal being held back while it runs.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(signal, &fallback, nullptr);
    ::raise(signal);
}

void GuardTemporariesFromSignals()
{
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (const int signal : kCleanedSignals) {
            struct sigaction current {};
            if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) ||
                current.sa_handler != SIG_DFL)
                continue;
            struct sigaction cleaner {};
            cleaner.sa_handler = RemoveTemporariesAndEnd;
            sigemptyset(&cleaner.sa_mask);
            for (const int other : kCleanedSignals)
                sigaddset(&cleaner.sa_mask, other);
            ::sigaction(signal, &cleaner, nullptr);
        }
    });
}

// A fresh temporary file beside a file, created exclusively (so nothing
// already there is opened or overwritten) and removed again unless it was
// renamed over the file.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& file)
    {
        GuardTemporariesFromSignals();
        for (TemporarySlot& candidate : temporarySlots) {
            int expected = TemporarySlot::kFree;
            if (candidate.state.compare_exchange_strong(expected, TemporarySlot::kClaimed)) {
                slot_ = &candidate;
                break;
            }
        }
        static std::atomic<unsigned> counter{0};
        for (int attempt = 0; attempt < 100; ++attempt) {
            const unsigned salt = static_cast<unsigned>(::getpid()) * 2654435761u ^
                                  static_cast<unsigned>(std::time(nullptr)) ^ (counter.fetch_add(1) * 40503u);
            char suffix[16];
            std::snprintf(suffix, sizeof suffix, ".%08x", salt);
            path_ = file + suffix;
            fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST)
                break;
        }
        if (fd_ < 0) {
            error_ = errno;
            Release();
            return;
        }
        if (slot_ && path_.size() < sizeof slot_->path) {
            std::memcpy(slot_->path, path_.c_str(), path_.size() + 1);
            slot_->state.store(TemporarySlot::kNamed);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile()
    {
        if (fd_ >= 0)
            ::close(fd_);
        if (!renamed_ && error_ == 0)
            ::unlink(path_.c_str());
        Release();
    }

    int fd() const { return fd_; }
    int error() const { return error_; }  // errno of the creation that failed, 0 when it was made

    // Closes the file: 0, or the errno of a close that failed.
    int Close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) != 0 && errno != EINTR ? errno : 0;
    }

    // Renames it over `file`: 0, or the errno of the rename.
    int RenameOver(const std::string& file)
    {
        if (::rename(path_.c_str(), file.c_str()) != 0)
            return errno;
        renamed_ = true;
        return 0;
    }

private:
    // Freed only once the file is renamed or removed: a signal in between
    // finds the name gone, which is harmless.
    void Release()
    {
        if (slot_)
            slot_->state.store(TemporarySlot::kFree);
        slot_ = nullptr;
    }

    TemporarySlot* slot_ = nullptr;
    std::string path_;
    int fd_ = -1;
    int error_ = 0;
    bool renamed_ = false;
};

// Complete contents or none: a temporary file is written, flushed to the
// disk, and renamed over the target in one step.
void ReplaceFile(const std::string& target, const std::function<void(const ByteSink&)>& produce)
{
    const std::string file = FollowLinks(target);
    TemporaryFile temporary(file);
    if (temporary.error())
        Fail(target, temporary.error());
    const int fd = temporary.fd();
    struct stat existing {};
    if (::stat(file.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(fd, existing.st_mode & 07777) != 0)
        Fail(target, errno);
    ProduceInto(target, produce, [fd](std::string_view bytes) {
        return WriteAll(bytes, [fd](const char* data, std::size_t size) { return ::write(fd, data, size); });
    });
    if (::fsync(fd) != 0)
        Fail(target, errno);
    if (const int error = temporary.Close())
        Fail(target, error);
    if (const int error = temporary.RenameOver(file))
        Fail(target, error);
}

}  // namespace

void WriteOutputFile(const std::string& path, std::string_view bytes)
{
    StreamOutputFile(path, [bytes](const ByteSink& write) { write(bytes); });
}

void StreamOutputFile(const std::string& path, const std::function<void(const ByteSink&)>& produce)
{
    if (path.empty())
        throw OrbitError(ErrorKind::Usage, "No file name was given");
    if (path == "-") {
        WriteToStandardOutput(produce);
        return;
    }
    struct stat status {};
    // stat follows symbolic links: a link to a device is written into the device.
    if (::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
        if (S_ISSOCK(status.st_mode))
            WriteToSocket(path, produce);
        else
            WriteIntoExisting(path, produce);
        return;
    }
    ReplaceFile(path, produce);
}

}  // namespace orbit::file_output
