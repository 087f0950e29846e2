// Tests of the BMP/ICO encoders, the art source parser, and the art the build makes.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "ArtText.h"
#include "Faces.h"

namespace art {
namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& b, size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
unsigned U16At(const std::vector<std::uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

TEST(EncodeBmp, WritesHeaderPaletteAndPaddedBottomUpRows) {
    Image image(3, 2, kSilver);
    image.Set(0, 0, kRed);   // top-left
    image.Set(2, 1, kBlue);  // bottom-right
    const auto b = EncodeBmp(image);

    ASSERT_EQ(b.size(), 14u + 40 + 64 + 2 * 4);  // rows of 3 pixels padded to 4 bytes
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32At(b, 2), b.size());
    EXPECT_EQ(U32At(b, 10), 118u);  // pixel data offset
    EXPECT_EQ(U32At(b, 14), 40u);
    EXPECT_EQ(U32At(b, 18), 3u);
    EXPECT_EQ(U32At(b, 22), 2u);  // positive: bottom-up
    EXPECT_EQ(U16At(b, 26), 1u);
    EXPECT_EQ(U16At(b, 28), 4u);
    EXPECT_EQ(U32At(b, 30), 0u);  // BI_RGB
    EXPECT_EQ(U32At(b, 34), 8u);
    // Palette entries are blue, green, red, 0.
    EXPECT_EQ(U32At(b, 54 + 4 * kBlue), 0x000000FFu);
    EXPECT_EQ(U32At(b, 54 + 4 * kRed), 0x00FF0000u);
    EXPECT_EQ(U32At(b, 54 + 4 * kSilver), 0x00C0C0C0u);
    // First stored row is the bottom one, high nibble first, zero padding.
    const std::vector<std::uint8_t> bottom(b.begin() + 118, b.begin() + 122);
    const std::vector<std::uint8_t> top(b.begin() + 122, b.begin() + 126);
    EXPECT_EQ(bottom, (std::vector<std::uint8_t>{0x77, 0xC0, 0, 0}));
    EXPECT_EQ(top, (std::vector<std::uint8_t>{0x97, 0x70, 0, 0}));
}

// Reads a 4-bit BMP back, by the format's rules rather than the encoder's: every
// pixel must be set, no row overrun, and the stream must end where it says.
Image DecodeBmp(const std::vector<std::uint8_t>& b) {
    const auto width = static_cast<int>(U32At(b, 18));
    const auto height = static_cast<int>(U32At(b, 22));
    const size_t start = U32At(b, 10);
    const size_t end = start + U32At(b, 34);
    EXPECT_EQ(end, b.size());
    EXPECT_EQ(U32At(b, 2), b.size());
    Image image(width, height, kClear);
    const auto nibble = [&](size_t at, size_t k) { return k % 2 ? b[at + k / 2] & 15 : b[at + k / 2] >> 4; };
    if (U32At(b, 30) == 0) {
        const size_t rowBytes = (static_cast<size_t>(width) + 7) / 8 * 4;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                image.Set(x, height - 1 - y, static_cast<std::uint8_t>(nibble(start + y * rowBytes, x)));
        return image;
    }
    EXPECT_EQ(U32At(b, 30), 2u);  // BI_RLE4
    int x = 0;
    int y = height - 1;
    bool ended = false;
    for (size_t at = start; !ended && at + 2 <= end;) {
        const unsigned count = b[at];
        const unsigned value = b[at + 1];
        at += 2;
        if (count > 0) {
            for (unsigned k = 0; k < count; ++k, ++x)
                image.Set(x, y, static_cast<std::uint8_t>(k % 2 ? value & 15 : value >> 4));
            continue;
        }
        if (value < 2) {  // end of the row, or of the bitmap
            EXPECT_EQ(x, width) << "row " << y;
            if (value == 1) {
                EXPECT_EQ(y, 0);
                EXPECT_EQ(at, end) << "bytes after the end of the bitmap";
                ended = true;
                continue;
            }
            x = 0;
            --y;
            continue;
        }
        EXPECT_NE(value, 2u) << "delta escape";
        for (unsigned k = 0; k < value; ++k, ++x) image.Set(x, y, static_cast<std::uint8_t>(nibble(at, k)));
        at += ((value + 1) / 2 + 1) / 2 * 2;  // word-aligned
    }
    EXPECT_TRUE(ended) << "no end of the bitmap";
    for (std::uint8_t c : image.pixels) EXPECT_NE(c, kClear) << "pixel left unset";
    return image;
}

TEST(EncodeBmp, CompressesWhenSmallerAndDecodesToTheSamePixels) {
    // Runs longer than 255 pixels, alternating pairs, and stretches of unlike
    // pixels of odd and even lengths.
    Image image(301, 4, kSilver);
    for (int x = 0; x < 301; x += 2) image.Set(x, 1, kRed);
    for (int x = 0; x < 301; ++x) image.Set(x, 2, static_cast<std::uint8_t>(x * 7 % 16));
    for (int x = 0; x < 9; ++x) image.Set(100 + x, 3, static_cast<std::uint8_t>(x));
    const auto b = EncodeBmp(image);
    EXPECT_EQ(U32At(b, 30), 2u);
    EXPECT_LT(b.size(), 118u + 152 * 4);
    EXPECT_EQ(DecodeBmp(b).pixels, image.pixels);

    for (int width : {1, 2, 3, 4, 5}) {  // tiny images stay plain
        Image small(width, 2, kTeal);
        small.Set(0, 0, kYellow);
        const auto plain = EncodeBmp(small);
        EXPECT_EQ(U32At(plain, 30), 0u) << width;
        EXPECT_EQ(DecodeBmp(plain).pixels, small.pixels) << width;
    }
}

TEST(EncodeBmp, RefusesTransparentPixels) {
    Image image(2, 2, kSilver);
    image.Set(1, 1, kClear);
    EXPECT_THROW(EncodeBmp(image), std::invalid_argument);
}

TEST(EncodeIco, WritesDirectoryDoubledHeightAndMask) {
    Image large(32, 32, kBlue);
    Image small(16, 16, kClear);
    small.Set(0, 15, kWhite);  // bottom-left opaque, the rest transparent
    const auto b = EncodeIco({large, small});

    EXPECT_EQ(U16At(b, 0), 0u);
    EXPECT_EQ(U16At(b, 2), 1u);
    ASSERT_EQ(U16At(b, 4), 2u);
    const size_t largeSize = 40 + 64 + 32 * 16 + 32 * 4;
    const size_t smallSize = 40 + 64 + 16 * 8 + 16 * 4;  // mask rows of 16 pixels padded to 4 bytes
    EXPECT_EQ(b[6], 32);
    EXPECT_EQ(b[7], 32);
    EXPECT_EQ(U16At(b, 6 + 6), 4u);
    EXPECT_EQ(U32At(b, 6 + 8), largeSize);
    EXPECT_EQ(U32At(b, 6 + 12), 38u);
    EXPECT_EQ(b[22], 16);
    EXPECT_EQ(U32At(b, 22 + 8), smallSize);
    const size_t at = U32At(b, 22 + 12);
    EXPECT_EQ(at, 38u + largeSize);
    ASSERT_EQ(b.size(), at + smallSize);

    EXPECT_EQ(U32At(b, at + 8), 32u);  // 16 colour rows plus 16 mask rows
    const size_t colour = at + 40 + 64;
    const size_t mask = colour + 16 * 8;
    EXPECT_EQ(b[colour], 0xF0);  // bottom row: white, then clear as black
    EXPECT_EQ(b[mask], 0x7F);    // bottom row: first pixel opaque
    EXPECT_EQ(b[mask + 1], 0xFF);
    EXPECT_EQ(b[mask + 2], 0x00);                     // padding
    EXPECT_EQ(b[mask + 4], 0xFF);                     // next row all transparent
    EXPECT_EQ(U32At(b, 38 + 40 + 64), 0xCCCCCCCCu);   // large image: blue pixels
    EXPECT_EQ(U32At(b, 38 + 40 + 64 + 32 * 16), 0u);  // ...and an all-opaque mask
}

TEST(ArtText, ParsesImagesAndFontsAndReportsFaultsWithTheirLine) {
    const auto images = ParseImages("# a comment\nimage a\nkr\n_w\n\nimage b\nb\n", "t.txt");
    ASSERT_EQ(images.size(), 2u);
    const Image& a = images.at("a");
    EXPECT_EQ(a.width, 2);
    EXPECT_EQ(a.At(1, 0), kRed);
    EXPECT_EQ(a.At(0, 1), kClear);
    EXPECT_EQ(a.At(1, 1), kWhite);

    try {
        ParseImages("image a\nkr\nkx\n", "t.txt");
        FAIL() << "unknown pixel accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "t.txt:3: unknown pixel 'x'");
    }
    EXPECT_THROW(ParseImages("image a\nkr\nk\n", "t.txt"), std::runtime_error);             // ragged rows
    EXPECT_THROW(ParseImages("image a\nk\n\nimage a\nk\n", "t.txt"), std::runtime_error);   // twice
    EXPECT_THROW(ParseFont("glyph a\n#\n\nglyph b\n#\n#\n", "f.txt"), std::runtime_error);  // heights differ
}

TEST(ArtText, RenderTextSpacesGlyphsAndUnderlinesTheMnemonic) {
    const Font font = ParseFont("glyph a\n#.\n##\n\nglyph b\n#\n#\n", "f.txt");
    const Image plain = RenderText(font, "ab", kNavy, 1);
    EXPECT_EQ(plain.width, 4);
    EXPECT_EQ(plain.height, 2);
    EXPECT_EQ(plain.At(1, 0), kClear);
    EXPECT_EQ(plain.At(1, 1), kNavy);
    EXPECT_EQ(plain.At(2, 1), kClear);
    EXPECT_EQ(plain.At(3, 0), kNavy);

    const Image marked = RenderText(font, "a&b", kBlack, 1);
    ASSERT_EQ(marked.height, 4);
    EXPECT_EQ(marked.At(0, 3), kClear);
    EXPECT_EQ(marked.At(3, 3), kBlack);
    EXPECT_THROW(RenderText(font, "ac", kBlack, 1), std::runtime_error);
}

TEST(ArtText, RenderTextPrefersTheGlyphOfTheLongestText) {
    const Font font = ParseFont("glyph a\n#\n\nglyph b\n#\n\nglyph ab\n#.#.#\n", "f.txt");
    EXPECT_EQ(RenderText(font, "ab", kBlack, 1).width, 5);
    EXPECT_EQ(RenderText(font, "ba", kBlack, 1).width, 3);
    EXPECT_EQ(RenderText(font, "aab", kBlack, 1).width, 7);
}

// The key faces as the button control and the disabled look need them.
TEST(KeyStrip, HasIdenticalRaisedImagesAndAShiftedFlatOne) {
    const Font font = ParseFont("glyph 1\n#\n#\n", "f.txt");
    const Image strip = MakeKeyStrip(font, "1", kBlue, 20);
    ASSERT_EQ(strip.width, 60);
    ASSERT_EQ(strip.height, 20);
    std::set<int> colours;
    int firstInk[3][2] = {};
    for (int i = 0; i < 3; ++i) {
        bool found = false;
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 20; ++x) {
                const auto c = strip.At(20 * i + x, y);
                colours.insert(c);
                if (i < 2) {
                    EXPECT_EQ(c, strip.At(x, y)) << "images 0 and 1 differ at " << x << "," << y;
                }
                if (c == kBlue && !found) {
                    firstInk[i][0] = x;
                    firstInk[i][1] = y;
                    found = true;
                }
            }
        ASSERT_TRUE(found);
    }
    EXPECT_EQ(colours, (std::set<int>{kSilver, kWhite, kGrey, kBlue}));
    EXPECT_EQ(firstInk[2][0], firstInk[0][0] + 1);
    EXPECT_EQ(firstInk[2][1], firstInk[0][1] + 1);
    EXPECT_EQ(strip.At(40 + 19, 19), kSilver);  // the pushed image has no bevel at the lower right
    EXPECT_EQ(strip.At(19, 19), kGrey);
    EXPECT_EQ(strip.At(0, 0), kWhite);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The real sources draw every file that res/faces.rc names, at the size the
// dialogs are laid out for.
TEST(RealArt, MatchesTheResourceScript) {
    const std::string dir = PEMZ_ART_SOURCE_DIR;
    const auto files = MakeAllArt(LoadSources(dir));

    std::set<std::string> named;
    const std::string rc = ReadText(dir + "/../faces.rc");
    const std::regex quoted("\"([a-z_0-9]+\\.(bmp|ico))\"");
    for (std::sregex_iterator i(rc.begin(), rc.end(), quoted), end; i != end; ++i) named.insert((*i)[1]);
    std::set<std::string> made;
    for (const auto& f : files) made.insert(f.name);
    EXPECT_EQ(made, named);
    EXPECT_EQ(named.size(), 26u + 3 + 3 + 3);

    for (const auto& f : files) {
        if (f.name.find(".bmp") == std::string::npos) continue;
        SCOPED_TRACE(f.name);
        DecodeBmp(f.bytes);
        if (f.name != "lookup.bmp") {
            EXPECT_EQ(U32At(f.bytes, 30), 2u);  // compressed: the program's size counts on it
        }
        const int w = static_cast<int>(U32At(f.bytes, 18));
        const int h = static_cast<int>(U32At(f.bytes, 22));
        if (f.name.rfind("key_", 0) == 0) {
            EXPECT_EQ(w, 60) << f.name;
            EXPECT_EQ(h, f.name == "key_equals.bmp" ? 50 : 20) << f.name;
        } else if (f.name.rfind("button_", 0) == 0) {
            EXPECT_EQ(w, 189) << f.name;
            EXPECT_EQ(h, 39) << f.name;
        } else if (f.name == "logo.bmp") {
            EXPECT_LE(w, 94);  // fits its 63x46 dialog-unit frame
            EXPECT_LE(h, 74);
        } else if (f.name == "contact.bmp") {
            EXPECT_LE(w, 61);  // 41x39 dialog units
            EXPECT_LE(h, 63);
        }
    }
}

}  // namespace
}  // namespace art
