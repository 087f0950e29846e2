// The calculator engine: number entry, arithmetic, memory and the display contract.
#ifndef PEMZ_CALC_CALCULATOR_H
#define PEMZ_CALC_CALCULATOR_H

#include <cstdint>
#include <string>

#include "calc/CalculatorState.h"
#include "calc/DisplayHost.h"

namespace calc {

// Every operation acts on the state record and, where what is shown changes,
// ends by rewriting both display lines through the host. No operation throws
// or reports an error: a failed computation is the Error state.
class Calculator {
public:
    explicit Calculator(DisplayHost& host);

    // Read-only: only the operations below change the state.
    const CalculatorState& State() const;

    // Takes the stored settings, resets the calculation, shows it, then empties
    // the memory and its indicator.
    void Initialise(const EngineSettings& settings);

    // Number entry.
    void OnDigit(unsigned digit);  // 0..9; anything else is ignored
    void OnPoint();
    void OnSign();
    void OnBackspace();
    void OnClearEntry();
    void OnClear();

    // Operators and results.
    void OnOperator(Operator op);
    void OnEquals();
    void OnPercent();
    void OnReciprocal();

    // Memory register.
    void OnMemoryClear();
    void OnMemoryRecall();
    void OnMemoryStore();
    void OnMemoryAdd();

    // The accumulator right after an operator or equals, otherwise value.
    double CurrentNumber() const;
    void RefreshDisplay();

    // Engine side of the window's settings and clipboard operations.
    void SetPrecision(std::int32_t precision);
    void SetInputCurrency(std::int32_t euroInput);  // also ends a running entry
    void SetPresentation(const Presentation& presentation);
    // Reads a number from clipboard text (its first ',' taken as the point);
    // true when one was read. The display is rewritten either way.
    bool Paste(const std::string& clipboardText);
    // Clipboard text of x: rounded to the precision, "." as point, no grouping.
    std::string CopyText(double x) const;
    double EuroAmount() const;    // CurrentNumber in euros
    double FrancsAmount() const;  // CurrentNumber in francs

private:
    void ParseEntry();
    void ApplyPendingOperator();
    void CheckAccumulator();
    void SetMemory(double n);

    DisplayHost& host_;
    CalculatorState state_;
};

}  // namespace calc

#endif
