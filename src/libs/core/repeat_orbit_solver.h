#pragma once
// The repeat-orbit solver: from N, M, Q and the orbit type to the elements the
// design window shows, and the design record the pattern display draws from.

#include <cstdint>
#include <functional>
#include <optional>

namespace orbit {

enum class OrbitType { ChooseInclination, SunSynchronous };

// What the solver leaves for the pattern display. Every field starts at zero;
// a solve overwrites N, M and Q and then, as far as it gets, the rest.
struct DesignRecord {
    double N = 0;               // revolutions per day, as received
    double M = 0;               // extra revolutions, as received
    double Q = 0;               // days to repeat, as received
    double Incl = 0;            // rad
    double NodalPeriod = 0;     // s
    double NodeRate = 0;        // rad/s
    double NodeSpacing = 0;     // rad: westward shift of the track per revolution
    double NodeSpacingDeg = 0;  // deg
    double MeanMotion = 0;      // revolutions per day
};

// The program's one design record, alive for the whole run.
extern DesignRecord DesignResult;

struct RepeatOrbitSolution {
    std::int16_t RevCount = 0;       // N*Q + M, rounded
    double SemiMajorAxis = 0;        // km
    double MeanAltitude = 0;         // km
    double MeanMotion = 0;           // revolutions per day
    double NodalPeriodMin = 0;       // min
    std::optional<double> InclDeg;   // deg, sun-synchronous only
};

// Where the solver takes its inputs from. Each reader runs at the moment the
// solver needs its value and may throw (a window field that is not a number),
// so a failure leaves exactly what was formed before it.
struct RepeatOrbitInputs {
    std::function<double()> N, M, Q;
    OrbitType Type = OrbitType::ChooseInclination;
    std::function<double()> InclDegrees, InclTenths;  // read for ChooseInclination only

    static RepeatOrbitInputs Fixed(double n, double m, double q, OrbitType type,
                                   double inclDegrees = 0, double inclTenths = 0);
};

// Receives each result as soon as it is formed, so a window can show it at once.
struct SolveObserver {
    std::function<void(std::int16_t revCount)> OnRevCount;
    // Sun-synchronous only: the axis is known before the inclination.
    std::function<void(double semiMajorAxisKm, double meanAltitudeKm)> OnAxis;
    std::function<void(const RepeatOrbitSolution&)> OnComplete;
};

// Solves one repeat orbit into `record`: the design window names DesignResult,
// every other caller a record of its own, so no search, table or test can
// overwrite what the pattern display draws. Throws OrbitError ("Overflow",
// "Division by zero", "Type mismatch" from an input reader, or the
// no-convergence text) at the first failing step; what was stored in
// `record` and reported before it stays.
RepeatOrbitSolution SolveRepeatOrbit(const RepeatOrbitInputs& inputs, const SolveObserver& observer,
                                     DesignRecord& record);

// True when the sun-synchronous condition asks for a cosine of the inclination
// below -1 at this semi-major axis (km): no sun-synchronous orbit exists there,
// and the solver clamps the inclination to 180 degrees.
bool NoSunSynchronousOrbitAt(double semiMajorAxisKm);

}  // namespace orbit
