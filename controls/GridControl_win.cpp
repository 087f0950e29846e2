// "PemzGrid": an empty window with a private DC that asks the dialog manager for the
// arrow keys and leaves everything else to the default procedure.
#include "controls/Accessible.h"
#include "controls/ControlClasses.h"

namespace controls {

LRESULT CALLBACK GridControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETDLGCODE) return DLGC_WANTARROWS;
    if (message == WM_GETOBJECT)
        return AnswerGetObject(window, wParam, lParam, MakeAccessibleWithRole<ROLE_SYSTEM_TABLE>);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace controls
