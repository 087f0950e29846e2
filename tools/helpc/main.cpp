// pemz-helpc <source> <output.hlp> [<resource script> <accelerator table>]:
// compiles a help source; the accelerator table, when given, fills the source's
// keyboard table.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "HelpCompiler.h"

namespace {

bool ReadFile(const char* path, std::string& text) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream contents;
    contents << stream.rdbuf();
    text = contents.str();
    return static_cast<bool>(stream);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr, "usage: pemz-helpc <source> <output.hlp> [<resource script> <accelerator table>]\n");
        return 2;
    }
    std::string source;
    if (!ReadFile(argv[1], source)) {
        std::fprintf(stderr, "pemz-helpc: cannot read %s\n", argv[1]);
        return 1;
    }
    helpc::AcceleratorTable keyboard;
    if (argc == 5) {
        std::string script;
        if (!ReadFile(argv[3], script)) {
            std::fprintf(stderr, "pemz-helpc: cannot read %s\n", argv[3]);
            return 1;
        }
        keyboard = helpc::ReadAccelerators(script, argv[4]);
        if (!keyboard.error.empty()) {
            std::fprintf(stderr, "%s: %s\n", argv[3], keyboard.error.c_str());
            return 1;
        }
    }
    const helpc::CompiledHelp help = helpc::CompileHelp(source, keyboard.entries);
    if (!help.error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], help.error.c_str());
        return 1;
    }
    std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(help.bytes.data()), static_cast<std::streamsize>(help.bytes.size()));
    if (!out.flush()) {
        std::fprintf(stderr, "pemz-helpc: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
