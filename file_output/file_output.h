#pragma once
// Every file the program writes (pictures, tables, exports) goes through
// here, so that what makes a write safe is decided in one place: a file is
// replaced only by complete contents, never left half written, and what is
// not a file (a device, a pipe, a socket) is written into, never replaced by
// a file. Standard library and POSIX only, so the command line has it in a
// build without the windows too.

#include <string>
#include <string_view>

namespace orbit::file_output {

// Writes `bytes` to the output the user named:
// - "-": standard output;
// - a regular file, or a name not yet taken: a temporary file beside it,
//   flushed to the disk and renamed over the target once complete (a
//   symbolic link is followed, so the file it points to is the one replaced;
//   a replaced file keeps its permissions, a new one gets 0666 less the
//   umask);
// - an existing device, named pipe or socket: written straight into, as a
//   shell redirection would; it is never removed or renamed over.
// Throws orbit::OrbitError (File) naming the target when a step fails, and
// (Usage) for an empty name.
void WriteOutputFile(const std::string& path, std::string_view bytes);

}  // namespace orbit::file_output
