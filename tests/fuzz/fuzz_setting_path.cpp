// Setting paths and stored values: any path, program key and root code resolve
// to a key and a value name made only of characters the rule keeps; any value of
// any type and size stored there reads back as what the store promises.
#include <cstdint>
#include <string>
#include <vector>

#include "calc/NumberText.h"
#include "res/resource.h"
#include "services/MemoryKeyValueStore.h"
#include "services/SettingPath.h"
#include "services/SettingsStore.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

using services::RegistryRoot;

bool IsClean(const std::string& text) {
    for (char c : text)
        if (services::CleanPathCharacter(c) != c) return false;
    return true;
}

std::string Cleaned(std::string text) {
    for (char& c : text) c = services::CleanPathCharacter(c);
    return text;
}

void CheckResolution(RegistryRoot root, const std::string& path, const std::string& programKey,
                     const services::SettingLocation& at) {
    FUZZ_CHECK(IsClean(at.key) && IsClean(at.valueName));
    FUZZ_CHECK(at.valueName.find('\\') == std::string::npos);

    // The value name is the path's last part; every other character went to the key.
    const std::size_t last = path.rfind('\\');
    FUZZ_CHECK(at.valueName == Cleaned(last == std::string::npos ? path : path.substr(last + 1)));
    const bool relative = path.compare(0, 2, ".\\") == 0;
    const bool underPemz = relative && (root == RegistryRoot::CurrentUser || root == RegistryRoot::LocalMachine);
    const std::string prefix = underPemz ? "Software\\Pemz\\" : "";
    const std::size_t expanded = relative ? prefix.size() + programKey.size() + path.size() - 1 : path.size();
    FUZZ_CHECK(at.key.size() + at.valueName.size() + (last == std::string::npos ? 0 : 1) == expanded);
    if (relative)
        FUZZ_CHECK(at.key.compare(0, prefix.size() + programKey.size(), prefix + Cleaned(programKey)) == 0);
    else if (last != std::string::npos)
        FUZZ_CHECK(at.key == Cleaned(path.substr(0, last)));
}

}  // namespace

// Input: root code (2 bytes), value type (4), program key and stored bytes
// (each a length byte and its text), then the path.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::FuzzInput in(data, size);
    const auto root = static_cast<RegistryRoot>(in.Take<std::int16_t>());
    const auto type = static_cast<services::ValueType>(in.Take<std::uint32_t>());
    const std::string programKey = in.TakeText();
    const std::string bytes = in.TakeText();
    const std::string path = in.Rest();

    const services::SettingLocation at = services::ResolveSettingPath(root, path, programKey);
    CheckResolution(root, path, programKey, at);

    // The same path through the store, with a value of any type and size stored there.
    services::MemoryKeyValueStore registry;
    const services::MapStringTable strings({{IDS_PROGRAM_KEY, programKey}});
    const services::SettingsStore store(registry, strings, "PemzCalc");
    const services::SettingLocation viaStore = store.ResolveSettingPath(root, path);
    if (!programKey.empty()) FUZZ_CHECK(viaStore.key == at.key && viaStore.valueName == at.valueName);
    registry.Put(root, viaStore.key, viaStore.valueName, type, std::vector<unsigned char>(bytes.begin(), bytes.end()));
    const bool stored = registry.Get(root, viaStore.key, viaStore.valueName).has_value();
    FUZZ_CHECK(store.SettingExists(path, root) == stored);

    std::string text;
    const bool isText = store.ReadSettingText(path, text, "default", root);
    FUZZ_CHECK(isText == (stored && type == services::ValueType::String));
    FUZZ_CHECK(text == (stored ? bytes.substr(0, bytes.find('\0')) : "default"));

    const std::int32_t number = store.ReadSetting(path, -77, root);
    if (stored && type == services::ValueType::Dword && bytes.size() == 4)
        FUZZ_CHECK(static_cast<std::uint32_t>(number) == (std::uint32_t{static_cast<unsigned char>(bytes[0])} |
                                                          std::uint32_t{static_cast<unsigned char>(bytes[1])} << 8 |
                                                          std::uint32_t{static_cast<unsigned char>(bytes[2])} << 16 |
                                                          std::uint32_t{static_cast<unsigned char>(bytes[3])} << 24));
    else
        FUZZ_CHECK(number == -77);  // anything but a 4-byte DWORD is absent

    // A written number or text reads back the same, wherever the path leads.
    if (store.WriteSetting(path, 12345, root)) FUZZ_CHECK(store.ReadSetting(path, -77, root) == 12345);
    if (store.WriteSettingText(path, bytes, root)) {
        FUZZ_CHECK(store.ReadSettingText(path, text, "default", root));
        FUZZ_CHECK(text == bytes.substr(0, bytes.find('\0')));
    }

    // The machine-wide parity from any stored text.
    registry.Put(RegistryRoot::LocalMachine, "Software\\Pemz", "Euro", type,
                 std::vector<unsigned char>(path.begin(), path.end()));
    const double parity = store.LoadParity();
    FUZZ_CHECK(calc::IsUsableParity(parity));
    double scanned = 0;
    if (calc::ScanNumber(path.substr(0, path.find('\0')), scanned) == 0 || !calc::IsUsableParity(scanned))
        FUZZ_CHECK(parity == services::kDefaultParity);
    FUZZ_CHECK(registry.OpenKeyCount() == 0);
    return 0;
}
