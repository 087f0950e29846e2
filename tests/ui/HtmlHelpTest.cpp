// Help where WinHelp is gone (Wine reports Windows 10 by default): F1 and each Aide
// item open the HTML Help window, owned by the calculator, on their topic or tab,
// with no WinHelp message; the calculator keeps answering keys meanwhile, and its
// end closes the window. Wine's viewer draws no page without Gecko, so the address
// it goes to is read from Wine's +htmlhelp trace, which help-trace.sh collects in
// the file PEMZ_HELP_TRACE names.
#include "framework/FrameworkIds.h"
#include "tests/ui/CalculatorTest.h"

#include <fstream>
#include <iterator>

namespace e2e {
namespace {

constexpr const char* kTitle = "Aide de la Calculatrice Euro Pemz";

HWND Viewer() { return ::FindWindowA("HH Parent", nullptr); }

// What Wine's viewer has traced so far.
std::string Trace() {
    const char* path = std::getenv("PEMZ_HELP_TRACE");
    if (!path) return {};
    std::ifstream in(ToWindowsPath(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class HtmlHelpTest : public CalculatorTest {
protected:
    void SetUp() override {
        CalculatorTest::SetUp();
        ASSERT_GE(LOBYTE(LOWORD(::GetVersion())), 6) << "this Windows has WinHelp: run in Wine's default prefix";
        ASSERT_NE(std::getenv("PEMZ_HELP_TRACE"), nullptr) << "run through help-trace.sh";
    }

    // The program asked HTML Help for `command` (HH_DISPLAY_TOC shows the contents tab,
    // HH_DISPLAY_INDEX the index tab), and the viewer, up, owned by the calculator and
    // titled as the help, went to `page` of PemzCalc.chm. Wine 8 does not tell which tab
    // is shown: TCM_GETCURSEL answers -1 once the viewer has been reused.
    ::testing::AssertionResult Shows(const std::string& command, const std::string& page) {
        const std::size_t from = traced_;
        std::string trace;
        HWND viewer = nullptr;
        const bool reached = WaitFor(
            [&] {
                viewer = Viewer();
                trace = Trace();
                const std::size_t asked = trace.find("command=" + command + ",", from);
                const std::size_t went = trace.find("navigate_url L\"mk:@MSITStore:", asked);
                const std::string line =
                    went == std::string::npos ? "" : trace.substr(went, trace.find('\n', went) - went);
                return viewer && ::IsWindowVisible(viewer) && asked != std::string::npos &&
                       line.find("PemzCalc.chm::/" + page + "\"") != std::string::npos;
            },
            kViewerWaitMs);
        traced_ = trace.size();
        const bool handled = app.Sync();
        const std::string caption = viewer ? Program::TextOf(viewer) : "";
        const HWND owner = viewer ? ::GetWindow(viewer, GW_OWNER) : nullptr;
        // The program's message boxes, "Le démarrage de l'aide a échoué." among them, bear its name.
        const bool box = ::FindWindowA("#32770", "PemzCalc") != nullptr;
        if (reached && handled && caption == kTitle && owner == app.Window() && !box)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << (viewer ? "viewer \"" + caption + "\"" : std::string("no viewer"))
                                             << (owner == app.Window() ? "" : ", not owned by the calculator")
                                             << (handled ? "" : ", the calculator is still waiting")
                                             << (box ? ", a message box is up" : "") << "; see help-trace.log";
    }

    std::size_t traced_ = 0;
};

TEST_F(HtmlHelpTest, F1AndEachHelpItemOpenTheirPageOrTabAndQuittingClosesTheViewer) {
    ASSERT_EQ(app.Start(), "");
    ASSERT_EQ(Viewer(), nullptr) << "a help viewer is already up";
    traced_ = Trace().size();

    ASSERT_TRUE(app.PressOnKeyboard(VK_F1));
    EXPECT_TRUE(Shows("HH_DISPLAY_TOC", "sommaire.htm"));

    app.Command(ID_HELP_USING);
    EXPECT_TRUE(Shows("HH_DISPLAY_TOPIC", "utiliser.htm"));
    app.Command(ID_HELP_FINDER);
    EXPECT_TRUE(Shows("HH_DISPLAY_INDEX", "sommaire.htm"));
    app.Command(ID_HELP_INDEX);
    EXPECT_TRUE(Shows("HH_DISPLAY_TOC", "sommaire.htm"));

    // The calculator still takes keys with the viewer open in front of it.
    ::SetForegroundWindow(app.Window());
    app.Type("7");
    ASSERT_TRUE(app.Sync());
    EXPECT_EQ(app.Francs(), "7");
    EXPECT_NE(Viewer(), nullptr);

    app.Command(ID_APP_EXIT);
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(Viewer(), nullptr);
    EXPECT_EQ(WinHelpViewer(), nullptr) << "WinHelp came up too";
}

}  // namespace
}  // namespace e2e
