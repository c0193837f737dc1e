#include "sgp4/mean_element_fit.h"

#include "core/orbit_error.h"
#include "sgp4/equinoctial.h"

#include <cmath>
#include <limits>
#include <optional>

namespace orbit::sgp4 {

namespace {

using Vector6 = std::array<double, 6>;
using Matrix6 = std::array<Vector6, 6>;

// Finite-difference steps of the Jacobian: about a metre of position each
// for a low orbit (and 10 m after a day for the mean motion), far above
// SGP4's rounding and far below the fit's own errors.
constexpr Vector6 kDifferenceSteps{1e-9, 1e-7, 1e-7, 1e-7, 1e-7, 1e-7};
constexpr int kEpochCorrectionSteps = 8;

// Residuals (reference - SGP4) at the samples, or nothing when SGP4 refuses
// the elements (a trial step may leave the theory's range).
std::optional<std::vector<double>> Residuals(const Equinoctial& q, const MeanElements& other, const std::vector<TemeSample>& samples)
{
    try {
        const Sgp4Propagator sgp4(FromEquinoctial(q, other));
        std::vector<double> r;
        r.reserve(3 * samples.size());
        for (const TemeSample& s : samples) {
            const TemeState state = sgp4.At(s.minutesSinceEpoch);
            for (std::size_t k = 0; k < 3; ++k) r.push_back(s.positionKm[k] - state.positionKm[k]);
        }
        return r;
    } catch (const OrbitError&) {
        return std::nullopt;
    }
}

double SumOfSquares(const std::vector<double>& r)
{
    double s = 0;
    for (double x : r) s += x * x;
    return s;
}

// Solves m x = b for a symmetric positive definite m (Cholesky); nothing
// when m is not positive definite.
std::optional<Vector6> SolveSymmetric(const Matrix6& m, const Vector6& b)
{
    Matrix6 l{};
    for (std::size_t i = 0; i < 6; ++i) {
        for (std::size_t j = 0; j <= i; ++j) {
            double sum = m[i][j];
            for (std::size_t k = 0; k < j; ++k) sum -= l[i][k] * l[j][k];
            if (i == j) {
                if (!(sum > 0)) return std::nullopt;
                l[i][i] = std::sqrt(sum);
            } else {
                l[i][j] = sum / l[j][j];
            }
        }
    }
    Vector6 y{};
    for (std::size_t i = 0; i < 6; ++i) {
        double sum = b[i];
        for (std::size_t k = 0; k < i; ++k) sum -= l[i][k] * y[k];
        y[i] = sum / l[i][i];
    }
    Vector6 x{};
    for (std::size_t ii = 6; ii-- > 0;) {
        double sum = y[ii];
        for (std::size_t k = ii + 1; k < 6; ++k) sum -= l[k][ii] * x[k];
        x[ii] = sum / l[ii][ii];
    }
    return x;
}

Equinoctial Moved(const Equinoctial& q, const Vector6& step)
{
    Vector6 a = q.AsArray();
    for (std::size_t k = 0; k < 6; ++k) a[k] += step[k];
    return Equinoctial::FromArray(a);
}

}  // namespace

PositionErrors MeasurePositionErrors(const Sgp4Propagator& sgp4, const std::vector<TemeSample>& samples)
{
    PositionErrors e;
    if (samples.empty()) return e;
    double sum = 0;
    for (const TemeSample& s : samples) {
        const TemeState state = sgp4.At(s.minutesSinceEpoch);
        const double dx = s.positionKm[0] - state.positionKm[0];
        const double dy = s.positionKm[1] - state.positionKm[1];
        const double dz = s.positionKm[2] - state.positionKm[2];
        const double d2 = dx * dx + dy * dy + dz * dz;
        sum += d2;
        e.largestKm = std::fmax(e.largestKm, std::sqrt(d2));
    }
    e.rmsKm = std::sqrt(sum / static_cast<double>(samples.size()));
    return e;
}

MeanElements MeanElementsAtEpoch(const TemeState& state, const MeanElements& other)
{
    const Equinoctial target = OsculatingEquinoctial(state);
    Equinoctial mean = target;
    // SGP4's state at the epoch differs from its mean elements by the
    // short-period terms; move the mean elements by the osculating miss until
    // the two agree. The terms are of order J2, so each step gains about
    // three digits; a step SGP4 refuses ends the correction where it stands.
    for (int step = 0; step < kEpochCorrectionSteps; ++step) {
        try {
            const Sgp4Propagator sgp4(FromEquinoctial(mean, other));
            const Equinoctial osculating = OsculatingEquinoctial(sgp4.At(0.0));
            mean = Moved(mean, Difference(target, osculating));
        } catch (const OrbitError&) {
            break;
        }
    }
    return FromEquinoctial(mean, other);
}

MeanElementFit FitMeanElements(const std::vector<TemeSample>& samples, const MeanElements& start, int iterationCap)
{
    const Sgp4Propagator startCheck(start);  // refuses a broken start with its reason
    Equinoctial q = ToEquinoctial(start);
    std::optional<std::vector<double>> residuals = Residuals(q, start, samples);
    if (!residuals) throw OrbitError(ErrorKind::InvalidArgument, "SGP4 cannot propagate the start of the fit over the span");
    double cost = SumOfSquares(*residuals);

    MeanElementFit fit;
    double damping = 1e-3;  // Levenberg-Marquardt's lambda, relative to the normal matrix's diagonal
    for (int iteration = 0; iteration < iterationCap; ++iteration) {
        fit.iterations = iteration + 1;
        // Jacobian of the SGP4 positions by forward differences.
        std::vector<std::vector<double>> columns;
        columns.reserve(6);
        for (std::size_t j = 0; j < 6; ++j) {
            Vector6 step{};
            step[j] = kDifferenceSteps[j];
            const auto moved = Residuals(Moved(q, step), start, samples);
            if (!moved) {  // at the theory's edge: difference backwards instead
                step[j] = -kDifferenceSteps[j];
                const auto back = Residuals(Moved(q, step), start, samples);
                if (!back) throw OrbitError(ErrorKind::NoConvergence, "TLE fit: SGP4 refuses every neighbour of the elements");
                columns.push_back(*back);
            } else {
                columns.push_back(*moved);
            }
            // d(position)/d(element) = -(d residual); kept as residual slopes.
            for (std::size_t i = 0; i < columns[j].size(); ++i) {
                columns[j][i] = ((*residuals)[i] - columns[j][i]) / step[j];
            }
        }
        Matrix6 normal{};
        Vector6 gradient{};
        for (std::size_t a = 0; a < 6; ++a) {
            for (std::size_t b = 0; b <= a; ++b) {
                double s = 0;
                for (std::size_t i = 0; i < residuals->size(); ++i) s += columns[a][i] * columns[b][i];
                normal[a][b] = normal[b][a] = s;
            }
            double g = 0;
            for (std::size_t i = 0; i < residuals->size(); ++i) g += columns[a][i] * (*residuals)[i];
            gradient[a] = g;
        }

        // Try damped steps until one lowers the cost (or the damping shows
        // there is nothing left to gain).
        bool improved = false;
        double relativeGain = 0;
        while (damping < 1e12) {
            Matrix6 damped = normal;
            for (std::size_t a = 0; a < 6; ++a) damped[a][a] *= 1.0 + damping;
            const auto delta = SolveSymmetric(damped, gradient);
            if (delta) {
                const Equinoctial trial = Moved(q, *delta);
                const auto trialResiduals = Residuals(trial, start, samples);
                if (trialResiduals) {
                    const double trialCost = SumOfSquares(*trialResiduals);
                    if (std::isfinite(trialCost) && trialCost < cost) {
                        relativeGain = (cost - trialCost) / cost;
                        q = trial;
                        residuals = trialResiduals;
                        cost = trialCost;
                        damping = std::fmax(damping / 10.0, 1e-9);
                        improved = true;
                        break;
                    }
                }
            }
            damping *= 10.0;
        }
        // Settled: no step gains, or the last gained under a part in 1e9 of
        // the squared error (sub-millimetre on kilometre residuals).
        if (!improved || relativeGain < 1e-9) {
            fit.converged = true;
            break;
        }
    }
    if (!std::isfinite(cost)) throw OrbitError(ErrorKind::NoConvergence, "TLE fit: the errors are not finite");
    fit.elements = FromEquinoctial(q, start);
    fit.errors = MeasurePositionErrors(Sgp4Propagator(fit.elements), samples);
    return fit;
}

}  // namespace orbit::sgp4
