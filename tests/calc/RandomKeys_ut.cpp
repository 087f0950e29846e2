// Thousands of random key sequences: the typed text stays well formed after
// every key, value reads as the text while typing, and nothing ever throws.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "EntryInvariants.h"
#include "TestDriver.h"

namespace calc::test {
namespace {

::testing::AssertionResult EntryTextIsWellFormed(const std::string& text) {
    return IsWellFormedEntry(text) ? ::testing::AssertionSuccess()
                                   : ::testing::AssertionFailure() << "entryText \"" << text << '"';
}

TEST(RandomKeys, InvariantsHoldAfterEveryKey) {
    const char* const keys[] = {
        "0",
        "1",
        "2",
        "3",
        "4",
        "5",
        "6",
        "7",
        "8",
        "9",
        "0",
        ".",
        ".",
        "+/-",
        "<-",
        "<-",
        "CE",
        "C",
        "+",
        "-",
        "*",
        "/",
        "=",
        "=",
        "%",
        "1/x",
        "MC",
        "MR",
        "MS",
        "M+",
        "euro",
        "francs",
        "prec=-3",
        "prec=-1",
        "prec=0",
        "prec=2",
        "prec=4",
        "prec=12",
        "parity=6.55957",
        "parity=0",
        "parity=-2",
        "parity=1e-300",
        "parity=1e300",
        "paste=12,5",
        "paste=-3e2",
        "paste=abc",
        "paste=1e308",
        "paste=-1e999",
        "paste=-0,004",
        "paste=4e-320",
        "paste=99999999999999999",
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
            ASSERT_TRUE(HasNoSignedZero(s.settings.euroInput ? d.host.francs : d.host.euro)) << "keys " << trail;
            if (s.displayState != DisplayState::Entry) {
                ASSERT_TRUE(HasNoSignedZero(d.host.francs) && HasNoSignedZero(d.host.euro)) << "keys " << trail;
            }
            ASSERT_FALSE(d.host.francs.empty() || d.host.euro.empty()) << "keys " << trail;
            ASSERT_EQ(d.host.indicator, s.memory != 0 ? "M" : "") << "keys " << trail;
        }
    }
}

}  // namespace
}  // namespace calc::test
