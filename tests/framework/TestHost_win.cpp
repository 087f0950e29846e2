// The framework tests' application object, main window and message-box watcher.
#include "tests/framework/TestHost_win.h"

#include "framework/WindowText.h"
#include "tests/framework/FrameworkTestIds.h"

namespace fwtest {

namespace {

TestApplication theApplication;

const fw::CommandEntry kApplicationCommands[] = {
    fw::OnCommand<&TestApplication::OnAppMenu>(ID_TEST_APP_MENU),
    fw::OnCommand<&TestApplication::OnDialogMenu>(ID_TEST_DIALOG_MENU),
    fw::OnCommand<&TestApplication::OnNotMenu>(IDC_TEST_NOT_MENU),
    fw::OnCommand<&fw::Application::OnHelpIndex>(ID_HELP),
};

constexpr char kMainWindowClass[] = "FrameworkTestMain";

std::string ClassName(HWND window) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

struct Search {
    HWND ignore;
    HWND box;
};

BOOL CALLBACK FindBox(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    if (window == search.ignore || !::IsWindowVisible(window) || ClassName(window) != "#32770") return TRUE;
    search.box = window;
    return FALSE;
}

}  // namespace

fw::CommandTable TestApplication::Commands() const { return kApplicationCommands; }

bool TestApplication::RunHelpEngine(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data) {
    helpCalls.push_back({window, helpFile, command, data, false});
    return helpStarts;
}

bool TestApplication::RunHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data) {
    helpCalls.push_back({window, file ? file : "", command, data, true});
    return helpStarts;
}

TestApplication& TheApplication() { return theApplication; }

fw::UniqueWindow CreateMainWindow() {
    static const ATOM registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        windowClass.lpszClassName = kMainWindowClass;
        return ::RegisterClassA(&windowClass);
    }();
    (void)registered;
    return fw::UniqueWindow(::CreateWindowA(kMainWindowClass, "Fenêtre principale", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                            60, 60, 640, 520, nullptr, nullptr, ::GetModuleHandleA(nullptr), nullptr));
}

bool TakeQuitMessage(int* exitCode) {
    MSG message;
    if (!::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    if (exitCode) *exitCode = static_cast<int>(message.wParam);
    return true;
}

BoxWatcher::BoxWatcher(HWND ignore) : thread_(&BoxWatcher::Watch, this, ::GetCurrentThreadId(), ignore) {}

BoxWatcher::~BoxWatcher() { Finish(); }

SeenBox BoxWatcher::Finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return seen_;
}

// Looks until a box shows or the watch ends: a box is modal, so once the action that would
// show one has returned without this having closed it, there was none.
void BoxWatcher::Watch(DWORD threadId, HWND ignore) {
    for (;;) {
        Search search{ignore, nullptr};
        ::EnumThreadWindows(threadId, &FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.box) {
            seen_.found = true;
            seen_.caption = fw::WindowText(search.box);
            seen_.owner = ::GetWindow(search.box, GW_OWNER);
            seen_.ownerEnabled = seen_.owner && ::IsWindowEnabled(seen_.owner);
            for (HWND child = ::GetWindow(search.box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                if (ClassName(child) != "Static") continue;
                if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
                    seen_.icon = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
                } else if (seen_.text.empty()) {
                    seen_.text = fw::WindowText(child);
                }
            }
            ::PostMessageA(search.box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            return;
        }
        if (stop_) return;
        ::Sleep(10);
    }
}

std::string ExecutablePath() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

}  // namespace fwtest
