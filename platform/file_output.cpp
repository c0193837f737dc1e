#include "platform/file_output.h"

#include "core/orbit_error.h"

#include <QSaveFile>

namespace platform {

void WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        throw orbit::OrbitError(orbit::ErrorKind::File,
                                "Cannot write " + path.toStdString() + ": " + file.errorString().toStdString());
}

}  // namespace platform
