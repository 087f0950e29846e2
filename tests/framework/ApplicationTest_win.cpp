// The application object and the framework services: name, help, message boxes, safe
// owner, wait cursor, modeless switch, and the framework's entry in a program of its own.
#include "framework/Application.h"
#include "framework/MessageBox.h"
#include "framework/ModalScope.h"
#include "framework/WaitCursor.h"

#include <gtest/gtest.h>
#include <htmlhelp.h>

#include <fstream>
#include <iterator>
#include <string>

#include "tests/framework/TestHost_win.h"

namespace {

using fwtest::TheApplication;

TEST(Application, IsTheProgramsOneObjectNamedAfterTheExecutable) {
    EXPECT_EQ(fw::Application::Current(), &TheApplication());
    EXPECT_EQ(TheApplication().Name(), "framework_tests");
    EXPECT_EQ(fw::ApplicationName(), "framework_tests");
    EXPECT_EQ(TheApplication().Instance(), ::GetModuleHandleA(nullptr));
}

TEST(Application, HelpFileIsTheProgramPathWithHlp) {
    std::string expected = fwtest::ExecutablePath();
    ASSERT_GT(expected.size(), 4u);
    expected.replace(expected.size() - 4, 4, ".HLP");  // ".exe"
    EXPECT_EQ(TheApplication().HelpFilePath(), expected);
}

class ServicesTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow = fwtest::CreateMainWindow();
        ASSERT_TRUE(mainWindow);
        TheApplication().SetMainWindow(mainWindow.get());
        TheApplication().helpCalls.clear();
        TheApplication().helpStarts = true;
    }
    void TearDown() override { TheApplication().SetMainWindow(nullptr); }

    fw::UniqueWindow mainWindow;
};

TEST_F(ServicesTest, MessageBoxIsTitledWithTheApplicationNameAndOwnedByTheMainWindow) {
    fwtest::BoxWatcher watcher;
    EXPECT_EQ(fw::MessageBox("Texte d'essai é"), IDOK);
    const fwtest::SeenBox box = watcher.Finish();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.caption, "framework_tests");
    EXPECT_EQ(box.text, "Texte d'essai é");
    EXPECT_EQ(box.icon, ::LoadIconA(nullptr, IDI_EXCLAMATION));  // added: no icon was asked for
    EXPECT_EQ(box.owner, mainWindow.get());
    EXPECT_FALSE(box.ownerEnabled);
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.get()));
}

TEST_F(ServicesTest, MessageBoxKeepsTheIconAskedFor) {
    fwtest::BoxWatcher watcher;
    EXPECT_EQ(fw::MessageBox("Arrêt", MB_ICONHAND), IDOK);
    const fwtest::SeenBox box = watcher.Finish();
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.icon, ::LoadIconA(nullptr, IDI_HAND));
}

TEST_F(ServicesTest, HelpThatCannotStartIsReported) {
    TheApplication().helpStarts = false;
    fwtest::BoxWatcher watcher;
    TheApplication().WinHelp(HELP_FINDER, 5);
    const fwtest::SeenBox box = watcher.Finish();
    ASSERT_EQ(TheApplication().helpCalls.size(), 1u);
    const auto& call = TheApplication().helpCalls[0];
    EXPECT_EQ(call.window, mainWindow.get());
    EXPECT_EQ(call.file, TheApplication().HelpFilePath());
    EXPECT_EQ(call.command, static_cast<UINT>(HELP_FINDER));
    EXPECT_EQ(call.data, 5u);
    ASSERT_TRUE(box.found);
    EXPECT_EQ(box.text, "Le démarrage de l'aide a échoué.");
    EXPECT_EQ(box.caption, "framework_tests");
}

TEST_F(ServicesTest, HelpThatStartsShowsNothing) {
    fwtest::BoxWatcher watcher;
    TheApplication().OnHelpUsing();
    EXPECT_FALSE(watcher.Finish().found);
    // Our help file, which names the help on help, is shown first.
    ASSERT_EQ(TheApplication().helpCalls.size(), 2u);
    EXPECT_EQ(TheApplication().helpCalls[0].command, static_cast<UINT>(HELP_INDEX));
    EXPECT_EQ(TheApplication().helpCalls[1].command, static_cast<UINT>(HELP_HELPONHELP));
}

// Where WinHelp is gone (Wine reports Windows 10) every help command goes to HTML Help
// while the .chm is beside the program, and to WinHelp again once it is not.
TEST_F(ServicesTest, HelpGoesToHtmlHelpWhileTheChmIsBesideTheProgram) {
    if (LOBYTE(LOWORD(::GetVersion())) < 6) GTEST_SKIP() << "this Windows has WinHelp";
    const std::string chm = TheApplication().HtmlHelpFilePath();
    const std::string hlp = TheApplication().HelpFilePath();
    ASSERT_EQ(chm.substr(0, chm.size() - 4) + ".HLP", hlp);
    EXPECT_EQ(::GetModuleHandleA("hhctrl.ocx"), nullptr) << "loaded before any help request";
    std::ofstream(chm) << "stand-in";
    TheApplication().QuitHelp();  // the viewer an earlier test started
    TheApplication().helpCalls.clear();

    TheApplication().OnHelpIndex();
    EXPECT_NE(::GetModuleHandleA("hhctrl.ocx"), nullptr);
    TheApplication().OnHelpFinder();
    TheApplication().OnHelpUsing();
    TheApplication().WinHelp(HELP_CONTEXT, 7);  // a number of the program's context table
    TheApplication().WinHelp(HELP_CONTEXT, 5);  // not in it: left to the CHM's own map
    TheApplication().QuitHelp();
    ::DeleteFileA(chm.c_str());
    TheApplication().OnHelpFinder();
    TheApplication().QuitHelp();

    const fwtest::TestApplication::HelpCall expected[] = {
        {mainWindow.get(), chm, HH_DISPLAY_TOC, 0, true},
        {mainWindow.get(), chm, HH_DISPLAY_INDEX, 0, true},
        {mainWindow.get(), chm, HH_DISPLAY_TOC, 0, true},
        {mainWindow.get(), chm + "::/utiliser.htm", HH_DISPLAY_TOPIC, 0, true},
        {mainWindow.get(), chm + "::/sept.htm", HH_DISPLAY_TOPIC, 0, true},
        {mainWindow.get(), chm, HH_HELP_CONTEXT, 5, true},
        {mainWindow.get(), "", HH_CLOSE_ALL, 0, true},
        {mainWindow.get(), hlp, HELP_FINDER, 0, false},
        {mainWindow.get(), hlp, HELP_QUIT, 0, false},
    };
    const auto& calls = TheApplication().helpCalls;
    ASSERT_EQ(calls.size(), std::size(expected));
    for (std::size_t i = 0; i < calls.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(calls[i].html, expected[i].html);
        EXPECT_EQ(calls[i].command, expected[i].command);
        EXPECT_EQ(calls[i].file, expected[i].file);
        EXPECT_EQ(calls[i].data, expected[i].data);
        EXPECT_EQ(calls[i].window, expected[i].window);
    }
}

TEST_F(ServicesTest, ModalScopeSkipsChildrenAndDisablesTheTopLevelWindow) {
    fw::UniqueWindow child(::CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, mainWindow.get(), nullptr,
                                           nullptr, nullptr));
    fw::UniqueWindow popup(
        ::CreateWindowA("Static", "", WS_POPUP, 0, 0, 10, 10, mainWindow.get(), nullptr, nullptr, nullptr));
    {
        const fw::ModalScope modal(child.get());
        EXPECT_EQ(modal.Owner(), mainWindow.get());
        EXPECT_TRUE(::IsWindowEnabled(mainWindow.get()));  // the owner is its own top-level window
    }
    {
        const fw::ModalScope modal(popup.get());
        EXPECT_EQ(modal.Owner(), popup.get());
        EXPECT_FALSE(::IsWindowEnabled(mainWindow.get()));
    }
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.get()));

    EXPECT_EQ(fw::SafeOwner(nullptr), mainWindow.get());
    TheApplication().SetMainWindow(nullptr);
    EXPECT_EQ(fw::SafeOwner(nullptr), nullptr);
    { const fw::ModalScope modal; }
}

TEST_F(ServicesTest, ModalScopeEnablesAgainOnlyWhatItDisabled) {
    fw::UniqueWindow popup(
        ::CreateWindowA("Static", "", WS_POPUP, 0, 0, 10, 10, mainWindow.get(), nullptr, nullptr, nullptr));
    {
        const fw::ModalScope modal(popup.get());
        EXPECT_EQ(modal.Owner(), popup.get());
        EXPECT_FALSE(::IsWindowEnabled(mainWindow.get()));
    }
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.get()));

    ::EnableWindow(mainWindow.get(), FALSE);  // disabled by someone else: stays so
    { const fw::ModalScope modal(popup.get()); }
    EXPECT_FALSE(::IsWindowEnabled(mainWindow.get()));
}

TEST(Services, WaitCursorNestsAndRestores) {
    HCURSOR arrow = ::LoadCursorA(nullptr, IDC_ARROW);
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    ::SetCursor(arrow);
    {
        fw::WaitCursor outer;
        EXPECT_EQ(::GetCursor(), wait);
        fw::BeginWaitCursor();
        fw::EndWaitCursor();
        EXPECT_EQ(::GetCursor(), wait);  // the outer one still holds
    }
    EXPECT_EQ(::GetCursor(), arrow);
    fw::EndWaitCursor();  // unbalanced: ignored
    EXPECT_EQ(::GetCursor(), arrow);
}

// The probe is a program of its own: its global application object and the framework's WinMain.
DWORD RunProbe(const std::string& arguments) {
    std::string path = fwtest::ExecutablePath();
    path.replace(path.find_last_of('\\') + 1, std::string::npos, "framework_entry_probe.exe");
    std::string commandLine = "\"" + path + "\" " + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                          &process)) {
        ADD_FAILURE() << "cannot start " << path;
        return 0xFFFFFFFF;
    }
    DWORD exitCode = 0xFFFFFFFF;
    EXPECT_EQ(::WaitForSingleObject(process.hProcess, 20000), WAIT_OBJECT_0);
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return exitCode;
}

TEST(Entry, WinMainRunsInitInstanceOfTheStaticApplicationObject) {
    char directory[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, directory);
    const std::string report = std::string(directory) + "framework_entry_probe.txt";
    ::DeleteFileA(report.c_str());

    EXPECT_EQ(RunProbe("once \"" + report + "\""), 0u);
    std::ifstream in(report);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "framework_entry_probe 1");
    in.close();
    ::DeleteFileA(report.c_str());

    // InitInstance returning true gets the framework's message loop, which ends on WM_QUIT.
    EXPECT_EQ(RunProbe("loop \"" + report + "\""), 5u);
}

}  // namespace
