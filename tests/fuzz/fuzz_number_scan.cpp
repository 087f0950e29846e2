// The decimal scanner against the C library's strtod over any text: both read
// the same numbers to the same double, and the scanner refuses what is not a
// decimal number (hexadecimal, "inf", "nan", a sign or point alone).
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/NumberText.h"
#include "tests/fuzz/FuzzInput.h"

namespace {

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// The text cut where a decimal number can no longer go on: strtod on it reads
// only decimal forms.
std::string DecimalPrefix(const std::string& text) {
    std::size_t at = 0;
    while (at < text.size() && IsCSpace(text[at])) ++at;
    while (at < text.size() && std::strchr("0123456789.eE+-", text[at]) != nullptr && text[at] != '\0') ++at;
    return text.substr(0, at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    double scanned = 12345.0;
    const int read = calc::ScanNumber(text, scanned);
    FUZZ_CHECK(read == 0 || read == 1);

    const std::string prefix = DecimalPrefix(text);
    char* end = nullptr;
    const double expected = std::strtod(prefix.c_str(), &end);
    const bool strtodRead = end != prefix.c_str();
    FUZZ_CHECK((read == 1) == strtodRead);
    if (read == 1)
        FUZZ_CHECK(std::memcmp(&scanned, &expected, sizeof scanned) == 0);  // -0 and infinities included
    else
        FUZZ_CHECK(scanned == 12345.0);
    return 0;
}
