#pragma once
// How `repeat-orbit refine` shows its answer: a text report, or one JSON
// object at full precision with a state anyone can propagate to check it.

#include "cli/refine_run.h"

#include <nlohmann/json.hpp>

#include <ostream>

namespace orbit::cli {

// `nodeText` and `nodeJson` are the node as `sun` shows it.
void WriteRefineText(const RefineRun& run, const std::string& epochText, const std::string& nodeText,
                     std::ostream& out);

nlohmann::ordered_json RefineJson(const RefineRun& run, const std::string& epochText,
                                  const nlohmann::ordered_json& nodeJson);

}  // namespace orbit::cli
