#include "cli/search_command.h"

#include "analysis/repeat_search.h"
#include "cli/answer_file.h"
#include "cli/command_line.h"
#include "cli/option_checks.h"
#include "cli/orbit_type_options.h"
#include "cli/search_output.h"
#include "core/number_text.h"
#include "core/orbit_error.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <memory>

namespace orbit::cli {

namespace {

using analysis::SearchRequest;

struct SearchOptions {
    OrbitTypeOptions orbitType;
    std::string altMinText, altMaxText, maxDaysText, minDaysText = "1", limitText;
    bool limited = false;  // --limit was given
    bool csv = false;
    bool json = false;
};

int ArgumentDays(const std::string& option, const std::string& text)
{
    const double days = ArgumentNumber(option, text);
    if (std::floor(days) != days)
        throw UsageError(option + ": '" + text + "' is not a whole number of days");
    // Out-of-range counts are reported by the request check; keep them out of
    // range rather than let the conversion wrap.
    if (days > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (days < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(days);
}

// Every count of rows a search can find fits far below this; a larger limit
// keeps them all just the same.
constexpr double kLargestLimit = 1e15;

std::size_t ArgumentLimit(const std::string& text)
{
    const double rows = ArgumentNumber("--limit", text);
    if (std::floor(rows) != rows || rows < 1)
        throw UsageError("--limit: '" + text + "' is not a whole number of rows, 1 or more");
    return static_cast<std::size_t>(std::min(rows, kLargestLimit));
}

SearchRequest RequestOf(const SearchOptions& options)
{
    SearchRequest request;
    request.type = options.orbitType.Type();
    if (request.type == OrbitType::ChooseInclination) {
        request.inclDegrees = ArgumentNumber("--incl", options.orbitType.inclDegreesText);
        request.inclTenths = ArgumentNumber("--tenths", options.orbitType.inclTenthsText);
    }
    request.altMinKm = ArgumentNumber("--alt-min", options.altMinText);
    request.altMaxKm = ArgumentNumber("--alt-max", options.altMaxText);
    request.maxDays = ArgumentDays("--q-max", options.maxDaysText);
    request.minDays = ArgumentDays("--q-min", options.minDaysText);
    if (options.limited)
        request.limit = ArgumentLimit(options.limitText);
    analysis::ValidateSearchRequest(request);
    return request;
}

void RunSearchCommand(const SearchOptions& options)
{
    const SearchOutcome outcome = analysis::SearchRepeatOrbits(RequestOf(options));
    if (options.json)
        WriteSearchJson(outcome.rows, std::cout);
    else if (options.csv)
        WriteSearchCsv(outcome.rows, std::cout);
    else
        WriteSearchTable(outcome.rows, std::cout);
    std::cout.flush();

    if (outcome.rows.empty())
        std::cerr << "No repeat orbit lies in this altitude band.\n";
    for (const std::string& remark : SearchRemarks(outcome))
        std::cerr << remark << '\n';
}

}  // namespace

void AddSearchCommand(CLI::App& app)
{
    CLI::App* command = app.add_subcommand(
        "search", "List every repeat orbit in an altitude band with cycles up to --q-max, highest first");
    auto options = std::make_shared<SearchOptions>();
    AddOrbitTypeOptions(*command, options->orbitType);
    command->add_option("--alt-min", options->altMinText, "Lowest mean altitude, km")->type_name("KM")->required();
    command->add_option("--alt-max", options->altMaxText, "Highest mean altitude, km")->type_name("KM")->required();
    command->add_option("--q-min", options->minDaysText, "Shortest repeat cycle Q, days (default 1)")->type_name("DAYS");
    command->add_option("--q-max", options->maxDaysText, "Longest repeat cycle Q, days")->type_name("DAYS")->required();
    CLI::Option* limit =
        command->add_option("--limit", options->limitText, "List only the K highest designs (memory stays small)")
            ->type_name("K");
    CLI::Option* csv = command->add_flag("--csv", options->csv, "Write CSV instead of a table");
    CLI::Option* json = command->add_flag("--json", options->json, "Write a JSON array instead of a table");
    csv->excludes(json);
    AddAnswerFileOption(*command);
    command->callback([options, limit] {
        options->limited = limit->count() > 0;
        RunSearchCommand(*options);
    });
}

}  // namespace orbit::cli
