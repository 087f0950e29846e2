// About box and web pages: position, version line, links drawn and enabled by
// the services available, and the registered browser started with the address.
#include "tests/ui/CalculatorTest.h"

#include <fstream>
#include <sstream>

namespace e2e {
namespace {

constexpr UINT kHomePage = 7005;
constexpr UINT kSupportPage = 7006;
constexpr int kWebLink = 101;
constexpr int kMailLink = 102;
constexpr COLORREF kBlue = RGB(0, 0, 255);

std::string RecordedFile() { return DirectoryOf(RecorderPath()) + "\\recorded.txt"; }

// The command line the stand-in browser was started with, once it has written it.
std::optional<std::string> RecordedCommandLine() {
    std::optional<std::string> line;
    const bool written = WaitFor(
        [&] {
            std::ifstream in(RecordedFile(), std::ios::binary);
            if (!in) return false;
            std::ostringstream text;
            text << in.rdbuf();
            line = text.str();
            return true;
        },
        10000);
    ::DeleteFileA(RecordedFile().c_str());
    return written ? line : std::nullopt;
}

// Longest horizontal run of one colour: the underline of a link.
int LongestRun(const Image& image, COLORREF colour) {
    int longest = 0;
    for (int y = 0; y < image.height; ++y) {
        int run = 0;
        for (int x = 0; x < image.width; ++x) {
            run = image.At(x, y) == colour ? run + 1 : 0;
            longest = std::max(longest, run);
        }
    }
    return longest;
}

// The link's caption drawn underlined in this colour (an underline longer than a few letters).
::testing::AssertionResult DrawnUnderlinedIn(Program& app, HWND link, COLORREF colour) {
    Image image;
    const bool drawn = WaitFor([&] {
        app.Sync();
        image = CaptureScreen(WindowRect(link));
        return LongestRun(image, colour) >= 20;
    });
    if (!drawn)
        return ::testing::AssertionFailure() << "no underline in colour " << std::hex << colour << " (longest run "
                                             << std::dec << LongestRun(image, colour) << ")";
    if (image.Count(colour) <= LongestRun(image, colour))
        return ::testing::AssertionFailure() << "only a line, no letters, in colour " << std::hex << colour;
    return ::testing::AssertionSuccess();
}

using AboutTest = CalculatorTest;

TEST_F(AboutTest, WithBrowserAndMailTheLinksAreLiveAndOpenTheSupportPage) {
    ::DeleteFileA(RecordedFile().c_str());
    TemporaryHtmlClass browser(RecorderPath() + " %1");
    MapiSetting mail("1");
    ASSERT_EQ(app.Start(), "");

    // The web menu items start the registered open command with the page.
    const std::string prefix = RecorderPath() + " ";
    app.Command(kHomePage);
    const std::string home = RecordedCommandLine().value_or("<browser not started>");
    ASSERT_EQ(home.substr(0, prefix.size()), prefix) << home;
    app.Command(kSupportPage);
    EXPECT_EQ(RecordedCommandLine(), home + "/support");

    app.Command(kAboutCommand);
    HWND about = app.WaitForWindow(kAboutCaption);
    ASSERT_NE(about, nullptr) << "no window captioned " << kAboutCaption;

    // Its client area at the template position (11, 22 dialog units of its 221 x 150), relative
    // to the calculator's client area.
    const RECT client = ClientRectOnScreen(about);
    const RECT owner = ClientRectOnScreen(app.Window());
    const int width = client.right - client.left, height = client.bottom - client.top;
    EXPECT_NEAR(client.left, owner.left + 11 * width / 221, 2);
    EXPECT_NEAR(client.top, owner.top + 22 * height / 150, 2);

    EXPECT_EQ(Program::TextOf(::GetDlgItem(about, kVersionLine)), "Version 1.00");
    HWND web = ::GetDlgItem(about, kWebLink);
    HWND mailLink = ::GetDlgItem(about, kMailLink);
    EXPECT_TRUE(::IsWindowEnabled(web));
    EXPECT_TRUE(::IsWindowEnabled(mailLink));
    EXPECT_TRUE(DrawnUnderlinedIn(app, web, kBlue));
    EXPECT_TRUE(DrawnUnderlinedIn(app, mailLink, kBlue));
    EXPECT_NE(Program::TextOf(mailLink).find('@'), std::string::npos) << Program::TextOf(mailLink);

    // The web link opens what its caption says, which is the support page.
    const std::string caption = Program::TextOf(web);
    EXPECT_EQ(prefix + caption, home + "/support");
    ASSERT_TRUE(app.Click(web));
    EXPECT_EQ(RecordedCommandLine(), prefix + caption);

    ASSERT_TRUE(app.Click(::GetDlgItem(about, kAboutExit)));
    EXPECT_TRUE(app.WindowGone(about));
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(Shown(), Lines("0", "0,00"));
}

TEST_F(AboutTest, WithoutBrowserOrMailTheLinksAreGrey) {
    HiddenHtmlClass noBrowser;
    MapiSetting noMail("0");
    ASSERT_EQ(app.Start(), "");
    app.Command(kAboutCommand);
    HWND about = app.WaitForWindow(kAboutCaption);
    ASSERT_NE(about, nullptr);

    for (int id : {kWebLink, kMailLink}) {
        SCOPED_TRACE(id);
        HWND link = ::GetDlgItem(about, id);
        EXPECT_FALSE(::IsWindowEnabled(link));
        EXPECT_TRUE(DrawnUnderlinedIn(app, link, ::GetSysColor(COLOR_GRAYTEXT)));
        EXPECT_EQ(CaptureScreen(WindowRect(link)).Count(kBlue), 0);
    }
    // Escape closes the box; the calculator goes on.
    app.PressKey(VK_ESCAPE);
    EXPECT_TRUE(app.WindowGone(about));
    EXPECT_TRUE(app.Running());
}

TEST_F(AboutTest, OpeningAndClosingTheBoxLeavesNoGdiObjectBehind) {
    ASSERT_EQ(app.Start(), "");
    auto openAndClose = [&] {
        app.Command(kAboutCommand);
        HWND about = app.WaitForWindow(kAboutCaption);
        if (!about) return false;
        app.PressKey(VK_ESCAPE);
        return app.WindowGone(about) && app.Sync();
    };
    // The first opening may create what the process then keeps (fonts, cached pictures).
    ASSERT_TRUE(openAndClose());
    const int before = app.Resources().gdiObjects;
    ASSERT_GT(before, 0) << "the process's GDI objects cannot be counted";
    constexpr int kOpenings = 25;
    for (int i = 0; i < kOpenings; ++i) ASSERT_TRUE(openAndClose()) << "opening " << i;
    // Each opening used to leave its two pictures behind.
    EXPECT_LE(app.Resources().gdiObjects - before, 2) << "before: " << before;
}

}  // namespace
}  // namespace e2e
