// Browser availability (cached) and launch.
#include "services/Browser.h"

#include "framework/GrowingBuffer.h"
#include "services/CommandLaunch.h"
#include "services/ProgramSettings.h"

namespace services {
namespace {

std::optional<std::string> ExpandEnvironmentText(const std::string& text) {
    // The answer counts the terminator, whether it fitted or not.
    const auto buffer = fw::ReadGrowing<char>(text.size() + 1, [&](char* data, std::size_t capacity) {
        const DWORD needed = ::ExpandEnvironmentStringsA(text.c_str(), data, static_cast<DWORD>(capacity));
        return needed == 0 ? std::nullopt : std::optional<std::size_t>(needed);
    });
    if (!buffer) return std::nullopt;
    return std::string(buffer->data());
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
