// The yardstick for start-up: the calculator's dialog template, menu and resources
// shown with nothing of the program's own start-up (no settings, no shell
// registration, no placement, no key faces). The template's keys need their class
// to exist; here it is a bare window.
#include <windows.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK BaselineProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        ::SetMenu(dialog, ::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN)));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDCANCEL) ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    case WM_CLOSE: ::EndDialog(dialog, IDCANCEL); return TRUE;
    default: return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA keyClass{};
    keyClass.lpfnWndProc = DefWindowProcA;
    keyClass.hInstance = instance;
    keyClass.lpszClassName = "PemzButton";
    ::RegisterClassA(&keyClass);
    ::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CALCULATOR), nullptr, BaselineProc, 0);
    return 0;
}
