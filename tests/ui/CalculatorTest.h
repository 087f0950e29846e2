// Shared fixture of the end-to-end tests: a clean registry, one program per test,
// and checks on what the user sees (both lines, key flashes, the input line's colour).
#ifndef PEMZ_TESTS_UI_CALCULATORTEST_H
#define PEMZ_TESTS_UI_CALCULATORTEST_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

#include "tests/ui/Driver.h"

namespace e2e {

// Francs line (upper) and euro line (lower), as shown.
using Lines = std::pair<std::string, std::string>;

constexpr int kFrancsLine = 1030;
constexpr int kEuroLine = 1031;
constexpr int kMemoryIndicator = 1034;
constexpr int kParityLabel = 1036;
constexpr int kFocusHolder = 1016;
constexpr int kPrecisionSelector = 1029;
constexpr int kEuroButton = 1032;
constexpr int kFrancsButton = 1033;
constexpr COLORREF kYellow = RGB(255, 255, 0);

// Commands, and the dialogs they open.
constexpr UINT kAboutCommand = 100;
constexpr UINT kTopMost = 101;
constexpr UINT kSettingsCommand = 102;
constexpr UINT kExit = 57665;
constexpr UINT kHelpIndex = 57666;
constexpr const char* kAboutCaption = "A propos de la Calculatrice Euro Pemz";
constexpr const char* kSettingsCaption = "Paramètres de la Calculatrice Euro Pemz";
constexpr int kAboutExit = 20;
constexpr int kVersionLine = 100;
constexpr int kParityField = 1036;
constexpr int kSeparatorField = 1037;
constexpr int kPointField = 1038;

class CalculatorTest : public ::testing::Test {
protected:
    CalculatorTest() = default;
    explicit CalculatorTest(const std::string& program) : app(program) {}

    // Settings a test stores before Launch are what the program finds.
    void SetUp() override { CleanProgramRegistry(); }
    void TearDown() override { CleanProgramRegistry(); }

    Lines Shown() const { return {app.Francs(), app.Euro()}; }
    bool Checked(int id) const {
        DWORD_PTR state = 0;
        ::SendMessageTimeoutA(app.Item(id), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &state);
        return state == BST_CHECKED;
    }
    int Selection(int id) const {
        DWORD_PTR index = 0;
        ::SendMessageTimeoutA(app.Item(id), CB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &index);
        return static_cast<int>(index);
    }
    bool OnTop() const { return (::GetWindowLongA(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

    // The colour of a display line's background, left of its right-aligned text.
    static COLORREF Background(HWND line) {
        const RECT r = ClientRectOnScreen(line);
        return ScreenPixel(r.left + 2, (r.top + r.bottom) / 2);
    }
    // The line's background becomes (or stays) yellow: it repaints after the program's refresh.
    bool BecomesYellow(HWND line, bool yellow) {
        return WaitFor([&] {
            app.WaitUntilPainted();
            return (Background(line) == kYellow) == yellow;
        });
    }

    Program app;
};

}  // namespace e2e

#endif
