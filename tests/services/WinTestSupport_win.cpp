// Test helpers for the Windows services tests.
#include "tests/services/WinTestSupport.h"

#include <vector>

#include "framework/WindowText.h"

namespace testing_services {
std::string ExeDirectory() {
    char path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string text(path, length);
    return text.substr(0, text.find_last_of('\\') + 1);
}

std::optional<DWORD> RunProgram(const std::string& commandLine, const std::string& workingDirectory, DWORD timeoutMs) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!::CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingDirectory.empty() ? nullptr : workingDirectory.c_str(), &startup, &process))
        return std::nullopt;
    std::optional<DWORD> exitCode;
    if (::WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD code = 0;
        ::GetExitCodeProcess(process.hProcess, &code);
        exitCode = code;
    } else {
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return exitCode;
}

std::optional<std::string> ReadFileText(const std::string& path) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    std::string text;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
    ::CloseHandle(file);
    return text;
}

std::optional<std::string> WaitForFileText(const std::string& path, DWORD timeoutMs) {
    // The writers rename a finished file into place: once the name is there, the text is whole.
    const std::string directory = path.substr(0, path.find_last_of('\\') + 1);
    const HANDLE renamed = ::FindFirstChangeNotificationA(directory.c_str(), FALSE, FILE_NOTIFY_CHANGE_FILE_NAME);
    std::optional<std::string> text;
    for (;;) {
        text = ReadFileText(path);
        if (text || renamed == INVALID_HANDLE_VALUE || ::WaitForSingleObject(renamed, timeoutMs) != WAIT_OBJECT_0 ||
            !::FindNextChangeNotification(renamed))
            break;
    }
    if (renamed != INVALID_HANDLE_VALUE) ::FindCloseChangeNotification(renamed);
    return text ? text : ReadFileText(path);
}

std::optional<std::string> RegistryText(HKEY root, const std::string& key, const std::string& name) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::optional<std::string> text;
    if (::RegQueryValueExA(handle, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<char> data(size + 1, '\0');
        if (::RegQueryValueExA(handle, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) ==
            ERROR_SUCCESS)
            text = std::string(data.data());
    }
    ::RegCloseKey(handle);
    return text;
}

bool RegistryKeyExists(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
    ::RegCloseKey(handle);
    return true;
}

void SetRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& text, DWORD type) {
    HKEY handle = nullptr;
    if (::RegCreateKeyA(root, key.c_str(), &handle) != ERROR_SUCCESS) return;
    ::RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(handle);
}

void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &handle) != ERROR_SUCCESS) return;
    ::RegDeleteValueA(handle, name.c_str());
    ::RegCloseKey(handle);
}

void DeleteRegistryKeyIfEmpty(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return;
    DWORD subkeys = 1;
    DWORD values = 1;
    const LONG result = ::RegQueryInfoKeyA(handle, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                           nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(handle);
    if (result == ERROR_SUCCESS && subkeys == 0 && values == 0) ::RegDeleteKeyA(root, key.c_str());
}

void DeleteRegistryTree(HKEY root, const std::string& key) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExA(root, key.c_str(), 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
    std::vector<std::string> children;
    char name[1024];
    for (DWORD index = 0; ::RegEnumKeyA(handle, index, name, sizeof name) == ERROR_SUCCESS; ++index)
        children.push_back(name);
    ::RegCloseKey(handle);
    for (const auto& child : children) DeleteRegistryTree(root, key + "\\" + child);
    ::RegDeleteKeyA(root, key.c_str());
}

MessageBoxWatcher::MessageBoxWatcher() : thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() { Stop(); }

std::vector<MessageBoxWatcher::Box> MessageBoxWatcher::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return boxes_;
}

void MessageBoxWatcher::Watch() {
    const DWORD self = ::GetCurrentProcessId();
    while (!stop_) {
        HWND box = nullptr;
        while ((box = ::FindWindowExA(nullptr, box, "#32770", nullptr)) != nullptr) {
            DWORD process = 0;
            ::GetWindowThreadProcessId(box, &process);
            if (process != self || !::IsWindowVisible(box)) continue;
            // The message box's text is its static control 0xFFFF.
            const std::string caption = fw::WindowText(box);
            const std::string text = fw::WindowText(::GetDlgItem(box, 0xFFFF));
            {
                std::lock_guard<std::mutex> lock(mutex_);
                boxes_.push_back(Box{caption, text, ::GetWindowLongA(box, GWL_EXSTYLE)});
            }
            ::PostMessageA(box, WM_COMMAND, IDOK, 0);
            // Wait for it to go before looking again, or the same box would count twice.
            while (!stop_ && ::IsWindow(box)) ::Sleep(10);
            break;
        }
        ::Sleep(10);
    }
}

}  // namespace testing_services
