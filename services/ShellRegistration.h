// Self-registration with the shell: the program's class, its open command and
// icon under HKEY_CLASSES_ROOT, and its application path under HKEY_LOCAL_MACHINE.
#ifndef PEMZ_SERVICES_SHELLREGISTRATION_H
#define PEMZ_SERVICES_SHELLREGISTRATION_H

#include <string>

#include "services/SettingsStore.h"

namespace services {

// The path cut after its last '\' or ':' (the separator stays); "" when it has none.
std::string DirectoryOfPath(const std::string& path);

// App Paths key of an executable base name (no leading backslash: the registry
// refuses one), ending with the backslash of its default value.
std::string AppPathsSetting(const std::string& baseName);

// Writes the entries for the executable at exePath ("" when its path could not be
// obtained) whose base name is baseName. Returns the result of the last write (the
// App Paths "Path" value).
bool RegisterWithShell(const SettingsStore& store, const std::string& exePath, const std::string& baseName);

#ifdef _WIN32
// The running program's entries, through ProgramSettings().
bool RegisterWithShell();
#endif

}  // namespace services

#endif
