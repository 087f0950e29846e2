// The settings store, the string table and the shell registration on Wine's registry.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/Application.h"
#include "framework/ModulePath.h"
#include "services/ProgramSettings.h"
#include "services/RegistryKeyValueStore.h"
#include "services/ShellRegistration.h"
#include "tests/services/WinTestSupport.h"

namespace services {
namespace {

using namespace testing_services;

const char kProgramKey[] = "Software\\Pemz\\PemzCalcTest";  // entry 5016 of this test program
const char kParityKey[] = "Software\\Pemz";
const std::string kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// Leaves the machine-wide parity as it found it.
class SavedParity {
public:
    SavedParity() : saved_(RegistryText(HKEY_LOCAL_MACHINE, kParityKey, "Euro")) {}
    ~SavedParity() {
        if (saved_) {
            SetRegistryText(HKEY_LOCAL_MACHINE, kParityKey, "Euro", *saved_);
        } else {
            DeleteRegistryValue(HKEY_LOCAL_MACHINE, kParityKey, "Euro");
            DeleteRegistryKeyIfEmpty(HKEY_LOCAL_MACHINE, kParityKey);
        }
    }

private:
    std::optional<std::string> saved_;
};

class RealRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey); }
    void TearDown() override {
        DeleteRegistryTree(HKEY_CURRENT_USER, kProgramKey);
        DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Pemz\\Defaut");
        DeleteRegistryKeyIfEmpty(HKEY_CURRENT_USER, "Software\\Pemz");
    }
    const SettingsStore& store = ProgramSettings();
    SavedParity parity;
};

TEST_F(RealRegistryTest, StringTableComesFromTheResources) {
    EXPECT_EQ(store.LoadResourceText(5016), "PemzCalcTest");
    EXPECT_EQ(store.LoadResourceText(5017), "Calculatrice Euro Pemz");
    EXPECT_EQ(store.LoadResourceText(5018), "");  // its block exists, the entry does not
    EXPECT_EQ(store.LoadResourceText(5001), "");  // no block at all
    std::string longEntry =
        "Une entr\xE9"
        "e longue: ";
    for (int i = 0; i < 28; ++i) longEntry += "0123456789";
    EXPECT_EQ(store.LoadResourceText(5020), longEntry + " fin");  // 303 characters
    EXPECT_EQ(store.ProgramKeyName(), "PemzCalcTest");
}

TEST_F(RealRegistryTest, EmptyRegistryGivesTheDefaults) {
    EXPECT_EQ(store.ReadSetting(".\\Precision", 2), 2);
    EXPECT_EQ(store.ReadSetting(".\\Milliers", 32), 32);
    EXPECT_EQ(store.ReadSetting(".\\Point", 44), 44);
    std::string text;
    EXPECT_FALSE(store.ReadSettingText(".\\Desktop\\Main", text, "dflt"));
    EXPECT_EQ(text, "dflt");
    EXPECT_FALSE(store.SettingExists(".\\Precision"));
}

TEST_F(RealRegistryTest, IntegersAndTypes) {
    EXPECT_TRUE(store.WriteSetting(".\\Milliers", -96));
    EXPECT_EQ(static_cast<unsigned char>(store.ReadSetting(".\\Milliers", 32)), 160);
    EXPECT_TRUE(store.SettingExists(".\\Milliers"));

    SetRegistryText(HKEY_CURRENT_USER, kProgramKey, "Precision", "3");
    EXPECT_EQ(store.ReadSetting(".\\Precision", 2), 2);
    EXPECT_TRUE(store.SettingExists(".\\Precision"));
}

TEST_F(RealRegistryTest, TextsUnderCleanedPaths) {
    EXPECT_TRUE(store.WriteSettingText(".\\Desktop\\Fenêtre Principale", "1 2 3 4 0"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, std::string(kProgramKey) + "\\Desktop", "Fenetre Principale"),
              "1 2 3 4 0");
    EXPECT_TRUE(store.WriteSettingText(".\\Desktop\\Calc(2)", "x"));
    EXPECT_EQ(RegistryText(HKEY_CURRENT_USER, std::string(kProgramKey) + "\\Desktop", "Calc_2_"), "x");

    // Far beyond 79 characters, and a text far beyond any small buffer.
    const std::string deep = ".\\" + std::string(100, 'k') + "\\" + std::string(50, 'v');
    const std::string longText(3000, 't');
    EXPECT_TRUE(store.WriteSettingText(deep, longText));
    std::string text;
    EXPECT_TRUE(store.ReadSettingText(deep, text, ""));
    EXPECT_EQ(text, longText);

    // ".htm\" is absolute, ".\" under root 0 is the class key's default value.
    std::string viaStore;
    store.ReadSettingText(".htm\\", viaStore, "none", RegistryRoot::ClassesRoot);
    EXPECT_EQ(viaStore, RegistryText(HKEY_CLASSES_ROOT, ".htm").value_or("none"));
}

TEST_F(RealRegistryTest, DefautWhenNeitherEntryNorApplicationName) {
    RegistryKeyValueStore registry;
    MapStringTable none;
    SettingsStore anonymous(registry, none, "");
    EXPECT_TRUE(anonymous.WriteSetting(".\\TopMost", 1));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, "Software\\Pemz\\Defaut"));
    EXPECT_EQ(anonymous.ReadSetting(".\\TopMost", 0), 1);
}

TEST_F(RealRegistryTest, ParityTexts) {
    EXPECT_TRUE(store.SaveParity(6.55957));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kParityKey, "Euro"), "   6.559570");
    EXPECT_EQ(store.LoadParity(), 6.55957);

    const struct {
        const char* text;
        double parity;
    } table[] = {{"6,55957", 6.0},
                 {"abc", 6.5},
                 {"", 6.5},
                 {"   6.559570", 6.55957},
                 {"                              7.25", 7.25}};
    for (const auto& row : table) {
        SetRegistryText(HKEY_LOCAL_MACHINE, kParityKey, "Euro", row.text);
        EXPECT_EQ(store.LoadParity(), row.parity) << row.text;
    }

    EXPECT_FALSE(store.SaveParity(0.0));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kParityKey, "Euro"), "                              7.25");
    for (double parity : {6.5595712345, 1e13, 1.0 / 3.0}) {
        EXPECT_TRUE(store.SaveParity(parity));
        EXPECT_EQ(store.LoadParity(), parity);
    }
}

// The registration of this test program (class "PemzCalcTest").
class ShellRegistrationWineTest : public ::testing::Test {
protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    void Clean() {
        DeleteRegistryTree(HKEY_CLASSES_ROOT, "PemzCalcTest");
        DeleteRegistryTree(HKEY_CLASSES_ROOT, "PemzCalcTestBare");
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPaths + fw::ApplicationName() + ".EXE");
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPaths + "services_probe.EXE");
        DeleteRegistryTree(HKEY_LOCAL_MACHINE, kAppPaths + kAccentedBase + ".EXE");
        ::DeleteFileA((ExeDirectory() + kAccentedName + ".exe").c_str());
    }

    static constexpr const char* kAccentedName = "Régistre très long nom de programme";
    static constexpr const char* kAccentedBase = "Registre tres long nom de programme";
};

TEST_F(ShellRegistrationWineTest, WritesClassIconAndApplicationPath) {
    const std::string exe = fw::ModulePath();
    const std::string base = fw::ApplicationName();
    ASSERT_EQ(base, "services_win_tests");  // 18 characters: beyond a 79-character path with "Path"
    EXPECT_EQ(DirectoryOfPath(exe), ExeDirectory());

    EXPECT_TRUE(RegisterWithShell());
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "PemzCalcTest"), "Calculatrice Euro Pemz");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "PemzCalcTest\\shell\\open\\command"), exe + " %1");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "PemzCalcTest\\DefaultIcon"), exe + ",0");
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kAppPaths + base + ".EXE"), exe);
    const std::string directory = ExeDirectory();
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kAppPaths + base + ".EXE", "Path"),
              directory.substr(0, directory.size() - 1));
}

TEST_F(ShellRegistrationWineTest, NeverOverwritesAnIcon) {
    SetRegistryText(HKEY_CLASSES_ROOT, "PemzCalcTest\\DefaultIcon", "", "C:\\ailleurs\\icones.dll,3");
    RegisterWithShell();
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "PemzCalcTest\\DefaultIcon"), "C:\\ailleurs\\icones.dll,3");
    EXPECT_EQ(RegistryText(HKEY_CLASSES_ROOT, "PemzCalcTest\\shell\\open\\command"), fw::ModulePath() + " %1");
}

TEST_F(ShellRegistrationWineTest, ProgramWithoutDescriptionWritesOnlyItsApplicationPath) {
    // services_probe.exe has entry 5016 ("PemzCalcTestBare") and no 5017.
    const std::string probe = ExeDirectory() + "services_probe.exe";
    ASSERT_EQ(RunProgram("\"" + probe + "\" register"), DWORD{0});
    EXPECT_FALSE(RegistryKeyExists(HKEY_CLASSES_ROOT, "PemzCalcTestBare"));
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kAppPaths + "services_probe.EXE"), probe);

    // An accented, long base name is written with the plain letters.
    const std::string accented = ExeDirectory() + kAccentedName + ".exe";
    ASSERT_TRUE(::CopyFileA(probe.c_str(), accented.c_str(), FALSE));
    ASSERT_EQ(RunProgram("\"" + accented + "\" register"), DWORD{0});
    EXPECT_EQ(RegistryText(HKEY_LOCAL_MACHINE, kAppPaths + kAccentedBase + ".EXE"), accented);
}

}  // namespace
}  // namespace services
