// The help compiler over any source text and any accelerator table: it gives
// either a help file or an error, never both; a help file has the format's
// header with its own size; the same input always gives the same bytes.
#include <cstdint>
#include <cstring>
#include <string>

#include "tests/fuzz/FuzzInput.h"
#include "tools/helpc/HelpCompiler.h"

namespace {

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + at, sizeof value);
    return value;  // little-endian, as the file and this machine are
}

}  // namespace

// Input: the help source, a zero byte, then a resource script whose table IDR_MAIN
// gives the keyboard.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = input.find('\0');
    const std::string source = input.substr(0, cut);
    const std::string script = cut == std::string::npos ? std::string() : input.substr(cut + 1);

    const helpc::AcceleratorTable table = helpc::ReadAccelerators(script, "IDR_MAIN");
    if (table.error.empty())
        for (const helpc::Accelerator& entry : table.entries) FUZZ_CHECK(!entry.key.empty() && !entry.command.empty());

    const helpc::CompiledHelp help = helpc::CompileHelp(source, table.entries);
    FUZZ_CHECK(help.bytes.empty() != help.error.empty());
    if (!help.bytes.empty()) {
        FUZZ_CHECK(help.bytes.size() >= 16);
        FUZZ_CHECK(Read32(help.bytes, 0) == 0x00035F3F);        // the WinHelp magic
        FUZZ_CHECK(Read32(help.bytes, 4) < help.bytes.size());  // the directory lies inside
        FUZZ_CHECK(Read32(help.bytes, 12) == help.bytes.size());
    }
    const helpc::CompiledHelp again = helpc::CompileHelp(source, table.entries);
    FUZZ_CHECK(again.bytes == help.bytes && again.error == help.error);
    return 0;
}
