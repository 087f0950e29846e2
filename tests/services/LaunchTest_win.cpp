// Browser launch, support mail, command launch, message boxes, version text and the
// arithmetic fault handler, against real processes, Wine's registry and a stand-in MAPI32.DLL.
#include <gtest/gtest.h>

#include <windows.h>

#include <csignal>
#include <regex>
#include <string>

#include "framework/Application.h"
#include "services/Browser.h"
#include "services/CommandLaunch.h"
#include "services/MailMessage.h"
#include "services/Version.h"
#include "tests/services/WinTestSupport.h"

namespace services {
namespace {

using namespace testing_services;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(::tolower(static_cast<unsigned char>(c)));
    return text;
}

// ---- Browser -----------------------------------------------------------------

constexpr const char* kUserChoice =
    "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice";

// Points ".htm" at a class of the test's own for the test's duration, with no class
// chosen for http (Wine, like Windows 8 and later, names one).
class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        savedChoice_ = RegistryText(HKEY_CURRENT_USER, kUserChoice, "ProgId");
        DeleteRegistryValue(HKEY_CURRENT_USER, kUserChoice, "ProgId");
        htmExisted_ = RegistryKeyExists(HKEY_CLASSES_ROOT, ".htm");
        savedClass_ = RegistryText(HKEY_CLASSES_ROOT, ".htm");
        recordPath_ = ExeDirectory() + "recorder-out.txt";
        ::DeleteFileA(recordPath_.c_str());
        ::SetEnvironmentVariableA("PEMZ_RECORDER_OUT", recordPath_.c_str());
    }
    void TearDown() override {
        if (savedClass_)
            SetRegistryText(HKEY_CLASSES_ROOT, ".htm", "", *savedClass_);
        else if (htmExisted_)
            DeleteRegistryValue(HKEY_CLASSES_ROOT, ".htm", "");
        else
            DeleteRegistryTree(HKEY_CLASSES_ROOT, ".htm");
        DeleteRegistryTree(HKEY_CLASSES_ROOT, kClass);
        ::DeleteFileA(recordPath_.c_str());
        if (savedChoice_)
            SetRegistryText(HKEY_CURRENT_USER, kUserChoice, "ProgId", *savedChoice_);
        else
            DeleteRegistryValue(HKEY_CURRENT_USER, kUserChoice, "ProgId");
    }
    void RegisterClass(const std::string& openCommand, DWORD type = REG_SZ) {
        SetRegistryText(HKEY_CLASSES_ROOT, ".htm", "", kClass);
        SetRegistryText(HKEY_CLASSES_ROOT, std::string(kClass) + "\\shell\\open\\command", "", openCommand, type);
    }

    static constexpr const char* kClass = "PemzTest.Navigateur.Document";  // longer than 20 characters
    bool htmExisted_ = false;
    std::optional<std::string> savedClass_;
    std::optional<std::string> savedChoice_;
    std::string recordPath_;
};

TEST_F(BrowserTest, RecorderReceivesTheCommandLine) {
    const std::string recorder = "\"" + ExeDirectory() + "recorder.exe\"";
    RegisterClass(recorder + " -nohome %1 -ignored %1");
    EXPECT_TRUE(IsBrowserAvailable());

    MessageBoxWatcher watcher;
    ASSERT_TRUE(OpenUrl("http://www.pemz.example/support"));
    EXPECT_EQ(WaitForFileText(recordPath_), recorder + " -nohome http://www.pemz.example/support");

    // A command line far beyond 127 characters arrives whole.
    ::DeleteFileA(recordPath_.c_str());
    const std::string longUrl = "http://www.pemz.example/" + std::string(300, 'p') + "?q=1";
    ASSERT_TRUE(OpenUrl(longUrl));
    EXPECT_EQ(WaitForFileText(recordPath_), recorder + " -nohome " + longUrl);
    EXPECT_TRUE(watcher.Stop().empty());
}

// As browsers commonly register themselves: a command to expand, the address in quotes.
TEST_F(BrowserTest, ExpandableCommandGetsTheAddressInItsQuotedPlaceholder) {
    ::SetEnvironmentVariableA("PEMZ_BROWSER_DIR", ExeDirectory().c_str());
    RegisterClass("\"%PEMZ_BROWSER_DIR%recorder.exe\" -url \"%1\" -new", REG_EXPAND_SZ);
    MessageBoxWatcher watcher;
    ASSERT_TRUE(OpenUrl("http://www.pemz.example/support"));
    EXPECT_EQ(WaitForFileText(recordPath_),
              "\"" + ExeDirectory() + "recorder.exe\" -url \"http://www.pemz.example/support\" -new");
    EXPECT_TRUE(watcher.Stop().empty());
}

// On Windows 8 and later ".htm" often names the old browser; the user's choice for http wins.
TEST_F(BrowserTest, ClassChosenForHttpOpensThePageWhenItHasAnOpenCommand) {
    const std::string chosen = "PemzTest.Choisi";
    RegisterClass("C:\\pemz-absent\\ancien.exe %1");
    const std::string recorder = "\"" + ExeDirectory() + "recorder.exe\"";
    SetRegistryText(HKEY_CLASSES_ROOT, chosen + "\\shell\\open\\command", "", recorder + " -choisi \"%1\"");
    SetRegistryText(HKEY_CURRENT_USER, kUserChoice, "ProgId", chosen);
    MessageBoxWatcher watcher;
    const bool opened = OpenUrl("http://www.pemz.example/support");
    const auto recorded = WaitForFileText(recordPath_);

    // A choice whose class has no open command (an uninstalled browser) leaves ".htm" in charge.
    SetRegistryText(HKEY_CURRENT_USER, kUserChoice, "ProgId", "PemzTest.Absent");
    ::DeleteFileA(recordPath_.c_str());
    RegisterClass(recorder + " -htm %1");
    const bool fallback = OpenUrl("http://www.pemz.example/");
    const auto fallbackRecorded = WaitForFileText(recordPath_);

    DeleteRegistryTree(HKEY_CLASSES_ROOT, chosen);
    EXPECT_TRUE(opened);
    EXPECT_EQ(recorded, recorder + " -choisi \"http://www.pemz.example/support\"");
    EXPECT_TRUE(fallback);
    EXPECT_EQ(fallbackRecorded, recorder + " -htm http://www.pemz.example/");
    EXPECT_TRUE(watcher.Stop().empty());
}

TEST_F(BrowserTest, NoClassOrNoCommandFailsSilently) {
    MessageBoxWatcher watcher;
    SetRegistryText(HKEY_CLASSES_ROOT, ".htm", "", "");
    EXPECT_FALSE(OpenUrl("http://www.pemz.example/"));
    SetRegistryText(HKEY_CLASSES_ROOT, ".htm", "", kClass);  // a class without open command
    EXPECT_FALSE(OpenUrl("http://www.pemz.example/"));
    EXPECT_TRUE(watcher.Stop().empty());
}

TEST_F(BrowserTest, CommandThatCannotStartIsReported) {
    RegisterClass("C:\\pemz-absent\\navigateur.exe %1");
    MessageBoxWatcher watcher;
    EXPECT_FALSE(OpenUrl("http://www.pemz.example/"));
    const auto boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, fw::ApplicationName());
    EXPECT_TRUE(std::regex_match(boxes[0].text, std::regex(R"(Impossible de lancer l'explorateur Internet \(#[23]\))")))
        << boxes[0].text;
}

// ---- Command launch and messages ------------------------------------------------

TEST(RunCommandTest, FailureWithoutMessageNamesTheWholeCommand) {
    const std::string command = "C:\\pemz-absent\\" + std::string(400, 'x') + ".exe /a";
    MessageBoxWatcher watcher;
    EXPECT_FALSE(RunCommand(command));
    const auto boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(std::regex_match(
        boxes[0].text, std::regex("Impossible d'ex\xE9"
                                  "cuter la commande " +
                                  std::regex_replace(command, std::regex(R"(\\)"), R"(\\)") + R"( \(#[23]\))")))
        << boxes[0].text;
}

TEST(ShowMessageTest, ShowsTheWholeTextTitledWithTheApplicationName) {
    const std::string argument(1500, 'a');
    MessageBoxWatcher watcher;
    EXPECT_EQ(ShowMessage(MB_ICONHAND,
                          "D\xE9"
                          "but %s fin %d",
                          argument.c_str(), 42),
              IDOK);
    const auto boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "services_win_tests");
    EXPECT_EQ(boxes[0].text,
              "D\xE9"
              "but " +
                  argument + " fin 42");
}

TEST(ShowMessageTest, IdentifierWithoutEntry) {
    MessageBoxWatcher watcher;
    ShowMessageById(MB_ICONHAND, 5001, 8, 140);
    ShowMessageById(MB_OK, 5017);
    const auto boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text,
              "Erreur n\xB0"
              "5001");
    EXPECT_EQ(boxes[1].text, "Calculatrice Euro Pemz");
}

TEST(ArithmeticFaultTest, RaisedSignalShowsTheSystemModalBox) {
    InstallArithmeticFaultHandler();
    MessageBoxWatcher watcher;
    std::raise(SIGFPE);
    const auto boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Erreur n\xB0"
              "5001");
    EXPECT_TRUE(boxes[0].exStyle & WS_EX_TOPMOST) << "system-modal boxes stay on top";
}

// ---- Version ---------------------------------------------------------------------

TEST(VersionTest, FromEachExecutablesOwnResource) {
    EXPECT_EQ(FormatVersion("Version "), "Version 1.00");  // this program: 1,0,0,1
    EXPECT_EQ(FormatVersion(""), "1.00");
    const struct {
        const char* probe;
        const char* text;
    } table[] = {{"services_probe_2530", "2.05.3"},
                 {"services_probe_2507", "2.05"},
                 {"services_probe_1300", "2.44"},
                 {"services_probe", "0.00"}};
    for (const auto& row : table) {
        const std::string out = ExeDirectory() + row.probe + "-version.txt";
        ::DeleteFileA(out.c_str());
        ASSERT_EQ(RunProgram("\"" + ExeDirectory() + row.probe + ".exe\" version \"" + out + "\""), DWORD{0});
        EXPECT_EQ(ReadFileText(out), row.text) << row.probe;
        ::DeleteFileA(out.c_str());
    }
    ProductVersion version{1, 1};
    EXPECT_FALSE(ReadProductVersion(version, ExeDirectory() + "services_probe.exe"));
    EXPECT_EQ(version.version, 0);
    EXPECT_EQ(version.build, 0);
    EXPECT_TRUE(ReadProductVersion(version, ExeDirectory() + "services_probe_2530.exe"));
    EXPECT_EQ(version.version, 2 * 256 + 5);
    EXPECT_EQ(version.build, 3);
}

// ---- Support mail ------------------------------------------------------------------

// Puts a stand-in MAPI32.DLL beside the test program for the test's duration. Wine
// prefers its built-in mapi32 unless its configuration says otherwise for this program
// (the ctest fixture services_wine_mapi_override sets that before the program starts).
class MailTest : public ::testing::Test {
protected:
    void SetUp() override {
        mapi_ = ExeDirectory() + "MAPI32.DLL";
        record_ = ExeDirectory() + "mapi-record.txt";
        ::SetEnvironmentVariableA("PEMZ_MAPI_RECORD", record_.c_str());
        ::DeleteFileA(record_.c_str());
    }
    void TearDown() override {
        ::DeleteFileA(mapi_.c_str());
        ::DeleteFileA(record_.c_str());
        ::SetEnvironmentVariableA("PEMZ_MAPI_RESULT", nullptr);
    }
    void UseLibrary(const char* name) {
        ASSERT_TRUE(::CopyFileA((ExeDirectory() + name).c_str(), mapi_.c_str(), FALSE));
        HMODULE library = ::LoadLibraryA("MAPI32.DLL");
        ASSERT_TRUE(library);
        char path[MAX_PATH * 4] = {};
        ::GetModuleFileNameA(library, path, sizeof path);
        ::FreeLibrary(library);
        ASSERT_EQ(Lower(path), Lower(mapi_))
            << "Wine must load mapi32 native for this program "
               "(HKCU\\Software\\Wine\\AppDefaults\\services_win_tests.exe\\DllOverrides)";
    }

    std::string mapi_;
    std::string record_;
};

TEST_F(MailTest, SupportMailHandsOverOneRecipientAndTheSubject) {
    UseLibrary("pemz_test_mapi.dll");
    MessageBoxWatcher watcher;
    SendSupportMail("support@pemz.example");
    EXPECT_TRUE(watcher.Stop().empty());
    EXPECT_EQ(ReadFileText(record_),
              "session=0\nowner=none\nflags=9\nreserved=0\nsubject=\"Support Technique\"\nnote=\"\"\nfiles=0\n"
              "originator=0\nrecipients=1\nrecipient=1 \"support@pemz.example\" null\ncapture=none\n");
}

TEST_F(MailTest, OwnerStaysDisabledDuringTheHandOverAndIsActiveAfter) {
    UseLibrary("pemz_test_mapi.dll");
    fw::Application application;
    HWND owner = ::CreateWindowExA(0, "STATIC", "Propri\xE9taire", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100,
                                   nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    application.SetMainWindow(owner);
    SendSupportMail("support@pemz.example");
    const auto record = ReadFileText(record_);
    ASSERT_TRUE(record);
    EXPECT_NE(record->find("owner=window"), std::string::npos) << *record;
    EXPECT_NE(record->find("capture=owner"), std::string::npos) << *record;
    EXPECT_NE(record->find("between dialogs=disabled"), std::string::npos) << *record;
    // The stand-in left the owner disabled, as a mail client may.
    EXPECT_TRUE(::IsWindowEnabled(owner));
    EXPECT_EQ(::GetActiveWindow(), owner);
    EXPECT_EQ(::GetCapture(), nullptr);
    application.SetMainWindow(nullptr);
    ::DestroyWindow(owner);
}

TEST_F(MailTest, CancelAndFailedLogOnAreNotErrors) {
    UseLibrary("pemz_test_mapi.dll");
    for (const char* code : {"0", "1", "3"}) {
        ::SetEnvironmentVariableA("PEMZ_MAPI_RESULT", code);
        MessageBoxWatcher watcher;
        MailMessage message;
        message.AddRecipient("support@pemz.example");
        message.SetSubject("Support Technique");
        EXPECT_TRUE(message.Send(MAPI_LOGON_UI | MAPI_DIALOG)) << code;
        EXPECT_EQ(message.status(), std::stoul(code));
        EXPECT_TRUE(watcher.Stop().empty()) << code;
    }
}

TEST_F(MailTest, OtherMapiErrorShowsTheSendMessage) {
    UseLibrary("pemz_test_mapi.dll");
    ::SetEnvironmentVariableA("PEMZ_MAPI_RESULT", "2");  // MAPI_E_FAILURE
    MessageBoxWatcher watcher;
    MailMessage message;
    message.AddRecipient("support@pemz.example");
    EXPECT_FALSE(message.Send(MAPI_LOGON_UI | MAPI_DIALOG));
    EXPECT_EQ(message.status(), 2u);
    const auto boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "La messagerie \xE9lectronique n'a pas pu envoyer le message.");
    EXPECT_EQ(boxes[0].caption, fw::ApplicationName());
}

TEST_F(MailTest, LibraryWithoutSendMailShowsTheLibraryMessage) {
    UseLibrary("pemz_test_mapi_nosend.dll");
    MessageBoxWatcher watcher;
    SendSupportMail("support@pemz.example");
    const auto boxes = watcher.Stop();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "La DLL syst\xE8me de la messagerie n'est pas valide.");
    EXPECT_FALSE(ReadFileText(record_));
}

TEST_F(MailTest, AvailabilityFollowsWinIniAndIsComputedOnce) {
    char saved[64] = {};
    const bool hadEntry = ::GetProfileStringA("MAIL", "MAPI", "", saved, sizeof saved) > 0;
    const std::string probe = "\"" + ExeDirectory() + "services_probe.exe\" mail \"" + record_ + "\" ";
    ::WriteProfileStringA("MAIL", "MAPI", "1");
    ASSERT_EQ(RunProgram(probe + "0"), DWORD{0});
    EXPECT_EQ(ReadFileText(record_), "1 1");
    ASSERT_EQ(RunProgram(probe + "1"), DWORD{0});  // the previous run wrote 0
    EXPECT_EQ(ReadFileText(record_), "0 0");
    ::WriteProfileStringA("MAIL", "MAPI", hadEntry ? saved : nullptr);
}

TEST_F(MailTest, CurrentDirectoryIsNotSearchedForLibraries) {
    // A library that exists only in the current directory (the test directory); the
    // probe runs from a directory of its own, and the system directories do not have it.
    const std::string probe =
        "\"" + ExeDirectory() + "dllsearch\\services_probe.exe\" dllsearch \"" + record_ + "\" pemz_test_mapi.dll";
    ASSERT_EQ(RunProgram(probe, ExeDirectory()), DWORD{0});
    const auto before = ReadFileText(record_);
    ASSERT_TRUE(before);
    EXPECT_EQ(Lower(*before), Lower(ExeDirectory() + "pemz_test_mapi.dll"))
        << "the plain search takes the current directory";

    ASSERT_EQ(RunProgram(probe + " remove", ExeDirectory()), DWORD{0});
    EXPECT_EQ(ReadFileText(record_), "none");
}

}  // namespace
}  // namespace services
