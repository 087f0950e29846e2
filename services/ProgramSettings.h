// The program's own settings store and string table (Windows only): the registry,
// the executable's string resources and the application name.
#ifndef PEMZ_SERVICES_PROGRAMSETTINGS_H
#define PEMZ_SERVICES_PROGRAMSETTINGS_H

#include <windows.h>

#include "services/SettingsStore.h"
#include "services/StringTable.h"

namespace services {

// String resources of a module: the block of an entry (id / 16 + 1) is looked for
// first, so that an absent entry reads as "" whatever LoadStringA would leave.
class ResourceStringTable : public StringTable {
public:
    explicit ResourceStringTable(HMODULE module) : module_(module) {}
    std::string Load(unsigned id) const override;

private:
    HMODULE module_;
};

// The store every part of the program uses; built on first use.
const SettingsStore& ProgramSettings();

}  // namespace services

#endif
