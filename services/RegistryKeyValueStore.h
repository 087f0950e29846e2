// The key-value interface over the Windows registry (Windows only).
#ifndef PEMZ_SERVICES_REGISTRYKEYVALUESTORE_H
#define PEMZ_SERVICES_REGISTRYKEYVALUESTORE_H

#include "services/KeyValueStore.h"

namespace services {

class RegistryKeyValueStore : public KeyValueStore {
public:
    Key OpenKey(RegistryRoot root, const std::string& path) override;
    Key CreateKey(RegistryRoot root, const std::string& path) override;
    bool QueryValue(Key key, const std::string& name, ValueType& type, void* data, std::uint32_t& size) override;
    bool SetValue(Key key, const std::string& name, ValueType type, const void* data, std::uint32_t size) override;
    void CloseKey(Key key) override;
};

}  // namespace services

#endif
