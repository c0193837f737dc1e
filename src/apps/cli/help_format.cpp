#include "cli/help_format.h"

#include <sstream>
#include <string>

namespace orbit::cli {

namespace {

// Wide enough for "--incl DEG Excludes: --sun-sync" and its kind beside their
// description; longer ones move the description to a line of its own.
constexpr std::size_t kOptionColumnWidth = 36;

class ManualPageLayout : public CLI::Formatter {
public:
    ManualPageLayout()
    {
        column_width(kOptionColumnWidth);
        label("SUBCOMMAND", "COMMAND [OPTIONS]");
    }

    // The short list of commands, and with --help-all each command's options.
    std::string make_subcommands(const CLI::App* app, CLI::AppFormatMode mode) const override
    {
        const auto commands = app->get_subcommands([](const CLI::App* command) {
            return !command->get_name().empty() && !command->get_disabled();
        });
        if (commands.empty())
            return {};
        std::string text = "\nCommands:\n";
        for (const CLI::App* command : commands)
            text += make_subcommand(command);
        if (mode == CLI::AppFormatMode::All) {
            for (const CLI::App* command : commands)
                text += "\n" + make_expanded(command);
        }
        return text;
    }

    // "repeat-orbit design options:" at the margin, then the options indented
    // under it, the help flags left out (every command has them).
    std::string make_expanded(const CLI::App* command) const override
    {
        std::ostringstream out;
        std::string path = command->get_name();
        for (const CLI::App* parent = command->get_parent(); parent != nullptr; parent = parent->get_parent())
            path = parent->get_name() + " " + path;
        out << path << " options:\n";
        const auto options = command->get_options([command](const CLI::Option* option) {
            return option->nonpositional() && option != command->get_help_ptr() &&
                   option != command->get_help_all_ptr();
        });
        for (const CLI::Option* option : options)
            out << make_option(option, false);
        return out.str();
    }
};

}  // namespace

std::shared_ptr<CLI::Formatter> ManualPageFormatter() { return std::make_shared<ManualPageLayout>(); }

}  // namespace orbit::cli
