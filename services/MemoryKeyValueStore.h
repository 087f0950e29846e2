// An in-memory registry for tests: case-insensitive keys and value names, the
// data stored byte for byte as written (no terminator added to texts).
#ifndef PEMZ_SERVICES_MEMORYKEYVALUESTORE_H
#define PEMZ_SERVICES_MEMORYKEYVALUESTORE_H

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "services/KeyValueStore.h"

namespace services {

class MemoryKeyValueStore : public KeyValueStore {
public:
    struct Value {
        ValueType type;
        std::vector<unsigned char> data;
    };

    Key OpenKey(RegistryRoot root, const std::string& path) override;
    Key CreateKey(RegistryRoot root, const std::string& path) override;
    bool QueryValue(Key key, const std::string& name, ValueType& type, void* data, std::uint32_t& size) override;
    bool SetValue(Key key, const std::string& name, ValueType type, const void* data, std::uint32_t size) override;
    void CloseKey(Key key) override;

    // Test helpers.
    void Put(RegistryRoot root, const std::string& key, const std::string& name, ValueType type,
             const std::vector<unsigned char>& data);
    void PutText(RegistryRoot root, const std::string& key, const std::string& name, const std::string& text);
    void PutDword(RegistryRoot root, const std::string& key, const std::string& name, std::int32_t value);
    std::optional<Value> Get(RegistryRoot root, const std::string& key, const std::string& name) const;
    bool HasKey(RegistryRoot root, const std::string& key) const;
    std::size_t OpenKeyCount() const { return open_.size(); }
    // Makes CreateKey fail, like HKEY_LOCAL_MACHINE without the right to write.
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    // Makes SetValue fail on keys that still open, like a key opened without write access.
    void SetRefusingValues(bool refusing) { refusingValues_ = refusing; }

private:
    using Values = std::map<std::string, Value>;
    static std::string KeyId(RegistryRoot root, const std::string& path);
    Key Open(RegistryRoot root, const std::string& path, bool create);

    std::map<std::string, Values> keys_;
    std::map<Key, std::string> open_;
    Key nextKey_ = 1;
    bool readOnly_ = false;
    bool refusingValues_ = false;
};

}  // namespace services

#endif
