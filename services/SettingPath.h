// Setting paths: one text naming a registry key and a value, expanded under the
// program's key and cleaned to the characters the registry entries may hold.
#ifndef PEMZ_SERVICES_SETTINGPATH_H
#define PEMZ_SERVICES_SETTINGPATH_H

#include <cstdint>
#include <string>

namespace services {

// Root codes as stored and passed around by the program; any other code behaves
// like CurrentUser without the "Software\Pemz\" prefix.
enum class RegistryRoot : std::int16_t {
    ClassesRoot = 0,
    CurrentUser = 1,
    LocalMachine = 2,
};

struct SettingLocation {
    std::string key;        // relative to the root
    std::string valueName;  // empty: the key's default value
};

// The Windows-1252 character rule: letters, digits and a few punctuation marks
// stay, the common lower-case French accented letters lose their accent, and
// every other character becomes '_'.
char CleanPathCharacter(char c);

// ".\x" expands to ["Software\Pemz\" for CurrentUser/LocalMachine] + programKey + "\x";
// any other text is absolute. The expanded text passes the character rule and is cut at
// its last backslash into key and value name. A path without a backslash names a value
// directly under the root. There is no length limit.
SettingLocation ResolveSettingPath(RegistryRoot root, const std::string& path, const std::string& programKey);

}  // namespace services

#endif
