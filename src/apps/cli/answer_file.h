#pragma once
// `--output FILE` for a command that prints its answer (text, CSV or JSON):
// what it would print goes to FILE instead, complete or not at all, as every
// file the program writes. A FILE of `-` is standard output itself.
//
// The answer is gathered while the command runs and written once it has
// succeeded, so a command that fails leaves the file as it was.

#include <CLI/CLI.hpp>

#include <string>

namespace orbit::cli {

void AddAnswerFileOption(CLI::App& command);

// Held by RunCommandLine around the run of the chosen command.
class AnswerFile {
public:
    AnswerFile() = default;
    ~AnswerFile();  // a command that did not succeed: standard output back, nothing written
    AnswerFile(const AnswerFile&) = delete;
    AnswerFile& operator=(const AnswerFile&) = delete;

    // The command succeeded: its answer, when --output took it, into the
    // file. Throws OrbitError (File) when the file cannot be written.
    void Commit();
};

}  // namespace orbit::cli
