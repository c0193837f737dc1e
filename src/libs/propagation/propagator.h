#pragma once
// Cowell's method: the equations of motion in an inertial frame whose z axis
// is the field's pole (ephemeris/epoch_frame.h) integrated directly,
// with the point mass and the zonal harmonics of a GravityModel, by
// Boost.Odeint's adaptive Runge-Kutta-Fehlberg 7(8) stepper (far fewer steps
// than a fifth-order method at the tight tolerances a month's closure needs).
// A state between two steps is one further Runge-Kutta step from the start of
// the step that holds it (a shorter step than the controller accepted, so as
// accurate); node crossings are found on a quintic Hermite interpolation of
// each step and then corrected the same way.
//
// Times are seconds after the epoch (the instant of the initial state) and
// may be negative: the orbit is then followed backwards first.

#include "propagation/cartesian_state.h"
#include "propagation/gravity_model.h"

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace orbit::propagation {

// Error control of every step: the local error of each component stays under
// absolute + relative * (|component| + step * |its rate|) (km and km/s). The
// defaults keep a LEO's energy to about 1e-11 relative over a month and its
// position to within a metre of ten times tighter tolerances.
struct IntegratorTolerance {
    double absolute = 1e-13;
    double relative = 1e-13;
};

struct TimedState {
    double secondsAfterEpoch = 0;
    CartesianState state;
};

// An ascending node: the satellite crosses the frame's equatorial plane
// northwards, its time found to better than 1e-6 s.
struct NodeCrossing {
    double secondsAfterEpoch = 0;
    CartesianState state;
    double rightAscensionRad = 0;  // of the crossing point, (-pi, pi]
    double longitudeRad = 0;       // Earth-fixed, east positive, (-pi, pi]
};

// Holds the model, the initial state and the tolerances; each call follows
// the orbit afresh from the epoch. Calls on one object are not to overlap in
// time (StepsTaken records the last); separate objects are independent.
class Propagator {
public:
    // Throws OrbitError (InvalidArgument) for a state that is not finite or
    // lies inside the Earth, or a tolerance that is not positive.
    Propagator(GravityModel model, const CartesianState& atEpoch, IntegratorTolerance tolerance = {});

    // The states at the given times, in the order given. One pass over the
    // orbit: the times are sorted inside, so any order costs the same.
    std::vector<CartesianState> StatesAt(std::span<const double> secondsAfterEpoch) const;

    // States every `stepS` seconds from `fromS` to `toS` (both included when
    // the step falls on it; the last sample is at or before `toS`).
    std::vector<TimedState> Sample(double fromS, double toS, double stepS) const;

    // The same states handed to `visit` one by one, in time order, as the
    // orbit is followed; none is kept, so memory stays flat however many
    // there are. With `endIncluded`, `toS` itself closes the series when it
    // lies more than a microsecond after the last step. The states are those
    // StatesAt gives at the same times, to the bit.
    void Sample(double fromS, double toS, double stepS, bool endIncluded,
                const std::function<void(const TimedState&)>& visit) const;

    // Every ascending node between `fromS` and `toS`, in time order. The
    // Earth-fixed longitude takes the Earth's rotation angle (the angle from
    // the frame's x axis to the Greenwich meridian) as `earthAngleAtEpochRad`
    // at the epoch, growing at the model's sidereal rate.
    std::vector<NodeCrossing> AscendingNodes(double fromS, double toS, double earthAngleAtEpochRad) const;

    const GravityModel& Model() const { return model_; }
    const CartesianState& InitialState() const { return initial_; }
    // Steps taken by the last call (for the benchmarks and the tests).
    long StepsTaken() const { return steps_; }

private:
    GravityModel model_;
    CartesianState initial_;
    IntegratorTolerance tolerance_;
    mutable long steps_ = 0;
};

// The most states one sampling may ask for.
inline constexpr double kMaxSampleCount = 1e8;

// The number of states Sample gives every `stepS` seconds from `fromS` to
// `toS`, the end not counted. Throws OrbitError (InvalidArgument) for a span
// that does not run forwards between finite times, a step that is not
// positive, or more than kMaxSampleCount states.
std::size_t SampleCount(double fromS, double toS, double stepS);

// The model's acceleration (km/s^2) at a position (km) in the inertial frame.
Vector3 ZonalAcceleration(const GravityModel& model, const Vector3& positionKm);
// The field's potential U (km^2/s^2) with the acceleration its gradient:
// U = (GM / r) [1 - sum Jn (Re / r)^n Pn(z / r)].
double ZonalPotential(const GravityModel& model, const Vector3& positionKm);
// v^2 / 2 - U: constant along an orbit in any axially symmetric field that
// does not turn (in the Earth-fixed frame it is the Jacobi integral plus
// the Earth's rate times the polar angular momentum, itself constant).
double OrbitEnergy(const GravityModel& model, const CartesianState& state);

}  // namespace orbit::propagation
