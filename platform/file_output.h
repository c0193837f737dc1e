#pragma once
// Every file the program writes (pictures, tables) goes through here, so
// that what makes a write safe is decided in one place: a file is replaced
// only by complete contents, never left half written.

#include <QByteArray>
#include <QString>

namespace platform {

// Writes `bytes` to `path` through a temporary file renamed over the target.
// Throws orbit::OrbitError (File) naming the path when it cannot.
void WriteFileAtomically(const QString& path, const QByteArray& bytes);

}  // namespace platform
