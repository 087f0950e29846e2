// Writes a screenshot of the control-test host as a 24-bit BMP: every face in its
// normal look, and spare rows showing faces pushed and disabled. The faces are drawn for
// the standard Windows button colours, so the shot uses those (Wine's default theme has
// lighter ones) and puts the previous colours back afterwards.
//   key_button_shot <file.bmp>     (docs/controls-keys.png is made from it)
#include <windows.h>

#include <cstdio>

#include "controls/ControlClasses.h"
#include "controls/ControlMessages.h"
#include "res/resource.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/controls/key_button_host.h"

namespace {

using namespace controls;

// Faces lent to the spare rows, in the order of their ids.
// clang-format off
const int kLentFaces[SPARE_COUNT] = {IDC_KEY_7, IDC_KEY_ADD,   IDC_KEY_EQUALS, IDC_KEY_MEMORY_ADD, IDC_KEY_CLEAR,
                                     IDC_KEY_RECIPROCAL, IDOK, IDCANCEL, IDC_EXIT};

const int kColourElements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_3DLIGHT, COLOR_3DDKSHADOW,
                               COLOR_BTNTEXT};
const COLORREF kStandardColours[] = {RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 255, 255),
                                     RGB(223, 223, 223), RGB(0, 0, 0),       RGB(0, 0, 0)};
constexpr int kColourCount = sizeof kColourElements / sizeof kColourElements[0];

INT_PTR CALLBACK HostProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    SetFocus(GetDlgItem(dialog, IDC_GRID));
    return FALSE;
}
// clang-format on

// Everything queued, painting included, handled: what is drawn is on the screen.
void Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: key_button_shot <file.bmp>\n");
        return 2;
    }
    COLORREF previous[kColourCount];
    for (int i = 0; i < kColourCount; ++i) previous[i] = GetSysColor(kColourElements[i]);
    SetSysColors(kColourCount, kColourElements, kStandardColours);
    RegisterControlClasses();
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONTROL_HOST), nullptr, HostProc, 0);
    if (!dialog) {
        SetSysColors(kColourCount, kColourElements, previous);
        return 1;
    }
    for (int i = 0; i < SPARE_COUNT; ++i) {
        HWND pushed = GetDlgItem(dialog, IDC_SPARE_PUSHED + i);
        SendMessageA(pushed, CLM_SETBITMAP, kLentFaces[i], 0);
        SendMessageA(pushed, BM_SETSTATE, 1, 0);
        HWND disabled = GetDlgItem(dialog, IDC_SPARE_DISABLED + i);
        SendMessageA(disabled, CLM_SETBITMAP, kLentFaces[i], 0);
        EnableWindow(disabled, FALSE);
    }
    Drain();
    RECT area{};
    GetWindowRect(dialog, &area);
    const bool written = test::WriteBmp(test::CaptureScreen(area), argv[1]);
    DestroyWindow(dialog);
    SetSysColors(kColourCount, kColourElements, previous);
    return written ? 0 : 1;
}
