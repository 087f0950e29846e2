// Parsing of the art sources and text rendering with their fonts.
#include "ArtText.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace art {
namespace {

struct Block {
    std::string kind;
    std::string name;
    int line = 0;
    std::vector<std::string> rows;
};

[[noreturn]] void Fail(const std::string& source, int line, const std::string& what) {
    throw std::runtime_error(source + ":" + std::to_string(line) + ": " + what);
}

std::vector<Block> ParseBlocks(const std::string& text, const std::string& source) {
    std::vector<Block> blocks;
    std::istringstream in(text);
    std::string line;
    bool inBlock = false;
    for (int number = 1; std::getline(in, line); ++number) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) {
            inBlock = false;
        } else if (inBlock) {
            if (line.size() != blocks.back().rows.front().size())
                Fail(source, number, "row width differs from the block's first row");
            blocks.back().rows.push_back(line);
        } else if (line[0] == '#') {
            continue;
        } else {
            const auto space = line.find(' ');
            if (space == std::string::npos || space + 1 >= line.size())
                Fail(source, number, "expected '<kind> <name>'");
            blocks.push_back(Block{line.substr(0, space), line.substr(space + 1), number, {}});
            if (!std::getline(in, line) || line.empty()) Fail(source, number, "block without rows");
            ++number;
            if (line.back() == '\r') line.pop_back();
            blocks.back().rows.push_back(line);
            inBlock = true;
        }
    }
    return blocks;
}

std::uint8_t ColourOf(char c) {
    static const std::string kLetters = "kmgonpt.drlybfcw";
    if (c == '_') return kClear;
    const auto i = kLetters.find(c);
    return i == std::string::npos ? 0xFE : static_cast<std::uint8_t>(i);
}

Image ToImage(const Block& block, const std::string& source, bool glyph) {
    Image image(static_cast<int>(block.rows.front().size()), static_cast<int>(block.rows.size()), kClear);
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            const char c = block.rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            std::uint8_t colour = glyph ? (c == '#' ? kBlack : c == '.' ? kClear : 0xFE) : ColourOf(c);
            if (colour == 0xFE) Fail(source, block.line + 1 + y, std::string("unknown pixel '") + c + "'");
            image.Set(x, y, colour);
        }
    }
    return image;
}

}  // namespace

std::map<std::string, Image> ParseImages(const std::string& text, const std::string& source) {
    std::map<std::string, Image> images;
    for (const Block& block : ParseBlocks(text, source)) {
        if (block.kind != "image") Fail(source, block.line, "expected an image block");
        if (!images.emplace(block.name, ToImage(block, source, false)).second)
            Fail(source, block.line, "image '" + block.name + "' defined twice");
    }
    return images;
}

Font ParseFont(const std::string& text, const std::string& source) {
    Font font;
    for (const Block& block : ParseBlocks(text, source)) {
        if (block.kind != "glyph" || block.name.find('&') != std::string::npos)
            Fail(source, block.line, "expected 'glyph <text>' without '&'");
        Image glyph = ToImage(block, source, true);
        if (font.height == 0) font.height = glyph.height;
        if (glyph.height != font.height) Fail(source, block.line, "glyph height differs from the font's");
        if (!font.glyphs.emplace(block.name, std::move(glyph)).second)
            Fail(source, block.line, "glyph '" + block.name + "' defined twice");
    }
    if (font.glyphs.empty()) Fail(source, 1, "font without glyphs");
    return font;
}

Image RenderText(const Font& font, const std::string& text, std::uint8_t ink, int spacing) {
    struct Placed {
        const Image* glyph;
        int x;
        bool underlined;
    };
    std::vector<Placed> placed;
    int width = 0;
    bool underlineNext = false;
    bool anyUnderline = false;
    for (size_t at = 0; at < text.size();) {
        if (text[at] == '&' && !underlineNext) {
            underlineNext = anyUnderline = true;
            ++at;
            continue;
        }
        const Image* glyph = nullptr;
        size_t length = 0;
        for (const auto& [name, image] : font.glyphs) {
            if (name.size() > length && text.compare(at, name.size(), name) == 0) {
                glyph = &image;
                length = name.size();
            }
        }
        if (!glyph) throw std::runtime_error("no glyph for '" + text.substr(at, 1) + "'");
        if (!placed.empty()) width += spacing;
        placed.push_back({glyph, width, underlineNext});
        width += glyph->width;
        underlineNext = false;
        at += length;
    }
    if (placed.empty()) throw std::runtime_error("empty text");
    Image out(width, font.height + (anyUnderline ? 2 : 0), kClear);
    for (const Placed& p : placed) {
        for (int y = 0; y < p.glyph->height; ++y)
            for (int x = 0; x < p.glyph->width; ++x)
                if (p.glyph->At(x, y) != kClear) out.Set(p.x + x, y, ink);
        if (p.underlined) out.Fill(p.x, font.height + 1, p.glyph->width, 1, ink);
    }
    return out;
}

}  // namespace art
