// Pixels for the control tests: what is on the screen, what a bitmap holds, and a
// 24-bit BMP writer for screenshots.
#ifndef PEMZ_TESTS_CONTROLS_SCREENPIXELS_H
#define PEMZ_TESTS_CONTROLS_SCREENPIXELS_H

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <vector>

#include "framework/UniqueHandle.h"

namespace test {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // row by row from the top

    COLORREF at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    Image crop(int left, int top, int w, int h) const {
        Image part{w, h, {}};
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) part.pixels.push_back(at(left + x, top + y));
        return part;
    }
    bool operator==(const Image& other) const {
        return width == other.width && height == other.height && pixels == other.pixels;
    }
};

inline BITMAPINFO TopDown32(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

inline Image FromBgra(int width, int height, const std::uint32_t* bgra) {
    Image image{width, height, {}};
    image.pixels.reserve(static_cast<size_t>(width) * height);
    for (int i = 0; i < width * height; ++i)
        image.pixels.push_back(RGB((bgra[i] >> 16) & 0xFF, (bgra[i] >> 8) & 0xFF, bgra[i] & 0xFF));
    return image;
}

// What the screen shows in the area, read through a 32-bit DIB section.
inline Image CaptureScreen(const RECT& area) {
    const int width = area.right - area.left, height = area.bottom - area.top;
    BITMAPINFO info = TopDown32(width, height);
    void* bits = nullptr;
    fw::UniqueBitmap dib(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    fw::UniqueMemoryDc memory(CreateCompatibleDC(nullptr));
    fw::WindowDc screen(nullptr);
    if (!dib || !memory || !screen) return {};
    {
        fw::SelectGuard selected(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
    }
    GdiFlush();
    return FromBgra(width, height, static_cast<const std::uint32_t*>(bits));
}

inline Image ReadBitmap(HBITMAP bitmap) {
    BITMAP size{};
    if (!GetObjectA(bitmap, sizeof size, &size)) return {};
    BITMAPINFO info = TopDown32(size.bmWidth, size.bmHeight);
    std::vector<std::uint32_t> bgra(static_cast<size_t>(size.bmWidth) * size.bmHeight);
    fw::WindowDc screen(nullptr);
    GetDIBits(screen.get(), bitmap, 0, size.bmHeight, bgra.data(), &info, DIB_RGB_COLORS);
    return FromBgra(size.bmWidth, size.bmHeight, bgra.data());
}

inline bool WriteBmp(const Image& image, const char* path) {
    const int stride = (image.width * 3 + 3) & ~3;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = image.width;
    header.biHeight = image.height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride) * image.height;
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    std::vector<unsigned char> rows(header.biSizeImage);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const COLORREF colour = image.at(x, image.height - 1 - y);
            unsigned char* pixel = &rows[static_cast<size_t>(y) * stride + x * 3];
            pixel[0] = GetBValue(colour);
            pixel[1] = GetGValue(colour);
            pixel[2] = GetRValue(colour);
        }
    FILE* out = std::fopen(path, "wb");
    if (!out) return false;
    bool ok = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&header, sizeof header, 1, out) == 1 &&
              std::fwrite(rows.data(), rows.size(), 1, out) == 1;
    return std::fclose(out) == 0 && ok;
}

}  // namespace test

#endif
