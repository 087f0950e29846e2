// pemz-artgen <art source dir> <output dir>: writes every bitmap and icon of
// the program, then "art.stamp", on which the build's rules depend.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "Faces.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: pemz-artgen <art source dir> <output dir>\n");
        return 2;
    }
    try {
        const std::filesystem::path out = argv[2];
        std::filesystem::create_directories(out);
        for (const art::OutputFile& file : art::MakeAllArt(art::LoadSources(argv[1]))) {
            std::ofstream stream(out / file.name, std::ios::binary | std::ios::trunc);
            stream.write(reinterpret_cast<const char*>(file.bytes.data()),
                         static_cast<std::streamsize>(file.bytes.size()));
            if (!stream.flush()) throw std::runtime_error("cannot write " + (out / file.name).string());
        }
        std::ofstream stamp(out / "art.stamp", std::ios::trunc);
        stamp << "art generated\n";
        if (!stamp.flush()) throw std::runtime_error("cannot write the stamp");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pemz-artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
