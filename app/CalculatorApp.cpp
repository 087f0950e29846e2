// The application object, its start-up and its help commands; the static initialisers
// that build it and then install the arithmetic-fault handler.
#include "app/CalculatorApp.h"

#include <windows.h>

#include "controls/ControlClasses.h"
#include "framework/FrameworkIds.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "services/CommandLaunch.h"
#include "services/DllSearch.h"
#include "services/ShellRegistration.h"
#include "ui/CalculatorDialog.h"

const fw::CommandEntry CalculatorApp::kCommands[] = {
    fw::OnCommand<&CalculatorApp::OnHelpIndex>(ID_HELP),
    fw::OnCommand<&CalculatorApp::OnHelpFinder>(ID_HELP_FINDER),
    fw::OnCommand<&CalculatorApp::OnHelpIndex>(ID_HELP_INDEX),
    fw::OnCommand<&CalculatorApp::OnHelpUsing>(ID_HELP_USING),
    fw::OnCommand<&CalculatorApp::OnHelpIndex>(ID_DEFAULT_HELP),
};

fw::CommandTable CalculatorApp::Commands() const { return kCommands; }

bool CalculatorApp::InitInstance() {
    // Before anything can load a library by name.
    services::RemoveCurrentDirectoryFromDllSearch();
    // The keypad's window class must exist before the dialog template names it.
    controls::RegisterControlClasses();
    services::RegisterWithShell();

    HINSTANCE instance = Instance();
    ui::CalculatorDialog dialog(::LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM)),
                                ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAIN)),
                                fw::UniqueBrush(::CreateSolidBrush(ui::CalculatorDialog::kInputLineColour)));
    SetMainWindow(dialog);
    dialog.DoModal();
    // No message loop of the application's own: the program ends with the window.
    return false;
}

// Static initialisation, in this order within this file: the one application object,
// then the handler that reports arithmetic faults.
CalculatorApp theApp;
const bool arithmeticFaultHandlerInstalled = (services::InstallArithmeticFaultHandler(), true);
