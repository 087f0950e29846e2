// Keyboard: keys travel through the program's queue, flash their on-screen key,
// and reach their commands through the accelerators.
#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

using KeyboardTest = CalculatorTest;

// That each typed key flashes its key, and draws it at once, is recorded inside the
// window's process (KeyFlashTest.cpp): a screen sampled from here can miss 30 ms.
TEST_F(KeyboardTest, TypedKeysDoTheirWork) {
    ASSERT_EQ(app.Start(), "");

    app.Type("7");
    EXPECT_EQ(Shown(), Lines("7", "1,08"));
    app.Type(",");
    app.Type("5");
    EXPECT_EQ(Shown(), Lines("7,5", "1,15"));

    // Escape clears.
    app.PressKey(VK_ESCAPE);
    EXPECT_EQ(Shown(), Lines("0", "0,00"));

    app.Type(".");
    EXPECT_EQ(Shown(), Lines("0,", "0,00"));
    app.Type("25");
    EXPECT_EQ(Shown(), Lines("0,25", "0,04"));
    app.PressKey(VK_BACK);
    EXPECT_EQ(Shown(), Lines("0,2", "0,03"));

    app.Type("c");
    EXPECT_EQ(Shown(), Lines("0", "0,00"));
    app.Type("12");
    app.Type("C");
    EXPECT_EQ(Shown(), Lines("0", "0,00"));

    // Operators come from the shifted keys; Return computes and never closes the window.
    app.Type("2+3");
    app.PressKey(VK_RETURN);
    EXPECT_EQ(Shown(), Lines("5,00", "0,77"));
    app.Type("*4%");
    EXPECT_EQ(Shown(), Lines("0,20", "0,03"));
    app.PressKey(VK_RETURN);
    EXPECT_EQ(Shown(), Lines("1,00", "0,15"));
    EXPECT_TRUE(app.Running());
    EXPECT_TRUE(::IsWindowVisible(app.Window()));
    EXPECT_EQ(app.FocusId(), kFocusHolder);
}

TEST_F(KeyboardTest, ArrowKeysDoNothing) {
    ASSERT_EQ(app.Start(), "");
    app.Type("12");
    const HWND focus = app.Focus();
    for (UINT arrow : {VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT}) app.PressKey(arrow);
    EXPECT_EQ(Shown(), Lines("12", "1,85"));
    EXPECT_EQ(Selection(kPrecisionSelector), 3);
    EXPECT_TRUE(Checked(kFrancsButton));
    EXPECT_FALSE(Checked(kEuroButton));
    EXPECT_EQ(app.Focus(), focus);
    EXPECT_FALSE(reg::Setting("Precision"));
    EXPECT_FALSE(reg::Setting("SaisieEuro"));
}

TEST_F(KeyboardTest, ControlKeysReachTheClipboardCommands) {
    ASSERT_EQ(app.Start(), "");
    app.Type("12.345");
    ASSERT_EQ(Shown(), Lines("12,345", "1,90"));

    struct Shortcut {
        const char* name;
        UINT vk;
        unsigned modifiers;
        const char* copied;
    };
    const Shortcut copies[] = {
        {"Ctrl+C", 'C', kCtrl, "12.35"},
        {"Ctrl+Insert", VK_INSERT, kCtrl, "12.35"},
        {"Ctrl+E", 'E', kCtrl, "1.90"},
        {"Ctrl+F", 'F', kCtrl, "12.35"},
    };
    for (const Shortcut& s : copies) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(SetClipboardText("sentinel"));
        app.PressKey(s.vk, s.modifiers);
        EXPECT_EQ(ClipboardText(), s.copied);
        EXPECT_EQ(Shown(), Lines("12,345", "1,90"));
    }

    ASSERT_TRUE(SetClipboardText("42"));
    app.PressKey('V', kCtrl);
    EXPECT_EQ(Shown(), Lines("42,00", "6,46"));
    ASSERT_TRUE(SetClipboardText("7,5"));
    app.PressKey(VK_INSERT, kShift);
    EXPECT_EQ(Shown(), Lines("7,50", "1,15"));
}

}  // namespace
}  // namespace e2e
