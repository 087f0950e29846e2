// Setting path expansion and the Windows-1252 character rule.
#include <gtest/gtest.h>

#include <string>

#include "services/SettingPath.h"

namespace services {
namespace {

TEST(CharacterRule, KeepsLettersDigitsAndTheListedPunctuation) {
    const std::string kept = "AZaz09 '-.\\{}";
    for (char c : kept) EXPECT_EQ(CleanPathCharacter(c), c) << c;
}

TEST(CharacterRule, DropsTheAccentOfTheListedLowerCaseLetters) {
    const struct {
        unsigned char code;
        char plain;
    } table[] = {{0xE0, 'a'}, {0xE2, 'a'}, {0xE7, 'c'}, {0xE8, 'e'}, {0xE9, 'e'},
                 {0xEA, 'e'}, {0xEE, 'i'}, {0xF4, 'o'}, {0xF9, 'u'}, {0xFB, 'u'}};
    for (const auto& row : table)
        EXPECT_EQ(CleanPathCharacter(static_cast<char>(row.code)), row.plain) << int{row.code};
}

TEST(CharacterRule, TurnsEveryOtherCharacterIntoUnderscore) {
    // Other punctuation, control characters, capital accented letters, ë ï ü, other high codes.
    const unsigned char others[] = {'(',  ')',  '_',  '/',  ':',  '%',  '"',  0x01, 0x7F,
                                    0x80, 0xA0, 0xC9, 0xC0, 0xEB, 0xEF, 0xFC, 0xE1, 0xFF};
    for (unsigned char code : others) EXPECT_EQ(CleanPathCharacter(static_cast<char>(code)), '_') << int{code};
}

struct PathCase {
    RegistryRoot root;
    std::string path;
    std::string key;
    std::string valueName;
};

TEST(ResolveSettingPath, ExpandsCleansAndSplits) {
    const PathCase cases[] = {
        {RegistryRoot::CurrentUser, ".\\Precision", "Software\\Pemz\\PemzCalc", "Precision"},
        {RegistryRoot::LocalMachine, ".\\Precision", "Software\\Pemz\\PemzCalc", "Precision"},
        {RegistryRoot::ClassesRoot, ".\\", "PemzCalc", ""},
        {RegistryRoot::ClassesRoot, ".\\shell\\open\\command\\", "PemzCalc\\shell\\open\\command", ""},
        {RegistryRoot::ClassesRoot, ".htm\\", ".htm", ""},
        {RegistryRoot::LocalMachine, "Software\\Pemz\\Euro", "Software\\Pemz", "Euro"},
        {RegistryRoot::CurrentUser, ".\\Desktop\\Fenêtre Principale", "Software\\Pemz\\PemzCalc\\Desktop",
         "Fenetre Principale"},
        {RegistryRoot::CurrentUser, ".\\Desktop\\Calc(2)", "Software\\Pemz\\PemzCalc\\Desktop", "Calc_2_"},
        // Codes other than 1 and 2 get no prefix.
        {static_cast<RegistryRoot>(7), ".\\TopMost", "PemzCalc", "TopMost"},
        // No backslash: a value directly under the root.
        {RegistryRoot::CurrentUser, "Loose", "", "Loose"},
    };
    for (const auto& c : cases) {
        const SettingLocation location = ResolveSettingPath(c.root, c.path, "PemzCalc");
        EXPECT_EQ(location.key, c.key) << c.path;
        EXPECT_EQ(location.valueName, c.valueName) << c.path;
    }
}

TEST(ResolveSettingPath, CleansTheProgramKeyToo) {
    EXPECT_EQ(ResolveSettingPath(RegistryRoot::CurrentUser, ".\\TopMost", "Défaut").key, "Software\\Pemz\\Defaut");
}

TEST(ResolveSettingPath, KeepsLongPathsWhole) {
    const std::string base(120, 'B');
    const SettingLocation location = ResolveSettingPath(
        RegistryRoot::LocalMachine, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + base + ".EXE\\Path",
        "PemzCalc");
    EXPECT_EQ(location.key, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + base + ".EXE");
    EXPECT_EQ(location.valueName, "Path");
}

}  // namespace
}  // namespace services
