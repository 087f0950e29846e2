// The control library on real windows: a host dialog naming the classes, driven by real
// mouse input and posted keys, checked by reading the pixels back from the screen.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <thread>
#include <vector>

#include "controls/ControlClasses.h"
#include "controls/ControlMessages.h"
#include "res/resource.h"
#include "tests/AccessibleReader.h"
#include "tests/controls/ScreenPixels.h"
#include "tests/controls/key_button_host.h"

namespace {

using namespace controls;

using test::CaptureScreen;
using test::Image;

// ---- The host ----------------------------------------------------------------------

struct Command {
    HWND receiver;
    WORD id;
    WORD code;
    HWND source;
};

std::vector<Command> g_commands;
HANDLE g_markerSeen = nullptr;  // set each time the dialog handles kMarker
constexpr UINT kMarker = WM_APP + 1;

void Record(HWND receiver, WPARAM wParam, LPARAM lParam) {
    g_commands.push_back({receiver, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)});
}

INT_PTR CALLBACK HostProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        // Keep the keys unfocused: the grid takes the focus.
        SetFocus(GetDlgItem(dialog, IDC_GRID));
        return FALSE;
    case WM_COMMAND: Record(dialog, wParam, lParam); return TRUE;
    case kMarker: SetEvent(g_markerSeen); return TRUE;
    default: return FALSE;
    }
}

// A window that receives commands when a button is told to send them elsewhere.
LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND) {
        Record(window, wParam, lParam);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Handles everything queued so far and whatever that queues in turn, until the queue is
// empty. SendInput has queued its input before it returns, and a press runs inside the
// dispatch of its first message: a gesture is over by then, its command included. Drawing
// done through GetDC is on the screen too, since the thread has looked at its queue since.
void Drain(HWND dialog) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
        if (!IsDialogMessageA(dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

SIZE SizeOf(HWND window) {
    const RECT rect = ScreenRect(window);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

// The part of a button that its face image covers: all but the one-pixel ring.
RECT FaceArea(HWND button) {
    RECT rect = ScreenRect(button);
    InflateRect(&rect, -1, -1);
    return rect;
}

POINT Centre(HWND window) {
    const RECT rect = ScreenRect(window);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

void MouseButton(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}
void MouseDown() { MouseButton(MOUSEEVENTF_LEFTDOWN); }
void MouseUp() { MouseButton(MOUSEEVENTF_LEFTUP); }
void MouseTo(POINT point) { SetCursorPos(point.x, point.y); }

// One image (0 normal, 1 focused, 2 pushed) of a face bitmap of the program.
Image FaceImage(int id, int index) {
    fw::UniqueBitmap face(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id)));
    const Image strip = test::ReadBitmap(face.get());
    const int width = strip.width / 3;
    return strip.crop(index * width, 0, width, strip.height);
}

size_t CountColour(const Image& image, COLORREF colour) {
    size_t count = 0;
    for (COLORREF pixel : image.pixels) count += pixel == colour;
    return count;
}

// clang-format off
const int kFaceIds[] = {IDC_KEY_0,         IDC_KEY_1,          IDC_KEY_2,
                        IDC_KEY_3,         IDC_KEY_4,          IDC_KEY_5,
                        IDC_KEY_6,         IDC_KEY_7,          IDC_KEY_8,
                        IDC_KEY_9,         IDC_KEY_ADD,        IDC_KEY_SUBTRACT,
                        IDC_KEY_MULTIPLY,  IDC_KEY_DIVIDE,     IDC_KEY_SIGN,
                        IDC_KEY_POINT,     IDC_KEY_PERCENT,    IDC_KEY_MEMORY_ADD,
                        IDC_KEY_MEMORY_STORE, IDC_KEY_EQUALS,  IDC_KEY_CLEAR,
                        IDC_KEY_CLEAR_ENTRY, IDC_KEY_BACKSPACE, IDC_KEY_MEMORY_RECALL,
                        IDC_KEY_MEMORY_CLEAR, IDC_KEY_RECIPROCAL, IDOK,
                        IDCANCEL,          IDC_EXIT};
static_assert(sizeof kFaceIds / sizeof kFaceIds[0] == 29, "26 keys and 3 dialog buttons");

class ControlsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        g_markerSeen = CreateEventA(nullptr, FALSE, FALSE, nullptr);
        RegisterControlClasses();
        WNDCLASSA target{};
        target.lpfnWndProc = TargetProc;
        target.hInstance = GetModuleHandleA(nullptr);
        target.lpszClassName = "PemzTestTarget";
        RegisterClassA(&target);
    }

    void SetUp() override {
        g_commands.clear();
        dialog_ = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONTROL_HOST), nullptr, HostProc, 0);
        ASSERT_NE(dialog_, nullptr);
        SetForegroundWindow(dialog_);
        Settle();
    }

    void TearDown() override {
        if (dialog_) DestroyWindow(dialog_);
        Drain(dialog_);
    }

    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    // Lets everything queued (painting, input, posted messages) pass, and the X server draw
    // what that sent it: reading the screen waits for the server to answer.
    void Settle() {
        Drain(dialog_);
        CaptureScreen({0, 0, 1, 1});
    }
    COLORREF DialogColour() {
        auto brush = reinterpret_cast<HBRUSH>(SendMessageA(dialog_, WM_CTLCOLORDLG, 0, reinterpret_cast<LPARAM>(dialog_)));
        LOGBRUSH info{};
        GetObjectA(brush, sizeof info, &info);
        return info.lbColor;
    }
    // Clicks made of real mouse input; returns the commands that came of them.
    size_t CommandsAfter(void (*gesture)(HWND, POINT), HWND button, POINT outside) {
        g_commands.clear();
        MouseTo(Centre(button));
        Settle();
        gesture(button, outside);
        Settle();
        EXPECT_EQ(GetCapture(), nullptr);
        EXPECT_EQ(SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
        return g_commands.size();
    }

    HWND dialog_ = nullptr;
};
// clang-format on

// ---- Sizes and faces ---------------------------------------------------------------------

TEST_F(ControlsTest, ButtonsTakeTheSizeOfTheirFaceAndShowIt) {
    for (int id : kFaceIds) {
        SCOPED_TRACE(id);
        HWND button = Item(id);
        ASSERT_NE(button, nullptr);
        const SIZE size = SizeOf(button);
        if (id == IDOK || id == IDCANCEL || id == IDC_EXIT) {
            EXPECT_EQ(size.cx, 65);
            EXPECT_EQ(size.cy, 41);
        } else {
            EXPECT_EQ(size.cx, 22);
            EXPECT_EQ(size.cy, id == IDC_KEY_EQUALS ? 52 : 22);
        }
        EXPECT_TRUE(CaptureScreen(FaceArea(button)) == FaceImage(id, 0));
        // Ring: black for the default button, the dialog's colour for the others. The dialog
        // manager leaves BS_DEFPUSHBUTTON only on the last button of the template that has it.
        const RECT rect = ScreenRect(button);
        const bool isDefault = GetWindowLongA(button, GWL_STYLE) & BS_DEFPUSHBUTTON;
        const COLORREF ring = isDefault ? RGB(0, 0, 0) : DialogColour();
        const Image shot = CaptureScreen(rect);
        EXPECT_EQ(shot.at(0, 0), ring);
        EXPECT_EQ(shot.at(size.cx - 1, size.cy / 2), ring);
        EXPECT_EQ(shot.at(size.cx / 2, size.cy - 1), ring);
    }
}

TEST_F(ControlsTest, ButtonWithoutFaceKeepsTemplateSizeDropsClientEdgeAndDrawsCaption) {
    HWND button = Item(IDC_TEXT_BUTTON);
    RECT expected{0, 0, 40, 14};
    MapDialogRect(dialog_, &expected);
    const SIZE size = SizeOf(button);
    EXPECT_EQ(size.cx, expected.right);
    EXPECT_EQ(size.cy, expected.bottom);
    EXPECT_EQ(GetWindowLongA(button, GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    RECT client{};
    GetClientRect(button, &client);
    EXPECT_EQ(client.right, size.cx);  // no border took a part of the window
    EXPECT_EQ(client.bottom, size.cy);

    const Image shot = CaptureScreen(ScreenRect(button));
    const COLORREF black = RGB(0, 0, 0), face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(shot.at(0, 0), black);               // default-button ring
    EXPECT_EQ(shot.at(1, 1), black);               // outline
    EXPECT_EQ(shot.at(2, 2), RGB(255, 255, 255));  // raised bevel
    EXPECT_EQ(shot.at(size.cx - 3, size.cy - 3), GetSysColor(COLOR_BTNSHADOW));
    // The caption: text-coloured pixels inside the bevel.
    const Image inside = shot.crop(4, 4, size.cx - 8, size.cy - 8);
    EXPECT_GT(CountColour(inside, GetSysColor(COLOR_BTNTEXT)), 10u);
    EXPECT_GT(CountColour(inside, face), 10u);
}

// ---- Clicks --------------------------------------------------------------------------

TEST_F(ControlsTest, MouseClicksSendOneCommandPerCompletedPress) {
    HWND key = Item(IDC_KEY_7);
    const POINT outside{ScreenRect(key).right + 30, Centre(key).y};

    EXPECT_EQ(CommandsAfter([](HWND, POINT) { MouseDown(), MouseUp(); }, key, outside), 1u);
    ASSERT_FALSE(g_commands.empty());
    EXPECT_EQ(g_commands[0].receiver, dialog_);
    EXPECT_EQ(g_commands[0].id, IDC_KEY_7);
    EXPECT_EQ(g_commands[0].code, BN_CLICKED);
    EXPECT_EQ(g_commands[0].source, key);
    EXPECT_EQ(SendMessageA(key, BM_GETSTATE, 0, 0), BST_FOCUS);
    EXPECT_EQ(GetFocus(), key);
    EXPECT_TRUE(CaptureScreen(FaceArea(key)) == FaceImage(IDC_KEY_7, 1));

    // Leave while held and let go outside: nothing.
    EXPECT_EQ(CommandsAfter([](HWND, POINT away) { MouseDown(), MouseTo(away), MouseUp(); }, key, outside), 0u);
    // Leave and come back: one.
    EXPECT_EQ(
        CommandsAfter([](HWND button, POINT away) { MouseDown(), MouseTo(away), MouseTo(Centre(button)), MouseUp(); },
                      key, outside),
        1u);
    // A double click is two presses.
    EXPECT_EQ(CommandsAfter([](HWND, POINT) { MouseDown(), MouseUp(), MouseDown(), MouseUp(); }, key, outside), 2u);

    // A command target takes the commands instead of the parent.
    HWND target =
        CreateWindowA("PemzTestTarget", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(key, CLM_SETCOMMANDTARGET, 0, reinterpret_cast<LPARAM>(target));
    EXPECT_EQ(CommandsAfter([](HWND, POINT) { MouseDown(), MouseUp(); }, key, outside), 1u);
    ASSERT_FALSE(g_commands.empty());
    EXPECT_EQ(g_commands[0].receiver, target);
    SendMessageA(key, CLM_SETCOMMANDTARGET, 0, 0);
    EXPECT_EQ(CommandsAfter([](HWND, POINT) { MouseDown(), MouseUp(); }, key, outside), 1u);
    ASSERT_FALSE(g_commands.empty());
    EXPECT_EQ(g_commands[0].receiver, dialog_);
    DestroyWindow(target);
}

TEST_F(ControlsTest, SpaceHeldWithAutoRepeatSendsOneCommandAtRelease) {
    HWND key = Item(IDC_KEY_3);
    SetFocus(key);
    Settle();
    constexpr LPARAM kFirst = 0x00390001, kRepeat = 0x40390001, kRelease = static_cast<LPARAM>(0xC0390001u);
    PostMessageA(key, WM_KEYDOWN, VK_SPACE, kFirst);
    for (int i = 0; i < 3; ++i) PostMessageA(key, WM_KEYDOWN, VK_SPACE, kRepeat);
    PostMessageA(dialog_, kMarker, 0, 0);  // handled once the press has taken the repeats

    // While the press lasts (its loop runs on this thread), another thread looks at it and lets go.
    std::atomic<size_t> commandsBeforeRelease{99};
    std::atomic<LRESULT> stateWhileHeld{-1};
    ResetEvent(g_markerSeen);
    std::thread releaser([&] {
        WaitForSingleObject(g_markerSeen, INFINITE);
        DWORD_PTR state = 0;
        SendMessageTimeoutA(key, BM_GETSTATE, 0, 0, SMTO_NORMAL, 1000, &state);
        stateWhileHeld = static_cast<LRESULT>(state);
        commandsBeforeRelease = g_commands.size();
        PostMessageA(key, WM_KEYUP, VK_SPACE, kRelease);
    });
    Drain(dialog_);  // returns once the press is over: the release ends it
    releaser.join();
    Settle();
    EXPECT_EQ(stateWhileHeld.load(), BST_PUSHED | BST_FOCUS);
    EXPECT_EQ(commandsBeforeRelease.load(), 0u);
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0].id, IDC_KEY_3);
    EXPECT_EQ(SendMessageA(key, BM_GETSTATE, 0, 0), BST_FOCUS);
}

// ---- Immediate painting ----------------------------------------------------------------

TEST_F(ControlsTest, FlashIsOnTheScreenWhenSetStateReturns) {
    HWND key = Item(IDC_KEY_9);
    SetFocus(key);
    Settle();
    const RECT area = FaceArea(key);
    const Image pushed = FaceImage(IDC_KEY_9, 2);
    ASSERT_FALSE(CaptureScreen(area) == pushed);

    // The key flash busy-waits right after BM_SETSTATE without looking at the queue:
    // what the screen shows then, read before this thread looks at its queue again,
    // is what a user sees for those 30 ms.
    SendMessageA(key, BM_SETSTATE, 1, 0);
    EXPECT_TRUE(CaptureScreen(area) == pushed);
    SendMessageA(key, BM_SETSTATE, 0, 0);

    // The flash dropped the focus bit: the normal image, not the focused one.
    EXPECT_EQ(SendMessageA(key, BM_GETSTATE, 0, 0), 0);
    EXPECT_TRUE(CaptureScreen(area) == FaceImage(IDC_KEY_9, 0));
}

TEST_F(ControlsTest, StateAlreadyInForceDoesNotRepaint) {
    HWND key = Item(IDC_KEY_8);
    const RECT area = FaceArea(key);
    const COLORREF red = RGB(255, 0, 0);
    const auto paintRed = [&] {
        fw::WindowDc dc(key);
        fw::UniqueBrush brush(CreateSolidBrush(red));
        RECT client{};
        GetClientRect(key, &client);
        FillRect(dc.get(), &client, brush.get());
    };
    const auto allRed = [&] {
        const Image shot = CaptureScreen(area);
        return CountColour(shot, red) == shot.pixels.size();
    };

    paintRed();
    Settle();
    ASSERT_TRUE(allRed());
    SendMessageA(key, BM_SETSTATE, 0, 0);
    Settle();
    EXPECT_TRUE(allRed());
    SendMessageA(key, BM_SETSTATE, 1, 0);
    EXPECT_TRUE(CaptureScreen(area) == FaceImage(IDC_KEY_8, 2));
    paintRed();
    Settle();
    SendMessageA(key, BM_SETCHECK, 1, 0);
    Settle();
    EXPECT_TRUE(allRed());
    EXPECT_EQ(SendMessageA(key, BM_GETSTATE, 0, 0), BST_PUSHED);
    EXPECT_EQ(SendMessageA(key, BM_GETCHECK, 0, 0), 0);
}

// ---- Looks --------------------------------------------------------------------------------

TEST_F(ControlsTest, DisabledFaceIsShadowWhereverItIsNeitherFaceNorHighlight) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW);
    for (int id : {IDC_KEY_7, IDC_KEY_EQUALS, IDOK}) {
        SCOPED_TRACE(id);
        HWND button = Item(id);
        EnableWindow(button, FALSE);
        Settle();
        const Image source = FaceImage(id, 0);
        const Image shot = CaptureScreen(FaceArea(button));
        ASSERT_EQ(shot.width, source.width);
        ASSERT_EQ(shot.height, source.height);
        size_t mismatches = 0;
        for (size_t i = 0; i < source.pixels.size(); ++i) {
            const bool light = source.pixels[i] == face || source.pixels[i] == highlight;
            mismatches += shot.pixels[i] != (light ? face : shadow);
        }
        EXPECT_EQ(mismatches, 0u);
        EXPECT_GT(CountColour(shot, shadow), 0u);
        EXPECT_GT(CountColour(shot, face), 0u);
        EnableWindow(button, TRUE);
        Settle();
        EXPECT_TRUE(CaptureScreen(FaceArea(button)) == source);
    }
}

TEST_F(ControlsTest, SetBitmapZeroTurnsToTextModeAndKeepsTheSize) {
    HWND key = Item(IDC_KEY_5);
    SendMessageA(key, CLM_SETBITMAP, 0, 0);
    Settle();
    const SIZE size = SizeOf(key);
    EXPECT_EQ(size.cx, 22);
    EXPECT_EQ(size.cy, 22);
    const COLORREF black = RGB(0, 0, 0), white = RGB(255, 255, 255), face = GetSysColor(COLOR_BTNFACE);
    Image shot = CaptureScreen(ScreenRect(key));
    EXPECT_EQ(shot.at(1, 1), black);
    EXPECT_EQ(shot.at(2, 2), white);
    EXPECT_GT(CountColour(shot.crop(4, 4, 14, 14), GetSysColor(COLOR_BTNTEXT)), 3u);  // the "5"

    // Pushed in text mode: flat, no bevel.
    SendMessageA(key, BM_SETSTATE, 1, 0);
    shot = CaptureScreen(ScreenRect(key));
    EXPECT_EQ(shot.at(1, 1), black);
    EXPECT_EQ(shot.at(2, 2), face);
    EXPECT_EQ(shot.at(19, 19), face);
    SendMessageA(key, BM_SETSTATE, 0, 0);

    SendMessageA(key, CLM_SETBITMAP, IDC_KEY_5, 0);
    Settle();
    EXPECT_TRUE(CaptureScreen(FaceArea(key)) == FaceImage(IDC_KEY_5, 0));

    // A face lent to a button without one resizes it.
    HWND text = Item(IDC_TEXT_BUTTON);
    SendMessageA(text, CLM_SETBITMAP, IDOK, 0);
    Settle();
    EXPECT_EQ(SizeOf(text).cx, 65);
    EXPECT_EQ(SizeOf(text).cy, 41);
    EXPECT_TRUE(CaptureScreen(FaceArea(text)) == FaceImage(IDOK, 0));
}

TEST_F(ControlsTest, DefaultFrameFollowsSetStyle) {
    HWND ok = Item(IDOK);
    const SIZE size = SizeOf(ok);
    const auto ringColour = [&] { return CaptureScreen(ScreenRect(ok)).at(size.cx - 1, size.cy / 2); };
    const LONG highWord = GetWindowLongA(ok, GWL_STYLE) & ~0xFFFF;
    SendMessageA(ok, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    Settle();
    EXPECT_EQ(ringColour(), RGB(0, 0, 0));
    EXPECT_EQ(SendMessageA(ok, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);

    SendMessageA(ok, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
    Settle();
    EXPECT_EQ(ringColour(), DialogColour());
    EXPECT_EQ(GetWindowLongA(ok, GWL_STYLE), highWord | BS_PUSHBUTTON);
    EXPECT_EQ(SendMessageA(ok, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON);

    // Without the redraw flag the style changes but nothing is drawn until the next paint.
    SendMessageA(ok, BM_SETSTYLE, BS_DEFPUSHBUTTON, FALSE);
    Settle();
    EXPECT_EQ(ringColour(), DialogColour());
    InvalidateRect(ok, nullptr, FALSE);
    Settle();
    EXPECT_EQ(ringColour(), RGB(0, 0, 0));
    EXPECT_EQ(SendMessageA(ok, WM_GETDLGCODE, 0, 0), DLGC_BUTTON | DLGC_DEFPUSHBUTTON);
}

// ---- Presses that cannot end normally -------------------------------------------------------

// Played from a timer that the press loop dispatches.
HWND g_pressed = nullptr;
void (*g_interference)(HWND) = nullptr;
bool g_interfered = false;
void CALLBACK Interfere(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    g_interfered = true;
    g_interference(g_pressed);
}

TEST_F(ControlsTest, PressEndsWithoutCommandWhenCaptureWindowOrThreadGoesAway) {
    struct Case {
        const char* name;
        void (*interference)(HWND);
        bool quits;
    };
    const Case cases[] = {
        {"capture released", [](HWND) { ReleaseCapture(); }, false},
        {"capture taken", [](HWND button) { SetCapture(GetParent(button)); }, false},
        {"quit requested", [](HWND) { PostQuitMessage(7); }, true},
        {"window destroyed", [](HWND button) { DestroyWindow(button); }, false},
    };
    const DWORD thread = GetCurrentThreadId();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_commands.clear();
        g_pressed = Item(IDC_KEY_1);
        g_interference = c.interference;
        g_interfered = false;
        ASSERT_NE(g_pressed, nullptr);
        // Should the press not notice, a watchdog ends it the normal way rather than
        // leave the test hanging; half a minute is no time a timer of 20 ms can need.
        HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> rescued{false};
        std::thread watchdog([&] {
            if (WaitForSingleObject(done, 30000) == WAIT_OBJECT_0) return;
            rescued = true;
            PostThreadMessageA(thread, WM_LBUTTONUP, 0, 0);
        });
        SetTimer(nullptr, 0, 20, Interfere);
        PostMessageA(g_pressed, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        MSG message;
        while (!g_interfered && GetMessageA(&message, nullptr, 0, 0)) DispatchMessageA(&message);
        SetEvent(done);
        watchdog.join();
        CloseHandle(done);
        EXPECT_FALSE(rescued.load());
        EXPECT_TRUE(g_commands.empty());
        if (IsWindow(g_pressed)) {
            EXPECT_EQ(SendMessageA(g_pressed, BM_GETSTATE, 0, 0) & BST_PUSHED, 0);
        }
        if (c.quits) {
            ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
            EXPECT_EQ(message.wParam, 7u);
        }
        ReleaseCapture();
    }
}

// ---- "PemzBitmap", "PemzGrid", "PemzStopper" ------------------------------------------------

TEST_F(ControlsTest, BitmapControlNaturalStretchedAndPlaceholder) {
    fw::UniqueBitmap logo(LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDB_LOGO)));
    const Image logoImage = test::ReadBitmap(logo.get());
    ASSERT_GT(logoImage.width, 0);

    HWND natural = Item(IDC_LOGO_NATURAL);
    ASSERT_NE(natural, nullptr);
    EXPECT_EQ(SizeOf(natural).cx, logoImage.width);
    EXPECT_EQ(SizeOf(natural).cy, logoImage.height);
    EXPECT_TRUE(CaptureScreen(ScreenRect(natural)) == logoImage);

    // Stretched over the client area less its last column and row, which show the dialog.
    HWND stretched = Item(IDC_LOGO_STRETCHED);
    const SIZE area = SizeOf(stretched);
    RECT expectedSize{0, 0, 50, 33};
    MapDialogRect(dialog_, &expectedSize);
    EXPECT_EQ(area.cx, expectedSize.right);
    EXPECT_EQ(area.cy, expectedSize.bottom);
    const Image shot = CaptureScreen(ScreenRect(stretched));
    Image expected;
    {
        BITMAPINFO info = test::TopDown32(area.cx - 1, area.cy - 1);
        void* bits = nullptr;
        fw::UniqueBitmap target(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        fw::UniqueMemoryDc targetDc(CreateCompatibleDC(nullptr)), sourceDc(CreateCompatibleDC(nullptr));
        fw::SelectGuard selectTarget(targetDc.get(), target.get()), selectSource(sourceDc.get(), logo.get());
        StretchBlt(targetDc.get(), 0, 0, area.cx - 1, area.cy - 1, sourceDc.get(), 0, 0, logoImage.width,
                   logoImage.height, SRCCOPY);
        GdiFlush();
        expected = test::FromBgra(area.cx - 1, area.cy - 1, static_cast<const std::uint32_t*>(bits));
    }
    EXPECT_TRUE(shot.crop(0, 0, area.cx - 1, area.cy - 1) == expected);
    for (int y = 0; y < area.cy; ++y) EXPECT_EQ(shot.at(area.cx - 1, y), DialogColour());
    for (int x = 0; x < area.cx; ++x) EXPECT_EQ(shot.at(x, area.cy - 1), DialogColour());

    // No bitmap: a box crossed by both diagonals, in the default black pen.
    HWND empty = Item(IDC_PLACEHOLDER);
    const SIZE box = SizeOf(empty);
    const Image cross = CaptureScreen(ScreenRect(empty));
    const COLORREF black = RGB(0, 0, 0);
    const auto blackNear = [&](int x, int y) {
        for (int dx = -1; dx <= 1; ++dx)
            if (x + dx >= 0 && x + dx < box.cx && cross.at(x + dx, y) == black) return true;
        return false;
    };
    for (int y = 0; y < box.cy; ++y) {
        SCOPED_TRACE(y);
        EXPECT_EQ(cross.at(0, y), black);
        EXPECT_EQ(cross.at(box.cx - 1, y), black);
        const int x = y * (box.cx - 1) / (box.cy - 1);
        EXPECT_TRUE(blackNear(x, y));
        EXPECT_TRUE(blackNear(box.cx - 1 - x, y));
    }
    EXPECT_EQ(cross.at(box.cx / 2, 2), DialogColour());
    EXPECT_EQ(cross.at(2, box.cy / 2), DialogColour());

    // CLM_SETBITMAP in natural mode resizes to the new bitmap; 0 keeps the size.
    SendMessageA(natural, CLM_SETBITMAP, IDC_KEY_1, 0);
    Settle();
    EXPECT_EQ(SizeOf(natural).cx, 60);
    EXPECT_EQ(SizeOf(natural).cy, 20);
    SendMessageA(natural, CLM_SETBITMAP, 0, 0);
    Settle();
    EXPECT_EQ(SizeOf(natural).cx, 60);
    EXPECT_EQ(GetWindowLongPtrA(natural, 0), 0);
}

TEST_F(ControlsTest, ClicksPassThroughBitmapControl) {
    HWND cover = Item(IDC_COVER_PICTURE);
    HWND under = Item(IDC_UNDER_BUTTON);
    ASSERT_NE(cover, nullptr);
    const POINT spot = Centre(cover);
    RECT underRect = ScreenRect(under);
    ASSERT_TRUE(PtInRect(&underRect, spot));
    EXPECT_EQ(SendMessageA(cover, WM_NCHITTEST, 0, MAKELPARAM(spot.x, spot.y)), HTTRANSPARENT);
    EXPECT_EQ(SendMessageA(cover, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EXPECT_EQ(CommandsAfter([](HWND, POINT) { MouseDown(), MouseUp(); }, cover, spot), 1u);
    ASSERT_FALSE(g_commands.empty());
    EXPECT_EQ(g_commands[0].id, IDC_UNDER_BUTTON);
}

std::vector<WPARAM> g_gridKeys;
WNDPROC g_gridProc = nullptr;
LRESULT CALLBACK RecordGridKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) g_gridKeys.push_back(wParam);
    return CallWindowProcA(g_gridProc, window, message, wParam, lParam);
}

TEST_F(ControlsTest, GridGetsArrowKeysAndStopperIsInert) {
    HWND grid = Item(IDC_GRID);
    ASSERT_NE(grid, nullptr);
    g_gridKeys.clear();
    g_gridProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(grid, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordGridKeys)));
    SetFocus(grid);
    Settle();
    for (WPARAM key : {VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP}) PostMessageA(grid, WM_KEYDOWN, key, 1);
    Settle();
    EXPECT_EQ(g_gridKeys, (std::vector<WPARAM>{VK_RIGHT, VK_DOWN, VK_LEFT, VK_UP}));
    EXPECT_EQ(GetFocus(), grid);
    char name[32] = {};
    GetClassNameA(grid, name, sizeof name);
    EXPECT_STREQ(name, "PemzGrid");
    EXPECT_EQ(GetClassLongA(grid, GCL_STYLE), static_cast<DWORD>(CS_BYTEALIGNWINDOW | CS_OWNDC | CS_DBLCLKS));

    HWND stopper = Item(IDC_STOPPER);
    ASSERT_NE(stopper, nullptr);
    EXPECT_EQ(SendMessageA(stopper, WM_GETDLGCODE, 0, 0), 0);
    EXPECT_EQ(GetClassLongPtrA(stopper, GCLP_HBRBACKGROUND), 0u);
}

// ---- Screen readers ------------------------------------------------------------------------

TEST_F(ControlsTest, ScreenReadersLearnWhatEachControlIsAndPressAButtonOnce) {
    struct Case {
        int id;
        long role;
    } cases[] = {{IDC_LOGO_NATURAL, ROLE_SYSTEM_GRAPHIC},
                 {IDC_GRID, ROLE_SYSTEM_TABLE},
                 {IDC_STOPPER, ROLE_SYSTEM_WHITESPACE},
                 {IDC_TEXT_BUTTON, ROLE_SYSTEM_PUSHBUTTON}};
    for (const Case& c : cases) EXPECT_EQ(test::AccessibleReader(Item(c.id)).Role(), c.role) << c.id;

    // A caption that is not a key's is said as it stands.
    test::AccessibleReader text(Item(IDC_TEXT_BUTTON));
    EXPECT_EQ(text.Name(), "Texte");
    EXPECT_EQ(text.DoDefaultAction(), S_OK);
    Settle();
    ASSERT_EQ(g_commands.size(), 1u);
    EXPECT_EQ(g_commands[0].id, IDC_TEXT_BUTTON);
    EXPECT_EQ(g_commands[0].code, BN_CLICKED);
    EXPECT_EQ(GetFocus(), Item(IDC_TEXT_BUTTON));  // as a click leaves it

    EnableWindow(Item(IDC_KEY_7), FALSE);
    test::AccessibleReader seven(Item(IDC_KEY_7));
    EXPECT_EQ(seven.State() & (STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_FOCUSABLE), STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(seven.DoDefaultAction(), E_FAIL);
    Settle();
    EXPECT_EQ(g_commands.size(), 1u);
}

// ---- Shared helpers ------------------------------------------------------------------------

// The bitmap control's slot, as its class lays it out: one handle at offset 0.
HBITMAP PictureAtZero(HWND window) { return reinterpret_cast<HBITMAP>(GetWindowLongPtrA(window, 0)); }
void SetPictureAtZero(HWND window, HBITMAP bitmap) { SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(bitmap)); }

TEST_F(ControlsTest, LoadControlBitmapReplacesOrEmptiesTheField) {
    HWND picture = Item(IDC_PLACEHOLDER);
    const BitmapSlot atZero{PictureAtZero, SetPictureAtZero};
    HBITMAP first = LoadControlBitmap(picture, atZero, IDB_LOGO);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(GetWindowLongPtrA(picture, 0), reinterpret_cast<LONG_PTR>(first));

    EXPECT_EQ(LoadControlBitmap(picture, atZero, 4321), nullptr);  // no such bitmap
    EXPECT_EQ(GetWindowLongPtrA(picture, 0), 0);
    EXPECT_EQ(GetObjectType(first), 0u);  // deleted

    HBITMAP second = LoadControlBitmap(picture, atZero, 0x10000 | IDB_LOGO);  // only the low word counts
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(LoadControlBitmap(picture, atZero, 0), nullptr);
    EXPECT_EQ(GetWindowLongPtrA(picture, 0), 0);
    EXPECT_EQ(GetObjectType(second), 0u);
}

TEST(DrawDisabledBitmap, FaceAndHighlightBecomeFaceEverythingElseShadow) {
    const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW);
    const std::vector<COLORREF> row = {face, highlight, shadow, RGB(0, 0, 0), RGB(255, 0, 0), face, highlight};
    const int width = static_cast<int>(row.size());

    BITMAPINFO sourceInfo = test::TopDown32(width, 1);
    void* sourceBits = nullptr;
    fw::UniqueBitmap source(CreateDIBSection(nullptr, &sourceInfo, DIB_RGB_COLORS, &sourceBits, nullptr, 0));
    auto* sourcePixels = static_cast<std::uint32_t*>(sourceBits);
    for (int x = 0; x < width; ++x)
        sourcePixels[x] = GetRValue(row[x]) << 16 | GetGValue(row[x]) << 8 | GetBValue(row[x]);
    BITMAPINFO targetInfo = test::TopDown32(width + 2, 3);
    void* targetBits = nullptr;
    fw::UniqueBitmap target(CreateDIBSection(nullptr, &targetInfo, DIB_RGB_COLORS, &targetBits, nullptr, 0));
    ASSERT_TRUE(source && target);
    auto* targetPixels = static_cast<std::uint32_t*>(targetBits);
    std::fill(targetPixels, targetPixels + (width + 2) * 3, 0x00FF00u);  // green all round

    fw::UniqueMemoryDc sourceDc(CreateCompatibleDC(nullptr)), targetDc(CreateCompatibleDC(nullptr));
    fw::SelectGuard selectSource(sourceDc.get(), source.get()), selectTarget(targetDc.get(), target.get());
    DrawDisabledBitmap(targetDc.get(), 1, 1, sourceDc.get(), 0, width, 1);  // whole row
    DrawDisabledBitmap(targetDc.get(), 2, 2, sourceDc.get(), 4, 3, 1);      // red, face, highlight
    GdiFlush();
    const Image result = test::FromBgra(width + 2, 3, targetPixels);
    const COLORREF green = RGB(0, 255, 0);
    const std::vector<COLORREF> expectedRow1 = {green, face, face, shadow, shadow, shadow, face, face, green};
    const std::vector<COLORREF> expectedRow2 = {green, green, shadow, face, face, green, green, green, green};
    EXPECT_EQ(result.crop(0, 1, width + 2, 1).pixels, expectedRow1);
    EXPECT_EQ(result.crop(0, 2, width + 2, 1).pixels, expectedRow2);
    EXPECT_EQ(result.crop(0, 0, width + 2, 1).pixels, std::vector<COLORREF>(width + 2, green));
    EXPECT_EQ(GetTextColor(targetDc.get()), shadow);
    EXPECT_EQ(GetBkColor(targetDc.get()), face);
}

}  // namespace
