// "PemzGrid": an empty window with a private DC that asks the dialog manager for the
// arrow keys and leaves everything else to the default procedure.
#include "controls/ControlClasses.h"

namespace controls {

LRESULT CALLBACK GridControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) return DLGC_WANTARROWS;
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace controls
