// The amount formatter and both display lines over any double and any settings
// a store can hold (any precision, any separator and point byte): texts never
// empty, grouped and pointed as set, and reading back as the number they show.
// A copied amount pastes back as the same number.
#include <cmath>
#include <cstdint>
#include <string>

#include "calc/Calculator.h"
#include "calc/DisplayLines.h"
#include "calc/NumberText.h"
#include "tests/fuzz/AmountText.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

class NullHost : public calc::DisplayHost {
public:
    bool WindowExists() const override { return false; }
    void WriteFrancsLine(const std::string&) override {}
    void WriteEuroLine(const std::string&) override {}
    void SetInputLine(calc::DisplayLine) override {}
    void WriteMemoryIndicator(const std::string&) override {}
    void FocusHolder() override {}
};

void CheckLine(const std::string& text, double r, const calc::CalculatorState& s) {
    if (fuzz::IsReadableStyle(s.settings.presentation.thousandsSeparator, s.settings.presentation.decimalPoint))
        fuzz::CheckAmountText(text, r, s.settings.precision, s.settings.presentation.thousandsSeparator,
                              s.settings.presentation.decimalPoint);
    else
        FUZZ_CHECK(!text.empty());
}

}  // namespace

// Input: x (8 bytes), precision (4), separator, point, parity (8), flags, accumulator (8).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    calc::CalculatorState s;
    const double x = in.Take<double>();
    s.settings.precision = in.Take<std::int32_t>();
    s.settings.presentation.thousandsSeparator = in.TakeChar();
    s.settings.presentation.decimalPoint = in.TakeChar();
    s.settings.presentation.parity = in.Take<double>();
    const auto flags = in.Take<std::uint8_t>();
    s.accumulator = in.Take<double>();
    s.value = x;
    s.settings.euroInput = flags & 1;

    const double r = calc::RoundToPrecision(x, s.settings.precision);
    FUZZ_CHECK(std::isfinite(r) == std::isfinite(x));
    CheckLine(calc::FormatAmount(s, x), r, s);

    // Both lines of a shown value or result: the input line shows the rounded
    // number, the other line its rounded conversion.
    s.displayState = (flags & 2) != 0   ? calc::DisplayState::ShowingAccumulator
                     : (flags & 4) != 0 ? calc::DisplayState::Error
                                        : calc::DisplayState::ShowingValue;
    const calc::DisplayLines lines = calc::FormatDisplay(s);
    const std::string& input = s.settings.euroInput != 0 ? lines.euro : lines.francs;
    const std::string& other = s.settings.euroInput != 0 ? lines.francs : lines.euro;
    if (s.displayState == calc::DisplayState::Error) {
        FUZZ_CHECK(input == calc::kErrorText && other == calc::kErrorText);
    } else {
        const double n = calc::RoundToPrecision(
            s.displayState == calc::DisplayState::ShowingValue ? s.value : s.accumulator, s.settings.precision);
        const double m =
            s.settings.euroInput != 0 ? s.settings.presentation.parity * n : n / s.settings.presentation.parity;
        CheckLine(input, n, s);
        CheckLine(other, calc::RoundToPrecision(m, s.settings.precision), s);
    }

    // The clipboard text: no grouping, "." as point, and it pastes back exactly.
    NullHost host;
    calc::Calculator calculator(host);
    calc::EngineSettings settings = s.settings;
    settings.presentation.parity = 6.5;
    calculator.Initialise(settings);
    const std::string copied = calculator.CopyText(x);
    fuzz::CheckAmountText(copied, r, s.settings.precision, 0, '.');
    FUZZ_CHECK(calculator.Paste(copied) == std::isfinite(r));
    if (std::isfinite(r) && s.settings.precision >= 0 && s.settings.precision <= calc::kMaxDecimals &&
        std::fabs(r) < 1e15 / std::pow(10.0, s.settings.precision))
        FUZZ_CHECK(calculator.State().value == r);
    return 0;
}
