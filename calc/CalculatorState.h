// The calculator's state record and the constants of number entry and results.
#ifndef PEMZ_CALC_CALCULATORSTATE_H
#define PEMZ_CALC_CALCULATORSTATE_H

#include <cstdint>
#include <string>

namespace calc {

// What the display lines show. The numeric values are part of the record's layout.
enum class DisplayState : std::int32_t { Entry = 0, ShowingValue = 1, ShowingAccumulator = 2, Error = 3 };

enum class Operator : std::int32_t { None = 0, Add = 1, Subtract = 2, Multiply = 3, Divide = 4 };

// A digit or point is accepted only while the typed text is shorter than this
// (a leading "-" and the "." count).
constexpr int kMaxEntryLength = 12;

// An accumulator above this (fifteen nines) is an error; there is no lower bound.
constexpr double kResultLimit = 999999999999999.0;

// How amounts are shown: the settings dialog edits these three together.
struct Presentation {
    double parity = 6.5;            // francs per euro
    char thousandsSeparator = ' ';  // 0: no grouping
    char decimalPoint = ',';        // 0 or '.': "." is shown
};

// What start-up hands the engine: the stored settings.
struct EngineSettings {
    std::int32_t precision = 2;  // -1 (or any negative) is "Auto"
    std::int32_t euroInput = 0;  // nonzero: numbers are typed and held in euros
    Presentation presentation;
};

// Amounts (value, accumulator, memory) are in the input currency. entryText uses
// "." as its point whatever the display shows.
struct CalculatorState {
    EngineSettings settings;
    std::string entryText = "0";
    double accumulator = 0.0;
    double value = 0.0;
    double memory = 0.0;
    DisplayState displayState = DisplayState::Entry;
    Operator pendingOperator = Operator::None;
    Operator lastOperator = Operator::None;
};

}  // namespace calc

#endif
