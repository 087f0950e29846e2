// The version text of the about box, from the product version of the executable's
// version resource.
#ifndef PEMZ_SERVICES_VERSION_H
#define PEMZ_SERVICES_VERSION_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace services {

// The product version words of VS_FIXEDFILEINFO packed as the program keeps them:
// version = first * 256 + second (a second number above 255 spills into the first),
// build = third; the fourth is never used.
struct ProductVersion {
    int version = 0;
    int build = 0;
};
ProductVersion PackProductVersion(std::uint32_t productVersionMS, std::uint32_t productVersionLS);
// The product version of a VS_VERSIONINFO resource's bytes as the module holds them
// (the resource itself, no file needed); nothing when they hold no fixed record.
std::optional<ProductVersion> ProductVersionOfResource(const unsigned char* data, std::size_t size);
// "%s%d.%02d.%d" with a build, "%s%d.%02d" without one (build 0).
std::string FormatVersion(const ProductVersion& version, const std::string& prefix = std::string());

#ifdef _WIN32
// The product version of the file at path ("": the running executable's own resource,
// read without its path); false, and both numbers 0, when it has no readable one.
bool ReadProductVersion(ProductVersion& version, const std::string& path = std::string());
// The running executable's version text: "Version 1.00" for the prefix "Version ".
std::string FormatVersion(const std::string& prefix);
#endif

}  // namespace services

#endif
