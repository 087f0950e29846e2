// Browser availability (cached) and launch.
#include "services/Browser.h"

#include "services/CommandLaunch.h"
#include "services/ProgramSettings.h"

namespace services {

bool IsBrowserAvailable() {
    static const bool available = HasBrowserClass(ProgramSettings());
    return available;
}

bool OpenUrl(const std::string& url) {
    const std::optional<std::string> command = BrowserCommandFor(ProgramSettings(), url);
    if (!command) return false;
    return RunCommand(*command, "Impossible de lancer l'explorateur Internet", SW_SHOW);
}

}  // namespace services
