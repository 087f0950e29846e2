// What a screen reader in another process learns of the calculator's lines and labels.
#include <windows.h>

#include <utility>
#include <vector>

#include "tests/AccessibleReader.h"
#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

// The controls whose value change the program announced, as a screen reader hears them: an
// out-of-context hook, called through this thread's queue. The program announces before it
// answers a later marker, so draining the queue after one collects everything.
std::vector<int> announced;

void CALLBACK OnValueChange(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT && child == CHILDID_SELF) announced.push_back(::GetDlgCtrlID(window));
}

std::vector<int> TakeAnnounced() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
    return std::exchange(announced, {});
}

// Role, name and value, as one text to compare.
std::string Readout(HWND control) {
    test::AccessibleReader reader(control);
    return std::to_string(reader.Role()) + " " + reader.Name() + ": " + reader.Value();
}

using DisplayAccessibilityTest = CalculatorTest;

TEST_F(DisplayAccessibilityTest, LinesAndLabelsSayWhatTheyAreReadAsShownAndAnnounceEachChange) {
    ASSERT_EQ(app.Start(), "");
    DWORD processId = 0;
    ::GetWindowThreadProcessId(app.Window(), &processId);
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE, nullptr,
                                                 &OnValueChange, processId, 0, WINEVENT_OUTOFCONTEXT);
    ASSERT_TRUE(hook);
    app.Type("7+5");
    TakeAnnounced();

    app.PressKey(VK_RETURN);
    // The focus holder, where the focus rests, reads as the input line and announces with it.
    EXPECT_EQ(TakeAnnounced(), (std::vector<int>{kFrancsLine, kFocusHolder, kEuroLine}));
    const std::string text = std::to_string(ROLE_SYSTEM_TEXT), label = std::to_string(ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(Readout(app.Item(kFrancsLine)), text + " Montant en francs: 12,00");
    EXPECT_EQ(Readout(app.Item(kEuroLine)), text + " Montant en euros: 1,85");
    EXPECT_EQ(Readout(app.Item(kFocusHolder)), text + " Montant en francs: 12,00");
    EXPECT_EQ(Readout(app.Item(kParityLabel)), label + " Parité: 1 Euro=6,5 F");
    EXPECT_EQ(Readout(app.Item(kMemoryIndicator)), label + " Mémoire: ");

    // Copying passes scratch text through the francs line and puts the result back: no news.
    app.PressKey('C', kCtrl);
    EXPECT_EQ(TakeAnnounced(), std::vector<int>{});

    // Storing leaves both lines as they were; the memory indicator lights up.
    ASSERT_TRUE(app.ClickKeys("MS"));
    EXPECT_EQ(TakeAnnounced(), std::vector<int>{kMemoryIndicator});
    EXPECT_EQ(Readout(app.Item(kMemoryIndicator)), label + " Mémoire: M");

    // Euro input: the 12 moves to the euro line, which the focus holder now reads as.
    ASSERT_TRUE(app.ClickItem(kEuroButton));
    EXPECT_EQ(TakeAnnounced(), (std::vector<int>{kEuroLine, kFocusHolder, kFrancsLine}));
    EXPECT_EQ(Readout(app.Item(kFocusHolder)), text + " Montant en euros: 12,00");
    ::UnhookWinEvent(hook);
}

}  // namespace
}  // namespace e2e
