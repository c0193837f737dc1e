#include "core/design_name.h"

#include "core/number_text.h"
#include "core/repbas.h"

#include <charconv>

namespace orbit {

namespace {

std::string Condition(const DesignRecord& record)
{
    return "N " + ShortestNumberText(record.N) + ", M " + ShortestNumberText(record.M) + ", Q " + ShortestNumberText(record.Q);
}

// The record keeps radians formed with the model's own pi; the same pi turns
// them back, so a chosen 65.0 degrees reads 65.0 and never 64.99999.
double InclinationDeg(const DesignRecord& record) { return record.Incl * 180 / RepBas::Pi; }

}  // namespace

std::string DesignName(const DesignRecord& record, OrbitType type)
{
    if (type == OrbitType::SunSynchronous)
        return Condition(record) + ", sun-synchronous";
    return Condition(record) + ", inclination " + FormatPattern(InclinationDeg(record), "#0.0") + "\u00b0";
}

std::string DesignTitle(const DesignRecord& record, OrbitType type, double meanAltitudeKm)
{
    const std::string altitude = "altitude " + FormatPattern(meanAltitudeKm, "#0.00") + " km";
    if (type == OrbitType::SunSynchronous)
        return Condition(record) + ", sun-synchronous, " + altitude + ", inclination " +
               FormatPattern(InclinationDeg(record), "#0.000") + "\u00b0";
    return Condition(record) + ", " + altitude + ", inclination " + FormatPattern(InclinationDeg(record), "#0.0") +
           "\u00b0";
}

}  // namespace orbit
