// A small program for the services tests, built with several resource sets:
//   probe version <out>            FormatVersion("") of this executable
//   probe register                 RegisterWithShell()
//   probe mail <out> <new MAPI>    IsMailAvailable(), then again after changing win.ini
//   probe dllsearch <out> <library> [remove]   the file LoadLibraryA(library) loads
#include <windows.h>

#include <cstring>
#include <string>

#include "services/DllSearch.h"
#include "services/MailMessage.h"
#include "services/ShellRegistration.h"
#include "services/Version.h"

namespace {

bool WriteText(const char* path, const std::string& text) {
    HANDLE file = ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return true;
}

std::string LoadedLibraryPath(const char* name) {
    HMODULE library = ::LoadLibraryA(name);
    if (!library) return "none";
    char path[MAX_PATH * 4] = {};
    const DWORD length = ::GetModuleFileNameA(library, path, sizeof path);
    ::FreeLibrary(library);
    return std::string(path, length);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 64;
    const std::string command = argv[1];
    if (command == "version" && argc >= 3) return WriteText(argv[2], services::FormatVersion("")) ? 0 : 1;
    if (command == "register") return services::RegisterWithShell() ? 0 : 1;
    if (command == "mail" && argc >= 4) {
        const bool first = services::IsMailAvailable();
        ::WriteProfileStringA("MAIL", "MAPI", argv[3]);
        const bool second = services::IsMailAvailable();
        return WriteText(argv[2], std::to_string(first) + " " + std::to_string(second)) ? 0 : 1;
    }
    if (command == "dllsearch" && argc >= 4) {
        if (argc >= 5 && std::strcmp(argv[4], "remove") == 0 && !services::RemoveCurrentDirectoryFromDllSearch())
            return 2;
        return WriteText(argv[2], LoadedLibraryPath(argv[3])) ? 0 : 1;
    }
    return 64;
}
