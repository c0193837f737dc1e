#pragma once
// SDP4's deep-space terms, for orbits of a period of 225 minutes or more
// (Spacetrack Report No. 3 and its 2006 revision): the secular and long-period
// effects of the Moon and the Sun, and the resonance of the 12-hour and 24-hour
// orbits with the Earth's tesseral harmonics, integrated numerically in
// 720-minute steps. SGP4's near-Earth part supplies the rest.

namespace orbit::sgp4 {

struct DeepSpaceStart {
    double epochDaysFrom1950 = 0;  // Julian date - 2433281.5 (UTC, as the element sets count it)
    double eccentricity = 0, inclinationRad = 0, raanRad = 0, argumentOfPerigeeRad = 0, meanAnomalyRad = 0;
    double brouwerMeanMotionRadMin = 0;
    double meanAnomalyRate = 0, perigeeRate = 0, nodeRate = 0;  // SGP4's secular rates, rad/min
};

// The mean elements at a time, in and out of the deep-space updates.
struct DeepSpaceMean {
    double eccentricity = 0, inclinationRad = 0, raanRad = 0, argumentOfPerigeeRad = 0, meanAnomalyRad = 0;
    double meanMotionRadMin = 0;
};

class DeepSpace {
public:
    explicit DeepSpace(const DeepSpaceStart& start);

    // Adds the lunar-solar secular rates and, for a resonant orbit, the
    // integrated resonance effect on the mean motion and mean longitude.
    void ApplySecular(double minutesSinceEpoch, DeepSpaceMean& mean) const;
    // Adds the lunar-solar long-period terms (with Lyddane's form below
    // 0.2 rad of inclination, where the node is ill defined).
    void ApplyPeriodics(double minutesSinceEpoch, DeepSpaceMean& elements) const;

    // Greenwich mean sidereal angle at the epoch (IAU 1982), rad.
    double SiderealAngleAtEpoch() const { return gsto_; }

private:
    DeepSpaceStart start_;
    double gsto_ = 0;
    // Lunar-solar periodic coefficients (the report's names).
    double e3_ = 0, ee2_ = 0, se2_ = 0, se3_ = 0, sgh2_ = 0, sgh3_ = 0, sgh4_ = 0, sh2_ = 0, sh3_ = 0;
    double si2_ = 0, si3_ = 0, sl2_ = 0, sl3_ = 0, sl4_ = 0, xgh2_ = 0, xgh3_ = 0, xgh4_ = 0, xh2_ = 0, xh3_ = 0;
    double xi2_ = 0, xi3_ = 0, xl2_ = 0, xl3_ = 0, xl4_ = 0, zmol_ = 0, zmos_ = 0;
    // Lunar-solar secular rates.
    double dedt_ = 0, didt_ = 0, dmdt_ = 0, dnodt_ = 0, domdt_ = 0;
    // Resonance: 0 none, 1 synchronous (24 h), 2 half-day (12 h, eccentric).
    int resonance_ = 0;
    double d2201_ = 0, d2211_ = 0, d3210_ = 0, d3222_ = 0, d4410_ = 0, d4422_ = 0;
    double d5220_ = 0, d5232_ = 0, d5421_ = 0, d5433_ = 0;
    double del1_ = 0, del2_ = 0, del3_ = 0;
    double xfact_ = 0, xlamo_ = 0;
};

}  // namespace orbit::sgp4
