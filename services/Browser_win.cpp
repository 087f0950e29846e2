// Browser availability (cached) and launch.
#include "services/Browser.h"

#include <vector>

#include "services/CommandLaunch.h"
#include "services/ProgramSettings.h"

namespace services {
namespace {

std::optional<std::string> ExpandEnvironmentText(const std::string& text) {
    // The answer counts the terminator; a variable may change between the two calls.
    std::vector<char> buffer(text.size() + 1);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const DWORD needed =
            ::ExpandEnvironmentStringsA(text.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0) return std::nullopt;
        if (needed <= buffer.size()) return std::string(buffer.data());
        buffer.resize(needed);
    }
    return std::nullopt;
}

}  // namespace

bool IsBrowserAvailable() {
    static const bool available = HasBrowser(ProgramSettings(), ExpandEnvironmentText);
    return available;
}

bool OpenUrl(const std::string& url) {
    const std::optional<std::string> command = BrowserCommandFor(ProgramSettings(), url, ExpandEnvironmentText);
    if (!command) return false;
    return RunCommand(*command, "Impossible de lancer l'explorateur Internet", SW_SHOW);
}

}  // namespace services
