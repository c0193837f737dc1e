#pragma once
// Every file the windows write (pictures, tables) goes through here, so
// that what makes a write safe is decided in one place: a file is replaced
// only by complete contents, never left half written, and what is not a file
// (a device, a pipe, a socket) is written into, never replaced by a file.
// The rules are file_output/'s, which the command line uses without Qt.

#include <QByteArray>
#include <QString>

#include <functional>
#include <string_view>

namespace platform {

// Writes `bytes` to the output the user named:
// - "-": standard output;
// - a regular file, or a name not yet taken: a temporary file beside it,
//   renamed over the target once complete (a symbolic link is followed, so
//   the file it points to is the one replaced);
// - an existing device, named pipe or socket: written straight into, as a
//   shell redirection would; it is never removed or renamed over.
// Throws orbit::OrbitError (File) naming the target when a step fails, and
// (Usage) for an empty name.
void WriteOutputFile(const QString& path, const QByteArray& bytes);

// The same with contents made piece by piece: `produce` hands each piece to
// the sink it is given, which takes it on into the temporary file, so a long
// export never stands whole in memory. A `produce` that throws leaves the
// target as it was, and its exception goes on.
void StreamOutputFile(const QString& path,
                      const std::function<void(const std::function<void(std::string_view)>& write)>& produce);

}  // namespace platform
