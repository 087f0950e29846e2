// What a screen reader is told of the main window's display lines and labels.
#ifndef PEMZ_UI_DISPLAYACCESSIBLE_H
#define PEMZ_UI_DISPLAYACCESSIBLE_H

#include <windows.h>

namespace ui {

// Sent to the dialog by the focus holder's object, which reads as the input line:
// the dialog answers with that line's control id.
constexpr UINT WM_INPUTLINEQUERY = WM_APP + 1;

// Gives the two display lines, the parity label and the memory indicator of the dialog
// their names ("Montant en francs"...), with the text they show as their value; the focus
// holder reads as whichever line is the input line.
void MakeDisplayAccessible(HWND dialog);

}  // namespace ui

#endif
