// The settings dialog: parity, thousands separator and decimal point, edited in place.
#ifndef PEMZ_UI_SETTINGSDIALOG_H
#define PEMZ_UI_SETTINGSDIALOG_H

#include "framework/Dialog.h"

namespace ui {

class SettingsDialog : public fw::Dialog {
public:
    // The targets belong to the calculator window, which outlives the dialog.
    SettingsDialog(double* parityTarget, char* separatorTarget, char* pointTarget);

protected:
    bool OnInitDialog() override;  // fills the fields
    void OnOK() override;          // takes and stores what the fields say

private:
    void SetCharacterField(int id, char c);
    char CharacterField(int id) const;

    double* parityTarget_;
    char* separatorTarget_;
    char* pointTarget_;
};

}  // namespace ui

#endif
