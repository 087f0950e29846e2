// The main window's menu read from inside the window's own process (under Wine another
// process cannot read it): the "&Toujours devant" check mark and the web items' greying.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "controls/ControlClasses.h"
#include "framework/Application.h"
#include "framework/ModulePath.h"
#include "res/resource.h"
#include "tests/ui/Driver.h"
#include "ui/CalculatorDialog.h"

namespace e2e {
namespace {

// Run as a child with this argument, the program opens pop-ups and exits with the web
// items' states: the browser answer is cached per process, so each case needs a fresh one.
constexpr const char* kWebItemsArgument = "--web-items";
constexpr UINT kGrey = MF_GRAYED | MF_DISABLED;

// The window of the run in progress and what to do inside it.
ui::CalculatorDialog* running = nullptr;
const std::function<void(HWND)>* script = nullptr;
bool scriptRan = false;

// A thread timer fires from the dialog's own loop once the window is up.
void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    (*script)(running->Hwnd());
    scriptRan = true;
    ::SendMessageA(running->Hwnd(), WM_CLOSE, 0, 0);
}

// Runs the calculator window as the program does and `body` inside it; false when it never ran.
bool RunCalculator(const std::function<void(HWND)>& body) {
    HINSTANCE instance = ::GetModuleHandleA(nullptr);
    ui::CalculatorDialog dialog(::LoadIconA(instance, MAKEINTRESOURCEA(IDI_PROGRAM)),
                                ::LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_MAIN)),
                                fw::UniqueBrush(::CreateSolidBrush(ui::CalculatorDialog::kInputLineColour)));
    running = &dialog;
    script = &body;
    scriptRan = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 1, &RunScript);
    dialog.DoModal();
    ::KillTimer(nullptr, timer);
    running = nullptr;
    return scriptRan;
}

// The item's whole state; 0xFFFFFFFF when the menu has no such item.
UINT ItemState(HWND window, UINT id) { return ::GetMenuState(::GetMenu(window), id, MF_BYCOMMAND); }

// Child: before each pop-up opens, both web items are set grey or enabled; what the opening
// leaves, (state & kGrey), is packed two bits a reading: 0x0000 all enabled, 0xFFFF all grey.
int WebItemsAfterOpening() {
    int packed = 0, shift = 0;
    const bool ran = RunCalculator([&](HWND window) {
        HMENU menu = ::GetMenu(window);
        for (UINT preset : {kGrey, UINT(MF_ENABLED)}) {
            for (int popup : {0, 2}) {  // "&Paramètres", then "&Aide"
                for (UINT id : {ID_HOME_PAGE, ID_SUPPORT_PAGE}) ::EnableMenuItem(menu, id, MF_BYCOMMAND | preset);
                ::SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(::GetSubMenu(menu, popup)),
                               MAKELPARAM(popup, FALSE));
                for (UINT id : {ID_HOME_PAGE, ID_SUPPORT_PAGE}) {
                    const UINT state = ItemState(window, id);
                    packed |= state == UINT(-1) ? 0x10000 : static_cast<int>(state & kGrey) << shift;
                    shift += 2;
                }
            }
        }
    });
    return ran ? packed : 0x20000;
}

// Runs this test program again as the web-items child and returns its exit code; above
// 0xFFFF: an item was missing, or the window, the child's start or its end failed.
DWORD RunWebItemsChild() {
    std::string commandLine = "\"" + fw::ModulePath() + "\" " + kWebItemsArgument;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return 0x40000;
    UniqueKernelHandle process(info.hProcess), thread(info.hThread);
    DWORD code = 0x80000;
    if (::WaitForSingleObject(process.get(), 30000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(process.get(), &code);
    else
        ::TerminateProcess(process.get(), code);
    return code;
}

class MainMenu : public ::testing::Test {
protected:
    void SetUp() override { CleanProgramRegistry(); }
    void TearDown() override { CleanProgramRegistry(); }
};

TEST_F(MainMenu, AlwaysOnTopItemShowsTheStoredFlagAndFollowsEachToggle) {
    // 256 keeps only its low byte, zero: not on top.
    for (DWORD stored : {0u, 1u, 256u}) {
        SCOPED_TRACE(stored);
        reg::SetSetting("TopMost", stored);
        const UINT first = (stored & 0xFF) != 0 ? MF_CHECKED : MF_UNCHECKED;
        const UINT second = first == MF_CHECKED ? MF_UNCHECKED : MF_CHECKED;
        std::vector<UINT> seen;
        ASSERT_TRUE(RunCalculator([&](HWND window) {
            for (int toggles = 0; toggles < 3; ++toggles) {
                seen.push_back(ItemState(window, ID_TOPMOST));
                ::SendMessageA(window, WM_COMMAND, ID_TOPMOST, 0);
            }
        }));
        EXPECT_EQ(seen, std::vector<UINT>({first, second, first}));
    }
}

TEST_F(MainMenu, WebItemsAreEnabledExactlyWhenABrowserIsRegistered) {
    const auto expectReadings = [](DWORD expected) {
        const DWORD code = RunWebItemsChild();
        EXPECT_EQ(code, expected) << "readings 0x" << std::hex << code;
    };
    {
        TemporaryHtmlClass browser("notepad.exe %1");
        expectReadings(0x0000);
    }
    {
        HiddenHtmlClass noBrowser;
        expectReadings(0xFFFF);
    }
}

}  // namespace
}  // namespace e2e

int main(int argc, char** argv) {
    // The keypad's window class must exist before the dialog template names it.
    controls::RegisterControlClasses();
    if (argc == 2 && std::strcmp(argv[1], e2e::kWebItemsArgument) == 0) return e2e::WebItemsAfterOpening();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
