#pragma once
// Candidate designs as delimited text: `repeat-orbit search --csv`, the
// explorer's saved CSV and the rows it copies to the clipboard are all
// written here, so a column is named and a line is laid out the same
// wherever a list of candidates leaves the program.

#include "analysis/repeat_search.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orbit::analysis {

// Takes the text as it is written, a piece of some tens of kilobytes at a
// time, so that a listing of millions of rows is never held whole.
using TextSink = std::function<void(std::string_view piece)>;

// Appends one cell's text for row `row` and column `column`.
using CellWriter = std::function<void(std::string& line, std::size_t row, std::size_t column)>;

// A header line of the keys, then one line per row, `rowCount` of them; the
// cells separated by `separator`, each line ended by '\n'.
void WriteDelimited(std::span<const std::string_view> keys, std::size_t rowCount, char separator,
                    const CellWriter& cell, const TextSink& sink);

// What a swath adds to a candidate; none where a figure is not known.
struct SwathFigures {
    std::optional<double> sidelapPercent;
    std::optional<double> worstRevisitDays;
};
using SwathFiguresOf = std::function<SwathFigures(std::size_t row)>;

// CSV of candidates: the search columns at full precision (the shortest
// text that reads back as the same double, whole numbers as integers, an
// empty cell for no sub-cycle) and, given `swath`, the equatorial sidelap
// and the worst revisit, empty where not known. One line per index of
// `order` into `rows`, in that order.
void WriteCandidateCsv(const SearchRows& rows, std::span<const std::int32_t> order, const SwathFiguresOf& swath,
                       const TextSink& sink);

// Every row in its order, without swath figures: `repeat-orbit search --csv`.
void WriteCandidateCsv(const SearchRows& rows, const TextSink& sink);

}  // namespace orbit::analysis
