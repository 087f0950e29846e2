// Base class of the program's dialogs: a template, a modal run with PreTranslateMessage,
// and the command table's fallback chain (own table, IDOK/IDCANCEL, application table).
#ifndef PEMZ_FRAMEWORK_DIALOG_H
#define PEMZ_FRAMEWORK_DIALOG_H

#include <windows.h>

#include "framework/CommandTable.h"

namespace fw {

class Dialog : public CommandTarget {
public:
    // `parent` null: the application's main window (its safe owner) owns the dialog.
    explicit Dialog(unsigned templateId, HWND parent = nullptr);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the window and runs it until EndDialog, its destruction or WM_QUIT (posted again).
    // Returns the EndDialog result, or -1 when the window could not be created or ended otherwise.
    INT_PTR DoModal();
    // Ends the modal run with `result`; the window lives until DoModal returns.
    void EndDialog(INT_PTR result);

    HWND Hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

    // Sees every queued message for the dialog and its controls before dispatch; true: consumed.
    // Default: the dialog manager's keyboard handling (IsDialogMessage).
    virtual bool PreTranslateMessage(MSG& message);

protected:
    // The class's command table. Define it in the .cpp beside the table array:
    //     fw::CommandTable MyDialog::Commands() const { return kCommands; }
    virtual CommandTable Commands() const;

    // WM_INITDIALOG; true lets the dialog manager put the focus on the first tab stop.
    virtual bool OnInitDialog();
    virtual void OnOK();      // IDOK: EndDialog(IDOK)
    virtual void OnCancel();  // IDCANCEL (also the close box, Escape): EndDialog(IDCANCEL)

    // The processing a message gets when the dialog does not handle it. For the messages
    // that tables take (WM_PAINT, WM_CTLCOLOR*, WM_INITMENUPOPUP...) the dialog manager
    // hands them to DefWindowProc, so this is that call.
    LRESULT DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static const CommandEntry kDialogCommands[];  // the framework's: IDOK, IDCANCEL

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(unsigned id, unsigned notifyCode);
    void CentreIfStillHidden();
    void OnWindowDestroyed();
    bool Running() const { return hwnd_ && !ending_; }

    unsigned templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    bool ending_ = false;
    INT_PTR result_ = -1;
};

}  // namespace fw

#endif
