// Lookup of the browser's open command.
#include "services/Browser.h"

namespace services {
namespace {

bool ReadHtmlClass(const SettingsStore& store, std::string& className) {
    return store.ReadSettingText(".htm\\", className, std::string(), RegistryRoot::ClassesRoot) && !className.empty();
}

}  // namespace

std::string BuildBrowserCommand(const std::string& openCommand, const std::string& url) {
    std::string command = openCommand.substr(0, openCommand.find(" %1"));
    command += ' ';
    command += url;
    return command;
}

bool HasBrowserClass(const SettingsStore& store) {
    std::string className;
    return ReadHtmlClass(store, className);
}

bool ReadOpenCommand(const SettingsStore& store, const std::string& className, std::string& command) {
    return store.ReadSettingText(className + "\\shell\\open\\command\\", command, std::string(),
                                 RegistryRoot::ClassesRoot) &&
           !command.empty();
}

std::optional<std::string> BrowserCommandFor(const SettingsStore& store, const std::string& url) {
    std::string className;
    std::string command;
    if (!ReadHtmlClass(store, className) || !ReadOpenCommand(store, className, command)) return std::nullopt;
    return BuildBrowserCommand(command, url);
}

}  // namespace services
