#include "ephemeris/earth_orientation.h"

#include <erfa.h>

#include <cmath>
#include <numbers>

namespace orbit::ephemeris {

namespace {

Matrix3 FromErfa(double r[3][3]) {
    Matrix3 m{};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) m[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] = r[i][j];
    }
    return m;
}

}  // namespace

double GreenwichMeanSiderealTimeRad(const Instant& t) {
    const JulianDate ut1 = t.Ut1(), tt = t.Tt();
    return eraGmst06(ut1.jd1, ut1.jd2, tt.jd1, tt.jd2);
}

double GreenwichApparentSiderealTimeRad(const Instant& t) {
    const JulianDate ut1 = t.Ut1(), tt = t.Tt();
    return eraGst06a(ut1.jd1, ut1.jd2, tt.jd1, tt.jd2);
}

double EquationOfEquinoxesRad(const Instant& t) {
    const EarthOrientation e = EarthOrientationAt(t);
    return std::remainder(e.gastRad - e.gmstRad, 2 * std::numbers::pi);
}

Matrix3 Eme2000ToMeanOfDate(const Instant& t) {
    const JulianDate tt = t.Tt();
    double r[3][3];
    eraPmat06(tt.jd1, tt.jd2, r);
    return FromErfa(r);
}

Matrix3 Eme2000ToTrueOfDate(const Instant& t) {
    const JulianDate tt = t.Tt();
    double r[3][3];
    eraPnm06a(tt.jd1, tt.jd2, r);
    return FromErfa(r);
}

EarthOrientation EarthOrientationAt(const Instant& t) {
    const JulianDate ut1 = t.Ut1(), tt = t.Tt();
    double r[3][3];
    eraPnm06a(tt.jd1, tt.jd2, r);
    EarthOrientation e;
    e.gmstRad = eraGmst06(ut1.jd1, ut1.jd2, tt.jd1, tt.jd2);
    e.gastRad = eraGst06(ut1.jd1, ut1.jd2, tt.jd1, tt.jd2, r);
    e.eme2000ToTrueOfDate = FromErfa(r);
    return e;
}

Vector3 Multiply(const Matrix3& m, const Vector3& v) {
    Vector3 out{};
    for (std::size_t i = 0; i < 3; ++i) out[i] = m[i][0] * v[0] + m[i][1] * v[1] + m[i][2] * v[2];
    return out;
}

Vector3 MultiplyTransposed(const Matrix3& m, const Vector3& v) {
    Vector3 out{};
    for (std::size_t j = 0; j < 3; ++j) out[j] = m[0][j] * v[0] + m[1][j] * v[1] + m[2][j] * v[2];
    return out;
}

}  // namespace orbit::ephemeris
