#pragma once
// A strict reader of the three KVN messages as this program writes them,
// kept apart from the writers so that a test reads what a consumer would:
// every mandatory keyword in the standard's order, nothing unknown, the unit
// each keyword takes, numbers that are numbers, times that are times, and
// COMMENT lines only at the head of a section. Any departure throws
// KvnFormatError saying what and where.

#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace orbit::exports::testing {

struct KvnFormatError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct EphemerisRecord {
    std::string time;
    double secondsSinceStart = 0;
    double values[6] = {0, 0, 0, 0, 0, 0};  // km, km/s
};

struct KvnMessage {
    std::map<std::string, std::string> text;    // every keyword's value as written
    std::map<std::string, double> numbers;      // the numeric ones, read
    std::map<std::string, std::vector<std::string>> comments;  // by section name
    std::vector<EphemerisRecord> records;       // OEM only

    double Number(const std::string& keyword) const;
    const std::string& Text(const std::string& keyword) const;
};

KvnMessage ReadOpm(const std::string& message);
KvnMessage ReadOmm(const std::string& message);
KvnMessage ReadOem(const std::string& message);

// Seconds from `from` to `to`, two CCSDS times "YYYY-MM-DDThh:mm:ss[.f]"
// on a day of 86400 s (the tests' spans hold no leap second).
double SecondsBetween(const std::string& from, const std::string& to);

}  // namespace orbit::exports::testing
