// An owner-drawn button shown as an underlined blue link.
#ifndef PEMZ_UI_LINKBUTTON_H
#define PEMZ_UI_LINKBUTTON_H

#include <windows.h>

#include "framework/OwnerDrawButton.h"

namespace ui {

class LinkButton : public fw::OwnerDrawButton {
public:
    static constexpr COLORREF kLinkColour = RGB(0, 0, 255);
    static constexpr COLORREF kPressedColour = RGB(128, 0, 128);

    // Only the caption is drawn, in the dialog's font underlined: grey when disabled,
    // purple while pressed, blue otherwise; a focus rectangle when focused.
    void DrawItem(const DRAWITEMSTRUCT& item) override;
};

}  // namespace ui

#endif
