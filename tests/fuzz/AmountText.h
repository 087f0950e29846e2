// Reading back a number as the display shows it: grouped digits, the user's
// point, the decimals the precision asks for. Shared by the formatting and the
// key-stream targets.
#ifndef PEMZ_TESTS_FUZZ_AMOUNTTEXT_H
#define PEMZ_TESTS_FUZZ_AMOUNTTEXT_H

#include <cmath>
#include <cstdlib>
#include <string>

#include "calc/NumberText.h"
#include "tests/fuzz/FuzzInput.h"

namespace fuzz {

// Separator and point bytes whose text can be read back without ambiguity.
inline bool IsReadableStyle(char separator, char point) {
    const auto neutral = [](char c) { return !(c >= '0' && c <= '9') && c != '-' && c != '.'; };
    return (separator == 0 || neutral(separator)) && (point == 0 || point == '.' || neutral(point)) &&
           (separator == 0 || separator != point);
}

// Checks that text is r as the display promises it, for a readable style: a
// non-finite r gives its word; otherwise an optional "-" (never on a zero),
// digits grouped by three from the point, the point, and the decimals of the
// precision (at most nine; "Auto": no trailing zero). Its value is r exactly
// while r has fewer than 16 significant digits at those decimals, else within
// half a unit of the last decimal shown.
inline void CheckAmountText(const std::string& text, double r, int precision, char separator, char point) {
    FUZZ_CHECK(!text.empty());
    if (!std::isfinite(r)) {
        FUZZ_CHECK(text == (std::isnan(r) ? calc::kNotANumberText
                            : r > 0       ? calc::kPlusInfinityText
                                          : calc::kMinusInfinityText));
        return;
    }
    const char shownPoint = point == 0 ? '.' : point;
    const std::size_t pointAt = text.rfind(shownPoint);
    FUZZ_CHECK(pointAt != std::string::npos);

    std::string plain;
    std::size_t at = 0;
    if (text[0] == '-') {
        plain += '-';
        at = 1;
    }
    // Integer digits: a first group of one to three, then separator and three digits.
    std::size_t group = 0;
    std::size_t integerDigits = 0;
    for (; at < pointAt; ++at) {
        const char c = text[at];
        if (separator != 0 && c == separator) {
            FUZZ_CHECK(group != 0 && (integerDigits == group ? group <= 3 : group == 3));
            group = 0;
            continue;
        }
        FUZZ_CHECK(c >= '0' && c <= '9');
        plain += c;
        ++group;
        ++integerDigits;
    }
    FUZZ_CHECK(integerDigits >= 1);
    if (separator != 0) FUZZ_CHECK(integerDigits == group ? group <= 3 : group == 3);
    FUZZ_CHECK(integerDigits == 1 || plain[plain.size() - integerDigits] != '0');

    const std::string decimals = text.substr(pointAt + 1);
    FUZZ_CHECK(decimals.find_first_not_of("0123456789") == std::string::npos);
    const int shown = calc::EffectivePrecision(precision);
    if (shown >= 0)
        FUZZ_CHECK(decimals.size() == static_cast<std::size_t>(shown));
    else
        FUZZ_CHECK(decimals.size() <= calc::kMaxDecimals && (decimals.empty() || decimals.back() != '0'));
    plain += '.';
    plain += decimals;

    const double read = std::strtod(plain.c_str(), nullptr);
    FUZZ_CHECK(plain[0] != '-' || read != 0.0);
    // Half a unit of the last decimal, plus what printing a large double costs.
    const double unit = std::pow(10.0, -static_cast<double>(decimals.size()));
    FUZZ_CHECK(std::fabs(read - r) <= unit / 2 + std::fabs(r) * 1e-15);
    if (shown >= 0 && shown == precision && std::fabs(r) / unit < 1e15) FUZZ_CHECK(read == r);
}

}  // namespace fuzz

#endif
