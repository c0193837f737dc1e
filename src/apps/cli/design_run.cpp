#include "cli/design_run.h"

#include "cli/command_line.h"
#include "core/number_text.h"
#include "core/orbit_error.h"

#include <cstdio>
#include <iostream>

namespace orbit::cli {

DesignRun RunDesign(const DesignRequest& request)
{
    DesignRun run;
    run.type = request.type;

    RepeatOrbitInputs inputs;
    inputs.N = [&] { return ParseNumberStrict(request.nText); };
    inputs.M = [&] { return ParseNumberStrict(request.mText); };
    inputs.Q = [&] { return ParseNumberStrict(request.qText); };
    inputs.Type = request.type;
    inputs.InclDegrees = [&] { return ParseNumberStrict(request.inclDegreesText); };
    inputs.InclTenths = [&] { return ParseNumberStrict(request.inclTenthsText); };

    SolveObserver observer;
    observer.OnRevCount = [&](std::int16_t revCount) { run.revCount = revCount; };
    observer.OnAxis = [&](double semiMajorAxisKm, double meanAltitudeKm) {
        run.semiMajorAxisKm = semiMajorAxisKm;
        run.meanAltitudeKm = meanAltitudeKm;
    };
    observer.OnComplete = [&](const RepeatOrbitSolution& solution) {
        run.semiMajorAxisKm = solution.SemiMajorAxis;
        run.meanAltitudeKm = solution.MeanAltitude;
        run.solution = solution;
    };

    try {
        SolveRepeatOrbit(inputs, observer, run.record);
    } catch (const OrbitError& e) {
        run.error = e.what();
    }
    return run;
}

DesignRun RunCompletedDesign(const DesignRequest& request)
{
    DesignRun run = RunDesign(request);
    if (!run.completed()) {
        std::cerr << run.error.value_or("The design did not complete") << '\n';
        throw ComputationFailed();
    }
    return run;
}

std::optional<std::string> BelowSurfaceRefusal(const DesignRun& run)
{
    if (!run.completed() || !run.meanAltitudeKm || !(*run.meanAltitudeKm < 0))
        return std::nullopt;
    char text[160];
    std::snprintf(text, sizeof text,
                  "The orbit lies below the Earth's surface (mean altitude %.1f km): there is no orbit to follow",
                  *run.meanAltitudeKm);
    return text;
}

DesignRun RunOrbitingDesign(const DesignRequest& request)
{
    DesignRun run = RunCompletedDesign(request);
    if (const std::optional<std::string> refusal = BelowSurfaceRefusal(run)) {
        std::cerr << *refusal << '\n';
        throw ComputationFailed();
    }
    return run;
}

}  // namespace orbit::cli
