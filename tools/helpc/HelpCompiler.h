// The help compiler: a help source text (UTF-8, the format described in
// res/help/PemzCalc.txt) and the program's keyboard accelerators in, the bytes
// of a WinHelp 3.1 file (.HLP, texts in Windows-1252) out. Pure functions: no
// file or console access, any input gives either bytes or an error message.
#ifndef PEMZ_TOOLS_HELPC_HELPCOMPILER_H
#define PEMZ_TOOLS_HELPC_HELPCOMPILER_H

#include <cstdint>
#include <string>
#include <vector>

#include "HelpModel.h"

namespace helpc {

// One entry of a resource script's ACCELERATORS table.
struct Accelerator {
    std::string key;  // as written: "%" (quotes included), VK_DOWN, 8
    bool virtualKey = false;
    bool control = false;
    bool shift = false;
    bool alt = false;
    std::string command;  // the command's name as written (IDC_KEY_0)
};

struct AcceleratorTable {
    std::vector<Accelerator> entries;
    std::string error;  // empty when the table was read
};

// The entries of the table named `name` in a resource script, in their order.
AcceleratorTable ReadAccelerators(const std::string& resourceScript, const std::string& name);

struct CompiledHelp {
    std::vector<std::uint8_t> bytes;  // the .HLP file; empty on error
    std::string error;                // "line N: what is wrong" on error
};

// The parsed source, for writers other than WinHelp's; `error` is set when it cannot be read.
HelpModel ReadHelp(const std::string& source, const std::vector<Accelerator>& keyboard, std::string& error);

CompiledHelp CompileHelp(const std::string& source, const std::vector<Accelerator>& keyboard);

// The viewer's hash of a context name: topics are found by it.
std::uint32_t ContextHash(const std::string& context);

}  // namespace helpc

#endif
