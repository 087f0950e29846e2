// "PemzGroup": window procedure of the tab frame. The tabs are re-read from the window
// text at every message that needs them (controls/TabDefinition.h holds the rules);
// only the font and the selection word live in the extra bytes.
#include "controls/GroupFrame.h"

#include <windowsx.h>

#include <string>

#include "controls/ControlMessages.h"
#include "controls/DrawLines.h"
#include "controls/TabDefinition.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowText.h"

using controls::TabCell;
using controls::TabDefinition;
using controls::TabLayout;
using controls::TabRect;

namespace {

namespace slot {
constexpr int kFont = 0;                          // HFONT from WM_SETFONT, not owned
constexpr int kSelection = kFont + sizeof(LONG);  // WORD: column low byte, data row high byte
constexpr int kByteCount = kSelection + sizeof(WORD);
}  // namespace slot
static_assert(slot::kByteCount == kGroupFrameExtraBytes, "the class record reserves the fields");
static_assert(sizeof(HFONT) == sizeof(LONG), "handles must fit a window long");

HFONT Font(HWND group) { return reinterpret_cast<HFONT>(GetWindowLongA(group, slot::kFont)); }
void SetFont(HWND group, HFONT font) { SetWindowLongA(group, slot::kFont, reinterpret_cast<LONG>(font)); }
WORD SelectionWord(HWND group) { return GetWindowWord(group, slot::kSelection); }
void SetSelectionWord(HWND group, WORD word) { SetWindowWord(group, slot::kSelection, word); }

// From the window DC's own font, not the one set with WM_SETFONT.
int TabHeight(HWND group) {
    fw::WindowDc dc(group, GetWindowDC(group));
    TEXTMETRICA metrics{};
    if (!dc || !GetTextMetricsA(dc.get(), &metrics)) return 0;
    return metrics.tmHeight + metrics.tmExternalLeading + 6;
}

RECT ClientRect(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    return client;
}

// Everything a message needs, derived anew each time.
struct Group {
    explicit Group(HWND window)
        : text(fw::WindowText(window)),
          tabs(controls::ParseTabDefinition(text)),
          selection(controls::DecodeSelection(SelectionWord(window), tabs)),
          client(ClientRect(window)),
          layout(tabs, client.right, client.bottom, TabHeight(window)) {}

    std::string text;
    TabDefinition tabs;
    TabCell selection;
    RECT client;
    TabLayout layout;
};

RECT ToRect(const TabRect& r) { return {r.left, r.top, r.right, r.bottom}; }

void InvalidateTabStrip(HWND group, const TabLayout& layout) {
    const RECT strip = ToRect(layout.TabStrip());
    InvalidateRect(group, &strip, TRUE);
}

LRESULT SendSelectAt(HWND group, TabCell cell) {
    return SendMessageA(group, CLM_SELECTTAB, static_cast<WPARAM>(-1),
                        MAKELPARAM(static_cast<WORD>(cell.column), static_cast<WORD>(cell.row)));
}

void DrawLabel(HWND group, HDC dc, const RECT& box, const controls::TabItem* item, bool selected) {
    if (!item || item->label.empty()) return;
    const HFONT font = Font(group);
    fw::UniqueFont bold;
    if (selected && font) {
        LOGFONTA description{};
        if (GetObjectA(font, sizeof description, &description)) {
            description.lfWeight = FW_BOLD;
            bold.reset(CreateFontIndirectA(&description));
        }
    }
    HGDIOBJ chosen = bold ? bold.get() : font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
    fw::SelectGuard selectedFont(dc, chosen);
    const COLORREF previousColour =
        SetTextColor(dc, GetSysColor(item->disabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
    RECT area = {box.left + 2, box.top + 3, box.right - 3, box.bottom - 1};
    DrawTextA(dc, item->label.data(), static_cast<int>(item->label.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SetTextColor(dc, previousColour);
}

void Paint(HWND group) {
    fw::PaintDc paint(group);
    const HDC dc = paint.get();
    const Group g(group);
    const TabLayout& l = g.layout;
    const int W = l.Width(), H = l.Height(), R = l.Rows(), C = l.Columns(), th = l.TabHeight(), tw = l.TabWidth();
    const int S = g.selection.column;

    SetBkMode(dc, TRANSPARENT);
    fw::UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    const HGDIOBJ black = GetStockObject(BLACK_PEN);
    const HGDIOBJ white = GetStockObject(WHITE_PEN);
    fw::SelectGuard restorePen(dc, black);

    // The page's outline: black bottom, white left, shadow just above the bottom.
    DrawLines(dc, black, {{0, H - 1}, {W - 8 * R - 1, H - 1}});
    DrawLines(dc, white, {{1, R * th}, {1, H - 2}});
    DrawLines(dc, shadow.get(), {{1, H - 2}, {W - 8 * R - 1, H - 2}});

    const bool focused = GetFocus() == group;
    for (int o = 0; o < R; ++o) {
        for (int j = 0; j < C; ++j) {
            const TabRect box = l.TabBounds(o, j);
            const int xL = box.left, xR = box.right;
            // Tabs wholly outside the clip (most of a 256 x 256 grid) are not drawn.
            const RECT extent = {xL, box.top, xR + 1, box.bottom + 1};
            if (!RectVisible(dc, &extent)) continue;
            const bool selected = o == 0 && j == S;
            int yA = box.bottom - 2, yB = box.top + 2;
            if (selected) {  // two pixels taller, joining the page
                yA += 1;
                yB -= 2;
            }
            if (o == 0 && j == S - 1) {  // the selected tab covers this one's right edge
                DrawLines(dc, white, {{xL, yA}, {xL, yB + 3}, {xL + 2, yB + 1}, {xR - 2, yB + 1}, {xR, yB + 1}});
            } else {
                DrawLines(dc, white, {{xL, yA}, {xL, yB + 3}, {xL + 2, yB + 1}, {xR - 2, yB + 1}});
                DrawLines(dc, shadow.get(), {{xR - 2, yB + 1}, {xR - 2, yA + 1}});
                DrawLines(dc, black, {{xR - 1, yB + 3}, {xR - 1, yA + 1}});
            }
            const controls::TabItem* item = g.tabs.ItemAt({j, l.DataRowShown(o, j, g.selection)});
            DrawLabel(group, dc, ToRect(box), item, selected);
            if (selected && focused) {
                const RECT mark = {xL + 4, box.top + 5, xR - 5, box.bottom - 1};
                DrawFocusRect(dc, &mark);
            }
        }
        // The right and lower edges of the page behind, one per row, 8 pixels further right.
        const int rowRight = l.RowRight(o), yBot = l.TabBounds(o, 0).bottom, yE = H - o * th - 1;
        DrawLines(dc, black, {{rowRight - 1, yBot - 1}, {rowRight - 1, yE}, {rowRight - 9, yE}});
        DrawLines(dc, shadow.get(), {{rowRight - 2, yBot - 1}, {rowRight - 2, yE - 1}, {rowRight - 9, yE - 1}});
        if (o == 0) {  // the page's top edge, open under the selected tab
            if (S > 0) DrawLines(dc, white, {{1, R * th}, {S * tw + 1, R * th}});
            if (S < C - 1) DrawLines(dc, white, {{(S + 1) * tw, R * th}, {rowRight - 1, R * th}});
        }
    }
}

void EraseBackground(HWND group, HDC dc) {
    auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(GetParent(group), WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(group)));
    if (!brush) brush = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
    const RECT client = ClientRect(group);
    FillRect(dc, &client, brush);
}

void OnClick(HWND group, LPARAM point) {
    SetFocus(group);
    const Group g(group);
    const auto cell = g.layout.HitTest(LOWORD(point), HIWORD(point), g.selection);
    if (!cell || *cell == g.selection) return;
    if (SendSelectAt(group, *cell) == 0) MessageBeep(0);
}

void OnKey(HWND group, WPARAM key) {
    bool forward;
    switch (key) {
    case VK_RIGHT:
    case VK_DOWN: forward = true; break;
    case VK_LEFT:
    case VK_UP: forward = false; break;
    default: return;
    }
    // The tabs that cannot be selected are skipped here rather than by asking the
    // control about each one: a 256 x 256 grid of empty tabs stays one message.
    const Group g(group);
    if (const auto next = controls::StepSelection(g.tabs, g.selection, forward)) SendSelectAt(group, *next);
}

LRESULT OnSelectTab(HWND group, WPARAM wParam, LPARAM lParam) {
    const Group g(group);
    const int id = static_cast<int>(wParam);
    const controls::TabSelectResult result =
        id >= 0 ? controls::SelectTabById(g.tabs, g.selection, id)
                : controls::SelectTabAt(g.tabs, g.selection, {LOWORD(lParam), HIWORD(lParam)});
    if (result.changed) {
        SetSelectionWord(group, controls::EncodeSelection(result.cell));
        InvalidateTabStrip(group, g.layout);
        SendMessageA(GetParent(group), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(group)), 0),
                     reinterpret_cast<LPARAM>(group));
    }
    return result.answer;
}

LRESULT OnEnableTab(HWND group, int id, bool enable) {
    const Group g(group);
    const auto edited = controls::SetTabEnabledInText(g.text, id, enable);
    if (!edited) return 0;
    if (*edited != g.text) {
        SetWindowTextA(group, edited->c_str());
        InvalidateTabStrip(group, g.layout);
    }
    return 1;
}

}  // namespace

LRESULT CALLBACK GroupFrameProc(HWND group, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const LRESULT result = DefWindowProcA(group, message, wParam, lParam);
        if (result == 0) {
            SetFont(group, nullptr);
            SetSelectionWord(group, 0);
        }
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: InvalidateTabStrip(group, Group(group).layout); return 0;
    case WM_PAINT: Paint(group); return 1;
    case WM_ERASEBKGND: EraseBackground(group, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_SETFONT: SetFont(group, reinterpret_cast<HFONT>(wParam)); return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(Font(group));
    case WM_NCHITTEST: {
        POINT point = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(group, &point);
        return Group(group).layout.InTabStrip(point.y) ? HTCLIENT : HTTRANSPARENT;
    }
    case WM_GETDLGCODE: return DLGC_WANTARROWS;
    case WM_KEYDOWN: OnKey(group, wParam); return 0;
    case WM_MOUSEMOVE: SetCursor(LoadCursorA(nullptr, IDC_ARROW)); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: OnClick(group, lParam); return 0;
    case CLM_SELECTTAB: return OnSelectTab(group, wParam, lParam);
    case CLM_GETSELECTEDTAB: {
        const Group g(group);
        const controls::TabItem* item = g.tabs.ItemAt(g.selection);
        return item ? item->id : 0;
    }
    case CLM_GETPAGERECT: {
        auto* page = reinterpret_cast<RECT*>(lParam);
        if (!page) return 0;
        *page = ToRect(Group(group).layout.PageArea());
        POINT corners[2] = {{page->left, page->top}, {page->right, page->bottom}};
        ClientToScreen(group, &corners[0]);
        ClientToScreen(group, &corners[1]);
        *page = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        return 0;
    }
    case CLM_ENABLETAB: return OnEnableTab(group, static_cast<int>(wParam), lParam != 0);
    case CLM_ISTABENABLED: {
        const Group g(group);
        const auto index = g.tabs.FindTab(static_cast<int>(wParam));
        return index && !g.tabs.items[*index].disabled ? 1 : 0;
    }
    default: return DefWindowProcA(group, message, wParam, lParam);
    }
}
