// Number <-> text conversions of the calculator.
#include "calc/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "calc/CharacterClass.h"

namespace calc {

const char* const kPlusInfinityText = "Infini";
const char* const kMinusInfinityText = "-Infini";
const char* const kNotANumberText = "Indéfini";

namespace {

// Longest fixed text: sign, 309 integer digits of DBL_MAX, point, decimals.
constexpr std::size_t kMaxFixedLength = 1 + (std::numeric_limits<double>::max_exponent10 + 1) + 1 + kMaxDecimals;

// The decimals "Auto" shows are limited so that a number keeps at most this
// many significant digits: beyond it a double prints binary noise.
constexpr int kAutoSignificantDigits = 15;

const char* NonFiniteText(double x) {
    if (std::isnan(x)) return kNotANumberText;
    return x > 0 ? kPlusInfinityText : kMinusInfinityText;
}

}  // namespace

double RoundHalfUp(double x) {
    const double f = std::floor(x);
    const double c = std::ceil(x);
    return (x - f < c - x) ? f : c;
}

double RoundToPrecision(double x, int precision) {
    if (precision < 0) return x;
    // 10^precision built by multiplication: exact up to 10^22, whatever pow does.
    double k = 1.0;
    for (int i = 0; i < precision && std::isfinite(k); ++i) k *= 10.0;
    const double scaled = x * k;
    // A number this large has no decimals to round; scaling it would only lose it.
    if (!std::isfinite(scaled)) return x;
    return RoundHalfUp(scaled) / k;
}

void TrimTrailingZeros(std::string& text) {
    const std::size_t last = text.find_last_not_of('0');
    if (last != std::string::npos)
        text.erase(last + 1);
    else if (!text.empty())
        text.erase(1);
}

std::string FormatFixed(double x, int decimals) {
    if (!std::isfinite(x)) return NonFiniteText(x);
    decimals = std::clamp(decimals, 0, kMaxDecimals);
    // "%.*f" converts exactly (glibc, and MinGW's own printf, not msvcrt's); the
    // program never leaves the C locale, so the point is ".". std::to_chars would
    // do the same but drags 200 KB of tables into the executable.
    char buffer[kMaxFixedLength + 1];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
    if (length <= 0 || static_cast<std::size_t>(length) >= sizeof buffer) return kNotANumberText;
    std::string text(buffer, static_cast<std::size_t>(length));
    if (decimals == 0) text += '.';
    // A zero never carries a sign: -0.004 at two decimals reads 0.00.
    if (text[0] == '-' && text.find_first_of("123456789") == std::string::npos) text.erase(0, 1);
    return text;
}

int EffectivePrecision(int precision) { return precision < 0 ? -1 : std::min(precision, kMaxDecimals); }

std::string FormatRounded(double r, int precision) {
    precision = EffectivePrecision(precision);
    if (precision >= 0) return FormatFixed(r, precision);
    std::string text = FormatFixed(r, kMaxDecimals);
    const std::size_t point = text.find('.');
    if (point == std::string::npos) return text;  // not finite
    const int integerDigits = static_cast<int>(point) - (text[0] == '-' ? 1 : 0);
    const int decimals = std::clamp(kAutoSignificantDigits - integerDigits, 0, kMaxDecimals);
    if (decimals < kMaxDecimals) text = FormatFixed(r, decimals);
    TrimTrailingZeros(text);
    return text;
}

void ApplyDecimalPoint(std::string& text, char point) {
    if (point == 0 || point == '.') return;
    const std::size_t last = text.rfind('.');
    if (last != std::string::npos) text[last] = point;
}

std::string FormatDisplayed(double r, int precision, char separator, char point) {
    std::string text = FormatRounded(r, precision);
    const std::size_t dot = text.find('.');
    if (separator != 0 && dot != std::string::npos) {
        std::string grouped;
        grouped.reserve(text.size() + dot / 3);
        for (std::size_t i = 0; i < text.size(); ++i) {
            grouped += text[i];
            const std::size_t digitsAfter = dot - i - 1;
            if (i < dot && IsDigit(text[i]) && digitsAfter > 0 && digitsAfter % 3 == 0) grouped += separator;
        }
        text = std::move(grouped);
    }
    ApplyDecimalPoint(text, point);
    return text;
}

int ScanNumber(const std::string& text, double& out) {
    const char* p = text.data();
    const char* const end = p + text.size();
    while (p != end && IsCSpace(*p)) ++p;
    bool negative = false;
    if (p != end && (*p == '+' || *p == '-')) {
        negative = *p == '-';
        ++p;
    }
    const char* const first = p;
    int digits = 0;
    for (; p != end && IsDigit(*p); ++p) ++digits;
    if (p != end && *p == '.')
        for (++p; p != end && IsDigit(*p); ++p) ++digits;
    if (digits == 0) return 0;
    // An exponent marker belongs to the number only when digits follow it.
    if (p != end && (*p == 'e' || *p == 'E')) {
        const char* q = p + 1;
        if (q != end && (*q == '+' || *q == '-')) ++q;
        if (q != end && IsDigit(*q)) {
            while (q != end && IsDigit(*q)) ++q;
            p = q;
        }
    }
    // strtod reads more forms than "%lf" allows here (hex, inf, nan), so it only
    // sees the validated digits, copied out with a terminator.
    const std::size_t length = static_cast<std::size_t>(p - first);
    char shortCopy[64];
    std::string longCopy;
    const char* copy = shortCopy;
    if (length < sizeof shortCopy) {
        std::copy(first, p, shortCopy);
        shortCopy[length] = '\0';
    } else {
        longCopy.assign(first, p);
        copy = longCopy.c_str();
    }
    // Out of range, strtod gives the infinity or the zero that "%lf" gives.
    const double magnitude = std::strtod(copy, nullptr);
    out = negative ? -magnitude : magnitude;
    return 1;
}

std::string FormatParityLabel(double parity, char decimalPoint) {
    std::string text = "1 Euro=" + FormatFixed(parity, 6);
    TrimTrailingZeros(text);
    text += " F";
    if (decimalPoint != 0 && decimalPoint != '.') {
        const std::size_t first = text.find('.');
        if (first != std::string::npos) text[first] = decimalPoint;
    }
    return text;
}

std::string FormatParityField(double parity) {
    std::string text = FormatFixed(parity, 6);
    TrimTrailingZeros(text);
    return text;
}

bool IsUsableParity(double parity) { return std::isfinite(parity) && parity > 0.0; }

std::optional<double> ParseParity(const std::string& text) {
    double parity = 0.0;
    if (ScanNumber(text, parity) != 1 || !IsUsableParity(parity)) return std::nullopt;
    return parity;
}

}  // namespace calc
