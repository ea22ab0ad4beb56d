#pragma once
// Where the barcode tests leave their pictures for decode_check.sh (KORVELTA_DECODE_DIR, else
// "decode-images" here), and how they write the bytes a decoder must read: as hexadecimal.
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

inline CString OutputFolder()
{
    const char* env = getenv("KORVELTA_DECODE_DIR");
    CString dir = env && *env ? env : "decode-images";
    CreateDirectoryA(dir, nullptr);
    return dir;
}
