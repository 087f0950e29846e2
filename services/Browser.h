// Web pages open in the user's browser: the open command of the class chosen for http,
// or of the ".htm" class, with the address in place of its "%1" placeholder.
#ifndef PEMZ_SERVICES_BROWSER_H
#define PEMZ_SERVICES_BROWSER_H

#include <functional>
#include <optional>
#include <string>

#include "services/SettingsStore.h"

namespace services {

// The open command with the address in place of its placeholder: a quoted "%1" (as most
// browsers register themselves) becomes the address within its quotation marks; else
// the command is cut at its first " %1" and gets one space and the address. Whichever
// of the two comes first counts. The result has whatever length it needs.
std::string BuildBrowserCommand(const std::string& openCommand, const std::string& url);

// Expands the %NAME% references of a REG_EXPAND_SZ text; nothing when it cannot.
using ExpandEnvironment = std::function<std::optional<std::string>(const std::string&)>;

// The open command of a shell class, REG_SZ or (expanded) REG_EXPAND_SZ; false when it
// is missing, empty, of another type or cannot be expanded.
bool ReadOpenCommand(const SettingsStore& store, const std::string& className, std::string& command,
                     const ExpandEnvironment& expand);
// The command line that opens url: the open command of the class the user chose for
// http (UserChoice's ProgId) when it has one, else that of the ".htm" class; nothing
// when neither has a readable open command.
std::optional<std::string> BrowserCommandFor(const SettingsStore& store, const std::string& url,
                                             const ExpandEnvironment& expand);
// BrowserCommandFor finds a command.
bool HasBrowser(const SettingsStore& store, const ExpandEnvironment& expand);

#ifdef _WIN32
// HasBrowser for the program's store, computed once per process.
bool IsBrowserAvailable();
// Starts the browser on url through RunCommand; false when nothing was started
// (no message when no browser is registered, a message box when the start failed).
bool OpenUrl(const std::string& url);
#endif

}  // namespace services

#endif
