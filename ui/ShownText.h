// A control's text, told to accessibility software whenever it changes.
#ifndef PEMZ_UI_SHOWNTEXT_H
#define PEMZ_UI_SHOWNTEXT_H

#include <windows.h>

#include <string>

namespace ui {

// Remembers the text it last showed, not what the control holds: the clipboard exchange
// leaves scratch text in the francs line, and putting the shown text back is no news.
class ShownText {
public:
    // The control shown in, once it exists.
    void Bind(HWND control) { control_ = control; }

    // Always writes the text; when it differs from the last one shown, sends
    // EVENT_OBJECT_VALUECHANGE so that a screen reader can speak it wherever the focus is,
    // and answers true.
    bool Write(const std::string& text);

private:
    HWND control_ = nullptr;
    std::string text_;
};

}  // namespace ui

#endif
