#pragma once
// Every file the program writes (pictures, tables, exports) goes through
// here, so that what makes a write safe is decided in one place: a file is
// replaced only by complete contents, never left half written, and what is
// not a file (a device, a pipe, a socket) is written into, never replaced by
// a file. Standard library and POSIX only, so the command line has it in a
// build without the windows too.

#include <functional>
#include <string>
#include <string_view>

namespace orbit::file_output {

// Takes each piece of the contents as it is made.
using ByteSink = std::function<void(std::string_view bytes)>;

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
//
// A temporary file is removed on any failure, and by SIGINT, SIGTERM and
// SIGHUP too (Ctrl+C, a kill, a closed terminal), which then end the
// program as they would have without it. Their handlers are put in place
// once, at the first file replaced, for each of those signals that still has
// its default action then; one the program ignores or handles itself is
// left alone.
void WriteOutputFile(const std::string& path, std::string_view bytes);

// As WriteOutputFile, with contents too large to hold whole: `produce` makes
// them piece by piece and hands each to the sink it is given, which passes
// it on to the output a buffer at a time, so memory stays flat whatever the
// size. A regular file is still replaced only when `produce` has returned
// and every byte is on the disk; when `produce` throws, the temporary file
// is removed, the target is left as it was and the exception goes on (a
// device, pipe, socket or standard output keeps what it was given).
void StreamOutputFile(const std::string& path, const std::function<void(const ByteSink& write)>& produce);

}  // namespace orbit::file_output
