// The handle wrappers: the template's ownership rules with a counting traits, then each
// platform traits and scoped helper against the real API.
#include "framework/UniqueHandle.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/framework/TestHost_win.h"

namespace {

std::vector<int> closed;

struct CountingTraits {
    using Handle = int;
    static Handle Invalid() noexcept { return 0; }
    static void Close(Handle h) noexcept { closed.push_back(h); }
};
using Counted = fw::UniqueHandle<CountingTraits>;

TEST(UniqueHandle, ClosesExactlyOnceThroughResetMoveAndRelease) {
    closed.clear();
    {
        Counted empty;
        EXPECT_FALSE(empty);
        Counted a(1);
        EXPECT_TRUE(a);
        a.reset(2);  // 1 goes
        EXPECT_EQ(closed, std::vector<int>{1});

        Counted b(std::move(a));  // 2 moves, nothing closes
        EXPECT_FALSE(a);
        EXPECT_EQ(b.get(), 2);
        EXPECT_EQ(closed, std::vector<int>{1});

        Counted c(3);
        c = std::move(b);  // 3 goes, 2 moves in
        EXPECT_EQ(closed, (std::vector<int>{1, 3}));
        c = std::move(c);  // self-move keeps it
        EXPECT_EQ(c.get(), 2);

        Counted d(4);
        EXPECT_EQ(d.release(), 4);  // released: the caller owns it now
        EXPECT_FALSE(d);

        Counted e(5);
        *e.put() = 6;  // put closes what was held
        EXPECT_EQ(closed, (std::vector<int>{1, 3, 5}));
        EXPECT_EQ(e.get(), 6);
    }
    EXPECT_EQ(closed, (std::vector<int>{1, 3, 5, 6, 2}));  // e, then c, at scope end
}

TEST(UniqueHandle, GdiAndUserObjectsAreReallyReleased) {
    HBRUSH brush = ::CreateSolidBrush(RGB(1, 2, 3));
    HDC memory = ::CreateCompatibleDC(nullptr);
    HMENU menu = ::CreateMenu();
    BYTE andMask[128] = {}, xorMask[128] = {};
    HICON icon = ::CreateIcon(nullptr, 32, 32, 1, 1, andMask, xorMask);
    HWND window = ::CreateWindowA("Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(brush && memory && menu && icon && window);
    {
        fw::UniqueBrush b(brush);
        fw::UniqueMemoryDc dc(memory);
        fw::UniqueMenu m(menu);
        fw::UniqueIcon i(icon);
        fw::UniqueWindow w(window);
        EXPECT_EQ(::GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    }
    EXPECT_EQ(::GetObjectType(brush), 0u);
    EXPECT_EQ(::GetObjectType(memory), 0u);
    EXPECT_FALSE(::IsMenu(menu));
    ICONINFO info{};
    EXPECT_FALSE(::GetIconInfo(icon, &info));
    EXPECT_FALSE(::IsWindow(window));
}

TEST(UniqueHandle, RegistryKeyAndLibraryAreClosed) {
    HKEY raw = nullptr;
    {
        fw::UniqueKey key;
        ASSERT_EQ(::RegOpenKeyA(HKEY_CURRENT_USER, "Software", key.put()), ERROR_SUCCESS);
        raw = key.get();
        EXPECT_EQ(::RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                     nullptr, nullptr, nullptr),
                  ERROR_SUCCESS);
    }
    EXPECT_NE(::RegQueryInfoKeyA(raw, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                 nullptr, nullptr),
              ERROR_SUCCESS);

    ASSERT_EQ(::GetModuleHandleA("msimg32.dll"), nullptr) << "the test needs a library nobody else loaded";
    {
        fw::UniqueLibrary library(::LoadLibraryA("msimg32.dll"));
        ASSERT_TRUE(library);
    }
    EXPECT_EQ(::GetModuleHandleA("msimg32.dll"), nullptr);
}

TEST(UniqueHandle, WindowDcIsReleasedToItsWindow) {
    fw::UniqueWindow window = fwtest::CreateMainWindow();
    HDC first = nullptr;
    {
        fw::WindowDc dc(window.get());
        ASSERT_TRUE(dc);
        first = dc.get();
    }
    // A released DC goes back to the cache, so the window gets the same one again.
    fw::WindowDc again(window.get());
    EXPECT_EQ(again.get(), first);
}

TEST(UniqueHandle, SelectGuardPutsThePreviousObjectBack) {
    fw::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    fw::UniqueBrush brush(::CreateSolidBrush(RGB(9, 9, 9)));
    HGDIOBJ original = ::GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        fw::SelectGuard select(dc.get(), brush.get());
        EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), original);
}

LRESULT CALLBACK PaintingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PAINT) {
        fw::PaintDc paint(window);
        const RECT& area = paint.paint().rcPaint;
        ::SetPropA(window, "painted", reinterpret_cast<HANDLE>(paint.get() && area.right > area.left ? 1 : 2));
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(UniqueHandle, PaintDcValidatesTheWindow) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = PaintingProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "FrameworkTestPainting";
    ::RegisterClassA(&windowClass);
    fw::UniqueWindow window(::CreateWindowA("FrameworkTestPainting", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr,
                                            nullptr, windowClass.hInstance, nullptr));
    ASSERT_TRUE(window);
    ::InvalidateRect(window.get(), nullptr, TRUE);
    ::UpdateWindow(window.get());
    EXPECT_EQ(::GetPropA(window.get(), "painted"), reinterpret_cast<HANDLE>(1));
    EXPECT_FALSE(::GetUpdateRect(window.get(), nullptr, FALSE));
    ::RemovePropA(window.get(), "painted");
}

}  // namespace
