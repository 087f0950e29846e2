// Display texts that accessibility software hears about.
#include "ui/ShownText.h"

namespace ui {

bool ShownText::Write(const std::string& text) {
    ::SetWindowTextA(control_, text.c_str());
    if (text == text_) return false;
    text_ = text;
    // Neither the edit nor the static control tells of a new text by itself under Wine 8.
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, control_, OBJID_CLIENT, CHILDID_SELF);
    return true;
}

}  // namespace ui
