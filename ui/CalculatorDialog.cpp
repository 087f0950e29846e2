// The calculator's main window: initialisation from the stored settings, key flash,
// colours, focus, menu, always on top, clipboard exchange and closing.
#include "ui/CalculatorDialog.h"

#include <utility>

#include "framework/Application.h"
#include "framework/DerivedFont.h"
#include "framework/FrameworkIds.h"
#include "framework/WindowText.h"
#include "res/resource.h"
#include "services/Browser.h"
#include "services/CalculatorSettings.h"
#include "services/ProgramSettings.h"
#include "calc/NumberText.h"
#include "ui/AboutDialog.h"
#include "ui/DisplayAccessible.h"
#include "ui/KeyFlashTable.h"
#include "ui/SettingsDialog.h"

namespace ui {

const char kHomePage[] = PEMZ_HOME_PAGE;
const char kSupportPage[] = PEMZ_SUPPORT_PAGE;

namespace {

using Self = CalculatorDialog;
using Calc = calc::Calculator;

constexpr DWORD kFlashMilliseconds = 30;
constexpr WPARAM kPasteLimit = 400;
constexpr COLORREF kLabelColour = RGB(0, 0, 255);

services::CalculatorSettings StoredSettings() { return services::CalculatorSettings(services::ProgramSettings()); }

// The precision selector's items, in list order: item i stands for precision i - 1.
const char* const kPrecisionItems[] = {"Auto", "0", "1", "2", "3", "4"};
// Unsigned arithmetic: any stored number is a valid (possibly absent) item index.
WPARAM SelectorIndex(std::int32_t precision) { return static_cast<WPARAM>(precision) + 1; }
std::int32_t PrecisionAt(LRESULT index) { return static_cast<std::int32_t>(index) - 1; }

// Switches a control's redrawing off for a scope. Switched back on, the control is
// repainted whole: while it was off its own repaint requests were dropped.
class RedrawOff {
public:
    explicit RedrawOff(HWND control) : control_(control) { ::SendMessageA(control_, WM_SETREDRAW, FALSE, 0); }
    ~RedrawOff() {
        ::SendMessageA(control_, WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(control_, nullptr, TRUE);
    }
    RedrawOff(const RedrawOff&) = delete;
    RedrawOff& operator=(const RedrawOff&) = delete;

private:
    HWND control_;
};

}  // namespace

// Read top to bottom: the first entry that takes a message or command handles it.
const fw::CommandEntry CalculatorDialog::kCommands[] = {
    fw::OnMessage<&Self::OnInitMenuPopup>(WM_INITMENUPOPUP),
    fw::OnMessage<&Self::OnPaint>(WM_PAINT),
    fw::OnMessage<&Self::OnQueryDragIcon>(WM_QUERYDRAGICON),
    // Read-only edits and statics ask with this kind; every other kind gets the default.
    fw::OnMessage<&Self::OnCtlColor>(WM_CTLCOLORSTATIC),
    fw::OnMessage<&Self::OnInputLineQuery>(WM_INPUTLINEQUERY),
    fw::OnNotify<&Self::OnDisplayLineFocus>(IDC_FRANCS_LINE, EN_SETFOCUS),
    fw::OnNotify<&Self::OnDisplayLineFocus>(IDC_EURO_LINE, EN_SETFOCUS),
    fw::OnCommand<&Self::OnCopyEuro>(ID_COPY_EURO),
    fw::OnCommand<&Self::OnCopyFrancs>(ID_COPY_FRANCS),
    fw::OnCommand<&Self::OnCopy>(ID_COPY),
    fw::OnCommand<&Self::OnPaste>(ID_PASTE),
    fw::OnCommand<&Self::OnHomePage>(ID_HOME_PAGE),
    fw::OnCommand<&Self::OnSupportPage>(ID_SUPPORT_PAGE),
    fw::OnCommand<&Self::OnAbout>(ID_ABOUT),
    fw::OnCommand<&Self::OnToggleTopMost>(ID_TOPMOST),
    fw::OnCommand<&Self::OnSettings>(ID_SETTINGS),
    fw::OnNotify<&Self::OnPrecisionChanged>(IDC_PRECISION, CBN_SELCHANGE),
    fw::OnCommand<&Self::OnInputCurrencyChanged>(IDC_INPUT_FRANCS),
    fw::OnCommand<&Self::OnInputCurrencyChanged>(IDC_INPUT_EURO),
    fw::OnRange<&Self::OnDigit>(IDC_KEY_0, IDC_KEY_9),
    fw::OnCommand<&Self::Engine<&Calc::OnPoint>>(IDC_KEY_POINT),
    fw::OnCommand<&Self::Engine<&Calc::OnSign>>(IDC_KEY_SIGN),
    fw::OnCommand<&Self::Engine<&Calc::OnClear>>(IDC_KEY_CLEAR),
    fw::OnCommand<&Self::Engine<&Calc::OnClearEntry>>(IDC_KEY_CLEAR_ENTRY),
    fw::OnCommand<&Self::Engine<&Calc::OnBackspace>>(IDC_KEY_BACKSPACE),
    fw::OnCommand<&Self::OnOperator, calc::Operator::Add>(IDC_KEY_ADD),
    fw::OnCommand<&Self::OnOperator, calc::Operator::Subtract>(IDC_KEY_SUBTRACT),
    fw::OnCommand<&Self::OnOperator, calc::Operator::Multiply>(IDC_KEY_MULTIPLY),
    fw::OnCommand<&Self::OnOperator, calc::Operator::Divide>(IDC_KEY_DIVIDE),
    fw::OnCommand<&Self::Engine<&Calc::OnPercent>>(IDC_KEY_PERCENT),
    fw::OnCommand<&Self::Engine<&Calc::OnReciprocal>>(IDC_KEY_RECIPROCAL),
    fw::OnCommand<&Self::Engine<&Calc::OnEquals>>(IDC_KEY_EQUALS),
    fw::OnCommand<&Self::Engine<&Calc::OnMemoryClear>>(IDC_KEY_MEMORY_CLEAR),
    fw::OnCommand<&Self::Engine<&Calc::OnMemoryRecall>>(IDC_KEY_MEMORY_RECALL),
    fw::OnCommand<&Self::Engine<&Calc::OnMemoryStore>>(IDC_KEY_MEMORY_STORE),
    fw::OnCommand<&Self::Engine<&Calc::OnMemoryAdd>>(IDC_KEY_MEMORY_ADD),
    // F1 becomes the framework's help command, which the application handles.
    fw::OnMessage<&Self::OnHelpKey>(WM_HELP),
};

fw::CommandTable CalculatorDialog::Commands() const { return kCommands; }

CalculatorDialog::CalculatorDialog(HICON icon, HACCEL accelerators, fw::UniqueBrush inputLineBrush)
    : fw::Dialog(IDD_CALCULATOR),
      placement_("Main"),
      icon_(icon),
      accelerators_(accelerators),
      inputLineBrush_(std::move(inputLineBrush)),
      labelFont_(),
      calculator_(*this) {}

std::string CalculatorDialog::ParityLabelText() const {
    const calc::Presentation& presentation = calculator_.State().settings.presentation;
    return calc::FormatParityLabel(presentation.parity, presentation.decimalPoint);
}

// ---- Initialisation ----------------------------------------------------------------

bool CalculatorDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    HWND window = Hwnd();

    // What every key writes or focuses is looked up once: under Wine each GetDlgItem
    // asks the window server for all the dialog's children.
    francsLine_.Bind(Item(IDC_FRANCS_LINE));
    euroLine_.Bind(Item(IDC_EURO_LINE));
    memoryIndicator_.Bind(Item(IDC_MEMORY_INDICATOR));
    parityLabel_.Bind(Item(IDC_PARITY_LABEL));
    focusHolder_ = Item(IDC_FOCUS_HOLDER);

    HWND precision = Item(IDC_PRECISION);
    for (const char* item : kPrecisionItems) ::SendMessageA(precision, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));

    fw::UniqueMenu menu(::LoadMenuA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAIN)));
    if (menu && ::SetMenu(window, menu.get())) menu.release();  // the window owns it now
    ::DrawMenuBar(window);

    alwaysOnTop_ = StoredSettings().TopMost();
    ApplyTopMost();

    const calc::EngineSettings settings = StoredSettings().Load();
    calculator_.Initialise(settings);

    ::SendMessageA(precision, CB_SETCURSEL, SelectorIndex(settings.precision), 0);
    ::CheckDlgButton(window, settings.euroInput != 0 ? IDC_INPUT_EURO : IDC_INPUT_FRANCS, BST_CHECKED);
    WriteParityLabel();

    CreateLabelFont();
    MakeDisplayAccessible(window);

    ::SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
    ::SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));

    // The template's size stays; the saved position and show state come back.
    placement_.RestorePlacement(window, true, false, true);
    return false;
}

// The parity label and the memory indicator in a smaller Arial.
void CalculatorDialog::CreateLabelFont() {
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(Item(IDC_PARITY_LABEL), WM_GETFONT, 0, 0));
    labelFont_ = fw::DerivedFont(dialogFont, [](LOGFONTA& font) {
        font.lfHeight = font.lfHeight * 9 / 11;  // C++ truncates toward zero: -11 gives -9
        ::lstrcpynA(font.lfFaceName, "Arial", LF_FACESIZE);
    });
    if (!labelFont_) return;
    const auto font = reinterpret_cast<WPARAM>(labelFont_.get());
    ::SendMessageA(Item(IDC_PARITY_LABEL), WM_SETFONT, font, TRUE);
    ::SendMessageA(Item(IDC_MEMORY_INDICATOR), WM_SETFONT, font, TRUE);
}

// ---- Keyboard ----------------------------------------------------------------------

bool CalculatorDialog::PreTranslateMessage(MSG& message) {
    if (message.message == WM_CHAR || message.message == WM_KEYDOWN) {
        const KeyEvent event = message.message == WM_CHAR ? KeyEvent::Character : KeyEvent::KeyDown;
        if (const unsigned key = KeyToFlash(event, static_cast<unsigned>(message.wParam))) FlashKey(key);
    }
    if (accelerators_ && ::TranslateAcceleratorA(Hwnd(), accelerators_, &message)) return true;
    return fw::Dialog::PreTranslateMessage(message);
}

// Shows the key pushed for 30 ms. The key paints each state change at once, so the
// wait may hold the thread without dispatching anything.
void CalculatorDialog::FlashKey(unsigned control) {
    HWND key = Item(static_cast<int>(control));
    ::SendMessageA(key, BM_SETSTATE, TRUE, 0);
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < kFlashMilliseconds) {}
    ::SendMessageA(key, BM_SETSTATE, FALSE, 0);
}

// The table's range entry passes only the digit keys' ids, which are contiguous.
void CalculatorDialog::OnDigit(unsigned id) { calculator_.OnDigit(id - IDC_KEY_0); }

// ---- Display -----------------------------------------------------------------------

bool CalculatorDialog::WindowExists() const { return Hwnd() != nullptr; }

void CalculatorDialog::WriteFrancsLine(const std::string& text) {
    if (francsLine_.Write(text) && InputLine() == IDC_FRANCS_LINE) AnnounceInputLine();
}

void CalculatorDialog::WriteEuroLine(const std::string& text) {
    if (euroLine_.Write(text) && InputLine() == IDC_EURO_LINE) AnnounceInputLine();
}

void CalculatorDialog::SetInputLine(calc::DisplayLine line) {
    inputLine_ = line == calc::DisplayLine::Euro ? IDC_EURO_LINE : IDC_FRANCS_LINE;
}

int CalculatorDialog::InputLine() const { return inputLine_; }

LRESULT CalculatorDialog::OnInputLineQuery(WPARAM, LPARAM) { return inputLine_; }

// The focus holder, where the focus always rests, reads as the input line (see
// MakeDisplayAccessible): screen readers speak the changes of the focused object.
void CalculatorDialog::AnnounceInputLine() {
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, focusHolder_, OBJID_CLIENT, CHILDID_SELF);
}

void CalculatorDialog::WriteMemoryIndicator(const std::string& text) { memoryIndicator_.Write(text); }

void CalculatorDialog::WriteParityLabel() { parityLabel_.Write(ParityLabelText()); }

void CalculatorDialog::FocusHolder() { ::SetFocus(focusHolder_); }

// The display lines never keep the focus or show a caret.
void CalculatorDialog::OnDisplayLineFocus() { FocusHolder(); }

// The input line is yellow; the parity label and the memory indicator are blue.
LRESULT CalculatorDialog::OnCtlColor(WPARAM wParam, LPARAM lParam) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    const int id = ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
    if (id == InputLine()) {
        ::SetBkColor(dc, kInputLineColour);
        return reinterpret_cast<LRESULT>(inputLineBrush_.get());
    }
    // The F and euro marks overlap the right ends of the display lines: a hollow
    // background keeps the lines' borders whole under the marks' transparent parts.
    if ((::GetWindowLongA(reinterpret_cast<HWND>(lParam), GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
        return reinterpret_cast<LRESULT>(::GetStockObject(NULL_BRUSH));
    const LRESULT brush = DefaultMessage(WM_CTLCOLORSTATIC, wParam, lParam);
    if (id == IDC_PARITY_LABEL || id == IDC_MEMORY_INDICATOR) ::SetTextColor(dc, kLabelColour);
    return brush;
}

// Minimised, the window shows the program's icon.
LRESULT CalculatorDialog::OnPaint(WPARAM wParam, LPARAM lParam) {
    HWND window = Hwnd();
    if (!::IsIconic(window)) return DefaultMessage(WM_PAINT, wParam, lParam);
    fw::PaintDc dc(window);
    ::SendMessageA(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.get()), 0);
    RECT client;
    ::GetClientRect(window, &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.get(), x, y, icon_);
    return 0;
}

LRESULT CalculatorDialog::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(icon_); }

LRESULT CalculatorDialog::OnHelpKey(WPARAM, LPARAM) {
    ::SendMessageA(Hwnd(), WM_COMMAND, ID_HELP, 0);
    return TRUE;
}

// ---- Menu --------------------------------------------------------------------------

LRESULT CalculatorDialog::OnInitMenuPopup(WPARAM wParam, LPARAM lParam) {
    const UINT state = services::IsBrowserAvailable() ? MF_ENABLED : (MF_GRAYED | MF_DISABLED);
    HMENU menu = ::GetMenu(Hwnd());
    ::EnableMenuItem(menu, ID_HOME_PAGE, MF_BYCOMMAND | state);
    ::EnableMenuItem(menu, ID_SUPPORT_PAGE, MF_BYCOMMAND | state);
    return DefaultMessage(WM_INITMENUPOPUP, wParam, lParam);
}

void CalculatorDialog::OnHomePage() { services::OpenUrl(kHomePage); }

void CalculatorDialog::OnSupportPage() { services::OpenUrl(kSupportPage); }

void CalculatorDialog::OnAbout() {
    AboutDialog about;
    about.DoModal();
}

// The store decides: what reads back after the write is what the window shows.
void CalculatorDialog::OnToggleTopMost() {
    StoredSettings().SaveTopMost(!alwaysOnTop_);
    alwaysOnTop_ = StoredSettings().TopMost();
    ApplyTopMost();
}

void CalculatorDialog::ApplyTopMost() {
    ::SetWindowPos(Hwnd(), alwaysOnTop_ ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::CheckMenuItem(::GetMenu(Hwnd()), ID_TOPMOST, MF_BYCOMMAND | (alwaysOnTop_ ? MF_CHECKED : MF_UNCHECKED));
}

// Label and lines are rewritten after OK and cancel alike.
void CalculatorDialog::OnSettings() {
    SettingsDialog settings(calculator_.State().settings.presentation);
    settings.DoModal();
    calculator_.SetPresentation(settings.Result());
    WriteParityLabel();
}

// ---- Selectors ---------------------------------------------------------------------

void CalculatorDialog::OnPrecisionChanged() {
    HWND selector = Item(IDC_PRECISION);
    const std::int32_t chosen = PrecisionAt(::SendMessageA(selector, CB_GETCURSEL, 0, 0));
    const std::int32_t precision = StoredSettings().StorePrecision(chosen);
    if (precision != chosen) ::SendMessageA(selector, CB_SETCURSEL, SelectorIndex(precision), 0);
    calculator_.SetPrecision(precision);
}

// One handler for both buttons: the automatic radio buttons are already switched.
void CalculatorDialog::OnInputCurrencyChanged() {
    const std::int32_t chosen = ::IsDlgButtonChecked(Hwnd(), IDC_INPUT_EURO) == BST_CHECKED ? 1 : 0;
    const std::int32_t euroInput = StoredSettings().StoreInputCurrency(chosen);
    if ((euroInput != 0) != (chosen != 0))
        ::CheckRadioButton(Hwnd(), IDC_INPUT_EURO, IDC_INPUT_FRANCS,
                           euroInput != 0 ? IDC_INPUT_EURO : IDC_INPUT_FRANCS);
    calculator_.SetInputCurrency(euroInput);
    // The focus holder now reads as the other line (its new value was announced if it changed).
    ::NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, focusHolder_, OBJID_CLIENT, CHILDID_SELF);
    // A new text repaints only part of an edit control under Wine; the yellow must move
    // from one whole line to the other.
    ::InvalidateRect(Item(IDC_FRANCS_LINE), nullptr, TRUE);
    ::InvalidateRect(Item(IDC_EURO_LINE), nullptr, TRUE);
}

// ---- Clipboard ---------------------------------------------------------------------
// The francs line does the clipboard work: it copies its own selection or pastes into
// itself. Its redrawing is off meanwhile so that the scratch text is never seen.

void CalculatorDialog::OnCopy() { CopyAmount(calculator_.CurrentNumber()); }

void CalculatorDialog::OnCopyEuro() { CopyAmount(calculator_.EuroAmount()); }

void CalculatorDialog::OnCopyFrancs() { CopyAmount(calculator_.FrancsAmount()); }

void CalculatorDialog::CopyAmount(double x) {
    HWND line = Item(IDC_FRANCS_LINE);
    const RedrawOff redrawOff(line);
    ::SetWindowTextA(line, calculator_.CopyText(x).c_str());
    ::SendMessageA(line, EM_SETSEL, 0, -1);
    ::SendMessageA(line, EM_SCROLLCARET, 0, 0);
    ::SendMessageA(line, WM_COPY, 0, 0);
    ::SendMessageA(line, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    ::SendMessageA(line, EM_SCROLLCARET, 0, 0);
    calculator_.RefreshDisplay();
}

void CalculatorDialog::OnPaste() {
    HWND line = Item(IDC_FRANCS_LINE);
    const RedrawOff redrawOff(line);
    ::SetWindowTextA(line, "");
    ::SendMessageA(line, EM_SETREADONLY, FALSE, 0);
    // Wine's right-aligned multi-line edit lays out a long unbroken text in super-linear
    // time (16,000 digits took 53 s, a megabyte never ended): the line takes no more than
    // the longest number a user could mean, the largest double written out in full.
    ::SendMessageA(line, EM_LIMITTEXT, kPasteLimit, 0);
    ::SendMessageA(line, WM_PASTE, 0, 0);
    ::SendMessageA(line, EM_SETREADONLY, TRUE, 0);
    calculator_.Paste(fw::WindowText(line));
}

// ---- Closing -----------------------------------------------------------------------

void CalculatorDialog::OnOK() {}

// Alt+F4, the system menu and "&Quitter" all arrive here. Destroying the main window
// ends the program's run.
void CalculatorDialog::OnCancel() {
    placement_.SavePlacement(Hwnd());
    ::DestroyWindow(Hwnd());
}

}  // namespace ui
