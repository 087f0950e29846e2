// Command launch and the printf-style message boxes behind it (Windows only).
#ifndef PEMZ_SERVICES_COMMANDLAUNCH_H
#define PEMZ_SERVICES_COMMANDLAUNCH_H

#include <windows.h>

#include <string>

namespace services {

// Starts commandLine with WinExec. On failure shows (MB_ICONHAND) "<failureMessage> (#<code>)",
// or "Impossible d'exécuter la commande <commandLine> (#<code>)" when failureMessage is
// empty, and returns false.
bool RunCommand(const std::string& commandLine, const std::string& failureMessage = std::string(),
                UINT showCommand = SW_SHOW);

// The framework's message box (titled with the application name) showing the whole
// printf-formatted text; returns the button pressed.
int ShowMessage(UINT type, const char* format, ...) __attribute__((format(gnu_printf, 2, 3)));
// The same with the string-table entry id as the format, or "Erreur n°<id>" without one.
int ShowMessageById(UINT type, unsigned id, ...);

// SIGFPE shows ShowMessageById(MB_SYSTEMMODAL | MB_ICONHAND, IDS_ARITHMETIC_FAULT, signal,
// sub-code); the entry is absent, so the box reads "Erreur n°5001".
// Call once at start-up.
void InstallArithmeticFaultHandler();

}  // namespace services

#endif
