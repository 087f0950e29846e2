// The setup as a user's machine sees it: a silent install into a folder whose
// path holds spaces, registered by the setup itself, the installed program started
// and closed, a silent uninstall (refused while the calculator runs) that leaves only
// the settings, or removes them with Windows' per-user copies of the parity when asked.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/ui/Driver.h"

namespace e2e {
namespace {

constexpr const char* kUninstallKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\PemzCalc";
constexpr const char* kUninstaller = "Desinstaller.exe";
// A standard user's parity, kept by Windows for the 32-bit program: on 64-bit and 32-bit Windows.
constexpr const char* kVirtualParityKeys[] = {"Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\WOW6432Node\\Pemz",
                                              "Software\\Classes\\VirtualStore\\MACHINE\\SOFTWARE\\Pemz"};

std::vector<std::string> ShippedNames() {
    std::vector<std::string> names;
    std::istringstream list(PEMZ_SHIPPED_NAMES);
    for (std::string name; std::getline(list, name, '|');) names.push_back(name);
    return names;
}

bool Exists(const std::string& path) { return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Contents(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

std::string CommonPrograms() {
    char path[MAX_PATH] = "";
    ::SHGetFolderPathA(nullptr, CSIDL_COMMON_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, path);
    return path;
}

// The file a shortcut starts, or empty.
std::string ShortcutTarget(const std::string& link) {
    std::string target;
    IShellLinkA* shellLink = nullptr;
    if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                  reinterpret_cast<void**>(&shellLink))))
        return target;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        std::wstring wide(link.begin(), link.end());
        char path[MAX_PATH] = "";
        if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ)) && SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, 0)))
            target = path;
        file->Release();
    }
    shellLink->Release();
    return target;
}

// "a.b.c.d" from a file's fixed version record, or empty without one.
std::string ProductVersion(const std::string& path) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::vector<char> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!size || !::GetFileVersionInfoA(path.c_str(), 0, size, block.data()) ||
        !::VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return {};
    return std::to_string(HIWORD(fixed->dwProductVersionMS)) + "." + std::to_string(LOWORD(fixed->dwProductVersionMS)) +
           "." + std::to_string(HIWORD(fixed->dwProductVersionLS)) + "." +
           std::to_string(LOWORD(fixed->dwProductVersionLS));
}

// Runs a command line and waits until it and every process it started have
// ended: the uninstaller hands over to a copy of itself and returns at once, and
// that copy stays in the job. The exit code of the first process, or empty.
std::optional<DWORD> RunToTheEnd(std::string commandLine) {
    UniqueKernelHandle job(::CreateJobObjectA(nullptr, nullptr));
    UniqueKernelHandle port(::CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1));
    JOBOBJECT_ASSOCIATE_COMPLETION_PORT association{job.get(), port.get()};
    if (!job || !port ||
        !::SetInformationJobObject(job.get(), JobObjectAssociateCompletionPortInformation, &association,
                                   sizeof association))
        return std::nullopt;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                          &startup, &info))
        return std::nullopt;
    UniqueKernelHandle process(info.hProcess);
    UniqueKernelHandle thread(info.hThread);
    const bool inJob = ::AssignProcessToJobObject(job.get(), process.get());
    ::ResumeThread(thread.get());
    if (!inJob) return std::nullopt;
    DWORD message = 0;
    ULONG_PTR key = 0;
    LPOVERLAPPED overlapped = nullptr;
    // The time limit only ends a hung run; a finished run reports at once.
    while (::GetQueuedCompletionStatus(port.get(), &message, &key, &overlapped, 120000)) {
        if (message != JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO) continue;
        DWORD code = 0;
        ::GetExitCodeProcess(process.get(), &code);
        return code;
    }
    return std::nullopt;
}

class SetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::CoInitialize(nullptr);
        const char* programFiles = std::getenv("ProgramFiles");
        ASSERT_TRUE(programFiles);
        // Not the default folder, so that an ignored /D= shows.
        parent_ = std::string(programFiles) + "\\Pemz";
        dir_ = parent_ + "\\Calculatrice Euro essai";
        RemoveEverything();
    }
    void TearDown() override {
        RemoveEverything();
        ::CoUninitialize();
    }

    void RemoveEverything() {
        CleanProgramRegistry();
        reg::DeleteTree(HKEY_LOCAL_MACHINE, kUninstallKey);
        for (const char* key : kVirtualParityKeys) reg::DeleteTree(HKEY_CURRENT_USER, key);
        ::DeleteFileA(Shortcut().c_str());
        for (const std::string& name : ShippedNames()) ::DeleteFileA((dir_ + "\\" + name).c_str());
        ::DeleteFileA((dir_ + "\\" + kUninstaller).c_str());
        ::RemoveDirectoryA(dir_.c_str());
        ::RemoveDirectoryA(parent_.c_str());
    }

    std::string Shortcut() const { return CommonPrograms() + "\\Calculatrice Euro Pemz.lnk"; }
    std::string Installed(const std::string& name) const { return dir_ + "\\" + name; }
    std::optional<std::string> Uninstall(const char* name) const {
        return reg::GetString(HKEY_LOCAL_MACHINE, kUninstallKey, name);
    }
    void InstallSilently() const {
        // /D= comes last and unquoted, spaces and all.
        ASSERT_EQ(RunToTheEnd("\"" + ToWindowsPath(PEMZ_SETUP_PATH) + "\" /S /D=" + dir_), 0u);
    }
    // The shell registration: class, open command, icon, App Paths default and Path.
    std::vector<std::optional<std::string>> Registration() const {
        return {reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc", ""),
                reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc\\shell\\open\\command", ""),
                reg::GetString(HKEY_CLASSES_ROOT, "PemzCalc\\DefaultIcon", ""),
                reg::GetString(HKEY_LOCAL_MACHINE, reg::kAppPathKey, ""),
                reg::GetString(HKEY_LOCAL_MACHINE, reg::kAppPathKey, "Path")};
    }
    // What a standard user's runs leave: settings, and the parity in Windows' copy for that user.
    static void PlantSettings() {
        reg::SetDword(HKEY_CURRENT_USER, reg::kProgramKey, "Precision", 3);
        reg::SetString(HKEY_LOCAL_MACHINE, reg::kParityKey, "Euro", "6.55957");
        for (const char* key : kVirtualParityKeys) reg::SetString(HKEY_CURRENT_USER, key, "Euro", "6.5");
    }

    std::string parent_;
    std::string dir_;
};

TEST_F(SetupTest, InstallsRunsAndUninstallsLeavingOnlyTheSettings) {
    const std::string setup = ToWindowsPath(PEMZ_SETUP_PATH);
    InstallSilently();

    const std::string program = Installed("PemzCalc.exe");
    const std::string uninstaller = Installed(kUninstaller);
    for (const std::string& name : ShippedNames()) EXPECT_TRUE(Exists(Installed(name))) << name;
    EXPECT_EQ(Contents(program), Contents(ProgramPath())) << "the build's program, unchanged";
    EXPECT_TRUE(::lstrcmpiA(ShortcutTarget(Shortcut()).c_str(), program.c_str()) == 0) << ShortcutTarget(Shortcut());

    EXPECT_EQ(Uninstall("DisplayName"), "Calculatrice Euro Pemz");
    EXPECT_EQ(Uninstall("DisplayVersion"), PEMZ_VERSION);
    EXPECT_EQ(Uninstall("Publisher"), "Pemz");
    EXPECT_EQ(Uninstall("DisplayIcon"), program + ",0");
    EXPECT_EQ(Uninstall("UninstallString"), "\"" + uninstaller + "\"");
    EXPECT_EQ(Uninstall("QuietUninstallString"), "\"" + uninstaller + "\" /S");
    EXPECT_EQ(Uninstall("InstallLocation"), dir_);
    EXPECT_EQ(Uninstall("URLInfoAbout"), "https://pemz.example");
    EXPECT_EQ(reg::GetDword(HKEY_LOCAL_MACHINE, kUninstallKey, "NoModify"), 1u);
    EXPECT_EQ(reg::GetDword(HKEY_LOCAL_MACHINE, kUninstallKey, "NoRepair"), 1u);
    EXPECT_GE(reg::GetDword(HKEY_LOCAL_MACHINE, kUninstallKey, "EstimatedSize").value_or(0),
              Contents(program).size() / 1024);

    const std::string version = ProductVersion(ProgramPath());
    ASSERT_FALSE(version.empty());
    EXPECT_EQ(ProductVersion(setup), version);
    EXPECT_EQ(ProductVersion(uninstaller), version);

    // The setup registers the program before its first start, which a standard user's
    // start could not do; the program's own registration finds the same values.
    const auto registered = Registration();
    const std::vector<std::optional<std::string>> expected = {"Calculatrice Euro Pemz", "\"" + program + "\" %1",
                                                              program + ",0", program, dir_};
    EXPECT_EQ(registered, expected);
    Program app(program);
    ASSERT_EQ(app.Start(), "");
    EXPECT_EQ(Registration(), registered);

    const std::string quietUninstall = Uninstall("QuietUninstallString").value_or("");
    {
        SCOPED_TRACE("uninstall while the calculator runs");
        ASSERT_TRUE(RunToTheEnd(quietUninstall));
        EXPECT_TRUE(Exists(program));
        EXPECT_TRUE(reg::KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    }
    app.Command(57665);
    ASSERT_TRUE(app.WaitForExit());
    ASSERT_TRUE(reg::KeyExists(HKEY_CURRENT_USER, reg::kProgramKey)) << "the program saves its placement";
    PlantSettings();

    ASSERT_TRUE(RunToTheEnd(quietUninstall));
    EXPECT_FALSE(Exists(dir_)) << "the folder and everything in it";
    EXPECT_FALSE(Exists(parent_));
    EXPECT_FALSE(Exists(Shortcut()));
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, kUninstallKey));
    EXPECT_FALSE(reg::KeyExists(HKEY_CLASSES_ROOT, "PemzCalc"));
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, reg::kAppPathKey));
    // Silent, the user's settings and the parity stay.
    EXPECT_TRUE(reg::KeyExists(HKEY_CURRENT_USER, reg::kProgramKey));
    EXPECT_EQ(reg::GetString(HKEY_LOCAL_MACHINE, reg::kParityKey, "Euro"), "6.55957");
    for (const char* key : kVirtualParityKeys) EXPECT_EQ(reg::GetString(HKEY_CURRENT_USER, key, "Euro"), "6.5") << key;
}

TEST_F(SetupTest, UninstallAskedToRemoveTheSettingsRemovesWindowsCopiesOfTheParityToo) {
    InstallSilently();
    PlantSettings();
    ASSERT_TRUE(RunToTheEnd(Uninstall("QuietUninstallString").value_or("") + " /SUPPRIMER_REGLAGES"));
    EXPECT_FALSE(Exists(dir_));
    EXPECT_FALSE(reg::KeyExists(HKEY_CURRENT_USER, "Software\\Pemz"));
    EXPECT_FALSE(reg::KeyExists(HKEY_LOCAL_MACHINE, reg::kParityKey));
    for (const char* key : kVirtualParityKeys) EXPECT_FALSE(reg::KeyExists(HKEY_CURRENT_USER, key)) << key;
}

}  // namespace
}  // namespace e2e
