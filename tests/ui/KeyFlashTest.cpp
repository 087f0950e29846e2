// The keys the calculator window flashes, recorded inside its own process: every
// BM_SETSTATE it sends is seen, where a screen sampler in another process can miss
// a flash of 30 ms on a busy machine and so never prove that none happened.
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
    int retrievedSinceMarker = 0;
};
Run* run = nullptr;

// Sent messages: a key told to show itself pushed.
LRESULT CALLBACK OnSent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == BM_SETSTATE && sent->wParam)
        run->flashed.push_back(static_cast<unsigned>(::GetDlgCtrlID(sent->hwnd)));
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

// The keys the window flashes while it handles `keys`, typed into it.
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
    HHOOK retrievedHook = ::SetWindowsHookExA(WH_GETMESSAGE, OnRetrieved, nullptr, thread);
    const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, TypeKeys);
    dialog.DoModal();
    ::KillTimer(nullptr, timer);
    ::UnhookWindowsHookEx(retrievedHook);
    ::UnhookWindowsHookEx(sentHook);
    run = nullptr;
    return state.flashed;
}

class KeyFlash : public ::testing::Test {
protected:
    void SetUp() override { CleanProgramRegistry(); }
    void TearDown() override { CleanProgramRegistry(); }
};

TEST_F(KeyFlash, EscapeFlashesNothingWhileTypedKeysFlashTheirOwn) {
    EXPECT_EQ(FlashedKeys({VK_ESCAPE}), std::vector<unsigned>{});
    // The same recording sees each flash: Backspace and Return as keys, a digit as the
    // character that translating its key posts, so behind the keys typed after it.
    EXPECT_EQ(FlashedKeys({'7', VK_BACK, VK_RETURN}),
              (std::vector<unsigned>{IDC_KEY_BACKSPACE, IDC_KEY_EQUALS, IDC_KEY_7}));
}

}  // namespace
}  // namespace e2e
