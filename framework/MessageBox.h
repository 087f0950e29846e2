// The framework's message box.
#ifndef PEMZ_FRAMEWORK_MESSAGEBOX_H
#define PEMZ_FRAMEWORK_MESSAGEBOX_H

#include <windows.h>

#include <string>

namespace fw {

// Titled with ApplicationName(), owned by SafeOwner(nullptr) within a ModalScope, with
// MB_ICONEXCLAMATION added when `type` names no icon. `helpContext` (0 for none) is the
// help topic the box reports to its owner when the user asks for help. Returns the button
// pressed. (windows.h renames MessageBox to MessageBoxA; it does so in declaration and
// calls alike.)
int MessageBox(const std::string& text, UINT type = MB_OK, UINT helpContext = 0);

}  // namespace fw

#endif
