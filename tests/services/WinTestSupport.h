// Helpers of the Windows services tests: child processes, files, raw registry
// access, and a watcher that reads and closes this process's message boxes.
#ifndef PEMZ_TESTS_SERVICES_WINTESTSUPPORT_H
#define PEMZ_TESTS_SERVICES_WINTESTSUPPORT_H

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace testing_services {

// The directory of the running test program, with its trailing backslash.
std::string ExeDirectory();

// Runs a command line (optionally in a working directory) and returns its exit
// code, or nothing when it could not start or did not end within the timeout.
std::optional<DWORD> RunProgram(const std::string& commandLine, const std::string& workingDirectory = std::string(),
                                DWORD timeoutMs = 10000);

std::optional<std::string> ReadFileText(const std::string& path);
// Waits for the file to be renamed into place and reads it; nothing when no such file
// appeared within the timeout.
std::optional<std::string> WaitForFileText(const std::string& path, DWORD timeoutMs = 10000);

// The raw REG_SZ value (no terminator), read without the code under test.
std::optional<std::string> RegistryText(HKEY root, const std::string& key, const std::string& name = std::string());
bool RegistryKeyExists(HKEY root, const std::string& key);
void SetRegistryText(HKEY root, const std::string& key, const std::string& name, const std::string& text,
                     DWORD type = REG_SZ);
void DeleteRegistryValue(HKEY root, const std::string& key, const std::string& name);
// Deletes a key with all its subkeys; nothing when it does not exist.
void DeleteRegistryTree(HKEY root, const std::string& key);
// Deletes a key only when it holds neither subkeys nor values (a parent key that
// a test may have created, and that others may use too).
void DeleteRegistryKeyIfEmpty(HKEY root, const std::string& key);

// Watches, on its own thread, for dialog boxes ("#32770") of this process; records
// each one's caption, message text and extended style, then closes it with IDOK.
class MessageBoxWatcher {
public:
    struct Box {
        std::string caption;
        std::string text;
        LONG exStyle;
    };

    MessageBoxWatcher();
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Stops watching and returns the boxes seen so far.
    std::vector<Box> Stop();

private:
    void Watch();

    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> boxes_;
    std::thread thread_;
};

}  // namespace testing_services

#endif
