// pemz-helpc <source> <output.hlp> [<resource script> <accelerator table>]:
// compiles a help source; the accelerator table, when given, fills the source's
// keyboard table.
// pemz-helpc --chm <source> <extra source> <folder> <name.chm> [<resource script> <accelerator table>]:
// writes the HTML Help project of the source, followed by the topics of the
// extra source, into the folder, for a CHM compiler to make <name.chm>.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "ChmWriter.h"
#include "HelpCompiler.h"
#include "HlpWriter.h"

namespace {

bool ReadFile(const char* path, std::string& text) {
    std::ifstream stream(path, std::ios::binary);
    std::ostringstream contents;
    contents << stream.rdbuf();
    text = contents.str();
    return static_cast<bool>(stream);
}

bool WriteFile(const std::string& path, const char* bytes, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes, static_cast<std::streamsize>(size));
    if (out.flush()) return true;
    std::fprintf(stderr, "pemz-helpc: cannot write %s\n", path.c_str());
    return false;
}

// The accelerator table `argv[0]` of the script `argv[1]`; false (reported) when unreadable.
bool ReadKeyboard(char** argv, helpc::AcceleratorTable& keyboard) {
    std::string script;
    if (!ReadFile(argv[0], script)) {
        std::fprintf(stderr, "pemz-helpc: cannot read %s\n", argv[0]);
        return false;
    }
    keyboard = helpc::ReadAccelerators(script, argv[1]);
    if (keyboard.error.empty()) return true;
    std::fprintf(stderr, "%s: %s\n", argv[0], keyboard.error.c_str());
    return false;
}

bool ReadModel(const char* path, const helpc::AcceleratorTable& keyboard, helpc::HelpModel& model) {
    std::string source;
    if (!ReadFile(path, source)) {
        std::fprintf(stderr, "pemz-helpc: cannot read %s\n", path);
        return false;
    }
    std::string error;
    model = helpc::ReadHelp(source, keyboard.entries, error);
    if (error.empty()) return true;
    std::fprintf(stderr, "%s: %s\n", path, error.c_str());
    return false;
}

int WriteHtmlHelpProject(int argc, char** argv) {
    helpc::AcceleratorTable keyboard;
    helpc::HelpModel model;
    helpc::HelpModel extra;
    if ((argc == 8 && !ReadKeyboard(argv + 6, keyboard)) || !ReadModel(argv[2], keyboard, model) ||
        !ReadModel(argv[3], {}, extra))
        return 1;
    for (helpc::Topic& topic : extra.topics) {
        for (const helpc::Topic& before : model.topics)
            if (helpc::ContextHash(before.context) == helpc::ContextHash(topic.context)) {
                std::fprintf(stderr, "%s: the topic %s is in %s too\n", argv[3], topic.context.c_str(), argv[2]);
                return 1;
            }
        model.topics.push_back(std::move(topic));
    }
    for (const helpc::ProjectFile& file : helpc::WriteChmProject(model, argv[5]))
        if (!WriteFile(std::string(argv[4]) + "/" + file.name, file.text.data(), file.text.size())) return 1;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::string(argv[1]) == "--chm" && (argc == 6 || argc == 8))
        return WriteHtmlHelpProject(argc, argv);
    if (argc != 3 && argc != 5) {
        std::fprintf(stderr,
                     "usage: pemz-helpc <source> <output.hlp> [<resource script> <accelerator table>]\n"
                     "       pemz-helpc --chm <source> <extra source> <folder> <name.chm> [<resource script> "
                     "<accelerator table>]\n");
        return 2;
    }
    helpc::AcceleratorTable keyboard;
    helpc::HelpModel model;
    if ((argc == 5 && !ReadKeyboard(argv + 3, keyboard)) || !ReadModel(argv[1], keyboard, model)) return 1;
    std::string error;
    const std::vector<std::uint8_t> bytes = helpc::WriteHlp(model, error);
    if (!error.empty()) {
        std::fprintf(stderr, "%s: %s\n", argv[1], error.c_str());
        return 1;
    }
    return WriteFile(argv[2], reinterpret_cast<const char*>(bytes.data()), bytes.size()) ? 0 : 1;
}
