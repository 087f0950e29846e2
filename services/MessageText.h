// printf-style formatting into a text of whatever length the arguments need.
#ifndef PEMZ_SERVICES_MESSAGETEXT_H
#define PEMZ_SERVICES_MESSAGETEXT_H

#include <cstdarg>
#include <string>

#include "services/StringTable.h"

namespace services {

std::string FormatText(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
std::string FormatTextV(const char* format, va_list args) __attribute__((format(gnu_printf, 1, 0)));

// The format shown for a message identifier: its string-table entry, or
// "Erreur n°<id>" when the table has none.
std::string MessageFormatForId(const StringTable& strings, unsigned id);

}  // namespace services

#endif
