// The calculator's main window: display lines, selectors, keypad, menu and keyboard.
#ifndef PEMZ_UI_CALCULATORDIALOG_H
#define PEMZ_UI_CALCULATORDIALOG_H

#include <windows.h>

#include <string>

#include "calc/Calculator.h"
#include "calc/DisplayHost.h"
#include "framework/Dialog.h"
#include "framework/UniqueHandle.h"
#include "res/resource.h"
#include "services/WindowPlacementSlot.h"
#include "ui/ShownText.h"

namespace ui {

// The maker's pages opened by the "Pemz sur le Web" menu items.
extern const char kHomePage[];
extern const char kSupportPage[];

class CalculatorDialog : public fw::Dialog, private calc::DisplayHost {
public:
    // Background of the line in which numbers are typed.
    static constexpr COLORREF kInputLineColour = RGB(255, 255, 0);

    // Takes the program's icon, its keyboard table (may be null: no keyboard commands)
    // and the brush of the input line (kInputLineColour).
    CalculatorDialog(HICON icon, HACCEL accelerators, fw::UniqueBrush inputLineBrush);

    // Key flash, then the keyboard table, then the dialog manager.
    bool PreTranslateMessage(MSG& message) override;

    // "1 Euro=6,5 F" for the current parity and decimal point.
    std::string ParityLabelText() const;

protected:
    fw::CommandTable Commands() const override;
    bool OnInitDialog() override;
    void OnOK() override;      // Return never closes the window
    void OnCancel() override;  // every way of closing ends here

private:
    static const fw::CommandEntry kCommands[];

    // calc::DisplayHost
    bool WindowExists() const override;
    void WriteFrancsLine(const std::string& text) override;
    void WriteEuroLine(const std::string& text) override;
    void SetInputLine(calc::DisplayLine line) override;
    void WriteMemoryIndicator(const std::string& text) override;
    void FocusHolder() override;

    // Window messages.
    LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnQueryDragIcon(WPARAM wParam, LPARAM lParam);
    LRESULT OnCtlColor(WPARAM wParam, LPARAM lParam);
    LRESULT OnHelpKey(WPARAM wParam, LPARAM lParam);
    LRESULT OnInputLineQuery(WPARAM wParam, LPARAM lParam);
    void OnDisplayLineFocus();

    // Clipboard exchange through the francs line.
    void OnCopy();
    void OnCopyEuro();
    void OnCopyFrancs();
    void OnPaste();
    void CopyAmount(double x);

    // Menu.
    void OnHomePage();
    void OnSupportPage();
    void OnAbout();
    void OnToggleTopMost();
    void OnSettings();

    // Selectors.
    void OnPrecisionChanged();
    void OnInputCurrencyChanged();

    // Keypad: the engine's operations, reached through the table.
    template <void (calc::Calculator::*Operation)()>
    void Engine() {
        (calculator_.*Operation)();
    }
    void OnDigit(unsigned id);
    void OnOperator(calc::Operator op) { calculator_.OnOperator(op); }

    void FlashKey(unsigned control);
    void ApplyTopMost();
    void CreateLabelFont();
    void WriteParityLabel();
    int InputLine() const;
    void AnnounceInputLine();

    services::WindowPlacementSlot placement_;
    HICON icon_;           // shared resource icon: never destroyed
    HACCEL accelerators_;  // resource table: freed with the module
    fw::UniqueBrush inputLineBrush_;
    fw::UniqueFont labelFont_;
    ShownText francsLine_;
    ShownText euroLine_;
    ShownText memoryIndicator_;
    ShownText parityLabel_;
    HWND focusHolder_ = nullptr;
    int inputLine_ = IDC_FRANCS_LINE;  // as the engine last told it
    calc::Calculator calculator_;
    bool alwaysOnTop_ = false;
};

}  // namespace ui

#endif
