#include "core/repbas.h"

#include "core/guarded.h"
#include "core/orbit_rates.h"

#include <string>

namespace orbit::RepBas {
namespace {

// One Newton solve on x = sqrt(a), so that the powers of a become whole
// powers of x. `step` returns the next x from the current one. The stop test
// is on the relative step; a cycling iteration ends at the step cap.
template <typename Step>
double SolveForRoot(Step step, int* newtonSteps, int stepCap)
{
    Guarded x = StartRoot;
    for (int steps = 1; steps <= stepCap; ++steps) {
        const Guarded next = step(x);
        if (Abs((next - x) / x) < ConvergenceTol) {
            if (newtonSteps)
                *newtonSteps = steps;
            return (next * next).value();
        }
        x = next;
    }
    throw OrbitError(ErrorKind::NoConvergence);
}

}  // namespace

const char* NoConvergenceText()
{
    static const std::string text = "No convergence: the semi-major axis did not settle within " +
                                    std::to_string(MaxNewtonSteps) + " Newton steps";
    return text.c_str();
}

double InclAxis(double N, double M, double Q, double Incl, int* newtonSteps, int stepCap)
{
    // Repeat condition with the node-rate term moved to the left:
    //   S a^-1.5 + K2 a^-3.5 = K3,  K2 = 1.5 S J2 Re^2 (4 cos^2 i - 1 - nu cos i),
    //   K3 = OmegaEarth nu.  With a = x^2 and A = S/K3, B = K2/K3:
    //   f(x) = x^7 - A x^4 - B = 0.
    const Guarded S = RootMu();
    const Guarded c = Cos(Incl);
    const Guarded V = 4 * c * c - 1;
    const Guarded T = J2Factor();
    const Guarded nu = RevsPerNodalDay(N, M, Q);
    const Guarded K2 = T * (V - c * nu);
    const Guarded K3 = OmegaEarth * nu;
    const Guarded A = S / K3;
    const Guarded B = K2 / K3;

    return SolveForRoot(
        [&](Guarded x) {
            const Guarded f = Pow(x, 7) - A * Pow(x, 4) - B;
            const Guarded df = 7 * Pow(x, 6) - 4 * A * Pow(x, 3);
            return x - f / df;
        },
        newtonSteps, stepCap);
}

double SunSyncAxis(double N, double M, double Q, int* newtonSteps, int stepCap)
{
    // The sun-synchronous condition fixes cos i = -OmegaSun a^3.5 / (1.5 S J2 Re^2);
    // substituted into the repeat condition (relative to the mean sun) it gives
    //   S a^-1.5 - D2 a^-3.5 + D1 a^3.5 = R,
    // multiplied through by x^14 (a = x^2):
    //   f(x) = S x^4 + D1 x^14 - R x^7 - D2 = 0.
    const Guarded S = RootMu();
    const Guarded D1 = SunSyncCoeff / (9 * S * J2 * Re * Re);
    const Guarded D2 = J2Factor();  // 3 S J2 Re Re / 2: the same product, bit for bit
    const Guarded R = OmegaSolarDay * RevsPerNodalDay(N, M, Q);

    return SolveForRoot(
        [&](Guarded x) {
            const Guarded f = S * Pow(x, 4) + D1 * Pow(x, 14) - R * Pow(x, 7) - D2;
            const Guarded df = 4 * S * Pow(x, 3) + 14 * D1 * Pow(x, 13) - 7 * R * Pow(x, 6);
            return x - f / df;
        },
        newtonSteps, stepCap);
}

double ArcCos(double x)
{
    // Clamped: a cosine just outside [-1, 1] from rounding, or far outside it
    // where no sun-synchronous orbit exists, gives the nearest angle.
    if (x >= 1)
        return 0;
    if (x <= -1)
        return Pi;
    const Guarded g = x;
    return (Atan(-g / Sqrt(1 - g * g)) + Pi / 2).value();
}

}  // namespace orbit::RepBas
