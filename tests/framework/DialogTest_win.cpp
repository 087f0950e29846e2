// The dialog base on real windows: command routing and its fallbacks, the modal loop and
// its ends, PreTranslateMessage, owner handling, centring and owner-drawn buttons.
#include "framework/Dialog.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ModalScope.h"
#include "framework/OwnerDrawButton.h"
#include "tests/framework/FrameworkTestIds.h"
#include "tests/framework/TestHost_win.h"

namespace {

using fwtest::TheApplication;
using Log = std::vector<std::string>;

constexpr UINT kStepMessage = WM_APP + 1;    // runs the next scripted step
constexpr UINT kAnswerMessage = WM_APP + 2;  // answers through DWLP_MSGRESULT
constexpr UINT_PTR kSafetyTimer = 1;

enum class Sign { Plus, Minus };

// A dialog that runs a script of steps inside its own modal loop, one posted message per
// step, so that whatever a step posts is handled before the next step runs.
class TestDialog : public fw::Dialog {
public:
    using Step = std::function<void(TestDialog&)>;

    explicit TestDialog(unsigned templateId = IDD_TEST_AT_ORIGIN, HWND parent = nullptr) : Dialog(templateId, parent) {}

    INT_PTR Run(std::vector<Step> script) {
        steps_ = std::move(script);
        next_ = 0;
        return DoModal();
    }

    void PostCommand(unsigned id, unsigned code = 0) {
        ::PostMessageA(Hwnd(), WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(Item(static_cast<int>(id))));
    }

    Log log;
    Log keys;             // keyboard messages seen by PreTranslateMessage, in order
    std::string swallow;  // characters PreTranslateMessage consumes
    bool okEnds = true;
    bool traceFocus = false;
    std::function<void(TestDialog&)> onInit;
    HBRUSH staticBrush = nullptr;

protected:
    fw::CommandTable Commands() const override;

    bool OnInitDialog() override {
        log.push_back("init");
        ::SetTimer(Hwnd(), kSafetyTimer, 10000, nullptr);
        if (onInit) onInit(*this);
        ::PostMessageA(Hwnd(), kStepMessage, 0, 0);
        return true;
    }

    void OnOK() override {
        log.push_back("ok");
        if (okEnds) Dialog::OnOK();
    }

    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_KEYDOWN || message.message == WM_CHAR) {
            const bool down = message.message == WM_KEYDOWN;
            const char ch = static_cast<char>(message.wParam);
            keys.push_back(std::string(down ? "down " : "char ") + ch +
                           (message.hwnd == Item(IDC_TEST_EDIT) ? " edit" : " other"));
            if (!down && swallow.find(ch) != std::string::npos) return true;
        }
        return Dialog::PreTranslateMessage(message);
    }

private:
    static const fw::CommandEntry kCommands[];

    void OnFirst() { log.push_back("first"); }
    void OnSecond() { log.push_back("second"); }
    void OnDigit(unsigned id) { log.push_back("digit " + std::to_string(id)); }
    void OnSign(Sign sign) { log.push_back(sign == Sign::Plus ? "plus" : "minus"); }
    void OnEditFocus() {
        if (traceFocus) log.push_back("edit focus");  // the dialog manager focuses the edit at start
    }
    void OnComboChange() { log.push_back("combo change"); }
    void OnDialogMenu() { log.push_back("dialog menu"); }

    LRESULT OnStep(WPARAM, LPARAM) {
        if (next_ < steps_.size()) steps_[next_++](*this);
        // After the step, so that what it posted comes first; not after the window's end.
        if (next_ < steps_.size() && Hwnd()) ::PostMessageA(Hwnd(), kStepMessage, 0, 0);
        return 0;
    }
    LRESULT OnAnswer(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    LRESULT OnCtlColorStatic(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(staticBrush); }
    LRESULT OnTimer(WPARAM, LPARAM) {
        log.push_back("timeout");
        EndDialog(-2);
        return 0;
    }

    std::vector<Step> steps_;
    std::size_t next_ = 0;
};

const fw::CommandEntry TestDialog::kCommands[] = {
    fw::OnMessage<&TestDialog::OnStep>(kStepMessage),
    fw::OnMessage<&TestDialog::OnAnswer>(kAnswerMessage),
    fw::OnMessage<&TestDialog::OnCtlColorStatic>(WM_CTLCOLORSTATIC),
    fw::OnMessage<&TestDialog::OnTimer>(WM_TIMER),
    fw::OnCommand<&TestDialog::OnFirst>(IDC_TEST_TWICE),
    fw::OnCommand<&TestDialog::OnSecond>(IDC_TEST_TWICE),
    fw::OnRange<&TestDialog::OnDigit>(IDC_TEST_DIGIT_FIRST, IDC_TEST_DIGIT_LAST),
    fw::OnCommand<&TestDialog::OnSign, Sign::Plus>(IDC_TEST_ADD),
    fw::OnNotify<&TestDialog::OnEditFocus>(IDC_TEST_EDIT, EN_SETFOCUS),
    fw::OnNotify<&TestDialog::OnComboChange>(IDC_TEST_COMBO, CBN_SELCHANGE),
    fw::OnCommand<&TestDialog::OnDialogMenu>(ID_TEST_DIALOG_MENU),
};

fw::CommandTable TestDialog::Commands() const { return kCommands; }

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        mainWindow = fwtest::CreateMainWindow();
        ASSERT_TRUE(mainWindow);
        TheApplication().SetMainWindow(mainWindow.get());
        TheApplication().log.clear();
        TheApplication().QuitHelp();  // no help left started by an earlier test
        TheApplication().helpCalls.clear();
        TheApplication().helpStarts = true;
    }
    void TearDown() override {
        TheApplication().SetMainWindow(nullptr);
        mainWindow.reset();
        EXPECT_FALSE(fwtest::TakeQuitMessage()) << "a quit message was left behind";
    }

    fw::UniqueWindow mainWindow;
};

TEST_F(DialogTest, TableOrderRangesBoundArgumentsAndUnhandledIds) {
    TestDialog dialog;
    const INT_PTR result = dialog.Run({[](TestDialog& d) {
        d.PostCommand(IDC_TEST_TWICE);
        d.PostCommand(IDC_TEST_DIGIT_FIRST);
        d.PostCommand(IDC_TEST_DIGIT_LAST, 1);  // as an accelerator sends it
        d.PostCommand(IDC_TEST_DIGIT_LAST + 1);
        d.PostCommand(IDC_TEST_ADD);
        d.PostCommand(IDC_TEST_NOBODY, 0);  // falls off
        d.PostCommand(IDC_TEST_NOBODY, 1);
        d.PostCommand(IDC_TEST_TWICE, BN_DOUBLECLICKED);  // not the command
        d.PostCommand(IDCANCEL);
    }});
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.log, (Log{"init", "first", "digit 330", "digit 339", "plus"}));
}

TEST_F(DialogTest, MenuCommandsGoOnToTheApplicationTable) {
    TestDialog dialog;
    dialog.Run({[](TestDialog& d) {
        d.PostCommand(ID_TEST_DIALOG_MENU);  // the dialog's table comes first
        d.PostCommand(ID_TEST_APP_MENU);
        d.PostCommand(ID_TEST_NOBODY_MENU);
        d.PostCommand(IDC_TEST_NOT_MENU);  // below the menu range: never the application's
        d.PostCommand(ID_HELP);
        d.PostCommand(IDCANCEL);
    }});
    EXPECT_EQ(dialog.log, (Log{"init", "dialog menu"}));
    EXPECT_EQ(TheApplication().log, (Log{"app menu"}));
    ASSERT_EQ(TheApplication().helpCalls.size(), 1u);
    EXPECT_EQ(TheApplication().helpCalls[0].command, static_cast<UINT>(HELP_INDEX));
    EXPECT_EQ(TheApplication().helpCalls[0].window, mainWindow.get());
}

TEST_F(DialogTest, OkAndCancelDefaults) {
    TestDialog okDialog;
    EXPECT_EQ(okDialog.Run({[](TestDialog& d) { d.PostCommand(IDOK); }}), IDOK);
    EXPECT_EQ(okDialog.log, (Log{"init", "ok"}));

    // An OnOK that does not end the dialog leaves it open; the close box ends as IDCANCEL.
    TestDialog keepOpen;
    keepOpen.okEnds = false;
    const INT_PTR result = keepOpen.Run({
        [](TestDialog& d) { d.PostCommand(IDOK); },
        [](TestDialog& d) {
            d.log.push_back(::IsWindowVisible(d.Hwnd()) ? "still open" : "closed");
            ::PostMessageA(d.Hwnd(), WM_CLOSE, 0, 0);
        },
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(keepOpen.log, (Log{"init", "ok", "still open"}));
}

TEST_F(DialogTest, ExitCommandClosesTheMainWindow) {
    TestDialog dialog;
    TheApplication().SetMainWindow(dialog);
    const INT_PTR result = dialog.Run({[](TestDialog& d) { d.PostCommand(ID_APP_EXIT); }});
    // WM_CLOSE became IDCANCEL; the main window's end then posted the quit message.
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(dialog.log, (Log{"init"}));
    EXPECT_TRUE(fwtest::TakeQuitMessage());
    EXPECT_TRUE(TheApplication().helpCalls.empty());  // a viewer the program did not start is left alone
}

TEST_F(DialogTest, ClosingTheMainWindowClosesTheHelpItStarted) {
    TestDialog dialog;
    TheApplication().SetMainWindow(dialog);
    dialog.Run({[](TestDialog& d) {
        d.PostCommand(ID_HELP);
        d.PostCommand(ID_APP_EXIT);
    }});
    EXPECT_TRUE(fwtest::TakeQuitMessage());
    ASSERT_EQ(TheApplication().helpCalls.size(), 2u);
    EXPECT_EQ(TheApplication().helpCalls[0].command, static_cast<UINT>(HELP_INDEX));
    EXPECT_EQ(TheApplication().helpCalls[1].command, static_cast<UINT>(HELP_QUIT));
    EXPECT_EQ(TheApplication().helpCalls[1].file, TheApplication().HelpFilePath());
}

TEST_F(DialogTest, NotificationsRouteByIdAndCode) {
    TestDialog dialog;
    dialog.Run({[](TestDialog& d) {
        ::SetFocus(d.Item(IDC_TEST_COMBO));
        d.traceFocus = true;
        ::SetFocus(d.Item(IDC_TEST_EDIT));  // the edit itself sends EN_SETFOCUS
        d.log.push_back("focus set");
        d.PostCommand(IDC_TEST_EDIT, EN_CHANGE);
        d.PostCommand(IDC_TEST_COMBO, CBN_SELCHANGE);
        d.PostCommand(IDC_TEST_COMBO, CBN_DROPDOWN);
        d.PostCommand(IDC_TEST_EDIT, 0);
        d.PostCommand(IDCANCEL);
    }});
    EXPECT_EQ(dialog.log, (Log{"init", "edit focus", "focus set", "combo change"}));
}

TEST_F(DialogTest, MessageResultsReachTheSender) {
    TestDialog dialog;
    fw::UniqueBrush brush(::CreateSolidBrush(RGB(255, 255, 0)));
    dialog.staticBrush = brush.get();
    LRESULT answer = 0;
    LRESULT colour = 0;
    dialog.Run({[&](TestDialog& d) {
        answer = ::SendMessageA(d.Hwnd(), kAnswerMessage, 21, 0);  // through DWLP_MSGRESULT
        fw::WindowDc dc(d.Hwnd());
        colour = ::SendMessageA(d.Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()),
                                reinterpret_cast<LPARAM>(d.Item(IDC_TEST_EDIT)));  // the return value itself
        d.EndDialog(IDOK);
    }});
    EXPECT_EQ(answer, 42);
    EXPECT_EQ(colour, reinterpret_cast<LRESULT>(brush.get()));
}

TEST_F(DialogTest, QueuedKeysPassPreTranslateMessageBeforeDispatch) {
    TestDialog dialog;
    dialog.swallow = "x";
    std::string typed;
    dialog.Run({
        [](TestDialog& d) {
            HWND edit = d.Item(IDC_TEST_EDIT);
            ::SetFocus(edit);
            for (UINT key : {'A', 'X', 'B'}) {
                const LPARAM repeatAndScanCode = 1 | static_cast<LPARAM>(::MapVirtualKeyA(key, 0)) << 16;
                ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, repeatAndScanCode);
            }
        },
        [](TestDialog&) {},  // the characters that TranslateMessage posted come after this step
        [&](TestDialog& d) {
            char text[32] = {};
            ::GetWindowTextA(d.Item(IDC_TEST_EDIT), text, sizeof text);
            typed = text;
            d.EndDialog(IDOK);
        },
    });
    EXPECT_EQ(dialog.keys,
              (Log{"down A edit", "down X edit", "down B edit", "char a edit", "char x edit", "char b edit"}));
    EXPECT_EQ(typed, "ab");  // "x" was consumed before it reached the edit
}

TEST_F(DialogTest, EndDialogEndsTheRunWithItsResultAndTheWindowLivesUntilThen) {
    TestDialog dialog;
    HWND window = nullptr;
    const INT_PTR result = dialog.Run({[&](TestDialog& d) {
        window = d.Hwnd();
        d.EndDialog(42);
        d.log.push_back(::IsWindow(window) ? "window alive" : "window gone");
    }});
    EXPECT_EQ(result, 42);
    EXPECT_EQ(dialog.log, (Log{"init", "window alive"}));
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(dialog.Hwnd(), nullptr);
}

TEST_F(DialogTest, DestroyingTheMainWindowEndsTheRunWithAQuitMessage) {
    TestDialog dialog;
    TheApplication().SetMainWindow(dialog);
    const INT_PTR result = dialog.Run({[](TestDialog& d) { ::DestroyWindow(d.Hwnd()); }});
    EXPECT_EQ(result, -1);
    EXPECT_EQ(TheApplication().MainWindow(), nullptr);
    EXPECT_TRUE(fwtest::TakeQuitMessage());
}

TEST_F(DialogTest, DestroyingAnOwnedDialogPostsNoQuitMessage) {
    TestDialog dialog;
    EXPECT_EQ(dialog.Run({[](TestDialog& d) { ::DestroyWindow(d.Hwnd()); }}), -1);
    EXPECT_EQ(TheApplication().MainWindow(), mainWindow.get());
    EXPECT_FALSE(fwtest::TakeQuitMessage());
}

TEST_F(DialogTest, QuitMessageEndsNestedRunsAndIsPostedAgain) {
    TestDialog outer;
    TestDialog inner;
    INT_PTR innerResult = 0;
    const INT_PTR outerResult = outer.Run({[&](TestDialog& o) {
        innerResult = inner.Run({[](TestDialog&) { ::PostQuitMessage(7); }});
        o.log.push_back("inner returned");
    }});
    EXPECT_EQ(innerResult, -1);
    EXPECT_EQ(outerResult, -1);
    EXPECT_EQ(outer.log, (Log{"init", "inner returned"}));
    int exitCode = 0;
    EXPECT_TRUE(fwtest::TakeQuitMessage(&exitCode));
    EXPECT_EQ(exitCode, 7);
}

TEST_F(DialogTest, DestroyingTheMainDialogFromANestedRunEndsBoth) {
    TestDialog outer;
    TestDialog inner;
    TheApplication().SetMainWindow(outer);
    const INT_PTR result = outer.Run({[&](TestDialog& o) {
        HWND outerWindow = o.Hwnd();
        inner.Run({[outerWindow](TestDialog&) { ::DestroyWindow(outerWindow); }});
        o.log.push_back("inner returned");
    }});
    EXPECT_EQ(result, -1);
    EXPECT_EQ(outer.log, (Log{"init", "inner returned"}));
    EXPECT_TRUE(fwtest::TakeQuitMessage());
}

TEST_F(DialogTest, OwnerIsDisabledWhileTheDialogRuns) {
    TestDialog dialog;
    HWND owner = nullptr;
    bool ownerEnabled = true;
    HWND safeOwner = nullptr;
    HWND self = nullptr;
    dialog.Run({[&](TestDialog& d) {
        owner = ::GetWindow(d.Hwnd(), GW_OWNER);
        ownerEnabled = ::IsWindowEnabled(owner) != FALSE;
        safeOwner = fw::SafeOwner(nullptr);
        self = d.Hwnd();
        d.EndDialog(IDOK);
    }});
    EXPECT_EQ(owner, mainWindow.get());
    EXPECT_FALSE(ownerEnabled);
    EXPECT_EQ(safeOwner, self);  // a box opened now goes over the running dialog
    EXPECT_TRUE(::IsWindowEnabled(mainWindow.get()));
}

RECT WindowRect(HWND window) {
    RECT rect;
    ::GetWindowRect(window, &rect);
    return rect;
}

// A template's position places the dialog's client area, relative to the owner's.
POINT ClientOrigin(HWND window) {
    POINT origin{0, 0};
    ::ClientToScreen(window, &origin);
    return origin;
}

TEST_F(DialogTest, HiddenDialogAtOriginIsCentredOnItsOwner) {
    TestDialog dialog;
    RECT rect{};
    dialog.Run({[&](TestDialog& d) {
        rect = WindowRect(d.Hwnd());
        d.EndDialog(IDOK);
    }});
    const RECT owner = WindowRect(mainWindow.get());
    EXPECT_LE(std::abs((rect.left + rect.right) - (owner.left + owner.right)), 2);
    EXPECT_LE(std::abs((rect.top + rect.bottom) - (owner.top + owner.bottom)), 2);
}

TEST_F(DialogTest, DialogShownByItsInitialisationIsNotCentred) {
    TestDialog dialog;
    dialog.onInit = [](TestDialog& d) { ::ShowWindow(d.Hwnd(), SW_SHOW); };
    POINT at{};
    dialog.Run({[&](TestDialog& d) {
        at = ClientOrigin(d.Hwnd());
        d.EndDialog(IDOK);
    }});
    const POINT owner = ClientOrigin(mainWindow.get());
    EXPECT_EQ(at.x, owner.x);
    EXPECT_EQ(at.y, owner.y);
}

TEST_F(DialogTest, DialogPlacedByItsTemplateIsNotCentred) {
    TestDialog dialog(IDD_TEST_PLACED);
    POINT at{};
    RECT offset{10, 10, 0, 0};
    dialog.Run({[&](TestDialog& d) {
        at = ClientOrigin(d.Hwnd());
        ::MapDialogRect(d.Hwnd(), &offset);
        d.EndDialog(IDOK);
    }});
    const POINT owner = ClientOrigin(mainWindow.get());
    EXPECT_GT(offset.left, 0);
    EXPECT_EQ(at.x, owner.x + offset.left);
    EXPECT_EQ(at.y, owner.y + offset.top);
}

class RedButton : public fw::OwnerDrawButton {
public:
    explicit RedButton(int& drawCount) : draws(drawCount) {}
    void DrawItem(const DRAWITEMSTRUCT& item) override {
        ++draws;
        lastId = item.CtlID;
        lastWindow = item.hwndItem;
        fw::UniqueBrush red(::CreateSolidBrush(RGB(255, 0, 0)));
        ::FillRect(item.hDC, &item.rcItem, red.get());
    }
    int& draws;
    UINT lastId = 0;
    HWND lastWindow = nullptr;
};

void Repaint(HWND window) { ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

TEST_F(DialogTest, OwnerDrawnButtonDrawsThroughTheAttachedObjectUntilDetached) {
    TestDialog dialog;
    int draws = 0, secondDraws = 0, lastDraws = 0;
    auto button = std::make_unique<RedButton>(draws);
    RedButton second(secondDraws);
    RedButton lastOne(lastDraws);
    HWND control = nullptr;
    LONG_PTR ownProcedure = 0;
    bool attached = false, secondAttached = true, againAttached = true, missingAttached = true;
    COLORREF pixel = 0;
    int drawsBeforeDetach = 0;
    UINT drawnId = 0;
    HWND drawnWindow = nullptr;
    bool procedureRestored = false;
    bool lastAttached = false;
    dialog.Run({[&](TestDialog& d) {
        control = d.Item(IDC_TEST_LINK);
        ownProcedure = ::GetWindowLongPtrA(control, GWLP_WNDPROC);
        attached = button->SubclassDlgItem(IDC_TEST_LINK, d);
        secondAttached = second.SubclassDlgItem(IDC_TEST_LINK, d);  // taken already
        againAttached = button->SubclassDlgItem(IDC_TEST_EDIT, d);  // attached already
        missingAttached = second.SubclassDlgItem(999, d);           // no such control
        Repaint(control);
        {
            fw::WindowDc dc(control);
            pixel = ::GetPixel(dc.get(), 3, 3);
        }
        drawsBeforeDetach = draws;
        drawnId = button->lastId;
        drawnWindow = button->lastWindow;
        button.reset();
        procedureRestored = ::GetWindowLongPtrA(control, GWLP_WNDPROC) == ownProcedure;
        Repaint(control);  // nobody draws it now, and nothing breaks
        lastAttached = lastOne.SubclassDlgItem(IDC_TEST_LINK, d);
        d.EndDialog(IDOK);
    }});
    EXPECT_TRUE(attached);
    EXPECT_FALSE(secondAttached);
    EXPECT_FALSE(againAttached);
    EXPECT_FALSE(missingAttached);
    EXPECT_GE(drawsBeforeDetach, 1);
    EXPECT_EQ(draws, drawsBeforeDetach);
    EXPECT_EQ(secondDraws, 0);
    EXPECT_EQ(drawnId, static_cast<UINT>(IDC_TEST_LINK));
    EXPECT_EQ(drawnWindow, control);
    EXPECT_EQ(pixel, RGB(255, 0, 0));
    EXPECT_TRUE(procedureRestored);
    EXPECT_TRUE(lastAttached);
    EXPECT_EQ(lastOne.Hwnd(), nullptr);  // the window went first: the object let go
}

}  // namespace
