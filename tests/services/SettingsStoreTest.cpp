// The settings store against the in-memory registry: defaults, types, texts, the parity.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "res/resource.h"
#include "services/MemoryKeyValueStore.h"
#include "services/SettingsStore.h"

namespace services {
namespace {

constexpr auto kUser = RegistryRoot::CurrentUser;
constexpr auto kMachine = RegistryRoot::LocalMachine;
const char kProgramKey[] = "Software\\Pemz\\PemzCalc";

std::string TextOf(const MemoryKeyValueStore::Value& value) {
    return std::string(value.data.begin(), value.data.end());
}

class SettingsStoreTest : public ::testing::Test {
protected:
    // Every operation closes the key it opened.
    void TearDown() override { EXPECT_EQ(registry.OpenKeyCount(), 0u); }

    MemoryKeyValueStore registry;
    MapStringTable strings{{{IDS_PROGRAM_KEY, "PemzCalc"}}};
    SettingsStore store{registry, strings, "pemzcalc"};
};

TEST_F(SettingsStoreTest, EmptyRegistryGivesTheDefaults) {
    EXPECT_EQ(store.ReadSetting(".\\Precision", 2), 2);
    EXPECT_EQ(store.ReadSetting(".\\SaisieEuro", 0), 0);
    EXPECT_EQ(store.ReadSetting(".\\TopMost", 0), 0);
    EXPECT_EQ(store.ReadSetting(".\\Milliers", 32), 32);
    EXPECT_EQ(store.ReadSetting(".\\Point", 44), 44);
    EXPECT_EQ(store.LoadParity(), 6.5);
    std::string text = "garbage";
    EXPECT_FALSE(store.ReadSettingText(".\\Desktop\\Main", text, "dflt"));
    EXPECT_EQ(text, "dflt");
    EXPECT_FALSE(store.SettingExists(".\\Precision"));
}

TEST_F(SettingsStoreTest, IntegersAreLittleEndianDwordsUnderTheProgramKey) {
    EXPECT_TRUE(store.WriteSetting(".\\Precision", -1));
    const auto stored = registry.Get(kUser, kProgramKey, "Precision");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, ValueType::Dword);
    EXPECT_EQ(stored->data, (std::vector<unsigned char>{0xFF, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(store.ReadSetting(".\\Precision", 2), -1);

    EXPECT_TRUE(store.WriteSetting(".\\Milliers", 0x01020304));
    EXPECT_EQ(registry.Get(kUser, kProgramKey, "Milliers")->data, (std::vector<unsigned char>{4, 3, 2, 1}));
    EXPECT_TRUE(store.SettingExists(".\\Milliers"));
}

TEST_F(SettingsStoreTest, CharacterCodeAbove127ReadsBackFromItsLowByte) {
    store.WriteSetting(".\\Milliers", -96);
    EXPECT_EQ(static_cast<unsigned char>(store.ReadSetting(".\\Milliers", 32)), 160);
}

TEST_F(SettingsStoreTest, ValueOfAnotherTypeOrSizeReadsAsTheDefault) {
    registry.PutText(kUser, kProgramKey, "Precision", "3");  // fits in four bytes
    EXPECT_EQ(store.ReadSetting(".\\Precision", 2), 2);
    registry.PutText(kUser, kProgramKey, "Point", "a longer text");  // does not fit
    EXPECT_EQ(store.ReadSetting(".\\Point", 44), 44);
    // A REG_DWORD shorter or longer than four bytes.
    for (const std::vector<unsigned char>& bytes : {std::vector<unsigned char>{}, {0x2E}, {1, 0, 0}, {1, 0, 0, 0, 0}}) {
        registry.Put(kUser, kProgramKey, "Milliers", ValueType::Dword, bytes);
        EXPECT_EQ(store.ReadSetting(".\\Milliers", 32), 32) << bytes.size() << " bytes";
    }
    // A text read of another type fails, but its bytes are left in the text.
    registry.PutDword(kUser, kProgramKey + std::string("\\Desktop"), "Main", 5);
    std::string text;
    EXPECT_FALSE(store.ReadSettingText(".\\Desktop\\Main", text, "none"));
    EXPECT_EQ(text, "\x05");
    EXPECT_TRUE(store.SettingExists(".\\Precision"));  // any type counts
}

TEST_F(SettingsStoreTest, ProgramKeyFallsBackToTheApplicationNameThenDefaut) {
    MapStringTable empty;
    SettingsStore named(registry, empty, "MaCalc");
    named.WriteSetting(".\\TopMost", 1);
    EXPECT_TRUE(registry.Get(kUser, "Software\\Pemz\\MaCalc", "TopMost"));

    SettingsStore anonymous(registry, empty, "");
    EXPECT_EQ(anonymous.ResolveSettingPath(kUser, ".\\TopMost").key, "Software\\Pemz\\Defaut");
    anonymous.WriteSetting(".\\TopMost", 1);
    EXPECT_TRUE(registry.Get(kUser, "Software\\Pemz\\Defaut", "TopMost"));
}

TEST_F(SettingsStoreTest, TextsAreWrittenWithoutTerminatorAndReadWhole) {
    EXPECT_TRUE(store.WriteSettingText(".\\Desktop\\Fenêtre Principale", "100 80 352 412 0"));
    const auto stored = registry.Get(kUser, kProgramKey + std::string("\\Desktop"), "Fenetre Principale");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, ValueType::String);
    EXPECT_EQ(stored->data.size(), 16u);

    std::string text;
    EXPECT_TRUE(store.ReadSettingText(".\\Desktop\\Fenêtre Principale", text, ""));
    EXPECT_EQ(text, "100 80 352 412 0");

    // A registry that keeps a terminator, and a text far longer than any fixed buffer.
    const std::string longText(5000, 'x');
    registry.Put(kUser, kProgramKey, "Long", ValueType::String,
                 std::vector<unsigned char>(longText.begin(), longText.end()));
    EXPECT_TRUE(store.ReadSettingText(".\\Long", text, ""));
    EXPECT_EQ(text, longText);
    std::vector<unsigned char> terminated{'a', 'b', 0};
    registry.Put(kUser, kProgramKey, "Terminated", ValueType::String, terminated);
    EXPECT_TRUE(store.ReadSettingText(".\\Terminated", text, ""));
    EXPECT_EQ(text, "ab");

    EXPECT_TRUE(store.WriteSettingText(".\\Empty", ""));
    EXPECT_TRUE(store.ReadSettingText(".\\Empty", text, "dflt"));
    EXPECT_EQ(text, "");
}

TEST_F(SettingsStoreTest, WritesReportAKeyThatCannotBeCreatedOrAValueThatIsRefused) {
    for (bool keyRefused : {true, false}) {
        SCOPED_TRACE(keyRefused ? "key refused" : "value refused");
        registry.SetReadOnly(keyRefused);
        registry.SetRefusingValues(!keyRefused);
        EXPECT_FALSE(store.WriteSetting(".\\Precision", 1));
        EXPECT_FALSE(store.WriteSettingText(".\\Desktop\\Main", "1 2 3 4 0"));
        EXPECT_FALSE(store.SaveParity(7.0));
        EXPECT_EQ(store.ReadSetting(".\\Precision", 2), 2);
        EXPECT_EQ(store.LoadParity(), 6.5);
        EXPECT_FALSE(store.SettingExists(".\\Desktop\\Main"));
    }
}

TEST_F(SettingsStoreTest, ParityTextsReadAsTheirFirstNumberWhenItIsUsable) {
    const struct {
        std::string text;
        double parity;
    } table[] = {
        {"6,55957", 6.0},
        {"abc", 6.5},
        {"", 6.5},
        {"   6.559570", 6.55957},
        {"6.5e", 6.5},
        {"7.25 francs", 7.25},
        {"1e-320", 1e-320},
        // Not finite or not above zero: as if nothing were stored.
        {"0", 6.5},
        {"-3", 6.5},
        {"-0", 6.5},
        {"1e-400", 6.5},
        {"1e999", 6.5},
        {"inf", 6.5},
        {"nan", 6.5},
        {"0x10", 6.5},
        {std::string(1 << 20, '9'), 6.5},
        // Longer than the 20 bytes a fixed buffer would have read.
        {std::string(30, ' ') + "7.25", 7.25},
        {"6.5595712345678901234", 6.5595712345678901234},
    };
    for (const auto& row : table) {
        registry.PutText(kMachine, "Software\\Pemz", "Euro", row.text);
        EXPECT_EQ(store.LoadParity(), row.parity) << '"' << row.text.substr(0, 40) << '"';
    }
    registry.PutDword(kMachine, "Software\\Pemz", "Euro", 7);
    EXPECT_EQ(store.LoadParity(), 6.5);
    // The parity is read from the text whatever the value's type (REG_EXPAND_SZ, REG_BINARY).
    for (std::uint32_t type : {2u, 3u}) {
        const std::string text = "7.25";
        registry.Put(kMachine, "Software\\Pemz", "Euro", static_cast<ValueType>(type),
                     std::vector<unsigned char>(text.begin(), text.end()));
        EXPECT_EQ(store.LoadParity(), 7.25) << type;
    }
}

TEST_F(SettingsStoreTest, SaveParityStoresElevenCharactersWithoutTerminator) {
    EXPECT_TRUE(store.SaveParity(6.55957));
    const auto stored = registry.Get(kMachine, "Software\\Pemz", "Euro");
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->type, ValueType::String);
    EXPECT_EQ(stored->data.size(), 11u);
    EXPECT_EQ(TextOf(*stored), "   6.559570");
    EXPECT_EQ(store.LoadParity(), 6.55957);
}

TEST_F(SettingsStoreTest, SaveParityRefusesWhatIsNotFiniteAndPositive) {
    for (double bad : {0.0, -0.0, -6.55957, std::numeric_limits<double>::infinity(),
                       -std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        EXPECT_FALSE(store.SaveParity(bad)) << bad;
        EXPECT_FALSE(registry.Get(kMachine, "Software\\Pemz", "Euro")) << bad;
    }
}

TEST_F(SettingsStoreTest, EveryAcceptedParityReadsBackIdentical) {
    const double parities[] = {6.55957,
                               6.5,
                               7.0,
                               0.1,
                               1e-7,
                               6.5595712345,
                               1e12,
                               1e13,
                               1e20,
                               1.5e300,
                               DBL_MAX,
                               DBL_TRUE_MIN,
                               DBL_MIN,
                               1.0 / 3.0,
                               std::nextafter(6.55957, 7.0),
                               123456789.123456789};
    for (double parity : parities) {
        ASSERT_TRUE(store.SaveParity(parity)) << parity;
        EXPECT_EQ(store.LoadParity(), parity) << TextOf(*registry.Get(kMachine, "Software\\Pemz", "Euro"));
    }
}

TEST(FormatParityText, KeepsTheSixDecimalFormWhenItIsExact) {
    EXPECT_EQ(FormatParityText(6.55957), "   6.559570");
    EXPECT_EQ(FormatParityText(7.0), "   7.000000");
    EXPECT_EQ(FormatParityText(1234.5), "1234.500000");
    EXPECT_EQ(FormatParityText(1e12), "1000000000000.000000");
    // More digits only when six decimals would change the number.
    EXPECT_EQ(FormatParityText(6.5595712345), "6.5595712345");
    EXPECT_EQ(FormatParityText(1e-7), "1e-07");
    EXPECT_EQ(FormatParityText(1.0 / 3.0), "0.3333333333333333");
    EXPECT_EQ(FormatParityText(0.0), "");
}

}  // namespace
}  // namespace services
