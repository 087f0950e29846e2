// "PemzGroup": window procedure of the tab frame. The tabs are re-read from the window
// text at every message that needs them (controls/TabDefinition.h holds the rules);
// only the font and the selection word live in the extra bytes.
#include "controls/GroupFrame.h"

#include <windowsx.h>

#include <algorithm>
#include <string>

#include "controls/Accessible.h"
#include "controls/ControlMessages.h"
#include "controls/DrawLines.h"
#include "controls/TabDefinition.h"
#include "controls/WindowSlots.h"
#include "framework/DerivedFont.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowText.h"

namespace controls {

namespace {

namespace slot {
constexpr int kFont = 0;                        // HFONT from WM_SETFONT, not owned
constexpr int kSelection = kFont + kSlotBytes;  // WORD: column low byte, data row high byte
constexpr int kByteCount = kSelection + sizeof(WORD);
}  // namespace slot
static_assert(slot::kByteCount == kGroupFrameExtraBytes, "the class record reserves the fields");
static_assert(kSlotBytes != 4 || slot::kSelection == 4, "on 32-bit Windows the field offsets are the fixed ones");

HFONT Font(HWND group) { return ReadSlot<HFONT>(group, slot::kFont); }
void SetFont(HWND group, HFONT font) { WriteSlot(group, slot::kFont, font); }
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
          tabs(ParseTabDefinition(text)),
          selection(DecodeSelection(SelectionWord(window), tabs)),
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

void DrawLabel(HWND group, HDC dc, const RECT& box, const TabItem* item, bool selected) {
    if (!item || item->label.empty()) return;
    const HFONT font = Font(group);
    const fw::UniqueFont bold =
        selected ? fw::DerivedFont(font, [](LOGFONTA& description) { description.lfWeight = FW_BOLD; })
                 : fw::UniqueFont();
    HGDIOBJ chosen = bold ? bold.get() : font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT);
    fw::SelectGuard selectedFont(dc, chosen);
    const COLORREF previousColour = SetTextColor(dc, GetSysColor(item->disabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
    RECT area = {box.left + 2, box.top + 3, box.right - 3, box.bottom - 1};
    DrawTextA(dc, item->label.data(), static_cast<int>(item->label.size()), &area,
              DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    SetTextColor(dc, previousColour);
}

void Paint(HWND group) {
    fw::PaintDc paint(group);
    const HDC dc = paint.get();
    const Group g(group);
    const TabLayout& layout = g.layout;
    const int width = layout.Width(), height = layout.Height(), rows = layout.Rows(), columns = layout.Columns();
    const int tabHeight = layout.TabHeight(), tabWidth = layout.TabWidth();
    const int selectedColumn = g.selection.column;

    SetBkMode(dc, TRANSPARENT);
    fw::UniquePen shadow(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
    const HGDIOBJ black = GetStockObject(BLACK_PEN);
    const HGDIOBJ white = GetStockObject(WHITE_PEN);
    fw::SelectGuard restorePen(dc, black);

    // The page's outline: black bottom, white left, shadow just above the bottom.
    DrawLines(dc, black, {{0, height - 1}, {width - kTabRowStep * rows - 1, height - 1}});
    DrawLines(dc, white, {{1, rows * tabHeight}, {1, height - 2}});
    DrawLines(dc, shadow.get(), {{1, height - 2}, {width - kTabRowStep * rows - 1, height - 2}});

    const bool focused = GetFocus() == group;
    for (int displayRow = 0; displayRow < rows; ++displayRow) {
        for (int column = 0; column < columns; ++column) {
            const TabRect box = layout.TabBounds(displayRow, column);
            const int left = box.left, right = box.right;
            // Tabs wholly outside the clip (most of a 256 x 256 grid) are not drawn.
            const RECT extent = {left, box.top, right + 1, box.bottom + 1};
            if (!RectVisible(dc, &extent)) continue;
            const bool selected = displayRow == 0 && column == selectedColumn;
            int sideBottom = box.bottom - 2, sideTop = box.top + 2;
            if (selected) {  // two pixels taller, joining the page
                sideBottom += 1;
                sideTop -= 2;
            }
            if (displayRow == 0 && column == selectedColumn - 1) {  // the selected tab covers this one's right edge
                DrawLines(dc, white,
                          {{left, sideBottom},
                           {left, sideTop + 3},
                           {left + 2, sideTop + 1},
                           {right - 2, sideTop + 1},
                           {right, sideTop + 1}});
            } else {
                DrawLines(dc, white,
                          {{left, sideBottom}, {left, sideTop + 3}, {left + 2, sideTop + 1}, {right - 2, sideTop + 1}});
                DrawLines(dc, shadow.get(), {{right - 2, sideTop + 1}, {right - 2, sideBottom + 1}});
                DrawLines(dc, black, {{right - 1, sideTop + 3}, {right - 1, sideBottom + 1}});
            }
            const TabItem* item = g.tabs.ItemAt({column, layout.DataRowShown(displayRow, column, g.selection)});
            DrawLabel(group, dc, ToRect(box), item, selected);
            if (selected && focused) {
                const RECT mark = {left + 4, box.top + 5, right - 5, box.bottom - 1};
                DrawFocusRect(dc, &mark);
            }
        }
        // The right and lower edges of the page behind, one per row, a row step further right.
        const int rowRight = layout.RowRight(displayRow), rowBottom = layout.TabBounds(displayRow, 0).bottom,
                  pageBottom = height - displayRow * tabHeight - 1;
        DrawLines(
            dc, black,
            {{rowRight - 1, rowBottom - 1}, {rowRight - 1, pageBottom}, {rowRight - kTabRowStep - 1, pageBottom}});
        DrawLines(dc, shadow.get(),
                  {{rowRight - 2, rowBottom - 1},
                   {rowRight - 2, pageBottom - 1},
                   {rowRight - kTabRowStep - 1, pageBottom - 1}});
        if (displayRow == 0) {  // the page's top edge, open under the selected tab
            if (selectedColumn > 0)
                DrawLines(dc, white, {{1, rows * tabHeight}, {selectedColumn * tabWidth + 1, rows * tabHeight}});
            if (selectedColumn < columns - 1)
                DrawLines(dc, white,
                          {{(selectedColumn + 1) * tabWidth, rows * tabHeight}, {rowRight - 1, rows * tabHeight}});
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
    const auto cell = g.layout.HitTest(GET_X_LPARAM(point), GET_Y_LPARAM(point), g.selection);
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
    if (const auto next = StepSelection(g.tabs, g.selection, forward)) SendSelectAt(group, *next);
}

LRESULT OnSelectTab(HWND group, WPARAM wParam, LPARAM lParam) {
    const Group g(group);
    const int id = static_cast<int>(wParam);
    const TabSelectResult result = id >= 0 ? SelectTabById(g.tabs, g.selection, id)
                                           : SelectTabAt(g.tabs, g.selection, {LOWORD(lParam), HIWORD(lParam)});
    if (result.changed) {
        SetSelectionWord(group, EncodeSelection(result.cell));
        InvalidateTabStrip(group, g.layout);
        // Screen readers speak the tab now selected, and focused when the focus is here.
        const LONG child = result.cell.row * g.tabs.columns + result.cell.column + 1;
        NotifyWinEvent(EVENT_OBJECT_SELECTION, group, OBJID_CLIENT, child);
        if (GetFocus() == group) NotifyWinEvent(EVENT_OBJECT_FOCUS, group, OBJID_CLIENT, child);
        SendMessageA(GetParent(group), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(group)), 0),
                     reinterpret_cast<LPARAM>(group));
    }
    return result.answer;
}

LRESULT OnEnableTab(HWND group, int id, bool enable) {
    const Group g(group);
    const auto edited = SetTabEnabledInText(g.text, id, enable);
    if (!edited) return 0;
    if (*edited != g.text) {
        SetWindowTextA(group, edited->c_str());
        InvalidateTabStrip(group, g.layout);
    }
    return 1;
}

// To a screen reader: a list of page tabs, the items shown in the grid in their order;
// the frame's value is the selected tab.
class GroupAccessible : public Accessible {
public:
    explicit GroupAccessible(HWND group) : Accessible(group, ROLE_SYSTEM_PAGETABLIST) {}

protected:
    long Children() override {
        const Group g(Window());
        return static_cast<long>(std::min<std::size_t>(g.tabs.items.size(), g.tabs.columns * g.tabs.rows));
    }
    long ChildRole(long) override { return ROLE_SYSTEM_PAGETAB; }
    bool GetText(Text what, long child, std::string& text) override {
        const Group g(Window());
        if (child == CHILDID_SELF) {
            // No name: the standard object's would be the window text, the tabs' definition.
            if (what == Text::Name) return true;
            if (what != Text::Value) return false;
            const TabItem* selected = g.tabs.ItemAt(g.selection);
            text = selected ? selected->label : std::string();
        } else if (what == Text::Name) {
            text = g.tabs.items[child - 1].label;
        } else if (what == Text::DefaultAction) {
            text = "Sélectionner";
        } else {
            return false;
        }
        return true;
    }
    long GetState(long child, long standard) override {
        if (child == CHILDID_SELF) return standard;
        const Group g(Window());
        const TabCell cell = g.tabs.CellOf(child - 1);
        long state = g.tabs.IsSelectable(cell) ? STATE_SYSTEM_SELECTABLE : STATE_SYSTEM_UNAVAILABLE;
        if (cell == g.selection) state |= STATE_SYSTEM_SELECTED | (GetFocus() == Window() ? STATE_SYSTEM_FOCUSED : 0);
        return state;
    }
    // Where the tab is drawn: in the front row if its column is the selected one and
    // its row the selected row, else in the row that the rotation gives it.
    RECT ChildLocation(long child) override {
        const Group g(Window());
        const TabCell cell = g.tabs.CellOf(child - 1);
        RECT area{};
        for (int displayRow = 0; displayRow < g.layout.Rows(); ++displayRow)
            if (g.layout.DataRowShown(displayRow, cell.column, g.selection) == cell.row) {
                area = ToRect(g.layout.TabBounds(displayRow, cell.column));
                ++area.right;  // the bounds' right end is inclusive
            }
        MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&area), 2);
        return area;
    }
    // As a click on the tab selects it; posted, since the parent is told at once.
    HRESULT DoDefaultAction(long child) override {
        if (child == CHILDID_SELF) return DISP_E_MEMBERNOTFOUND;
        const Group g(Window());
        const TabCell cell = g.tabs.CellOf(child - 1);
        if (!Clickable() || !g.tabs.IsSelectable(cell)) return E_FAIL;
        PostMessageA(Window(), CLM_SELECTTAB, static_cast<WPARAM>(-1),
                     MAKELPARAM(static_cast<WORD>(cell.column), static_cast<WORD>(cell.row)));
        return S_OK;
    }
};

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
        const TabItem* item = g.tabs.ItemAt(g.selection);
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
    case WM_GETOBJECT: return AnswerGetObject(group, wParam, lParam, MakeAccessible<GroupAccessible>);
    case CLM_ISTABENABLED: {
        const Group g(group);
        const auto index = g.tabs.FindTab(static_cast<int>(wParam));
        return index && !g.tabs.items[*index].disabled ? 1 : 0;
    }
    default: return DefWindowProcA(group, message, wParam, lParam);
    }
}

}  // namespace controls
