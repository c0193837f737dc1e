#pragma once
// Brent's method (Brent 1973, "Algorithms for Minimization without
// Derivatives", ch. 4): inverse quadratic interpolation and secant steps,
// falling back on bisection, so that it keeps the bracket and never takes
// more than about twice the steps of bisection.

#include <algorithm>
#include <cmath>
#include <utility>

namespace orbit::access {

inline constexpr int kMaxRootSteps = 200;

// A root of f in [a, b], where fa = f(a) and fb = f(b) differ in sign (or
// one is 0), to within `tolerance` in the argument.
template <typename F>
double FindRoot(F&& f, double a, double b, double fa, double fb, double tolerance)
{
    if (fa == 0)
        return a;
    if (fb == 0)
        return b;
    double c = a, fc = fa, d = b - a, e = d;
    for (int step = 0; step < kMaxRootSteps; ++step) {
        if ((fb > 0) == (fc > 0)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol = 2 * 1e-16 * std::fabs(b) + 0.5 * tolerance;
        const double m = 0.5 * (c - b);
        if (std::fabs(m) <= tol || fb == 0)
            return b;
        if (std::fabs(e) >= tol && std::fabs(fa) > std::fabs(fb)) {
            double p, q;
            const double s = fb / fa;
            if (a == c) {
                p = 2 * m * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * m * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            if (2 * p < std::min(3 * m * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = m;
                e = m;
            }
        } else {
            d = m;
            e = m;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol ? d : (m > 0 ? tol : -tol);
        fb = f(b);
    }
    return b;
}

}  // namespace orbit::access
