// WinExec with a failure message, message boxes, and the arithmetic fault handler.
#include "services/CommandLaunch.h"

#include <float.h>

#include <csignal>
#include <cstdarg>

#include "framework/MessageBox.h"
#include "res/resource.h"
#include "services/MessageText.h"
#include "services/ProgramSettings.h"

namespace services {
namespace {

// The C runtime calls the handler with the signal and its floating-point sub-code
// (_fpecode); the handler is not registered again, as the runtime leaves it.
void OnArithmeticFault(int signal) {
    ShowMessageById(MB_SYSTEMMODAL | MB_ICONHAND, IDS_ARITHMETIC_FAULT, signal, _fpecode);
}

}  // namespace

bool RunCommand(const std::string& commandLine, const std::string& failureMessage, UINT showCommand) {
    const UINT result = ::WinExec(commandLine.c_str(), showCommand);
    if (result > 31) return true;
    const int code = static_cast<int>(result);
    if (!failureMessage.empty())
        ShowMessage(MB_ICONHAND, "%s (#%d)", failureMessage.c_str(), code);
    else
        ShowMessage(MB_ICONHAND, "Impossible d'exécuter la commande %s (#%d)", commandLine.c_str(), code);
    return false;
}

int ShowMessage(UINT type, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string text = FormatTextV(format, args);
    va_end(args);
    return fw::MessageBox(text, type, 0);
}

int ShowMessageById(UINT type, unsigned id, ...) {
    const std::string format = MessageFormatForId(ProgramSettings().strings(), id);
    va_list args;
    va_start(args, id);
    const std::string text = FormatTextV(format.c_str(), args);
    va_end(args);
    return fw::MessageBox(text, type, 0);
}

void InstallArithmeticFaultHandler() { std::signal(SIGFPE, OnArithmeticFault); }

}  // namespace services
