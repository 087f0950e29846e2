// The calculator engine.
#include "calc/Calculator.h"

#include <cmath>

#include "calc/DisplayLines.h"
#include "calc/NumberText.h"

namespace calc {

namespace {
const char* const kMemoryMark = "M";
}  // namespace

Calculator::Calculator(DisplayHost& host) : host_(host), state_() {}

const CalculatorState& Calculator::State() const { return state_; }

void Calculator::Initialise(const EngineSettings& settings) {
    state_.settings = settings;
    OnClear();  // the reset is exactly the clear key's, display included
    state_.memory = 0.0;
    host_.WriteMemoryIndicator("");
}

// ---- Number entry ---------------------------------------------------------

void Calculator::OnDigit(unsigned digit) {
    if (state_.displayState == DisplayState::Error || digit > 9) return;
    std::string& text = state_.entryText;
    if (state_.displayState != DisplayState::Entry) text.clear();
    if (text.size() >= static_cast<std::size_t>(kMaxEntryLength)) return;
    text += static_cast<char>('0' + digit);
    text.erase(0, text.find_first_not_of('0'));
    if (text.empty() || text[0] == '.') text.insert(0, "0");
    state_.displayState = DisplayState::Entry;
    ParseEntry();
    RefreshDisplay();
}

void Calculator::OnPoint() {
    if (state_.displayState == DisplayState::Error) return;
    std::string& text = state_.entryText;
    if (state_.displayState != DisplayState::Entry) text.clear();
    if (text.size() >= static_cast<std::size_t>(kMaxEntryLength) || text.find('.') != std::string::npos) return;
    if (text.empty()) text = "0";
    text += '.';
    state_.displayState = DisplayState::Entry;
    ParseEntry();
    RefreshDisplay();
}

void Calculator::OnSign() {
    switch (state_.displayState) {
    case DisplayState::Entry:
        // No "-0" entry can be made.
        if (state_.value == 0.0) return;
        if (!state_.entryText.empty() && state_.entryText[0] == '-')
            state_.entryText.erase(0, 1);
        else
            state_.entryText.insert(0, "-");
        ParseEntry();
        break;
    case DisplayState::ShowingValue: state_.value = -state_.value; break;
    case DisplayState::ShowingAccumulator: state_.accumulator = -state_.accumulator; break;
    case DisplayState::Error: return;
    }
    RefreshDisplay();
}

void Calculator::OnBackspace() {
    if (state_.displayState != DisplayState::Entry) return;
    std::string& text = state_.entryText;
    if (text.size() <= 1)
        text = "0";
    else
        text.pop_back();
    if (text == "-" || text == "-0") text = "0";
    ParseEntry();
    RefreshDisplay();
}

void Calculator::OnClearEntry() {
    state_.displayState = DisplayState::Entry;
    state_.entryText = "0";
    state_.value = 0.0;
    RefreshDisplay();
}

void Calculator::OnClear() {
    state_.displayState = DisplayState::Entry;
    state_.entryText = "0";
    state_.accumulator = 0.0;
    state_.value = 0.0;
    state_.pendingOperator = Operator::None;
    state_.lastOperator = Operator::None;
    RefreshDisplay();
}

void Calculator::ParseEntry() {
    // The text is always a valid number, so the scan's count is not needed.
    ScanNumber(state_.entryText, state_.value);
}

// ---- Operators and results ------------------------------------------------

void Calculator::ApplyPendingOperator() {
    double& acc = state_.accumulator;
    const double value = state_.value;
    switch (state_.pendingOperator) {
    case Operator::None: acc = value; break;
    case Operator::Add: acc = value + acc; break;
    case Operator::Subtract: acc = acc - value; break;
    case Operator::Multiply: acc = value * acc; break;
    case Operator::Divide:
        if (value == 0.0)
            state_.displayState = DisplayState::Error;
        else
            acc = acc / value;
        break;
    }
}

void Calculator::CheckAccumulator() {
    if (!std::isfinite(state_.accumulator) || state_.accumulator > kResultLimit)
        state_.displayState = DisplayState::Error;
}

void Calculator::OnOperator(Operator op) {
    if (state_.displayState == DisplayState::Error) {
        state_.pendingOperator = op;
        return;
    }
    // Right after an operator or equals the new operator only replaces the pending one.
    if (state_.displayState != DisplayState::ShowingAccumulator) {
        state_.displayState = DisplayState::ShowingAccumulator;
        ApplyPendingOperator();
    }
    CheckAccumulator();
    RefreshDisplay();
    state_.pendingOperator = op;
}

void Calculator::OnEquals() {
    // With nothing pending, equals repeats the last operation, also out of Error.
    if (state_.pendingOperator == Operator::None) {
        state_.displayState = DisplayState::ShowingValue;
        state_.pendingOperator = state_.lastOperator;
    }
    if (state_.displayState != DisplayState::Error) {
        if (state_.displayState != DisplayState::ShowingAccumulator) {
            state_.displayState = DisplayState::ShowingAccumulator;
            ApplyPendingOperator();
        }
        CheckAccumulator();
        RefreshDisplay();
    }
    state_.lastOperator = state_.pendingOperator;
    state_.pendingOperator = Operator::None;
}

void Calculator::OnPercent() {
    if (state_.displayState == DisplayState::Error) return;
    state_.value = (state_.accumulator * state_.value) * 0.01;
    state_.displayState = DisplayState::ShowingValue;
    RefreshDisplay();
}

void Calculator::OnReciprocal() {
    if (state_.displayState == DisplayState::Error) return;
    const double x = CurrentNumber();
    state_.displayState = DisplayState::ShowingValue;
    if (x == 0.0)
        state_.displayState = DisplayState::Error;
    else
        state_.value = 1.0 / x;
    RefreshDisplay();
}

// ---- Memory register -------------------------------------------------------

void Calculator::SetMemory(double n) {
    state_.memory = n;
    host_.WriteMemoryIndicator(n != 0.0 ? kMemoryMark : "");
}

void Calculator::OnMemoryClear() {
    state_.memory = 0.0;
    host_.WriteMemoryIndicator("");
}

void Calculator::OnMemoryRecall() {
    state_.value = state_.memory;
    state_.displayState = DisplayState::ShowingValue;
    RefreshDisplay();
}

void Calculator::OnMemoryStore() { SetMemory(CurrentNumber()); }

void Calculator::OnMemoryAdd() { SetMemory(CurrentNumber() + state_.memory); }

// ---- Display ---------------------------------------------------------------

double Calculator::CurrentNumber() const {
    return state_.displayState == DisplayState::ShowingAccumulator ? state_.accumulator : state_.value;
}

void Calculator::RefreshDisplay() {
    if (!host_.WindowExists()) return;
    const DisplayLines lines = FormatDisplay(state_);
    host_.SetInputLine(lines.input);
    if (lines.euroFirst) {
        host_.WriteEuroLine(lines.euro);
        host_.WriteFrancsLine(lines.francs);
    } else {
        host_.WriteFrancsLine(lines.francs);
        host_.WriteEuroLine(lines.euro);
    }
    host_.FocusHolder();
}

// ---- Window operations -----------------------------------------------------

void Calculator::SetPrecision(std::int32_t precision) {
    state_.settings.precision = precision;
    RefreshDisplay();
}

void Calculator::SetInputCurrency(std::int32_t euroInput) {
    state_.settings.euroInput = euroInput;
    // The amounts are not converted: they are read in the other currency from now on.
    if (state_.displayState == DisplayState::Entry) state_.displayState = DisplayState::ShowingValue;
    RefreshDisplay();
}

void Calculator::SetPresentation(const Presentation& presentation) {
    state_.settings.presentation = presentation;
    RefreshDisplay();
}

bool Calculator::Paste(const std::string& clipboardText) {
    std::string text = clipboardText;
    const std::size_t comma = text.find(',');
    if (comma != std::string::npos) text[comma] = '.';
    double number = 0.0;
    const bool read = ScanNumber(text, number) == 1;
    if (read) {
        state_.value = number;
        state_.displayState = DisplayState::ShowingValue;
    }
    RefreshDisplay();
    return read;
}

std::string Calculator::CopyText(double x) const {
    return FormatRounded(RoundToPrecision(x, state_.settings.precision), state_.settings.precision);
}

double Calculator::EuroAmount() const {
    const double n = CurrentNumber();
    return state_.settings.euroInput != 0 ? n : n / state_.settings.presentation.parity;
}

double Calculator::FrancsAmount() const {
    const double n = CurrentNumber();
    return state_.settings.euroInput != 0 ? state_.settings.presentation.parity * n : n;
}

}  // namespace calc
