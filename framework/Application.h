// The application object, and its name, which services use with or without one.
#ifndef PEMZ_FRAMEWORK_APPLICATION_H
#define PEMZ_FRAMEWORK_APPLICATION_H

#include <windows.h>

#include <string>

#include "framework/CommandTable.h"
#include "framework/FrameworkIds.h"
#include "framework/UniqueHandle.h"

namespace fw {

class Dialog;

// ---- Services usable without an application object --------------------------

// The application's Name(), or the executable's base name when there is no application object.
std::string ApplicationName();

// ---- The application object -------------------------------------------------

// One global instance, constructed during static initialisation; the framework's WinMain
// calls its InitInstance and ends the process when it returns false.
class Application : public CommandTarget {
public:
    Application();
    virtual ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Current();

    // Start-up; false ends the program without a message loop. Default: false.
    virtual bool InitInstance();
    // The application's own command table, reached for menu commands (0x8000-0xEFFF) that
    // no dialog handles. The framework's table (ID_APP_EXIT) stands behind it.
    virtual CommandTable Commands() const;
    // Own table, then the framework's; false when nobody took the command.
    bool RouteCommand(unsigned id, unsigned notifyCode);

    std::string Name() const;    // executable base name, without extension
    HINSTANCE Instance() const;  // the program's module (its resources)
    HWND MainWindow() const;
    void SetMainWindow(HWND window);
    // The dialog's window, once it exists, is the main window (set before its DoModal).
    void SetMainWindow(const Dialog& dialog);

    // The help file: the program's path with its extension replaced by ".HLP".
    std::string HelpFilePath() const;
    // The same help for HTML Help: the program's path with ".chm".
    std::string HtmlHelpFilePath() const;
    // The page of the .chm that help on help opens: there is no help-on-help file in HTML Help.
    static constexpr const char* kHelpOnHelpPage = "utiliser.htm";

    // The WinHelp command on the main window, in the help this Windows has: HTML Help where
    // WinHelp is gone (Vista and later) and the .chm and hhctrl.ocx are there, else WinHelp.
    // HELP_CONTEXT opens the page that the program's IDR_HTMLHELP_CONTEXTS gives the number.
    // Shows "Le démarrage de l'aide a échoué." when help cannot start.
    void WinHelp(UINT command, ULONG_PTR data = 0);

    // Handlers for command tables: the framework's exit and help commands.
    void OnAppExit();     // WM_CLOSE to the main window
    void OnHelpIndex();   // HELP_INDEX
    void OnHelpFinder();  // HELP_FINDER
    void OnHelpUsing();   // HELP_INDEX, then HELP_HELPONHELP

    // Closes the help viewers this program started (HELP_QUIT, HH_CLOSE_ALL); the main window's end calls it.
    void QuitHelp();

protected:
    // The calls into the two help engines; false when the help could not start.
    virtual bool RunHelpEngine(HWND window, const std::string& helpFile, UINT command, ULONG_PTR data);
    // `file` is the .chm, with "::/page" for a page of it; null for HH_CLOSE_ALL.
    virtual bool RunHtmlHelp(HWND window, const char* file, UINT command, DWORD_PTR data);

private:
    friend class Dialog;
    void ForgetMainDialog(const Dialog& dialog);
    bool HtmlHelpAvailable();
    bool RunHtmlHelpFor(HWND window, UINT command, ULONG_PTR data);

    using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

    HWND mainWindow_ = nullptr;
    const Dialog* mainDialog_ = nullptr;
    bool winHelpStarted_ = false;
    bool htmlHelpStarted_ = false;
    bool htmlHelpLoaded_ = false;  // the load was tried: once
    UniqueLibrary htmlHelpLibrary_;
    HtmlHelpFunction htmlHelp_ = nullptr;
};

}  // namespace fw

#endif
