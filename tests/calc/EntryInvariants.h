// What every key sequence must leave in the engine's texts; shared by the random
// key test and the key-stream fuzz target.
#ifndef PEMZ_TESTS_CALC_ENTRYINVARIANTS_H
#define PEMZ_TESTS_CALC_ENTRYINVARIANTS_H

#include <cstddef>
#include <string>

#include "calc/CalculatorState.h"

namespace calc::test {

// The entryText invariants: "0" at least; optional "-"; digits with at most one
// "."; no leading zero before a digit; a zero before a leading point; never "-"
// or "-0"; at most 12 characters, 13 with a sign.
inline bool IsWellFormedEntry(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    const std::string body = text.substr(negative ? 1 : 0);
    return !body.empty() && text != "-0" && body.find_first_not_of("0123456789.") == std::string::npos &&
           body.find('.') == body.rfind('.') && body[0] != '.' &&
           (body.size() == 1 || body[0] != '0' || body[1] == '.') &&
           text.size() <= static_cast<std::size_t>(kMaxEntryLength) + (negative ? 1 : 0);
}

// A number shown as a result may be negative only if it has a nonzero digit.
inline bool HasNoSignedZero(const std::string& line) {
    return line.empty() || line[0] != '-' || line.find_first_of("123456789I") != std::string::npos;
}

}  // namespace calc::test

#endif
