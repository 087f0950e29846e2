// The running program's shell registration.
#include "services/ShellRegistration.h"

#include "framework/Application.h"
#include "services/ProgramSettings.h"

namespace services {

bool RegisterWithShell() { return RegisterWithShell(ProgramSettings(), fw::ModulePath(), fw::ApplicationName()); }

}  // namespace services
