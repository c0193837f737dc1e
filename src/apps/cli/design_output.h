#pragma once
// How `repeat-orbit design` shows a design: as the window's result boxes
// (caption and text, one per line, in the window's order) or as one JSON object.

#include "cli/design_run.h"

#include <nlohmann/json.hpp>

#include <ostream>
#include <string>
#include <vector>

namespace orbit::cli {

// One result box as the window would fill it.
struct ShownField {
    std::string boxName;  // NrOfRevs, AxelBox, ...
    std::string caption;  // the label beside the box
    std::string text;     // the value written with the box's pattern
};

// The result boxes the run has filled, top to bottom as the window lays them out.
std::vector<ShownField> YieldedFields(const DesignRun& run);

// Captions right-aligned against the values, then any warnings.
void WriteDesignText(const DesignRun& run, std::ostream& out);

// `fields`, `values`, `coverage` (completed designs with whole N, M, Q),
// `warnings`, and `error` when the solve failed. Keys keep the window's order.
nlohmann::ordered_json DesignJson(const DesignRun& run);

// A header line and one row: N, M and Q, then the JSON's values and
// coverage figures under the same keys at the same full precision (empty
// where the design gave none), so the design sits in a spreadsheet beside a
// search's rows.
void WriteDesignCsv(const DesignRun& run, std::ostream& out);

}  // namespace orbit::cli
