#pragma once
// A GMAT mission script that flies the exported orbit as it stands: the
// spacecraft at the epoch with its osculating EME2000 state, the Earth's
// zonal field to the model's degree, a propagator and one propagation over
// the span.

#include "export/export_inputs.h"

#include <string>
#include <vector>

namespace orbit::exports {

struct GmatContent {
    std::string spacecraftName = "RepeatOrbit";  // made into a GMAT name when it is not one
    std::string epochUtc;                        // "YYYY-MM-DDThh:mm:ss.fffZ"
    CartesianState state;
    int zonalDegree = 6;  // 2 for the J2 model
    double spanS = 0;
    std::vector<std::string> comments;  // the design and the model, at the head of the script
};

// Throws OrbitError (InvalidArgument) for figures that are not finite, a
// degree below 2 or a span that is not positive, and (Usage) for a comment
// with a line break.
std::string WriteGmatScript(const GmatContent& content);

// "2027-03-21T00:00:00.000Z" as GMAT's UTCGregorian writes it,
// "21 Mar 2027 00:00:00.000".
std::string GmatGregorian(const std::string& isoUtc);

// A GMAT resource name from any text: letters, digits and underscores,
// beginning with a letter ("Sentinel-2A" becomes "Sentinel_2A").
std::string GmatName(const std::string& text);

}  // namespace orbit::exports
