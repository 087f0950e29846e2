// Settings store over the key-value interface.
#include "services/SettingsStore.h"

#include <utility>
#include <vector>

#include "calc/NumberText.h"
#include "framework/GrowingBuffer.h"
#include "res/resource.h"
#include "services/MessageText.h"

namespace services {
namespace {

const char kParityPath[] = "Software\\Pemz\\Euro";

bool ReadsBackAs(const std::string& text, double parity) {
    double value = 0.0;
    return calc::ScanNumber(text, value) == 1 && value == parity;
}

}  // namespace

std::string FormatParityText(double parity) {
    if (!calc::IsUsableParity(parity)) return std::string();
    std::string text = FormatText("%11.6lf", parity);
    // 17 significant digits always read back as the same double.
    for (int digits = 7; !ReadsBackAs(text, parity) && digits <= 17; ++digits)
        text = FormatText("%.*g", digits, parity);
    return text;
}

SettingsStore::SettingsStore(KeyValueStore& registry, const StringTable& strings, std::string applicationName)
    : registry_(registry), strings_(strings), applicationName_(std::move(applicationName)) {}

std::string SettingsStore::ProgramKeyName() const {
    std::string name = strings_.Load(IDS_PROGRAM_KEY);
    if (name.empty()) name = applicationName_;
    if (name.empty()) name = "Défaut";
    return name;
}

SettingLocation SettingsStore::ResolveSettingPath(RegistryRoot root, const std::string& path) const {
    return services::ResolveSettingPath(root, path, ProgramKeyName());
}

std::int32_t SettingsStore::ReadSetting(const std::string& path, std::int32_t defaultValue, RegistryRoot root) const {
    const SettingLocation location = ResolveSettingPath(root, path);
    ScopedKey key(registry_, registry_.OpenKey(root, location.key));
    if (!key) return defaultValue;
    DwordBytes data{};
    ValueType type{};
    std::uint32_t size = data.size();
    // A REG_DWORD of fewer than four bytes is as good as absent: its missing bytes would
    // read as zeros (an empty separator would switch grouping off).
    if (!registry_.QueryValue(key.get(), location.valueName, type, data.data(), size) || type != ValueType::Dword ||
        size != data.size())
        return defaultValue;
    return UnpackDword(data);
}

bool SettingsStore::WriteSetting(const std::string& path, std::int32_t value, RegistryRoot root) const {
    const SettingLocation location = ResolveSettingPath(root, path);
    ScopedKey key(registry_, registry_.CreateKey(root, location.key));
    if (!key) return false;
    const DwordBytes data = PackDword(value);
    return registry_.SetValue(key.get(), location.valueName, ValueType::Dword, data.data(), data.size());
}

bool SettingsStore::ReadSettingText(const std::string& path, std::string& text, const std::string& defaultText,
                                    RegistryRoot root) const {
    return ReadSettingTextOfAnyType(path, text, defaultText, root) == ValueType::String;
}

std::optional<ValueType> SettingsStore::ReadSettingTextOfAnyType(const std::string& path, std::string& text,
                                                                 const std::string& defaultText,
                                                                 RegistryRoot root) const {
    text = defaultText;
    const SettingLocation location = ResolveSettingPath(root, path);
    ScopedKey key(registry_, registry_.OpenKey(root, location.key));
    if (!key) return std::nullopt;
    ValueType type{};
    std::uint32_t size = 0;
    if (!registry_.QueryValue(key.get(), location.valueName, type, nullptr, size)) return std::nullopt;
    // Ask for the size first and read into a buffer of that size, with room for a zero
    // after the value's bytes.
    const auto buffer = fw::ReadGrowing<char>(std::size_t{size} + 1, [&](char* data, std::size_t capacity) {
        std::uint32_t used = static_cast<std::uint32_t>(capacity - 1);
        if (registry_.QueryValue(key.get(), location.valueName, type, data, used))
            return std::optional<std::size_t>(used + std::size_t{1});
        // A value that grew says how much it needs now; any other failure ends the read.
        return used > capacity - 1 ? std::optional<std::size_t>(used + std::size_t{1}) : std::nullopt;
    });
    if (!buffer) return std::nullopt;
    // Whatever the type, its bytes become the text (up to the first zero byte): the
    // parity is parsed from the text of any value.
    text.assign(buffer->data());
    return type;
}

bool SettingsStore::WriteSettingText(const std::string& path, const std::string& text, RegistryRoot root) const {
    const SettingLocation location = ResolveSettingPath(root, path);
    ScopedKey key(registry_, registry_.CreateKey(root, location.key));
    if (!key) return false;
    return registry_.SetValue(key.get(), location.valueName, ValueType::String, text.data(),
                              static_cast<std::uint32_t>(text.size()));
}

bool SettingsStore::SettingExists(const std::string& path, RegistryRoot root) const {
    const SettingLocation location = ResolveSettingPath(root, path);
    ScopedKey key(registry_, registry_.OpenKey(root, location.key));
    if (!key) return false;
    ValueType type{};
    std::uint32_t size = 0;
    return registry_.QueryValue(key.get(), location.valueName, type, nullptr, size);
}

double SettingsStore::LoadParity() const {
    std::string text;
    ReadSettingText(kParityPath, text, std::string(), RegistryRoot::LocalMachine);
    return calc::ParseParity(text).value_or(kDefaultParity);
}

bool SettingsStore::SaveParity(double parity) const {
    const std::string text = FormatParityText(parity);
    if (text.empty()) return false;
    return WriteSettingText(kParityPath, text, RegistryRoot::LocalMachine);
}

}  // namespace services
