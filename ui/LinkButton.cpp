// Drawing of the about box's links.
#include "ui/LinkButton.h"

#include "framework/DerivedFont.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowText.h"

namespace ui {

namespace {

// The parent dialog's font with the underline on, or none when the dialog has no font.
fw::UniqueFont UnderlinedDialogFont(HWND button) {
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(::GetParent(button), WM_GETFONT, 0, 0));
    return fw::DerivedFont(dialogFont, [](LOGFONTA& font) { font.lfUnderline = TRUE; });
}

COLORREF TextColour(UINT itemState) {
    if (itemState & ODS_DISABLED) return ::GetSysColor(COLOR_GRAYTEXT);
    if (itemState & ODS_SELECTED) return LinkButton::kPressedColour;
    return LinkButton::kLinkColour;
}

}  // namespace

void LinkButton::DrawItem(const DRAWITEMSTRUCT& item) {
    const fw::UniqueFont font = UnderlinedDialogFont(item.hwndItem);
    const std::string caption = fw::WindowText(item.hwndItem);
    {
        const fw::SelectGuard selectFont(item.hDC, font.get());
        const COLORREF previousColour = ::SetTextColor(item.hDC, TextColour(item.itemState));
        ::ExtTextOutA(item.hDC, item.rcItem.left, item.rcItem.top, ETO_CLIPPED, &item.rcItem, caption.c_str(),
                      static_cast<UINT>(caption.size()), nullptr);
        ::SetTextColor(item.hDC, previousColour);
    }
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_DISABLED)) ::DrawFocusRect(item.hDC, &item.rcItem);
}

}  // namespace ui
