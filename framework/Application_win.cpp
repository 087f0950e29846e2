// The application object and the framework services around it.
#include "framework/Application.h"

#include <type_traits>

#include "framework/Dialog.h"
#include "framework/MessageBox.h"
#include "framework/ModulePath.h"
#include "framework/WaitCursor.h"

namespace fw {

static_assert(std::is_same_v<LRESULT, MessageResult> && std::is_same_v<WPARAM, WordParam> &&
                  std::is_same_v<LPARAM, LongParam>,
              "command-table message types must be the platform's");

namespace {

Application* currentApplication = nullptr;

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
