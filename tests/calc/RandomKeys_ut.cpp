// Thousands of random key sequences: the typed text stays well formed after
// every key, value reads as the text while typing, and nothing ever throws.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "TestDriver.h"
#include "calc/NumberText.h"

namespace calc::test {
namespace {

// The entryText invariants: "0" at least; optional "-"; digits with at most one
// "."; no leading zero before a digit; a zero before a leading point; never "-"
// or "-0"; at most 12 characters, 13 with a sign.
::testing::AssertionResult EntryTextIsWellFormed(const std::string& text)
{
    auto fail = [&](const char* why) { return ::testing::AssertionFailure() << '"' << text << "\": " << why; };
    const bool negative = !text.empty() && text[0] == '-';
    const std::string body = negative ? text.substr(1) : text;
    if (body.empty())
        return fail("no digits");
    if (text == "-0")
        return fail("minus zero");
    if (text.size() > static_cast<std::size_t>(MaxEntryLength) + (negative ? 1 : 0))
        return fail("too long");
    if (body.find_first_not_of("0123456789.") != std::string::npos)
        return fail("not a decimal number");
    if (body.find('.') != body.rfind('.'))
        return fail("two points");
    if (body[0] == '.')
        return fail("point without a leading zero");
    if (body.size() > 1 && body[0] == '0' && body[1] != '.')
        return fail("leading zero");
    return ::testing::AssertionSuccess();
}

// A displayed number may be negative only if it has a nonzero digit.
bool HasNoSignedZero(const std::string& line)
{
    return line.empty() || line[0] != '-' || line.find_first_of("123456789I") != std::string::npos;
}

TEST(RandomKeys, InvariantsHoldAfterEveryKey)
{
    std::mt19937 random(20240601u);
    const char* const pastes[] = {"12,5", "-3e2", "abc", "1e308", "-1e999", "0", "-0,004", "4e-320", ".", "99999999999999999"};
    const double parities[] = {6.5, 6.55957, 0.0, -2.0, 1e-300, 1e300};
    const int sequences = 4000;
    for (int sequence = 0; sequence < sequences; ++sequence) {
        TestDriver d;
        Calculator& c = d.calculator;
        const int keys = 1 + static_cast<int>(random() % 40);
        std::string trail;
        for (int k = 0; k < keys; ++k) {
            const unsigned pick = random() % 32;
            trail += std::to_string(pick) + ' ';
            if (pick < 10) c.OnDigit(1000 + pick);
            else if (pick < 13) c.OnPoint();
            else if (pick == 13) c.OnSign();
            else if (pick == 14) c.OnBackspace();
            else if (pick == 15) c.OnClearEntry();
            else if (pick == 16) c.OnClear();
            else if (pick < 21) c.OnOperator(static_cast<Operator>(pick - 16));
            else if (pick == 21) c.OnEquals();
            else if (pick == 22) c.OnPercent();
            else if (pick == 23) c.OnReciprocal();
            else if (pick == 24) c.OnMemoryClear();
            else if (pick == 25) c.OnMemoryRecall();
            else if (pick == 26) c.OnMemoryStore();
            else if (pick == 27) c.OnMemoryAdd();
            else if (pick == 28) c.Paste(pastes[random() % std::size(pastes)]);
            else if (pick == 29) c.SetPrecision(static_cast<int>(random() % 16) - 3);
            else if (pick == 30) c.SetInputCurrency(static_cast<int>(random() % 2));
            else c.SetPresentation(parities[random() % std::size(parities)], random() % 2 ? ' ' : '.', random() % 2 ? ',' : 0);

            const CalculatorState& s = d.State();
            ASSERT_TRUE(EntryTextIsWellFormed(s.entryText)) << "keys " << trail;
            if (s.displayState == DisplayState::Entry) {
                double typed = 0;
                ASSERT_EQ(ScanNumber(s.entryText, typed), 1);
                ASSERT_EQ(std::signbit(typed), std::signbit(s.value)) << "keys " << trail;
                ASSERT_EQ(typed, s.value) << "keys " << trail;
            }
            ASSERT_FALSE(d.host.francs.empty()) << "keys " << trail;
            ASSERT_FALSE(d.host.euro.empty()) << "keys " << trail;
            // The typed text itself may read "-0," (backspace on -0.5); results may not.
            const bool typing = s.displayState == DisplayState::Entry;
            const std::string& shown = s.euroInput ? d.host.francs : d.host.euro;
            ASSERT_TRUE(HasNoSignedZero(shown)) << shown << " keys " << trail;
            if (!typing) {
                ASSERT_TRUE(HasNoSignedZero(d.host.francs)) << d.host.francs << " keys " << trail;
                ASSERT_TRUE(HasNoSignedZero(d.host.euro)) << d.host.euro << " keys " << trail;
            }
            ASSERT_EQ(d.host.indicator, s.memory != 0 ? "M" : "") << "keys " << trail;
        }
    }
}

} // namespace
} // namespace calc::test
