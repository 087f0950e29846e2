// Registration of the control library's classes, and the helpers the controls share.
#include "controls/ControlClasses.h"

#include "controls/Accessible.h"
#include "controls/ControlMessages.h"
#include "controls/GroupFrame.h"
#include "controls/LookupEdit.h"
#include "controls/WindowSlots.h"
#include "framework/UniqueHandle.h"

namespace controls {

static_assert(kControlMessageFirst == WM_USER + 100, "library messages start at WM_USER+100");

namespace {

// An inert window: the platform's default procedure answers everything but a screen
// reader, which learns that there is nothing here.
LRESULT CALLBACK StopperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETOBJECT)
        return AnswerGetObject(window, wParam, lParam, MakeAccessibleWithRole<ROLE_SYSTEM_WHITESPACE>);
    return DefWindowProcA(window, message, wParam, lParam);
}

// One class record of the library; all have no class extra bytes, icon, menu or brush.
struct ControlClass {
    const char* name;
    UINT style;
    int extraBytes;
    WNDPROC procedure;
    bool arrowCursor;
};

// In order of registration. "PemzLookup", a copy of the system "Edit" class, is
// registered last, after this table.
const ControlClass kControlClasses[] = {
    {"PemzGroup", kGroupFrameStyle, kGroupFrameExtraBytes, GroupFrameProc, false},
    {"PemzGrid", CS_BYTEALIGNWINDOW | CS_OWNDC | CS_DBLCLKS, 0, GridControlProc, false},
    {"PemzButton", CS_PARENTDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW, kKeyButtonExtraBytes, KeyButtonProc, true},
    {"PemzBitmap", CS_PARENTDC, kBitmapControlExtraBytes, BitmapControlProc, false},
    {"PemzStopper", CS_PARENTDC, 0, StopperProc, false},
};

}  // namespace

ATOM RegisterControlClasses() {
    HINSTANCE module = GetModuleHandleA(nullptr);
    ATOM atom = 0;
    for (const ControlClass& record : kControlClasses) {
        WNDCLASSA windowClass{};
        windowClass.style = record.style;
        windowClass.lpfnWndProc = record.procedure;
        windowClass.cbWndExtra = record.extraBytes;
        windowClass.hInstance = module;
        windowClass.hCursor = record.arrowCursor ? LoadCursorA(nullptr, IDC_ARROW) : nullptr;
        windowClass.lpszClassName = record.name;
        atom = RegisterClassA(&windowClass);
    }
    atom = RegisterLookupClass(module);
    return atom;
}

HBITMAP LoadControlBitmap(HWND window, BitmapSlot slot, unsigned int id) {
    HBITMAP loaded = nullptr;
    if (id != 0) {
        const char* name = MAKEINTRESOURCEA(LOWORD(id));
        auto windowModule = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
        loaded = LoadBitmapA(windowModule, name);
        if (!loaded) loaded = LoadBitmapA(GetModuleHandleA(nullptr), name);
    }
    if (HBITMAP previous = slot.get(window)) DeleteObject(previous);
    slot.set(window, loaded);
    return loaded;
}

void DrawDisabledBitmap(HDC target, int x, int y, HDC source, int sourceX, int width, int height) {
    fw::UniqueMemoryDc mono(CreateCompatibleDC(nullptr));
    fw::UniqueBitmap bits(CreateBitmap(width, height, 1, 1, nullptr));
    if (!mono || !bits) return;
    fw::SelectGuard selected(mono.get(), bits.get());
    PatBlt(mono.get(), 0, 0, width, height, WHITENESS);
    // Colour to monochrome: pixels of the background colour become 1, all others 0.
    SetBkColor(source, GetSysColor(COLOR_BTNFACE));
    BitBlt(mono.get(), 0, 0, width, height, source, sourceX, 0, SRCCOPY);
    SetBkColor(source, GetSysColor(COLOR_BTNHIGHLIGHT));
    BitBlt(mono.get(), 0, 0, width, height, source, sourceX, 0, SRCPAINT);
    // Monochrome to colour: 0 bits take the text colour, 1 bits the background colour.
    SetTextColor(target, GetSysColor(COLOR_BTNSHADOW));
    SetBkColor(target, GetSysColor(COLOR_BTNFACE));
    BitBlt(target, x, y, width, height, mono.get(), 0, 0, SRCCOPY);
}

}  // namespace controls
