#include "sgp4/sgp4_propagator.h"

#include "core/orbit_error.h"
#include "sgp4/wgs72.h"

#include <cmath>
#include <numbers>
#include <string>

namespace orbit::sgp4 {

namespace {

[[noreturn]] void Refuse(const std::string& why)
{
    throw OrbitError(ErrorKind::InvalidArgument, "SGP4: " + why);
}

// Density reference altitudes of the drag model: the atmosphere is taken as
// (q0 - s)^4 / (r - s)^4 with q0 = 120 km and s = 78 km above the surface.
constexpr double kQ0AltitudeKm = 120.0;
constexpr double kSAltitudeKm = 78.0;
// Below 220 km perigee the drag terms beyond the first order are dropped.
constexpr double kSimplifiedDragPerigeeKm = 220.0;
// The Kepler solve: Newton steps capped in size, with a step count cap.
constexpr int kKeplerStepCap = 10;
constexpr double kKeplerTolerance = 1.0e-12;
constexpr double kKeplerLargestStep = 0.95;

}  // namespace

Sgp4Propagator::Sgp4Propagator(const MeanElements& elements) : elements_(elements)
{
    const double e0 = elements.eccentricity;
    const double i0 = elements.inclinationRad;
    const double nKozai = elements.meanMotionRadMin;
    if (!(e0 >= 0.0 && e0 < 1.0)) Refuse("eccentricity " + std::to_string(e0) + " is outside [0, 1)");
    if (!(nKozai > 0.0) || !std::isfinite(nKozai)) Refuse("the mean motion must be above zero");
    if (!std::isfinite(i0) || !std::isfinite(elements.raanRad) || !std::isfinite(elements.argumentOfPerigeeRad) ||
        !std::isfinite(elements.meanAnomalyRad) || !std::isfinite(elements.bstarPerEarthRadius)) {
        Refuse("an element is not a finite number");
    }

    cosi_ = std::cos(i0);
    sini_ = std::sin(i0);
    const double cosi2 = cosi_ * cosi_;
    const double beta0sq = 1.0 - e0 * e0;
    const double beta0 = std::sqrt(beta0sq);

    // The element set's mean motion is Kozai's; SGP4 works with Brouwer's.
    // Undo the J2 term that separates them (the report's a1, delta1, a0, delta0).
    const double a1 = std::pow(kKe / nKozai, 2.0 / 3.0);
    const double k = 0.75 * kJ2 * (3.0 * cosi2 - 1.0) / (beta0 * beta0sq);
    const double delta1 = k / (a1 * a1);
    const double a0Guess = a1 * (1.0 - delta1 * (1.0 / 3.0 + delta1 * (1.0 + 134.0 / 81.0 * delta1)));
    const double delta0 = k / (a0Guess * a0Guess);
    n0_ = nKozai / (1.0 + delta0);
    a0_ = std::pow(kKe / n0_, 2.0 / 3.0);

    con41_ = 3.0 * cosi2 - 1.0;
    const double con42 = 1.0 - 5.0 * cosi2;
    x1mth2_ = 1.0 - cosi2;
    x7thm1_ = 7.0 * cosi2 - 1.0;
    const double p0 = a0_ * beta0sq;
    const double perigeeRadii = a0_ * (1.0 - e0);
    const double perigeeKm = (perigeeRadii - 1.0) * kEarthRadiusKm;
    // A perigee below the surface is allowed: a sub-orbital or decaying
    // object is propagated until its radius falls below the Earth's.
    simplifiedDrag_ = perigeeKm < kSimplifiedDragPerigeeKm;

    // For a low perigee the density reference s moves down with it (to 20 km
    // above the surface at the lowest), and (q0 - s)^4 with it.
    double sAltitudeKm = kSAltitudeKm;
    if (perigeeKm < 156.0) sAltitudeKm = perigeeKm < 98.0 ? 20.0 : perigeeKm - 78.0;
    const double q0MinusS = (kQ0AltitudeKm - sAltitudeKm) / kEarthRadiusKm;
    const double qms4 = q0MinusS * q0MinusS * q0MinusS * q0MinusS;
    const double s = sAltitudeKm / kEarthRadiusKm + 1.0;

    const double xi = 1.0 / (a0_ - s);
    eta_ = a0_ * e0 * xi;
    const double eta2 = eta_ * eta_;
    const double eeta = e0 * eta_;
    const double psi2 = std::fabs(1.0 - eta2);
    const double xi4 = xi * xi * xi * xi;
    const double coef = qms4 * xi4;
    const double coef1 = coef / std::pow(psi2, 3.5);

    // Drag: C1 sets the secular decay of the semi-major axis, C4 and C5 that
    // of the eccentricity, C3 the drag-J3 coupling in the argument of perigee.
    const double c2 = coef1 * n0_ *
                      (a0_ * (1.0 + 1.5 * eta2 + eeta * (4.0 + eta2)) +
                       0.375 * kJ2 * xi / psi2 * con41_ * (8.0 + 3.0 * eta2 * (8.0 + eta2)));
    const double bstar = elements.bstarPerEarthRadius;
    cc1_ = bstar * c2;
    const double c3 = e0 > 1.0e-4 ? -2.0 * coef * xi * kJ3OverJ2 * n0_ * sini_ / e0 : 0.0;
    cc4_ = 2.0 * n0_ * coef1 * a0_ * beta0sq *
           (eta_ * (2.0 + 0.5 * eta2) + e0 * (0.5 + 2.0 * eta2) -
            kJ2 * xi / (a0_ * psi2) *
                (-3.0 * con41_ * (1.0 - 2.0 * eeta + eta2 * (1.5 - 0.5 * eeta)) +
                 0.75 * x1mth2_ * (2.0 * eta2 - eeta * (1.0 + eta2)) * std::cos(2.0 * elements.argumentOfPerigeeRad)));
    cc5_ = 2.0 * coef1 * a0_ * beta0sq * (1.0 + 2.75 * (eta2 + eeta) + eeta * eta2);

    // Secular rates of the mean anomaly, the perigee and the node from J2
    // (first and second order) and J4.
    const double cosi4 = cosi2 * cosi2;
    const double pinv2 = 1.0 / (p0 * p0);
    const double temp1 = 1.5 * kJ2 * pinv2 * n0_;
    const double temp2 = 0.5 * temp1 * kJ2 * pinv2;
    const double temp3 = -0.46875 * kJ4 * pinv2 * pinv2 * n0_;
    mdot_ = n0_ + 0.5 * temp1 * beta0 * con41_ + 0.0625 * temp2 * beta0 * (13.0 - 78.0 * cosi2 + 137.0 * cosi4);
    argpdot_ = -0.5 * temp1 * con42 + 0.0625 * temp2 * (7.0 - 114.0 * cosi2 + 395.0 * cosi4) +
               temp3 * (3.0 - 36.0 * cosi2 + 49.0 * cosi4);
    const double nodeJ2 = -temp1 * cosi_;
    nodedot_ = nodeJ2 + (0.5 * temp2 * (4.0 - 19.0 * cosi2) + 2.0 * temp3 * (3.0 - 7.0 * cosi2)) * cosi_;
    nodecf_ = 3.5 * beta0sq * nodeJ2 * cc1_;
    omgcof_ = bstar * c3 * std::cos(elements.argumentOfPerigeeRad);
    xmcof_ = e0 > 1.0e-4 ? -2.0 / 3.0 * coef * bstar / eeta : 0.0;
    t2cof_ = 1.5 * cc1_;

    // J3's long-period terms; 1 + cos i vanishes only for a retrograde
    // equatorial orbit, where the factor is held finite.
    const double onePlusCos = std::fabs(cosi_ + 1.0) > 1.5e-12 ? 1.0 + cosi_ : 1.5e-12;
    xlcof_ = -0.25 * kJ3OverJ2 * sini_ * (3.0 + 5.0 * cosi_) / onePlusCos;
    aycof_ = -0.5 * kJ3OverJ2 * sini_;
    const double etaCosM = 1.0 + eta_ * std::cos(elements.meanAnomalyRad);
    delmo_ = etaCosM * etaCosM * etaCosM;
    sinmao_ = std::sin(elements.meanAnomalyRad);

    // Deep space: the period taken from Brouwer's mean motion. The drag
    // terms beyond the first order are dropped there.
    if (kTwoPi / n0_ >= kDeepSpacePeriodMin) {
        // The Sun's and the Moon's places come from the epoch: without one
        // (element sets begin in 1957) the lunar-solar terms would be those
        // of another date, wrong without a sign of it.
        if (!(elements.epochDaysFrom1950 > 2557.0) || !std::isfinite(elements.epochDaysFrom1950)) {
            Refuse("deep-space elements need their epoch (1957 or later) for the Moon's and the Sun's terms");
        }
        simplifiedDrag_ = true;
        DeepSpaceStart ds;
        ds.epochDaysFrom1950 = elements.epochDaysFrom1950;
        ds.eccentricity = e0;
        ds.inclinationRad = i0;
        ds.raanRad = elements.raanRad;
        ds.argumentOfPerigeeRad = elements.argumentOfPerigeeRad;
        ds.meanAnomalyRad = elements.meanAnomalyRad;
        ds.brouwerMeanMotionRadMin = n0_;
        ds.meanAnomalyRate = mdot_;
        ds.perigeeRate = argpdot_;
        ds.nodeRate = nodedot_;
        deepSpace_.emplace(ds);
    }

    if (!simplifiedDrag_) {
        const double c1sq = cc1_ * cc1_;
        d2_ = 4.0 * a0_ * xi * c1sq;
        const double temp = d2_ * xi * cc1_ / 3.0;
        d3_ = (17.0 * a0_ + s) * temp;
        d4_ = 0.5 * temp * a0_ * xi * (221.0 * a0_ + 31.0 * s) * cc1_;
        t3cof_ = d2_ + 2.0 * c1sq;
        t4cof_ = 0.25 * (3.0 * d3_ + cc1_ * (12.0 * d2_ + 10.0 * c1sq));
        t5cof_ = 0.2 * (3.0 * d4_ + 12.0 * cc1_ * d3_ + 6.0 * d2_ * d2_ + 15.0 * c1sq * (2.0 * d2_ + c1sq));
    }
}

TemeState Sgp4Propagator::At(double minutesSinceEpoch) const
{
    const double t = minutesSinceEpoch;
    const MeanElements& el = elements_;

    // Secular gravity and drag.
    const double meanAnomalyDf = el.meanAnomalyRad + mdot_ * t;
    const double argpDf = el.argumentOfPerigeeRad + argpdot_ * t;
    const double nodeDf = el.raanRad + nodedot_ * t;
    const double t2 = t * t;
    double argp = argpDf;
    double meanAnomaly = meanAnomalyDf;
    double node = nodeDf + nodecf_ * t2;
    double tempa = 1.0 - cc1_ * t;
    double tempe = el.bstarPerEarthRadius * cc4_ * t;
    double templ = t2cof_ * t2;
    if (!simplifiedDrag_) {
        const double deltaOmega = omgcof_ * t;
        const double etaCosM = 1.0 + eta_ * std::cos(meanAnomalyDf);
        const double deltaM = xmcof_ * (etaCosM * etaCosM * etaCosM - delmo_);
        meanAnomaly = meanAnomalyDf + deltaOmega + deltaM;
        argp = argpDf - deltaOmega - deltaM;
        const double t3 = t2 * t;
        const double t4 = t3 * t;
        tempa -= d2_ * t2 + d3_ * t3 + d4_ * t4;
        tempe += el.bstarPerEarthRadius * cc5_ * (std::sin(meanAnomaly) - sinmao_);
        templ += t3cof_ * t3 + t4 * (t4cof_ + t * t5cof_);
    }

    // Deep space: the Moon's and the Sun's secular effects and the resonance.
    DeepSpaceMean mean{el.eccentricity, el.inclinationRad, node, argp, meanAnomaly, n0_};
    if (deepSpace_) deepSpace_->ApplySecular(t, mean);
    node = mean.raanRad;
    argp = mean.argumentOfPerigeeRad;
    meanAnomaly = mean.meanAnomalyRad;
    if (!(mean.meanMotionRadMin > 0.0)) Refuse("at " + std::to_string(t) + " min the mean motion is not above zero");

    const double a = std::pow(kKe / mean.meanMotionRadMin, 2.0 / 3.0) * tempa * tempa;
    const double n = kKe / std::pow(a, 1.5);
    double e = mean.eccentricity - tempe;
    if (!(e < 1.0 && e >= -0.001) || !(a > 0.0)) {
        Refuse("at " + std::to_string(t) + " min drag has taken the eccentricity to " + std::to_string(e));
    }
    if (e < 1.0e-6) e = 1.0e-6;
    meanAnomaly += n0_ * templ;
    const double xlm = std::fmod(meanAnomaly + argp + node, kTwoPi);
    node = std::fmod(node, kTwoPi);
    argp = std::fmod(argp, kTwoPi);
    meanAnomaly = std::fmod(xlm - argp - node, kTwoPi);

    // Deep space: the Moon's and the Sun's long-period terms.
    double incl = mean.inclinationRad;
    double cosi = cosi_, sini = sini_, con41 = con41_, x1mth2 = x1mth2_, x7thm1 = x7thm1_;
    double xlcof = xlcof_, aycof = aycof_;
    if (deepSpace_) {
        DeepSpaceMean p{e, incl, node, argp, meanAnomaly, n};
        deepSpace_->ApplyPeriodics(t, p);
        e = p.eccentricity;
        incl = p.inclinationRad;
        node = p.raanRad;
        argp = p.argumentOfPerigeeRad;
        meanAnomaly = p.meanAnomalyRad;
        if (incl < 0.0) {  // carried through the pole: the same plane, named the other way
            incl = -incl;
            node += std::numbers::pi;
            argp -= std::numbers::pi;
        }
        if (!(e >= 0.0 && e <= 1.0)) {
            Refuse("at " + std::to_string(t) + " min the Moon and the Sun take the eccentricity to " + std::to_string(e));
        }
        // The inclination-dependent factors at the perturbed inclination.
        sini = std::sin(incl);
        cosi = std::cos(incl);
        const double cosi2 = cosi * cosi;
        con41 = 3.0 * cosi2 - 1.0;
        x1mth2 = 1.0 - cosi2;
        x7thm1 = 7.0 * cosi2 - 1.0;
        aycof = -0.5 * kJ3OverJ2 * sini;
        const double onePlusCos = std::fabs(cosi + 1.0) > 1.5e-12 ? 1.0 + cosi : 1.5e-12;
        xlcof = -0.25 * kJ3OverJ2 * sini * (3.0 + 5.0 * cosi) / onePlusCos;
    }

    // Long-period J3 terms, in the equinoctial-like elements a_xN, a_yN and L.
    const double axn = e * std::cos(argp);
    const double pInvLong = 1.0 / (a * (1.0 - e * e));
    const double ayn = e * std::sin(argp) + pInvLong * aycof;
    const double xl = meanAnomaly + argp + node + pInvLong * xlcof * axn;

    // Kepler's equation for E + omega, by Newton with its steps capped.
    const double u = std::fmod(xl - node, kTwoPi);
    double eo1 = u;
    double sinE = 0, cosE = 0;
    double step = 1.0;
    for (int i = 0; i < kKeplerStepCap && std::fabs(step) >= kKeplerTolerance; ++i) {
        sinE = std::sin(eo1);
        cosE = std::cos(eo1);
        step = (u - ayn * cosE + axn * sinE - eo1) / (1.0 - cosE * axn - sinE * ayn);
        if (std::fabs(step) >= kKeplerLargestStep) step = step > 0 ? kKeplerLargestStep : -kKeplerLargestStep;
        eo1 += step;
    }
    // (The last step is taken, its sine and cosine are those before it, as the
    // theory's reference figures are made.)

    // Short-period J2 terms.
    const double ecosE = axn * cosE + ayn * sinE;
    const double esinE = axn * sinE - ayn * cosE;
    const double el2 = axn * axn + ayn * ayn;
    const double pl = a * (1.0 - el2);
    if (!(pl >= 0.0)) Refuse("at " + std::to_string(t) + " min the semi-latus rectum is negative");
    const double rl = a * (1.0 - ecosE);
    const double rdotl = std::sqrt(a) * esinE / rl;
    const double rvdotl = std::sqrt(pl) / rl;
    const double betal = std::sqrt(1.0 - el2);
    const double temp = esinE / (1.0 + betal);
    const double sinu = a / rl * (sinE - ayn - axn * temp);
    const double cosu = a / rl * (cosE - axn + ayn * temp);
    double su = std::atan2(sinu, cosu);
    const double sin2u = (cosu + cosu) * sinu;
    const double cos2u = 1.0 - 2.0 * sinu * sinu;
    const double pInv = 1.0 / pl;
    const double j2p = 0.5 * kJ2 * pInv;
    const double j2p2 = j2p * pInv;

    const double radius = rl * (1.0 - 1.5 * j2p2 * betal * con41) + 0.5 * j2p * x1mth2 * cos2u;
    su -= 0.25 * j2p2 * x7thm1 * sin2u;
    const double xnode = node + 1.5 * j2p2 * cosi * sin2u;
    const double xinc = incl + 1.5 * j2p2 * cosi * sini * cos2u;
    const double radialRate = rdotl - n * j2p * x1mth2 * sin2u / kKe;
    const double transverseRate = rvdotl + n * j2p * (x1mth2 * cos2u + 1.5 * con41) / kKe;

    if (radius < 1.0) Refuse("at " + std::to_string(t) + " min the satellite has decayed");

    // Orientation: U along the radius, V along the track, in TEME.
    const double sinsu = std::sin(su), cossu = std::cos(su);
    const double snod = std::sin(xnode), cnod = std::cos(xnode);
    const double sinxi = std::sin(xinc), cosxi = std::cos(xinc);
    const double xmx = -snod * cosxi;
    const double xmy = cnod * cosxi;
    const std::array<double, 3> uvec{xmx * sinsu + cnod * cossu, xmy * sinsu + snod * cossu, sinxi * sinsu};
    const std::array<double, 3> vvec{xmx * cossu - cnod * sinsu, xmy * cossu - snod * sinsu, sinxi * cossu};

    TemeState state;
    for (int k = 0; k < 3; ++k) {
        const auto kk = static_cast<std::size_t>(k);
        state.positionKm[kk] = radius * uvec[kk] * kEarthRadiusKm;
        state.velocityKmS[kk] = (radialRate * uvec[kk] + transverseRate * vvec[kk]) * kVelocityKmS;
    }
    return state;
}

}  // namespace orbit::sgp4
