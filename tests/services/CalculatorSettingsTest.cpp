// The calculator's settings against the in-memory registry: the names existing
// registries hold, the low-byte and sign rules, and a store that refuses writes.
#include <gtest/gtest.h>

#include "res/resource.h"
#include "services/CalculatorSettings.h"
#include "services/MemoryKeyValueStore.h"

namespace services {
namespace {

constexpr auto kUser = RegistryRoot::CurrentUser;
const char kProgramKey[] = "Software\\Pemz\\PemzCalc";

class CalculatorSettingsTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(registry.OpenKeyCount(), 0u); }

    // Every saved setting in one state, for the failure tests.
    void SaveAll() {
        ASSERT_TRUE(settings.SaveTopMost(true));
        ASSERT_TRUE(settings.SavePrecision(-1));
        ASSERT_TRUE(settings.SaveInputCurrency(1));
        ASSERT_TRUE(settings.SaveParity(6.55957));
        ASSERT_TRUE(settings.SaveSeparatorAndPoint('.', '\0'));
    }

    static void ExpectAllSaved(const CalculatorSettings& settings) {
        const calc::EngineSettings loaded = settings.Load();
        EXPECT_TRUE(settings.TopMost());
        EXPECT_EQ(loaded.precision, -1);
        EXPECT_EQ(loaded.euroInput, 1);
        EXPECT_EQ(loaded.presentation.parity, 6.55957);
        EXPECT_EQ(loaded.presentation.thousandsSeparator, '.');
        EXPECT_EQ(loaded.presentation.decimalPoint, '\0');
    }

    MemoryKeyValueStore registry;
    MapStringTable strings{{{IDS_PROGRAM_KEY, "PemzCalc"}}};
    SettingsStore store{registry, strings, "pemzcalc"};
    CalculatorSettings settings{store};
};

TEST_F(CalculatorSettingsTest, AnEmptyStoreGivesTheStartUpDefaults) {
    const calc::EngineSettings loaded = settings.Load();
    EXPECT_FALSE(settings.TopMost());
    EXPECT_EQ(loaded.precision, 2);
    EXPECT_EQ(loaded.euroInput, 0);
    EXPECT_EQ(loaded.presentation.parity, 6.5);
    EXPECT_EQ(loaded.presentation.thousandsSeparator, ' ');
    EXPECT_EQ(loaded.presentation.decimalPoint, ',');
}

TEST_F(CalculatorSettingsTest, SavesUnderTheNamesExistingRegistriesHold) {
    SaveAll();
    ExpectAllSaved(settings);
    for (const char* name : {"TopMost", "Precision", "SaisieEuro", "Milliers", "Point"})
        EXPECT_TRUE(registry.Get(kUser, kProgramKey, name)) << name;
    EXPECT_TRUE(registry.Get(RegistryRoot::LocalMachine, "Software\\Pemz", "Euro"));
}

TEST_F(CalculatorSettingsTest, SwitchesAndCharactersReadTheirLowByteOnly) {
    registry.PutDword(kUser, kProgramKey, "TopMost", 0x100);
    registry.PutDword(kUser, kProgramKey, "SaisieEuro", 0x1FF);
    registry.PutDword(kUser, kProgramKey, "Milliers", 0x32E);
    registry.PutDword(kUser, kProgramKey, "Point", -0x100 + 0xA0);
    registry.PutDword(kUser, kProgramKey, "Precision", 0x104);  // the whole number counts
    const calc::EngineSettings loaded = settings.Load();
    EXPECT_FALSE(settings.TopMost());
    EXPECT_NE(loaded.euroInput, 0);
    EXPECT_EQ(loaded.presentation.thousandsSeparator, '.');
    EXPECT_EQ(loaded.presentation.decimalPoint, '\xA0');
    EXPECT_EQ(loaded.precision, 0x104);

    // A character above 127 is stored negative and reads back as itself.
    ASSERT_TRUE(settings.SaveSeparatorAndPoint('\xA0', '\xB7'));
    EXPECT_EQ(registry.Get(kUser, kProgramKey, "Milliers")->data, (std::vector<unsigned char>{0xA0, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(settings.Load().presentation.thousandsSeparator, '\xA0');
    EXPECT_EQ(settings.Load().presentation.decimalPoint, '\xB7');
}

TEST_F(CalculatorSettingsTest, AStoreThatRefusesWritesKeepsWhatItHadAndSaysSo) {
    SaveAll();
    for (const bool readOnly : {false, true}) {
        registry.SetRefusingValues(!readOnly);
        registry.SetReadOnly(readOnly);
        EXPECT_FALSE(settings.SaveTopMost(false)) << readOnly;
        EXPECT_FALSE(settings.SavePrecision(4)) << readOnly;
        EXPECT_FALSE(settings.SaveInputCurrency(0)) << readOnly;
        EXPECT_FALSE(settings.SaveParity(7.0)) << readOnly;
        EXPECT_FALSE(settings.SaveSeparatorAndPoint(' ', ',')) << readOnly;
        ExpectAllSaved(settings);
    }
}

TEST_F(CalculatorSettingsTest, WhatTheWindowShowsAfterAChangeIsWhatTheStoreHolds) {
    EXPECT_EQ(settings.StorePrecision(3), 3);
    EXPECT_EQ(settings.StoreInputCurrency(1), 1);
    const auto taken = settings.StorePresentation(7.25, ' ', ',');
    EXPECT_TRUE(taken.taken);
    EXPECT_EQ(taken.presentation.parity, 7.25);
    EXPECT_EQ(taken.presentation.thousandsSeparator, ' ');
    // A field without a usable parity keeps the stored one and is no refusal.
    const auto withoutParity = settings.StorePresentation(std::nullopt, '.', ',');
    EXPECT_TRUE(withoutParity.taken);
    EXPECT_EQ(withoutParity.presentation.parity, 7.25);
    EXPECT_EQ(withoutParity.presentation.thousandsSeparator, '.');

    registry.SetReadOnly(true);
    EXPECT_EQ(settings.StorePrecision(-1), 3);
    EXPECT_EQ(settings.StoreInputCurrency(0), 1);
    const auto refused = settings.StorePresentation(6.5, '\'', '.');
    EXPECT_FALSE(refused.taken);
    EXPECT_EQ(refused.presentation.parity, 7.25);
    EXPECT_EQ(refused.presentation.thousandsSeparator, '.');
    EXPECT_EQ(refused.presentation.decimalPoint, ',');
}

}  // namespace
}  // namespace services
