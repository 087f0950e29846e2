// Placement text format and parse.
#include "services/PlacementText.h"

#include <cctype>
#include <cstdint>

#include "services/MessageText.h"

namespace services {
namespace {

bool ReadInt(const std::string& text, std::size_t& pos, std::int32_t& value) {
    while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
    const std::size_t digitsStart = pos;
    std::int64_t magnitude = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        magnitude = magnitude * 10 + (text[pos++] - '0');
        if (magnitude > std::int64_t{INT32_MAX} + 1) return false;
    }
    if (pos == digitsStart) return false;
    const std::int64_t signedValue = negative ? -magnitude : magnitude;
    if (signedValue > INT32_MAX) return false;
    value = static_cast<std::int32_t>(signedValue);
    return true;
}

}  // namespace

std::string FormatPlacementText(const PlacementRecord& record) {
    return FormatText("%d %d %d %d %d", static_cast<int>(record.left), static_cast<int>(record.top),
                      static_cast<int>(record.right), static_cast<int>(record.bottom), static_cast<int>(record.state));
}

std::optional<PlacementRecord> ParsePlacementText(const std::string& text) {
    PlacementRecord record;
    std::size_t pos = 0;
    for (std::int32_t* field : {&record.left, &record.top, &record.right, &record.bottom, &record.state})
        if (!ReadInt(text, pos, *field)) return std::nullopt;
    return record;
}

std::string PlacementSettingPath(const std::string& windowName) { return ".\\Desktop\\" + windowName; }

}  // namespace services
