// Window placement saved and restored on real windows.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "services/ProgramSettings.h"
#include "services/WindowPlacementSlot.h"
#include "tests/services/WinTestSupport.h"

namespace services {
namespace {

using namespace testing_services;

const char kDesktopKey[] = "Software\\Pemz\\PemzCalcTest\\Desktop";

class PlacementTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "PemzPlacementTest";
        ::RegisterClassA(&windowClass);
    }
    void SetUp() override { DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Pemz\\PemzCalcTest"); }
    void TearDown() override {
        for (HWND window : windows_) ::DestroyWindow(window);
        DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\Pemz\\PemzCalcTest");
        DeleteRegistryKeyIfEmpty(HKEY_CURRENT_USER, "Software\\Pemz");
    }

    // A hidden top-level window whose normal rectangle is (x, y) to (x + width, y + height).
    HWND NewWindow(int x, int y, int width = 252, int height = 332, DWORD style = WS_OVERLAPPEDWINDOW) {
        HWND window = ::CreateWindowExA(0, "PemzPlacementTest", "Placement", style, x, y, width, height, nullptr,
                                        nullptr, ::GetModuleHandleA(nullptr), nullptr);
        windows_.push_back(window);
        return window;
    }
    static RECT NormalRect(HWND window) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ::GetWindowPlacement(window, &placement);
        return placement.rcNormalPosition;
    }
    static RECT WindowRectOf(HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        return rect;
    }
    static std::string Stored(const char* name) {
        return RegistryText(HKEY_CURRENT_USER, kDesktopKey, name).value_or("<missing>");
    }

    WindowPlacementSlot slot{"Fenêtre"};  // stored as "Fenetre"
    std::vector<HWND> windows_;
};

TEST_F(PlacementTest, NormalWindowRoundTrip) {
    HWND window = NewWindow(100, 80);
    ::ShowWindow(window, SW_SHOW);
    slot.SavePlacement(window);
    EXPECT_EQ(Stored("Fenetre"), "100 80 352 412 0");

    HWND restored = NewWindow(10, 20, 300, 200);
    EXPECT_EQ(slot.RestorePlacement(restored, true, false, true), SW_SHOW);
    EXPECT_TRUE(::IsWindowVisible(restored));
    const RECT rect = NormalRect(restored);
    EXPECT_EQ(rect.left, 100);
    EXPECT_EQ(rect.top, 80);
    EXPECT_EQ(rect.right - rect.left, 300);  // size kept without useSize
    EXPECT_EQ(rect.bottom - rect.top, 200);

    HWND sized = NewWindow(10, 20, 300, 200);
    EXPECT_EQ(slot.RestorePlacement(sized, false, true, false), SW_SHOW);
    EXPECT_FALSE(::IsWindowVisible(sized));  // show clear: the record carried SW_HIDE
    const RECT sizedRect = NormalRect(sized);
    EXPECT_EQ(sizedRect.left, 10);
    EXPECT_EQ(sizedRect.right - sizedRect.left, 252);
    EXPECT_EQ(sizedRect.bottom - sizedRect.top, 332);
}

TEST_F(PlacementTest, MinimisedAndMaximisedKeepTheirNormalRectangle) {
    HWND minimised = NewWindow(120, 90);
    ::ShowWindow(minimised, SW_SHOWMINIMIZED);
    ASSERT_TRUE(::IsIconic(minimised));
    slot.SavePlacement(minimised);
    EXPECT_EQ(Stored("Fenetre"), "120 90 372 422 1");
    HWND again = NewWindow(0, 0);
    EXPECT_EQ(slot.RestorePlacement(again, true, false, true), SW_SHOWMINIMIZED);
    EXPECT_TRUE(::IsIconic(again));
    EXPECT_EQ(NormalRect(again).left, 120);

    HWND maximised = NewWindow(130, 95);
    ::ShowWindow(maximised, SW_SHOWMAXIMIZED);
    ASSERT_TRUE(::IsZoomed(maximised));
    slot.SavePlacement(maximised);
    EXPECT_EQ(Stored("Fenetre"), "130 95 382 427 2");
    HWND zoomed = NewWindow(0, 0);
    EXPECT_EQ(slot.RestorePlacement(zoomed, true, false, true), SW_SHOWMAXIMIZED);
    EXPECT_TRUE(::IsZoomed(zoomed));
    EXPECT_EQ(NormalRect(zoomed).top, 95);
}

// A window reopened minimised or maximised, with the main window's style, and closed again
// in any state must store the same normal rectangle, or each run would move it.
TEST_F(PlacementTest, ReopenedMinimisedOrMaximisedKeepsItsNormalRectangle) {
    const DWORD mainWindowStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    for (const char* state : {"2", "1"}) {
        SetRegistryText(HKEY_CURRENT_USER, kDesktopKey, "Fenetre", std::string("100 80 352 412 ") + state);
        HWND window = NewWindow(10, 20, 300, 200, mainWindowStyle);
        slot.RestorePlacement(window, true, false, true);
        slot.SavePlacement(window);
        EXPECT_EQ(Stored("Fenetre"), std::string("100 80 400 280 ") + state);  // the window's own size

        // Then from the other of the two states, and back to normal.
        ::ShowWindow(window, *state == '2' ? SW_MINIMIZE : SW_MAXIMIZE);
        slot.SavePlacement(window);
        EXPECT_EQ(Stored("Fenetre"), std::string("100 80 400 280 ") + (*state == '2' ? "1" : "2"));
        // A window minimised from maximised restores to maximised first.
        for (int i = 0; i < 2 && (::IsIconic(window) || ::IsZoomed(window)); ++i) ::ShowWindow(window, SW_RESTORE);
        ASSERT_FALSE(::IsIconic(window) || ::IsZoomed(window)) << state;
        const RECT rect = WindowRectOf(window);
        EXPECT_EQ(rect.left, 100) << state;
        EXPECT_EQ(rect.top, 80) << state;
        EXPECT_EQ(rect.right, 400) << state;
        EXPECT_EQ(rect.bottom, 280) << state;
    }
}

TEST_F(PlacementTest, NegativeCoordinatesAndLongTexts) {
    // Partly off the left and top edges, as on a monitor left of the primary one
    // (the platform moves a window that would be wholly off the screen).
    HWND window = NewWindow(-100, -50);
    slot.SavePlacement(window);
    EXPECT_EQ(Stored("Fenetre"), "-100 -50 152 282 0");
    HWND restored = NewWindow(0, 0, 100, 100);
    EXPECT_EQ(slot.RestorePlacement(restored, true, true, true), SW_SHOW);
    const RECT rect = NormalRect(restored);
    EXPECT_EQ(rect.left, -100);
    EXPECT_EQ(rect.top, -50);
    EXPECT_EQ(rect.right, 152);
    EXPECT_EQ(rect.bottom, 282);

    // Longer than the 29 characters a 30-byte buffer would have kept.
    SetRegistryText(HKEY_CURRENT_USER, kDesktopKey, "Fenetre", "0000000110 0000000090 0000000362 0000000422 0");
    HWND padded = NewWindow(0, 0);
    EXPECT_EQ(slot.RestorePlacement(padded, true, true, false), SW_SHOW);
    EXPECT_EQ(NormalRect(padded).left, 110);
    EXPECT_EQ(NormalRect(padded).bottom, 422);
}

TEST_F(PlacementTest, MissingOrMalformedRecordOnlyShowsTheWindow) {
    for (const char* text : {"", "10 20 30 40", "10 20 x 40 0", "abc"}) {
        if (*text) SetRegistryText(HKEY_CURRENT_USER, kDesktopKey, "Fenetre", text);
        HWND window = NewWindow(40, 50);
        EXPECT_EQ(slot.RestorePlacement(window, true, true, true), SW_SHOW) << text;
        EXPECT_TRUE(::IsWindowVisible(window)) << text;
        EXPECT_EQ(NormalRect(window).left, 40) << text;
        EXPECT_EQ(NormalRect(window).top, 50) << text;
    }
    SetRegistryText(HKEY_CURRENT_USER, kDesktopKey, "Fenetre", "10 20 30 40 7");
    HWND odd = NewWindow(40, 50);
    EXPECT_EQ(slot.RestorePlacement(odd, true, true, true), SW_SHOW);
    EXPECT_EQ(NormalRect(odd).left, 10);
}

TEST_F(PlacementTest, DisabledSlotNeitherSavesNorRestores) {
    WindowPlacementSlot disabled("Fenetre");
    disabled.SetEnabled(false);
    HWND window = NewWindow(60, 70);
    disabled.SavePlacement(window);
    EXPECT_EQ(Stored("Fenetre"), "<missing>");
    SetRegistryText(HKEY_CURRENT_USER, kDesktopKey, "Fenetre", "1 2 3 4 2");
    EXPECT_EQ(disabled.RestorePlacement(window, true, true, true), SW_SHOW);
    EXPECT_FALSE(::IsWindowVisible(window));
    EXPECT_EQ(NormalRect(window).left, 60);
}

}  // namespace
}  // namespace services
