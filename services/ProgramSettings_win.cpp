// The program's settings store: real registry, resource strings, application name.
#include "services/ProgramSettings.h"

#include "framework/Application.h"
#include "framework/GrowingBuffer.h"
#include "services/RegistryKeyValueStore.h"

namespace services {

std::string ResourceStringTable::Load(unsigned id) const {
    if (!::FindResourceA(module_, MAKEINTRESOURCEA(id / 16 + 1), MAKEINTRESOURCEA(6) /* RT_STRING */))
        return std::string();
    // LoadStringA truncates to the buffer without saying so: an entry that fills it may
    // have been cut, and is read again into twice the room. An entry is at most 65535
    // characters long: nine reads reach that.
    const auto buffer = fw::ReadGrowing<char>(
        256,
        [&](char* data, std::size_t capacity) -> std::optional<std::size_t> {
            const int length = ::LoadStringA(module_, id, data, static_cast<int>(capacity));
            if (length < 0) return std::nullopt;
            const auto used = static_cast<std::size_t>(length);
            return used + 1 < capacity ? used : capacity * 2;
        },
        9);
    return buffer ? std::string(buffer->data(), buffer->size()) : std::string();
}

const SettingsStore& ProgramSettings() {
    static RegistryKeyValueStore registry;
    static const ResourceStringTable strings(::GetModuleHandleA(nullptr));
    static const SettingsStore store(registry, strings, fw::ApplicationName());
    return store;
}

}  // namespace services
