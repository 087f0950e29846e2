// The keys the calculator window flashes, recorded inside its own process: every
// BM_SETSTATE it sends is seen, and what the key drew at once, where a screen sampler
// in another process can miss a flash of 30 ms on a busy machine.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "framework/Application.h"
#include "res/resource.h"
#include "tests/ui/Driver.h"
#include "ui/CalculatorDialog.h"

namespace e2e {
namespace {

constexpr UINT kMarker = WM_APP + 0x3A7;

struct Run {
    const ui::CalculatorDialog* dialog = nullptr;
    std::vector<UINT> keys;         // virtual keys to type once the window is up
    std::vector<unsigned> flashed;  // keys pushed by BM_SETSTATE 1, in order
    Image face, pushedFace;         // the last flashed key as it looked before, and pushed
    int unseenFlashes = 0;          // flashes not drawn pushed at once, then back as before
    int retrievedSinceMarker = 0;
};
Run* run = nullptr;

// Sent messages: a key told to show itself pushed, as it looks before.
LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == BM_SETSTATE && sent->wParam) {
        run->flashed.push_back(static_cast<unsigned>(::GetDlgCtrlID(sent->hwnd)));
        run->face = CaptureClient(sent->hwnd);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// The same messages handled: the key must have drawn each state already.
LRESULT CALLBACK OnHandled(int code, WPARAM wParam, LPARAM lParam) {
    const auto* handled = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && handled->message == BM_SETSTATE && !run->flashed.empty()) {
        const Image now = CaptureClient(handled->hwnd);
        if (handled->wParam)
            run->pushedFace = now;
        else if (run->pushedFace == run->face || now != run->face)
            ++run->unseenFlashes;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Retrieved messages: a marker that comes back with nothing retrieved since the one before
// it shows the queue drained, characters that translating the keys posted included.
LRESULT CALLBACK OnRetrieved(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        if (message->message != kMarker) {
            ++run->retrievedSinceMarker;
        } else if (run->retrievedSinceMarker > 0) {
            run->retrievedSinceMarker = 0;
            ::PostMessageA(run->dialog->Hwnd(), kMarker, 0, 0);
        } else {
            ::PostMessageA(run->dialog->Hwnd(), WM_CLOSE, 0, 0);
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Fires from the window's own loop once it is up: types the keys as the keyboard would.
void CALLBACK TypeKeys(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    HWND focus = ::GetFocus();
    for (UINT vk : run->keys) {
        const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyA(vk, 0)) << 16;
        ::PostMessageA(focus, WM_KEYDOWN, vk, scan | 1);
        ::PostMessageA(focus, WM_KEYUP, vk, scan | 1 | static_cast<LPARAM>(0xC0000000u));
    }
    run->retrievedSinceMarker = 1;
    ::PostMessageA(run->dialog->Hwnd(), kMarker, 0, 0);
}

// The keys the window flashes while it handles `keys`, typed into it; each must be drawn
// pushed and then as before, at once.
std::vector<unsigned> FlashedKeys(std::vector<UINT> keys) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    ui::CalculatorDialog dialog(::LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM)),
                                ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAIN)),
                                fw::UniqueBrush(::CreateSolidBrush(ui::CalculatorDialog::kInputLineColour)));
    Run state;
    state.dialog = &dialog;
    state.keys = std::move(keys);
    run = &state;
    const DWORD thread = ::GetCurrentThreadId();
    HHOOK sentHook = ::SetWindowsHookExA(WH_CALLWNDPROC, OnSent, nullptr, thread);
    HHOOK handledHook = ::SetWindowsHookExA(WH_CALLWNDPROCRET, OnHandled, nullptr, thread);
    HHOOK retrievedHook = ::SetWindowsHookExA(WH_GETMESSAGE, OnRetrieved, nullptr, thread);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, TypeKeys);
    dialog.DoModal();
    ::KillTimer(nullptr, timer);
    ::UnhookWindowsHookEx(retrievedHook);
    ::UnhookWindowsHookEx(handledHook);
    ::UnhookWindowsHookEx(sentHook);
    run = nullptr;
    EXPECT_EQ(state.unseenFlashes, 0) << "flashes not drawn at once";
    return state.flashed;
}

class KeyFlash : public ::testing::Test {
protected:
    void SetUp() override { CleanProgramRegistry(); }
    void TearDown() override { CleanProgramRegistry(); }
};

TEST_F(KeyFlash, EscapeFlashesNothingWhileTypedKeysFlashTheirOwn) {
    EXPECT_EQ(FlashedKeys({VK_ESCAPE}), std::vector<unsigned>{});
    // The same recording sees each flash: Backspace and Return as keys, a digit, the comma,
    // the point and c as the characters that translating their keys posts, so behind the
    // keys typed after them.
    EXPECT_EQ(FlashedKeys({'7', VK_OEM_COMMA, VK_BACK, VK_OEM_PERIOD, 'C', VK_RETURN}),
              (std::vector<unsigned>{IDC_KEY_BACKSPACE, IDC_KEY_EQUALS, IDC_KEY_7, IDC_KEY_POINT, IDC_KEY_POINT,
                                     IDC_KEY_CLEAR}));
}

}  // namespace
}  // namespace e2e
