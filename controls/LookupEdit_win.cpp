// "PemzLookup": the system edit class with its procedure replaced. The lookup keeps a drop
// button in the non-client area at the right, draws it and a sunken border itself, and
// sends ID_LOOKUP to itself when the button is released (mouse) or F4 comes up.
#include "controls/LookupEdit.h"

#include <windowsx.h>

#include <algorithm>

#include "controls/Accessible.h"
#include "controls/ControlClasses.h"
#include "controls/DrawLines.h"
#include "controls/PressLoop.h"
#include "controls/SpokenText.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowText.h"
#include "res/resource.h"

namespace controls {

static_assert(ID_LOOKUP == IDB_LOOKUP, "the drop button's picture shares the command's number");

namespace {

// The system edit class as it is now: its procedure and the size of its own extra
// bytes, after which the lookup's field lies. Read at every message, never cached.
struct EditClass {
    WNDPROC procedure;
    int extraBytes;
};

EditClass ReadEditClass() {
    WNDCLASSA record{};
    if (!GetClassInfoA(nullptr, "Edit", &record)) return {DefWindowProcA, 0};
    return {record.lpfnWndProc, record.cbWndExtra};
}

// The lookup's one field: the style given at creation (the edit may drop WS_BORDER
// from the window's style when it creates itself).
LONG CreationStyle(HWND lookup, const EditClass& edit) { return GetWindowLongA(lookup, edit.extraBytes); }
void SetCreationStyle(HWND lookup, const EditClass& edit, LONG style) {
    SetWindowLongA(lookup, edit.extraBytes, style);
}

bool IsBordered(HWND lookup, const EditClass& edit) {
    return (CreationStyle(lookup, edit) & WS_BORDER) || (GetWindowLongA(lookup, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

int ButtonWidth() { return GetSystemMetrics(SM_CXVSCROLL); }

// The right end of the window rectangle, in client coordinates.
RECT ButtonRect(HWND lookup) {
    RECT r{};
    GetWindowRect(lookup, &r);
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    ScreenToClient(lookup, &corners[0]);
    ScreenToClient(lookup, &corners[1]);
    r = {corners[1].x - ButtonWidth(), corners[0].y, corners[1].x, corners[1].y};
    if (GetWindowLongA(lookup, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) OffsetRect(&r, 0, GetSystemMetrics(SM_CYEDGE));
    return r;
}

void DrawButtonImage(HWND lookup, HDC dc, const RECT& area) {
    fw::UniqueBitmap image(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOOKUP)));
    BITMAP info{};
    if (!image || !GetObjectA(image.get(), sizeof info, &info)) return;
    const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    const int width = std::min<int>(info.bmWidth, areaWidth), height = std::min<int>(info.bmHeight, areaHeight);
    if (width <= 0 || height <= 0) return;
    const int x = area.left + (areaWidth - width) / 2, y = area.top + (areaHeight - height) / 2;
    fw::UniqueMemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    SetMapMode(memory.get(), GetMapMode(dc));
    fw::SelectGuard selected(memory.get(), image.get());
    if (IsWindowEnabled(lookup))
        BitBlt(dc, x, y, width, height, memory.get(), 0, 0, SRCCOPY);
    else
        DrawDisabledBitmap(dc, x, y, memory.get(), 0, width, height);
}

// Drawn on the window DC with the client-coordinate rectangle as it is.
void DrawButton(HWND lookup, bool pushed) {
    RECT r = ButtonRect(lookup);
    fw::WindowDc dc(lookup, GetWindowDC(lookup));
    if (!dc) return;
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), GetSysColor(COLOR_BTNTEXT));
    fw::UniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
    fw::UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    {
        fw::SelectGuard pen(dc.get(), GetStockObject(BLACK_PEN));
        fw::SelectGuard brush(dc.get(), GetStockObject(NULL_BRUSH));
        Rectangle(dc.get(), r.left, r.top, r.right, r.bottom);
    }
    InflateRect(&r, -1, -1);
    if (pushed) {
        FillRect(dc.get(), &r, face.get());
        InflateRect(&r, -1, -1);
        OffsetRect(&r, 1, 1);
    } else {
        fw::SelectGuard pen(dc.get(), shadow.get());
        DrawLines(dc.get(), shadow.get(),
                  {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top - 1}});
        DrawLines(dc.get(), GetStockObject(WHITE_PEN), {{r.left, r.bottom - 2}, {r.left, r.top}, {r.right - 1, r.top}});
        InflateRect(&r, -1, -1);
        FillRect(dc.get(), &r, face.get());
    }
    DrawButtonImage(lookup, dc.get(), r);
}

// Two rings round the client area, drawn through the parent's clipping so that they
// may fall outside it: shadow and white outside, black and face colour inside.
void DrawSunkenBorder(HWND lookup) {
    fw::WindowDc dc(lookup, GetDCEx(lookup, nullptr, DCX_PARENTCLIP));
    if (!dc) return;
    RECT r{};
    GetClientRect(lookup, &r);
    if (IsWindows9x()) InflateRect(&r, GetSystemMetrics(SM_CXEDGE) / 2, GetSystemMetrics(SM_CYEDGE) / 2);
    const int l = r.left, t = r.top, rt = r.right, b = r.bottom;
    fw::UniquePen facePen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE)));
    fw::UniquePen shadowPen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    fw::SelectGuard pen(dc.get(), GetStockObject(BLACK_PEN));
    DrawLines(dc.get(), GetStockObject(BLACK_PEN), {{l, b - 2}, {l, t}, {rt - 1, t}});
    DrawLines(dc.get(), facePen.get(), {{l, b - 1}, {rt - 1, b - 1}, {rt - 1, t - 1}});
    DrawLines(dc.get(), shadowPen.get(), {{l - 1, b - 1}, {l - 1, t - 1}, {rt, t - 1}});
    DrawLines(dc.get(), GetStockObject(WHITE_PEN), {{l - 1, b}, {rt, b}, {rt, t - 2}});
}

// The border lies a pixel outside the window: the parent repaints that ring too.
void InvalidateUnderneath(HWND lookup) {
    const HWND parent = GetParent(lookup);
    if (!parent) return;
    RECT r{};
    GetWindowRect(lookup, &r);
    InflateRect(&r, 1, 1);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    InvalidateRect(parent, &r, TRUE);
}

// The command a press of the drop button gives, to the lookup itself: sent after a click,
// posted for a screen reader's default action (the application may open a window in
// answer, which the reader must not wait for).
void DeliverLookupCommand(HWND lookup, bool post) {
    const WPARAM command = MAKEWPARAM(ID_LOOKUP, 0);
    const auto from = reinterpret_cast<LPARAM>(lookup);
    if (post)
        PostMessageA(lookup, WM_COMMAND, command, from);
    else
        SendMessageA(lookup, WM_COMMAND, command, from);
}

bool InButton(const RECT& button, LPARAM point) {
    const POINT p = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    return PtInRect(&button, p) != FALSE;
}

// Tracks the mouse until the button is released, dispatching other messages meanwhile;
// a cancelled press gives no command.
void TrackButton(HWND lookup, const RECT& button) {
    DrawButton(lookup, true);
    bool inside = true;
    const bool released = RunPress(lookup, PressWait::Sleep, nullptr, [&](MSG& message) {
        const bool move = message.message == WM_MOUSEMOVE || message.message == WM_NCMOUSEMOVE;
        const bool up = message.message == WM_LBUTTONUP || message.message == WM_NCLBUTTONUP;
        if (!move && !up) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
            return true;
        }
        const bool now = InButton(button, message.lParam);
        if (now != inside) {
            inside = now;
            DrawButton(lookup, inside);
        }
        return !up;
    });
    if (!IsWindow(lookup)) return;
    DrawButton(lookup, false);
    if (released && inside) DeliverLookupCommand(lookup, false);
}

LRESULT OnNcLButtonDown(HWND lookup, const EditClass& edit, WPARAM wParam, LPARAM lParam) {
    SetFocus(lookup);
    SendMessageA(lookup, EM_SETSEL, 0, -1);
    POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    ScreenToClient(lookup, &point);
    const RECT button = ButtonRect(lookup);
    if (!PtInRect(&button, point)) return CallWindowProcA(edit.procedure, lookup, WM_NCLBUTTONDOWN, wParam, lParam);
    TrackButton(lookup, button);
    return 0;
}

// An edit's label: the static text just before it, as dialogs place them.
std::string Label(HWND lookup) {
    const HWND before = GetWindow(lookup, GW_HWNDPREV);
    char kind[8] = {};
    if (!before || !GetClassNameA(before, kind, sizeof kind) || lstrcmpiA(kind, "Static") != 0) return {};
    return WithoutMnemonic(fw::WindowText(before));
}

// To a screen reader: an edit with a button beside it, named by its label, whose text
// is its value (the platform's object of a class it does not know would name it by
// its text).
class LookupAccessible : public Accessible {
public:
    explicit LookupAccessible(HWND lookup) : Accessible(lookup, ROLE_SYSTEM_COMBOBOX) {}

protected:
    bool GetText(Text what, long, std::string& text) override {
        if (what == Text::Name)
            text = Label(Window());
        else if (what == Text::Value)
            text = fw::WindowText(Window());
        else if (what == Text::DefaultAction)
            text = "Ouvrir";
        else
            return false;
        return true;
    }
    // What a click on the drop button ends with.
    HRESULT DoDefaultAction(long) override {
        if (!Clickable()) return E_FAIL;
        DeliverLookupCommand(Window(), true);
        return S_OK;
    }
};

}  // namespace

// The high bit marks the families other than NT; Win32s reports a major version below 4.
bool IsWindows9x(DWORD version) { return (version & 0x80000000u) != 0 && LOBYTE(LOWORD(version)) >= 4; }

ATOM RegisterLookupClass(HINSTANCE module) {
    WNDCLASSA record{};
    if (!GetClassInfoA(nullptr, "Edit", &record)) return 0;
    record.lpfnWndProc = LookupEditProc;
    record.cbWndExtra += sizeof(LONG);
    record.hInstance = module;
    record.lpszMenuName = nullptr;
    record.lpszClassName = "PemzLookup";
    return RegisterClassA(&record);
}

LRESULT CALLBACK LookupEditProc(HWND lookup, UINT message, WPARAM wParam, LPARAM lParam) {
    const EditClass edit = ReadEditClass();
    const auto passOn = [&] { return CallWindowProcA(edit.procedure, lookup, message, wParam, lParam); };
    switch (message) {
    case WM_NCCREATE:
        SetCreationStyle(lookup, edit, reinterpret_cast<const CREATESTRUCTA*>(lParam)->style);
        return passOn();
    case WM_NCCALCSIZE: {
        const LRESULT result = passOn();
        RECT* client =
            wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : reinterpret_cast<RECT*>(lParam);
        client->right -= ButtonWidth() + (IsBordered(lookup, edit) ? 4 : 0);
        return result;
    }
    case WM_NCHITTEST: {
        const LRESULT result = passOn();
        return result == HTNOWHERE ? HTBORDER : result;
    }
    case WM_NCPAINT: DrawButton(lookup, false); return 0;
    case WM_PAINT: {
        const LRESULT result = passOn();
        if (IsBordered(lookup, edit)) DrawSunkenBorder(lookup);
        return result;
    }
    case WM_ENABLE: DrawButton(lookup, false); return passOn();
    case WM_SHOWWINDOW:
        if (IsBordered(lookup, edit)) InvalidateUnderneath(lookup);
        return passOn();
    case WM_WINDOWPOSCHANGED:
        if ((reinterpret_cast<const WINDOWPOS*>(lParam)->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW)) &&
            IsBordered(lookup, edit))
            InvalidateUnderneath(lookup);
        return passOn();
    case WM_NCLBUTTONDOWN: return OnNcLButtonDown(lookup, edit, wParam, lParam);
    case WM_CAPTURECHANGED: PressEnded(lookup); return passOn();
    case WM_GETOBJECT:
        // Other objects, and the class index that accessibility software asks for, are the edit's.
        if (const LRESULT answer = AnswerGetObject(lookup, wParam, lParam, MakeAccessible<LookupAccessible>))
            return answer;
        return passOn();
    case WM_KEYDOWN:
        if (wParam != VK_F4) return passOn();
        DrawButton(lookup, true);
        return 0;
    case WM_KEYUP:
        if (wParam != VK_F4) return passOn();
        DrawButton(lookup, false);
        DeliverLookupCommand(lookup, false);
        return 0;
    default: return passOn();
    }
}

}  // namespace controls
