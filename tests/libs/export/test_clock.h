#pragma once
// A UTC clock for the writers' tests, on days of 86400 s: the tests' spans
// hold no leap second, so calendar arithmetic is exact.

#include "export/export_inputs.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace orbit::exports::testing {

inline UtcClock TestClock(const std::string& epochIso)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0;
    double s = 0;
    std::sscanf(epochIso.c_str(), "%d-%d-%dT%d:%d:%lfZ", &y, &mo, &d, &h, &mi, &s);
    // Days since 1970-01-01 of the epoch's date.
    const auto days = [](int year, int month, int day) {
        year -= month <= 2;
        const long long era = (year >= 0 ? year : year - 399) / 400;
        const long long yoe = year - era * 400;
        const long long doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
        return era * 146097 + yoe * 365 + yoe / 4 - yoe / 100 + doy - 719468;
    };
    const double epochS = static_cast<double>(days(y, mo, d)) * 86400 + h * 3600 + mi * 60 + s;
    return [epochS](double after, int decimals) {
        const double scale = std::pow(10.0, decimals);
        const double total = std::round((epochS + after) * scale) / scale;
        long long z = static_cast<long long>(std::floor(total / 86400));
        const double secondsOfDay = total - static_cast<double>(z) * 86400;
        // The civil date of day z (since 1970-01-01).
        z += 719468;
        const long long era = (z >= 0 ? z : z - 146096) / 146097;
        const long long doe = z - era * 146097;
        const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
        const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
        const long long mp = (5 * doy + 2) / 153;
        const long long day = doy - (153 * mp + 2) / 5 + 1;
        const long long month = mp < 10 ? mp + 3 : mp - 9;
        const long long year = yoe + era * 400 + (month <= 2);
        const int hour = static_cast<int>(secondsOfDay / 3600);
        const int minute = static_cast<int>((secondsOfDay - hour * 3600) / 60);
        const double second = secondsOfDay - hour * 3600 - minute * 60;
        char buffer[160];
        std::snprintf(buffer, sizeof buffer, "%04lld-%02lld-%02lldT%02d:%02d:%0*.*fZ", year, month, day, hour, minute,
                      decimals > 0 ? decimals + 3 : 2, decimals, second);
        return std::string(buffer);
    };
}

}  // namespace orbit::exports::testing
