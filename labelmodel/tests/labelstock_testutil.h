#pragma once
// Helpers of the label stock tests: records in memory, little-endian peeks, posed Windows versions
// and DEVMODE fixtures.
#include "framework/file.h"
#include "labelmodel/labelstock.h"
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

using Bytes = std::vector<BYTE>;

inline int32_t I32At(const Bytes& b, size_t off) {
    return int32_t(uint32_t(b.at(off)) | uint32_t(b.at(off + 1)) << 8 | uint32_t(b.at(off + 2)) << 16 |
                   uint32_t(b.at(off + 3)) << 24);
}
inline int16_t I16At(const Bytes& b, size_t off) { return int16_t(b.at(off) | b.at(off + 1) << 8); }

// The record of a stock as Save writes it.
inline Bytes SavedBody(CLabel& stock, bool withPath) {
    CMemFile file;
    stock.Save(&file, withPath);
    return file.Bytes();
}

// A whole ".label" file as SaveToFile writes it, built in memory.
inline Bytes LabelFileBytes(CLabelFileNew& stock) {
    CMemFile file;
    RecordWriter out(&file);
    out.U32(kLabelFileMagic);
    out.I32(kLabelFileVersionA);
    out.I32(kLabelFileVersionB);
    stock.Save(&file, false);
    return file.Bytes();
}

inline void WriteAll(CMemFile& file, const Bytes& bytes, size_t count) {
    if (count)
        file.Write(bytes.data(), static_cast<UINT>(count));
    file.SeekToBegin();
}

// While alive, the label model sees the given Windows version.
class PosedWindowsVersion {
public:
    PosedWindowsVersion(int major, int minor, int platformId = VER_PLATFORM_WIN32_NT) {
        Current().major = major;
        Current().minor = minor;
        Current().platformId = platformId;
        m_previous = SetOsVersionSource(&Answer);
    }
    ~PosedWindowsVersion() { SetOsVersionSource(m_previous); }

private:
    static OsVersion& Current() {
        static OsVersion version;
        return version;
    }
    static OsVersion Answer() { return Current(); }
    OsVersionSource m_previous;
};

// A DEVMODE of dmSize + extra bytes whose fields and extra data carry recognisable values.
inline Bytes MakeDevMode(WORD dmSize = sizeof(DEVMODEA), WORD extra = 8) {
    Bytes block(size_t(dmSize) + extra);
    DEVMODEA head = {};
    strcpy(reinterpret_cast<char*>(head.dmDeviceName), "Label Printer");
    head.dmSpecVersion = 0x0401;
    head.dmDriverVersion = 0x0203;
    head.dmSize = dmSize;
    head.dmDriverExtra = extra;
    head.dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    head.dmOrientation = DMORIENT_LANDSCAPE;
    head.dmPaperSize = DMPAPER_A4;
    memcpy(block.data(), &head, std::min<size_t>(dmSize, sizeof(head)));
    for (size_t i = dmSize; i < block.size(); ++i)
        block[i] = BYTE(0xA0 + i % 16);
    return block;
}
