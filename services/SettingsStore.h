// Typed access to the registry settings: integers and texts addressed by setting
// paths, read with a default on every failure, and the machine-wide parity.
#ifndef PEMZ_SERVICES_SETTINGSSTORE_H
#define PEMZ_SERVICES_SETTINGSSTORE_H

#include <cstdint>
#include <optional>
#include <string>

#include "services/KeyValueStore.h"
#include "services/SettingPath.h"
#include "services/StringTable.h"

namespace services {

constexpr double kDefaultParity = 6.5;

// The parity text: "%11.6lf" when that reads back as the same double (6.55957 gives
// "   6.559570"), otherwise the shortest "%.Ng" that does. Not finite or <= 0: "".
std::string FormatParityText(double parity);

// Stateless: every call opens its key, does one query or write, and closes it.
// Texts and paths are Windows-1252.
class SettingsStore {
public:
    SettingsStore(KeyValueStore& registry, const StringTable& strings, std::string applicationName);

    // Entry IDS_PROGRAM_KEY, else the application name, else "Défaut" (stored as Defaut).
    std::string ProgramKeyName() const;
    SettingLocation ResolveSettingPath(RegistryRoot root, const std::string& path) const;

    // The default unless the value is a REG_DWORD of exactly four bytes.
    std::int32_t ReadSetting(const std::string& path, std::int32_t defaultValue,
                             RegistryRoot root = RegistryRoot::CurrentUser) const;
    // True only when the value was written: a key that cannot be created or a value the
    // registry refuses is never reported as stored.
    bool WriteSetting(const std::string& path, std::int32_t value, RegistryRoot root = RegistryRoot::CurrentUser) const;
    // Reads the whole REG_SZ text, whatever its length. No key or no value: text receives
    // defaultText and the result is false. A value of another type: false, with its bytes
    // (up to the first zero byte) as the text.
    bool ReadSettingText(const std::string& path, std::string& text, const std::string& defaultText,
                         RegistryRoot root = RegistryRoot::CurrentUser) const;
    // The same read, telling the type of the value it found (nothing when it found none).
    std::optional<ValueType> ReadSettingTextOfAnyType(const std::string& path, std::string& text,
                                                      const std::string& defaultText, RegistryRoot root) const;
    // REG_SZ written with a data length of text.size(): no terminator. True as for WriteSetting.
    bool WriteSettingText(const std::string& path, const std::string& text,
                          RegistryRoot root = RegistryRoot::CurrentUser) const;
    bool SettingExists(const std::string& path, RegistryRoot root = RegistryRoot::CurrentUser) const;

    std::string LoadResourceText(unsigned id) const { return strings_.Load(id); }

    // HKEY_LOCAL_MACHINE "Software\Pemz", value "Euro": the first number of the
    // stored text ("%lf" rules) when it is a usable parity, else 6.5.
    double LoadParity() const;
    // Refuses (false, nothing written) a parity that is not finite and > 0.
    bool SaveParity(double parity) const;

    const StringTable& strings() const { return strings_; }

private:
    KeyValueStore& registry_;
    const StringTable& strings_;
    std::string applicationName_;
};

}  // namespace services

#endif
