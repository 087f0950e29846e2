// "PemzLookup" and "PemzGroup" on real windows: a host dialog naming both classes,
// driven by real mouse input, posted keys and the controls' own messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/ControlClasses.h"
#include "controls/ControlMessages.h"
#include "controls/LookupEdit.h"
#include "res/resource.h"
#include "tests/AccessibleReader.h"
#include "tests/controls/lookup_group_host.h"

namespace {

using namespace controls;

// ---- The host ----------------------------------------------------------------------

struct Command {
    WORD id;
    WORD code;
    HWND source;
};

std::vector<Command> g_dialogCommands;  // WM_COMMAND reaching the host dialog
std::vector<Command> g_lookupCommands;  // WM_COMMAND reaching a subclassed lookup
HBRUSH g_dialogBrush = nullptr;         // answer to WM_CTLCOLORDLG when set

INT_PTR CALLBACK HostProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return TRUE;
    case WM_COMMAND:
        g_dialogCommands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
        return TRUE;
    case WM_CTLCOLORDLG: return reinterpret_cast<INT_PTR>(g_dialogBrush);
    default: return FALSE;
    }
}

// The application's own procedure over a lookup: the only one that sees ID_LOOKUP.
WNDPROC g_lookupProc = nullptr;
LRESULT CALLBACK LookupSubclass(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == window)
        g_lookupCommands.push_back({LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
    return CallWindowProcA(g_lookupProc, window, message, wParam, lParam);
}

// Handles everything queued so far and whatever that queues in turn, until the queue is
// empty. SendInput has queued its input before it returns, so a click is over by then,
// commands included, and "nothing happened" means nothing will. Returns the exit code
// of a quit message taken on the way.
std::optional<WPARAM> Drain() {
    std::optional<WPARAM> quit;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = message.wParam;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return quit;
}

void MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// A press at `down` released at `up`, all queued before any of it is handled: the
// lookup's click loop runs inside the dispatch of the press.
void Click(POINT down, POINT up) {
    SetCursorPos(down.x, down.y);
    MouseButton(MOUSEEVENTF_LEFTDOWN);
    SetCursorPos(up.x, up.y);
    MouseButton(MOUSEEVENTF_LEFTUP);
}
void Click(POINT at) { Click(at, at); }

// A point as far below `at` as two clicks may lie apart and still make a double click:
// a click there after one at `at` is a click of its own, however soon it comes.
POINT BesideForDoubleClick(POINT at) { return {at.x, at.y + GetSystemMetrics(SM_CYDOUBLECLK)}; }

POINT ToScreen(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

RECT ClientRect(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

std::string Text(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

class LookupGroupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_NE(RegisterControlClasses(), 0); }

    void SetUp() override {
        g_dialogCommands.clear();
        g_lookupCommands.clear();
        g_dialogBrush = nullptr;
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_LOOKUP_GROUP_HOST), nullptr,
                                     HostProc, 0);
        ASSERT_NE(dialog_, nullptr);
        SetWindowPos(dialog_, HWND_TOP, 20, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(dialog_);
        Drain();
    }
    void TearDown() override {
        DestroyWindow(dialog_);
        Drain();
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    HWND Subclassed(int id) const {
        HWND lookup = Item(id);
        g_lookupProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(lookup, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LookupSubclass)));
        return lookup;
    }

    // The group at an exact pixel size, with a given text and a fresh selection.
    HWND SizedGroup(int id, const char* text, int width, int height) const {
        HWND group = Item(id);
        SetWindowTextA(group, text);
        SendMessageA(group, CLM_SELECTTAB, static_cast<WPARAM>(-1), MAKELPARAM(0, 0));
        SetWindowPos(group, HWND_TOP, 10, 10, width, height, 0);
        g_dialogCommands.clear();
        Drain();
        return group;
    }

    HWND dialog_ = nullptr;
};

// The tab height: the window DC's own font, whatever font the dialog gave the control.
int TabHeight(HWND group) {
    HDC dc = GetWindowDC(group);
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(group, dc);
    return metrics.tmHeight + metrics.tmExternalLeading + 6;
}

// Commands the dialog received from one control (edits send focus notifications too).
std::vector<Command> CommandsFrom(HWND source) {
    std::vector<Command> found;
    for (const Command& c : g_dialogCommands)
        if (c.source == source) found.push_back(c);
    return found;
}

int SelectedTab(HWND group) { return static_cast<int>(SendMessageA(group, CLM_GETSELECTEDTAB, 0, 0)); }

// ---- Lookup ------------------------------------------------------------------------

TEST_F(LookupGroupTest, LookupClassCopiesTheEditClassWithFourMoreBytes) {
    WNDCLASSA edit{}, lookup{};
    ASSERT_TRUE(GetClassInfoA(nullptr, "Edit", &edit));
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "PemzLookup", &lookup));
    EXPECT_EQ(lookup.cbWndExtra, edit.cbWndExtra + 4);
    EXPECT_EQ(lookup.style, edit.style);
    EXPECT_EQ(lookup.hCursor, edit.hCursor);
    EXPECT_EQ(lookup.lpfnWndProc, reinterpret_cast<WNDPROC>(LookupEditProc));
    // The program's module got the other five classes too.
    for (const char* name : {"PemzGroup", "PemzGrid", "PemzButton", "PemzBitmap", "PemzStopper"}) {
        WNDCLASSA record{};
        EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), name, &record)) << name;
    }
}

TEST_F(LookupGroupTest, ClientAreaLeavesRoomForTheButton) {
    const int button = GetSystemMetrics(SM_CXVSCROLL);
    struct Case {
        DWORD style, exStyle;
        int extra;
    } cases[] = {
        {WS_BORDER, 0, button + 4},
        {0, WS_EX_CLIENTEDGE, button + 4},
        {0, 0, button},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style | c.exStyle);
        const DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | c.style;
        HWND lookup = CreateWindowExA(c.exStyle, "PemzLookup", "x", style, 10, 200, 120, 24, dialog_, nullptr,
                                      GetModuleHandleA(nullptr), nullptr);
        HWND edit = CreateWindowExA(c.exStyle, "Edit", "x", style, 10, 230, 120, 24, dialog_, nullptr,
                                    GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(lookup && edit);
        // Beyond whatever border the edit itself keeps.
        EXPECT_EQ(Width(ClientRect(edit)) - Width(ClientRect(lookup)), c.extra);
        EXPECT_EQ(Height(ClientRect(edit)), Height(ClientRect(lookup)));
        DestroyWindow(lookup);
        DestroyWindow(edit);
    }
}

// Screen point at the middle of the drop button, as the lookup places it.
POINT ButtonCentre(HWND lookup) {
    RECT window{};
    GetWindowRect(lookup, &window);
    const int top = (GetWindowLongA(lookup, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ? GetSystemMetrics(SM_CYEDGE) : 0;
    return {window.right - GetSystemMetrics(SM_CXVSCROLL) / 2, (window.top + window.bottom) / 2 + top / 2};
}

TEST_F(LookupGroupTest, ButtonReleasedOverItSendsOneLookupCommandToTheLookup) {
    for (int id : {IDC_LOOKUP_BORDER, IDC_LOOKUP_PLAIN, IDC_LOOKUP_EDGE}) {
        SCOPED_TRACE(id);
        g_lookupCommands.clear();
        HWND lookup = Subclassed(id);
        Click(ButtonCentre(lookup));
        Drain();
        ASSERT_EQ(g_lookupCommands.size(), 1u);
        EXPECT_EQ(g_lookupCommands[0].id, ID_LOOKUP);
        EXPECT_EQ(g_lookupCommands[0].code, 0);
        EXPECT_EQ(GetCapture(), nullptr);
        for (const Command& c : g_dialogCommands) EXPECT_NE(c.id, ID_LOOKUP);  // the parent hears nothing of it
    }
}

TEST_F(LookupGroupTest, ButtonReleasedElsewhereSendsNothing) {
    HWND lookup = Subclassed(IDC_LOOKUP_BORDER);
    const POINT down = ButtonCentre(lookup);
    Click(down, {down.x + 60, down.y + 40});
    Drain();
    EXPECT_TRUE(g_lookupCommands.empty());
    EXPECT_EQ(GetCapture(), nullptr);
    // The loop is over: a later click still works (one that is no double click: the edit
    // class has CS_DBLCLKS, and a double click on the button is no press of it).
    Click(BesideForDoubleClick(down));
    Drain();
    EXPECT_EQ(g_lookupCommands.size(), 1u);
}

// What a timer does to a lookup while its button is held down (the click loop
// dispatches the timer).
enum class Interruption { LoseCapture, Destroy, Quit };
HWND g_heldLookup = nullptr;
Interruption g_interruption = Interruption::LoseCapture;
HWND g_captureWhenInterrupted = nullptr;
bool g_interrupted = false;
void CALLBACK Interrupt(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    g_interrupted = true;
    g_captureWhenInterrupted = GetCapture();
    switch (g_interruption) {
    case Interruption::LoseCapture: ReleaseCapture(); break;
    case Interruption::Destroy: DestroyWindow(g_heldLookup); break;
    case Interruption::Quit: PostQuitMessage(7); break;
    }
}

TEST_F(LookupGroupTest, HeldButtonLetsGoWhenCaptureWindowOrProgramGoes) {
    g_heldLookup = Subclassed(IDC_LOOKUP_BORDER);
    POINT press = ButtonCentre(g_heldLookup);
    press.y -= GetSystemMetrics(SM_CYDOUBLECLK);
    for (Interruption interruption : {Interruption::LoseCapture, Interruption::Quit, Interruption::Destroy}) {
        SCOPED_TRACE(static_cast<int>(interruption));
        g_lookupCommands.clear();
        g_captureWhenInterrupted = nullptr;
        g_interrupted = false;
        g_interruption = interruption;
        SetCursorPos(press.x, press.y);
        MouseButton(MOUSEEVENTF_LEFTDOWN);  // and no release
        // Input comes out of the queue before timers: the press is under way when it fires.
        SetTimer(nullptr, 0, USER_TIMER_MINIMUM, Interrupt);
        MSG msg;
        while (!g_interrupted && GetMessageA(&msg, nullptr, 0, 0) > 0) {  // the press is dispatched in here
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        ASSERT_TRUE(g_interrupted);
        const std::optional<WPARAM> quit = Drain();
        EXPECT_EQ(g_captureWhenInterrupted, g_heldLookup);  // the timer came during the press
        // A quit request is handed back by the press's loop.
        EXPECT_EQ(quit, interruption == Interruption::Quit ? std::optional<WPARAM>(7) : std::nullopt);
        EXPECT_TRUE(g_lookupCommands.empty());
        EXPECT_EQ(GetCapture(), nullptr);
        MouseButton(MOUSEEVENTF_LEFTUP);
        Drain();
        press = BesideForDoubleClick(press);
    }
    EXPECT_FALSE(IsWindow(g_heldLookup));
}

TEST_F(LookupGroupTest, F4SendsOneCommandAndTypesNothing) {
    HWND lookup = Subclassed(IDC_LOOKUP_BORDER);
    SetFocus(lookup);
    SendMessageA(lookup, EM_SETSEL, 5, 5);  // caret after "Paris"
    PostMessageA(lookup, WM_KEYDOWN, VK_F4, 0x003E0001);
    PostMessageA(lookup, WM_KEYUP, VK_F4, static_cast<LPARAM>(0xC03E0001u));
    Drain();
    EXPECT_EQ(g_lookupCommands.size(), 1u);
    EXPECT_EQ(Text(lookup), "Paris");
    // Other keys still reach the edit.
    PostMessageA(lookup, WM_KEYDOWN, 'X', 0x002D0001);
    PostMessageA(lookup, WM_KEYUP, 'X', static_cast<LPARAM>(0xC02D0001u));
    Drain();
    EXPECT_EQ(Text(lookup), "Parisx");
    EXPECT_EQ(g_lookupCommands.size(), 1u);
}

TEST_F(LookupGroupTest, AnyNonClientClickFocusesAndSelectsAll) {
    HWND lookup = Subclassed(IDC_LOOKUP_BORDER);
    SetFocus(Item(IDC_OTHER));
    SendMessageA(lookup, EM_SETSEL, 0, 0);
    // The gap between the client area and the button: non-client, not the button.
    const RECT client = ClientRect(lookup);
    Click(ToScreen(lookup, client.right + 1, client.bottom / 2));
    Drain();
    ASSERT_EQ(GetFocus(), lookup);
    DWORD start = 1, end = 0;
    SendMessageA(lookup, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
    EXPECT_TRUE(g_lookupCommands.empty());
}

// Whether the parent's update region holds the ring one pixel outside the child.
bool RingInvalidated(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(parent, region, FALSE);
    const bool ring = PtInRegion(region, r.left - 1, r.top - 1) && PtInRegion(region, r.right, r.bottom) &&
                      PtInRegion(region, r.left - 1, r.bottom) && PtInRegion(region, r.right, r.top - 1);
    DeleteObject(region);
    return ring;
}

TEST_F(LookupGroupTest, ShowingOrHidingABorderedLookupRepaintsTheRingAroundIt) {
    for (bool show : {false, true}) {
        for (int id : {IDC_LOOKUP_BORDER, IDC_LOOKUP_PLAIN}) {
            SCOPED_TRACE(std::to_string(show) + " " + std::to_string(id));
            HWND lookup = Item(id);
            ShowWindow(lookup, show ? SW_HIDE : SW_SHOW);
            UpdateWindow(dialog_);
            ValidateRect(dialog_, nullptr);
            ShowWindow(lookup, show ? SW_SHOW : SW_HIDE);
            EXPECT_EQ(RingInvalidated(dialog_, lookup), id == IDC_LOOKUP_BORDER);
        }
    }
}

TEST_F(LookupGroupTest, WindowsFamilyFromTheVersionValue) {
    EXPECT_FALSE(IsWindows9x(0x0A280105));  // NT 5.1 build 2600
    EXPECT_TRUE(IsWindows9x(0xC0000A04));   // 4.10, high bit set
    EXPECT_FALSE(IsWindows9x(0x80000003));  // Win32s on 3.x, high bit set
    EXPECT_FALSE(IsWindows9x());            // Wine answers as NT
}

// ---- Group -------------------------------------------------------------------------

TEST_F(LookupGroupTest, TwoTabsInTwoHundredPixels) {
    HWND group = SizedGroup(IDC_GROUP_TWO, "2,1,10=Un,20=Deux", 200, 120);
    const int th = TabHeight(group);
    // Strip: the tabs take the mouse, the page lets it through.
    auto hit = [&](int y) {
        const POINT p = ToScreen(group, 50, y);
        return SendMessageA(group, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    };
    EXPECT_EQ(hit(th - 1), HTCLIENT);
    EXPECT_EQ(hit(th), HTTRANSPARENT);
    // The focus mark repaints exactly the strip, th + 3 high.
    UpdateWindow(group);
    SendMessageA(group, WM_SETFOCUS, 0, 0);
    RECT update{};
    GetUpdateRect(group, &update, FALSE);
    EXPECT_EQ(update.top, 0);
    EXPECT_EQ(update.bottom, th + 3);
    EXPECT_EQ(update.right, 200);

    RECT page{};
    EXPECT_EQ(SendMessageA(group, CLM_GETPAGERECT, 0, reinterpret_cast<LPARAM>(&page)), 0);
    const POINT topLeft = ToScreen(group, 2, th + 3), bottomRight = ToScreen(group, 198, 118);
    EXPECT_EQ(page.left, topLeft.x);
    EXPECT_EQ(page.top, topLeft.y);
    EXPECT_EQ(page.right, bottomRight.x);
    EXPECT_EQ(page.bottom, bottomRight.y);

    // tw = (200 - 8) / 2 = 96: the column is x / 96 on the front row.
    EXPECT_EQ(SelectedTab(group), 10);
    Click(ToScreen(group, 95, th / 2));
    Drain();
    EXPECT_EQ(SelectedTab(group), 10);
    EXPECT_TRUE(CommandsFrom(group).empty());
    Click(ToScreen(group, 97, th / 2));
    Drain();
    EXPECT_EQ(SelectedTab(group), 20);
    const std::vector<Command> commands = CommandsFrom(group);
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].id, IDC_GROUP_TWO);
    EXPECT_EQ(commands[0].code, 0);
    EXPECT_EQ(GetFocus(), group);
}

TEST_F(LookupGroupTest, ClicksOnTheSelectedOrADisabledTabChangeNothing) {
    HWND group = SizedGroup(IDC_GROUP_TWO, "2,1,10=!Un,20=Deux", 200, 120);
    const int th = TabHeight(group);
    // The first tab is disabled: position (0, 0) stays stored but names no selectable tab.
    SendMessageA(group, CLM_SELECTTAB, 20, 0);
    g_dialogCommands.clear();
    Click(ToScreen(group, 150, th / 2));  // the selected one
    Click(ToScreen(group, 40, th / 2));   // the disabled one (beeps)
    Drain();
    EXPECT_EQ(SelectedTab(group), 20);
    EXPECT_TRUE(CommandsFrom(group).empty());
}

TEST_F(LookupGroupTest, SelectTabByIdentifierAndByPosition) {
    HWND group = SizedGroup(IDC_GROUP_SIX, "3,2,101=A,102=B,103=!C,104=D,105=E,106=F", 300, 90);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, 999, 0), -1);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, 103, 0), 0);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, 101, 0), 0);  // already selected: its index, 0
    EXPECT_TRUE(CommandsFrom(group).empty());
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, 105, 0), 1);
    EXPECT_EQ(SelectedTab(group), 105);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, 105, 0), 4);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, static_cast<WPARAM>(-1), MAKELPARAM(2, 1)), 1);
    EXPECT_EQ(SelectedTab(group), 106);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, static_cast<WPARAM>(-1), MAKELPARAM(2, 1)), 1);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, static_cast<WPARAM>(-1), MAKELPARAM(3, 0)), 0);
    EXPECT_EQ(CommandsFrom(group).size(), 2u);  // one per change, none for the rest
}

TEST_F(LookupGroupTest, OnlyTheSelectedColumnRotatesToTheFrontRow) {
    HWND group = SizedGroup(IDC_GROUP_SIX, "3,2,101=A,102=B,103=!C,104=D,105=E,106=F", 300, 90);
    const int th = TabHeight(group);
    const int frontY = th + th / 2, backY = th / 2;
    const int tw = (300 - 16) / 3;
    auto column = [&](int row, int j) { return 8 * row + 1 + j * tw + tw / 2; };
    SendMessageA(group, CLM_SELECTTAB, 104, 0);  // column 0 of data row 1
    // Front row: data row 1 in column 0, data row 0 elsewhere; back row the other way.
    Click(ToScreen(group, column(0, 1), frontY));
    Drain();
    EXPECT_EQ(SelectedTab(group), 102);
    SendMessageA(group, CLM_SELECTTAB, 104, 0);
    Click(ToScreen(group, column(1, 0), backY));
    Drain();
    EXPECT_EQ(SelectedTab(group), 101);
    SendMessageA(group, CLM_SELECTTAB, 104, 0);
    Click(ToScreen(group, column(1, 1), backY));
    Drain();
    EXPECT_EQ(SelectedTab(group), 105);
}

TEST_F(LookupGroupTest, ArrowKeysWrapAndSkipDisabledTabs) {
    HWND group = SizedGroup(IDC_GROUP_SIX, "3,2,101=A,102=B,103=!C,104=D,105=E,106=F", 300, 90);
    EXPECT_EQ(SendMessageA(group, WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
    struct Step {
        int from;
        WPARAM key;
        int to;
    } steps[] = {
        {102, VK_RIGHT, 104},  // over the disabled 103
        {106, VK_RIGHT, 101},  // last of the last row wraps to the first
        {101, VK_LEFT, 106},  {104, VK_UP, 102}, {105, VK_DOWN, 106},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.from);
        SendMessageA(group, CLM_SELECTTAB, s.from, 0);
        g_dialogCommands.clear();
        SendMessageA(group, WM_KEYDOWN, s.key, 0);
        EXPECT_EQ(SelectedTab(group), s.to);
        EXPECT_EQ(CommandsFrom(group).size(), 1u);
    }
    // Nothing else selectable: the key does nothing.
    SetWindowTextA(group, "2,1,1=A,2=!B");
    SendMessageA(group, CLM_SELECTTAB, 1, 0);
    g_dialogCommands.clear();
    SendMessageA(group, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_EQ(SelectedTab(group), 1);
    EXPECT_TRUE(CommandsFrom(group).empty());
}

TEST_F(LookupGroupTest, EnableTabTogglesTheMarkInTheText) {
    HWND group = SizedGroup(IDC_GROUP_TWO, "2,1,10=Un,20=Deux", 200, 120);
    EXPECT_EQ(SendMessageA(group, CLM_ISTABENABLED, 20, 0), 1);
    EXPECT_EQ(SendMessageA(group, CLM_ENABLETAB, 20, 0), 1);
    EXPECT_EQ(Text(group), "2,1,10=Un,20=!Deux");
    EXPECT_EQ(SendMessageA(group, CLM_ISTABENABLED, 20, 0), 0);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, 20, 0), 0);
    EXPECT_EQ(SendMessageA(group, CLM_ENABLETAB, 20, 0), 1);  // already disabled: unchanged
    EXPECT_EQ(Text(group), "2,1,10=Un,20=!Deux");
    EXPECT_EQ(SendMessageA(group, CLM_ENABLETAB, 20, 1), 1);
    EXPECT_EQ(Text(group), "2,1,10=Un,20=Deux");
    EXPECT_EQ(SendMessageA(group, CLM_ENABLETAB, 30, 0), 0);
    EXPECT_EQ(SendMessageA(group, CLM_ISTABENABLED, 30, 0), 0);
    // An item past the grid (data row 1 of one row) is found but never selected.
    SetWindowTextA(group, "1,1,10=Un,20=Deux");
    EXPECT_EQ(SendMessageA(group, CLM_ISTABENABLED, 20, 0), 1);
    EXPECT_EQ(SendMessageA(group, CLM_SELECTTAB, 20, 0), 0);
    EXPECT_EQ(SelectedTab(group), 10);
    EXPECT_EQ(SendMessageA(group, CLM_ENABLETAB, 20, 0), 1);
    EXPECT_EQ(Text(group), "1,1,10=Un,20=!Deux");
    EXPECT_TRUE(CommandsFrom(group).empty());
}

TEST_F(LookupGroupTest, ClickInThePageReachesTheControlBeneath) {
    HWND group = Item(IDC_GROUP_TWO);
    HWND under = Item(IDC_UNDER);
    RECT below{};
    GetWindowRect(under, &below);
    RECT page{};
    SendMessageA(group, CLM_GETPAGERECT, 0, reinterpret_cast<LPARAM>(&page));
    const POINT centre = {(below.left + below.right) / 2, (below.top + below.bottom) / 2};
    ASSERT_TRUE(PtInRect(&page, centre));  // the layout puts the button under the page
    Click(centre);
    Drain();
    ASSERT_FALSE(CommandsFrom(under).empty());
    EXPECT_EQ(CommandsFrom(under)[0].id, IDC_UNDER);
    EXPECT_EQ(CommandsFrom(under)[0].code, BN_CLICKED);
    EXPECT_TRUE(CommandsFrom(group).empty());
}

TEST_F(LookupGroupTest, BackgroundUsesTheParentsDialogBrushOrGrey) {
    HWND group = SizedGroup(IDC_GROUP_TWO, "2,1,10=Un,20=Deux", 40, 30);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 30);
    HGDIOBJ old = SelectObject(memory, bitmap);
    g_dialogBrush = CreateSolidBrush(RGB(200, 10, 30));
    EXPECT_EQ(SendMessageA(group, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 39, 29), RGB(200, 10, 30));
    DeleteObject(g_dialogBrush);
    g_dialogBrush = nullptr;
    // A parent that answers with no brush: the stock grey.
    HWND plain = CreateWindowExA(0, "PemzGroup", "1,1,1=a", WS_POPUP, 0, 0, 40, 30, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    SendMessageA(plain, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    LOGBRUSH grey{};
    GetObjectA(GetStockObject(GRAY_BRUSH), sizeof grey, &grey);
    EXPECT_EQ(GetPixel(memory, 5, 5), grey.lbColor);
    DestroyWindow(plain);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(LookupGroupTest, MalformedOrOversizedTextsNeverBreakTheControl) {
    const std::string longLabel(300, 'L');
    const std::string texts[] = {
        "",
        "abc",
        "=,=,=",
        "-5,-9,",
        "300,300," + std::string(20000, '='),
        "99999999999,1,1=" + longLabel,
        "2,1,1=" + longLabel + ",2=b",
        std::string(65536, '7'),
    };
    for (const std::string& text : texts) {
        SCOPED_TRACE(text.substr(0, 40));
        for (SIZE size : {SIZE{200, 120}, SIZE{3, 3}, SIZE{0, 0}}) {
            HWND group = SizedGroup(IDC_GROUP_TWO, text.c_str(), size.cx, size.cy);
            InvalidateRect(group, nullptr, TRUE);
            UpdateWindow(group);
            SendMessageA(group, WM_KEYDOWN, VK_RIGHT, 0);
            SendMessageA(group, WM_LBUTTONDOWN, 0, MAKELPARAM(1, 1));
            RECT page{};
            SendMessageA(group, CLM_GETPAGERECT, 0, reinterpret_cast<LPARAM>(&page));
            SendMessageA(group, CLM_ENABLETAB, 1, 0);
            EXPECT_TRUE(IsWindow(group));
        }
    }
    EXPECT_EQ(SendMessageA(Item(IDC_GROUP_TWO), CLM_GETPAGERECT, 0, 0), 0);  // no rectangle to fill
}

// ---- Screen readers ----------------------------------------------------------------

TEST_F(LookupGroupTest, ScreenReadersReadALookupAsAComboBoxAndPressItsButton) {
    HWND lookup = Subclassed(IDC_LOOKUP_BORDER);
    test::AccessibleReader reader(lookup);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader.Role(), ROLE_SYSTEM_COMBOBOX);
    EXPECT_EQ(reader.Name(), "Bordé");  // its label, not its text
    EXPECT_EQ(reader.Value(), "Paris");
    EXPECT_EQ(reader.DefaultAction(), "Ouvrir");
    EXPECT_EQ(reader.DoDefaultAction(), S_OK);
    Drain();
    ASSERT_EQ(g_lookupCommands.size(), 1u);
    EXPECT_EQ(g_lookupCommands[0].id, ID_LOOKUP);

    test::AccessibleReader disabled(Item(IDC_LOOKUP_DISABLED));
    EXPECT_EQ(disabled.Name(), "Désactivé");
    EXPECT_EQ(disabled.Value(), "Nice");
    EXPECT_TRUE(disabled.State() & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(disabled.DoDefaultAction(), E_FAIL);
}

// Focus and selection events of one process, as a screen reader hears them.
std::vector<std::pair<DWORD, LONG>> g_tabEvents;
void CALLBACK RecordTabEvent(HWINEVENTHOOK, DWORD event, HWND, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) g_tabEvents.emplace_back(event, child);
}

TEST_F(LookupGroupTest, ScreenReadersReadTheTabsWhereTheyAreDrawnAndSelectThem) {
    HWND group = Item(IDC_GROUP_NINE);  // 3 x 3, tab 5 disabled; identifiers are the child numbers
    const auto selectApril = [&] {      // column 0 of data row 1: column 0 shows its rows rotated
        SendMessageA(group, CLM_SELECTTAB, 4, 0);
        Drain();
    };
    selectApril();
    test::AccessibleReader reader(group);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader.Role(), ROLE_SYSTEM_PAGETABLIST);
    EXPECT_EQ(reader.Name(), "");  // not the definition text
    EXPECT_EQ(reader.Value(), "Avril");
    ASSERT_EQ(reader.Children(), 9);
    EXPECT_EQ(reader.Role(2), ROLE_SYSTEM_PAGETAB);
    EXPECT_EQ(reader.Name(2), "Février");
    EXPECT_EQ(reader.Name(5), "Mai");
    EXPECT_EQ(reader.State(1), STATE_SYSTEM_SELECTABLE);
    EXPECT_EQ(reader.State(4), STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_SELECTED);
    EXPECT_EQ(reader.State(5), STATE_SYSTEM_UNAVAILABLE);

    // A click in the middle of where a tab is said to be selects that tab.
    for (long child : {1, 2, 7, 9}) {
        SCOPED_TRACE(child);
        const RECT tab = reader.Location(child);
        Click({(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
        Drain();
        EXPECT_EQ(SelectedTab(group), child);
        selectApril();
    }
    // The default action selects as a click does; a disabled tab stays unselected.
    EXPECT_EQ(reader.DoDefaultAction(8), S_OK);
    Drain();
    EXPECT_EQ(SelectedTab(group), 8);
    EXPECT_EQ(reader.Value(), "Août");
    EXPECT_EQ(reader.DoDefaultAction(5), E_FAIL);
    Drain();
    EXPECT_EQ(SelectedTab(group), 8);

    // An arrow key on the focused frame: the tab it selects is announced, disabled ones skipped.
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_SELECTION, nullptr, RecordTabEvent,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_NE(hook, nullptr);
    selectApril();
    SetFocus(group);
    Drain();
    g_tabEvents.clear();
    PostMessageA(group, WM_KEYDOWN, VK_RIGHT, 1);
    Drain();
    UnhookWinEvent(hook);
    EXPECT_EQ(SelectedTab(group), 6);
    const std::vector<std::pair<DWORD, LONG>> announced = {{EVENT_OBJECT_SELECTION, 6}, {EVENT_OBJECT_FOCUS, 6}};
    EXPECT_EQ(g_tabEvents, announced);
}

}  // namespace
