#pragma once
// The bounds of an export's choices, written once for the command line's
// options and the export window's boxes, with the words that name them, so
// an option's refusal and its help say the numbers it checks.

#include "sgp4/elements.h"

#include <string>

namespace orbit::exports {

// The span from the epoch: a hundredth of a day (a few states) to a year.
inline constexpr double kMinSpanDays = 0.01;
inline constexpr double kMaxSpanDays = 366;
// The OEM's step: above zero, at most a day; 60 s unless chosen.
inline constexpr double kMaxOemStepS = 86400;
inline constexpr double kDefaultOemStepS = 60;
// The catalogue number the TLE and the OMM are given: the SGP4 record's one
// rule (alpha-5 above 99999), 99999 unless chosen.
inline constexpr int kMaxNoradNumber = sgp4::kMaxCatalogNumber;
inline constexpr int kDefaultNoradNumber = 99999;
// The swath band drawn along a GeoJSON or KML track, none (0) to 5000 km.
inline constexpr double kMaxSwathKm = 5000;

// A bound as the words write it: the shortest "%g" text ("0.01", "86400").
std::string LimitText(double value);

}  // namespace orbit::exports
