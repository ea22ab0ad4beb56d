#pragma once
// Test helpers: Excel record streams built byte by byte, and files holding them.
#include "framework/cstring.h"
#include "testsupport/tempdir.h"

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

struct BodyBuilder {
    Bytes bytes;
    BodyBuilder& U8(unsigned v) { bytes.push_back(static_cast<uint8_t>(v)); return *this; }
    BodyBuilder& U16(unsigned v) { U8(v & 0xFF); return U8((v >> 8) & 0xFF); }
    BodyBuilder& U32(uint32_t v) { U16(v & 0xFFFF); return U16(v >> 16); }
    BodyBuilder& F64(double v)
    {
        uint8_t raw[8];
        std::memcpy(raw, &v, 8);
        bytes.insert(bytes.end(), raw, raw + 8);
        return *this;
    }
    BodyBuilder& Text(const std::string& s) { bytes.insert(bytes.end(), s.begin(), s.end()); return *this; }
    BodyBuilder& Wide(const std::wstring& s)
    {
        for (wchar_t ch : s)
            U16(static_cast<unsigned>(ch));
        return *this;
    }
};

inline void AddRecord(Bytes& stream, unsigned id, const Bytes& body)
{
    BodyBuilder header;
    header.U16(id).U16(static_cast<unsigned>(body.size()));
    stream.insert(stream.end(), header.bytes.begin(), header.bytes.end());
    stream.insert(stream.end(), body.begin(), body.end());
}

// A BIFF8 string with a 16-bit count and 8-bit characters.
inline Bytes Biff8Text(const std::string& s)
{
    BodyBuilder b;
    b.U16(static_cast<unsigned>(s.size())).U8(0).Text(s);
    return b.bytes;
}

inline Bytes Concat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// BOF of an Excel 97 substream: 0x0005 workbook globals, 0x0010 worksheet.
inline Bytes Biff8Bof(unsigned type)
{
    BodyBuilder b;
    b.U16(0x0600).U16(type).U16(0x0DBB).U16(0x07CC).U32(0).U32(6);
    return b.bytes;
}

inline bool WriteFileBytes(const char* path, const Bytes& bytes)
{
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

inline Bytes ReadFileBytes(const char* path)
{
    Bytes bytes;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    const DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    if (size > 0 && !ReadFile(file, bytes.data(), size, &got, nullptr))
        got = 0;
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}
