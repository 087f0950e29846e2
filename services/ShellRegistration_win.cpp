// The running program's shell registration and module paths.
#include "services/ShellRegistration.h"

#include <windows.h>

#include <vector>

#include "framework/Application.h"
#include "services/ProgramSettings.h"

namespace services {

std::string GetModulePath() {
    // Paths may exceed MAX_PATH: grow the buffer until the name is not truncated.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

bool RegisterWithShell() { return RegisterWithShell(ProgramSettings(), GetModulePath(), fw::ApplicationName()); }

}  // namespace services
