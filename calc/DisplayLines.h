// The text of both display lines as a pure function of the state.
#ifndef PEMZ_CALC_DISPLAYLINES_H
#define PEMZ_CALC_DISPLAYLINES_H

#include <string>

#include "calc/CalculatorState.h"
#include "calc/DisplayHost.h"

namespace calc {

// The text shown in place of a number after a failed computation.
extern const char* const kErrorText;

struct DisplayLines {
    std::string francs;  // upper line
    std::string euro;    // lower line
    DisplayLine input;   // the line of the input currency
    // The line holding the number is written before the line holding its conversion, so
    // that a window (or a screen reader) sees the number change first; "Erreur" goes to
    // the euro line first.
    bool euroFirst;
};

// Entry: the typed text on the input line, the unrounded value converted on the
// other. A result: its copy rounded and shown on the input line, the rounded
// copy converted and rounded again on the other. Error: "Erreur" twice.
DisplayLines FormatDisplay(const CalculatorState& state);

// The display text of x under the state's precision, separator and point.
std::string FormatAmount(const CalculatorState& state, double x);

}  // namespace calc

#endif
