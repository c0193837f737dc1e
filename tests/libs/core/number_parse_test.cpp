#include "core/number_text.h"

#include "core/orbit_error.h"

#include "tests/support/error_text.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

using namespace orbit;

TEST(ParseNumberStrict, AcceptsNumbersAsUsersTypeThem)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"15", 15},     {" 15 ", 15},    {"\t-1", -1},   {"+3", 3},       {"14.5", 14.5},
                          {"1.5E1", 15},  {"1.5e1", 15},   {"2E-1", 0.2},  {".5", 0.5},     {"5.", 5},
                          {"-0", -0.0},   {"007", 7},      {"1e+2", 100},  {"1e-400", 0}};
    for (const Case& c : cases)
        EXPECT_EQ(ParseNumberStrict(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseNumberStrict, RejectsWhatIsNotANumber)
{
    for (const char* text : {"", " ", "abc", "1 5", "15a", "1,5", "1.2.3", "--1", "+", ".", "1e", "e5", "&H10",
                             "0x10", "1e+", "inf", "nan", "1_000"})
        EXPECT_EQ(ErrorOf([&] { return ParseNumberStrict(text); }), "Type mismatch") << '"' << text << '"';
}

TEST(ParseNumberStrict, HugeNumbersOverflow)
{
    EXPECT_EQ(ErrorOf([] { return ParseNumberStrict("1e999"); }), "Overflow");
    EXPECT_EQ(ErrorOf([] { return ParseNumberStrict("-123.4e400"); }), "Overflow");
    EXPECT_EQ(ParseNumberStrict("1.7e308"), 1.7e308);
}

// Exponents of any length: a huge positive one overflows a non-zero
// mantissa, a huge negative one reads as zero, and a zero mantissa is zero
// whatever follows it. Both readers share the rule.
TEST(NumberReaders, ExponentsOfAnyLengthSaturate)
{
    struct Case {
        const char* text;
        const char* error;  // "" when the text reads as `value`
        double value;
    };
    const Case cases[] = {
        {"1e9223372036854775807", "Overflow", 0},
        {"-1e9223372036854775807", "Overflow", 0},
        {"1e99999999999999999999999999", "Overflow", 0},
        {"0.01e-9223372036854775808", "", 0},
        {"1e-9223372036854775808", "", 0},
        {"-5e-99999999999999999999999999", "", -0.0},
        {"0e9223372036854775807", "", 0},
        {"0.000e99999999999999999999999999", "", 0},
        {"-0e-9223372036854775808", "", -0.0},
        {"123.4e-9223372036854775807", "", 0},
        {"0.0001e9223372036854775807", "Overflow", 0},
    };
    for (const Case& c : cases) {
        for (const bool leading : {false, true}) {
            double value = 0;
            const std::string error = ErrorOf([&] { value = leading ? ReadLeadingNumber(c.text) : ParseNumberStrict(c.text); });
            EXPECT_EQ(error, c.error) << c.text << (leading ? " (leading)" : " (strict)");
            if (error.empty()) {
                EXPECT_EQ(value, c.value) << c.text;
                EXPECT_EQ(std::signbit(value), std::signbit(c.value)) << c.text;
            }
        }
    }
}

TEST(ParseNumberStrict, PointIsTheSeparatorWhateverTheLocale)
{
    const char* german = std::setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(ParseNumberStrict("14.5"), 14.5);
    EXPECT_EQ(FormatPattern(14.5, "#####.##"), "14.5");
    if (german)
        std::setlocale(LC_ALL, "C");
}

TEST(ReadLeadingNumber, ReadsAsFarAsTheNumberGoes)
{
    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"65", 65},      {"6 5", 65},     {"65abc", 65},  {"6.5E1", 65},   {"65.5", 65.5},
                          {"-5", -5},      {"abc", 0},      {"", 0},        {"-", 0},        {"1.2.3", 1.2},
                          {"5E", 5},       {"5E+x", 5},     {"\t1\n2", 12}, {" - 4", -4},    {"&H1F", 31},
                          {"&hff", 255},   {"&O17", 15},    {"&O8", 0},     {"&X1", 0},      {".5x", 0.5}};
    for (const Case& c : cases)
        EXPECT_EQ(ReadLeadingNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ToInt16, RoundsTiesToEvenWithinSixteenBits)
{
    EXPECT_EQ(ToInt16(65.5), 66);
    EXPECT_EQ(ToInt16(64.5), 64);
    EXPECT_EQ(ToInt16(-0.5), 0);
    EXPECT_EQ(ToInt16(-1.5), -2);
    EXPECT_EQ(ToInt16(32767.4), 32767);
    EXPECT_EQ(ToInt16(-32768.5), -32768);
    for (double v : {32767.5, 40000.0, -32768.6, 1e300, std::nan("")})
        EXPECT_EQ(ErrorOf([&] { return ToInt16(v); }), "Overflow") << v;
}

TEST(WholeNumberTexts, SignPlaceAndTrailingBlank)
{
    EXPECT_EQ(StepValueText(66), " 66");
    EXPECT_EQ(StepValueText(0), " 0");
    EXPECT_EQ(StepValueText(-4), "-4");
    EXPECT_EQ(StepValueText(-32768), "-32768");
    EXPECT_EQ(PrintedNumberText(3), " 3 ");
    EXPECT_EQ(PrintedNumberText(0), " 0 ");
    EXPECT_EQ(PrintedNumberText(-12), "-12 ");
}

}  // namespace
