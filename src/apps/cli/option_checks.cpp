#include "cli/option_checks.h"

#include "cli/command_line.h"
#include "core/number_text.h"
#include "core/orbit_error.h"
#include "propagation/gravity_model.h"

#include <sstream>
#include <string>

namespace orbit::cli {

CLI::Validator OutputFileName()
{
    return CLI::Validator(
        [](std::string& name) {
            return name.empty() ? std::string("the file name is empty (write - for standard output)") : std::string();
        },
        "");
}

CLI::Validator ChartFileName()
{
    const CLI::Validator notStandardOutput(
        [](std::string& name) -> std::string {
            return name == "-" ? "the chart needs a file: standard output carries the table" : "";
        },
        "FILE");
    return OutputFileName() & notStandardOutput;
}

CLI::Validator GravityModelName()
{
    return CLI::Validator(
        [](std::string& name) -> std::string {
            try {
                propagation::GravityModelNamed(name);
                return "";
            } catch (const OrbitError& e) {
                return e.what();
            }
        },
        "");
}

CLI::Validator NumberFromTo(double min, double max)
{
    std::ostringstream from, to;
    from << min;
    to << max;
    return CLI::Validator(
        [min, max, text = from.str() + " to " + to.str()](std::string& input) {
            // Read by the fields' rule, as every number argument is.
            try {
                const double value = ParseNumberStrict(input);
                if (value >= min && value <= max)
                    return std::string();
            } catch (const OrbitError&) {
            }
            return "'" + input + "' is not a number from " + text;
        },
        "FLOAT in [" + from.str() + " - " + to.str() + "]");
}

double ArgumentNumber(const std::string& option, const std::string& text)
{
    try {
        return ParseNumberStrict(text);
    } catch (const OrbitError& e) {
        throw UsageError(option + ": '" + text + "' is not a number (" + e.what() + ")");
    }
}

double ArgumentNumberWithin(const std::string& option, const std::string& text, double low, double high,
                            bool lowIncluded, const std::string& refusal)
{
    const double value = ArgumentNumber(option, text);
    if (!(lowIncluded ? value >= low : value > low) || !(value <= high))
        throw UsageError(option + ": '" + text + "' " + refusal);
    return value;
}

}  // namespace orbit::cli
