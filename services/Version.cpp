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

namespace {

std::uint32_t Word16(const unsigned char* at) { return at[0] | static_cast<std::uint32_t>(at[1]) << 8; }
std::uint32_t Word32(const unsigned char* at) { return Word16(at) | Word16(at + 2) << 16; }

}  // namespace

std::optional<ProductVersion> ProductVersionOfResource(const unsigned char* data, std::size_t size) {
    // wLength, wValueLength, wType, then the key in UTF-16 and its terminator,
    // padded to 32 bits, then VS_FIXEDFILEINFO.
    static const char kKey[] = "VS_VERSION_INFO";
    constexpr std::size_t kKeyAt = 6;
    constexpr std::size_t kFixedAt = (kKeyAt + sizeof kKey * 2 + 3) / 4 * 4;
    constexpr std::size_t kFixedSize = 52;
    constexpr std::uint32_t kSignature = 0xFEEF04BD;
    if (!data || size < kFixedAt + kFixedSize || Word16(data + 2) < kFixedSize) return std::nullopt;
    for (std::size_t i = 0; i < sizeof kKey; ++i)
        if (Word16(data + kKeyAt + 2 * i) != static_cast<unsigned char>(kKey[i])) return std::nullopt;
    const unsigned char* fixed = data + kFixedAt;
    if (Word32(fixed) != kSignature) return std::nullopt;
    return PackProductVersion(Word32(fixed + 16), Word32(fixed + 20));
}

std::string FormatVersion(const ProductVersion& version, const std::string& prefix) {
    const int major = version.version >> 8;
    const int minor = version.version % 256;
    if (version.build != 0) return FormatText("%s%d.%02d.%d", prefix.c_str(), major, minor, version.build);
    return FormatText("%s%d.%02d", prefix.c_str(), major, minor);
}

}  // namespace services
