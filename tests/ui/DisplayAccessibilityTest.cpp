// What a screen reader in another process learns of the calculator's lines and labels.
#include <windows.h>

#include <vector>

#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

// Value changes that the program announces, as a screen reader hears them: an
// out-of-context hook, called through this thread's queue.
class ValueChanges {
public:
    explicit ValueChanges(DWORD processId)
        : hook_(::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr, &ValueChanges::OnEvent,
                                  processId, 0, WINEVENT_OUTOFCONTEXT)) {
        seen_.clear();
    }
    ~ValueChanges() { ::UnhookWinEvent(hook_); }
    ValueChanges(const ValueChanges&) = delete;
    ValueChanges& operator=(const ValueChanges&) = delete;
    bool Hooked() const { return hook_ != nullptr; }

    // The controls announced since the last call. The program announces before it
    // answers a later marker, and the calls wait in this thread's queue: draining it is enough.
    std::vector<int> Take() {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
        std::vector<int> taken;
        taken.swap(seen_);
        return taken;
    }

private:
    static void CALLBACK OnEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
        if (object == OBJID_CLIENT && child == CHILDID_SELF) seen_.push_back(::GetDlgCtrlID(window));
    }
    static inline std::vector<int> seen_;
    HWINEVENTHOOK hook_;
};

using DisplayAccessibilityTest = CalculatorTest;

TEST_F(DisplayAccessibilityTest, ANewResultIsAnnouncedOnTheLinesThatChangedAndOnlyThere) {
    ASSERT_EQ(app.Start(), "");
    DWORD processId = 0;
    ::GetWindowThreadProcessId(app.Window(), &processId);
    ValueChanges changes(processId);
    ASSERT_TRUE(changes.Hooked());

    app.Type("7+5");
    changes.Take();
    app.PressKey(VK_RETURN);
    EXPECT_EQ(Shown(), Lines("12,00", "1,85"));
    EXPECT_EQ(changes.Take(), (std::vector<int>{kFrancsLine, kEuroLine}));

    // Copying passes scratch text through the francs line and puts the result back: no news.
    app.PressKey('C', kCtrl);
    EXPECT_EQ(changes.Take(), std::vector<int>{});

    // Storing leaves both lines as they were; the memory indicator lights up.
    ASSERT_TRUE(app.ClickKeys("MS"));
    EXPECT_EQ(changes.Take(), std::vector<int>{kMemoryIndicator});
}

}  // namespace
}  // namespace e2e
