// Help as a user gets it where WinHelp exists (run in a prefix that reports Windows
// XP, with no .chm beside the program): F1 and the Aide menu open the help viewer
// (Wine's winhlp32, a process of its own) on the right topic with no error box, and
// quitting the calculator closes the viewer it opened.
#include "framework/FrameworkIds.h"
#include "tests/ui/CalculatorTest.h"

namespace e2e {
namespace {

constexpr int kViewerText = 0x701;  // the viewer's rich edit

struct Shown {
    std::string caption;
    std::string text;
};

Shown ViewerShows() {
    HWND viewer = WinHelpViewer();
    if (!viewer) return {};
    return {Program::TextOf(viewer), Program::TextOf(::GetDlgItem(viewer, kViewerText))};
}

// The viewer ends up on the topic (its first line is the topic's title) and no error box is up.
::testing::AssertionResult OpensOn(Program& app, const std::string& caption, const std::string& title) {
    Shown shown;
    const bool reached = WaitFor(
        [&] {
            shown = ViewerShows();
            return shown.caption == caption && shown.text.compare(0, title.size() + 1, title + "\r") == 0;
        },
        kViewerWaitMs);
    // The help call returns once the viewer has handled it; an error box would still be holding it.
    const bool handled = app.Sync();
    if (reached && handled && !WinHelpErrorBox()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "viewer \"" << shown.caption << "\" shows \"" << shown.text.substr(0, 40)
                                         << "\"" << (WinHelpErrorBox() ? ", with an error box" : "")
                                         << (handled ? "" : ", the calculator is still waiting");
}

class HelpTest : public CalculatorTest {
protected:
    HelpTest() : CalculatorTest(ToWindowsPath(PEMZ_WINHELP_PROGRAM_PATH)) {}  // the copy without the .chm
    void SetUp() override {
        CalculatorTest::SetUp();
        ASSERT_LT(LOBYTE(LOWORD(::GetVersion())), 6) << "this Windows has no WinHelp: run in the winxp prefix";
    }
    void TearDown() override {
        // Whatever a failure left behind must not block the next test.
        EndProcessOf(WinHelpViewer(), kViewerWaitMs);
        CalculatorTest::TearDown();
    }
};

TEST_F(HelpTest, F1AndEachHelpItemOpenTheirTopicAndQuittingClosesTheViewer) {
    ASSERT_EQ(app.Start(), "");
    ASSERT_EQ(WinHelpViewer(), nullptr) << "a help viewer is already running";
    const std::string help = "Aide de la Calculatrice Euro Pemz";
    const std::string using_ = "Utiliser l'Aide";

    ASSERT_TRUE(app.PressOnKeyboard(VK_F1));
    EXPECT_TRUE(OpensOn(app, help, "Sommaire"));
    // Each item moves the viewer away from the topic the one before it showed.
    app.Command(ID_HELP_USING);
    EXPECT_TRUE(OpensOn(app, using_, using_));
    app.Command(ID_HELP_INDEX);
    EXPECT_TRUE(OpensOn(app, help, "Sommaire"));
    app.Command(ID_HELP_USING);
    EXPECT_TRUE(OpensOn(app, using_, using_));
    app.Command(ID_HELP_FINDER);
    EXPECT_TRUE(OpensOn(app, help, "Sommaire"));

    app.Command(ID_APP_EXIT);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_TRUE(WaitFor([] { return WinHelpViewer() == nullptr; }, kViewerWaitMs));
}

}  // namespace
}  // namespace e2e
