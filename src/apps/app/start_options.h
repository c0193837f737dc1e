#pragma once
// The window program's command line. It opens the design window, and with
// --explore the explorer in front of it; besides that it answers --help,
// --help-all (with Qt's standard options, such as -platform and -style) and
// --version, the way desktop programs do. Every option of the program's own
// is declared in this one place.

#include <QStringList>

#include <optional>

class QCommandLineParser;

namespace app {

inline constexpr int kExitUsageError = 2;

// The option that opens the explorer at start.
inline constexpr const char* kExploreOption = "explore";

// True when the arguments ask for help or the version only, so the program
// shows no window and needs no screen.
bool AsksOnlyForText(const QStringList& arguments);

// True when nothing says where windows go: no platform chosen (by
// QT_QPA_PLATFORM or -platform) and neither an X11 nor a Wayland display.
bool HasNoScreen(const QStringList& arguments);

// Before the application object exists. A request for text only must work
// without a display (over ssh, or in a build making the manual page), and
// with no screen at all the program must still read its command line and
// say what is wrong, where Qt would abort at its start. Both run on the
// offscreen platform unless a platform has been chosen. Returns true when
// that was for want of a screen: the program then opens no window.
bool ChoosePlatform(int argc, const char* const* argv);

// What the program says when it has no screen to open its window on.
inline constexpr const char* kNoScreenText =
    "no display to open the window on: neither DISPLAY nor WAYLAND_DISPLAY is set";

// Declares the options on `parser` and reads `arguments` (the program name
// first). Help and version are printed and end the program with status 0.
// A mistake is reported on stderr and its exit status returned; nothing is
// returned when the program should go on and open its window, `parser` then
// holding what was asked.
std::optional<int> ReadCommandLine(QCommandLineParser& parser, const QStringList& arguments);

}  // namespace app
