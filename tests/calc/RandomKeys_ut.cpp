// Thousands of random key sequences: the typed text stays well formed after
// every key, value reads as the text while typing, and nothing ever throws.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "TestDriver.h"

namespace calc::test {
namespace {

// The entryText invariants: "0" at least; optional "-"; digits with at most one
// "."; no leading zero before a digit; a zero before a leading point; never "-"
// or "-0"; at most 12 characters, 13 with a sign.
::testing::AssertionResult EntryTextIsWellFormed(const std::string& text)
{
    const bool negative = !text.empty() && text[0] == '-';
    const std::string body = text.substr(negative ? 1 : 0);
    const bool ok = !body.empty() && text != "-0" && body.find_first_not_of("0123456789.") == std::string::npos &&
                    body.find('.') == body.rfind('.') && body[0] != '.' && (body.size() == 1 || body[0] != '0' || body[1] == '.') &&
                    text.size() <= static_cast<std::size_t>(MaxEntryLength) + (negative ? 1 : 0);
    return ok ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << "entryText \"" << text << '"';
}

// A number shown as a result may be negative only if it has a nonzero digit.
bool HasNoSignedZero(const std::string& line)
{
    return line.empty() || line[0] != '-' || line.find_first_of("123456789I") != std::string::npos;
}

TEST(RandomKeys, InvariantsHoldAfterEveryKey)
{
    const char* const keys[] = {
        "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", ".", ".", "+/-", "<-", "<-", "CE", "C", "+", "-", "*", "/", "=",
        "=", "%", "1/x", "MC", "MR", "MS", "M+", "euro", "francs", "prec=-3", "prec=-1", "prec=0", "prec=2", "prec=4",
        "prec=12", "parity=6.55957", "parity=0", "parity=-2", "parity=1e-300", "parity=1e300", "paste=12,5",
        "paste=-3e2", "paste=abc", "paste=1e308", "paste=-1e999", "paste=-0,004", "paste=4e-320", "paste=99999999999999999",
    };
    std::mt19937 random(20240601u);
    for (int sequence = 0; sequence < 4000; ++sequence) {
        TestDriver d;
        std::string trail;
        for (int k = 1 + static_cast<int>(random() % 40); k > 0; --k) {
            const char* key = keys[random() % std::size(keys)];
            trail += std::string(key) + ' ';
            d.Press(key);

            const CalculatorState& s = d.State();
            ASSERT_TRUE(EntryTextIsWellFormed(s.entryText)) << "keys " << trail;
            double typed = 0;
            ASSERT_EQ(ScanNumber(s.entryText, typed), 1);
            if (s.displayState == DisplayState::Entry) {
                ASSERT_EQ(std::signbit(typed), std::signbit(s.value)) << "keys " << trail;
                ASSERT_EQ(typed, s.value) << "keys " << trail;
            }
            // The typed text may read "-0," (backspace on -0.5); a conversion or result may not.
            ASSERT_TRUE(HasNoSignedZero(s.euroInput ? d.host.francs : d.host.euro)) << "keys " << trail;
            if (s.displayState != DisplayState::Entry) {
                ASSERT_TRUE(HasNoSignedZero(d.host.francs) && HasNoSignedZero(d.host.euro)) << "keys " << trail;
            }
            ASSERT_FALSE(d.host.francs.empty() || d.host.euro.empty()) << "keys " << trail;
            ASSERT_EQ(d.host.indicator, s.memory != 0 ? "M" : "") << "keys " << trail;
        }
    }
}

} // namespace
} // namespace calc::test
