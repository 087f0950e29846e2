// Engine key streams: any sequence of keys, settings changes and pastes keeps the
// typed text well formed and within its limit, keeps both lines written, never
// empty and in step with the state, and never reaches undefined behaviour.
#include <cmath>
#include <cstdint>
#include <string>

#include "calc/Calculator.h"
#include "calc/DisplayLines.h"
#include "calc/NumberText.h"
#include "tests/calc/EntryInvariants.h"
#include "tests/fuzz/AmountText.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

class LinesHost : public calc::DisplayHost {
public:
    std::string francs, euro, indicator;
    bool WindowExists() const override { return true; }
    void WriteFrancsLine(const std::string& text) override { francs = text; }
    void WriteEuroLine(const std::string& text) override { euro = text; }
    void SetInputLine(calc::DisplayLine) override {}
    void WriteMemoryIndicator(const std::string& text) override { indicator = text; }
    void FocusHolder() override {}
};

// One byte per key, readable in the seeds: "12.5+3=" types what it says.
void Press(calc::Calculator& c, char key, fuzz::FuzzInput& in) {
    using calc::Operator;
    const calc::Presentation& shown = c.State().settings.presentation;
    switch (key) {
    case '+': c.OnOperator(Operator::Add); break;
    case '-': c.OnOperator(Operator::Subtract); break;
    case '*': c.OnOperator(Operator::Multiply); break;
    case '/': c.OnOperator(Operator::Divide); break;
    case '=': c.OnEquals(); break;
    case '%': c.OnPercent(); break;
    case 'r': c.OnReciprocal(); break;
    case '.': c.OnPoint(); break;
    case 's': c.OnSign(); break;
    case 'b': c.OnBackspace(); break;
    case 'e': c.OnClearEntry(); break;
    case 'c': c.OnClear(); break;
    case 'm': c.OnMemoryClear(); break;
    case 'R': c.OnMemoryRecall(); break;
    case 'S': c.OnMemoryStore(); break;
    case 'P': c.OnMemoryAdd(); break;
    case 'E': c.SetInputCurrency(1); break;
    case 'F': c.SetInputCurrency(0); break;
    case 'p': c.SetPrecision(in.Take<std::int8_t>()); break;
    case 'q': c.SetPrecision(in.Take<std::int32_t>()); break;
    case 'x': c.SetPresentation({in.Take<double>(), shown.thousandsSeparator, shown.decimalPoint}); break;
    case 'g': c.SetPresentation({shown.parity, in.TakeChar(), shown.decimalPoint}); break;
    case 'd': c.SetPresentation({shown.parity, shown.thousandsSeparator, in.TakeChar()}); break;
    case 'v': c.Paste(in.TakeText()); break;
    default:
        if (key >= '0' && key <= '9') c.OnDigit(static_cast<unsigned>(key - '0'));
        break;
    }
}

void CheckState(const calc::Calculator& c, const LinesHost& host) {
    const calc::CalculatorState& s = c.State();
    FUZZ_CHECK(calc::test::IsWellFormedEntry(s.entryText));
    FUZZ_CHECK(!host.francs.empty() && !host.euro.empty());
    FUZZ_CHECK(host.indicator == (s.memory != 0 ? "M" : ""));

    // What the window shows is what the state says, whatever key came last.
    const calc::DisplayLines lines = calc::FormatDisplay(s);
    FUZZ_CHECK(host.francs == lines.francs && host.euro == lines.euro);

    if (s.displayState == calc::DisplayState::Entry) {
        double typed = 0;
        FUZZ_CHECK(calc::ScanNumber(s.entryText, typed) == 1);
        FUZZ_CHECK(typed == s.value && std::signbit(typed) == std::signbit(s.value));
    }
    // A result that overflowed is an error, never a shown infinity.
    if (s.displayState == calc::DisplayState::ShowingAccumulator) FUZZ_CHECK(std::isfinite(s.accumulator));
    const std::string& converted = s.settings.euroInput != 0 ? host.francs : host.euro;
    FUZZ_CHECK(calc::test::HasNoSignedZero(converted));
    if (s.displayState != calc::DisplayState::Entry)
        FUZZ_CHECK(calc::test::HasNoSignedZero(host.francs) && calc::test::HasNoSignedZero(host.euro));
}

}  // namespace

// Input: the settings (precision, separator, point, euro input, parity: 12 bytes),
// then keys.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    calc::EngineSettings settings;
    settings.precision = in.Take<std::int8_t>();
    settings.presentation.thousandsSeparator = in.TakeChar();
    settings.presentation.decimalPoint = in.TakeChar();
    settings.euroInput = in.Take<std::uint8_t>() & 1;
    settings.presentation.parity = in.Take<double>();

    LinesHost host;
    calc::Calculator calculator(host);
    calculator.Initialise(settings);
    CheckState(calculator, host);
    while (!in.Empty()) {
        Press(calculator, in.TakeChar(), in);
        CheckState(calculator, host);
    }
    return 0;
}
