// The program's settings store: real registry, resource strings, application name.
#include "services/ProgramSettings.h"

#include <vector>

#include "framework/Application.h"
#include "services/RegistryKeyValueStore.h"

namespace services {

std::string ResourceStringTable::Load(unsigned id) const {
    if (!::FindResourceA(module_, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6) /* RT_STRING */))
        return std::string();
    // LoadStringA truncates to the buffer; grow it until the entry fits with room to spare.
    std::vector<char> buffer(256);
    for (;;) {
        const int length = ::LoadStringA(module_, id, buffer.data(), static_cast<int>(buffer.size()));
        if (length < 0) return std::string();
        if (static_cast<std::size_t>(length) + 1 < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}

const SettingsStore& ProgramSettings() {
    static RegistryKeyValueStore registry;
    static const ResourceStringTable strings(::GetModuleHandleA(nullptr));
    static const SettingsStore store(registry, strings, fw::ApplicationName());
    return store;
}

}  // namespace services
