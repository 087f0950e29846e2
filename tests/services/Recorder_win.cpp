// Stand-in browser: writes its own command line to the file named by PEMZ_RECORDER_OUT.
#include <windows.h>

#include <cstring>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    if (!::GetEnvironmentVariableA("PEMZ_RECORDER_OUT", path, sizeof path)) return 2;
    // Written to a temporary name and renamed, so the test never reads half a line.
    const std::string temporary = std::string(path) + ".tmp";
    HANDLE file = ::CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 3;
    const char* line = ::GetCommandLineA();
    DWORD written = 0;
    ::WriteFile(file, line, static_cast<DWORD>(std::strlen(line)), &written, nullptr);
    ::CloseHandle(file);
    return ::MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING) ? 0 : 4;
}
