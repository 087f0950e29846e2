// Writes a screenshot of the lookup and group host as a 24-bit BMP, laid out in every look:
// focused, pushed, disabled, one to three rows of tabs. "group" puts the focus on a group
// instead of a lookup; "classic" uses the classic grey scheme that the program's pictures
// are painted in, and puts the previous colours back afterwards.
//   lookup_group_shot <file.bmp> [group] [classic]   (docs/controls-lookup-group.png is made from four)
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "controls/ControlClasses.h"
#include "controls/ControlMessages.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/controls/lookup_group_host.h"

namespace {

using namespace controls;

const int kColourElements[] = {COLOR_BTNFACE, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT};
const COLORREF kClassicColours[] = {RGB(192, 192, 192), RGB(128, 128, 128), RGB(255, 255, 255)};
constexpr int kColourCount = sizeof kColourElements / sizeof kColourElements[0];

INT_PTR CALLBACK HostProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

// Everything queued, painting included, handled: what is drawn is on the screen.
void Drain() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

bool HasArgument(int argc, char** argv, const char* word) {
    for (int i = 2; i < argc; ++i)
        if (std::strcmp(argv[i], word) == 0) return true;
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: lookup_group_shot <file.bmp> [group] [classic]\n");
        return 2;
    }
    const bool classic = HasArgument(argc, argv, "classic");
    COLORREF previous[kColourCount];
    for (int i = 0; i < kColourCount; ++i) previous[i] = GetSysColor(kColourElements[i]);
    if (classic) SetSysColors(kColourCount, kColourElements, kClassicColours);
    RegisterControlClasses();
    HWND dialog =
        CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LOOKUP_GROUP_HOST), nullptr, HostProc, 0);
    bool written = false;
    if (dialog) {
        SetWindowPos(dialog, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(dialog);
        SendMessageA(GetDlgItem(dialog, IDC_GROUP_SIX), CLM_SELECTTAB, 104, 0);
        SendMessageA(GetDlgItem(dialog, IDC_GROUP_NINE), CLM_SELECTTAB, 8, 0);
        SetFocus(GetDlgItem(dialog, HasArgument(argc, argv, "group") ? IDC_GROUP_SIX : IDC_LOOKUP_BORDER));
        SendMessageA(GetDlgItem(dialog, IDC_LOOKUP_BORDER), EM_SETSEL, 0, -1);
        RedrawWindow(dialog, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        Drain();
        SendMessageA(GetDlgItem(dialog, IDC_LOOKUP_PUSHED), WM_KEYDOWN, VK_F4, 0);  // pushed until the key comes up
        Drain();
        RECT area{};
        GetWindowRect(dialog, &area);
        written = test::WriteBmp(test::CaptureScreen(area), argv[1]);
        DestroyWindow(dialog);
    }
    if (classic) SetSysColors(kColourCount, kColourElements, previous);
    return written ? 0 : 1;
}
