#pragma once
// An export's text in each format, from the orbit and the user's choices:
// the states come from the propagator under the orbit's model, the TLE from
// a fit of SGP4 to them.

#include "export/export_inputs.h"
#include "export/export_limits.h"
#include "export/orbit/export_orbit.h"
#include "propagation/propagator.h"

#include <cstddef>
#include <optional>
#include <string>

namespace orbit::exports {

enum class ExportFormat { Opm, Omm, Oem, Tle, Gmat, GeoJson, Kml };

inline constexpr ExportFormat kExportFormats[] = {ExportFormat::Opm,  ExportFormat::Omm,     ExportFormat::Oem,
                                                 ExportFormat::Tle,  ExportFormat::Gmat,    ExportFormat::GeoJson,
                                                 ExportFormat::Kml};

// "opm" ... "kml", the words --format takes.
const char* FormatWord(ExportFormat format);
// The file name's ending for each: "opm", "omm", "oem", "tle", "script",
// "geojson", "kml".
const char* FileSuffix(ExportFormat format);

struct ExportChoices {
    ExportFormat format = ExportFormat::Opm;
    double spanS = 0;       // from the epoch
    double stepS = kDefaultOemStepS;  // between the OEM's states
    std::optional<std::string> objectName;  // else "RepeatOrbit", and no "0 NAME" line in a TLE
    std::string objectId = "UNKNOWN";
    int norad = kDefaultNoradNumber;
    double swathKm = 0;     // none
};

struct ExportText {
    std::string text;
    std::string fitLine;  // "TLE fit: RMS ..." for a TLE, else empty
};

// Throws OrbitError from the propagator, the fit or a writer. The CCSDS
// messages' creation date is now, or SOURCE_DATE_EPOCH (seconds since
// 1970) when that is set in the environment, so a message can be made again
// to the byte.
ExportText RenderExport(const ExportOrbit& orbit, const ExportChoices& choices);

// The same text handed to `write` piece by piece: an OEM line by line as the
// orbit is propagated, so it never stands whole in memory, every other
// format in one piece. Returns the fit line ("TLE fit: ..." for a TLE, else
// empty). Throws as RenderExport does, possibly after some pieces went out.
std::string StreamExport(const ExportOrbit& orbit, const ExportChoices& choices, const TextSink& write);

// The states an OEM of `choices` holds, the span's end included. Throws
// OrbitError (InvalidArgument) for more than kMaxOemStates, a span that is
// not positive or a step that is not.
std::size_t OemStateCount(const ExportChoices& choices);
inline constexpr double kMaxOemStates = propagation::kMaxSampleCount;

// The TLE's international designator from a CCSDS object identifier
// "1998-067A": "98067A"; empty when the identifier is not of that form.
std::string InternationalDesignator(const std::string& objectId);

}  // namespace orbit::exports
