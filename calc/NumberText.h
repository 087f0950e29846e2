// Number <-> text conversions of the calculator: rounding, the fixed-point
// forms of the display and the clipboard, and the one decimal scanner.
// They print and read through an exact printf and strtod (glibc's, MinGW's own,
// never msvcrt's) in the C locale, which the program never changes.
#ifndef PEMZ_CALC_NUMBERTEXT_H
#define PEMZ_CALC_NUMBERTEXT_H

#include <optional>
#include <string>

namespace calc {

// The display never shows more decimals than this, whatever the precision says.
constexpr int kMaxDecimals = 9;

// Texts of numbers that are not finite (a parity of zero, an overflowing
// percent, memory sum or paste). They contain no "." so they are never grouped.
extern const char* const kPlusInfinityText;
extern const char* const kMinusInfinityText;
extern const char* const kNotANumberText;

// The integer nearest to x; a tie goes toward plus infinity (2.5 -> 3, -2.5 -> -2).
double RoundHalfUp(double x);

// x rounded half-up to `precision` decimals; x unchanged when precision is
// negative or when the scaled number is beyond rounding (already an integer).
double RoundToPrecision(double x, int precision);

// Removes trailing '0' characters; a text of zeros keeps its first one.
void TrimTrailingZeros(std::string& text);

// x in fixed notation with exactly `decimals` decimals (0..kMaxDecimals),
// correctly rounded, "." as point (kept even for 0 decimals), no grouping,
// a leading "-" for negative numbers. A text that reads as zero has no "-".
std::string FormatFixed(double x, int decimals);

// Steps shared by the display and the clipboard: r (already rounded) printed
// with min(precision, kMaxDecimals) decimals; for a negative precision ("Auto")
// with as many decimals as keep it within 15 significant digits (at most nine),
// trailing zeros trimmed. The point is always present for finite numbers.
std::string FormatRounded(double r, int precision);

// The display text of an already rounded number: FormatRounded, then the
// thousands separator (0: none) and the decimal-point character (0 or '.': ".").
std::string FormatDisplayed(double r, int precision, char separator, char point);

// The decimals actually printed for a precision (-1: "Auto"). Rounding uses the
// precision as set, so a result converted for the other line keeps its digits.
int EffectivePrecision(int precision);

// Replaces the last "." of text by `point` unless point is 0 or '.'.
void ApplyDecimalPoint(std::string& text, char point);

// The "%lf" scan, decimal forms only: leading white space, optional sign,
// digits with an optional point and digits (at least one digit), optional
// exponent only when digits follow it. "inf", "nan" and hexadecimal forms are
// not numbers. Returns 1 and sets out when a number was read, else 0 and out
// is left alone. Overflow gives an infinity, underflow zero, as strtod does.
int ScanNumber(const std::string& text, double& out);

// "1 Euro=6,5 F": the parity with six decimals, trailing zeros trimmed (the
// point stays), then " F", the first "." shown as decimalPoint.
std::string FormatParityLabel(double parity, char decimalPoint);

// The settings dialog's parity field: six decimals, trailing zeros trimmed, "."
// as point ("6.5", "7.").
std::string FormatParityField(double parity);

// A parity the program takes and stores: finite and above zero (an overflowing text
// reads as infinity, which would turn every amount into infinity or zero).
bool IsUsableParity(double parity);

// A parity read from text, as the settings dialog takes it and the store reads it back:
// the text's first number when that is a usable parity, else nothing.
std::optional<double> ParseParity(const std::string& text);

}  // namespace calc

#endif
