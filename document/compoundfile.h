#pragma once
// A read-only reader of OLE compound files (structured storage) held in memory, for taking one
// stream of the root storage out of a workbook file. Every sector number, chain and size read
// from the file is checked against the file itself: a damaged file gives false, never a crash or
// an endless walk. The reader owns the file's bytes; TakeStream may hand them on as the stream.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The compound-file signature D0 CF 11 E0 A1 B1 1A E1 at the start of data.
bool IsCompoundFile(const uint8_t* data, size_t size);

class CCompoundFile {
public:
    // Takes the whole file. False (and nothing kept) when the header, the FAT or the directory
    // cannot be read.
    bool Open(std::vector<uint8_t> file);

    // The directory entry of the stream of that name in the root storage (names compare without
    // regard to the case of ASCII letters), or -1.
    int FindStream(const wchar_t* name) const;
    // The stream's bytes into out. On success the file's bytes may have become the stream's (the
    // reader is then spent and reads nothing more); on failure out and the reader are unchanged.
    bool TakeStream(int entry, std::vector<uint8_t>& out);
    // The same, but the stream may begin at start inside out: a stream stored in one run of
    // sectors is then not moved at all.
    bool TakeStream(int entry, std::vector<uint8_t>& out, size_t& start);

private:
    static const uint32_t kEndOfChain = 0xFFFFFFFEu;
    static const uint32_t kNoStream = 0xFFFFFFFFu;

    struct Entry {
        std::wstring name;
        uint8_t type = 0;                  // 1 storage, 2 stream, 5 root
        uint32_t left = kNoStream;
        uint32_t right = kNoStream;
        uint32_t child = kNoStream;
        uint32_t start = kEndOfChain;
        uint64_t size = 0;
    };

    bool ReadHeader();
    bool ReadFat();
    bool ReadDirectory();
    // The sector's bytes when the file holds at least needed of them, else null.
    const uint8_t* Sector(uint32_t sector, uint32_t needed) const;
    // Follows the chain from start for exactly count sectors; false when it leaves the file,
    // visits a sector twice or ends early.
    bool Chain(uint32_t start, uint32_t count, std::vector<uint32_t>& sectors) const;
    bool TakeBigStream(const Entry& entry, std::vector<uint8_t>& out, size_t& start);
    bool CopyMiniStream(const Entry& entry, std::vector<uint8_t>& out) const;

    std::vector<uint8_t> m_file;
    uint32_t m_sectorShift = 9;
    uint32_t m_sectorSize = 512;
    uint32_t m_sectorCount = 0;            // whole or partial sectors after the header
    uint32_t m_fatSectors = 0;
    uint32_t m_firstDirectory = kEndOfChain;
    uint32_t m_miniCutoff = 4096;
    uint32_t m_firstMiniFat = kEndOfChain;
    uint32_t m_miniFatSectors = 0;
    uint32_t m_firstDifat = kEndOfChain;
    bool m_largeSizes = false;             // version 4: stream sizes are 64-bit
    std::vector<uint32_t> m_fat;
    std::vector<Entry> m_entries;
};
