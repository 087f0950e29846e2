// Self-registration entries and the browser lookup, against the in-memory registry.
#include <gtest/gtest.h>

#include <string>

#include "services/Browser.h"
#include "services/MemoryKeyValueStore.h"
#include "services/ShellRegistration.h"

namespace services {
namespace {

constexpr auto kClasses = RegistryRoot::ClassesRoot;
constexpr auto kMachine = RegistryRoot::LocalMachine;
const std::string kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

class ShellRegistrationTest : public ::testing::Test {
protected:
    std::string Text(RegistryRoot root, const std::string& key, const std::string& name = "") {
        const auto value = registry.Get(root, key, name);
        if (!value) return "<missing>";
        EXPECT_EQ(value->type, ValueType::String);
        return std::string(value->data.begin(), value->data.end());
    }

    MemoryKeyValueStore registry;
    MapStringTable strings{{{kProgramKeyEntry, "PemzCalc"}, {kDescriptionEntry, "Calculatrice Euro Pemz"}}};
    SettingsStore store{registry, strings, "PemzCalc"};
};

TEST_F(ShellRegistrationTest, WritesClassIconAndApplicationPath) {
    EXPECT_TRUE(RegisterWithShell(store, "C:\\Calc\\PemzCalc.exe", "PemzCalc"));
    EXPECT_EQ(Text(kClasses, "PemzCalc"), "Calculatrice Euro Pemz");
    EXPECT_EQ(Text(kClasses, "PemzCalc\\shell\\open\\command"), "C:\\Calc\\PemzCalc.exe %1");
    EXPECT_EQ(Text(kClasses, "PemzCalc\\DefaultIcon"), "C:\\Calc\\PemzCalc.exe,0");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE"), "C:\\Calc\\PemzCalc.exe");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE", "Path"), "C:\\Calc");
    EXPECT_FALSE(registry.HasKey(kClasses, ".")) << "no extension entry without 5018";
    EXPECT_EQ(registry.OpenKeyCount(), 0u);
}

TEST_F(ShellRegistrationTest, RewritesEverythingButAnExistingIcon) {
    registry.PutText(kClasses, "PemzCalc\\DefaultIcon", "", "D:\\Other\\icons.dll,3");
    RegisterWithShell(store, "C:\\PemzCalc.exe", "PemzCalc");
    RegisterWithShell(store, "E:\\Moved\\PemzCalc.exe", "PemzCalc");
    EXPECT_EQ(Text(kClasses, "PemzCalc\\DefaultIcon"), "D:\\Other\\icons.dll,3");
    EXPECT_EQ(Text(kClasses, "PemzCalc\\shell\\open\\command"), "E:\\Moved\\PemzCalc.exe %1");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE", "Path"), "E:\\Moved");
}

TEST_F(ShellRegistrationTest, OnlyTheOpenCommandQuotesAPathWithASpace) {
    const std::string exe = "C:\\Program Files\\Pemz\\Calculatrice Euro\\PemzCalc.exe";
    RegisterWithShell(store, exe, "PemzCalc");
    EXPECT_EQ(Text(kClasses, "PemzCalc\\shell\\open\\command"), "\"" + exe + "\" %1");
    EXPECT_EQ(Text(kClasses, "PemzCalc\\DefaultIcon"), exe + ",0");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE"), exe);
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE", "Path"), "C:\\Program Files\\Pemz\\Calculatrice Euro");
}

TEST_F(ShellRegistrationTest, RootDirectoryPathLosesItsBackslash) {
    RegisterWithShell(store, "C:\\PemzCalc.exe", "PemzCalc");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE", "Path"), "C:");
}

TEST_F(ShellRegistrationTest, WithoutDescriptionOnlyTheApplicationPathIsWritten) {
    MapStringTable onlyKey{{{kProgramKeyEntry, "PemzCalc"}}};
    SettingsStore bare(registry, onlyKey, "PemzCalc");
    EXPECT_TRUE(RegisterWithShell(bare, "C:\\Calc\\PemzCalc.exe", "PemzCalc"));
    EXPECT_FALSE(registry.HasKey(kClasses, "PemzCalc"));
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE"), "C:\\Calc\\PemzCalc.exe");
}

TEST_F(ShellRegistrationTest, ExtensionEntryNeedsBothClassAndExtension) {
    MapStringTable withExtension{
        {{kProgramKeyEntry, "PemzCalc"}, {kDescriptionEntry, "Calculatrice Euro Pemz"}, {kExtensionEntry, "pmz"}}};
    SettingsStore full(registry, withExtension, "PemzCalc");
    RegisterWithShell(full, "C:\\Calc\\PemzCalc.exe", "PemzCalc");
    EXPECT_EQ(Text(kClasses, ".pmz"), "PemzCalc");
}

TEST_F(ShellRegistrationTest, KeyTextsFollowTheCharacterRuleDataStaysAsIs) {
    const std::string longName(60, 'L');
    RegisterWithShell(store, "C:\\Dossier é\\" + longName + ".exe", longName);
    EXPECT_EQ(Text(kMachine, kAppPaths + longName + ".EXE", "Path"), "C:\\Dossier é");
    RegisterWithShell(store, "C:\\Calc\\Régistre.exe", "Régistre");
    EXPECT_EQ(Text(kMachine, kAppPaths + "Registre.EXE"), "C:\\Calc\\Régistre.exe");
}

TEST_F(ShellRegistrationTest, PathIsWrittenEvenWithoutTheExecutablePath) {
    EXPECT_TRUE(RegisterWithShell(store, "", "PemzCalc"));
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE", "Path"), "");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE"), "<missing>");
    EXPECT_EQ(Text(kClasses, "PemzCalc\\shell\\open\\command"), "<missing>");
}

TEST_F(ShellRegistrationTest, BrowserLookupNeedsAClassAndItsOpenCommand) {
    EXPECT_FALSE(HasBrowserClass(store));
    EXPECT_FALSE(BrowserCommandFor(store, "http://x"));
    registry.PutText(kClasses, ".htm", "", "");
    EXPECT_FALSE(HasBrowserClass(store));
    // A class name longer than 20 characters is as good as any other.
    const std::string className = "Navigateur.Document.Html.Version.2";
    registry.PutText(kClasses, ".htm", "", className);
    EXPECT_TRUE(HasBrowserClass(store));
    EXPECT_FALSE(BrowserCommandFor(store, "http://x"));
    registry.PutText(kClasses, className + "\\shell\\open\\command", "", "");
    EXPECT_FALSE(BrowserCommandFor(store, "http://x"));
    registry.PutText(kClasses, className + "\\shell\\open\\command", "", "C:\\nav.exe -nohome %1");
    EXPECT_EQ(BrowserCommandFor(store, "http://x"), "C:\\nav.exe -nohome http://x");
    std::string command;
    EXPECT_TRUE(ReadOpenCommand(store, className, command));
    EXPECT_EQ(command, "C:\\nav.exe -nohome %1");
}

}  // namespace
}  // namespace services
