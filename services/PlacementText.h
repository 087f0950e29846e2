// The stored form of a window placement: five decimal integers, "%d %d %d %d %d".
#ifndef PEMZ_SERVICES_PLACEMENTTEXT_H
#define PEMZ_SERVICES_PLACEMENTTEXT_H

#include <cstdint>
#include <optional>
#include <string>

namespace services {

enum class PlacementState : std::int32_t { Normal = 0, Minimized = 1, Maximized = 2 };

struct PlacementRecord {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
    std::int32_t state = 0;  // a PlacementState code; other stored values mean normal
};

std::string FormatPlacementText(const PlacementRecord& record);
// Reads five integers as "%d %d %d %d %d" does (white space before each number,
// optional sign); anything after the fifth is ignored. Fewer than five, or a
// number outside the 32-bit range: nothing.
std::optional<PlacementRecord> ParsePlacementText(const std::string& text);

// ".\Desktop\<name>"
std::string PlacementSettingPath(const std::string& windowName);

}  // namespace services

#endif
