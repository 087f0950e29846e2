// In-memory registry used by the native tests.
#include "services/MemoryKeyValueStore.h"

#include <cstring>
#include <utility>

namespace services {
namespace {

std::string Lower(const std::string& text) {
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// Root codes other than 0 and 2 address HKEY_CURRENT_USER.
int RootIndex(RegistryRoot root) {
    return root == RegistryRoot::ClassesRoot ? 0 : root == RegistryRoot::LocalMachine ? 2 : 1;
}

}  // namespace

std::string MemoryKeyValueStore::KeyId(RegistryRoot root, const std::string& path) {
    return std::to_string(RootIndex(root)) + "|" + Lower(path);
}

KeyValueStore::Key MemoryKeyValueStore::Open(RegistryRoot root, const std::string& path, bool create) {
    // The registry refuses a path that starts with a backslash (ERROR_BAD_PATHNAME).
    if (!path.empty() && path.front() == '\\') return kNoKey;
    if (create && readOnly_) return kNoKey;
    const std::string id = KeyId(root, path);
    if (keys_.count(id) == 0) {
        if (!create && !path.empty()) return kNoKey;
        for (std::size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
            keys_[KeyId(root, path.substr(0, cut))];
        keys_[id];
    }
    const Key key = nextKey_++;
    open_[key] = id;
    return key;
}

KeyValueStore::Key MemoryKeyValueStore::OpenKey(RegistryRoot root, const std::string& path) {
    return Open(root, path, false);
}

KeyValueStore::Key MemoryKeyValueStore::CreateKey(RegistryRoot root, const std::string& path) {
    return Open(root, path, true);
}

bool MemoryKeyValueStore::QueryValue(Key key, const std::string& name, ValueType& type, void* data,
                                     std::uint32_t& size) {
    const auto open = open_.find(key);
    if (open == open_.end()) return false;
    const Values& values = keys_[open->second];
    const auto found = values.find(Lower(name));
    if (found == values.end()) return false;
    const auto needed = static_cast<std::uint32_t>(found->second.data.size());
    type = found->second.type;
    if (data != nullptr && needed > size) {
        size = needed;
        return false;
    }
    size = needed;
    if (data != nullptr && needed > 0) std::memcpy(data, found->second.data.data(), needed);
    return true;
}

bool MemoryKeyValueStore::SetValue(Key key, const std::string& name, ValueType type, const void* data,
                                   std::uint32_t size) {
    const auto open = open_.find(key);
    if (open == open_.end() || refusingValues_) return false;
    const auto* bytes = static_cast<const unsigned char*>(data);
    keys_[open->second][Lower(name)] = Value{type, std::vector<unsigned char>(bytes, bytes + size)};
    return true;
}

void MemoryKeyValueStore::CloseKey(Key key) { open_.erase(key); }

void MemoryKeyValueStore::Put(RegistryRoot root, const std::string& key, const std::string& name, ValueType type,
                              const std::vector<unsigned char>& data) {
    const bool refusing = std::exchange(refusingValues_, false);
    const Key handle = Open(root, key, true);
    SetValue(handle, name, type, data.data(), static_cast<std::uint32_t>(data.size()));
    CloseKey(handle);
    refusingValues_ = refusing;
}

void MemoryKeyValueStore::PutText(RegistryRoot root, const std::string& key, const std::string& name,
                                  const std::string& text) {
    Put(root, key, name, ValueType::String, std::vector<unsigned char>(text.begin(), text.end()));
}

void MemoryKeyValueStore::PutDword(RegistryRoot root, const std::string& key, const std::string& name,
                                   std::int32_t value) {
    const DwordBytes data = PackDword(value);
    Put(root, key, name, ValueType::Dword, {data.begin(), data.end()});
}

std::optional<MemoryKeyValueStore::Value> MemoryKeyValueStore::Get(RegistryRoot root, const std::string& key,
                                                                   const std::string& name) const {
    const auto values = keys_.find(KeyId(root, key));
    if (values == keys_.end()) return std::nullopt;
    const auto found = values->second.find(Lower(name));
    if (found == values->second.end()) return std::nullopt;
    return found->second;
}

bool MemoryKeyValueStore::HasKey(RegistryRoot root, const std::string& key) const {
    return keys_.count(KeyId(root, key)) != 0;
}

}  // namespace services
