// The main window: always on top, stored settings read by their low bits, and
// the placement saved by every way of closing and restored by the next start.
#include "tests/ui/CalculatorTest.h"

#include <cstdio>

namespace e2e {
namespace {

using WindowTest = CalculatorTest;

TEST_F(WindowTest, AlwaysOnTopToggledTwiceIsOffAndStoredOff) {
    ASSERT_EQ(app.Start(), "");
    app.Command(kTopMost);
    app.Sync();
    EXPECT_TRUE(OnTop());
    EXPECT_EQ(reg::Setting("TopMost"), 1u);
    app.Command(kTopMost);
    app.Sync();
    EXPECT_FALSE(OnTop());
    EXPECT_EQ(reg::Setting("TopMost"), 0u);
}

TEST_F(WindowTest, AStoredOnTopFlagPutsTheWindowOnTopFromTheStart) {
    reg::SetSetting("TopMost", 1);
    ASSERT_EQ(app.Start(), "");
    EXPECT_TRUE(OnTop());
}

TEST_F(WindowTest, StoredSettingsAreReadAsTheProgramReadsThem) {
    reg::SetSetting("TopMost", 256);  // low byte zero: not on top
    reg::SetSetting("Precision", 7);  // no such item: the selector shows none
    reg::SetSetting("SaisieEuro", 0x101);
    ASSERT_EQ(app.Start(), "");
    EXPECT_FALSE(OnTop());
    EXPECT_EQ(Selection(kPrecisionSelector), -1);
    EXPECT_EQ(app.Text(kPrecisionSelector), "");
    EXPECT_TRUE(Checked(kEuroButton));
    EXPECT_EQ(Shown(), Lines("0,0000000", "0"));
}

std::string PlacementText(const RECT& r, int state) {
    char text[64];
    std::snprintf(text, sizeof text, "%ld %ld %ld %ld %d", r.left, r.top, r.right, r.bottom, state);
    return text;
}

std::optional<std::string> StoredPlacement() {
    return reg::GetString(HKEY_CURRENT_USER, std::string(reg::kProgramKey) + "\\Desktop", "Main");
}

// Restores the window as a user would and tells whether it came back to this rectangle.
// (Wine answers GetWindowPlacement for another process's window with its current rectangle.)
bool RestoresTo(Program& app, const RECT& normal) {
    ::ShowWindow(app.Window(), SW_RESTORE);
    return WaitFor([&] {
        const RECT r = WindowRect(app.Window());
        return r.left == normal.left && r.top == normal.top && r.right == normal.right && r.bottom == normal.bottom;
    });
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(WindowTest, EveryWayOfClosingSavesThePlacementForTheNextStart) {
    ASSERT_EQ(app.Start(), "");
    ::SetWindowPos(app.Window(), nullptr, 100, 80, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    app.Sync();
    const RECT normal = WindowRect(app.Window());
    ASSERT_EQ(normal.left, 100);

    // Alt+F4, from a normal window.
    app.PressKey(VK_F4, kAlt);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(StoredPlacement(), PlacementText(normal, 0));
    ASSERT_EQ(app.Start(), "");
    EXPECT_TRUE(SameRect(WindowRect(app.Window()), normal));
    EXPECT_FALSE(::IsIconic(app.Window()));

    // The system menu's Close, from a minimised window.
    ::ShowWindow(app.Window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return ::IsIconic(app.Window()) != FALSE; }));
    ::PostMessageA(app.Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(StoredPlacement(), PlacementText(normal, 1));
    ASSERT_EQ(app.Start(), "");
    EXPECT_TRUE(::IsIconic(app.Window()));
    EXPECT_TRUE(RestoresTo(app, normal));

    // "&Quitter", from a maximised window.
    ::ShowWindow(app.Window(), SW_MAXIMIZE);
    ASSERT_TRUE(WaitFor([&] { return ::IsZoomed(app.Window()) != FALSE; }));
    app.Command(kExit);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(StoredPlacement(), PlacementText(normal, 2));
    ASSERT_EQ(app.Start(), "");
    EXPECT_TRUE(::IsZoomed(app.Window()));
    EXPECT_TRUE(RestoresTo(app, normal));

    // Return and IDOK never close it.
    app.PressKey(VK_RETURN);
    app.Command(IDOK);
    EXPECT_TRUE(app.Sync());
    EXPECT_TRUE(app.Running());
}

// Closed at once after opening minimised or maximised: the normal rectangle stays, so
// the position survives any number of runs.
TEST_F(WindowTest, ReopenedMinimisedOrMaximisedAndClosedAtOnceKeepsItsPosition) {
    ASSERT_EQ(app.Start(), "");
    const RECT first = WindowRect(app.Window());
    app.Command(kExit);
    ASSERT_TRUE(app.WaitForExit());
    const RECT normal{100, 80, 100 + first.right - first.left, 80 + first.bottom - first.top};
    for (int state : {2, 1}) {
        reg::SetString(HKEY_CURRENT_USER, std::string(reg::kProgramKey) + "\\Desktop", "Main",
                       PlacementText(normal, state));
        ASSERT_EQ(app.Start(), "");
        EXPECT_TRUE(state == 2 ? ::IsZoomed(app.Window()) : ::IsIconic(app.Window())) << state;
        app.Command(kExit);
        ASSERT_TRUE(app.WaitForExit());
        EXPECT_EQ(StoredPlacement(), PlacementText(normal, state));
    }
}

}  // namespace
}  // namespace e2e
