#pragma once
// Where the barcode tests leave their pictures for decode_check.sh (KORVELTA_DECODE_DIR, else
// "decode-images" here), how they write the bytes a decoder must read (as hexadecimal), and the
// font of the captions in them.
#include "framework/cstring.h"
#include <windows.h>
#include <cstdlib>
#include <string>

inline std::string Hex(const std::string& bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

// The caption font of the pictures: a scalable face that every test prefix has.
inline LOGFONTA CaptionFont()
{
    LOGFONTA font = {};
    font.lfHeight = -12;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = ANSI_CHARSET;
    font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
    lstrcpyA(font.lfFaceName, "Liberation Sans");
    return font;
}

inline CString OutputFolder()
{
    const char* env = getenv("KORVELTA_DECODE_DIR");
    CString dir = env && *env ? env : "decode-images";
    CreateDirectoryA(dir, nullptr);
    return dir;
}
