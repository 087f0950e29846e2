// The text of both display lines.
#include "calc/DisplayLines.h"

#include "calc/NumberText.h"

namespace calc {

const char* const kErrorText = "Erreur";

namespace {

// ShowAmount: the caller's copy is replaced by its rounded value, which is what
// the other line then converts.
std::string ShowAmount(const CalculatorState& state, double& x) {
    const EngineSettings& settings = state.settings;
    x = RoundToPrecision(x, settings.precision);
    return FormatDisplayed(x, settings.precision, settings.presentation.thousandsSeparator,
                           settings.presentation.decimalPoint);
}

}  // namespace

std::string FormatAmount(const CalculatorState& state, double x) {
    double rounded = x;
    return ShowAmount(state, rounded);
}

DisplayLines FormatDisplay(const CalculatorState& state) {
    const bool euroInput = state.settings.euroInput != 0;
    const double parity = state.settings.presentation.parity;
    DisplayLines lines{std::string(), std::string(), euroInput ? DisplayLine::Euro : DisplayLine::Francs, euroInput};
    std::string& inputLine = euroInput ? lines.euro : lines.francs;
    std::string& otherLine = euroInput ? lines.francs : lines.euro;
    switch (state.displayState) {
    case DisplayState::Error:
        lines.francs = lines.euro = kErrorText;
        lines.euroFirst = true;
        break;
    case DisplayState::Entry: {
        inputLine = state.entryText;
        ApplyDecimalPoint(inputLine, state.settings.presentation.decimalPoint);
        const double other = euroInput ? parity * state.value : state.value / parity;
        otherLine = FormatAmount(state, other);
        break;
    }
    case DisplayState::ShowingValue:
    case DisplayState::ShowingAccumulator: {
        double n = state.displayState == DisplayState::ShowingValue ? state.value : state.accumulator;
        inputLine = ShowAmount(state, n);
        double m = euroInput ? parity * n : n / parity;
        otherLine = ShowAmount(state, m);
        break;
    }
    }
    return lines;
}

}  // namespace calc
