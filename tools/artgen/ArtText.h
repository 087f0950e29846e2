// Reads the reviewable art sources: pictures drawn as text and pixel fonts.
//
// A source is a series of blocks separated by blank lines. A block starts with
// a header line, "image <name>" or "glyph <text>", followed by its rows of
// pixels. Lines starting with '#' between blocks are comments.
//
// Image rows use one letter per pixel from the 16-colour palette:
//   k black   m maroon  g green   o olive   n navy   p purple  t teal   . silver
//   d grey    r red     l lime    y yellow  b blue   f fuchsia c aqua   w white
//   _ clear (transparent in icons; lets the background through in overlays)
// Glyph rows use '#' for ink and '.' for paper; every glyph of a font has the
// same number of rows. A glyph usually draws one character; one named by
// several characters draws them as one piece where they occur together.
#ifndef PEMZ_TOOLS_ARTGEN_ARTTEXT_H
#define PEMZ_TOOLS_ARTGEN_ARTTEXT_H

#include <map>
#include <string>

#include "Image.h"

namespace art {

struct Font {
    int height = 0;
    std::map<std::string, Image> glyphs;  // by the text they draw; ink kBlack, paper kClear
};

// Both throw std::runtime_error naming `source` and the line of a fault.
std::map<std::string, Image> ParseImages(const std::string& text, const std::string& source);
Font ParseFont(const std::string& text, const std::string& source);

// `text` in `ink`, glyphs `spacing` pixels apart, on a clear background. An
// '&' underlines the next glyph, one row below the glyphs; the image then has
// two more rows. At each place the glyph for the longest text is used. Throws
// for text the font lacks.
Image RenderText(const Font& font, const std::string& text, std::uint8_t ink, int spacing);

}  // namespace art

#endif
