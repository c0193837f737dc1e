#pragma once
// The three ways `repeat-orbit search` writes its candidates: a text table for
// reading, CSV for spreadsheets, a JSON array for scripts. All three use the
// same column names.

#include "analysis/repeat_search.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace orbit::cli {

using analysis::SearchOutcome;
using analysis::SearchRow;
using analysis::SearchRows;

// Right-aligned columns under a header. Lengths, times and angles are rounded
// to the places the design window shows (half away from zero, as it does), so
// that a row reads the same as `repeat-orbit design` for its N, M and Q.
// A figure that is not finite has no text: OrbitError (Overflow) before any
// line is written.
void WriteSearchTable(const SearchRows& rows, std::ostream& out);

// Header line, then one line per row; numbers at full precision (the shortest
// text that reads back to the same double); an empty cell for no sub-cycle.
void WriteSearchCsv(const SearchRows& rows, std::ostream& out);

// One row as an object keyed by column; full-precision numbers, null for no sub-cycle.
nlohmann::ordered_json SearchRowJson(const SearchRow& row);

// A JSON array of the rows' objects, one object per line.
void WriteSearchJson(const SearchRows& rows, std::ostream& out);

// The closing remarks for stderr: designs left out and why. Empty when none were.
std::vector<std::string> SearchRemarks(const SearchOutcome& outcome);

}  // namespace orbit::cli
