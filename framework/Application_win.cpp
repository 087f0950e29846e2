// The application object and the framework services around it.
#include "framework/Application.h"

#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/Dialog.h"
#include "framework/ModalScope.h"

namespace fw {

static_assert(std::is_same_v<LRESULT, MessageResult> && std::is_same_v<WPARAM, WordParam> &&
                  std::is_same_v<LPARAM, LongParam>,
              "command-table message types must be the platform's");

namespace {

Application* currentApplication = nullptr;

struct WaitCursorState {
    int depth = 0;
    HCURSOR restore = nullptr;
};
WaitCursorState waitCursor;

std::size_t FileNameStart(const std::string& path) {
    const std::size_t separator = path.find_last_of("\\/:");
    return separator == std::string::npos ? 0 : separator + 1;
}

// Position of the extension's dot in the file name, or npos.
std::size_t ExtensionStart(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    return dot != std::string::npos && dot >= FileNameStart(path) ? dot : std::string::npos;
}

std::string ExecutableBaseName() {
    const std::string path = ModulePath();
    const std::size_t start = FileNameStart(path);
    const std::size_t dot = ExtensionStart(path);
    return path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
}

const CommandEntry kFrameworkCommands[] = {
    OnCommand<&Application::OnAppExit>(ID_APP_EXIT),
};

}  // namespace

// ---- Services -----------------------------------------------------------------

namespace {

// Wide texts live in vectors: std::wstring's code comes precompiled from libstdc++,
// with the exception machinery the program is built without (40 KB).
using WideText = std::vector<wchar_t>;

// The running executable's full path, without terminator; empty when it cannot be obtained.
WideText ModuleWidePath() {
    WideText path(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
}

// The text in the ANSI code page, or nothing when a character has no exact form there.
std::optional<std::string> ExactAnsiText(const WideText& text) {
    if (text.empty()) return std::string();
    const int length = static_cast<int>(text.size());
    // Without WC_NO_BEST_FIT_CHARS "Ł" would become "L": a different, possibly existing, folder.
    const int size =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::nullopt;
    std::string ansi(static_cast<std::size_t>(size), '\0');
    BOOL usedDefault = FALSE;
    if (::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, ansi.data(), size, nullptr,
                              &usedDefault) != size ||
        usedDefault)
        return std::nullopt;
    return ansi;
}

}  // namespace

std::string ModulePath() {
    WideText path = ModuleWidePath();
    if (path.empty()) return {};
    if (std::optional<std::string> ansi = ExactAnsiText(path)) return *ansi;
    // The 8.3 form is plain ASCII wherever the volume keeps short names.
    path.push_back(L'\0');
    WideText shortPath(path.size());
    for (;;) {
        const DWORD length = ::GetShortPathNameW(path.data(), shortPath.data(), static_cast<DWORD>(shortPath.size()));
        if (length == 0) return {};
        if (length < shortPath.size()) {
            shortPath.resize(length);
            break;
        }
        shortPath.resize(length);  // the answer counts the terminator
    }
    return ExactAnsiText(shortPath).value_or(std::string());
}

std::string ApplicationName() { return currentApplication ? currentApplication->Name() : ExecutableBaseName(); }

int MessageBox(const std::string& text, UINT type, UINT helpContext) {
    if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
    const ModalScope modal;
    const std::string caption = ApplicationName();

    MSGBOXPARAMSA params{};
    params.cbSize = sizeof params;
    params.hwndOwner = modal.Owner();
    params.hInstance = ::GetModuleHandleA(nullptr);
    params.lpszText = text.c_str();
    params.lpszCaption = caption.c_str();
    params.dwStyle = type;
    params.dwContextHelpId = helpContext;
    return ::MessageBoxIndirectA(&params);
}

HWND GetSafeOwner(HWND parent, HWND* topLevelToReenable) {
    HWND owner = parent;
    if (!owner && currentApplication) owner = currentApplication->MainWindow();
    // A pop-up cannot be owned by a child window.
    while (owner && (::GetWindowLongA(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);

    HWND topLevel = owner;
    for (HWND up = owner; up; up = ::GetParent(up)) topLevel = up;

    // Without an explicit parent, the box goes over whatever the main window has open.
    if (!parent && owner) owner = ::GetLastActivePopup(owner);

    if (topLevelToReenable) {
        *topLevelToReenable = nullptr;
        if (topLevel && topLevel != owner && ::IsWindowEnabled(topLevel)) {
            ::EnableWindow(topLevel, FALSE);
            *topLevelToReenable = topLevel;
        }
    }
    return owner;
}

void BeginWaitCursor() {
    HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    HCURSOR previous = ::SetCursor(wait);
    if (waitCursor.depth++ == 0) waitCursor.restore = previous;
}

void EndWaitCursor() {
    if (waitCursor.depth == 0) return;
    if (--waitCursor.depth == 0) ::SetCursor(std::exchange(waitCursor.restore, nullptr));
}

// ---- Application ----------------------------------------------------------------

Application::Application() { currentApplication = this; }

Application::~Application() {
    if (currentApplication == this) currentApplication = nullptr;
}

Application* Application::Current() { return currentApplication; }

bool Application::InitInstance() { return false; }

CommandTable Application::Commands() const { return {}; }

bool Application::RouteCommand(unsigned id, unsigned notifyCode) {
    return fw::RouteCommand(*this, Commands(), id, notifyCode) ||
           fw::RouteCommand(*this, kFrameworkCommands, id, notifyCode);
}

std::string Application::Name() const { return ExecutableBaseName(); }

HINSTANCE Application::Instance() const { return ::GetModuleHandleA(nullptr); }

HWND Application::MainWindow() const { return mainDialog_ ? mainDialog_->Hwnd() : mainWindow_; }

void Application::SetMainWindow(HWND window) {
    mainWindow_ = window;
    mainDialog_ = nullptr;
}

void Application::SetMainWindow(const Dialog& dialog) {
    mainWindow_ = nullptr;
    mainDialog_ = &dialog;
}

void Application::ForgetMainDialog(const Dialog& dialog) {
    if (mainDialog_ == &dialog) mainDialog_ = nullptr;
}

std::string Application::HelpFilePath() const {
    std::string path = ModulePath();
    const std::size_t dot = ExtensionStart(path);
    if (dot != std::string::npos) path.resize(dot);
    return path + ".HLP";
}

void Application::WinHelp(UINT command, ULONG_PTR data) {
    bool started = false;
    {
        WaitCursor wait;
        started = RunHelpEngine(MainWindow(), HelpFilePath(), command, data);
    }
    if (started)
        helpStarted_ = true;
    else
        fw::MessageBox("Le démarrage de l'aide a échoué.");
}

void Application::QuitHelp() {
    if (helpStarted_) RunHelpEngine(MainWindow(), HelpFilePath(), HELP_QUIT, 0);
    helpStarted_ = false;
}

bool Application::RunHelpEngine(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data) {
    return ::WinHelpA(window, helpFile.c_str(), command, data) != FALSE;
}

void Application::OnAppExit() {
    if (HWND window = MainWindow()) ::SendMessageA(window, WM_CLOSE, 0, 0);
}

void Application::OnHelpIndex() { WinHelp(HELP_INDEX); }
void Application::OnHelpFinder() { WinHelp(HELP_FINDER); }
// The engine opens the help on help that the help file it shows names (ours is
// beside the program); without a file shown it looks for its own, which Wine lacks.
void Application::OnHelpUsing() {
    WinHelp(HELP_INDEX);
    WinHelp(HELP_HELPONHELP);
}

}  // namespace fw
