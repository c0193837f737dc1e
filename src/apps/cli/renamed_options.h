#pragma once
// Options renamed so that the command line reads one way in every command (a
// file option named after its value option, a range's bounds after the
// quantity, one word for one meaning). The old spellings go on working,
// unlisted in the help: each is read as its new name and said once on
// standard error, so a script written for them keeps running and its author
// learns the new word.

#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace orbit::cli {

struct RenamedOption {
    const char* command;  // the subcommand the option belongs to
    const char* oldName;  // "--sites"
    const char* newName;  // "--sites-file"
};

std::span<const RenamedOption> RenamedOptions();

// The arguments (argv[0] first) with every old spelling of the chosen
// subcommand's options, alone or as "--old=value", put in its new spelling;
// one line on `notes` for each old spelling met, however often it is met.
std::vector<std::string> WithCurrentSpellings(std::span<const char* const> arguments, std::ostream& notes);

}  // namespace orbit::cli
