// Setting path expansion, character rule and key/value split.
#include "services/SettingPath.h"

namespace services {

char CleanPathCharacter(char c) {
    const auto code = static_cast<unsigned char>(c);
    if ((code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z') || (code >= '0' && code <= '9')) return c;
    // clang-format off
    switch (code) {
        case ' ': case '\'': case '-': case '.': case '\\': case '{': case '}':
            return c;
        case 0xE0: case 0xE2:            // à â
            return 'a';
        case 0xE7:                       // ç
            return 'c';
        case 0xE8: case 0xE9: case 0xEA: // è é ê
            return 'e';
        case 0xEE:                       // î
            return 'i';
        case 0xF4:                       // ô
            return 'o';
        case 0xF9: case 0xFB:            // ù û
            return 'u';
        default:
            return '_';
    }
    // clang-format on
}

SettingLocation ResolveSettingPath(RegistryRoot root, const std::string& path, const std::string& programKey) {
    std::string text;
    if (path.compare(0, 2, ".\\") == 0) {
        if (root == RegistryRoot::CurrentUser || root == RegistryRoot::LocalMachine) text = "Software\\Pemz\\";
        text += programKey;
        text.append(path, 1, std::string::npos);  // keeps the backslash after the dot
    } else {
        text = path;
    }
    for (char& c : text) c = CleanPathCharacter(c);

    SettingLocation location;
    const std::size_t cut = text.rfind('\\');
    if (cut == std::string::npos) {
        location.valueName = text;
    } else {
        location.key = text.substr(0, cut);
        location.valueName = text.substr(cut + 1);
    }
    return location;
}

}  // namespace services
