// Registry calls behind the key-value interface.
#include "services/RegistryKeyValueStore.h"

#include <windows.h>

#include "framework/UniqueHandle.h"

namespace services {
namespace {

HKEY RootKey(RegistryRoot root) {
    switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
    default: return HKEY_CURRENT_USER;
    }
}

HKEY ToHkey(KeyValueStore::Key key) { return reinterpret_cast<HKEY>(key); }
KeyValueStore::Key FromHkey(HKEY key) { return reinterpret_cast<KeyValueStore::Key>(key); }

}  // namespace

KeyValueStore::Key RegistryKeyValueStore::OpenKey(RegistryRoot root, const std::string& path) {
    fw::UniqueKey key;
    if (::RegOpenKeyA(RootKey(root), path.c_str(), key.put()) != ERROR_SUCCESS) return kNoKey;
    return FromHkey(key.release());
}

KeyValueStore::Key RegistryKeyValueStore::CreateKey(RegistryRoot root, const std::string& path) {
    fw::UniqueKey key;
    if (::RegCreateKeyA(RootKey(root), path.c_str(), key.put()) != ERROR_SUCCESS) return kNoKey;
    return FromHkey(key.release());
}

bool RegistryKeyValueStore::QueryValue(Key key, const std::string& name, ValueType& type, void* data,
                                       std::uint32_t& size) {
    DWORD rawType = 0;
    DWORD rawSize = size;
    const LONG result =
        ::RegQueryValueExA(ToHkey(key), name.c_str(), nullptr, &rawType, static_cast<BYTE*>(data), &rawSize);
    type = static_cast<ValueType>(rawType);
    size = rawSize;
    return result == ERROR_SUCCESS;
}

bool RegistryKeyValueStore::SetValue(Key key, const std::string& name, ValueType type, const void* data,
                                     std::uint32_t size) {
    return ::RegSetValueExA(ToHkey(key), name.c_str(), 0, static_cast<DWORD>(type), static_cast<const BYTE*>(data),
                            size) == ERROR_SUCCESS;
}

void RegistryKeyValueStore::CloseKey(Key key) { fw::UniqueKey closing(ToHkey(key)); }

}  // namespace services
