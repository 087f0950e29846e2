// Mouse: keypad chains clicked at the keys' screen positions, the input-currency
// and precision selectors, and clicks into the display lines.
#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

using MouseTest = CalculatorTest;

TEST_F(MouseTest, TypingInFrancsThenSwitchingTheInputCurrency) {
    ASSERT_EQ(app.Start(), "");
    app.Type("100");
    EXPECT_EQ(Shown(), Lines("100", "15,38"));

    ASSERT_TRUE(app.ClickItem(kEuroButton));
    EXPECT_TRUE(Checked(kEuroButton));
    EXPECT_FALSE(Checked(kFrancsButton));
    EXPECT_EQ(Shown(), Lines("650,00", "100,00"));
    EXPECT_EQ(reg::Setting("SaisieEuro"), 1u);
    EXPECT_TRUE(BecomesYellow(app.Item(kEuroLine), true));
    EXPECT_TRUE(BecomesYellow(app.Item(kFrancsLine), false));

    // The running entry has ended: a digit starts a new one, in euros.
    app.Type("5");
    EXPECT_EQ(Shown(), Lines("32,50", "5"));

    app.SelectPrecision(0);  // "Auto"
    EXPECT_EQ(reg::Setting("Precision"), static_cast<DWORD>(-1));
    EXPECT_EQ(Shown(), Lines("32,5", "5"));
    app.SelectPrecision(5);  // "4"
    EXPECT_EQ(reg::Setting("Precision"), 4u);
    EXPECT_EQ(Shown(), Lines("32,5000", "5"));

    // Back to francs: the number is not converted, it moves to the francs line.
    ASSERT_TRUE(app.ClickItem(kFrancsButton));
    EXPECT_EQ(reg::Setting("SaisieEuro"), 0u);
    EXPECT_EQ(Shown(), Lines("5,0000", "0,7692"));
    EXPECT_TRUE(BecomesYellow(app.Item(kFrancsLine), true));
    EXPECT_TRUE(BecomesYellow(app.Item(kEuroLine), false));
}

TEST_F(MouseTest, ClickIntoADisplayLineLeavesNoCaretThere) {
    ASSERT_EQ(app.Start(), "");
    app.Type("12");
    for (int line : {kFrancsLine, kEuroLine}) {
        SCOPED_TRACE(line);
        ASSERT_TRUE(app.ClickItem(line));
        EXPECT_EQ(app.FocusId(), kFocusHolder);
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        ::GetGUIThreadInfo(app.ThreadId(), &info);
        EXPECT_NE(info.hwndCaret, app.Item(line));
    }
    // The click changed nothing and typing goes on.
    app.Type("3");
    EXPECT_EQ(Shown(), Lines("123", "18,92"));
}

// Key clicks and what both lines and the memory indicator show afterwards; each
// row goes on from the one before (precision 2, input in francs, parity 6.5).
struct ChainStep {
    const char* keys;
    const char* francs;
    const char* euro;
    const char* memory;
};

const ChainStep kChain[] = {
    {"2 + 3 * 4 =", "20,00", "3,08", ""},  // left to right, no precedence
    {"C 9 + - 4 =", "5,00", "0,77", ""},   // the second operator replaces the first
    {"C 8 / 2 =", "4,00", "0,62", ""},
    {"=", "2,00", "0,31", ""},  // equals repeats the last operation
    {"=", "1,00", "0,15", ""},
    {"C 200 + 10 %", "20,00", "3,08", ""},
    {"=", "220,00", "33,85", ""},
    {"C 4 + 1/x", "0,25", "0,04", ""},
    {"=", "4,25", "0,65", ""},
    {"C 5 / 0 =", "Erreur", "Erreur", ""},
    {"=", "Erreur", "Erreur", ""},  // divides by zero again
    {"+ = =", "5,00", "0,77", ""},  // equals with nothing pending leaves the error: 0 + 5
    {"C 0 1/x", "Erreur", "Erreur", ""},
    {"CE", "0", "0,00", ""},
    {"C 3 MS / 0 =", "Erreur", "Erreur", "M"},
    {"MR", "3,00", "0,46", "M"},  // memory recall leaves the error
    {"MC", "3,00", "0,46", ""},
    {"7 / 0 = C", "0", "0,00", ""},
    {"5 +/- <-", "0", "0,00", ""},
    {"C 5 MS CE 5 +/- M+", "-5", "-0,77", ""},  // the memory sums to zero: no indicator
    {"C 999999999999 * 1000 =", "999 999 999 999 000,00", "153 846 153 846 000,00", ""},
    {"+ 999 =", "999 999 999 999 999,00", "153 846 153 846 153,69", ""},  // the limit itself is allowed
    {"+ 1 =", "Erreur", "Erreur", ""},
};

TEST_F(MouseTest, ChainClickedOnTheKeypadShowsEachResult) {
    ASSERT_EQ(app.Start(), "");
    for (const ChainStep& step : kChain) {
        SCOPED_TRACE(step.keys);
        ASSERT_TRUE(app.ClickKeys(step.keys));
        EXPECT_EQ(Shown(), Lines(step.francs, step.euro));
        EXPECT_EQ(app.Text(kMemoryIndicator), step.memory);
    }
    EXPECT_EQ(app.FocusId(), kFocusHolder);
}

}  // namespace
}  // namespace e2e
