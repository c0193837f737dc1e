#include "propagation/propagator.h"

#include "core/orbit_error.h"
#include "propagation/orbital_elements.h"

#include <boost/numeric/odeint.hpp>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>

namespace orbit::propagation {
namespace {

namespace odeint = boost::numeric::odeint;
using State = std::array<double, 6>;
using Rkf78 = odeint::runge_kutta_fehlberg78<State>;

// A month of a LEO at the default tolerances takes about 25,000 steps; a
// request that needs 10 million is a mistake (an orbit grazing the centre,
// a span of centuries) rather than a computation to wait for.
constexpr long kStepCap = 10'000'000;
// Rejected tries of one step before the controller is said to have failed.
constexpr int kRetryCap = 200;
// Below this radius the orbit has met the Earth (the polar radius is 6357 km).
constexpr double kLowestRadiusFraction = 0.98;
// The first step's size; the controller adapts it at once.
constexpr double kFirstStepS = 10.0;

State ToState(const CartesianState& s)
{
    return {s.positionKm[0], s.positionKm[1], s.positionKm[2], s.velocityKmS[0], s.velocityKmS[1], s.velocityKmS[2]};
}

CartesianState FromState(const State& x) { return {{x[0], x[1], x[2]}, {x[3], x[4], x[5]}}; }

struct Equations {
    const GravityModel* model;
    void operator()(const State& x, State& dxdt, double /*t*/) const
    {
        const Vector3 a = ZonalAcceleration(*model, {x[0], x[1], x[2]});
        dxdt = {x[3], x[4], x[5], a[0], a[1], a[2]};
    }
};

void CheckRadius(const GravityModel& model, const State& x)
{
    const double r = std::hypot(x[0], x[1], x[2]);
    if (!(r >= kLowestRadiusFraction * model.equatorialRadiusKm) || !std::isfinite(x[3] + x[4] + x[5])) {
        throw OrbitError(ErrorKind::InvalidArgument, "The orbit meets the Earth: radius " + std::to_string(r) + " km");
    }
}

// One accepted step of the integrator, from (t0, x0) to (t1, x1), with the
// derivatives at both ends. Between them the position is the quintic Hermite
// polynomial that matches position, velocity and acceleration at both ends
// (error of order h^6: a few millimetres at a LEO's steps) and the velocity
// its derivative; `Exact` instead takes one Runge-Kutta-Fehlberg step from
// the start, as accurate as the integration itself.
class Step {
public:
    Step(const Equations& equations, double t0, const State& x0, const State& d0, double t1, const State& x1,
         const State& d1)
        : equations_(equations), t0_(t0), t1_(t1), x0_(x0), d0_(d0), x1_(x1), d1_(d1)
    {
    }

    double Begin() const { return t0_; }
    double End() const { return t1_; }
    const State& EndState() const { return x1_; }

    State Interpolated(double t) const
    {
        const double h = t1_ - t0_;
        if (h == 0) return x0_;
        const double s = (t - t0_) / h;
        const double s2 = s * s, s3 = s2 * s, s4 = s3 * s, s5 = s4 * s;
        const double h00 = 1 - 10 * s3 + 15 * s4 - 6 * s5, h01 = 10 * s3 - 15 * s4 + 6 * s5;
        const double h10 = s - 6 * s3 + 8 * s4 - 3 * s5, h11 = -4 * s3 + 7 * s4 - 3 * s5;
        const double h20 = 0.5 * (s2 - 3 * s3 + 3 * s4 - s5), h21 = 0.5 * (s3 - 2 * s4 + s5);
        // Their derivatives with respect to s.
        const double g00 = -30 * s2 + 60 * s3 - 30 * s4, g01 = -g00;
        const double g10 = 1 - 18 * s2 + 32 * s3 - 15 * s4, g11 = -12 * s2 + 28 * s3 - 15 * s4;
        const double g20 = 0.5 * (2 * s - 9 * s2 + 12 * s3 - 5 * s4), g21 = 0.5 * (3 * s2 - 8 * s3 + 5 * s4);
        State x{};
        for (std::size_t k = 0; k < 3; ++k) {
            const double p0 = x0_[k], v0 = d0_[k], a0 = d0_[k + 3];
            const double p1 = x1_[k], v1 = d1_[k], a1 = d1_[k + 3];
            x[k] = h00 * p0 + h01 * p1 + h * (h10 * v0 + h11 * v1) + h * h * (h20 * a0 + h21 * a1);
            x[k + 3] = (g00 * p0 + g01 * p1) / h + (g10 * v0 + g11 * v1) + h * (g20 * a0 + g21 * a1);
        }
        return x;
    }

    State Exact(double t) const
    {
        State x = x0_;
        if (t != t0_) Rkf78().do_step(equations_, x, t0_, t - t0_);
        return x;
    }

private:
    Equations equations_;
    double t0_, t1_;
    State x0_, d0_, x1_, d1_;
};

// Follows the orbit from `fromS` to `toS` (fromS <= toS) by the adaptive
// Runge-Kutta-Fehlberg 7(8) method, handing each accepted step to
// `visit(step)`, which returns false to stop. A negative `fromS` is reached
// first by integrating backwards from the epoch.
// Boost 1.74's steppers copy scratch arrays they have not filled yet when a
// controlled stepper is built; GCC warns about that copy. The arrays are
// written before any read, so the warning is silenced here alone.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
auto ControlledStepper(const IntegratorTolerance& tol)
{
    return odeint::make_controlled(tol.absolute, tol.relative, Rkf78());
}
#pragma GCC diagnostic pop

template <typename Visit>
long Follow(const GravityModel& model, const CartesianState& initial, const IntegratorTolerance& tol, double fromS,
            double toS, Visit&& visit)
{
    const Equations equations{&model};
    auto controlled = ControlledStepper(tol);
    State x = ToState(initial);
    long steps = 0;
    if (fromS < 0) {
        steps += static_cast<long>(
            odeint::integrate_adaptive(controlled, equations, x, 0.0, fromS, -std::min(kFirstStepS, -fromS)));
        CheckRadius(model, x);
    }
    double t = std::min(fromS, 0.0);
    double dt = kFirstStepS;
    State d{};
    equations(x, d, t);
    if (!visit(Step(equations, t, x, d, t, x, d))) return steps;
    while (t < toS) {
        const double tBefore = t;
        const State xBefore = x, dBefore = d;
        int tries = 0;
        while (controlled.try_step(equations, x, t, dt) != odeint::success) {
            if (++tries > kRetryCap) {
                throw OrbitError(ErrorKind::NoConvergence, "The integrator could not keep its tolerance");
            }
        }
        if (++steps > kStepCap) {
            throw OrbitError(ErrorKind::InvalidArgument,
                             "The propagation needs more than " + std::to_string(kStepCap) + " steps");
        }
        CheckRadius(model, x);
        equations(x, d, t);
        if (!visit(Step(equations, tBefore, xBefore, dBefore, t, x, d))) break;
    }
    return steps;
}

void CheckTimes(double fromS, double toS)
{
    if (!std::isfinite(fromS) || !std::isfinite(toS) || toS < fromS) {
        throw OrbitError(ErrorKind::InvalidArgument, "A propagation span must run forwards between finite times");
    }
}

}  // namespace

Propagator::Propagator(GravityModel model, const CartesianState& atEpoch, IntegratorTolerance tolerance)
    : model_(std::move(model)), initial_(atEpoch), tolerance_(tolerance)
{
    const State x = ToState(atEpoch);
    for (const double c : x) {
        if (!std::isfinite(c)) throw OrbitError(ErrorKind::InvalidArgument, "The initial state is not finite");
    }
    CheckRadius(model_, x);
    if (!(tolerance.absolute > 0) || !(tolerance.relative > 0)) {
        throw OrbitError(ErrorKind::InvalidArgument, "Integrator tolerances must be positive");
    }
}

std::vector<CartesianState> Propagator::StatesAt(std::span<const double> secondsAfterEpoch) const
{
    std::vector<CartesianState> states(secondsAfterEpoch.size());
    if (secondsAfterEpoch.empty()) return states;
    std::vector<std::size_t> order(secondsAfterEpoch.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return secondsAfterEpoch[a] < secondsAfterEpoch[b]; });
    const double first = secondsAfterEpoch[order.front()];
    const double last = secondsAfterEpoch[order.back()];
    CheckTimes(first, last);
    std::size_t next = 0;
    steps_ = Follow(model_, initial_, tolerance_, std::min(first, 0.0), last, [&](const Step& step) {
        while (next < order.size() && secondsAfterEpoch[order[next]] <= step.End()) {
            states[order[next]] = FromState(step.Exact(secondsAfterEpoch[order[next]]));
            ++next;
        }
        return next < order.size();
    });
    return states;
}

std::size_t SampleCount(double fromS, double toS, double stepS)
{
    CheckTimes(fromS, toS);
    if (!(stepS > 0)) throw OrbitError(ErrorKind::InvalidArgument, "A sampling step must be positive");
    const double count = std::floor((toS - fromS) / stepS + 1e-9) + 1;
    if (!(count <= kMaxSampleCount)) throw OrbitError(ErrorKind::InvalidArgument, "A sampling of more than 1e8 states");
    return static_cast<std::size_t>(count);
}

std::vector<TimedState> Propagator::Sample(double fromS, double toS, double stepS) const
{
    std::vector<TimedState> samples;
    samples.reserve(SampleCount(fromS, toS, stepS));
    Sample(fromS, toS, stepS, false, [&](const TimedState& s) { samples.push_back(s); });
    return samples;
}

void Propagator::Sample(double fromS, double toS, double stepS, bool endIncluded,
                        const std::function<void(const TimedState&)>& visit) const
{
    const std::size_t count = SampleCount(fromS, toS, stepS);
    const auto timeOf = [&](std::size_t k) { return fromS + static_cast<double>(k) * stepS; };
    const double lastSampleS = timeOf(count - 1);
    const bool endAdded = endIncluded && lastSampleS < toS - 1e-6;
    const std::size_t total = count + (endAdded ? 1 : 0);
    const auto at = [&](std::size_t k) { return k < count ? timeOf(k) : toS; };
    std::size_t next = 0;
    // The steps do not depend on where the run ends, so each state is the
    // one StatesAt would give at its time.
    steps_ = Follow(model_, initial_, tolerance_, std::min(fromS, 0.0), endAdded ? toS : lastSampleS,
                    [&](const Step& step) {
                        for (double t = at(next); next < total && t <= step.End(); t = at(++next))
                            visit({t, FromState(step.Exact(t))});
                        return next < total;
                    });
}

std::vector<NodeCrossing> Propagator::AscendingNodes(double fromS, double toS, double earthAngleAtEpochRad) const
{
    CheckTimes(fromS, toS);
    std::vector<NodeCrossing> nodes;
    steps_ = Follow(model_, initial_, tolerance_, fromS, toS, [&](const Step& step) {
        const double zBefore = step.Interpolated(step.Begin())[2];
        const double zAfter = step.EndState()[2];
        if (!(step.End() > step.Begin()) || !(zBefore < 0 && zAfter >= 0)) return true;
        // Newton's method on z(t), with vz(t), on the interpolating
        // polynomial, kept inside the step by bisection...
        double lo = step.Begin(), hi = step.End();
        double t = lo - zBefore / step.Interpolated(lo)[5];
        if (!(t > lo && t < hi)) t = 0.5 * (lo + hi);
        for (int k = 0; k < 100; ++k) {
            const State x = step.Interpolated(t);
            if (x[2] < 0) lo = t; else hi = t;
            double next = t - x[2] / x[5];
            if (!(next > lo && next < hi)) next = 0.5 * (lo + hi);
            const bool settled = std::abs(next - t) < 1e-9 || hi - lo < 1e-9;
            t = next;
            if (settled) break;
        }
        // ...then two Newton corrections on states of the integrator's own
        // accuracy, each a single Runge-Kutta step from the step's start.
        State x = step.Exact(t);
        for (int k = 0; k < 2; ++k) {
            t -= x[2] / x[5];
            x = step.Exact(t);
        }
        if (t >= fromS && t <= toS) {
            NodeCrossing node;
            node.secondsAfterEpoch = t;
            node.state = FromState(x);
            node.rightAscensionRad = std::atan2(x[1], x[0]);
            node.longitudeRad =
                WrapPlusMinusPi(node.rightAscensionRad - (earthAngleAtEpochRad + model_.earthRateRadS * t));
            nodes.push_back(node);
        }
        return true;
    });
    return nodes;
}

}  // namespace orbit::propagation
