// The narrow key-value interface the settings store is written against: the
// real registry on Windows, an in-memory store in tests.
#ifndef PEMZ_SERVICES_KEYVALUESTORE_H
#define PEMZ_SERVICES_KEYVALUESTORE_H

#include <array>
#include <cstdint>
#include <string>

#include "services/SettingPath.h"

namespace services {

// Registry type codes (REG_SZ, REG_EXPAND_SZ, REG_DWORD); other codes pass through unnamed.
enum class ValueType : std::uint32_t {
    String = 1,
    ExpandString = 2,
    Dword = 4,
};

// REG_DWORD data: four bytes, little-endian.
using DwordBytes = std::array<unsigned char, 4>;

constexpr DwordBytes PackDword(std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    return {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
            static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
}

constexpr std::int32_t UnpackDword(const DwordBytes& bytes) {
    return static_cast<std::int32_t>(std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                                     std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24);
}

class KeyValueStore {
public:
    using Key = std::uintptr_t;  // opaque; kNoKey when an open failed
    static constexpr Key kNoKey = 0;

    virtual ~KeyValueStore() = default;

    // Opens an existing key (RegOpenKeyA). An empty path opens the root itself.
    virtual Key OpenKey(RegistryRoot root, const std::string& path) = 0;
    // Opens a key, creating it and the keys along its path (RegCreateKeyA).
    virtual Key CreateKey(RegistryRoot root, const std::string& path) = 0;
    // RegQueryValueExA: with data null only the type and size are asked for; otherwise
    // size holds the buffer's capacity on entry. Fails when the value is missing or does
    // not fit; size then holds the size the value needs. An empty name is the default value.
    virtual bool QueryValue(Key key, const std::string& name, ValueType& type, void* data, std::uint32_t& size) = 0;
    // RegSetValueExA with exactly size bytes of data.
    virtual bool SetValue(Key key, const std::string& name, ValueType type, const void* data, std::uint32_t size) = 0;
    virtual void CloseKey(Key key) = 0;
};

// Closes a key of a KeyValueStore when it goes out of scope.
class ScopedKey {
public:
    ScopedKey(KeyValueStore& store, KeyValueStore::Key key) noexcept : store_(store), key_(key) {}
    ScopedKey(const ScopedKey&) = delete;
    ScopedKey& operator=(const ScopedKey&) = delete;
    ~ScopedKey() {
        if (key_ != KeyValueStore::kNoKey) store_.CloseKey(key_);
    }
    KeyValueStore::Key get() const noexcept { return key_; }
    explicit operator bool() const noexcept { return key_ != KeyValueStore::kNoKey; }

private:
    KeyValueStore& store_;
    KeyValueStore::Key key_;
};

}  // namespace services

#endif
