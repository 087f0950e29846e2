// Web pages open in the browser registered for ".htm": its shell class's open
// command with the address in place of the " %1" placeholder.
#ifndef PEMZ_SERVICES_BROWSER_H
#define PEMZ_SERVICES_BROWSER_H

#include <optional>
#include <string>

#include "services/SettingsStore.h"

namespace services {

// The open command cut at its first " %1" (a quoted "%1" is kept), then one space
// and the address. The result has whatever length it needs.
std::string BuildBrowserCommand(const std::string& openCommand, const std::string& url);

// True when the default value of HKEY_CLASSES_ROOT\.htm is a non-empty text.
bool HasBrowserClass(const SettingsStore& store);
// The open command of a shell class; false when it is missing or empty.
bool ReadOpenCommand(const SettingsStore& store, const std::string& className, std::string& command);
// The command line that opens url, or nothing when no class or no open command is registered.
std::optional<std::string> BrowserCommandFor(const SettingsStore& store, const std::string& url);

#ifdef _WIN32
// HasBrowserClass of the program's store, computed once per process.
bool IsBrowserAvailable();
// Starts the browser on url through RunCommand; false when nothing was started
// (no message when no browser is registered, a message box when the start failed).
bool OpenUrl(const std::string& url);
#endif

}  // namespace services

#endif
