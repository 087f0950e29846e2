// "PemzBitmap": shows the bitmap resource named by its control id, unscaled for a
// negative id, stretched for a positive one, a crossed box for none; the mouse passes
// through it.
#include <cstdlib>

#include "controls/Accessible.h"
#include "controls/ControlClasses.h"
#include "controls/ControlMessages.h"
#include "controls/WindowSlots.h"
#include "framework/UniqueHandle.h"

namespace controls {

namespace {

namespace slot {
constexpr int kBitmap = 0;  // HBITMAP, owned
constexpr int kByteCount = kBitmap + kSlotBytes;
}  // namespace slot
static_assert(slot::kByteCount == kBitmapControlExtraBytes, "the class record reserves the field");

HBITMAP Picture(HWND control) { return ReadSlot<HBITMAP>(control, slot::kBitmap); }
void SetPicture(HWND control, HBITMAP picture) { WriteSlot(control, slot::kBitmap, picture); }
constexpr BitmapSlot kPictureSlot{Picture, SetPicture};

// The control id read as a signed 16-bit number: its sign chooses the mode, its
// absolute value the resource.
short SignedId(HWND control) { return static_cast<short>(LOWORD(GetWindowLongA(control, GWL_ID))); }
bool NaturalSize(HWND control) { return SignedId(control) < 0; }

void LoadPicture(HWND control, unsigned int id) {
    HBITMAP picture = LoadControlBitmap(control, kPictureSlot, id);
    BITMAP info{};
    if (picture && NaturalSize(control) && GetObjectA(picture, sizeof info, &info))
        SetWindowPos(control, nullptr, 0, 0, info.bmWidth, info.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
}

void PaintPlaceholder(HDC dc, int width, int height) {
    MoveToEx(dc, 0, 0, nullptr);
    LineTo(dc, width - 1, 0);
    LineTo(dc, width - 1, height - 1);
    LineTo(dc, 0, height - 1);
    LineTo(dc, 0, 0);
    LineTo(dc, width - 1, height - 1);
    MoveToEx(dc, width - 1, 0, nullptr);
    LineTo(dc, 0, height - 1);
}

void Paint(HWND control) {
    fw::PaintDc paint(control);
    RECT client{};
    GetClientRect(control, &client);
    HBITMAP picture = Picture(control);
    BITMAP info{};
    if (!picture || !GetObjectA(picture, sizeof info, &info)) {
        PaintPlaceholder(paint.get(), client.right, client.bottom);
        return;
    }
    fw::UniqueMemoryDc memory(CreateCompatibleDC(paint.get()));
    if (!memory) return;
    SetMapMode(memory.get(), GetMapMode(paint.get()));
    fw::SelectGuard selected(memory.get(), picture);
    if (NaturalSize(control))
        BitBlt(paint.get(), 0, 0, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
    else  // the last column and row of the client area stay unpainted
        StretchBlt(paint.get(), 0, 0, client.right - 1, client.bottom - 1, memory.get(), 0, 0, info.bmWidth,
                   info.bmHeight, SRCCOPY);
}

}  // namespace

LRESULT CALLBACK BitmapControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        SetPicture(window, nullptr);
        LoadPicture(window, static_cast<unsigned int>(std::abs(SignedId(window))));
        return 0;
    case WM_DESTROY: LoadControlBitmap(window, kPictureSlot, 0); return 0;
    case WM_PAINT: Paint(window); return 0;
    case WM_NCHITTEST: return HTTRANSPARENT;
    case WM_GETDLGCODE: return DLGC_STATIC;
    case WM_GETOBJECT: return AnswerGetObject(window, wParam, lParam, MakeAccessibleWithRole<ROLE_SYSTEM_GRAPHIC>);
    case CLM_SETBITMAP:
        InvalidateRect(window, nullptr, TRUE);
        LoadPicture(window, LOWORD(wParam));
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace controls
