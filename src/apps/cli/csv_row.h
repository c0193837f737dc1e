#pragma once
// One answer as CSV: a header line of keys and one row of values, for a
// command whose answer is a single record (design, refine). The keys are
// the JSON answer's, so a script reads the same names in both.

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace orbit::cli {

using CsvCells = std::vector<std::pair<std::string, nlohmann::ordered_json>>;

// The leaves of a JSON object, each keyed by its path ("refined.mean.a_km").
// A list of plain values stays one cell.
CsvCells FlattenedCells(const nlohmann::ordered_json& object);

// A whole number as an integer, any other number at its shortest full text,
// a text in double quotes, a list's items joined by "; ", nothing for null.
void WriteCsvRecord(const CsvCells& cells, std::ostream& out);

}  // namespace orbit::cli
