// Recording display host and a key-script driver for the engine tests.
#ifndef PEMZ_TESTS_CALC_TESTDRIVER_H
#define PEMZ_TESTS_CALC_TESTDRIVER_H

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "calc/Calculator.h"
#include "calc/NumberText.h"

namespace calc::test {

// Records every call the engine makes to its window, in order.
class RecordingHost : public DisplayHost {
public:
    bool windowExists = true;
    std::string francs, euro, indicator;
    DisplayLine inputLine = DisplayLine::Francs;
    std::vector<std::string> events;  // "F:text", "E:text", "M:text", "focus"

    bool WindowExists() const override { return windowExists; }
    void WriteFrancsLine(const std::string& t) override {
        francs = t;
        events.push_back("F:" + t);
    }
    void WriteEuroLine(const std::string& t) override {
        euro = t;
        events.push_back("E:" + t);
    }
    void SetInputLine(DisplayLine line) override { inputLine = line; }
    void WriteMemoryIndicator(const std::string& t) override {
        indicator = t;
        events.push_back("M:" + t);
    }
    void FocusHolder() override { events.push_back("focus"); }
};

inline EngineSettings DefaultSettings() { return EngineSettings{2, 0, Presentation{6.5, ' ', ','}}; }

// Key scripts are space-separated tokens: numbers ("12.5" types 1, 2, point, 5),
// "+" "-" "*" "/" "=" "%" "1/x" "+/-" "<-" "CE" "C" "MC" "MR" "MS" "M+", and the
// window's operations "euro", "francs", "prec=N", "parity=X", "paste=TEXT".
class TestDriver {
public:
    explicit TestDriver(const EngineSettings& settings = DefaultSettings()) : calculator(host) {
        calculator.Initialise(settings);
    }

    void Press(const std::string& script) {
        std::istringstream tokens(script);
        std::string t;
        while (tokens >> t) PressToken(t);
    }

    // Presses the keys, then checks both lines.
    void Test(const std::string& script, const std::string& francs, const std::string& euro) {
        Press(script);
        EXPECT_EQ(host.francs, francs) << "after \"" << script << "\"";
        EXPECT_EQ(host.euro, euro) << "after \"" << script << "\"";
    }

    const CalculatorState& State() const { return calculator.State(); }

    RecordingHost host;
    Calculator calculator;

private:
    void PressToken(const std::string& t) {
        Calculator& c = calculator;
        if (t == "+")
            c.OnOperator(Operator::Add);
        else if (t == "-")
            c.OnOperator(Operator::Subtract);
        else if (t == "*")
            c.OnOperator(Operator::Multiply);
        else if (t == "/")
            c.OnOperator(Operator::Divide);
        else if (t == "=")
            c.OnEquals();
        else if (t == "%")
            c.OnPercent();
        else if (t == "1/x")
            c.OnReciprocal();
        else if (t == "+/-")
            c.OnSign();
        else if (t == "<-")
            c.OnBackspace();
        else if (t == "CE")
            c.OnClearEntry();
        else if (t == "C")
            c.OnClear();
        else if (t == "MC")
            c.OnMemoryClear();
        else if (t == "MR")
            c.OnMemoryRecall();
        else if (t == "MS")
            c.OnMemoryStore();
        else if (t == "M+")
            c.OnMemoryAdd();
        else if (t == "euro" || t == "francs")
            c.SetInputCurrency(t == "euro");
        else if (t.rfind("prec=", 0) == 0)
            c.SetPrecision(std::stoi(t.substr(5)));
        else if (double parity = 0; t.rfind("parity=", 0) == 0 && ScanNumber(t.substr(7), parity) == 1)
            c.SetPresentation({parity, c.State().settings.presentation.thousandsSeparator,
                               c.State().settings.presentation.decimalPoint});
        else if (t.rfind("paste=", 0) == 0)
            c.Paste(t.substr(6));
        else
            for (char ch : t) {
                ASSERT_TRUE(ch == '.' || (ch >= '0' && ch <= '9')) << "bad token " << t;
                if (ch == '.')
                    c.OnPoint();
                else
                    c.OnDigit(static_cast<unsigned>(ch - '0'));
            }
    }
};

struct Row {
    const char* script;
    const char* francs;
    const char* euro;
};

// Each row from a fresh calculator with the given settings.
inline void ExpectLines(std::initializer_list<Row> rows, const EngineSettings& settings = DefaultSettings()) {
    for (const Row& row : rows) TestDriver(settings).Test(row.script, row.francs, row.euro);
}

}  // namespace calc::test

#endif
