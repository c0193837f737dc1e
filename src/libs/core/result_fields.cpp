#include "core/result_fields.h"

#include "core/number_text.h"

namespace orbit {

std::string FormatResult(ResultField field, double value) { return FormatPattern(value, InfoOf(field).pattern); }

std::optional<double> ValueOf(const RepeatOrbitSolution& solution, ResultField field)
{
    switch (field) {
    case ResultField::RevCount:
        return solution.RevCount;
    case ResultField::SemiMajorAxis:
        return solution.SemiMajorAxis;
    case ResultField::MeanAltitude:
        return solution.MeanAltitude;
    case ResultField::MeanMotion:
        return solution.MeanMotion;
    case ResultField::NodalPeriod:
        return solution.NodalPeriodMin;
    case ResultField::SunSyncInclination:
        return solution.InclDeg;
    }
    return std::nullopt;
}

}  // namespace orbit
