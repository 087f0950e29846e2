// Engine behaviour: key sequences in, both display lines out.
#include <gtest/gtest.h>

#include "TestDriver.h"

namespace calc::test {
namespace {

using Events = std::vector<std::string>;
const EngineSettings kEuroInput{2, 1, Presentation{6.5, ' ', ','}};

// ---- Display contract ---------------------------------------------------------

TEST(Display, Lines) {
    ExpectLines({
        // The typed text stands as typed; the other line is the grouped, rounded conversion.
        {"1234567", "1234567", "189 933,38"},
        {"1234567.125", "1234567,125", "189 933,40"},
        // A result's other line converts the rounded result (6.5 × 1, a tie, goes up).
        {"euro prec=0 1.4", "9,", "1,4"},
        {"euro prec=0 1.4 euro", "7,", "1,"},
        // A zero result has no sign; the typed "-0," stands.
        {"0 * 5 +/- =", "0,00", "0,00"},
        {"0.004 +/- =", "0,00", "0,00"},
        {"0.5 +/- <-", "-0,", "0,00"},
        {"0.5 +/- <- <-", "0", "0,00"},
        // A parity of zero: conversions that are not finite.
        {"parity=0 5", "5", "Infini"},
        {"parity=0 5 +/-", "-5", "-Infini"},
        {"parity=0 5 C", "0", "Indéfini"},
        {"parity=0 5 =", "5,00", "Infini"},
    });
}

TEST(Display, WriteOrderAndFocus) {
    RecordingHost host;
    Calculator c(host);
    c.Initialise(DefaultSettings());
    EXPECT_EQ(host.events, (Events{"F:0", "E:0,00", "focus", "M:"}));
    host.events.clear();
    c.SetInputCurrency(1);
    c.OnDigit(5);
    EXPECT_EQ(host.events, (Events{"E:0,00", "F:0,00", "focus", "E:5", "F:32,50", "focus"}));
    EXPECT_EQ(host.inputLine, DisplayLine::Euro);
    c.SetInputCurrency(0);
    EXPECT_EQ(host.inputLine, DisplayLine::Francs);
    c.OnReciprocal();
    c.OnReciprocal();  // 1/0.2 is 5 again
    c.OnOperator(Operator::Divide);
    c.OnDigit(0);
    host.events.clear();
    c.OnEquals();  // Error: the euro line first, and the focus still moves
    EXPECT_EQ(host.events, (Events{"E:Erreur", "F:Erreur", "focus"}));
    host.events.clear();
    c.OnOperator(Operator::Multiply);  // in Error an operator is only recorded
    EXPECT_TRUE(host.events.empty());
    EXPECT_EQ(c.State().pendingOperator, Operator::Multiply);
}

TEST(Display, NothingIsWrittenBeforeTheWindowExists) {
    RecordingHost host;
    host.windowExists = false;
    Calculator c(host);
    c.Initialise(DefaultSettings());
    c.OnDigit(7);
    c.OnOperator(Operator::Add);
    EXPECT_EQ(host.events, (Events{"M:"}));
    EXPECT_EQ(c.State().accumulator, 7);
}

// ---- Entry keys -------------------------------------------------------------------

TEST(Entry, Keys) {
    ExpectLines({
        {"0 0 0", "0", "0,00"},
        {"0 7", "7", "1,08"},
        {".", "0,", "0,00"},
        {"0.0", "0,0", "0,00"},
        {"1.2.3", "1,23", "0,19"},
        {"1 2 + .", "0,", "0,00"},
        // Twelve characters at most; the sign may make thirteen.
        {"123456789012 3 .", "123456789012", "18 993 352 155,69"},
        {"123456789012 +/-", "-123456789012", "-18 993 352 155,69"},
        {"0.1234567890 1", "0,1234567890", "0,02"},
        // Sign and backspace.
        {"+/-", "0", "0,00"},
        {". +/-", "0,", "0,00"},
        {"0.5 +/-", "-0,5", "-0,08"},
        {"7 <-", "0", "0,00"},
        {"5 +/- <-", "0", "0,00"},
        {"2 + 3 = <-", "5,00", "0,77"},
        {"2 + 3 = +/-", "-5,00", "-0,77"},
        {"2 + 3 = +/- + 1 =", "-4,00", "-0,62"},
        // A digit after a result starts a new entry and keeps the calculation.
        {"2 + 3", "3", "0,46"},
        {"2 + 3 = 4", "4", "0,62"},
        {"2 + 3 = 4 =", "9,00", "1,38"},
    });
}

// ---- Operators, equals, limits --------------------------------------------------------

TEST(Operators, ChainsAndRepeatedEquals) {
    ExpectLines({
        {"2 + 3 * 4 =", "20,00", "3,08"},
        {"9 + - 4 =", "5,00", "0,77"},
        {"5 =", "5,00", "0,77"},
        {"2 + 3 C 5 =", "5,00", "0,77"},
        {"10 / 4 - 0.5 =", "2,00", "0,31"},
        {"8 / 2 =", "4,00", "0,62"},
        {"8 / 2 = =", "2,00", "0,31"},
        {"8 / 2 = = =", "1,00", "0,15"},
        {"10 - 3 = =", "4,00", "0,62"},
        {"2 * 3 = =", "18,00", "2,77"},
        {"2 + 3 = = =", "11,00", "1,69"},
        {"5 + =", "5,00", "0,77"},
        {"5 + = =", "10,00", "1,54"},
    });
}

TEST(Operators, ResultLimit) {
    ExpectLines({
        {"999999999999 * 1000 =", "999 999 999 999 000,00", "153 846 153 846 000,00"},
        {"999999999999 * 1000 = + 999 =", "999 999 999 999 999,00", "153 846 153 846 153,69"},
        {"999999999999 * 1000 = + 999 = + 1 =", "Erreur", "Erreur"},
        // No lower bound.
        {"0 - 999999999999 * 1000000 =", "-999 999 999 999 000 064,00", "-153 846 153 846 000 000,00"},
        // Percent results are not range-checked.
        {"999999999999 * 1000 = %", "9 999 999 999 990 000,00", "1 538 461 538 460 000,00"},
    });
}

TEST(Operators, PercentAndReciprocalOperands) {
    ExpectLines({
        {"200 + 10 %", "20,00", "3,08"},
        {"200 + 10 % =", "220,00", "33,85"},
        {"50 * 10 % =", "250,00", "38,46"},
        {"50 * 10 %", "5,00", "0,77"},
        // (accumulator × value) × 0.01, in that order: the other orders end in ,91.
        {"999999999999 * 1000 = + 999 = * 11 %", "109 999 999 999 999,88", "16 923 076 923 076,91"},
        {"10 %", "0,00", "0,00"},
        {"4 + 1/x", "0,25", "0,04"},
        {"4 + 1/x =", "4,25", "0,65"},
        {"8 + 2 + 1/x", "0,10", "0,02"},  // the accumulator right after an operator
    });
}

TEST(Operators, ErrorEntryAndExit) {
    ExpectLines({
        {"5 / 0 =", "Erreur", "Erreur"},
        {"5 / 0 +", "Erreur", "Erreur"},
        {"0 1/x", "Erreur", "Erreur"},
        {"2 - 2 = 1/x", "Erreur", "Erreur"},
        {"999999999999 * 999999999999 =", "Erreur", "Erreur"},
        {"999999999999 * 1000 = + 999 = + 1 = %", "Erreur", "Erreur"},
        // Ignored in Error.
        {"5 / 0 = 7 . +/- <- % 1/x MS M+ MC", "Erreur", "Erreur"},
        {"5 / 0 = =", "Erreur", "Erreur"},  // divides by zero again
        // Ways out.
        {"5 / 0 = + = =", "5,00", "0,77"},
        {"5 / 0 = CE", "0", "0,00"},
        {"5 / 0 = CE 5 =", "1,00", "0,15"},  // clear entry keeps the division
        {"5 / 0 = C 3 =", "3,00", "0,46"},
        {"4 MS / 0 = MR", "4,00", "0,62"},
        {"4 MS 5 / 0 = CE MR", "4,00", "0,62"},
        {"4 MS 5 / 0 = C MR", "4,00", "0,62"},
        {"4 / 0 = paste=8", "8,00", "1,23"},
        {"4 / 0 = euro", "Erreur", "Erreur"},
        {"4 / 0 = prec=4", "Erreur", "Erreur"},
    });
}

// ---- Memory ---------------------------------------------------------------------------

TEST(Memory, Keys) {
    ExpectLines({
        {"3 MS C 2 + MR =", "5,00", "0,77"},
        {"3 + 4 MS C MR", "4,00", "0,62"},
        {"3 + 4 + MS C MR", "7,00", "1,08"},  // the accumulator after an operator
        {"999999999999 * 999999999999 = MS C MR", "999 999 999 999,00", "153 846 153 846,00"},  // value, in Error
        {"2 1/x M+ M+ C MR", "1,00", "0,15"},
        {"paste=1e308 MS M+ MR", "Infini", "Infini"},  // not range-checked
        {"paste=1e308 MS M+ MR +", "Erreur", "Erreur"},
    });
    ExpectLines({{"10 MS francs MR", "10,00", "1,54"}}, kEuroInput);  // read in the new currency
}

TEST(Memory, Indicator) {
    TestDriver d;
    const struct {
        const char* keys;
        const char* indicator;
    } steps[] = {
        {"5 MS", "M"}, {"CE 5 +/- M+", ""}, {"C 7 MS", "M"}, {"C", "M"}, {"0 MS", ""}, {"9 M+", "M"}, {"MC", ""},
    };
    for (const auto& step : steps) {
        d.Press(step.keys);
        EXPECT_EQ(d.host.indicator, step.indicator) << step.keys;
    }
    d.Press("C 9 MS");
    d.host.events.clear();
    d.Press("MR MC");
    EXPECT_EQ(d.host.events, (Events{"F:9,00", "E:1,38", "focus", "M:"}));
}

// ---- Input currency and precision -----------------------------------------------------

TEST(Settings, CurrencyAndPrecision) {
    ExpectLines({
        {"100", "100", "15,38"},
        {"100 euro", "650,00", "100,00"},
        {"100 euro 7", "45,50", "7"},
        {"10 + euro 5 =", "97,50", "15,00"},  // the pending left operand is not converted
        {"1 / 3 = prec=0", "0,", "0,"},
        {"1 / 3 = prec=4", "0,3333", "0,0513"},
        {"1 / 3 = prec=-1", "0,333333333", "0,051282051"},
        {"1 / 3 = prec=-1 parity=6.55957", "0,333333333", "0,050816339"},
        {"prec=-1 0.1 + 0.2 =", "0,3", "0,046153846"},
        // Beyond nine decimals the display shows nine, but the result is rounded at
        // the precision asked before it is converted.
        {"euro prec=12 0.1234567894 euro", "0,802469131", "0,123456789"},
    });
}

// ---- Clipboard ------------------------------------------------------------------------

TEST(Clipboard, CopyTexts) {
    TestDriver d(kEuroInput);
    d.Press("12.345");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.CurrentNumber()), "12.35");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.FrancsAmount()), "80.24");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.EuroAmount()), "12.35");
    const struct {
        double x;
        int precision;
        const char* text;
    } cases[] = {
        {12.7, 0, "13."},
        {-5.5, 0, "-5."},
        {12, -1, "12."},
        {0.1, -1, "0.1"},
        {1.0 / 3, -1, "0.333333333"},
        {1234567.5, 1, "1234567.5"},
        {123456789.1, 2, "123456789.10"},
        {-0.004, 2, "0.00"},
        {1e16, -1, "10000000000000000."},
    };
    for (const auto& c : cases) {
        d.calculator.SetPrecision(c.precision);
        EXPECT_EQ(d.calculator.CopyText(c.x), c.text) << c.x;
    }
    // In Error the value is copied, not "Erreur".
    TestDriver e;
    e.Press("999999999999 * 999999999999 =");
    EXPECT_EQ(e.calculator.CopyText(e.calculator.CurrentNumber()), "999999999999.00");
    EXPECT_EQ(e.calculator.CopyText(e.calculator.EuroAmount()), "153846153846.00");
}

TEST(Clipboard, Paste) {
    const struct {
        const char* text;
        bool read;
        double value;
    } cases[] = {
        {"12,5", true, 12.5}, {"1 234,56", true, 1}, {"1,234,5", true, 1.234},
        {"-3e2", true, -300}, {"  7\r\n", true, 7},  {"12,5EUR", true, 12.5},
        {"abc", false, 9},    {"", false, 9},        {"inf", false, 9},
    };
    for (const auto& c : cases) {
        TestDriver d;
        d.Press("9");
        d.host.events.clear();
        EXPECT_EQ(d.calculator.Paste(c.text), c.read) << c.text;
        EXPECT_EQ(d.State().value, c.value) << c.text;
        EXPECT_EQ(d.State().displayState, c.read ? DisplayState::ShowingValue : DisplayState::Entry);
        EXPECT_EQ(d.host.events.size(), 3u) << "the display is rewritten either way";
    }
    ExpectLines({{"2 + paste=3 =", "5,00", "0,77"}});
}

}  // namespace
}  // namespace calc::test
