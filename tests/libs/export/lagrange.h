#pragma once
// Lagrange interpolation of ephemeris records as an OEM reader performs it:
// the polynomial of the stated degree through the degree + 1 records nearest
// the time asked for (centred on it where the records allow).

#include "tests/libs/export/ccsds_reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

namespace orbit::exports::testing {

inline std::array<double, 6> Interpolate(const std::vector<EphemerisRecord>& records, int degree, double t)
{
    const std::size_t points = static_cast<std::size_t>(degree) + 1;
    // The first record after t, then a window of `points` records around it.
    const auto after = std::upper_bound(records.begin(), records.end(), t,
                                        [](double time, const EphemerisRecord& r) { return time < r.secondsSinceStart; });
    const std::size_t index = static_cast<std::size_t>(after - records.begin());
    const std::size_t first = std::min(records.size() - points, index > points / 2 ? index - points / 2 : 0);
    std::array<double, 6> value{};
    for (std::size_t j = first; j < first + points; ++j) {
        double weight = 1;
        for (std::size_t m = first; m < first + points; ++m)
            if (m != j)
                weight *= (t - records[m].secondsSinceStart) /
                          (records[j].secondsSinceStart - records[m].secondsSinceStart);
        for (std::size_t k = 0; k < 6; ++k)
            value[k] += weight * records[j].values[k];
    }
    return value;
}

}  // namespace orbit::exports::testing
