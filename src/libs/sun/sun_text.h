#pragma once
// The Sun's figures in words and as CSV, as `repeat-orbit sun` writes them
// and the Sun window shows and saves them: the summary's lines and the
// table by day.

#include "ephemeris/instant.h"
#include "sun/sun_figures.h"

#include <array>
#include <cstddef>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace orbit::sun {

// The UTC instant of day row `row`, as ISO 8601 with `decimals` digits of the second.
std::string RowDateText(const ephemeris::Instant& epoch, const SunFigures& figures, std::size_t row, int decimals);

// The summary, one (label, text) a line: beta's range, the longest umbra,
// the rows free of eclipses, each eclipse season (the label only on the first).
std::vector<std::pair<std::string, std::string>> SunSummaryLines(const ephemeris::Instant& epoch,
                                                                 const SunFigures& figures, const SunSpan& span);

// The day table's columns, in their order, after the date (kSunDateKey): the
// key both the CSV header and the JSON day objects of `repeat-orbit sun` use,
// and the figure under it.
struct SunDayColumn {
    const char* key;
    double (*value)(const SunDay& day);
};
inline constexpr const char* kSunDateKey = "date";
extern const std::array<SunDayColumn, 7> kSunDayColumns;

// date,mjd_utc,beta_deg,umbra_min,penumbra_min,umbra_fraction,ltan_mean_h,ltan_true_h
// (kSunDayColumns): one line a day row, numbers at full precision.
void WriteSunDaysCsv(const ephemeris::Instant& epoch, const SunFigures& figures, std::ostream& out);

}  // namespace orbit::sun
