#pragma once
// Guarded double arithmetic. Every step of the orbit formulas is checked the
// moment it is taken, so that a failure names the exact kind of fault:
// a non-zero value divided by zero is "Division by zero"; zero divided by
// zero, any other invalid operation, and any result beyond the double range
// is "Overflow". Expressions keep C++'s left-to-right evaluation, so a formula
// written as S * 3 * J2 * Re * Re / 2 is computed in exactly that order.

#include "core/orbit_error.h"

#include <cmath>

namespace orbit {

class Guarded {
public:
    constexpr Guarded(double v) : v_(v) {}  // NOLINT: implicit on purpose, constants mix in freely
    constexpr double value() const { return v_; }

    friend Guarded operator+(Guarded a, Guarded b) { return Check(a.v_ + b.v_); }
    friend Guarded operator-(Guarded a, Guarded b) { return Check(a.v_ - b.v_); }
    friend Guarded operator*(Guarded a, Guarded b) { return Check(a.v_ * b.v_); }
    friend Guarded operator/(Guarded a, Guarded b)
    {
        if (b.v_ == 0.0)
            throw OrbitError(a.v_ == 0.0 ? ErrorKind::Overflow : ErrorKind::DivisionByZero);
        return Check(a.v_ / b.v_);
    }
    Guarded operator-() const { return Guarded(-v_); }
    friend bool operator<(Guarded a, Guarded b) { return a.v_ < b.v_; }
    friend bool operator>(Guarded a, Guarded b) { return a.v_ > b.v_; }
    friend bool operator<=(Guarded a, Guarded b) { return a.v_ <= b.v_; }
    friend bool operator>=(Guarded a, Guarded b) { return a.v_ >= b.v_; }
    friend bool operator==(Guarded a, Guarded b) { return a.v_ == b.v_; }

    // Throws "Overflow" for a result that is infinite or not a number.
    static Guarded Check(double v)
    {
        if (!std::isfinite(v))
            throw OrbitError(ErrorKind::Overflow);
        return Guarded(v);
    }

private:
    double v_;
};

// x raised to a real power. A zero base with a negative exponent is a division
// by zero; a result that is not finite (overflow, or a negative base with a
// fractional exponent) is "Overflow".
inline Guarded Pow(Guarded x, double exponent)
{
    if (x.value() == 0.0 && exponent < 0.0)
        throw OrbitError(ErrorKind::DivisionByZero);
    return Guarded::Check(std::pow(x.value(), exponent));
}

inline Guarded Sqrt(Guarded x) { return Guarded::Check(std::sqrt(x.value())); }
inline Guarded Cos(Guarded x) { return Guarded::Check(std::cos(x.value())); }
inline Guarded Atan(Guarded x) { return Guarded::Check(std::atan(x.value())); }
inline Guarded Abs(Guarded x) { return Guarded(std::fabs(x.value())); }

}  // namespace orbit
