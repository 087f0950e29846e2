// The program's pictures composed from the art sources: key faces, dialog
// button faces, icons and plain bitmaps, each as the bytes of its file.
#ifndef PEMZ_TOOLS_ARTGEN_FACES_H
#define PEMZ_TOOLS_ARTGEN_FACES_H

#include <map>
#include <string>
#include <vector>

#include "ArtText.h"

namespace art {

struct ArtSources {
    Font keyFont;                         // font-key.txt: labels of the keypad
    Font textFont;                        // font-text.txt: captions of the dialog buttons
    std::map<std::string, Image> images;  // every "image" block of the other sources
};

// Reads the sources from `dir`; throws std::runtime_error on a fault.
ArtSources LoadSources(const std::string& dir);

struct OutputFile {
    std::string name;  // file name, e.g. "key_add.bmp"
    std::vector<std::uint8_t> bytes;
};

// Every file the resource script names; throws if a source lacks something.
std::vector<OutputFile> MakeAllArt(const ArtSources& sources);

// The three images of one key (normal, focused, pushed), side by side.
Image MakeKeyStrip(const Font& font, const std::string& label, std::uint8_t ink, int height);

// The three images of a dialog button; `pushedPicture` replaces `picture` in the pushed image.
Image MakeButtonStrip(const Font& font, const std::string& caption, const Image& picture, const Image& pushedPicture);

}  // namespace art

#endif
