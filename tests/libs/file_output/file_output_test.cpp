// The one way files are written, without Qt: complete contents or none, and
// devices, pipes and sockets written into, never replaced.

#include "file_output/file_output.h"

#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using orbit::file_output::WriteOutputFile;

std::string ReadAll(int fd)
{
    std::string bytes;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(n));
    return bytes;
}

std::string FileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return in ? bytes.str() : "<unreadable>";
}

mode_t TypeOf(const fs::path& path)
{
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 ? (status.st_mode & S_IFMT) : 0;
}

class FileOutput : public ::testing::Test {
protected:
    void SetUp() override
    {
        char name[] = "/tmp/file_output_test.XXXXXX";
        ASSERT_NE(::mkdtemp(name), nullptr);
        folder = name;
    }
    void TearDown() override { fs::remove_all(folder); }
    std::string PathOf(const char* name) const { return (folder / name).string(); }

    // Only the named files are in the folder: no temporary file was left.
    std::size_t FilesInFolder() const
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    fs::path folder;
};

TEST_F(FileOutput, RegularFileIsReplacedWholeKeepingItsPermissionsAndLinksAreFollowed)
{
    const std::string file = PathOf("track.geojson");
    WriteOutputFile(file, "first");
    EXPECT_EQ(FileBytes(file), "first");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    WriteOutputFile(file, "second, longer");
    EXPECT_EQ(FileBytes(file), "second, longer");
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    const std::string link = PathOf("latest.geojson");
    fs::create_symlink("track.geojson", link);
    WriteOutputFile(link, "through the link");
    EXPECT_EQ(TypeOf(link), S_IFLNK);
    EXPECT_EQ(FileBytes(file), "through the link");
    EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_F(FileOutput, BadNamesAreErrorsThatLeaveEverythingInPlace)
{
    EXPECT_EQ(ErrorOf([] { WriteOutputFile("", "x"); }), "No file name was given");

    const std::string inner = PathOf("inner");
    fs::create_directory(inner);
    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(inner, "x"); }), "Cannot write " + inner + ": Is a directory");
    EXPECT_EQ(TypeOf(inner), S_IFDIR);

    const std::string missing = PathOf("no/such/folder.oem");
    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(missing, "x"); }), "Cannot write " + missing + ": No such file or directory");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FileOutput, NamedPipeIsWrittenIntoNotReplaced)
{
    const std::string pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string ephemeris(200000, 'p');  // more than a pipe holds at once
    std::string received;
    std::thread reader([&] {
        const int fd = ::open(pipe.c_str(), O_RDONLY);
        received = ReadAll(fd);
        ::close(fd);
    });
    WriteOutputFile(pipe, ephemeris);
    reader.join();
    EXPECT_EQ(received, ephemeris);
    EXPECT_EQ(TypeOf(pipe), S_IFIFO);
}

// The reader goes away mid-file: an error to report, not a signal that ends
// the program.
TEST_F(FileOutput, PipeWhoseReaderLeavesIsAnError)
{
    const std::string pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread reader([&] { ::close(::open(pipe.c_str(), O_RDONLY)); });
    const std::string error = ErrorOf([&] { WriteOutputFile(pipe, std::string(1 << 20, 'p')); });
    reader.join();
    EXPECT_EQ(error, "Cannot write " + pipe + ": Broken pipe");
    EXPECT_EQ(TypeOf(pipe), S_IFIFO);
}

TEST_F(FileOutput, SocketIsWrittenIntoNotReplaced)
{
    const std::string socketPath = PathOf("socket");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socketPath.data(), socketPath.size());
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    std::string received;
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
    const std::string null = PathOf("null"), full = PathOf("full");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make device nodes here: " << std::strerror(errno);
    const int probe = ::open(null.c_str(), O_WRONLY);
    if (probe < 0)
        GTEST_SKIP() << "device nodes do not open in this folder: " << std::strerror(errno);
    ::close(probe);

    WriteOutputFile(null, "into the void");
    EXPECT_EQ(TypeOf(null), S_IFCHR);
    EXPECT_EQ(ErrorOf([&] { WriteOutputFile(full, "x"); }), "Cannot write " + full + ": No space left on device");
    EXPECT_EQ(TypeOf(full), S_IFCHR);
}

TEST_F(FileOutput, DashWritesToStandardOutput)
{
    const std::string captured = PathOf("stdout");
    const int capture = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(capture, 0);
    std::fflush(stdout);
    const int savedStdout = ::dup(STDOUT_FILENO);
    ::dup2(capture, STDOUT_FILENO);
    ::close(capture);
    const std::string error = ErrorOf([] { WriteOutputFile("-", "ephemeris bytes"); });
    ::dup2(savedStdout, STDOUT_FILENO);
    ::close(savedStdout);

    EXPECT_EQ(error, "");
    EXPECT_EQ(FileBytes(captured), "ephemeris bytes");
    EXPECT_FALSE(fs::exists("-"));
}

// Contents made piece by piece: the target keeps its old contents while the
// temporary file beside it grows, and takes the new ones whole at the end.
TEST_F(FileOutput, StreamedContentsReplaceTheFileOnlyOnceComplete)
{
    const std::string file = PathOf("ephemeris.oem");
    WriteOutputFile(file, "old");
    const std::string line(100, 'x');
    std::size_t filesMidway = 0;
    std::string targetMidway;
    orbit::file_output::StreamOutputFile(file, [&](const orbit::file_output::ByteSink& write) {
        for (int k = 0; k < 30000; ++k) {  // 3 MB, several buffers' worth
            write(line);
            write("\n");
            if (k == 20000) {
                filesMidway = FilesInFolder();
                targetMidway = FileBytes(file);
            }
        }
    });
    EXPECT_EQ(filesMidway, 2u);
    EXPECT_EQ(targetMidway, "old");
    EXPECT_EQ(FilesInFolder(), 1u);
    const std::string bytes = FileBytes(file);
    EXPECT_EQ(bytes.size(), 30000u * 101);
    EXPECT_EQ(bytes.substr(0, 101), line + "\n");
}

// A producer that fails part way, before its first buffer went out or after
// many: the temporary file goes, the target stays, the error goes on.
TEST_F(FileOutput, AFailingProducerLeavesTheTargetAndNoTemporary)
{
    struct Case {
        const char* name;
        int piecesBeforeFailing;
    } const cases[] = {{"at once", 0}, {"after a few bytes", 3}, {"after several megabytes", 40000}};
    for (const Case& c : cases) {
        const std::string file = PathOf("track.kml");
        WriteOutputFile(file, "kept");
        const std::string piece(100, 'y');
        EXPECT_THROW(orbit::file_output::StreamOutputFile(file,
                                                          [&](const orbit::file_output::ByteSink& write) {
                                                              for (int k = 0; k < c.piecesBeforeFailing; ++k)
                                                                  write(piece);
                                                              throw std::runtime_error("the propagation failed");
                                                          }),
                     std::runtime_error)
            << c.name;
        EXPECT_EQ(FileBytes(file), "kept") << c.name;
        EXPECT_EQ(FilesInFolder(), 1u) << c.name;
    }
}

}  // namespace
