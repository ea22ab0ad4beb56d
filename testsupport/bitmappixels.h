#pragma once
// A bitmap's pixels read back for checking.
#include "framework/gdi.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// The bitmap's 32-bit pixels (0xAARRGGBB), top row first; width and height receive its size.
inline std::vector<uint32_t> BitmapPixels(HBITMAP bitmap, int& width, int& height)
{
    BITMAP info = {};
    ::GetObjectA(bitmap, sizeof info, &info);
    width = info.bmWidth;
    height = info.bmHeight;
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
    BITMAPINFO request = TopDownArgbInfo(width, height);
    HDC screen = ::GetDC(nullptr);
    ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(height), pixels.data(), &request, DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}
