// The rules of writing a file, checked through each way in to them: the
// Qt-free writer the command line calls and the windows' wrapper, which
// must not lose any of them on the way (a name's encoding, a link, a pipe).
// Each test program instantiates this suite for its own entry point.

#include "tests/libs/file_output/file_output_cases.h"

#include "tests/support/error_text.h"

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

namespace orbit::file_output::testing {

std::string WriterName(const ::testing::TestParamInfo<FileWriter>& info) { return info.param.name; }

void FileOutput::SetUp()
{
    char name[] = "/tmp/file_output_test.XXXXXX";
    ASSERT_NE(::mkdtemp(name), nullptr);
    folder = name;
}

void FileOutput::TearDown() { std::filesystem::remove_all(folder); }

std::size_t FileOutput::FilesInFolder() const
{
    using std::filesystem::directory_iterator;
    return static_cast<std::size_t>(std::distance(directory_iterator(folder), directory_iterator()));
}

namespace {

namespace fs = std::filesystem;

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


TEST_P(FileOutput, RegularFileIsReplacedWholeKeepingItsPermissionsAndLinksAreFollowed)
{
    const std::string file = PathOf("track.geojson");
    Write(file, "first");
    EXPECT_EQ(FileBytes(file), "first");
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    Write(file, "second, longer");
    EXPECT_EQ(FileBytes(file), "second, longer");
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);

    const std::string link = PathOf("latest.geojson");
    fs::create_symlink("track.geojson", link);
    Write(link, "through the link");
    EXPECT_EQ(TypeOf(link), S_IFLNK);
    EXPECT_EQ(FileBytes(file), "through the link");
    EXPECT_EQ(FilesInFolder(), 2u);
}

TEST_P(FileOutput, BadNamesAreErrorsThatLeaveEverythingInPlace)
{
    EXPECT_EQ(ErrorOf([this] { Write("", "x"); }), "No file name was given");

    const std::string inner = PathOf("inner");
    fs::create_directory(inner);
    EXPECT_EQ(ErrorOf([&] { Write(inner, "x"); }), "Cannot write " + inner + ": Is a directory");
    EXPECT_EQ(TypeOf(inner), S_IFDIR);

    const std::string missing = PathOf("no/such/folder.oem");
    EXPECT_EQ(ErrorOf([&] { Write(missing, "x"); }), "Cannot write " + missing + ": No such file or directory");
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_P(FileOutput, NamedPipeIsWrittenIntoNotReplaced)
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
    Write(pipe, ephemeris);
    reader.join();
    EXPECT_EQ(received, ephemeris);
    EXPECT_EQ(TypeOf(pipe), S_IFIFO);
}

// The reader goes away mid-file: an error to report, not a signal that ends
// the program.
TEST_P(FileOutput, PipeWhoseReaderLeavesIsAnError)
{
    const std::string pipe = PathOf("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread reader([&] { ::close(::open(pipe.c_str(), O_RDONLY)); });
    const std::string error = ErrorOf([&] { Write(pipe, std::string(1 << 20, 'p')); });
    reader.join();
    EXPECT_EQ(error, "Cannot write " + pipe + ": Broken pipe");
    EXPECT_EQ(TypeOf(pipe), S_IFIFO);
}

TEST_P(FileOutput, SocketIsWrittenIntoNotReplaced)
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
    Write(socketPath, "to the socket");
    reader.join();
    ::close(listener);
    EXPECT_EQ(received, "to the socket");
    EXPECT_EQ(TypeOf(socketPath), S_IFSOCK);
}

// Device nodes made in the test's own folder: copies of the null device
// (takes everything) and the full device (every write fails). Making them
// needs privileges a test run may lack; the case is skipped then.
TEST_P(FileOutput, DeviceIsWrittenIntoAndItsFailureReported)
{
    const std::string null = PathOf("null"), full = PathOf("full");
    if (::mknod(null.c_str(), S_IFCHR | 0666, makedev(1, 3)) != 0 ||
        ::mknod(full.c_str(), S_IFCHR | 0666, makedev(1, 7)) != 0)
        GTEST_SKIP() << "cannot make device nodes here: " << std::strerror(errno);
    const int probe = ::open(null.c_str(), O_WRONLY);
    if (probe < 0)
        GTEST_SKIP() << "device nodes do not open in this folder: " << std::strerror(errno);
    ::close(probe);

    Write(null, "into the void");
    EXPECT_EQ(TypeOf(null), S_IFCHR);
    const std::string link = PathOf("to-null");
    fs::create_symlink("null", link);
    Write(link, "through the link");
    EXPECT_EQ(TypeOf(link), S_IFLNK);
    EXPECT_EQ(TypeOf(null), S_IFCHR);
    EXPECT_EQ(ErrorOf([&] { Write(full, "x"); }), "Cannot write " + full + ": No space left on device");
    EXPECT_EQ(TypeOf(full), S_IFCHR);
}

TEST_P(FileOutput, DashWritesToStandardOutput)
{
    const std::string captured = PathOf("stdout");
    const int capture = ::open(captured.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(capture, 0);
    std::fflush(stdout);
    const int savedStdout = ::dup(STDOUT_FILENO);
    ::dup2(capture, STDOUT_FILENO);
    ::close(capture);
    const std::string error = ErrorOf([this] { Write("-", "ephemeris bytes"); });
    ::dup2(savedStdout, STDOUT_FILENO);
    ::close(savedStdout);

    EXPECT_EQ(error, "");
    EXPECT_EQ(FileBytes(captured), "ephemeris bytes");
    EXPECT_FALSE(fs::exists("-"));
}

// Contents made piece by piece: the target keeps its old contents while the
// temporary file beside it grows, and takes the new ones whole at the end.
TEST_P(FileOutput, StreamedContentsReplaceTheFileOnlyOnceComplete)
{
    const std::string file = PathOf("ephemeris.oem");
    Write(file, "old");
    const std::string line(100, 'x');
    std::size_t filesMidway = 0;
    std::string targetMidway;
    Stream(file, [&](const ByteSink& write) {
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
TEST_P(FileOutput, AFailingProducerLeavesTheTargetAndNoTemporary)
{
    struct Case {
        const char* name;
        int piecesBeforeFailing;
    } const cases[] = {{"at once", 0}, {"after a few bytes", 3}, {"after several megabytes", 40000}};
    for (const Case& c : cases) {
        const std::string file = PathOf("track.kml");
        Write(file, "kept");
        const std::string piece(100, 'y');
        EXPECT_THROW(Stream(file,
                                                          [&](const ByteSink& write) {
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
}  // namespace orbit::file_output::testing
