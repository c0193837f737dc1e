#pragma once
// What `repeat-orbit` prints for the explorer's tests to hold the window
// against: the real executable, run with its arguments.

#include <QProcess>
#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace explorer_testing {

// The command's standard output; empty when it failed.
inline std::string RepeatOrbit(const QStringList& arguments)
{
    QProcess program;
    program.start(QStringLiteral(REPEAT_ORBIT_EXE), arguments);
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit || program.exitCode() != 0)
        return {};
    return program.readAllStandardOutput().toStdString();
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

}  // namespace explorer_testing
