// "PemzGroup": a frame with one or more rows of tabs described by its window text
// ("C,R,id=label,id=!disabled,...") and a page area that lets the mouse through.
#ifndef PEMZ_CONTROLS_GROUPFRAME_H
#define PEMZ_CONTROLS_GROUPFRAME_H

#include <windows.h>

namespace controls {

constexpr UINT kGroupFrameStyle = CS_PARENTDC | CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
constexpr int kGroupFrameExtraBytes = sizeof(LONG_PTR) + sizeof(WORD);  // font slot, selection word

LRESULT CALLBACK GroupFrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace controls

#endif
