#pragma once
// RepBas: the Earth model and the relations of a circular, J2-perturbed orbit
// whose ground track repeats. Pure functions: no state, no windows.
//
// For a circular orbit of semi-major axis a and inclination i, with S = sqrt(Mu):
//   Kepler mean motion            S a^-1.5
//   argument-of-latitude rate     S a^-1.5 + 1.5 S J2 Re^2 a^-3.5 (4 cos^2 i - 1)
//   node rate                     -1.5 S J2 Re^2 a^-3.5 cos i
// The track repeats after Q days and N*Q + M revolutions when the argument of
// latitude turns nu = N + M/Q times for each turn of the Earth relative to the
// orbit plane.

namespace orbit::RepBas {

// The model's constants, digit for digit. The design's figures (the solver,
// the pattern's day tracks, the grid spacing, the design's name), the sphere
// the coverage, access and eclipses are laid on, and the propagator's "j2"
// model are computed with these stored values and no more precise ones, so
// that they come out digit for digit. The rest (the ephemeris, geodetic
// places on WGS84, the propagator's published gravity fields) uses exact or
// published constants, each saying where it comes from.
inline constexpr double Mu = 398601.2;                 // km^3/s^2, used only through sqrt(Mu)
inline constexpr double J2 = 0.00108264;               // second zonal harmonic
// km, the radius of the design's spherical Earth: every figure of the design
// core, the pattern and the coverage is on this sphere, not on WGS84.
inline constexpr double Re = 6378.145;
inline constexpr double OmegaEarth = 7.292115856e-05;  // rad/s, sidereal rotation
inline constexpr double OmegaSun = 1.9909929e-07;      // rad/s, node rate of a sun-synchronous orbit
inline constexpr double OmegaSolarDay = 7.2722052e-05; // rad/s, one turn per 86400 s
inline constexpr double SunSyncCoeff = 9.513726546840984e-13;  // 24 OmegaSun^2, rad^2/s^2
// The design core's pi and 2 pi, to ten digits: the design's figures, the
// pattern's day tracks and the repeat grid's spacing turn angles with these.
// Everything else (the coverage's geometry, the map, the ephemeris, the
// propagation) uses the exact orbit::kPi and kTwoPi of core/constants.h.
inline constexpr double Pi = 3.141592654;
inline constexpr double TwoPi = 6.283185308;
inline constexpr double KeplerMinuteRadius = 331.2535; // km: Kepler period of one minute
inline constexpr double SecondsPerDay = 86400.0;
inline constexpr double ConvergenceTol = 1e-06;        // relative Newton step
inline constexpr double StartRoot = 83.0;              // start value of x = sqrt(a), km^0.5
// The Newton step cap. Measured by bench/newton_survey over N 0 to 40,
// M -60 to 60, Q 1 to 400, every tenth of a degree from 0 to 180 and the
// sun-synchronous type (1.86 billion solves): the slowest design that
// converges, N 37, M 56, Q 13 at 1.3 degrees, takes 46,787 steps; 2,619 of
// the (nu, inclination) pairs need over 1,000 steps, none needs between
// 65,536 and 200,000, and sampled designs still unsettled at 200,000 were
// still unsettled at 2,000,000. Within what the spin controls reach the
// slowest is N 0, M 1, Q 19 at 49.3 degrees, 888 steps; sun-synchronous
// designs all settle within 405. A cap of 100,000 lets every converging case
// finish with room to spare, while a design that never settles (N 4, M 7,
// Q 22 at 144 degrees) gives up after about 6 ms.
inline constexpr int MaxNewtonSteps = 100000;

// Text of the error that ends a Newton solve that has not settled, naming
// the cap: "No convergence: the semi-major axis did not settle within 100000
// Newton steps". The error's one text, wherever it is shown.
const char* NoConvergenceText();

// Semi-major axis (km) of the repeat orbit of inclination Incl (rad).
// newtonSteps, when given, receives the number of Newton steps taken;
// stepCap is MaxNewtonSteps except in the survey that measures the cap.
double InclAxis(double N, double M, double Q, double Incl, int* newtonSteps = nullptr,
                int stepCap = MaxNewtonSteps);

// Semi-major axis (km) of the sun-synchronous repeat orbit.
double SunSyncAxis(double N, double M, double Q, int* newtonSteps = nullptr, int stepCap = MaxNewtonSteps);

// Inverse cosine clamped to [0, Pi]; never an error.
double ArcCos(double x);

}  // namespace orbit::RepBas
