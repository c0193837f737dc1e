#pragma once
// The results of a design as the user reads them: for each, the box the design
// window writes it into, the caption beside that box, the number pattern it
// is written with and its unit. The design window, its layout, the command
// line and any other view of a design read them here, so a caption or a
// pattern can only ever be changed for all of them at once.

#include "core/repeat_orbit_solver.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace orbit {

// In the order the window lays the boxes out, top to bottom.
enum class ResultField { RevCount, SemiMajorAxis, MeanAltitude, MeanMotion, NodalPeriod, SunSyncInclination };

struct ResultFieldInfo {
    ResultField field;
    const char* boxName;   // the window's text box
    const char* caption;   // the label beside the box
    const char* pattern;   // how the value is written (FormatPattern)
    const char* unit;      // "" for a count
    const char* valueKey;  // the value's name in machine-readable output
    bool sunSynchronousOnly;  // shown for a sun-synchronous orbit only
};

inline constexpr std::array<ResultFieldInfo, 6> kResultFields{{
    {ResultField::RevCount, "NrOfRevs", "Nr of revs", "#####", "", "rev_count", false},
    {ResultField::SemiMajorAxis, "AxelBox", "Semi-major axis (km)", "#####.##", "km", "semi_major_axis_km", false},
    {ResultField::MeanAltitude, "AvAltBox", "Mean altitude (km)", "#####.##", "km", "mean_altitude_km", false},
    {ResultField::MeanMotion, "MeanMotBox", "Mean motion revs/day", "#0.#######", "rev/day", "mean_motion_rev_per_day",
     false},
    {ResultField::NodalPeriod, "TNtext", "Nodal period (min)", "####.###", "min", "nodal_period_min", false},
    {ResultField::SunSyncInclination, "InclOutBox", "Sun-Synchronous inclination, deg", "###.###", "deg",
     "inclination_deg", true},
}};

constexpr const ResultFieldInfo& InfoOf(ResultField field) { return kResultFields[static_cast<std::size_t>(field)]; }

// The table is indexed by the enumeration; a row out of place would hand one
// field's caption to another.
static_assert([] {
    for (std::size_t i = 0; i < kResultFields.size(); ++i) {
        if (static_cast<std::size_t>(kResultFields[i].field) != i)
            return false;
    }
    return true;
}());

// Whether the field is shown for a design of this orbit type.
constexpr bool ShownFor(ResultField field, OrbitType type)
{
    return !InfoOf(field).sunSynchronousOnly || type == OrbitType::SunSynchronous;
}

// The value as its box shows it: "Overflow" for a value that is not finite.
std::string FormatResult(ResultField field, double value);

// The field's value in a completed solution; the inclination of a design
// whose inclination was chosen, not derived, is not a result.
std::optional<double> ValueOf(const RepeatOrbitSolution& solution, ResultField field);

}  // namespace orbit
