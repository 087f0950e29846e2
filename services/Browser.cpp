// Lookup of the browser's open command.
#include "services/Browser.h"

#include <utility>

namespace services {
namespace {

// Where a browser's shell class is named, in the order asked: the user's choice for http
// (Windows 8 and later keep it there; ".htm" often still names the old browser), then
// the ".htm" class.
struct ClassName {
    RegistryRoot root;
    const char* path;
};
constexpr ClassName kBrowserClasses[] = {
    {RegistryRoot::CurrentUser,
     "Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\http\\UserChoice\\ProgId"},
    {RegistryRoot::ClassesRoot, ".htm\\"},
};

}  // namespace

std::string BuildBrowserCommand(const std::string& openCommand, const std::string& url) {
    const std::size_t quoted = openCommand.find("\"%1\"");
    const std::size_t spaced = openCommand.find(" %1");
    if (quoted != std::string::npos && (spaced == std::string::npos || quoted < spaced))
        return openCommand.substr(0, quoted + 1) + url + openCommand.substr(quoted + 3);
    std::string command = openCommand.substr(0, spaced);
    command += ' ';
    command += url;
    return command;
}

bool ReadOpenCommand(const SettingsStore& store, const std::string& className, std::string& command,
                     const ExpandEnvironment& expand) {
    const std::optional<ValueType> type = store.ReadSettingTextOfAnyType(
        className + "\\shell\\open\\command\\", command, std::string(), RegistryRoot::ClassesRoot);
    if (type == ValueType::ExpandString) {
        std::optional<std::string> expanded = expand(command);
        if (!expanded) return false;
        command = std::move(*expanded);
    } else if (type != ValueType::String) {
        return false;
    }
    return !command.empty();
}

std::optional<std::string> BrowserCommandFor(const SettingsStore& store, const std::string& url,
                                             const ExpandEnvironment& expand) {
    std::string className;
    std::string command;
    for (const ClassName& where : kBrowserClasses)
        if (store.ReadSettingText(where.path, className, std::string(), where.root) && !className.empty() &&
            ReadOpenCommand(store, className, command, expand))
            return BuildBrowserCommand(command, url);
    return std::nullopt;
}

bool HasBrowser(const SettingsStore& store, const ExpandEnvironment& expand) {
    return BrowserCommandFor(store, std::string(), expand).has_value();
}

}  // namespace services
