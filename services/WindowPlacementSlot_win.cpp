// Saving and restoring a window's placement.
#include "services/WindowPlacementSlot.h"

#include <utility>

#include "services/PlacementText.h"
#include "services/ProgramSettings.h"

namespace services {

WindowPlacementSlot::WindowPlacementSlot(std::string name) : WindowPlacementSlot(std::move(name), ProgramSettings()) {}

WindowPlacementSlot::WindowPlacementSlot(std::string name, const SettingsStore& store)
    : name_(std::move(name)), store_(store), enabled_(true) {}

void WindowPlacementSlot::SavePlacement(HWND window) const {
    if (!enabled_ || name_.empty()) return;
    PlacementRecord record;
    record.state = static_cast<std::int32_t>(::IsIconic(window)   ? PlacementState::Minimized
                                             : ::IsZoomed(window) ? PlacementState::Maximized
                                                                  : PlacementState::Normal);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    record.left = placement.rcNormalPosition.left;
    record.top = placement.rcNormalPosition.top;
    record.right = placement.rcNormalPosition.right;
    record.bottom = placement.rcNormalPosition.bottom;
    store_.WriteSettingText(PlacementSettingPath(name_), FormatPlacementText(record));
}

int WindowPlacementSlot::RestorePlacement(HWND window, bool usePosition, bool useSize, bool show) const {
    if (!enabled_) return SW_SHOW;
    std::string text;
    std::optional<PlacementRecord> stored;
    if (!name_.empty() && store_.ReadSettingText(PlacementSettingPath(name_), text, std::string()))
        stored = ParsePlacementText(text);
    if (!stored) {
        if (show) ::ShowWindow(window, SW_SHOW);
        return SW_SHOW;
    }

    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    ::GetWindowPlacement(window, &placement);
    RECT& normal = placement.rcNormalPosition;
    // Sizes in 64 bits: any stored rectangle, however odd, is applied without overflow.
    const auto width = static_cast<LONG>(useSize ? std::int64_t{stored->right} - stored->left
                                                 : std::int64_t{normal.right} - normal.left);
    const auto height = static_cast<LONG>(useSize ? std::int64_t{stored->bottom} - stored->top
                                                  : std::int64_t{normal.bottom} - normal.top);
    const LONG left = usePosition ? stored->left : normal.left;
    const LONG top = usePosition ? stored->top : normal.top;
    normal =
        RECT{left, top, static_cast<LONG>(std::int64_t{left} + width), static_cast<LONG>(std::int64_t{top} + height)};

    const int command = stored->state == static_cast<std::int32_t>(PlacementState::Minimized)   ? SW_SHOWMINIMIZED
                        : stored->state == static_cast<std::int32_t>(PlacementState::Maximized) ? SW_SHOWMAXIMIZED
                                                                                                : SW_SHOW;
    placement.showCmd = show ? command : SW_HIDE;
    ::SetWindowPlacement(window, &placement);
    return command;
}

}  // namespace services
