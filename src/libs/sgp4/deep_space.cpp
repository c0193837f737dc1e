#include "sgp4/deep_space.h"

#include "core/angle_wrap.h"
#include "core/constants.h"
#include "sgp4/wgs72.h"

#include <cmath>

namespace orbit::sgp4 {

namespace {

// The Sun's and the Moon's mean motions (rad/min) and orbit eccentricities,
// and their perturbing strengths, as the theory takes them.
constexpr double kSunRate = 1.19459e-5, kSunEcc = 0.01675;
constexpr double kMoonRate = 1.5835218e-4, kMoonEcc = 0.05490;
constexpr double kSunStrength = 2.9864797e-6, kMoonStrength = 4.7968065e-7;
// The Earth's rotation rate, rad/min.
constexpr double kEarthRate = 4.37526908801129966e-3;
// Resonance integration: 720-minute steps, and half a step squared.
constexpr double kStepMin = 720.0, kHalfStepSquared = 259200.0;

// Greenwich mean sidereal time (IAU 1982) at a UT1 Julian date.
double Gmst1982(double jdUt1)
{
    const double tut1 = (jdUt1 - 2451545.0) / 36525.0;
    const double seconds = -6.2e-6 * tut1 * tut1 * tut1 + 0.093104 * tut1 * tut1 +
                           (876600.0 * 3600.0 + 8640184.812866) * tut1 + 67310.54841;
    return WrapTwoPiOpen(seconds * kRadiansPerDegree / 240.0);
}

// The coefficients of one body's perturbation (the Sun's or the Moon's) on
// an orbit: the report's s1..s7 and z1..z33.
struct BodyTerms {
    double s1, s2, s3, s4, s5, s6, s7;
    double z1, z2, z3, z11, z12, z13, z21, z22, z23, z31, z32, z33;
};

BodyTerms Body(double zcosg, double zsing, double zcosi, double zsini, double zcosh, double zsinh, double strength,
               double n, double e, double cosi, double sini, double cosw, double sinw)
{
    const double emsq = e * e, betasq = 1.0 - emsq, rtemsq = std::sqrt(betasq);
    const double a1 = zcosg * zcosh + zsing * zcosi * zsinh;
    const double a3 = -zsing * zcosh + zcosg * zcosi * zsinh;
    const double a7 = -zcosg * zsinh + zsing * zcosi * zcosh;
    const double a8 = zsing * zsini;
    const double a9 = zsing * zsinh + zcosg * zcosi * zcosh;
    const double a10 = zcosg * zsini;
    const double a2 = cosi * a7 + sini * a8;
    const double a4 = cosi * a9 + sini * a10;
    const double a5 = -sini * a7 + cosi * a8;
    const double a6 = -sini * a9 + cosi * a10;

    const double x1 = a1 * cosw + a2 * sinw;
    const double x2 = a3 * cosw + a4 * sinw;
    const double x3 = -a1 * sinw + a2 * cosw;
    const double x4 = -a3 * sinw + a4 * cosw;
    const double x5 = a5 * sinw;
    const double x6 = a6 * sinw;
    const double x7 = a5 * cosw;
    const double x8 = a6 * cosw;

    BodyTerms b{};
    b.z31 = 12.0 * x1 * x1 - 3.0 * x3 * x3;
    b.z32 = 24.0 * x1 * x2 - 6.0 * x3 * x4;
    b.z33 = 12.0 * x2 * x2 - 3.0 * x4 * x4;
    b.z1 = 3.0 * (a1 * a1 + a2 * a2) + b.z31 * emsq;
    b.z2 = 6.0 * (a1 * a3 + a2 * a4) + b.z32 * emsq;
    b.z3 = 3.0 * (a3 * a3 + a4 * a4) + b.z33 * emsq;
    b.z11 = -6.0 * a1 * a5 + emsq * (-24.0 * x1 * x7 - 6.0 * x3 * x5);
    b.z12 = -6.0 * (a1 * a6 + a3 * a5) + emsq * (-24.0 * (x2 * x7 + x1 * x8) - 6.0 * (x3 * x6 + x4 * x5));
    b.z13 = -6.0 * a3 * a6 + emsq * (-24.0 * x2 * x8 - 6.0 * x4 * x6);
    b.z21 = 6.0 * a2 * a5 + emsq * (24.0 * x1 * x5 - 6.0 * x3 * x7);
    b.z22 = 6.0 * (a4 * a5 + a2 * a6) + emsq * (24.0 * (x2 * x5 + x1 * x6) - 6.0 * (x4 * x7 + x3 * x8));
    b.z23 = 6.0 * a4 * a6 + emsq * (24.0 * x2 * x6 - 6.0 * x4 * x8);
    b.z1 = b.z1 + b.z1 + betasq * b.z31;
    b.z2 = b.z2 + b.z2 + betasq * b.z32;
    b.z3 = b.z3 + b.z3 + betasq * b.z33;
    b.s3 = strength / n;
    b.s2 = -0.5 * b.s3 / rtemsq;
    b.s4 = b.s3 * rtemsq;
    b.s1 = -15.0 * e * b.s4;
    b.s5 = x1 * x3 + x2 * x4;
    b.s6 = x2 * x3 + x1 * x4;
    b.s7 = x2 * x4 - x1 * x3;
    return b;
}

// Near 0 and 180 degrees of inclination the node's terms are dropped.
bool NearlyEquatorial(double incl) { return incl < 5.2359877e-2 || incl > kPi - 5.2359877e-2; }

}  // namespace

DeepSpace::DeepSpace(const DeepSpaceStart& s) : start_(s)
{
    gsto_ = Gmst1982(s.epochDaysFrom1950 + 2433281.5);
    const double n = s.brouwerMeanMotionRadMin;
    const double e = s.eccentricity;
    const double emsq = e * e;
    const double sini = std::sin(s.inclinationRad), cosi = std::cos(s.inclinationRad);
    const double snod = std::sin(s.raanRad), cnod = std::cos(s.raanRad);
    const double sinw = std::sin(s.argumentOfPerigeeRad), cosw = std::cos(s.argumentOfPerigeeRad);

    // The Moon's orbit at the epoch: its node on the ecliptic regresses in
    // 18.6 years, which tilts it to the equator between 18.3 and 28.6 deg.
    const double day = s.epochDaysFrom1950 + 18261.5;
    const double xnodce = std::fmod(4.5236020 - 9.2422029e-4 * day, kTwoPi);
    const double stem = std::sin(xnodce), ctem = std::cos(xnodce);
    const double zcosil = 0.91375164 - 0.03568096 * ctem;
    const double zsinil = std::sqrt(1.0 - zcosil * zcosil);
    const double zsinhl = 0.089683511 * stem / zsinil;
    const double zcoshl = std::sqrt(1.0 - zsinhl * zsinhl);
    const double gam = 5.8351514 + 0.0019443680 * day;
    double zx = 0.39785416 * stem / zsinil;
    const double zy = zcoshl * ctem + 0.91744867 * zsinhl * stem;
    zx = std::atan2(zx, zy);
    zx = gam + zx - xnodce;
    const double zcosgl = std::cos(zx), zsingl = std::sin(zx);

    // The Sun on the ecliptic (obliquity 23.44 deg), then the Moon.
    const BodyTerms sun = Body(0.1945905, -0.98088458, 0.91744867, 0.39785416, cnod, snod, kSunStrength, n, e, cosi,
                               sini, cosw, sinw);
    const BodyTerms moon = Body(zcosgl, zsingl, zcosil, zsinil, zcoshl * cnod + zsinhl * snod,
                                snod * zcoshl - cnod * zsinhl, kMoonStrength, n, e, cosi, sini, cosw, sinw);
    zmol_ = std::fmod(4.7199672 + 0.22997150 * day - gam, kTwoPi);
    zmos_ = std::fmod(6.2565837 + 0.017201977 * day, kTwoPi);

    se2_ = 2.0 * sun.s1 * sun.s6;
    se3_ = 2.0 * sun.s1 * sun.s7;
    si2_ = 2.0 * sun.s2 * sun.z12;
    si3_ = 2.0 * sun.s2 * (sun.z13 - sun.z11);
    sl2_ = -2.0 * sun.s3 * sun.z2;
    sl3_ = -2.0 * sun.s3 * (sun.z3 - sun.z1);
    sl4_ = -2.0 * sun.s3 * (-21.0 - 9.0 * emsq) * kSunEcc;
    sgh2_ = 2.0 * sun.s4 * sun.z32;
    sgh3_ = 2.0 * sun.s4 * (sun.z33 - sun.z31);
    sgh4_ = -18.0 * sun.s4 * kSunEcc;
    sh2_ = -2.0 * sun.s2 * sun.z22;
    sh3_ = -2.0 * sun.s2 * (sun.z23 - sun.z21);

    ee2_ = 2.0 * moon.s1 * moon.s6;
    e3_ = 2.0 * moon.s1 * moon.s7;
    xi2_ = 2.0 * moon.s2 * moon.z12;
    xi3_ = 2.0 * moon.s2 * (moon.z13 - moon.z11);
    xl2_ = -2.0 * moon.s3 * moon.z2;
    xl3_ = -2.0 * moon.s3 * (moon.z3 - moon.z1);
    xl4_ = -2.0 * moon.s3 * (-21.0 - 9.0 * emsq) * kMoonEcc;
    xgh2_ = 2.0 * moon.s4 * moon.z32;
    xgh3_ = 2.0 * moon.s4 * (moon.z33 - moon.z31);
    xgh4_ = -18.0 * moon.s4 * kMoonEcc;
    xh2_ = -2.0 * moon.s2 * moon.z22;
    xh3_ = -2.0 * moon.s2 * (moon.z23 - moon.z21);

    // Secular rates from the Sun and the Moon.
    const double ses = sun.s1 * kSunRate * sun.s5;
    const double sis = sun.s2 * kSunRate * (sun.z11 + sun.z13);
    const double sls = -kSunRate * sun.s3 * (sun.z1 + sun.z3 - 14.0 - 6.0 * emsq);
    const double sghs = sun.s4 * kSunRate * (sun.z31 + sun.z33 - 6.0);
    double shs = -kSunRate * sun.s2 * (sun.z21 + sun.z23);
    if (NearlyEquatorial(s.inclinationRad)) shs = 0.0;
    if (sini != 0.0) shs /= sini;
    const double sgs = sghs - cosi * shs;

    dedt_ = ses + moon.s1 * kMoonRate * moon.s5;
    didt_ = sis + moon.s2 * kMoonRate * (moon.z11 + moon.z13);
    dmdt_ = sls - kMoonRate * moon.s3 * (moon.z1 + moon.z3 - 14.0 - 6.0 * emsq);
    const double sghl = moon.s4 * kMoonRate * (moon.z31 + moon.z33 - 6.0);
    double shll = -kMoonRate * moon.s2 * (moon.z21 + moon.z23);
    if (NearlyEquatorial(s.inclinationRad)) shll = 0.0;
    domdt_ = sgs + sghl;
    dnodt_ = shs;
    if (sini != 0.0) {
        domdt_ -= cosi / sini * shll;
        dnodt_ += shll / sini;
    }

    // Resonance: a day's period (synchronous) or half a day with e >= 0.5.
    if (n < 0.0052359877 && n > 0.0034906585) resonance_ = 1;
    if (n >= 8.26e-3 && n <= 9.24e-3 && e >= 0.5) resonance_ = 2;
    if (resonance_ == 0) return;

    const double theta = gsto_;
    const double aonv = std::pow(n / kKe, 2.0 / 3.0);
    if (resonance_ == 2) {
        // The tesseral harmonics' eccentricity functions, fitted in ranges of e.
        const double cosisq = cosi * cosi;
        const double eoc = e * emsq;
        const double g201 = -0.306 - (e - 0.64) * 0.440;
        double g211, g310, g322, g410, g422, g520, g521, g532, g533;
        if (e <= 0.65) {
            g211 = 3.616 - 13.2470 * e + 16.2900 * emsq;
            g310 = -19.302 + 117.3900 * e - 228.4190 * emsq + 156.5910 * eoc;
            g322 = -18.9068 + 109.7927 * e - 214.6334 * emsq + 146.5816 * eoc;
            g410 = -41.122 + 242.6940 * e - 471.0940 * emsq + 313.9530 * eoc;
            g422 = -146.407 + 841.8800 * e - 1629.014 * emsq + 1083.4350 * eoc;
            g520 = -532.114 + 3017.977 * e - 5740.032 * emsq + 3708.2760 * eoc;
        } else {
            g211 = -72.099 + 331.819 * e - 508.738 * emsq + 266.724 * eoc;
            g310 = -346.844 + 1582.851 * e - 2415.925 * emsq + 1246.113 * eoc;
            g322 = -342.585 + 1554.908 * e - 2366.899 * emsq + 1215.972 * eoc;
            g410 = -1052.797 + 4758.686 * e - 7193.992 * emsq + 3651.957 * eoc;
            g422 = -3581.690 + 16178.110 * e - 24462.770 * emsq + 12422.520 * eoc;
            g520 = e > 0.715 ? -5149.66 + 29936.92 * e - 54087.36 * emsq + 31324.56 * eoc
                             : 1464.74 - 4664.75 * e + 3763.64 * emsq;
        }
        if (e < 0.7) {
            g533 = -919.22770 + 4988.6100 * e - 9064.7700 * emsq + 5542.21 * eoc;
            g521 = -822.71072 + 4568.6173 * e - 8491.4146 * emsq + 5337.524 * eoc;
            g532 = -853.66600 + 4690.2500 * e - 8624.7700 * emsq + 5341.4 * eoc;
        } else {
            g533 = -37995.780 + 161616.52 * e - 229838.20 * emsq + 109377.94 * eoc;
            g521 = -51752.104 + 218913.95 * e - 309468.16 * emsq + 146349.42 * eoc;
            g532 = -40023.880 + 170470.89 * e - 242699.48 * emsq + 115605.82 * eoc;
        }
        const double sini2 = sini * sini;
        const double f220 = 0.75 * (1.0 + 2.0 * cosi + cosisq);
        const double f221 = 1.5 * sini2;
        const double f321 = 1.875 * sini * (1.0 - 2.0 * cosi - 3.0 * cosisq);
        const double f322 = -1.875 * sini * (1.0 + 2.0 * cosi - 3.0 * cosisq);
        const double f441 = 35.0 * sini2 * f220;
        const double f442 = 39.3750 * sini2 * sini2;
        const double f522 = 9.84375 * sini * (sini2 * (1.0 - 2.0 * cosi - 5.0 * cosisq) +
                                              0.33333333 * (-2.0 + 4.0 * cosi + 6.0 * cosisq));
        const double f523 = sini * (4.92187512 * sini2 * (-2.0 - 4.0 * cosi + 10.0 * cosisq) +
                                    6.56250012 * (1.0 + 2.0 * cosi - 3.0 * cosisq));
        const double f542 = 29.53125 * sini * (2.0 - 8.0 * cosi + cosisq * (-12.0 + 8.0 * cosi + 10.0 * cosisq));
        const double f543 = 29.53125 * sini * (-2.0 - 8.0 * cosi + cosisq * (12.0 + 8.0 * cosi - 10.0 * cosisq));
        // The harmonics' strengths (sqrt(C^2 + S^2) of J22, J32, J44, J52, J54).
        constexpr double root22 = 1.7891679e-6, root32 = 3.7393792e-7, root44 = 7.3636953e-9;
        constexpr double root52 = 1.1428639e-7, root54 = 2.1765803e-9;
        const double xno2 = n * n;
        const double ainv2 = aonv * aonv;
        double temp1 = 3.0 * xno2 * ainv2;
        double temp = temp1 * root22;
        d2201_ = temp * f220 * g201;
        d2211_ = temp * f221 * g211;
        temp1 *= aonv;
        temp = temp1 * root32;
        d3210_ = temp * f321 * g310;
        d3222_ = temp * f322 * g322;
        temp1 *= aonv;
        temp = 2.0 * temp1 * root44;
        d4410_ = temp * f441 * g410;
        d4422_ = temp * f442 * g422;
        temp1 *= aonv;
        temp = temp1 * root52;
        d5220_ = temp * f522 * g520;
        d5232_ = temp * f523 * g532;
        temp = 2.0 * temp1 * root54;
        d5421_ = temp * f542 * g521;
        d5433_ = temp * f543 * g533;
        xlamo_ = std::fmod(s.meanAnomalyRad + s.raanRad + s.raanRad - theta - theta, kTwoPi);
        xfact_ = s.meanAnomalyRate + dmdt_ + 2.0 * (s.nodeRate + dnodt_ - kEarthRate) - n;
    } else {
        constexpr double q22 = 1.7891679e-6, q31 = 2.1460748e-6, q33 = 2.2123015e-7;
        const double g200 = 1.0 + emsq * (-2.5 + 0.8125 * emsq);
        const double g310 = 1.0 + 2.0 * emsq;
        const double g300 = 1.0 + emsq * (-6.0 + 6.60937 * emsq);
        const double f220 = 0.75 * (1.0 + cosi) * (1.0 + cosi);
        const double f311 = 0.9375 * sini * sini * (1.0 + 3.0 * cosi) - 0.75 * (1.0 + cosi);
        double f330 = 1.0 + cosi;
        f330 = 1.875 * f330 * f330 * f330;
        const double del = 3.0 * n * n * aonv * aonv;
        del2_ = 2.0 * del * f220 * g200 * q22;
        del3_ = 3.0 * del * f330 * g300 * q33 * aonv;
        del1_ = del * f311 * g310 * q31 * aonv;
        xlamo_ = std::fmod(s.meanAnomalyRad + s.raanRad + s.argumentOfPerigeeRad - theta, kTwoPi);
        xfact_ = s.meanAnomalyRate + (s.perigeeRate + s.nodeRate) - kEarthRate + dmdt_ + domdt_ + dnodt_ - n;
    }
}

void DeepSpace::ApplySecular(double t, DeepSpaceMean& m) const
{
    m.eccentricity += dedt_ * t;
    m.inclinationRad += didt_ * t;
    m.argumentOfPerigeeRad += domdt_ * t;
    m.raanRad += dnodt_ * t;
    m.meanAnomalyRad += dmdt_ * t;
    if (resonance_ == 0) return;

    // The resonance: the mean motion and the resonant longitude integrated
    // from the epoch by Euler-Maclaurin steps of 720 min, then the remainder
    // by a Taylor step. Starting from the epoch each time gives the same
    // steps as carrying the integration on from an earlier call.
    constexpr double fasx2 = 0.13130908, fasx4 = 2.8843198, fasx6 = 0.37448087;
    constexpr double g22 = 5.7686396, g32 = 0.95240898, g44 = 1.8014998, g52 = 1.0508330, g54 = 4.4108898;
    const double n0 = start_.brouwerMeanMotionRadMin;
    const double theta = std::fmod(gsto_ + t * kEarthRate, kTwoPi);
    const double delt = t > 0 ? kStepMin : -kStepMin;
    double atime = 0, xli = xlamo_, xni = n0;
    double xndt = 0, xldot = 0, xnddt = 0, ft = 0;
    for (;;) {
        if (resonance_ != 2) {
            xndt = del1_ * std::sin(xli - fasx2) + del2_ * std::sin(2.0 * (xli - fasx4)) +
                   del3_ * std::sin(3.0 * (xli - fasx6));
            xldot = xni + xfact_;
            xnddt = del1_ * std::cos(xli - fasx2) + 2.0 * del2_ * std::cos(2.0 * (xli - fasx4)) +
                    3.0 * del3_ * std::cos(3.0 * (xli - fasx6));
            xnddt *= xldot;
        } else {
            const double xomi = start_.argumentOfPerigeeRad + start_.perigeeRate * atime;
            const double x2omi = xomi + xomi;
            const double x2li = xli + xli;
            xndt = d2201_ * std::sin(x2omi + xli - g22) + d2211_ * std::sin(xli - g22) +
                   d3210_ * std::sin(xomi + xli - g32) + d3222_ * std::sin(-xomi + xli - g32) +
                   d4410_ * std::sin(x2omi + x2li - g44) + d4422_ * std::sin(x2li - g44) +
                   d5220_ * std::sin(xomi + xli - g52) + d5232_ * std::sin(-xomi + xli - g52) +
                   d5421_ * std::sin(xomi + x2li - g54) + d5433_ * std::sin(-xomi + x2li - g54);
            xldot = xni + xfact_;
            xnddt = d2201_ * std::cos(x2omi + xli - g22) + d2211_ * std::cos(xli - g22) +
                    d3210_ * std::cos(xomi + xli - g32) + d3222_ * std::cos(-xomi + xli - g32) +
                    d5220_ * std::cos(xomi + xli - g52) + d5232_ * std::cos(-xomi + xli - g52) +
                    2.0 * (d4410_ * std::cos(x2omi + x2li - g44) + d4422_ * std::cos(x2li - g44) +
                           d5421_ * std::cos(xomi + x2li - g54) + d5433_ * std::cos(-xomi + x2li - g54));
            xnddt *= xldot;
        }
        if (std::fabs(t - atime) < kStepMin) {
            ft = t - atime;
            break;
        }
        xli += xldot * delt + xndt * kHalfStepSquared;
        xni += xndt * delt + xnddt * kHalfStepSquared;
        atime += delt;
    }
    const double nm = xni + xndt * ft + xnddt * ft * ft * 0.5;
    const double xl = xli + xldot * ft + xndt * ft * ft * 0.5;
    if (resonance_ != 1) {
        m.meanAnomalyRad = xl - 2.0 * m.raanRad + 2.0 * theta;
    } else {
        m.meanAnomalyRad = xl - m.raanRad - m.argumentOfPerigeeRad + theta;
    }
    m.meanMotionRadMin = nm;
}

void DeepSpace::ApplyPeriodics(double t, DeepSpaceMean& el) const
{
    // The Sun's and the Moon's long-period terms, at their mean anomalies
    // (with the equation of the centre to first order in their eccentricity).
    double zm = zmos_ + kSunRate * t;
    double zf = zm + 2.0 * kSunEcc * std::sin(zm);
    double sinzf = std::sin(zf);
    double f2 = 0.5 * sinzf * sinzf - 0.25;
    double f3 = -0.5 * sinzf * std::cos(zf);
    const double ses = se2_ * f2 + se3_ * f3;
    const double sis = si2_ * f2 + si3_ * f3;
    const double sls = sl2_ * f2 + sl3_ * f3 + sl4_ * sinzf;
    const double sghs = sgh2_ * f2 + sgh3_ * f3 + sgh4_ * sinzf;
    const double shs = sh2_ * f2 + sh3_ * f3;
    zm = zmol_ + kMoonRate * t;
    zf = zm + 2.0 * kMoonEcc * std::sin(zm);
    sinzf = std::sin(zf);
    f2 = 0.5 * sinzf * sinzf - 0.25;
    f3 = -0.5 * sinzf * std::cos(zf);
    const double sel = ee2_ * f2 + e3_ * f3;
    const double sil = xi2_ * f2 + xi3_ * f3;
    const double sll = xl2_ * f2 + xl3_ * f3 + xl4_ * sinzf;
    const double sghl = xgh2_ * f2 + xgh3_ * f3 + xgh4_ * sinzf;
    const double shll = xh2_ * f2 + xh3_ * f3;
    const double pe = ses + sel;
    const double pinc = sis + sil;
    const double pl = sls + sll;
    double pgh = sghs + sghl;
    double ph = shs + shll;

    el.inclinationRad += pinc;
    el.eccentricity += pe;
    const double sinip = std::sin(el.inclinationRad), cosip = std::cos(el.inclinationRad);
    if (el.inclinationRad >= 0.2) {
        ph /= sinip;
        pgh -= cosip * ph;
        el.argumentOfPerigeeRad += pgh;
        el.raanRad += ph;
        el.meanAnomalyRad += pl;
        return;
    }
    // Lyddane's form: perturb the node through the components of the pole
    // (sin i sin W, sin i cos W), which stay defined as i goes to zero.
    const double sinop = std::sin(el.raanRad), cosop = std::cos(el.raanRad);
    double alfdp = sinip * sinop;
    double betdp = sinip * cosop;
    alfdp += ph * cosop + pinc * cosip * sinop;
    betdp += -ph * sinop + pinc * cosip * cosop;
    double nodep = std::fmod(el.raanRad, kTwoPi);
    double xls = el.meanAnomalyRad + el.argumentOfPerigeeRad + cosip * nodep;
    xls += pl + pgh - pinc * nodep * sinip;
    const double xnoh = nodep;
    nodep = std::atan2(alfdp, betdp);
    if (std::fabs(xnoh - nodep) > kPi) nodep += nodep < xnoh ? kTwoPi : -kTwoPi;
    el.meanAnomalyRad += pl;
    el.argumentOfPerigeeRad = xls - el.meanAnomalyRad - cosip * nodep;
    el.raanRad = nodep;
}

}  // namespace orbit::sgp4
