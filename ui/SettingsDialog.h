// The settings dialog: parity, thousands separator and decimal point.
#ifndef PEMZ_UI_SETTINGSDIALOG_H
#define PEMZ_UI_SETTINGSDIALOG_H

#include "calc/CalculatorState.h"
#include "framework/Dialog.h"

namespace ui {

// Told when OK could not store everything.
extern const char kNotStoredText[];

class SettingsDialog : public fw::Dialog {
public:
    explicit SettingsDialog(const calc::Presentation& current);

    // What the store holds after OK, or the presentation the dialog opened with.
    const calc::Presentation& Result() const { return presentation_; }

protected:
    bool OnInitDialog() override;  // fills the fields
    void OnOK() override;          // takes and stores what the fields say

private:
    void SetCharacterField(int id, char c);
    char CharacterField(int id) const;

    calc::Presentation presentation_;
};

}  // namespace ui

#endif
