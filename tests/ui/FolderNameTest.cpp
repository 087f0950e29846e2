// A copy of the program run from a folder whose name the ANSI code page (1252 here,
// as on a French system) spells exactly, spells only by best fit, or cannot spell:
// its help opens, the shell registration names its real folder, the about box its version.
#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

// The file an ANSI path names, spelled in full; "" when it names none.
std::wstring LongPathOf(const std::string& ansi) {
    const std::wstring path = WideText(ansi);
    std::wstring full(32768, L'\0');
    full.resize(::GetLongPathNameW(path.c_str(), full.data(), static_cast<DWORD>(full.size())));
    return full;
}

// The program and its help files copied into <temp>\<name>\PemzCalc, removed again at the end.
class ProgramCopy {
public:
    explicit ProgramCopy(const std::wstring& name) {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        outer_ = temp + name;
        folder_ = outer_ + L"\\PemzCalc";
        ::CreateDirectoryW(outer_.c_str(), nullptr);
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        const std::wstring from = WideText(DirectoryOf(ProgramPath())) + L"\\";
        for (const wchar_t* file : kFiles)
            copied_ = ::CopyFileW((from + file).c_str(), (folder_ + L"\\" + file).c_str(), FALSE) && copied_;
    }
    ~ProgramCopy() {
        for (const wchar_t* file : kFiles) ::DeleteFileW((folder_ + L"\\" + file).c_str());
        ::RemoveDirectoryW(folder_.c_str());
        ::RemoveDirectoryW(outer_.c_str());
    }
    ProgramCopy(const ProgramCopy&) = delete;
    ProgramCopy& operator=(const ProgramCopy&) = delete;

    bool Copied() const { return copied_; }
    std::wstring Program() const { return folder_ + L"\\PemzCalc.exe"; }
    std::wstring Folder() const { return folder_; }

private:
    static constexpr const wchar_t* kFiles[] = {L"PemzCalc.exe", L"PemzCalc.HLP", L"PemzAide.HLP"};
    std::wstring outer_;
    std::wstring folder_;
    bool copied_ = true;
};

bool SamePath(const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) == 0; }

class FolderNameTest : public CalculatorTest {
protected:
    void TearDown() override {
        EndProcessOf(WinHelpViewer(), kViewerWaitMs);  // with the "Cannot find" box a failure left
        CalculatorTest::TearDown();
    }
};

TEST_F(FolderNameTest, CopyOpensItsHelpRegistersItsRealFolderAndShowsItsVersion) {
    // "Élodie" has an exact CP1252 form; "Łukasz" only a best fit ("Lukasz", another folder);
    // "Кирилл" none at all ("??????").
    for (const std::wstring name : {L"\u00C9lodie", L"\u0141ukasz", L"\u041A\u0438\u0440\u0438\u043B\u043B"}) {
        SCOPED_TRACE(testing::Message() << "folder " << name);
        CleanProgramRegistry();
        ProgramCopy copy(name);
        ASSERT_TRUE(copy.Copied());
        Program program(copy.Program());
        ASSERT_EQ(program.Start(), "");

        // The registration names the copy itself, through a path the ANSI functions can open.
        const std::optional<std::string> command =
            reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc\\shell\\open\\command", "");
        ASSERT_TRUE(command);
        ASSERT_GT(command->size(), 3u);
        std::string commandPath = command->substr(0, command->size() - 3);  // " %1"
        if (commandPath.front() == '"') commandPath = commandPath.substr(1, commandPath.size() - 2);
        EXPECT_TRUE(SamePath(LongPathOf(commandPath), copy.Program())) << *command;
        const std::optional<std::string> icon = reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc\\DefaultIcon", "");
        EXPECT_EQ(icon, commandPath + ",0");
        const std::optional<std::string> appPath = reg::GetString(HKEY_LOCAL_MACHINE, reg::kAppPathKey, "");
        EXPECT_EQ(appPath, commandPath);
        const std::optional<std::string> directory = reg::GetString(HKEY_LOCAL_MACHINE, reg::kAppPathKey, "Path");
        EXPECT_TRUE(directory && SamePath(LongPathOf(*directory), copy.Folder())) << directory.value_or("<none>");

        program.Command(kAboutCommand);
        HWND about = program.WaitForWindow(kAboutCaption);
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(Program::TextOf(::GetDlgItem(about, kVersionLine)), "Version 1.00");
        ASSERT_TRUE(program.Click(::GetDlgItem(about, kAboutExit)));
        ASSERT_TRUE(program.WindowGone(about));

        // The viewer opens the help file beside the copy: its title, and no "Cannot find" box.
        program.Command(kHelpIndex);
        EXPECT_TRUE(WaitFor([] { return Program::TextOf(WinHelpViewer()) == "Aide de la Calculatrice Euro Pemz"; },
                            kViewerWaitMs));
        EXPECT_TRUE(program.Sync()) << "the help call is still waiting";
        EXPECT_EQ(WinHelpErrorBox(), nullptr);

        program.Command(kExit);
        ASSERT_TRUE(program.WaitForExit());
        EXPECT_TRUE(WaitFor([] { return WinHelpViewer() == nullptr; }, kViewerWaitMs));
    }
}

}  // namespace
}  // namespace e2e
