#include "sgp4/tle_fit.h"

#include "core/constants.h"
#include "core/orbit_error.h"
#include "sgp4/mean_element_fit.h"
#include "sgp4/teme.h"

#include <cmath>

namespace orbit::sgp4 {

namespace {

constexpr int kSampleCap = 100000;

[[noreturn]] void Refuse(const std::string& what)
{
    throw OrbitError(ErrorKind::InvalidArgument, "TLE fit: " + what);
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysBeforeMonth(int year, int month)
{
    static constexpr int kCumulative[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    return kCumulative[month - 1] + (month > 2 && IsLeapYear(year) ? 1 : 0);
}

// The epoch as the TLE can hold it: UTC day of year rounded to 1e-8 day
// (0.864 ms), rolled into the next year when the rounding reaches its end.
void SetEpochFields(const ephemeris::Instant& epoch, TleElements& tle)
{
    const ephemeris::UtcCalendar c = epoch.Calendar();
    const double secondOfDay = c.hour * 3600.0 + c.minute * 60.0 + c.second;
    const double day = DaysBeforeMonth(c.year, c.month) + c.day + secondOfDay / kSecondsPerDay;
    long long units = std::llround(day * 1e8);
    int year = c.year;
    const long long yearEnd = (IsLeapYear(year) ? 367LL : 366LL) * 100000000LL;
    if (units >= yearEnd) {
        units -= yearEnd - 100000000LL;
        ++year;
    }
    tle.epochYear = year;
    tle.epochDayOfYear = static_cast<double>(units) * 1e-8;
}

void CheckOptions(const TleFitOptions& o)
{
    if (!IsCatalogNumber(o.catalogNumber)) {
        Refuse("the catalogue number " + std::to_string(o.catalogNumber) + " is outside " + CatalogNumberRange());
    }
    for (char ch : o.objectName) {
        if (static_cast<unsigned char>(ch) < 0x20 || ch == 0x7f) Refuse("the object name holds a control character");
    }
    if (!(o.spanSeconds > 0) || !std::isfinite(o.spanSeconds)) Refuse("the span must be above zero");
    if (!(o.sampleStepSeconds > 0) || !std::isfinite(o.sampleStepSeconds)) Refuse("the sample step must be above zero");
    if (o.spanSeconds / o.sampleStepSeconds > kSampleCap) Refuse("more than 100000 samples");
    if (o.iterationCap < 1) Refuse("the iteration cap must be at least 1");
    // The identifying fields are checked the one way they are written, before
    // any position is asked for: a low orbit stands in for the elements.
    TleElements probe;
    probe.catalogNumber = o.catalogNumber;
    probe.classification = o.classification;
    probe.internationalDesignator = o.internationalDesignator;
    probe.elementSetNumber = o.elementSetNumber;
    probe.revolutionNumber = o.revolutionNumber;
    probe.meanMotionRevDay = 15.0;
    FormatTle(probe);
}

// The sample times: every step from the epoch, and the span's end.
std::vector<double> SampleTimes(double spanSeconds, double stepSeconds)
{
    std::vector<double> times;
    const auto steps = static_cast<long long>(std::floor(spanSeconds / stepSeconds + 1e-9));
    for (long long k = 0; k <= steps; ++k) times.push_back(static_cast<double>(k) * stepSeconds);
    if (spanSeconds - times.back() > 1e-6) times.push_back(spanSeconds);
    return times;
}

// The velocity at the epoch from the positions alone, by a one-sided second-
// order difference (the function is asked for nothing before the epoch).
// Its error, of order h^2 times the jerk, is far inside what the fit then
// removes.
ephemeris::Vector3 VelocityAtEpoch(const PositionFunction& position, double spanSeconds)
{
    const double h = std::fmin(1.0, spanSeconds / 2.0);
    const ephemeris::Vector3 r0 = position(0.0), r1 = position(h), r2 = position(2.0 * h);
    ephemeris::Vector3 v{};
    for (std::size_t k = 0; k < 3; ++k) v[k] = (-3.0 * r0[k] + 4.0 * r1[k] - r2[k]) / (2.0 * h);
    return v;
}

}  // namespace

ephemeris::Instant TleEpochInstant(const TleElements& tle)
{
    const int year = tle.epochYear;
    const int dayNumber = static_cast<int>(std::floor(tle.epochDayOfYear));
    int month = 12;
    while (month > 1 && DaysBeforeMonth(year, month) >= dayNumber) --month;
    ephemeris::UtcCalendar c;
    c.year = year;
    c.month = month;
    c.day = dayNumber - DaysBeforeMonth(year, month);
    const double secondOfDay = (tle.epochDayOfYear - dayNumber) * kSecondsPerDay;
    c.hour = static_cast<int>(secondOfDay / 3600.0);
    c.minute = static_cast<int>((secondOfDay - c.hour * 3600.0) / 60.0);
    c.second = secondOfDay - c.hour * 3600.0 - c.minute * 60.0;
    return ephemeris::Instant::FromUtc(c);
}

TleFit FitTle(const ephemeris::Instant& epoch, const PositionFunction& position, const TleFitOptions& options)
{
    CheckOptions(options);

    TleElements tle;
    tle.catalogNumber = options.catalogNumber;
    tle.classification = options.classification;
    tle.internationalDesignator = options.internationalDesignator;
    tle.elementSetNumber = options.elementSetNumber;
    tle.revolutionNumber = options.revolutionNumber;
    tle.ephemerisType = 0;
    SetEpochFields(epoch, tle);
    // SGP4 counts from the TLE's epoch, up to 0.43 ms off the one given.
    const double epochOffsetS = TleEpochInstant(tle).SecondsSince(epoch);

    const std::vector<double> times = SampleTimes(options.spanSeconds, options.sampleStepSeconds);
    std::vector<TemeSample> samples;
    samples.reserve(times.size());
    for (double t : times) {
        samples.push_back({(t - epochOffsetS) / 60.0, position(t)});
    }

    // Start from the osculating state at the epoch in TEME, read as SGP4
    // mean elements (Kozai's mean motion) and corrected for SGP4's own short-
    // period terms.
    TemeState start;
    start.positionKm = samples.front().positionKm;
    start.velocityKmS = VelocityAtEpoch(position, options.spanSeconds);
    MeanElements kept;  // B* zero, and the TLE's epoch
    kept.epochDaysFrom1950 = ToMeanElements(tle).epochDaysFrom1950;
    const MeanElements startElements = MeanElementsAtEpoch(start, kept);
    const MeanElementFit fit = FitMeanElements(samples, startElements, options.iterationCap);

    StoreMeanElements(fit.elements, tle);
    TleFit result;
    result.lines = FormatTle(tle);
    // The figures are those of the lines as written: every field rounded.
    result.elements = ParseTle(result.lines.line1, result.lines.line2);
    const PositionErrors errors = MeasurePositionErrors(Sgp4Propagator(ToMeanElements(result.elements)), samples);
    if (!std::isfinite(errors.rmsKm)) throw OrbitError(ErrorKind::NoConvergence, "TLE fit: the errors are not finite");
    result.rmsErrorKm = errors.rmsKm;
    result.largestErrorKm = errors.largestKm;
    result.spanDays = options.spanSeconds / kSecondsPerDay;
    result.samples = static_cast<int>(samples.size());
    result.iterations = fit.iterations;
    result.converged = fit.converged;
    if (!options.objectName.empty()) result.nameLine = "0 " + options.objectName;
    return result;
}

}  // namespace orbit::sgp4
