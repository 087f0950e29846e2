// Pixel operations and the BMP/ICO encoders.
#include "Image.h"

#include <cstdint>
#include <stdexcept>

namespace art {

// clang-format off
const Rgb kPalette[16] = {
    {0, 0, 0},     {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},   {128, 0, 128}, {0, 128, 128}, {192, 192, 192},
    {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},   {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
// clang-format on

Image::Image(int w, int h, std::uint8_t fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {
    if (w <= 0 || h <= 0) throw std::invalid_argument("empty image");
}

void Image::Set(int x, int y, std::uint8_t c) {
    if (x >= 0 && y >= 0 && x < width && y < height) pixels[static_cast<size_t>(y * width + x)] = c;
}

void Image::Fill(int x, int y, int w, int h, std::uint8_t c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Image::Draw(const Image& src, int x, int y) {
    for (int j = 0; j < src.height; ++j)
        for (int i = 0; i < src.width; ++i)
            if (src.At(i, j) != kClear) Set(x + i, y + j, src.At(i, j));
}

Image Image::FlippedVertically() const {
    Image out(width, height, kClear);
    for (int j = 0; j < height; ++j)
        for (int i = 0; i < width; ++i) out.Set(i, height - 1 - j, At(i, j));
    return out;
}

Image SideBySide(const std::vector<Image>& images) {
    int width = 0;
    for (const Image& image : images) {
        if (image.height != images.front().height) throw std::invalid_argument("images differ in height");
        width += image.width;
    }
    Image strip(width, images.front().height, kClear);
    int x = 0;
    for (const Image& image : images) {
        strip.Draw(image, x, 0);
        x += image.width;
    }
    return strip;
}

namespace {

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void U8(unsigned v) { out_.push_back(static_cast<std::uint8_t>(v)); }
    void U16(unsigned v) {
        U8(v & 0xFF);
        U8(v >> 8);
    }
    void U32(std::uint32_t v) {
        U16(v & 0xFFFF);
        U16(v >> 16);
    }

private:
    std::vector<std::uint8_t>& out_;
};

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;

std::uint32_t RowBytes(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiRle4 = 2;

void WriteInfoHeader(Writer& w, const Image& image, int heightField, std::uint32_t compression,
                     std::uint32_t sizeImage) {
    w.U32(kInfoHeaderSize);
    w.U32(static_cast<std::uint32_t>(image.width));
    w.U32(static_cast<std::uint32_t>(heightField));
    w.U16(1);  // planes
    w.U16(4);  // bits per pixel
    w.U32(compression);
    w.U32(sizeImage);
    w.U32(0);  // pixels per metre, x and y: unspecified
    w.U32(0);
    w.U32(16);  // colours used
    w.U32(0);   // all colours important
}

void WritePalette(Writer& w) {
    for (const Rgb& c : kPalette) {
        w.U8(c.b);
        w.U8(c.g);
        w.U8(c.r);
        w.U8(0);
    }
}

// 4-bit pixel rows, bottom-up; kClear is written as black (the mask hides it).
void WritePixels(std::vector<std::uint8_t>& out, const Image& image) {
    const std::uint32_t rowBytes = RowBytes(image.width, 4);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t c = image.At(x, y) == kClear ? std::uint8_t{kBlack} : image.At(x, y);
            row[static_cast<size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? c << 4 : c);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

// The same rows run-length encoded (BI_RLE4), each row in the fewest bytes.
// A run repeats a pair of colours, alternately, for up to 255 pixels in 2
// bytes; an absolute run lists 3 to 255 pixels, two to a byte, after 2 bytes
// and padded to an even count. Every pixel is written: no delta escapes, so no
// pixel is left to the decoder's discretion.
std::vector<std::uint8_t> Rle4Pixels(const Image& image) {
    std::vector<std::uint8_t> out;
    const auto n = static_cast<size_t>(image.width);
    std::vector<size_t> cost(n + 1), length(n + 1);
    std::vector<bool> absolute(n + 1);
    for (int y = image.height - 1; y >= 0; --y) {
        const std::uint8_t* row = &image.pixels[static_cast<size_t>(y) * n];
        cost[n] = 0;
        for (size_t i = n; i-- > 0;) {
            cost[i] = SIZE_MAX;
            const std::uint8_t pair[2] = {row[i], i + 1 < n ? row[i + 1] : row[i]};
            for (size_t len = 1; i + len <= n && len <= 255 && row[i + len - 1] == pair[(len - 1) % 2]; ++len)
                if (2 + cost[i + len] < cost[i]) {
                    cost[i] = 2 + cost[i + len];
                    length[i] = len;
                    absolute[i] = false;
                }
            for (size_t len = 3; i + len <= n && len <= 255; ++len) {
                const size_t bytes = (len + 1) / 2 + ((len + 1) / 2) % 2;
                if (2 + bytes + cost[i + len] < cost[i]) {
                    cost[i] = 2 + bytes + cost[i + len];
                    length[i] = len;
                    absolute[i] = true;
                }
            }
        }
        for (size_t i = 0; i < n; i += length[i]) {
            const size_t len = length[i];
            if (!absolute[i]) {
                out.push_back(static_cast<std::uint8_t>(len));
                out.push_back(static_cast<std::uint8_t>(row[i] << 4 | (i + 1 < n ? row[i + 1] : row[i])));
                continue;
            }
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(len));
            const size_t start = out.size();
            for (size_t k = 0; k < len; k += 2)
                out.push_back(static_cast<std::uint8_t>(row[i + k] << 4 | (k + 1 < len ? row[i + k + 1] : 0)));
            if ((out.size() - start) % 2) out.push_back(0);
        }
        out.push_back(0);
        out.push_back(y == 0 ? 1 : 0);  // end of the bitmap, else end of the row
    }
    return out;
}

// 1-bit AND mask rows, bottom-up: 1 where the pixel is transparent.
void WriteMask(std::vector<std::uint8_t>& out, const Image& image) {
    const std::uint32_t rowBytes = RowBytes(image.width, 1);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < image.width; ++x)
            if (image.At(x, y) == kClear) row[static_cast<size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const Image& image) {
    for (std::uint8_t c : image.pixels)
        if (c > kWhite) throw std::invalid_argument("bitmap with a transparent or invalid pixel");
    std::vector<std::uint8_t> pixels;
    WritePixels(pixels, image);
    std::vector<std::uint8_t> rle = Rle4Pixels(image);
    const bool compressed = rle.size() < pixels.size();
    if (compressed) pixels.swap(rle);
    const auto sizeImage = static_cast<std::uint32_t>(pixels.size());
    const std::uint32_t offset = 14 + kInfoHeaderSize + kPaletteSize;
    std::vector<std::uint8_t> out;
    Writer w(out);
    w.U8('B');
    w.U8('M');
    w.U32(offset + sizeImage);
    w.U32(0);  // reserved
    w.U32(offset);
    WriteInfoHeader(w, image, image.height, compressed ? kBiRle4 : kBiRgb, sizeImage);
    WritePalette(w);
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<std::uint8_t> EncodeIco(const std::vector<Image>& images) {
    if (images.empty()) throw std::invalid_argument("icon without images");
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const Image& image : images) {
        if (image.width > 256 || image.height > 256) throw std::invalid_argument("icon image too large");
        for (std::uint8_t c : image.pixels)
            if (c > kWhite && c != kClear) throw std::invalid_argument("invalid colour in icon");
        const std::uint32_t sizeImage =
            (RowBytes(image.width, 4) + RowBytes(image.width, 1)) * static_cast<std::uint32_t>(image.height);
        std::vector<std::uint8_t> body;
        Writer w(body);
        // The height field of an icon image counts the colour rows and the mask rows.
        WriteInfoHeader(w, image, image.height * 2, kBiRgb, sizeImage);
        WritePalette(w);
        WritePixels(body, image);
        WriteMask(body, image);
        bodies.push_back(std::move(body));
    }
    std::vector<std::uint8_t> out;
    Writer w(out);
    w.U16(0);  // reserved
    w.U16(1);  // icon
    w.U16(static_cast<unsigned>(images.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        w.U8(images[i].width == 256 ? 0 : static_cast<unsigned>(images[i].width));
        w.U8(images[i].height == 256 ? 0 : static_cast<unsigned>(images[i].height));
        w.U8(16);  // colours
        w.U8(0);   // reserved
        w.U16(1);  // planes
        w.U16(4);  // bits per pixel
        w.U32(static_cast<std::uint32_t>(bodies[i].size()));
        w.U32(offset);
        offset += static_cast<std::uint32_t>(bodies[i].size());
    }
    for (const auto& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace art
