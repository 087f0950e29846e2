// A 16-colour picture held as palette indices, and its encoding as BMP and ICO files.
#ifndef PEMZ_TOOLS_ARTGEN_IMAGE_H
#define PEMZ_TOOLS_ARTGEN_IMAGE_H

#include <cstdint>
#include <string>
#include <vector>

namespace art {

// The standard Windows 16-colour palette, in the order of 4-bit DIBs.
// clang-format off
enum Colour : std::uint8_t {
    kBlack, kMaroon, kGreen, kOlive, kNavy, kPurple, kTeal, kSilver,
    kGrey, kRed, kLime, kYellow, kBlue, kFuchsia, kAqua, kWhite,
    kClear = 0xFF,  // no colour: shows what lies beneath (icon mask, overlays)
};
// clang-format on

struct Rgb {
    std::uint8_t r, g, b;
};
extern const Rgb kPalette[16];

struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;  // row-major, top row first

    Image() = default;
    Image(int w, int h, std::uint8_t fill);

    std::uint8_t At(int x, int y) const { return pixels[static_cast<size_t>(y * width + x)]; }
    void Set(int x, int y, std::uint8_t c);  // ignores points outside
    void Fill(int x, int y, int w, int h, std::uint8_t c);
    // Copies `src` to (x, y); kClear pixels of `src` leave the target unchanged.
    void Draw(const Image& src, int x, int y);
    Image FlippedVertically() const;
};

// Images placed side by side, left to right.
Image SideBySide(const std::vector<Image>& images);

// A BMP file: BITMAPFILEHEADER, BITMAPINFOHEADER, 16-entry palette, 4 bits per
// pixel, rows bottom-up: run-length encoded (BI_RLE4) when that is smaller, which
// LoadBitmap reads as well, else plain and padded to 4 bytes. Throws if a pixel
// is kClear.
std::vector<std::uint8_t> EncodeBmp(const Image& image);

// An ICO file with one 4-bit image per entry; kClear pixels become
// transparent through the AND mask.
std::vector<std::uint8_t> EncodeIco(const std::vector<Image>& images);

}  // namespace art

#endif
