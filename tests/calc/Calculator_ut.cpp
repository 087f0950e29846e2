// Engine behaviour: key sequences in, both display lines out.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "TestDriver.h"

namespace calc::test {
namespace {

EngineSettings Settings(std::int32_t precision, std::int32_t euroInput)
{
    EngineSettings s = DefaultSettings();
    s.precision = precision;
    s.euroInput = euroInput;
    return s;
}

// ---- Initialisation and the display contract -------------------------------

TEST(Display, InitialisationWritesLinesThenEmptiesTheIndicator)
{
    RecordingHost host;
    Calculator calculator(host);
    calculator.Initialise(DefaultSettings());
    const std::vector<std::string> expected = {"F:0", "E:0,00", "focus", "M:"};
    EXPECT_EQ(host.events, expected);
}

TEST(Display, NothingIsWrittenBeforeTheWindowExists)
{
    RecordingHost host;
    host.windowExists = false;
    Calculator calculator(host);
    calculator.Initialise(DefaultSettings());
    calculator.OnDigit(1007);
    calculator.OnOperator(Operator::Add);
    const std::vector<std::string> expected = {"M:"};
    EXPECT_EQ(host.events, expected);
    EXPECT_EQ(calculator.State().accumulator, 7);
}

TEST(Display, WriteOrderFollowsTheInputLine)
{
    TestDriver francs;
    francs.host.events.clear();
    francs.Press("5");
    EXPECT_EQ(francs.host.events, (std::vector<std::string>{"F:5", "E:0,77", "focus"}));

    TestDriver euro(Settings(2, 1));
    euro.host.events.clear();
    euro.Press("5");
    EXPECT_EQ(euro.host.events, (std::vector<std::string>{"E:5", "F:32,50", "focus"}));

    // Error: the euro line first, and the focus still moves.
    francs.Press("/ 0");
    francs.host.events.clear();
    francs.Press("=");
    EXPECT_EQ(francs.host.events, (std::vector<std::string>{"E:Erreur", "F:Erreur", "focus"}));
}

TEST(Display, EntryLineIsNeitherGroupedNorRounded)
{
    TestDriver d;
    d.Test("1234567", "1234567", "189 933,38");
    d.Test(".125", "1234567,125", "189 933,40");
}

TEST(Display, ResultConversionUsesTheRoundedNumber)
{
    TestDriver d(Settings(0, 1));
    d.Test("1.4", "9,", "1,4");
    d.calculator.SetInputCurrency(1); // ends the entry: 1.4 is now a result
    EXPECT_EQ(d.host.euro, "1,");
    EXPECT_EQ(d.host.francs, "7,"); // 6.5 × 1, a tie, goes up
}

TEST(Display, ZeroResultHasNoSignButTypedTextStands)
{
    TestDriver d;
    d.Test("0 * 5 +/- =", "0,00", "0,00");
    d.Test("C 0.5 +/- <-", "-0,", "0,00");
    d.Test("<-", "0", "0,00");
    d.Test("C 0.004 +/- =", "0,00", "0,00");
}

TEST(Display, NonFiniteConversions)
{
    TestDriver d;
    d.calculator.SetPresentation(0.0, ' ', ',');
    d.Test("5", "5", "Infini");
    d.Test("+/-", "-5", "-Infini");
    d.Test("C", "0", "Indéfini");
    d.Test("5 =", "5,00", "Infini");
}

// ---- Entry keys -------------------------------------------------------------

TEST(Entry, LeadingZerosAndPoint)
{
    TestDriver d;
    d.Test("0 0 0", "0", "0,00");
    d.Test("C 0 7", "7", "1,08");
    d.Test("C .", "0,", "0,00");
    d.Test("C 0.0", "0,0", "0,00");
    d.Test("C 1.2.3", "1,23", "0,19");
    d.Test("C 1 2 + .", "0,", "0,00");
}

TEST(Entry, LengthLimit)
{
    TestDriver d;
    d.Test("123456789012 3 .", "123456789012", "18 993 352 155,69");
    d.Test("+/-", "-123456789012", "-18 993 352 155,69");
    d.Test("C 0.1234567890 1", "0,1234567890", "0,02");
    EXPECT_EQ(d.State().entryText, "0.1234567890");
}

TEST(Entry, SignAndBackspace)
{
    TestDriver d;
    d.Test("+/-", "0", "0,00");
    d.Test(". +/-", "0,", "0,00");
    d.Test("5 +/-", "-0,5", "-0,08");
    d.Test("C 7 <-", "0", "0,00");
    d.Test("5 +/- <-", "0", "0,00");
    EXPECT_EQ(d.State().entryText, "0");
    d.Test("C 2 + 3 = <-", "5,00", "0,77");
    d.Test("+/-", "-5,00", "-0,77");
    EXPECT_EQ(d.State().displayState, DisplayState::ShowingAccumulator);
    d.Test("+ 1 =", "-4,00", "-0,62");
}

TEST(Entry, DigitAfterResultStartsNewEntry)
{
    TestDriver d;
    d.Test("2 + 3", "3", "0,46");
    EXPECT_EQ(d.State().accumulator, 2);
    EXPECT_EQ(d.State().pendingOperator, Operator::Add);
    d.Test("= 4", "4", "0,62");
    EXPECT_EQ(d.State().accumulator, 5);
    EXPECT_EQ(d.State().lastOperator, Operator::Add);
}

// ---- Chains and repeated equals --------------------------------------------

TEST(Chains, LeftToRightWithoutPrecedence)
{
    TestDriver d;
    d.Test("2 + 3 * 4 =", "20,00", "3,08");
    d.Test("C 9 + - 4 =", "5,00", "0,77");
    d.Test("C 5 =", "5,00", "0,77");
    d.Test("C 10 / 4 - 0.5 =", "2,00", "0,31");
}

TEST(RepeatedEquals, RepeatsTheLastOperation)
{
    const struct { const char* script; std::vector<const char*> shown; } cases[] = {
        {"8 / 2", {"4,00", "2,00", "1,00"}},
        {"10 - 3", {"7,00", "4,00"}},
        {"2 * 3", {"6,00", "18,00"}},
        {"2 + 3", {"5,00", "8,00", "11,00"}},
        {"5 +", {"5,00", "10,00"}},
    };
    for (const auto& c : cases) {
        TestDriver d;
        d.Press(c.script);
        for (const char* shown : c.shown) {
            d.Press("=");
            EXPECT_EQ(d.host.francs, shown) << c.script;
        }
    }
    TestDriver d;
    d.Test("2 + 3 = 4 =", "9,00", "1,38");
}

// ---- Range limit ------------------------------------------------------------

TEST(Limits, ResultLimitIsAllowedAndOneMoreIsAnError)
{
    TestDriver d;
    d.Test("999999999999 * 1000 =", "999 999 999 999 000,00", "153 846 153 846 000,00");
    d.Test("+ 999 =", "999 999 999 999 999,00", "153 846 153 846 153,69");
    d.Test("+ 1 =", "Erreur", "Erreur");
    EXPECT_EQ(d.State().accumulator, 1e15); // the failed accumulator is kept
}

TEST(Limits, NoLowerBound)
{
    TestDriver d;
    d.Press("0 - 999999999999 * 1000000 =");
    EXPECT_EQ(d.State().displayState, DisplayState::ShowingAccumulator);
    EXPECT_EQ(d.host.francs.rfind("-999 999 999 999 000 0", 0), 0u) << d.host.francs;
    EXPECT_EQ(d.host.francs.size(), 1 + 18 + 5 + 3u);
}

TEST(Limits, PercentReciprocalAndMemoryAreNotRangeChecked)
{
    TestDriver d;
    d.Test("999999999999 * 1000 = %", "9 999 999 999 990 000,00", "1 538 461 538 460 000,00");
    EXPECT_EQ(d.State().displayState, DisplayState::ShowingValue);

    TestDriver m;
    m.Press("999999999999 * 999999999999 = MS"); // in Error the value is stored
    EXPECT_EQ(m.State().memory, 999999999999.0);
    m.calculator.Paste("1e308");
    m.Press("MS M+ M+ MR");
    EXPECT_EQ(m.host.francs, "Infini");
    EXPECT_EQ(m.host.indicator, "M");
    m.Press("+"); // an infinite accumulator is an error
    EXPECT_EQ(m.host.francs, "Erreur");
}

// ---- Error entry and exit ---------------------------------------------------

TEST(Errors, EnteredByDivisionReciprocalAndOverflow)
{
    const char* scripts[] = {"5 / 0 =", "5 / 0 +", "0 1/x", "2 - 2 = 1/x", "999999999999 * 999999999999 ="};
    for (const char* script : scripts) {
        TestDriver d;
        d.Test(script, "Erreur", "Erreur");
    }
}

TEST(Errors, OnlyClearKeysEqualsRecallAndPasteLeave)
{
    TestDriver d;
    d.Test("5 / 0 = 7 . +/- <- % 1/x MS M+ MC", "Erreur", "Erreur");
    d.Test("=", "Erreur", "Erreur"); // repeats the division by zero
    d.Test("+ = =", "5,00", "0,77");

    TestDriver ce;
    ce.Test("5 / 0 = CE", "0", "0,00");
    ce.Test("5 =", "1,00", "0,15"); // the division stays the last operation
    TestDriver c;
    c.Test("5 / 0 = C 3 =", "3,00", "0,46");

    TestDriver mr;
    mr.Test("4 MS / 0 = MR", "4,00", "0,62");
    TestDriver paste;
    paste.Press("4 / 0 =");
    EXPECT_TRUE(paste.calculator.Paste("8"));
    EXPECT_EQ(paste.host.francs, "8,00");
}

TEST(Errors, OperatorInErrorOnlyRecordsIt)
{
    TestDriver d;
    d.Press("5 / 0 =");
    d.host.events.clear();
    d.Press("*");
    EXPECT_TRUE(d.host.events.empty());
    EXPECT_EQ(d.State().pendingOperator, Operator::Multiply);
}

// ---- Percent and reciprocal operands -----------------------------------------

TEST(PercentReciprocal, OperandRules)
{
    TestDriver d;
    d.Test("200 + 10 %", "20,00", "3,08");
    d.Test("=", "220,00", "33,85");
    d.Test("C 50 * 10 %", "5,00", "0,77");
    d.Test("=", "250,00", "38,46");
    d.Test("C 4 + 1/x", "0,25", "0,04");
    d.Test("=", "4,25", "0,65");
    d.Test("C 8 + 2 + 1/x", "0,10", "0,02"); // the accumulator right after an operator
    d.Test("C 10 %", "0,00", "0,00");       // the accumulator is 0
}

// ---- Memory -------------------------------------------------------------------

TEST(Memory, IndicatorFollowsTheStoredNumber)
{
    TestDriver d;
    d.Press("5 MS");
    EXPECT_EQ(d.host.indicator, "M");
    d.Press("CE 5 +/- M+");
    EXPECT_EQ(d.host.indicator, "");
    EXPECT_EQ(d.State().memory, 0);
    d.Press("C 7 MS C 0 MS");
    EXPECT_EQ(d.host.indicator, "");
}

TEST(Memory, StoreTakesTheCurrentNumber)
{
    TestDriver d;
    d.Press("3 + 4 MS");
    EXPECT_EQ(d.State().memory, 4);
    d.Press("+ MS");
    EXPECT_EQ(d.State().memory, 7);
    d.Press("MC 2 1/x M+ M+");
    EXPECT_EQ(d.State().memory, 1);
}

TEST(Memory, ClearKeepsMemoryAndRecallFeedsThePendingOperator)
{
    TestDriver d;
    d.Press("3 MS C");
    EXPECT_EQ(d.host.indicator, "M");
    d.Test("2 + MR =", "5,00", "0,77");

    // Memory clear and recall: only the indicator, or only the lines.
    d.host.events.clear();
    d.Press("MR");
    EXPECT_EQ(d.host.events, (std::vector<std::string>{"F:3,00", "E:0,46", "focus"}));
    d.host.events.clear();
    d.Press("MC");
    EXPECT_EQ(d.host.events, (std::vector<std::string>{"M:"}));
}

TEST(Memory, RecalledInTheNewCurrency)
{
    TestDriver d(Settings(2, 1));
    d.Press("10 MS");
    d.calculator.SetInputCurrency(0);
    d.Test("MR", "10,00", "1,54");
}

// ---- Input currency and precision ----------------------------------------------

TEST(Settings, InputCurrencySwitch)
{
    TestDriver d;
    d.Test("100", "100", "15,38");
    d.calculator.SetInputCurrency(1);
    EXPECT_EQ(d.host.euro, "100,00");
    EXPECT_EQ(d.host.francs, "650,00");
    d.Test("7", "45,50", "7");

    // A pending operation keeps its (unconverted) left operand.
    TestDriver p;
    p.Press("10 +");
    p.calculator.SetInputCurrency(1);
    p.Test("5 =", "97,50", "15,00");
}

TEST(Settings, ChangesKeepTheErrorAndTheDigits)
{
    TestDriver d;
    d.Press("5 / 0 =");
    d.calculator.SetInputCurrency(1);
    d.calculator.SetPrecision(4);
    EXPECT_EQ(d.host.francs, "Erreur");
    EXPECT_EQ(d.host.euro, "Erreur");

    TestDriver p;
    p.Test("1 / 3 =", "0,33", "0,05");
    p.calculator.SetPrecision(0);
    EXPECT_EQ(p.host.francs, "0,");
    p.calculator.SetPrecision(4);
    EXPECT_EQ(p.host.francs, "0,3333");
    p.calculator.SetPrecision(-1);
    EXPECT_EQ(p.host.francs, "0,333333333");
    p.calculator.SetPresentation(6.55957, '.', 0);
    EXPECT_EQ(p.host.euro, "0.050816339");
}

// ---- Clipboard texts ------------------------------------------------------------

TEST(Clipboard, CopyTexts)
{
    TestDriver d(Settings(2, 1));
    d.Press("12.345");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.CurrentNumber()), "12.35");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.FrancsAmount()), "80.24");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.EuroAmount()), "12.35");

    const struct { double x; int precision; const char* text; } cases[] = {
        {12.7, 0, "13."}, {-5.5, 0, "-5."}, {12, -1, "12."}, {0.1, -1, "0.1"}, {1.0 / 3, -1, "0.333333333"},
        {1234567.5, 1, "1234567.5"}, {123456789.1, 2, "123456789.10"}, {-0.004, 2, "0.00"}, {1e16, -1, "10000000000000000."},
    };
    for (const auto& c : cases) {
        d.calculator.SetPrecision(c.precision);
        EXPECT_EQ(d.calculator.CopyText(c.x), c.text) << c.x;
    }
}

TEST(Clipboard, CopyInErrorTakesTheValue)
{
    TestDriver d;
    d.Press("999999999999 * 999999999999 =");
    ASSERT_EQ(d.host.francs, "Erreur");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.CurrentNumber()), "999999999999.00");
    EXPECT_EQ(d.calculator.CopyText(d.calculator.EuroAmount()), "153846153846.00");
}

TEST(Clipboard, PasteTexts)
{
    const struct { const char* text; bool read; double value; } cases[] = {
        {"12,5", true, 12.5}, {"1 234,56", true, 1}, {"1,234,5", true, 1.234}, {"-3e2", true, -300},
        {"  7\r\n", true, 7}, {"12,5EUR", true, 12.5}, {"abc", false, 0}, {"", false, 0}, {"inf", false, 0},
    };
    for (const auto& c : cases) {
        TestDriver d;
        d.Press("9");
        d.host.events.clear();
        EXPECT_EQ(d.calculator.Paste(c.text), c.read) << c.text;
        EXPECT_EQ(d.State().value, c.read ? c.value : 9) << c.text;
        EXPECT_EQ(d.State().displayState, c.read ? DisplayState::ShowingValue : DisplayState::Entry);
        EXPECT_EQ(d.host.events.size(), 3u) << "the display is rewritten either way";
    }
    TestDriver d;
    d.Press("2 +");
    d.calculator.Paste("3");
    d.Test("=", "5,00", "0,77");
}

} // namespace
} // namespace calc::test
