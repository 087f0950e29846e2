// The calculator window's pure rules (key flash lookup, parity input) and the drawing
// of the about box's links.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "ui/KeyFlashTable.h"
#include "ui/LinkButton.h"

namespace {

using ui::KeyEvent;
using ui::KeyToFlash;

TEST(KeyFlash, OnlyBackspaceAndReturnFlashAsKeys) {
    EXPECT_EQ(KeyToFlash(KeyEvent::KeyDown, VK_BACK), static_cast<unsigned>(IDC_KEY_BACKSPACE));
    EXPECT_EQ(KeyToFlash(KeyEvent::KeyDown, VK_RETURN), static_cast<unsigned>(IDC_KEY_EQUALS));
    // Digits flash once, as characters; the key press itself matches nothing.
    for (unsigned vk : {unsigned('7'), unsigned(VK_ESCAPE), unsigned(VK_LEFT), unsigned(VK_UP), unsigned(VK_INSERT),
                        unsigned('C'), unsigned(VK_DELETE)})
        EXPECT_EQ(KeyToFlash(KeyEvent::KeyDown, vk), 0u) << vk;
}

TEST(KeyFlash, NothingElseFlashes) {
    // The characters that Backspace, Return and Escape produce, the sign key's "none"
    // cells, and letters.
    for (unsigned ch : {8u, 13u, 27u, 0u, unsigned('e'), unsigned('x'), unsigned(' '), 0xE9u})
        EXPECT_EQ(KeyToFlash(KeyEvent::Character, ch), 0u) << ch;
    EXPECT_EQ(KeyToFlash(KeyEvent::KeyDown, 0), 0u);
}

// ---- Link drawing ------------------------------------------------------------------

// A link button with a parent that has a font, and a white memory surface to draw on.
class LinkDrawing : public ::testing::Test {
protected:
    static constexpr int kWidth = 200, kHeight = 20;

    void SetUp() override {
        parent_ = ::CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 300, 100, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        ::SendMessageA(parent_, WM_SETFONT, reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        button_ = ::CreateWindowA("BUTTON", "support@pemz.example", WS_CHILD | BS_OWNERDRAW, 0, 0, kWidth, kHeight,
                                  parent_, nullptr, nullptr, nullptr);
        ASSERT_NE(button_, nullptr);
    }
    void TearDown() override {
        if (parent_) ::DestroyWindow(parent_);
    }

    // Draws with the given item state; the pixels, row by row.
    std::vector<COLORREF> Draw(UINT itemState) {
        fw::WindowDc screen(nullptr);
        fw::UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
        fw::UniqueBitmap bitmap(::CreateCompatibleBitmap(screen.get(), kWidth, kHeight));
        fw::SelectGuard select(dc.get(), bitmap.get());
        RECT all{0, 0, kWidth, kHeight};
        ::FillRect(dc.get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button_;
        item.hDC = dc.get();
        item.rcItem = all;
        item.itemState = itemState;
        link_.DrawItem(item);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) pixels.push_back(::GetPixel(dc.get(), x, y));
        return pixels;
    }

    static int Count(const std::vector<COLORREF>& pixels, COLORREF colour) {
        int n = 0;
        for (COLORREF p : pixels) n += p == colour;
        return n;
    }

    // The longest horizontal run of one colour: an underline spans most of the text.
    static int LongestRun(const std::vector<COLORREF>& pixels, COLORREF colour) {
        int best = 0;
        for (int y = 0; y < kHeight; ++y) {
            int run = 0;
            for (int x = 0; x < kWidth; ++x) {
                run = pixels[y * kWidth + x] == colour ? run + 1 : 0;
                if (run > best) best = run;
            }
        }
        return best;
    }

    HWND parent_ = nullptr;
    HWND button_ = nullptr;
    ui::LinkButton link_;  // drawing needs only the item's window, not the attachment
};

TEST_F(LinkDrawing, NormalIsBlueAndUnderlined) {
    const std::vector<COLORREF> pixels = Draw(0);
    EXPECT_GT(LongestRun(pixels, ui::LinkButton::kLinkColour), 60);
    EXPECT_EQ(Count(pixels, ui::LinkButton::kPressedColour), 0);
}

TEST_F(LinkDrawing, PressedIsPurple) {
    const std::vector<COLORREF> pixels = Draw(ODS_SELECTED);
    EXPECT_GT(LongestRun(pixels, ui::LinkButton::kPressedColour), 60);
    EXPECT_EQ(Count(pixels, ui::LinkButton::kLinkColour), 0);
}

TEST_F(LinkDrawing, DisabledIsGreyWithoutFocusMark) {
    const COLORREF grey = ::GetSysColor(COLOR_GRAYTEXT);
    const std::vector<COLORREF> focused = Draw(ODS_DISABLED | ODS_FOCUS | ODS_SELECTED);
    EXPECT_GT(Count(focused, grey), 0);
    EXPECT_EQ(Count(focused, ui::LinkButton::kLinkColour), 0);
    EXPECT_EQ(Count(focused, ui::LinkButton::kPressedColour), 0);
    // The corner pixels stay white: no dotted focus rectangle.
    EXPECT_EQ(focused.front(), RGB(255, 255, 255));
    EXPECT_EQ(focused.back(), RGB(255, 255, 255));
}

TEST_F(LinkDrawing, FocusDrawsADottedFrame) {
    const std::vector<COLORREF> plain = Draw(0);
    const std::vector<COLORREF> focused = Draw(ODS_FOCUS);
    int changedOnBorder = 0;
    for (int x = 0; x < kWidth; ++x) changedOnBorder += plain[x] != focused[x];
    EXPECT_GT(changedOnBorder, kWidth / 4);
}

}  // namespace
