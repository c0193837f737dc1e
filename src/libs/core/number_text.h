#pragma once
// The text rules shared by the windows and the command line: reading numbers
// typed into fields and writing results with the design window's patterns.
// The point is the decimal separator whatever the user's locale.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace orbit {

// Strict conversion of a field's text: blanks around it are ignored; an
// optional sign, digits with an optional decimal point, and an optional
// exponent (1.5E1) are accepted. An empty or non-numeric text is
// "Type mismatch"; a number beyond the double range is "Overflow".
double ParseNumberStrict(std::string_view text);

// Writes a value with a numeric pattern made of '#' and '0' placeholders and at
// most one '.', as "#####", "#####.##", "#0.#######", "####.###", "###.###" or
// "00.00". The value is taken at 15 significant digits and rounded half away
// from zero; the integer part is never truncated; the point is always written
// when the pattern has one.
std::string FormatPattern(double value, std::string_view pattern);

// A pattern of FormatPattern read once, for writing many values with it.
struct NumberPattern {
    NumberPattern() = default;  // "": digits only, zero empty
    explicit NumberPattern(std::string_view pattern);

    bool hasPoint = false;
    std::size_t places = 0;             // every character after the point
    std::size_t minIntegerDigits = 0;   // the '0's before the point
    std::size_t minFractionDigits = 0;  // the '0's after it
};

// Appends the value exactly as FormatPattern writes it, without a text of
// its own: long listings write millions of numbers into one buffer.
void AppendPattern(std::string& out, double value, const NumberPattern& pattern);

// The leading number of a text, as the inclination steppers read their boxes:
// blanks, tabs and line feeds anywhere are ignored, then a number is read as far
// as it goes (&H / &O introduce hexadecimal and octal). No digits reads as 0.
double ReadLeadingNumber(std::string_view text);

// Rounds to the nearest 16-bit integer, ties to even; "Overflow" outside the range.
std::int16_t ToInt16(double value);

// A whole number as the steppers write it: a blank before zero and positive
// values, a minus sign before negative ones (" 66", "-4").
std::string StepValueText(long long value);

// A whole number as the pattern window prints it: the sign place (blank or
// minus), the digits and one trailing blank (" 3 ").
std::string PrintedNumberText(long long value);

// The shortest text that reads back as the same double ("14", "2.5", "0.1"):
// full precision without trailing noise, as CSV cells and captions write it.
std::string ShortestNumberText(double value);
void AppendShortestNumber(std::string& out, double value);

}  // namespace orbit
