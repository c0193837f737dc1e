#include "platform/file_output.h"

#include "core/orbit_error.h"

#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using platform::WriteOutputFile;

QByteArray ReadAll(int fd)
{
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    return bytes;
}

QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

mode_t TypeOf(const QString& path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

class FileOutput : public ::testing::Test {
protected:
    QString PathOf(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }
    QTemporaryDir folder;
};

TEST_F(FileOutput, RegularFileIsReplacedWholeAndLinksAreFollowed)
{
    const QString file = PathOf("pattern.png");
    WriteOutputFile(file, "first");
    EXPECT_EQ(FileBytes(file), "first");
    WriteOutputFile(file, "second, longer");
    EXPECT_EQ(FileBytes(file), "second, longer");

    const QString link = PathOf("latest.png");
    ASSERT_TRUE(QFile::link(file, link));
    WriteOutputFile(link, "through the link");
    EXPECT_EQ(TypeOf(link), S_IFLNK);
    EXPECT_EQ(FileBytes(file), "through the link");
}

TEST_F(FileOutput, BadNamesAreErrorsThatLeaveEverythingInPlace)
{
    EXPECT_EQ(ErrorOf([] { WriteOutputFile("", "x"); }), "No file name was given");

    const QString inner = PathOf("inner");
    ASSERT_TRUE(QDir(folder.path()).mkdir("inner"));
    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(inner, "x"); }), "Cannot write " + inner.toStdString() + ": Is a directory");
    EXPECT_EQ(TypeOf(inner), S_IFDIR);

    const QString missing = PathOf("no/such/folder.png");
    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(missing, "x"); }).rfind("Cannot write " + missing.toStdString(), 0), 0u);
}

TEST_F(FileOutput, NamedPipeIsWrittenIntoNotReplaced)
{
    const QString pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QByteArray picture(200000, 'p');  // more than a pipe holds at once
    QByteArray received;
    std::thread reader([&] {
        const int fd = ::open(QFile::encodeName(pipe).constData(), O_RDONLY);
        received = ReadAll(fd);
        ::close(fd);
    });
    WriteOutputFile(pipe, picture);
    reader.join();
    EXPECT_EQ(received, picture);
    EXPECT_EQ(TypeOf(pipe), S_IFIFO);
}

// The reader goes away mid-picture: an error to report, not a signal that
// ends the program.
TEST_F(FileOutput, PipeWhoseReaderLeavesIsAnError)
{
    const QString pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    std::thread reader([&] { ::close(::open(QFile::encodeName(pipe).constData(), O_RDONLY)); });
    const std::string error = ErrorOf([&] { WriteOutputFile(pipe, QByteArray(1 << 20, 'p')); });
    reader.join();
    EXPECT_EQ(error, "Cannot write " + pipe.toStdString() + ": Broken pipe");
    EXPECT_EQ(TypeOf(pipe), S_IFIFO);
}

TEST_F(FileOutput, SocketIsWrittenIntoNotReplaced)
{
    const QString socketPath = PathOf("socket");
    const QByteArray name = QFile::encodeName(socketPath);
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(name.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()));
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    QByteArray received;
    std::thread reader([&] {
        const int connection = ::accept(listener, nullptr, nullptr);
        received = ReadAll(connection);
        ::close(connection);
    });
    WriteOutputFile(socketPath, "to the socket");
    reader.join();
    ::close(listener);
    EXPECT_EQ(received, "to the socket");
    EXPECT_EQ(TypeOf(socketPath), S_IFSOCK);
}

// Device nodes made in the test's own folder: copies of the null device
// (takes everything) and the full device (every write fails). Making them
// needs privileges a test run may lack; the case is skipped then.
TEST_F(FileOutput, DeviceIsWrittenIntoAndItsFailureReported)
{
    const QString null = PathOf("null"), full = PathOf("full"), link = PathOf("to-null");
    if (::mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(QFile::encodeName(full).constData(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make device nodes here: " << std::strerror(errno);
    const int probe = ::open(QFile::encodeName(null).constData(), O_WRONLY);
    if (probe < 0)
        GTEST_SKIP() << "device nodes do not open in this folder: " << std::strerror(errno);
    ::close(probe);

    WriteOutputFile(null, "into the void");
    EXPECT_EQ(TypeOf(null), S_IFCHR);
    ASSERT_TRUE(QFile::link(null, link));
    WriteOutputFile(link, "through the link");
    EXPECT_EQ(TypeOf(link), S_IFLNK);
    EXPECT_EQ(TypeOf(null), S_IFCHR);

    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(full, "x"); }),
              "Cannot write " + full.toStdString() + ": No space left on device");
    EXPECT_EQ(TypeOf(full), S_IFCHR);
}

TEST_F(FileOutput, DashWritesToStandardOutput)
{
    const QString captured = PathOf("stdout");
    const int capture = ::open(QFile::encodeName(captured).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(capture, 0);
    std::fflush(stdout);
    const int savedStdout = ::dup(STDOUT_FILENO);
    ::dup2(capture, STDOUT_FILENO);
    ::close(capture);
    const std::string error = ErrorOf([] { WriteOutputFile("-", "picture bytes"); });
    ::dup2(savedStdout, STDOUT_FILENO);
    ::close(savedStdout);

    EXPECT_EQ(error, "");
    EXPECT_EQ(FileBytes(captured), "picture bytes");
    EXPECT_FALSE(QFile::exists("-"));
}

}  // namespace
