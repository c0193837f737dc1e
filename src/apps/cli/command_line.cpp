#include "cli/command_line.h"

#include "cli/answer_file.h"
#include "cli/renamed_options.h"
#include "core/orbit_error.h"

#include <exception>
#include <iostream>
#include <vector>

namespace orbit::cli {

CLI::RuntimeError ComputationFailed() { return CLI::RuntimeError(kExitComputationError); }

CLI::ValidationError UsageError(const std::string& message) { return CLI::ValidationError(message); }

namespace {

const char* OptionOf(RequestInput input)
{
    switch (input) {
    case RequestInput::AltitudeMinKm:
        return "--alt-min";
    case RequestInput::AltitudeMaxKm:
        return "--alt-max";
    case RequestInput::MinDays:
        return "--q-min";
    case RequestInput::MaxDays:
        return "--q-max";
    case RequestInput::RowLimit:
        return "--limit";
    case RequestInput::SwathKm:
        return "--swath";
    case RequestInput::Satellites:
        return "--satellites";
    case RequestInput::LatitudeStepDeg:
        return "--lat-step";
    case RequestInput::None:
        break;
    }
    return nullptr;
}

}  // namespace

CLI::ValidationError UsageError(const OrbitError& refused)
{
    const char* option = OptionOf(refused.Input());
    return UsageError(option ? std::string(option) + ": " + refused.what() : std::string(refused.what()));
}

int RunCommandLine(CLI::App& app, int argc, const char* const* argv)
{
    app.require_subcommand(1);
    const std::vector<std::string> arguments =
        WithCurrentSpellings(std::span(argv, static_cast<std::size_t>(argc)), std::cerr);
    std::vector<const char*> current;
    for (const std::string& argument : arguments)
        current.push_back(argument.c_str());
    AnswerFile answerFile;
    try {
        app.parse(static_cast<int>(current.size()), current.data());
        answerFile.Commit();
    } catch (const CLI::RuntimeError& e) {
        return e.get_exit_code();
    } catch (const OrbitError& e) {
        // The error's kind decides the status, whichever layer raised it: a
        // request wrong in itself is the command line's mistake (named as the
        // option typed), anything else a computation that failed.
        if (e.Kind() == ErrorKind::Usage) {
            app.exit(UsageError(e));
            return kExitUsageError;
        }
        std::cerr << e.what() << '\n';
        return kExitComputationError;
    } catch (const CLI::ParseError& e) {
        // A mistyped command name would otherwise only be told that a command
        // is missing; name the word that was not understood instead.
        if (app.get_subcommands().empty() && !app.remaining().empty()) {
            std::cerr << "'" << app.remaining().front() << "' is not a command; the commands are";
            for (const CLI::App* command : app.get_subcommands({}))
                std::cerr << ' ' << command->get_name();
            std::cerr << ".\nRun with --help for more information.\n";
            return kExitUsageError;
        }
        // Help and version requests end well; everything else CLI11 raises is
        // a mistake on the command line, whatever its internal code.
        const int code = app.exit(e);
        return code == 0 ? kExitSuccess : kExitUsageError;
    } catch (const std::exception& e) {
        std::cerr << e.what() << '\n';
        return kExitComputationError;
    }
    return kExitSuccess;
}

}  // namespace orbit::cli
