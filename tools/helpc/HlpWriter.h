// Lays a help model out as a WinHelp 3.1 file: the internal file system and
// its directory tree, |SYSTEM, |TOPIC (uncompressed 4 KiB blocks), |CONTEXT,
// |TTLBTREE, |FONT, |KWBTREE and |KWDATA.
#ifndef PEMZ_TOOLS_HELPC_HLPWRITER_H
#define PEMZ_TOOLS_HELPC_HLPWRITER_H

#include <cstdint>
#include <string>
#include <vector>

#include "HelpModel.h"

namespace helpc {

// The file's bytes; empty with `error` set when the model does not fit the format.
std::vector<std::uint8_t> WriteHlp(const HelpModel& model, std::string& error);

}  // namespace helpc

#endif
