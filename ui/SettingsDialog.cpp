// The settings dialog: fills its fields from the presentation it is given and stores
// what OK accepts.
#include "ui/SettingsDialog.h"

#include <string>

#include "calc/NumberText.h"
#include "framework/MessageBox.h"
#include "framework/WindowText.h"
#include "res/resource.h"
#include "services/CalculatorSettings.h"
#include "services/ProgramSettings.h"

namespace ui {

const char kNotStoredText[] =
    "Ces paramètres n'ont pas tous pu être enregistrés : la calculatrice garde ceux qui le sont.";

SettingsDialog::SettingsDialog(const calc::Presentation& current) : fw::Dialog(IDD_SETTINGS), presentation_(current) {}

bool SettingsDialog::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    // The parity field always uses "." whatever the display's decimal point is.
    ::SetDlgItemTextA(Hwnd(), IDC_PARITY_FIELD, calc::FormatParityField(presentation_.parity).c_str());
    SetCharacterField(IDC_SEPARATOR_FIELD, presentation_.thousandsSeparator);
    SetCharacterField(IDC_POINT_FIELD, presentation_.decimalPoint);
    return true;
}

// The calculator goes on with what the store holds: a value the store refused (the
// machine-wide parity for a user who may not write it, say) is not shown as taken.
void SettingsDialog::OnOK() {
    const services::CalculatorSettings stored(services::ProgramSettings());
    const auto result = stored.StorePresentation(calc::ParseParity(fw::WindowText(Item(IDC_PARITY_FIELD))),
                                                 CharacterField(IDC_SEPARATOR_FIELD), CharacterField(IDC_POINT_FIELD));
    presentation_ = result.presentation;
    if (!result.taken) fw::MessageBox(kNotStoredText, MB_OK | MB_ICONEXCLAMATION);
    fw::Dialog::OnOK();
}

// One character, or the empty text for 0.
void SettingsDialog::SetCharacterField(int id, char c) {
    const std::string text = c != 0 ? std::string(1, c) : std::string();
    ::SetDlgItemTextA(Hwnd(), id, text.c_str());
    ::SendMessageA(Item(id), EM_LIMITTEXT, 1, 0);
}

// The field's first character, or 0 when it is empty.
char SettingsDialog::CharacterField(int id) const {
    const std::string text = fw::WindowText(Item(id));
    return text.empty() ? '\0' : text[0];
}

}  // namespace ui
