// Formatting of message texts.
#include "services/MessageText.h"

#include <cstdio>
#include <vector>

namespace services {

std::string FormatTextV(const char* format, va_list args) {
    va_list measure;
    va_copy(measure, args);
    const int length = std::vsnprintf(nullptr, 0, format, measure);
    va_end(measure);
    if (length <= 0) return std::string();
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

std::string FormatText(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = FormatTextV(format, args);
    va_end(args);
    return text;
}

std::string MessageFormatForId(const StringTable& strings, unsigned id) {
    std::string format = strings.Load(id);
    if (format.empty()) format = FormatText("Erreur n°%d", static_cast<int>(id));
    return format;
}

}  // namespace services
