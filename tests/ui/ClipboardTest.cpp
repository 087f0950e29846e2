// Clipboard: copies are rounded plain numbers, pastes read the leading number,
// and the francs line used as scratch space never shows the exchanged text.
#include <cstring>

#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

using ClipboardTest = CalculatorTest;

constexpr UINT kCopy = 107;
constexpr UINT kCopyEuro = 104;
constexpr UINT kCopyFrancs = 105;
constexpr UINT kPaste = 106;

// Sends a menu command and returns what it left on the clipboard.
std::optional<std::string> CopyWith(Program& app, UINT command) {
    if (!SetClipboardText("sentinel")) return std::nullopt;
    app.Command(command);
    app.Sync();
    return ClipboardText();
}

// Every picture the line showed while the action ran was its picture before or
// after, or a plain background while it repainted: the scratch text never appeared.
::testing::AssertionResult ScratchNeverShown(Program& app, HWND line, const std::function<void()>& action) {
    const RECT area = ClientRectOnScreen(line);
    const Image before = CaptureScreen(area);
    ScreenSampler sampler(area);
    action();
    app.WaitUntilPainted();  // a late repaint reaches the screen while still sampling
    const std::vector<Image> seen = sampler.Stop();
    const Image after = CaptureScreen(area);
    for (const Image& image : seen)
        if (image != before && image != after && !image.IsUniform())
            return ::testing::AssertionFailure() << "the line showed another text while the command ran";
    return ::testing::AssertionSuccess();
}

// What the line looks like when it paints itself now.
Image RepaintedLine(Program& app, HWND line) {
    ::RedrawWindow(line, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    if (!WaitFor([&] { return !::GetUpdateRect(line, nullptr, FALSE); }))
        ADD_FAILURE() << "the line never painted what was invalidated";
    if (!app.Sync()) ADD_FAILURE() << "the calculator does not answer";
    return CaptureScreen(ClientRectOnScreen(line));
}

TEST_F(ClipboardTest, CopiesAreRoundedPlainNumbers) {
    reg::SetSetting("SaisieEuro", 1);
    ASSERT_EQ(app.Start(), "");
    app.Type("12.345");
    ASSERT_EQ(Shown(), Lines("80,24", "12,345"));

    EXPECT_TRUE(ScratchNeverShown(app, app.Item(kFrancsLine), [&] { EXPECT_EQ(CopyWith(app, kCopy), "12.35"); }));
    EXPECT_EQ(CopyWith(app, kCopyFrancs), "80.24");
    EXPECT_EQ(CopyWith(app, kCopyEuro), "12.35");
    EXPECT_EQ(Shown(), Lines("80,24", "12,345"));
    EXPECT_EQ(app.FocusId(), kFocusHolder);

    struct Case {
        int selectorIndex;
        const char* keys;
        const char* copied;
    };
    const Case cases[] = {
        {1, "12.7", "13."},                                  // precision 0 keeps the point
        {0, "12", "12."},                                    // "Auto"
        {0, "0.1", "0.1"},  {2, "1234567.5=", "1234567.5"},  // no separator, "." as point
        {2, "8/0=", "0.0"},                                  // in error: the number held, not "Erreur"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keys);
        app.SelectPrecision(c.selectorIndex);
        app.PressKey(VK_ESCAPE);
        app.Type(c.keys);
        EXPECT_EQ(CopyWith(app, kCopy), c.copied);
    }
    EXPECT_EQ(Shown(), Lines("Erreur", "Erreur"));

    // A negative tie goes toward plus infinity.
    app.SelectPrecision(1);
    app.PressKey(VK_ESCAPE);
    app.Type("5.5");
    ASSERT_TRUE(app.ClickKeys("+/-"));
    EXPECT_EQ(CopyWith(app, kCopy), "-5.");
}

TEST_F(ClipboardTest, PasteReadsTheLeadingNumber) {
    ASSERT_EQ(app.Start(), "");
    const HWND francs = app.Item(kFrancsLine);
    struct Case {
        const char* clipboard;
        Lines shown;
    };
    const Case cases[] = {
        {"12,5", {"12,50", "1,92"}},     {"1 234,56", {"1,00", "0,15"}},  // the number ends at the space
        {"1,234,5", {"1,23", "0,19"}},                                    // only the first comma is a point
        {"-3e2", {"-300,00", "-46,15"}}, {"abc", {"-300,00", "-46,15"}},  // no number: nothing changes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clipboard);
        ASSERT_TRUE(SetClipboardText(c.clipboard));
        EXPECT_TRUE(ScratchNeverShown(app, francs, [&] {
            app.Command(kPaste);
            app.Sync();
        }));
        EXPECT_EQ(Shown(), c.shown);
        EXPECT_EQ(ClipboardText(), c.clipboard) << "a paste leaves the clipboard alone";
    }
    // What stays on screen is the line's own text, not a stale picture.
    const Image shown = CaptureScreen(ClientRectOnScreen(francs));
    EXPECT_TRUE(shown == RepaintedLine(app, francs)) << "the francs line on screen is not its current text";

    // A pasted number is the operand of the pending operation, and it ends an error.
    app.PressKey(VK_ESCAPE);
    app.Type("2+");
    ASSERT_TRUE(SetClipboardText("3"));
    app.Command(kPaste);
    app.Sync();
    EXPECT_EQ(Shown(), Lines("3,00", "0,46"));
    app.Type("=");
    EXPECT_EQ(Shown(), Lines("5,00", "0,77"));
    app.Type("5/0=");
    ASSERT_EQ(Shown(), Lines("Erreur", "Erreur"));
    ASSERT_TRUE(SetClipboardText("4"));
    app.Command(kPaste);
    app.Sync();
    EXPECT_EQ(Shown(), Lines("4,00", "0,62"));
    EXPECT_EQ(app.FocusId(), kFocusHolder);
}

// Puts raw bytes on the clipboard under a format; no bytes: an empty clipboard.
bool SetClipboardBytes(UINT format, const std::string& bytes) {
    if (!WaitFor([] { return ::OpenClipboard(nullptr) != FALSE; }, 1000)) return false;
    ::EmptyClipboard();
    bool placed = bytes.empty();
    if (!bytes.empty()) {
        if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes.size())) {
            std::memcpy(::GlobalLock(memory), bytes.data(), bytes.size());
            ::GlobalUnlock(memory);
            placed = ::SetClipboardData(format, memory) != nullptr;
            if (!placed) ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
    return placed;
}

TEST_F(ClipboardTest, HostileClipboardsNeverStopTheWindow) {
    ASSERT_EQ(app.Start(), "");
    const UINT otherFormat = ::RegisterClipboardFormatA("PemzCalc hostile test");
    struct Case {
        const char* name;
        UINT format;
        std::string bytes;  // with its terminator, if any
        Lines shown;
    };
    const Case cases[] = {
        {"empty", CF_TEXT, std::string(), {"0", "0,00"}},
        {"non-text only", otherFormat, "12", {"0", "0,00"}},
        // Far wider than the line: the edit control refuses it whole.
        {"1 MiB of digits", CF_TEXT, std::string(1 << 20, '7') + '\0', {"0", "0,00"}},
        {"no-break space first",
         CF_TEXT,
         std::string("\xA0"
                     "5",
                     3),
         {"0", "0,00"}},
        {"embedded NUL",
         CF_TEXT,
         std::string("12\0"
                     "34",
                     6),
         {"12,00", "1,85"}},
        {"CP1252 letters after", CF_TEXT, std::string("8,5\xE9\x80", 6), {"8,50", "1,31"}},
        {"overflow", CF_TEXT, std::string("1e999", 6), {"Infini", "Infini"}},
        {"negative overflow", CF_TEXT, std::string("-1e999", 7), {"-Infini", "-Infini"}},
        {"underflow", CF_TEXT, std::string("1e-999", 7), {"0,00", "0,00"}},
        {"as many digits as fit",
         CF_TEXT,
         std::string(20, '8') + '\0',
         {"88 888 888 888 888 885 248,00", "13 675 213 675 213 674 496,00"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(SetClipboardBytes(c.format, c.bytes));
        app.Command(kPaste);
        ASSERT_TRUE(app.Sync()) << "the window stopped answering";
        EXPECT_EQ(Shown(), c.shown);
    }
    EXPECT_EQ(app.FocusId(), kFocusHolder);
}

}  // namespace
}  // namespace e2e
