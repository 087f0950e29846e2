// The application object and the framework services around it.
#include "framework/Application.h"

#include <htmlhelp.h>

#include <type_traits>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "framework/ModulePath.h"
#include "framework/ResourceBytes.h"
#include "framework/SystemLibrary.h"
#include "framework/WaitCursor.h"

namespace fw {

static_assert(std::is_same_v<LRESULT, MessageResult> && std::is_same_v<WPARAM, WordParam> &&
                  std::is_same_v<LPARAM, LongParam>,
              "command-table message types must be the platform's");

namespace {

Application* currentApplication = nullptr;

// WinHelp is not part of Windows from NT 6.0 (Vista) on. Without a compatibility
// manifest GetVersion reports 6.2 on Windows 8.1, 10 and 11: still 6 or more,
// which is all this asks.
bool WinHelpIsGone() {
    const DWORD version = ::GetVersion();
    const bool nt = (version & 0x80000000u) == 0;
    return nt && LOBYTE(LOWORD(version)) >= 6;
}

// The page of the .chm for a help context number, from the program's table
// IDR_HTMLHELP_CONTEXTS ("number=page;" entries); empty when it has none. The CHM's
// own [ALIAS] cannot be used: chmcmd stores its targets as build paths.
std::string ContextPage(ULONG_PTR context) {
    const ResourceBytes resource =
        FindResourceBytes(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_HTMLHELP_CONTEXTS), RT_RCDATA);
    if (!resource.data) return {};
    const std::string table(reinterpret_cast<const char*>(resource.data), resource.size);
    const std::string key = std::to_string(context) + "=";
    for (std::size_t at = 0; at < table.size();) {
        std::size_t end = table.find(';', at);
        if (end == std::string::npos) end = table.size();
        if (table.compare(at, key.size(), key) == 0) return table.substr(at + key.size(), end - at - key.size());
        at = end + 1;
    }
    return {};
}

const CommandEntry kFrameworkCommands[] = {
    OnCommand<&Application::OnAppExit>(ID_APP_EXIT),
};

}  // namespace

std::string ApplicationName() { return currentApplication ? currentApplication->Name() : ExecutableBaseName(); }

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

std::string Application::HelpFilePath() const { return ModulePathWithExtension(".HLP"); }

std::string Application::HtmlHelpFilePath() const { return ModulePathWithExtension(".chm"); }

// hhctrl.ocx is loaded at the first help request, never at start-up.
bool Application::HtmlHelpAvailable() {
    if (!WinHelpIsGone() || ::GetFileAttributesA(HtmlHelpFilePath().c_str()) == INVALID_FILE_ATTRIBUTES) return false;
    if (!htmlHelpLoaded_) {
        htmlHelpLoaded_ = true;
        htmlHelpLibrary_ = LoadSystemLibrary("hhctrl.ocx");
        htmlHelp_ = ProcAddress<HtmlHelpFunction>(htmlHelpLibrary_.get(), "HtmlHelpA");
    }
    return htmlHelp_ != nullptr;
}

// The WinHelp command in HTML Help's terms.
bool Application::RunHtmlHelpFor(HWND window, UINT command, ULONG_PTR data) {
    const std::string file = HtmlHelpFilePath();
    switch (command) {
    case HELP_QUIT: return RunHtmlHelp(window, nullptr, HH_CLOSE_ALL, 0);
    case HELP_FINDER: return RunHtmlHelp(window, file.c_str(), HH_DISPLAY_INDEX, 0);
    case HELP_CONTEXT: {
        const std::string page = ContextPage(data);
        if (page.empty()) return RunHtmlHelp(window, file.c_str(), HH_HELP_CONTEXT, data);
        return RunHtmlHelp(window, (file + "::/" + page).c_str(), HH_DISPLAY_TOPIC, 0);
    }
    case HELP_HELPONHELP: return RunHtmlHelp(window, (file + "::/" + kHelpOnHelpPage).c_str(), HH_DISPLAY_TOPIC, 0);
    default:  // HELP_INDEX (HELP_CONTENTS) and the rest: the default topic, with the contents
        return RunHtmlHelp(window, file.c_str(), HH_DISPLAY_TOC, 0);
    }
}

void Application::WinHelp(UINT command, ULONG_PTR data) {
    bool started = false;
    {
        WaitCursor wait;
        const bool html = HtmlHelpAvailable();
        started = html ? RunHtmlHelpFor(MainWindow(), command, data)
                       : RunHelpEngine(MainWindow(), HelpFilePath(), command, data);
        if (started) (html ? htmlHelpStarted_ : winHelpStarted_) = true;
    }
    if (!started) fw::MessageBox("Le démarrage de l'aide a échoué.");
}

void Application::QuitHelp() {
    if (winHelpStarted_) RunHelpEngine(MainWindow(), HelpFilePath(), HELP_QUIT, 0);
    if (htmlHelpStarted_) RunHtmlHelpFor(MainWindow(), HELP_QUIT, 0);
    winHelpStarted_ = htmlHelpStarted_ = false;
}

bool Application::RunHelpEngine(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data) {
    return ::WinHelpA(window, helpFile.c_str(), command, data) != FALSE;
}

// Its window is owned by `window`: in front of it, gone with it, and run by this
// thread's message loop, so the calculator keeps answering while it is open.
bool Application::RunHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data) {
    if (!htmlHelp_) return false;
    HWND viewer = htmlHelp_(window, file, command, data);
    return command == HH_CLOSE_ALL || viewer != nullptr;
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
