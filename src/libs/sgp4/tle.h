#pragma once
// Two-line element sets: reading them strictly and writing them exactly.
//
// A TLE is two lines of 69 fixed columns, each ending in a check digit (the
// sum of its digits, a minus sign counting one, modulo 10). Three fields use
// an implied decimal point and exponent: " 12345-3" is 0.12345e-3. Catalogue
// numbers above 99999 take the alpha-5 form, a letter (A = 10 ... Z = 33, no
// I or O) in place of the leading digit: "A0001" is 100001.

#include "sgp4/elements.h"

#include <string>

namespace orbit::sgp4 {

struct TleLines {
    std::string line1, line2;
};

// The check digit of a line's first 68 columns.
int TleChecksum(const std::string& line);

// Reads two lines (a trailing carriage return is dropped; anything else
// beyond column 69 is an error). Throws OrbitError (InvalidArgument) naming
// the line and column of the fault: a wrong length or line number, a column
// that must be blank but is not, a field that is not a number of its form, a
// wrong check digit, catalogue numbers that differ between the lines, or an
// element out of its range (eccentricity at or above 1, a negative mean motion).
TleElements ParseTle(const std::string& line1, const std::string& line2);

// Writes the two lines, rounding each field to its columns. Throws OrbitError
// (InvalidArgument) when a value cannot be written in its field (a catalogue
// number outside 0 to 339999, an epoch year outside 1957 to 2056, a mean
// motion of 100 rev/day or more, an exponent beyond one digit, ...).
TleLines FormatTle(const TleElements& elements);

}  // namespace orbit::sgp4
