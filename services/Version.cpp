// Version packing and text.
#include "services/Version.h"

#include "services/MessageText.h"

namespace services {

ProductVersion PackProductVersion(std::uint32_t productVersionMS, std::uint32_t productVersionLS) {
    ProductVersion packed;
    packed.version = static_cast<int>((productVersionMS >> 16) * 256 + (productVersionMS & 0xFFFF));
    packed.build = static_cast<int>(productVersionLS >> 16);
    return packed;
}

std::string FormatVersion(const ProductVersion& version, const std::string& prefix) {
    const int major = version.version >> 8;
    const int minor = version.version % 256;
    if (version.build != 0) return FormatText("%s%d.%02d.%d", prefix.c_str(), major, minor, version.build);
    return FormatText("%s%d.%02d", prefix.c_str(), major, minor);
}

}  // namespace services
