// "PemzButton": the push button of the keypad and of the dialogs, drawn from a
// three-image face bitmap (normal, focused, pushed) or, without one, as a grey button
// with its caption.
#include <windows.h>
#include <windowsx.h>

#include <array>

#include "controls/Accessible.h"
#include "controls/ControlClasses.h"
#include "controls/DrawLines.h"
#include "controls/PressLoop.h"
#include "controls/ControlMessages.h"
#include "controls/SpokenText.h"
#include "controls/WindowSlots.h"
#include "framework/ResourceBytes.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowText.h"
#include "res/resource.h"

namespace controls {

namespace {

// Extra-byte layout, after the reserved bytes (see kKeyButtonReservedBytes).
namespace slot {
constexpr int kReserved = 0;
constexpr int kFaceBitmap = kReserved + kKeyButtonReservedBytes;  // HBITMAP, owned
constexpr int kState = kFaceBitmap + kSlotBytes;                  // BST_PUSHED | BST_FOCUS
constexpr int kCommandTarget = kState + kSlotBytes;               // HWND, 0 = the parent
constexpr int kByteCount = kCommandTarget + kSlotBytes;
}  // namespace slot
static_assert(kSlotBytes != 4 || (slot::kFaceBitmap == 8 && slot::kState == 12 && slot::kCommandTarget == 16),
              "on 32-bit Windows the field offsets are the fixed ones");
static_assert(slot::kByteCount == kKeyButtonExtraBytes, "the class record reserves the fields");
static_assert(kAcceleratorVirtualKey == FVIRTKEY && kAcceleratorShift == FSHIFT && kAcceleratorControl == FCONTROL &&
                  kAcceleratorAlt == FALT,
              "accelerator flags as the platform has them");

HBITMAP FaceBitmap(HWND button) { return ReadSlot<HBITMAP>(button, slot::kFaceBitmap); }
void SetFaceBitmap(HWND button, HBITMAP face) { WriteSlot(button, slot::kFaceBitmap, face); }
constexpr BitmapSlot kFaceSlot{FaceBitmap, SetFaceBitmap};
UINT State(HWND button) { return ReadSlot<UINT>(button, slot::kState); }
void SetState(HWND button, UINT state) { WriteSlot(button, slot::kState, state); }
HWND CommandTarget(HWND button) { return ReadSlot<HWND>(button, slot::kCommandTarget); }
void SetCommandTarget(HWND button, HWND target) { WriteSlot(button, slot::kCommandTarget, target); }
// A new window's extra bytes are already zero, and under Wine every write of one is a
// request to its server: 78 of them for the keypad's creation.
void ClearField(HWND button, int offset) {
    if (ReadSlot<LONG_PTR>(button, offset) != 0) WriteSlot<LONG_PTR>(button, offset, 0);
}

constexpr int kImageNormal = 0;
constexpr int kImageFocused = 1;
constexpr int kImagePushed = 2;
constexpr int kImageCount = 3;
constexpr int kTextCapacity = 40;  // the caption is drawn up to its 39th character

int ImageIndex(UINT state) {
    if (state & BST_PUSHED) return kImagePushed;
    return (state & BST_FOCUS) ? kImageFocused : kImageNormal;
}

// The one-pixel ring round the face: black for the default button, otherwise the
// dialog's background, so that a frame drawn while the button was the default goes away.
void PaintRing(HWND button, HDC dc, int width, int height, bool isDefault) {
    if (isDefault) {
        fw::SelectGuard pen(dc, GetStockObject(BLACK_PEN));
        DrawLines(dc, GetStockObject(BLACK_PEN),
                  {{0, 0}, {width - 1, 0}, {width - 1, height - 1}, {0, height - 1}, {0, 0}});
        return;
    }
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(button), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(button)));
    if (!brush) return;
    const RECT edges[] = {
        {0, 0, width, 1}, {0, 0, 1, height}, {0, height - 1, width, height}, {width - 1, 0, width, height}};
    for (const RECT& edge : edges) FillRect(dc, &edge, brush);
}

void PaintFace(HDC dc, HBITMAP face, UINT state, bool enabled) {
    BITMAP info{};
    if (!GetObjectA(face, sizeof info, &info)) return;
    fw::UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SetMapMode(memory.get(), GetMapMode(dc));
    fw::SelectGuard selected(memory.get(), face);
    const int imageWidth = info.bmWidth / kImageCount;
    const int sourceX = ImageIndex(state) * imageWidth;
    if (enabled)
        BitBlt(dc, 1, 1, imageWidth, info.bmHeight, memory.get(), sourceX, 0, SRCCOPY);
    else
        DrawDisabledBitmap(dc, 1, 1, memory.get(), sourceX, imageWidth, info.bmHeight);
}

void PaintText(HWND button, HDC dc, int width, int height, UINT state, bool enabled) {
    fw::UniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    fw::UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const COLORREF oldColour = SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_BTNSHADOW));
    std::array<char, kTextCapacity> text{};
    GetWindowTextA(button, text.data(), kTextCapacity);
    // Flags without DT_SINGLELINE: centred across, drawn from the top.
    constexpr UINT kTextFlags = DT_CENTER | DT_VCENTER;
    // Declared after the shadow pen, so the caller's pen is back before that one is deleted.
    fw::SelectGuard restorePen(dc, GetStockObject(BLACK_PEN));
    DrawLines(dc, GetStockObject(BLACK_PEN),
              {{1, 1}, {width - 2, 1}, {width - 2, height - 2}, {1, height - 2}, {1, 1}});
    const int l = 2, t = 2, r = width - 2, b = height - 2;
    if (state & BST_PUSHED) {
        const RECT inside{l, t, r, b};
        FillRect(dc, &inside, face.get());
        RECT label{l + 1, t + 1, r, b};
        DrawTextA(dc, text.data(), -1, &label, kTextFlags);
    } else {
        const RECT inside{l + 2, t + 2, r - 2, b - 2};
        FillRect(dc, &inside, face.get());
        DrawLines(dc, shadow.get(), {{l, b - 1}, {r - 1, b - 1}, {r - 1, t - 1}});
        DrawLines(dc, shadow.get(), {{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t}});
        DrawLines(dc, GetStockObject(WHITE_PEN), {{l, b - 2}, {l, t}, {r - 1, t}});
        DrawLines(dc, GetStockObject(WHITE_PEN), {{l + 1, b - 3}, {l + 1, t + 1}, {r - 2, t + 1}});
        RECT label{l, t, r, b};
        DrawTextA(dc, text.data(), -1, &label, kTextFlags);
    }
    SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}

// Paints the whole button on dc, or, with none, at once on a DC of its own.
void PaintKeyButton(HWND button, HDC dc) {
    if (!dc) {
        fw::WindowDc own(button);
        if (own) PaintKeyButton(button, own.get());
        return;
    }
    const bool isDefault = (GetWindowLongA(button, GWL_STYLE) & BS_DEFPUSHBUTTON) != 0;
    const UINT state = State(button);
    RECT client{};
    GetClientRect(button, &client);
    const bool enabled = IsWindowEnabled(button) != FALSE;
    PaintRing(button, dc, client.right, client.bottom, isDefault);
    if (HBITMAP face = FaceBitmap(button))
        PaintFace(dc, face, state, enabled);
    else
        PaintText(button, dc, client.right, client.bottom, state, enabled);
}

// State changes are drawn at once, not invalidated: the key flash changes the state
// twice while it busy-waits without dispatching, and both looks must be seen.
void PaintNow(HWND button) {
    PaintKeyButton(button, nullptr);
    // Wine puts GetDC drawing on the screen only when the thread next looks at its
    // queue; this looks without dispatching anything (and costs nothing on Windows).
    GetQueueStatus(QS_ALLINPUT);
}

void ChangeState(HWND button, UINT state) {
    if (State(button) == state) return;
    SetState(button, state);
    PaintNow(button);
}

// Loads the face for id (0 removes it) and, when one was loaded, fits the window to
// one image plus the ring.
void LoadFace(HWND button, unsigned int id) {
    HBITMAP face = LoadControlBitmap(button, kFaceSlot, id);
    BITMAP info{};
    if (face && GetObjectA(face, sizeof info, &info))
        SetWindowPos(button, nullptr, 0, 0, info.bmWidth / kImageCount + 2, info.bmHeight + 2,
                     SWP_NOMOVE | SWP_NOZORDER);
}

void Notify(HWND button, WORD code) {
    HWND receiver = CommandTarget(button);
    if (!receiver) receiver = GetParent(button);
    const WORD id = LOWORD(GetWindowLongA(button, GWL_ID));
    SendMessageA(receiver, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(button));
}

// A press with the mouse or the space bar, begun by `first`: the loop consumes the
// keyboard, left-button and mouse-move messages of the thread, dispatches the rest, and
// ends when neither the key nor the left button is held any more. A command goes out
// unless the last move seen while the button was held lay outside.
void TrackPress(HWND button, const MSG& first) {
    SetState(button, BST_PUSHED | BST_FOCUS);
    if (GetFocus() == button)
        PaintNow(button);
    else
        SetFocus(button);
    RECT client{};
    GetClientRect(button, &client);

    bool keyHeld = false, mouseHeld = false, inside = true;
    const bool released = RunPress(button, PressWait::Poll, &first, [&](MSG& message) {
        switch (message.message) {
        case WM_KEYDOWN: keyHeld = true; break;
        case WM_KEYUP: keyHeld = false; break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: mouseHeld = true; break;
        case WM_LBUTTONUP: mouseHeld = false; break;
        case WM_MOUSEMOVE:
            if (mouseHeld) {
                const POINT point{GET_X_LPARAM(message.lParam), GET_Y_LPARAM(message.lParam)};
                inside = PtInRect(&client, point) != FALSE;
                ChangeState(button, inside ? BST_PUSHED | BST_FOCUS : BST_FOCUS);
            }
            break;
        default: TranslateMessage(&message); DispatchMessageA(&message);
        }
        return keyHeld || mouseHeld;
    });
    // Cancelled: no command; a button that still exists is drawn up again.
    if (!released) {
        if (IsWindow(button)) ChangeState(button, State(button) & ~BST_PUSHED);
        return;
    }
    ChangeState(button, BST_FOCUS);
    if (inside) Notify(button, BN_CLICKED);
}

// The keys that command the button in the program's accelerator table, read from the
// resource itself: a table loaded at every question might be a new object each time that
// nothing frees.
std::string AcceleratorShortcut(HWND button) {
    const fw::ResourceBytes table =
        fw::FindResourceBytes(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN), RT_ACCELERATOR);
    if (!table.data) return {};
    return ShortcutText(reinterpret_cast<const AcceleratorEntry*>(table.data), table.size / sizeof(AcceleratorEntry),
                        LOWORD(GetWindowLongA(button, GWL_ID)));
}

class KeyAccessible : public Accessible {
public:
    explicit KeyAccessible(HWND button) : Accessible(button, ROLE_SYSTEM_PUSHBUTTON) {}

protected:
    bool GetText(Text what, long, std::string& text) override {
        switch (what) {
        case Text::Name: text = SpokenName(fw::WindowText(Window())); return true;
        // Without an accelerator, the standard object's: the mnemonic ("Alt+O").
        case Text::Shortcut: text = AcceleratorShortcut(Window()); return !text.empty();
        case Text::DefaultAction: text = "Appuyer"; return true;
        default: return false;
        }
    }
    long GetState(long, long standard) override {
        return (State(Window()) & BST_PUSHED) ? standard | STATE_SYSTEM_PRESSED : standard;
    }
    // The press and release of a click in the middle of the button, through the same
    // tracking as the mouse's. Posted: the click may open a modal dialog, which the
    // caller must not wait for.
    HRESULT DoDefaultAction(long) override {
        const HWND button = Window();
        if (!Clickable()) return E_FAIL;
        RECT client{};
        GetClientRect(button, &client);
        const LPARAM middle = MAKELPARAM(client.right / 2, client.bottom / 2);
        PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, middle);
        PostMessageA(button, WM_LBUTTONUP, 0, middle);
        return S_OK;
    }
};

}  // namespace

LRESULT CALLBACK KeyButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        create->dwExStyle &= ~WS_EX_CLIENTEDGE;
        SetWindowLongA(window, GWL_EXSTYLE, static_cast<LONG>(create->dwExStyle));
        break;
    }
    case WM_CREATE:
        ClearField(window, slot::kFaceBitmap);
        ClearField(window, slot::kState);
        ClearField(window, slot::kCommandTarget);
        LoadFace(window, LOWORD(GetWindowLongA(window, GWL_ID)));
        return 0;
    case WM_DESTROY: LoadControlBitmap(window, kFaceSlot, 0); return 0;
    case WM_SETFOCUS:
        SetState(window, State(window) | BST_FOCUS);
        PaintNow(window);
        return 0;
    case WM_CAPTURECHANGED: PressEnded(window); return 0;
    case WM_KILLFOCUS:
        SetState(window, State(window) & ~BST_FOCUS);
        PaintNow(window);
        return 0;
    case WM_ENABLE: InvalidateRect(window, nullptr, FALSE); break;
    case WM_PAINT: {
        fw::PaintDc paint(window);
        PaintKeyButton(window, paint.get());
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_BUTTON |
               ((GetWindowLongA(window, GWL_STYLE) & BS_DEFPUSHBUTTON) ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    case BM_SETSTATE:
    case BM_SETCHECK:
        // The whole word is replaced: the focus bit goes too.
        ChangeState(window, wParam ? BST_PUSHED : 0);
        return 0;
    case BM_GETCHECK: return 0;
    case BM_GETSTATE: return State(window);
    case BM_SETSTYLE: {
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        SetWindowLongA(window, GWL_STYLE, static_cast<LONG>((style & 0xFFFF0000) | LOWORD(wParam)));
        if (LOWORD(lParam)) InvalidateRect(window, nullptr, FALSE);
        return 0;
    }
    case WM_KEYDOWN:
        if (wParam != VK_SPACE) break;
        [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const MSG first{window, message, wParam, lParam, 0, {}};
        TrackPress(window, first);
        return 0;
    }
    case CLM_SETBITMAP:
        InvalidateRect(window, nullptr, TRUE);
        LoadFace(window, LOWORD(wParam));
        InvalidateRect(window, nullptr, TRUE);
        return 0;
    case CLM_SETCOMMANDTARGET: SetCommandTarget(window, reinterpret_cast<HWND>(lParam)); break;
    case WM_GETOBJECT: return AnswerGetObject(window, wParam, lParam, MakeAccessible<KeyAccessible>);
    default: break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace controls
