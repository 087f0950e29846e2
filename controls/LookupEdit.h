// "PemzLookup": the system edit field with a drop button at its right end that sends
// ID_LOOKUP to the lookup window itself (a subclass placed by the application acts on it).
#ifndef PEMZ_CONTROLS_LOOKUPEDIT_H
#define PEMZ_CONTROLS_LOOKUPEDIT_H

#include <windows.h>

namespace controls {

// The command of the drop button, sent with the lookup's handle in lParam. The button's
// picture is the bitmap of the same number (IDB_LOOKUP), drawn when the program has one.
constexpr WORD ID_LOOKUP = 5002;

// Registers "PemzLookup" as a copy of the system "Edit" class for `module`; returns its atom.
ATOM RegisterLookupClass(HINSTANCE module);

LRESULT CALLBACK LookupEditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Windows 95, 98 or Me, from the value of GetVersion (neither NT nor Win32s).
bool IsWindows9x(DWORD version = GetVersion());

}  // namespace controls

#endif
