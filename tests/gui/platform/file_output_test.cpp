// The windows' writer takes Qt's strings: every rule of the Qt-free writer
// must hold through it too, with the name put in the file system's encoding.

#include "platform/file_output.h"

#include "tests/libs/file_output/file_output_cases.h"

#include <QByteArray>
#include <QFile>

namespace orbit::file_output::testing {
namespace {

QString QtName(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

void WriteThroughQt(const std::string& path, std::string_view bytes)
{
    platform::WriteOutputFile(QtName(path), QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
}

void StreamThroughQt(const std::string& path, const std::function<void(const ByteSink& write)>& produce)
{
    platform::StreamOutputFile(QtName(path), produce);
}

INSTANTIATE_TEST_SUITE_P(Windows, FileOutput, ::testing::Values(FileWriter{"QtStrings", WriteThroughQt, StreamThroughQt}),
                         WriterName);

}  // namespace
}  // namespace orbit::file_output::testing
