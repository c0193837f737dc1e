#include "ephemeris/instant.h"

#include "core/constants.h"
#include "core/orbit_error.h"

#include <erfa.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace orbit::ephemeris {

namespace {

// Keeps jd1 on a whole day plus a half (midnight) and jd2 in [0, 1): the
// fraction of the day then holds its full precision whatever is added.
JulianDate Normalized(double jd1, double jd2) {
    const double whole = std::floor(jd2);
    jd1 += whole;
    jd2 -= whole;
    const double midnight = std::floor(jd1 - 0.5) + 0.5;
    jd2 += jd1 - midnight;
    const double carry = std::floor(jd2);
    return JulianDate{midnight + carry, jd2 - carry};
}

std::string DateText(int year, int month, int day) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", year, month, day);
    return text;
}

}  // namespace

bool IsLeapSecondDay(int year, int month, int day) {
    // A day that ends with a leap second is one whose last minute ERFA lets
    // run past 60 s; every other day ends at 23:59:59.999...
    double d1 = 0, d2 = 0;
    return eraDtf2d("UTC", year, month, day, 23, 59, 60.5, &d1, &d2) == 0;
}

Instant Instant::FromUtc(const UtcCalendar& utc) {
    if (utc.year < 1960 || utc.year > 2100) {
        throw OrbitError(ErrorKind::Usage, "year " + std::to_string(utc.year) + " outside 1960 to 2100");
    }
    double djm0 = 0, djm = 0;
    if (utc.month < 1 || utc.month > 12 || eraCal2jd(utc.year, utc.month, utc.day, &djm0, &djm) != 0) {
        throw OrbitError(ErrorKind::Usage, DateText(utc.year, utc.month, utc.day) + " is not a date");
    }
    if (utc.hour < 0 || utc.hour > 23) {
        throw OrbitError(ErrorKind::Usage, "hour " + std::to_string(utc.hour) + " outside 0 to 23");
    }
    if (utc.minute < 0 || utc.minute > 59) {
        throw OrbitError(ErrorKind::Usage, "minute " + std::to_string(utc.minute) + " outside 0 to 59");
    }
    if (!(utc.second >= 0) || !(utc.second < 61)) {
        throw OrbitError(ErrorKind::Usage, "second outside 0 to 60.999");
    }
    if (utc.second >= 60 && !(utc.hour == 23 && utc.minute == 59 && IsLeapSecondDay(utc.year, utc.month, utc.day))) {
        char text[64];
        std::snprintf(text, sizeof text, "%02d:%02d:%02.0f", utc.hour, utc.minute, std::floor(utc.second));
        throw OrbitError(ErrorKind::Usage, std::string(text) + " of " + DateText(utc.year, utc.month, utc.day) +
                                               " is not a leap second (only 23:59:60 of a day that ends with one)");
    }
    double utc1 = 0, utc2 = 0;
    const int status = eraDtf2d("UTC", utc.year, utc.month, utc.day, utc.hour, utc.minute, utc.second, &utc1, &utc2);
    if (status < 0 || status >= 2) {  // +1 only warns that the leap-second table may not reach the year
        throw OrbitError(ErrorKind::Usage, "the time of day is beyond the length of " +
                                               DateText(utc.year, utc.month, utc.day));
    }
    double tai1 = 0, tai2 = 0;
    if (eraUtctai(utc1, utc2, &tai1, &tai2) < 0) {
        throw OrbitError(ErrorKind::Usage, DateText(utc.year, utc.month, utc.day) + " is not a date");
    }
    return Instant(Normalized(tai1, tai2));
}

Instant Instant::PlusSeconds(double seconds) const {
    return Instant(Normalized(tai_.jd1, tai_.jd2 + seconds / kSecondsPerDay));
}

double Instant::SecondsSince(const Instant& earlier) const {
    return ((tai_.jd1 - earlier.tai_.jd1) + (tai_.jd2 - earlier.tai_.jd2)) * kSecondsPerDay;
}

JulianDate Instant::Tt() const {
    JulianDate tt;
    eraTaitt(tai_.jd1, tai_.jd2, &tt.jd1, &tt.jd2);
    return tt;
}

JulianDate Instant::Utc() const {
    JulianDate utc;
    eraTaiutc(tai_.jd1, tai_.jd2, &utc.jd1, &utc.jd2);
    return utc;
}

JulianDate Instant::Ut1() const { return Utc(); }

double Instant::MjdUtc() const {
    const JulianDate utc = Utc();
    return (utc.jd1 - 2400000.5) + utc.jd2;
}

double Instant::Ut1DayFraction() const {
    const JulianDate ut1 = Ut1();
    // The day starts at midnight, half a Julian day after the Julian date's noon.
    double fraction = (ut1.jd1 - std::floor(ut1.jd1)) - 0.5 + (ut1.jd2 - std::floor(ut1.jd2));
    fraction -= std::floor(fraction);
    return fraction;
}

UtcCalendar Instant::Calendar() const {
    const JulianDate utc = Utc();
    int year = 0, month = 0, day = 0;
    int hmsf[4] = {0, 0, 0, 0};
    eraD2dtf("UTC", 9, utc.jd1, utc.jd2, &year, &month, &day, hmsf);
    return UtcCalendar{year, month, day, hmsf[0], hmsf[1], hmsf[2] + hmsf[3] * 1e-9};
}

std::string Instant::IsoUtc(int decimals) const {
    decimals = std::clamp(decimals, 0, 9);
    const JulianDate utc = Utc();
    int year = 0, month = 0, day = 0;
    int hmsf[4] = {0, 0, 0, 0};
    eraD2dtf("UTC", decimals, utc.jd1, utc.jd2, &year, &month, &day, hmsf);
    char text[64];
    if (decimals == 0) {
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", year, month, day, hmsf[0], hmsf[1], hmsf[2]);
    } else {
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%0*dZ", year, month, day, hmsf[0], hmsf[1],
                      hmsf[2], decimals, hmsf[3]);
    }
    return text;
}

}  // namespace orbit::ephemeris
