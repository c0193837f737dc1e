#include "cli/renamed_options.h"

#include <set>
#include <string_view>

namespace orbit::cli {

namespace {

constexpr RenamedOption kRenamed[] = {
    {"access", "--sites", "--sites-file"},
    {"access", "--stations", "--stations-file"},
    {"map", "--days", "--cycle-days"},  // elsewhere --days is a span from the epoch
    {"search", "--min-days", "--q-min"},
    {"search", "--max-days", "--q-max"},
};

bool StartsWithDash(std::string_view argument) { return !argument.empty() && argument.front() == '-'; }

}  // namespace

std::span<const RenamedOption> RenamedOptions() { return kRenamed; }

std::vector<std::string> WithCurrentSpellings(std::span<const char* const> arguments, std::ostream& notes)
{
    std::vector<std::string> current(arguments.begin(), arguments.end());
    // Only --help, --help-all and --version come before the subcommand, and
    // none takes a value: the first word without a dash names it.
    std::size_t k = 1;
    while (k < current.size() && StartsWithDash(current[k]))
        ++k;
    if (k == current.size())
        return current;
    const std::string command = current[k];
    std::set<std::string_view> told;
    for (++k; k < current.size(); ++k) {
        const std::string_view argument = current[k];
        if (argument == "--")
            break;  // everything after is a value
        for (const RenamedOption& renamed : kRenamed) {
            const std::string_view old = renamed.oldName;
            if (command != renamed.command || !argument.starts_with(old) ||
                (argument.size() > old.size() && argument[old.size()] != '='))
                continue;
            if (told.insert(old).second)
                notes << "repeat-orbit " << command << ": " << old << " is now " << renamed.newName
                      << "; the old spelling still works\n";
            current[k] = renamed.newName + std::string(argument.substr(old.size()));
            break;
        }
    }
    return current;
}

}  // namespace orbit::cli
