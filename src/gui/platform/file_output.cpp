#include "platform/file_output.h"

#include "file_output/file_output.h"

#include <QFile>

#include <string_view>

namespace platform {

// The rules live in file_output/, shared with the command line; here the
// name is put in the file system's encoding, as Qt would open it.
void WriteOutputFile(const QString& path, const QByteArray& bytes)
{
    orbit::file_output::WriteOutputFile(QFile::encodeName(path).toStdString(),
                                        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

void StreamOutputFile(const QString& path,
                      const std::function<void(const std::function<void(std::string_view)>& write)>& produce)
{
    orbit::file_output::StreamOutputFile(QFile::encodeName(path).toStdString(), produce);
}

}  // namespace platform
