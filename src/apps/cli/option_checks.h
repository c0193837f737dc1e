#pragma once
// Checks of option values shared by the subcommands. CLI11 runs them as it
// parses, so a bad value is a usage error (exit 2) that names its option.

#include <CLI/CLI.hpp>

#include <string>

namespace orbit::cli {

// The name of a file to write: anything but the empty name, which would
// otherwise be taken for a missing option or a file in the current folder.
// "-" stands for standard output.
CLI::Validator OutputFileName();

// The file of a chart that a table accompanies: as OutputFileName, but not
// "-", since the table takes standard output.
CLI::Validator ChartFileName();

// A number from `min` to `max`, both included, read with the fields' strict
// rule (as ArgumentNumber reads it). Not-a-number and the infinities are
// refused too, which a plain comparison would let through. The option keeps
// its text: read it with ArgumentNumber, so one rule reads every number.
CLI::Validator NumberFromTo(double min, double max);

// The Earth model's name, as the propagation layer knows them ("j2", "zonal"):
// the layer's own refusal, worded at the option.
CLI::Validator GravityModelName();

// A number argument read with the fields' strict rule, checked before any
// work starts: a bad one is a usage error that names its option, never a
// computation error.
double ArgumentNumber(const std::string& option, const std::string& text);

// Where the bounds are known only once the options are read, or the
// refusal names more than the range: a number argument read as
// ArgumentNumber reads it, from `low` (included, or only above it where
// `lowIncluded` is false) to `high` included; else a usage error
// "OPTION: 'TEXT' REFUSAL".
double ArgumentNumberWithin(const std::string& option, const std::string& text, double low, double high,
                            bool lowIncluded, const std::string& refusal);

}  // namespace orbit::cli
