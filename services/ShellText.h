// Texts built for the shell: the browser command line, the version text and
// the pieces of the executable's path used by the self-registration.
#ifndef PEMZ_SERVICES_SHELLTEXT_H
#define PEMZ_SERVICES_SHELLTEXT_H

#include <cstdint>
#include <string>

namespace services {

// The open command cut at its first " %1" (a quoted "%1" is kept), then one space
// and the address. The result has whatever length it needs.
std::string BuildBrowserCommand(const std::string& openCommand, const std::string& url);

// Product version words of VS_FIXEDFILEINFO packed as the program keeps them:
// version = first * 256 + second (so a second number above 255 spills into the
// first), build = third; the fourth is never used.
struct ProductVersion {
    int version = 0;
    int build = 0;
};
ProductVersion PackProductVersion(std::uint32_t productVersionMS, std::uint32_t productVersionLS);
// "%s%d.%02d.%d" with the build, "%s%d.%02d" without (build 0).
std::string FormatVersion(const ProductVersion& version, const std::string& prefix = std::string());

// The path cut after its last '\' or ':' (the separator stays); "" when it has none.
std::string DirectoryOfPath(const std::string& path);

}  // namespace services

#endif
