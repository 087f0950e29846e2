// Composition of the key faces and dialog button faces, and the list of files.
#include "Faces.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace art {
namespace {

constexpr int kKeyWidth = 20;
constexpr int kButtonWidth = 63;
constexpr int kButtonHeight = 39;

struct KeyFace {
    const char* file;
    const char* label;  // drawn with font-key.txt
    Colour ink;
    int height;
};

// Label colours say what a key does: digits and entry blue, operators red,
// memory navy, clearing maroon.
// clang-format off
constexpr KeyFace kKeys[] = {
    {"key_0", "0", kBlue, 20},           {"key_1", "1", kBlue, 20},
    {"key_2", "2", kBlue, 20},           {"key_3", "3", kBlue, 20},
    {"key_4", "4", kBlue, 20},           {"key_5", "5", kBlue, 20},
    {"key_6", "6", kBlue, 20},           {"key_7", "7", kBlue, 20},
    {"key_8", "8", kBlue, 20},           {"key_9", "9", kBlue, 20},
    {"key_add", "+", kRed, 20},          {"key_subtract", "-", kRed, 20},
    {"key_multiply", "*", kRed, 20},     {"key_divide", "/", kRed, 20},
    {"key_sign", "+/-", kBlue, 20},      {"key_point", ",", kBlue, 20},
    {"key_percent", "%", kRed, 20},      {"key_memory_add", "M+", kNavy, 20},
    {"key_memory_store", "MS", kNavy, 20}, {"key_equals", "=", kRed, 50},
    {"key_clear", "C", kMaroon, 20},     {"key_clear_entry", "CE", kMaroon, 20},
    {"key_backspace", "<-", kMaroon, 20}, {"key_memory_recall", "MR", kNavy, 20},
    {"key_memory_clear", "MC", kNavy, 20}, {"key_reciprocal", "1/x", kRed, 20},
};
// clang-format on

struct ButtonFace {
    const char* file;
    const char* caption;
    const char* picture;
    const char* pushedPicture;
};

constexpr ButtonFace kButtons[] = {
    {"button_ok", "&Ok", "ok", "ok"},
    {"button_cancel", "&Annul.", "cancel", "cancel"},
    {"button_exit", "S&ortir", "exit", "exit-open"},
};

struct IconFile {
    const char* file;
    const char* large;  // 32x32
    const char* small;  // 16x16
};

constexpr IconFile kIcons[] = {
    {"icon_program", "program-32", "program-16"},
    {"icon_euro", "euro-32", "euro-16"},
    {"icon_franc", "franc-32", "franc-16"},
};

struct PictureFile {
    const char* file;
    const char* image;
};

constexpr PictureFile kPictures[] = {
    {"logo", "logo"},
    {"contact", "contact"},
    {"lookup", "lookup"},
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

const Image& Find(const ArtSources& sources, const std::string& name) {
    const auto found = sources.images.find(name);
    if (found == sources.images.end()) throw std::runtime_error("no image '" + name + "' in the art sources");
    return found->second;
}

// One key image. Raised: a white edge at the top and left, a two-pixel grey
// edge at the bottom and right. Pushed: flat, with a grey line at the top and
// left, the label one pixel right and down.
Image MakeKeyImage(const Font& font, const std::string& label, std::uint8_t ink, int height, bool pushed) {
    Image image(kKeyWidth, height, kSilver);
    if (pushed) {
        image.Fill(0, 0, kKeyWidth, 1, kGrey);
        image.Fill(0, 0, 1, height, kGrey);
    } else {
        image.Fill(0, 0, kKeyWidth - 1, 1, kWhite);
        image.Fill(0, 0, 1, height - 1, kWhite);
        image.Fill(1, height - 2, kKeyWidth - 1, 2, kGrey);
        image.Fill(kKeyWidth - 2, 1, 2, height - 1, kGrey);
    }
    const Image text = RenderText(font, label, ink, 1);
    // Centred on the raised face between the white edge and the grey one.
    const int faceWidth = kKeyWidth - 3;
    const int faceHeight = height - 3;
    const int shift = pushed ? 1 : 0;
    image.Draw(text, 1 + (faceWidth - text.width + 1) / 2 + shift, 1 + (faceHeight - text.height + 1) / 2 + shift);
    return image;
}

// A dotted rectangle, every other pixel black, as the system draws focus.
void DrawFocusRectangle(Image& image, int left, int top, int right, int bottom) {
    for (int x = left; x <= right; ++x) {
        if ((x + top) % 2 == 0) image.Set(x, top, kBlack);
        if ((x + bottom) % 2 == 0) image.Set(x, bottom, kBlack);
    }
    for (int y = top; y <= bottom; ++y) {
        if ((left + y) % 2 == 0) image.Set(left, y, kBlack);
        if ((right + y) % 2 == 0) image.Set(right, y, kBlack);
    }
}

// index 0 normal, 1 focused, 2 pushed.
Image MakeButtonImage(const Font& font, const std::string& caption, const Image& picture, int index) {
    Image image(kButtonWidth, kButtonHeight, kSilver);
    const int w = kButtonWidth;
    const int h = kButtonHeight;
    if (index == 2) {
        image.Fill(0, 0, w - 1, 1, kGrey);
        image.Fill(0, 0, 1, h - 1, kGrey);
    } else {
        image.Fill(0, 0, w - 1, 1, kWhite);
        image.Fill(0, 0, 1, h - 1, kWhite);
        image.Fill(1, h - 2, w - 2, 1, kGrey);
        image.Fill(w - 2, 1, 1, h - 2, kGrey);
    }
    // The image's own outline: black on the lower and right edges.
    image.Fill(0, h - 1, w, 1, kBlack);
    image.Fill(w - 1, 0, 1, h, kBlack);

    const int shift = index == 2 ? 1 : 0;
    const int pictureX = 3;
    image.Draw(picture, pictureX + shift, (h - 1 - picture.height) / 2 + shift);

    const Image text = RenderText(font, caption, kBlack, 1);
    const int textLeft = pictureX + picture.width + 2;
    const int textRight = w - 4;  // exclusive
    const int tx = textLeft + (textRight - textLeft - text.width) / 2 + shift;
    const int ty = (h - 1 - text.height) / 2 + shift;
    image.Draw(text, tx, ty);
    if (index != 0) DrawFocusRectangle(image, tx - 2, ty - 2, tx + text.width + 1, ty + text.height + 1);
    return image;
}

}  // namespace

ArtSources LoadSources(const std::string& dir) {
    ArtSources sources;
    sources.keyFont = ParseFont(ReadFile(dir + "/font-key.txt"), "font-key.txt");
    sources.textFont = ParseFont(ReadFile(dir + "/font-text.txt"), "font-text.txt");
    for (const char* name : {"buttons.txt", "icons.txt", "pictures.txt"}) {
        for (auto& [key, image] : ParseImages(ReadFile(dir + "/" + name), name))
            if (!sources.images.emplace(key, std::move(image)).second)
                throw std::runtime_error(std::string(name) + ": image '" + key + "' defined in two sources");
    }
    return sources;
}

Image MakeKeyStrip(const Font& font, const std::string& label, std::uint8_t ink, int height) {
    const Image raised = MakeKeyImage(font, label, ink, height, false);
    return SideBySide({raised, raised, MakeKeyImage(font, label, ink, height, true)});
}

Image MakeButtonStrip(const Font& font, const std::string& caption, const Image& picture, const Image& pushedPicture) {
    return SideBySide({MakeButtonImage(font, caption, picture, 0), MakeButtonImage(font, caption, picture, 1),
                       MakeButtonImage(font, caption, pushedPicture, 2)});
}

std::vector<OutputFile> MakeAllArt(const ArtSources& sources) {
    std::vector<OutputFile> files;
    for (const KeyFace& key : kKeys)
        files.push_back(
            {std::string(key.file) + ".bmp", EncodeBmp(MakeKeyStrip(sources.keyFont, key.label, key.ink, key.height))});
    for (const ButtonFace& button : kButtons)
        files.push_back({std::string(button.file) + ".bmp",
                         EncodeBmp(MakeButtonStrip(sources.textFont, button.caption, Find(sources, button.picture),
                                                   Find(sources, button.pushedPicture)))});
    for (const IconFile& icon : kIcons) {
        const Image& large = Find(sources, icon.large);
        const Image& small = Find(sources, icon.small);
        if (large.width != 32 || large.height != 32 || small.width != 16 || small.height != 16)
            throw std::runtime_error(std::string(icon.file) + ": icon images must be 32x32 and 16x16");
        files.push_back({std::string(icon.file) + ".ico", EncodeIco({large, small})});
    }
    for (const PictureFile& picture : kPictures)
        files.push_back({std::string(picture.file) + ".bmp", EncodeBmp(Find(sources, picture.image))});
    return files;
}

}  // namespace art
