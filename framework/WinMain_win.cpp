// The program's entry: hands over to the application object built during static initialisation.
#include <windows.h>

#include "framework/Application.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    fw::Application* application = fw::Application::Current();
    if (!application || !application->InitInstance()) return 0;

    // InitInstance asked for a message loop of the application's own.
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
