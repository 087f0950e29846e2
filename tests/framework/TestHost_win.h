// What the framework tests share: the test program's application object, a top-level
// main window, and a watcher that reads and closes the message boxes the code opens.
#ifndef PEMZ_TESTS_FRAMEWORK_TESTHOST_WIN_H
#define PEMZ_TESTS_FRAMEWORK_TESTHOST_WIN_H

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/UniqueHandle.h"

namespace fwtest {

class TestApplication : public fw::Application {
public:
    fw::CommandTable Commands() const override;

    void OnAppMenu() { log.push_back("app menu"); }
    void OnDialogMenu() { log.push_back("app dialog menu"); }
    void OnNotMenu() { log.push_back("app not menu"); }

    struct HelpCall {
        HWND window;
        std::string file;  // "" for none
        UINT command;      // HELP_* for WinHelp, HH_* for HTML Help
        ULONG_PTR data;
        bool html;
    };
    bool helpStarts = true;
    std::vector<HelpCall> helpCalls;
    std::vector<std::string> log;

protected:
    bool RunHelpEngine(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data) override;
    bool RunHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data) override;
};

TestApplication& TheApplication();

// A plain top-level window at a known place, 640 x 520 at (60, 60).
fw::UniqueWindow CreateMainWindow();

// Removes a pending WM_QUIT; returns whether there was one and its exit code.
bool TakeQuitMessage(int* exitCode = nullptr);

struct SeenBox {
    bool found = false;
    std::string caption;
    std::string text;
    HICON icon = nullptr;
    HWND owner = nullptr;
    bool ownerEnabled = true;
};

// Watches the calling thread for a message box (a "#32770" window other than `ignore`),
// reads it and presses OK. Finish() waits for the watcher, at most about five seconds.
class BoxWatcher {
public:
    explicit BoxWatcher(HWND ignore = nullptr);
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;
    // Stops watching (for calls that must not open a box) and returns what was seen.
    SeenBox Finish();

private:
    void Watch(DWORD threadId, HWND ignore);

    std::atomic<bool> stop_{false};
    SeenBox seen_;
    std::thread thread_;
};

std::string ExecutablePath();

}  // namespace fwtest

#endif
