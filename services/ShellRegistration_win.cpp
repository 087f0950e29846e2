// The running program's shell registration.
#include "services/ShellRegistration.h"

#include "framework/Application.h"
#include "framework/ModulePath.h"
#include "services/ProgramSettings.h"

namespace services {

bool RegisterWithShell() {
    // No ANSI form of the folder: registering its best-fit look-alike would name another folder.
    const std::string path = fw::ModulePath();
    if (path.empty()) return false;
    return RegisterWithShell(ProgramSettings(), path, fw::ApplicationName());
}

}  // namespace services
