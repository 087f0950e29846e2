// A window's placement saved under a name in the per-user settings (Windows only).
#ifndef PEMZ_SERVICES_WINDOWPLACEMENTSLOT_H
#define PEMZ_SERVICES_WINDOWPLACEMENTSLOT_H

#include <windows.h>

#include <string>

#include "services/SettingsStore.h"

namespace services {

class WindowPlacementSlot {
public:
    // The store defaults to the program's; tests pass their own.
    explicit WindowPlacementSlot(std::string name);
    WindowPlacementSlot(std::string name, const SettingsStore& store);

    bool enabled() const { return enabled_; }
    void SetEnabled(bool enabled) { enabled_ = enabled; }

    // Records the normal rectangle and the minimised/maximised state as
    // "left top right bottom state" at ".\Desktop\<name>" (HKEY_CURRENT_USER).
    void SavePlacement(HWND window) const;
    // Moves the window to the stored position (usePosition) and size (useSize) and, with
    // show, shows it in the stored state. Returns SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED or
    // SW_SHOW; without a readable record the window is only shown (SW_SHOW).
    int RestorePlacement(HWND window, bool usePosition, bool useSize, bool show) const;

private:
    std::string name_;
    const SettingsStore& store_;
    bool enabled_;
};

}  // namespace services

#endif
