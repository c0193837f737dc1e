#include "cli/answer_file.h"

#include "cli/option_checks.h"
#include "file_output/file_output.h"

#include <iostream>
#include <sstream>

namespace orbit::cli {

namespace {

// One command runs per process (and per RunCommandLine in the tests), so one
// answer is gathered at a time.
struct Gathered {
    std::string path;
    std::ostringstream text;
    std::streambuf* standardOutput = nullptr;  // set while the answer is gathered
};

Gathered& Answer()
{
    static Gathered answer;
    return answer;
}

void StopGathering()
{
    Gathered& answer = Answer();
    if (answer.standardOutput) {
        std::cout.rdbuf(answer.standardOutput);
        answer.standardOutput = nullptr;
    }
}

}  // namespace

void AddAnswerFileOption(CLI::App& command)
{
    // Gathering begins as the option's value is taken, with the command's
    // other options, before the command runs; a parse that ends earlier (a
    // usage error, --version) leaves standard output as it was.
    command
        .add_option("--output", Answer().path, "Write the answer to FILE, complete or not at all (- for standard output)")
        ->type_name("FILE")
        ->check(OutputFileName())
        ->each([](const std::string& path) {
            Gathered& answer = Answer();
            if (path == "-" || answer.standardOutput)
                return;
            answer.text.str("");
            answer.standardOutput = std::cout.rdbuf(answer.text.rdbuf());
        });
}

AnswerFile::~AnswerFile() { StopGathering(); }

void AnswerFile::Commit()
{
    Gathered& answer = Answer();
    if (!answer.standardOutput)
        return;
    StopGathering();
    file_output::WriteOutputFile(answer.path, answer.text.view());
    answer.text.str("");
}

}  // namespace orbit::cli
