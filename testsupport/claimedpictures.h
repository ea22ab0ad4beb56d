#pragma once
// Picture files whose headers claim far more pixels than the file holds: a BMP of 315 bytes, a PNG
// of a few dozen, a JPEG made by the WIC encoder with its frame header rewritten. Readers must weigh
// such claims before they make any pixel buffer. Header-only, on top of picturefiles.h.
#include "testsupport/picturefiles.h"

#include <cstdint>
#include <string>

namespace claimedpictures {

inline void Put16(std::string& b, uint32_t v)
{
    b += char(v & 0xFF);
    b += char((v >> 8) & 0xFF);
}

inline void Put32(std::string& b, uint32_t v)
{
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

inline void PutBig32(std::string& b, uint32_t v)
{
    b += char(v >> 24);
    b += char((v >> 16) & 0xFF);
    b += char((v >> 8) & 0xFF);
    b += char(v & 0xFF);
}

// A 24-bit BMP whose header claims width x height and which then holds 261 bytes of pixels:
// 315 bytes in all.
inline std::string BmpClaiming(uint32_t width, uint32_t height)
{
    const uint32_t pixels = 261;
    std::string b = "BM";
    Put32(b, 14 + 40 + pixels);
    Put32(b, 0);
    Put32(b, 14 + 40);
    Put32(b, 40);
    Put32(b, width);
    Put32(b, height);
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);             // BI_RGB
    Put32(b, 0);             // size of the bits: computed by readers
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    b.append(pixels, char(0x7F));
    return b;
}

inline uint32_t Crc32(const std::string& bytes, size_t from)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = from; i < bytes.size(); ++i) {
        crc ^= uint8_t(bytes[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// One PNG chunk: length, type, data, CRC of type and data.
inline void PngChunk(std::string& png, const char* type, const std::string& data)
{
    PutBig32(png, uint32_t(data.size()));
    std::string body = type;
    body += data;
    png += body;
    PutBig32(png, Crc32(body, 0));
}

// An 8-bit RGB PNG whose header claims width x height, with one small compressed block of zeros.
inline std::string PngClaiming(uint32_t width, uint32_t height)
{
    std::string png("\x89PNG\r\n\x1A\n", 8);
    std::string ihdr;
    PutBig32(ihdr, width);
    PutBig32(ihdr, height);
    ihdr += char(8);         // bit depth
    ihdr += char(2);         // RGB
    ihdr += std::string(3, '\0');
    PngChunk(png, "IHDR", ihdr);
    // zlib: a stored block of 16 zero bytes and its Adler-32.
    std::string idat("\x78\x01\x01\x10\x00\xEF\xFF", 7);
    idat += std::string(16, '\0');
    idat += std::string("\x00\x10\x00\x01", 4);
    PngChunk(png, "IDAT", idat);
    PngChunk(png, "IEND", std::string());
    return png;
}

// A JPEG from the WIC encoder (16 x 8 pixels) whose frame header then claims width x height
// (JPEG keeps both in 16 bits). Empty when the encoder fails. `scratch` is a path it may write.
inline std::string JpegClaiming(const char* scratch, uint16_t width, uint16_t height)
{
    if (!picturefiles::WritePicture(scratch, GUID_ContainerFormatJpeg, 16, 8,
                                    picturefiles::QuadrantPixels(16, 8)))
        return std::string();
    std::string jpeg = picturefiles::ReadFileBytes(scratch);
    // Walk the markers up to the start of frame (baseline or progressive).
    for (size_t at = 2; at + 9 < jpeg.size();) {
        if (uint8_t(jpeg[at]) != 0xFF)
            return std::string();
        const uint8_t marker = uint8_t(jpeg[at + 1]);
        const size_t length = (size_t(uint8_t(jpeg[at + 2])) << 8) | uint8_t(jpeg[at + 3]);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            jpeg[at + 5] = char(height >> 8);
            jpeg[at + 6] = char(height & 0xFF);
            jpeg[at + 7] = char(width >> 8);
            jpeg[at + 8] = char(width & 0xFF);
            return jpeg;
        }
        at += 2 + length;
    }
    return std::string();
}

} // namespace claimedpictures
