// Number <-> text helpers: rounding, display and clipboard forms, the scanner.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "calc/DisplayLines.h"
#include "calc/NumberText.h"

namespace calc {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTiny = std::numeric_limits<double>::denorm_min();

TEST(Rounding, HalfUpAndPrecision) {
    const struct { double x, expected; } halfUp[] = {{2.5, 3}, {-2.5, -2}, {2.4, 2}, {-2.6, -3}, {0.5, 1}, {-0.4, 0}};
    for (const auto& c : halfUp) EXPECT_EQ(RoundHalfUp(c.x), c.expected) << c.x;
    EXPECT_EQ(RoundToPrecision(0.125, 2), 0.13);
    EXPECT_EQ(RoundToPrecision(-0.125, 2), -0.12);
    EXPECT_EQ(RoundToPrecision(1.005, 2), 1.0);  // 1.005 × 100 is 100.4999… as a double
    EXPECT_EQ(RoundToPrecision(0.1 + 0.2, -1), 0.1 + 0.2);
    // Too large to scale: kept, not turned into an infinity.
    EXPECT_EQ(RoundToPrecision(1e308, 2), 1e308);
    EXPECT_EQ(RoundToPrecision(0.0, 400), 0.0);
    EXPECT_TRUE(std::isnan(RoundToPrecision(kNaN, 2)));
}

TEST(Rounding, TrimTrailingZeros) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {{"12.000000000", "12."},         {"0.500", "0.5"}, {"000", "0"}, {"", ""}, {"100", "1"},
                 {"1 Euro=7.000000", "1 Euro=7."}};
    for (const auto& c : cases) {
        std::string t = c.in;
        TrimTrailingZeros(t);
        EXPECT_EQ(t, c.out) << c.in;
    }
}

TEST(FormatAmount, DisplayTexts) {
    const struct {
        double x;
        int precision;
        char separator, point;
        const char* text;
    } cases[] = {
        // The display examples with the start-up presentation, and ties.
        {12, 2, ' ', ',', "12,00"},
        {12, 0, ' ', ',', "12,"},
        {12, -1, ' ', ',', "12,"},
        {1234.5, -1, ' ', ',', "1 234,5"},
        {1234567.891, 2, ' ', ',', "1 234 567,89"},
        {-123456.5, 1, ' ', ',', "-123 456,5"},
        {0.125, 2, ' ', ',', "0,13"},
        {-0.125, 2, ' ', ',', "-0,12"},
        {0, -1, ' ', ',', "0,"},
        {2.5, 0, ' ', ',', "3,"},
        {-2.5, 0, ' ', ',', "-2,"},
        {0.1 + 0.2, -1, ' ', ',', "0,3"},
        {-123456789, 2, ' ', ',', "-123 456 789,00"},
        // Separator and point choices.
        {1234567.891, 2, '.', ',', "1.234.567,89"},
        {1234567.891, 2, '.', '.', "1.234.567.89"},
        {1234567.891, 2, '.', 0, "1.234.567.89"},
        {1234567, 2, 0, ',', "1234567,00"},
        // Digits beyond what a double holds are not shown as noise.
        {123456789.1, 2, ' ', ',', "123 456 789,10"},
        {123456789.1, -1, ' ', ',', "123 456 789,1"},
        {1234567.1234567891, -1, ' ', ',', "1 234 567,12345679"},
        {123456789012345.67, -1, ' ', ',', "123 456 789 012 346,"},
        {1e15, -1, ' ', ',', "1 000 000 000 000 000,"},
        {1.0 / 3, -1, ' ', ',', "0,333333333"},
        {0.0000001234, -1, ' ', ',', "0,000000123"},
        // Zero never carries a sign.
        {-0.004, 2, ' ', ',', "0,00"},
        {-0.0, -1, ' ', ',', "0,"},
        {-1e-12, -1, ' ', ',', "0,"},
        {-0.00004, 4, ' ', ',', "0,0000"},
        // Other negatives are "Auto"; large precisions stop at nine decimals.
        {1.0 / 3, -2, ' ', ',', "0,333333333"},
        {1.0 / 3, 7, ' ', ',', "0,3333333"},
        {1.0 / 3, 12, ' ', ',', "0,333333333"},
        {2.0 / 3, std::numeric_limits<int>::max(), ' ', ',', "0,666666667"},
        // Bad doubles: not finite, subnormal.
        {kInf, 2, ' ', ',', "Infini"},
        {-kInf, -1, ' ', ',', "-Infini"},
        {kNaN, 2, '.', ',', "Indéfini"},
        {kTiny, -1, ' ', ',', "0,"},
        {-kTiny, 4, ' ', ',', "0,0000"},
    };
    for (const auto& c : cases) {
        CalculatorState state;
        state.settings.precision = c.precision;
        state.settings.presentation.thousandsSeparator = c.separator;
        state.settings.presentation.decimalPoint = c.point;
        EXPECT_EQ(FormatAmount(state, c.x), c.text) << c.x << " at precision " << c.precision;
    }
}

TEST(FormatAmount, HugeNumbersArePrintedWhole) {
    CalculatorState state;
    for (double x : {1e308, -std::numeric_limits<double>::max()}) {
        const std::string text = FormatAmount(state, x);
        const std::string digits = FormatFixed(x, 0);
        EXPECT_EQ(digits.size(), (x < 0 ? 1u : 0u) + 309u + 1u);
        EXPECT_EQ(text.size(), digits.size() + 102 + 2);  // 103 groups, two decimals
        EXPECT_EQ(text.substr(text.size() - 3), ",00");
    }
    EXPECT_EQ(FormatFixed(1e308, 9).substr(0, 20), "10000000000000000109");
}

TEST(ParityTexts, LabelAndField) {
    EXPECT_EQ(FormatParityLabel(6.55957, ','), "1 Euro=6,55957 F");
    EXPECT_EQ(FormatParityLabel(6.5, ','), "1 Euro=6,5 F");
    EXPECT_EQ(FormatParityLabel(7, ','), "1 Euro=7, F");
    EXPECT_EQ(FormatParityLabel(6.5, 0), "1 Euro=6.5 F");
    EXPECT_EQ(FormatParityLabel(6.5, '.'), "1 Euro=6.5 F");
    EXPECT_EQ(FormatParityLabel(kInf, ','), "1 Euro=Infini F");
    EXPECT_EQ(FormatParityField(6.55957), "6.55957");
    EXPECT_EQ(FormatParityField(6.5), "6.5");
    EXPECT_EQ(FormatParityField(7), "7.");
    EXPECT_EQ(FormatParityField(0.0000004), "0.");
}

TEST(ScanNumber, DecimalFormsOnly) {
    const struct {
        std::string text;
        int count;
        double value;
    } cases[] = {
        {"12.5", 1, 12.5},
        {" \t\n12.5xyz", 1, 12.5},
        {"+3", 1, 3},
        {"-3e2", 1, -300},
        {"1.5E+3", 1, 1500},
        {"6.5e", 1, 6.5},
        {"6.5e+", 1, 6.5},
        {"6.5e-x", 1, 6.5},
        {"12.5EUR", 1, 12.5},
        {".5", 1, 0.5},
        {"5.", 1, 5},
        {"1 234", 1, 1},
        {"0x1A", 1, 0} /* the "0" only */,
        {"007", 1, 7},
        {"0.1", 1, 0.1},
        // Beyond the range of a double, as strtod: infinity or zero.
        {"1e-320", 1, 1e-320},
        {"1e-400", 1, 0},
        {"1e-99999999999999999999", 1, 0},
        {"0e99999", 1, 0},
        {"0.0000000000000000000000000000000000000001e-300", 1, 0},
        {"1e999", 1, kInf},
        {"-1" + std::string(400, '0'), 1, -kInf},
        {"1" + std::string(400, '0') + "e-390", 1, 1e10},
        // Not numbers.
        {"", 0, 0},
        {"   ", 0, 0},
        {".", 0, 0},
        {"-", 0, 0},
        {"+.e5", 0, 0},
        {"abc", 0, 0},
        {"inf", 0, 0},
        {"-infinity", 0, 0},
        {"nan", 0, 0},
        {"NAN(1)", 0, 0},
        {"\xA0"
         "5",
         0, 0} /* no-break space */,
    };
    for (const auto& c : cases) {
        double out = -7.25;
        EXPECT_EQ(ScanNumber(c.text, out), c.count) << c.text;
        EXPECT_EQ(out, c.count ? c.value : -7.25) << c.text;
    }
    double out = 0;
    EXPECT_EQ(ScanNumber("-0", out), 1);
    EXPECT_TRUE(out == 0 && std::signbit(out));
}

TEST(ParseParity, TakesLeadingPositiveFiniteNumbers) {
    const struct {
        const char* text;
        double parity;
    } accepted[] = {
        {"6.55957", 6.55957}, {"6,55957", 6.0},       {"  7", 7.0},
        {"1e2", 100.0},       {"0.000001", 0.000001}, {"40.3399x", 40.3399},
    };
    for (const auto& row : accepted) {
        EXPECT_EQ(ParseParity(row.text), row.parity) << row.text;
    }
}

TEST(ParseParity, RefusesZeroNegativeTextAndOverflow) {
    for (const char* text : {"0", "0.0", "-3", "-0", "abc", "", " ", ",5", "1e999", "1e-400", "inf", "nan", "-1e999"}) {
        EXPECT_EQ(ParseParity(text), std::nullopt) << text;
    }
}

}  // namespace
}  // namespace calc
