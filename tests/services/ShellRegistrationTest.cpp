// Self-registration entries and the browser lookup, against the in-memory registry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
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
    MapStringTable strings{{{IDS_PROGRAM_KEY, "PemzCalc"}, {IDS_DESCRIPTION, "Calculatrice Euro Pemz"}}};
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

TEST_F(ShellRegistrationTest, EntriesAlreadyInPlaceAreNotWrittenAgain) {
    RegisterWithShell(store, "C:\\Calc\\PemzCalc.exe", "PemzCalc");
    registry.SetReadOnly(true);  // any write would now fail, and so would the result
    EXPECT_TRUE(RegisterWithShell(store, "C:\\Calc\\PemzCalc.exe", "PemzCalc"));
    registry.SetReadOnly(false);
    // The same characters under another type are not the entry: it is replaced.
    const std::string directory = "C:\\Calc";
    registry.Put(kMachine, kAppPaths + "PemzCalc.EXE", "Path", static_cast<ValueType>(2),
                 std::vector<unsigned char>(directory.begin(), directory.end()));
    RegisterWithShell(store, "C:\\Calc\\PemzCalc.exe", "PemzCalc");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE", "Path"), directory);
}

TEST_F(ShellRegistrationTest, RootDirectoryPathLosesItsBackslash) {
    RegisterWithShell(store, "C:\\PemzCalc.exe", "PemzCalc");
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE", "Path"), "C:");
}

TEST_F(ShellRegistrationTest, WithoutDescriptionOnlyTheApplicationPathIsWritten) {
    MapStringTable onlyKey{{{IDS_PROGRAM_KEY, "PemzCalc"}}};
    SettingsStore bare(registry, onlyKey, "PemzCalc");
    EXPECT_TRUE(RegisterWithShell(bare, "C:\\Calc\\PemzCalc.exe", "PemzCalc"));
    EXPECT_FALSE(registry.HasKey(kClasses, "PemzCalc"));
    EXPECT_EQ(Text(kMachine, kAppPaths + "PemzCalc.EXE"), "C:\\Calc\\PemzCalc.exe");
}

TEST_F(ShellRegistrationTest, ExtensionEntryNeedsBothClassAndExtension) {
    MapStringTable withExtension{
        {{IDS_PROGRAM_KEY, "PemzCalc"}, {IDS_DESCRIPTION, "Calculatrice Euro Pemz"}, {IDS_EXTENSION, "pmz"}}};
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

TEST_F(ShellRegistrationTest, BrowserLookupNeedsAClassAndAReadableOpenCommand) {
    // Stands in for the environment: %ROOT% expands, anything else with a % cannot.
    const ExpandEnvironment expand = [](const std::string& text) -> std::optional<std::string> {
        const std::size_t at = text.find("%ROOT%");
        if (at != std::string::npos) return text.substr(0, at) + "C:\\Nav" + text.substr(at + 6);
        if (text.find('%') != std::string::npos && text.find("%1") == std::string::npos) return std::nullopt;
        return text;
    };
    auto lookup = [&] { return BrowserCommandFor(store, "http://x", expand); };
    EXPECT_FALSE(HasBrowser(store, expand));
    registry.PutText(kClasses, ".htm", "", "");
    EXPECT_FALSE(HasBrowser(store, expand));
    // A class name longer than 20 characters is as good as any other, but a class is not
    // enough: its open command must be there and readable.
    const std::string className = "Navigateur.Document.Html.Version.2";
    const std::string commandKey = className + "\\shell\\open\\command";
    registry.PutText(kClasses, ".htm", "", className);
    EXPECT_FALSE(HasBrowser(store, expand));
    registry.PutText(kClasses, commandKey, "", "");
    EXPECT_FALSE(HasBrowser(store, expand));
    registry.PutDword(kClasses, commandKey, "", 1);
    EXPECT_FALSE(HasBrowser(store, expand));
    EXPECT_FALSE(lookup());

    registry.PutText(kClasses, commandKey, "", "C:\\nav.exe -nohome %1");
    EXPECT_TRUE(HasBrowser(store, expand));
    EXPECT_EQ(lookup(), "C:\\nav.exe -nohome http://x");
    std::string command;
    EXPECT_TRUE(ReadOpenCommand(store, className, command, expand));
    EXPECT_EQ(command, "C:\\nav.exe -nohome %1");

    // REG_EXPAND_SZ is expanded before use; one that cannot be expanded is no command.
    const std::string expandable = "\"%ROOT%\\nav.exe\" \"%1\"";
    registry.Put(kClasses, commandKey, "", ValueType::ExpandString,
                 std::vector<unsigned char>(expandable.begin(), expandable.end()));
    EXPECT_EQ(lookup(), "\"C:\\Nav\\nav.exe\" \"http://x\"");
    const std::string unknown = "%NOWHERE%\\nav.exe";
    registry.Put(kClasses, commandKey, "", ValueType::ExpandString,
                 std::vector<unsigned char>(unknown.begin(), unknown.end()));
    EXPECT_FALSE(HasBrowser(store, expand));
    EXPECT_EQ(registry.OpenKeyCount(), 0u);
}

TEST_F(ShellRegistrationTest, BrowserTheUserChoseForHttpComesBeforeTheHtmClass) {
    const ExpandEnvironment expand = [](const std::string& text) { return std::optional<std::string>(text); };
    const std::string userChoice =
        "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";
    registry.PutText(kClasses, ".htm", "", "OldHtml");
    registry.PutText(kClasses, "OldHtml\\shell\\open\\command", "", "old.exe %1");
    registry.PutText(kClasses, "ChosenUrl\\shell\\open\\command", "", "\"chosen.exe\" -- \"%1\"");
    EXPECT_EQ(BrowserCommandFor(store, "http://x", expand), "old.exe http://x");

    registry.PutText(RegistryRoot::CurrentUser, userChoice, "ProgId", "ChosenUrl");
    EXPECT_EQ(BrowserCommandFor(store, "http://x", expand), "\"chosen.exe\" -- \"http://x\"");
    // A choice naming a class without an open command, or naming nothing, leaves ".htm" in charge.
    registry.PutText(RegistryRoot::CurrentUser, userChoice, "ProgId", "AppX.Removed");
    EXPECT_EQ(BrowserCommandFor(store, "http://x", expand), "old.exe http://x");
    registry.PutText(RegistryRoot::CurrentUser, userChoice, "ProgId", "");
    EXPECT_EQ(BrowserCommandFor(store, "http://x", expand), "old.exe http://x");
    // The choice alone is enough.
    registry.PutText(RegistryRoot::CurrentUser, userChoice, "ProgId", "ChosenUrl");
    registry.PutText(kClasses, ".htm", "", "");
    EXPECT_TRUE(HasBrowser(store, expand));
}

}  // namespace
}  // namespace services
