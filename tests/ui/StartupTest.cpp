// Start-up: the state an empty store gives, and the shell registration of every start.
#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

using StartupTest = CalculatorTest;

TEST_F(StartupTest, EmptyStoreOpensWithTheDefaultsAtTheTopLeftCorner) {
    ASSERT_EQ(app.Start(), "");
    EXPECT_FALSE(OnTop());
    EXPECT_FALSE(reg::Setting("TopMost")) << "nothing is stored until the user toggles";
    EXPECT_EQ(Selection(kPrecisionSelector), 3);
    EXPECT_EQ(app.Text(kPrecisionSelector), "2");
    EXPECT_TRUE(Checked(kFrancsButton));
    EXPECT_FALSE(Checked(kEuroButton));
    EXPECT_EQ(app.Text(kParityLabel), "1 Euro=6,5 F");
    EXPECT_EQ(Shown(), Lines("0", "0,00"));
    EXPECT_EQ(app.Text(kMemoryIndicator), "");
    EXPECT_EQ(app.FocusId(), kFocusHolder);

    const RECT r = WindowRect(app.Window());
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);

    // The input line (francs) is yellow, the other one is not.
    EXPECT_TRUE(BecomesYellow(app.Item(kFrancsLine), true));
    EXPECT_NE(Background(app.Item(kEuroLine)), kYellow);
}

TEST_F(StartupTest, EveryStartRegistersWithTheShellBeforeTheWindowExists) {
    const std::string path = ProgramPath();
    auto same = [](const std::optional<std::string>& stored, const std::string& expected) {
        return stored && ::lstrcmpiA(stored->c_str(), expected.c_str()) == 0;
    };
    auto expectRegistration = [&](const std::string& icon) {
        EXPECT_EQ(reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc", ""), "Calculatrice Euro Pemz");
        auto command = reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc\\shell\\open\\command", "");
        const bool spaced = path.find(' ') != std::string::npos;
        EXPECT_TRUE(same(command, (spaced ? "\"" + path + "\"" : path) + " %1")) << command.value_or("<none>");
        auto storedIcon = reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc\\DefaultIcon", "");
        EXPECT_TRUE(same(storedIcon, icon)) << storedIcon.value_or("<none>");
        auto appPath = reg::GetString(HKEY_LOCAL_MACHINE, reg::kAppPathKey, "");
        EXPECT_TRUE(same(appPath, path)) << appPath.value_or("<none>");
        auto directory = reg::GetString(HKEY_LOCAL_MACHINE, reg::kAppPathKey, "Path");
        EXPECT_TRUE(same(directory, DirectoryOf(path))) << directory.value_or("<none>");
    };

    // The registry is read the moment the main window exists, before it can be shown.
    ASSERT_EQ(app.Start(/*onlyCreated=*/true), "");
    {
        SCOPED_TRACE("first start");
        expectRegistration(path + ",0");
    }
    app.Command(57665);
    ASSERT_TRUE(app.WaitForExit());

    // A later start rewrites the class and the application path, but keeps an icon already there.
    reg::DeleteTree(HKEY_CLASSES_ROOT, "PemzCalc\\shell");
    reg::DeleteTree(HKEY_LOCAL_MACHINE, reg::kAppPathKey);
    reg::SetString(HKEY_CLASSES_ROOT, "PemzCalc\\DefaultIcon", "", "C:\\Elsewhere\\Other.exe,3");
    Program second;
    ASSERT_EQ(second.Start(/*onlyCreated=*/true), "");
    SCOPED_TRACE("second start");
    expectRegistration("C:\\Elsewhere\\Other.exe,3");
}

}  // namespace
}  // namespace e2e
