// The framework's message box.
#include "framework/MessageBox.h"

#include "framework/Application.h"
#include "framework/ModalScope.h"

namespace fw {

int MessageBox(const std::string& text, UINT type, UINT helpContext) {
    if ((type & MB_ICONMASK) == 0) type |= MB_ICONEXCLAMATION;
    const ModalScope modal;
    const std::string caption = ApplicationName();

    MSGBOXPARAMSA params{};
    params.cbSize = sizeof params;
    params.hwndOwner = modal.Owner();
    params.hInstance = ::GetModuleHandleA(nullptr);
    params.lpszText = text.c_str();
    params.lpszCaption = caption.c_str();
    params.dwStyle = type;
    params.dwContextHelpId = helpContext;
    return ::MessageBoxIndirectA(&params);
}

}  // namespace fw
