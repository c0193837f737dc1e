#pragma once
// An instant of time as the mission figures need it: read and written as UTC,
// counted in SI seconds, and turned into the time scales ERFA's routines take.
//
// One approximation is made throughout: UT1 = UTC. Without Earth-orientation
// data the difference, always under 0.9 s, is ignored; it moves a longitude
// by at most about 0.4 km at the equator.

#include <string>

namespace orbit::ephemeris {

// A calendar date and time of day in UTC. `second` may reach 60.999... only
// within a leap second.
struct UtcCalendar {
    int year = 2000, month = 1, day = 1, hour = 0, minute = 0;
    double second = 0;
};

// Two-part Julian date, ERFA's way of keeping full precision (jd1 + jd2).
struct JulianDate {
    double jd1 = 0, jd2 = 0;
    double Sum() const { return jd1 + jd2; }
};

class Instant {
public:
    // Throws OrbitError (Usage) when the calendar names no instant (a bad
    // date, a second beyond the day's length, a year outside 1960 to 2100).
    static Instant FromUtc(const UtcCalendar& utc);

    // The same instant `seconds` SI seconds later (leap seconds counted).
    Instant PlusSeconds(double seconds) const;
    // SI seconds from `earlier` to this instant.
    double SecondsSince(const Instant& earlier) const;

    JulianDate Tai() const { return tai_; }
    JulianDate Tt() const;
    JulianDate Utc() const;  // ERFA's quasi Julian date of UTC
    JulianDate Ut1() const;  // = UTC, see above
    double MjdUtc() const;   // modified Julian date of UTC (days)
    // Fraction of the UT1 day gone since midnight, [0, 1): mean solar time at
    // Greenwich as a fraction of 24 h.
    double Ut1DayFraction() const;

    UtcCalendar Calendar() const;
    // "YYYY-MM-DDThh:mm:ss.fffZ" with `decimals` digits of the second
    // (0 drops the point), rounded, leap seconds written as :60.
    std::string IsoUtc(int decimals = 3) const;

private:
    explicit Instant(JulianDate tai) : tai_(tai) {}
    JulianDate tai_;
};

// True when the UTC day ends with a positive leap second (23:59:60).
bool IsLeapSecondDay(int year, int month, int day);

// Reads "YYYY-MM-DDThh:mm[:ss[.fff...]]Z". Throws OrbitError (Usage) with the
// reason ("no Z at the end", "2027-02-30 is not a date", "not a leap second",
// "year outside 1960 to 2100") and no option name: the caller adds that.
Instant ParseIsoUtc(const std::string& text);

}  // namespace orbit::ephemeris
