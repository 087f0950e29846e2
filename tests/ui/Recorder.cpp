// Stand-in browser for the tests: writes its own command line to "recorded.txt"
// beside the executable and ends.
#include <windows.h>

#include <cstdio>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string file(path);
    file = file.substr(0, file.find_last_of('\\') + 1) + "recorded.txt";
    // Written under a temporary name and renamed, so a reader never sees half a line.
    const std::string partial = file + ".part";
    if (FILE* out = std::fopen(partial.c_str(), "wb")) {
        std::fputs(::GetCommandLineA(), out);
        std::fclose(out);
        ::MoveFileExA(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
    }
    return 0;
}
