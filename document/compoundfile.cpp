#include "document/compoundfile.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

const uint8_t kSignature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
const size_t kHeaderSize = 512;
const int kHeaderDifatEntries = 109;
const uint32_t kEntrySize = 128;
const uint32_t kMiniSectorShift = 6;
const uint32_t kMiniSectorSize = 1u << kMiniSectorShift;

uint16_t Le16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t Le32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint32_t SectorsFor(uint64_t bytes, uint32_t shift)
{
    const uint64_t count = (bytes + (uint64_t(1) << shift) - 1) >> shift;
    return count > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<uint32_t>(count);
}

bool SameName(const std::wstring& a, const wchar_t* b)
{
    const size_t length = std::wcslen(b);
    if (a.size() != length)
        return false;
    for (size_t i = 0; i < length; ++i) {
        wchar_t x = a[i], y = b[i];
        if (x >= L'a' && x <= L'z')
            x = static_cast<wchar_t>(x - L'a' + L'A');
        if (y >= L'a' && y <= L'z')
            y = static_cast<wchar_t>(y - L'a' + L'A');
        if (x != y)
            return false;
    }
    return true;
}

} // namespace

bool IsCompoundFile(const uint8_t* data, size_t size)
{
    return size >= sizeof kSignature && std::memcmp(data, kSignature, sizeof kSignature) == 0;
}

bool CCompoundFile::Open(std::vector<uint8_t> file)
{
    m_file = std::move(file);
    if (ReadHeader() && ReadFat() && ReadDirectory())
        return true;
    m_file.clear();
    m_fat.clear();
    m_entries.clear();
    return false;
}

bool CCompoundFile::ReadHeader()
{
    if (m_file.size() < kHeaderSize || !IsCompoundFile(m_file.data(), m_file.size()))
        return false;
    const uint8_t* h = m_file.data();
    m_sectorShift = Le16(h + 30);
    if ((m_sectorShift != 9 && m_sectorShift != 12) || Le16(h + 32) != kMiniSectorShift)
        return false;
    m_sectorSize = 1u << m_sectorShift;
    m_largeSizes = Le16(h + 26) >= 4;
    // Sector n starts at (n + 1) * sector size: the header fills sector "-1". A partial last
    // sector counts; reads check that the bytes they need are there.
    m_sectorCount = m_file.size() > m_sectorSize
                        ? SectorsFor(m_file.size() - m_sectorSize, m_sectorShift)
                        : 0;
    m_fatSectors = Le32(h + 44);
    m_firstDirectory = Le32(h + 48);
    m_miniCutoff = Le32(h + 56);
    m_firstMiniFat = Le32(h + 60);
    m_miniFatSectors = Le32(h + 64);
    m_firstDifat = Le32(h + 68);
    return true;
}

const uint8_t* CCompoundFile::Sector(uint32_t sector, uint32_t needed) const
{
    if (sector >= m_sectorCount)
        return nullptr;
    const uint64_t offset = (static_cast<uint64_t>(sector) + 1) << m_sectorShift;
    if (offset + needed > m_file.size())
        return nullptr;
    return m_file.data() + offset;
}

bool CCompoundFile::ReadFat()
{
    // Every FAT sector is a sector of the file: a larger count is a damaged header.
    if (m_fatSectors == 0 || m_fatSectors > m_sectorCount)
        return false;
    std::vector<uint32_t> fatSectors;
    fatSectors.reserve(m_fatSectors);
    for (int i = 0; i < kHeaderDifatEntries && fatSectors.size() < m_fatSectors; ++i)
        fatSectors.push_back(Le32(m_file.data() + 76 + 4 * i));
    // The rest are listed in the DIFAT sectors, each ending with the number of the next one.
    const uint32_t perDifat = m_sectorSize / 4 - 1;
    std::vector<bool> seen(m_sectorCount, false);
    uint32_t difat = m_firstDifat;
    while (fatSectors.size() < m_fatSectors) {
        const uint8_t* data = Sector(difat, m_sectorSize);
        if (!data || seen[difat])
            return false;
        seen[difat] = true;
        for (uint32_t k = 0; k < perDifat && fatSectors.size() < m_fatSectors; ++k)
            fatSectors.push_back(Le32(data + 4 * k));
        difat = Le32(data + 4 * perDifat);
    }
    const uint32_t perSector = m_sectorSize / 4;
    m_fat.resize(static_cast<size_t>(m_fatSectors) * perSector);
    uint32_t* entry = m_fat.data();
    for (uint32_t sector : fatSectors) {
        const uint8_t* data = Sector(sector, m_sectorSize);
        if (!data)
            return false;
        for (uint32_t k = 0; k < perSector; ++k)
            *entry++ = Le32(data + 4 * k);
    }
    return true;
}

bool CCompoundFile::Chain(uint32_t start, uint32_t count, std::vector<uint32_t>& sectors) const
{
    sectors.clear();
    if (count > m_sectorCount)
        return false;                        // longer than the file
    sectors.reserve(count);
    std::vector<bool> seen(m_sectorCount, false);
    uint32_t sector = start;
    for (uint32_t i = 0; i < count; ++i) {
        if (sector >= m_sectorCount || sector >= m_fat.size() || seen[sector])
            return false;                    // out of the file, a loop, or the chain ended early
        seen[sector] = true;
        sectors.push_back(sector);
        sector = m_fat[sector];
    }
    return true;
}

bool CCompoundFile::ReadDirectory()
{
    std::vector<bool> seen(m_sectorCount, false);
    const uint32_t perSector = m_sectorSize / kEntrySize;
    for (uint32_t sector = m_firstDirectory; sector != kEndOfChain; sector = m_fat[sector]) {
        const uint8_t* data = Sector(sector, m_sectorSize);
        if (!data || sector >= m_fat.size() || seen[sector])
            return false;
        seen[sector] = true;
        for (uint32_t k = 0; k < perSector; ++k) {
            const uint8_t* e = data + k * kEntrySize;
            Entry entry;
            // The name's length in bytes counts its terminator; a bad length reads up to the NUL.
            const uint16_t nameBytes = Le16(e + 64);
            const size_t most = (nameBytes >= 2 && nameBytes <= 64 && nameBytes % 2 == 0)
                                    ? nameBytes / 2 - 1
                                    : 31;
            for (size_t i = 0; i < most; ++i) {
                const wchar_t ch = static_cast<wchar_t>(Le16(e + 2 * i));
                if (ch == 0)
                    break;
                entry.name.push_back(ch);
            }
            entry.type = e[66];
            entry.left = Le32(e + 68);
            entry.right = Le32(e + 72);
            entry.child = Le32(e + 76);
            entry.start = Le32(e + 116);
            // Version 3 writers may leave garbage in the size's high half.
            entry.size = Le32(e + 120);
            if (m_largeSizes)
                entry.size |= static_cast<uint64_t>(Le32(e + 124)) << 32;
            m_entries.push_back(std::move(entry));
        }
    }
    return !m_entries.empty() && m_entries[0].type == 5;
}

int CCompoundFile::FindStream(const wchar_t* name) const
{
    if (m_entries.empty() || !name)
        return -1;
    // The root's children form a tree through their left and right links; a damaged tree may
    // point anywhere, so each entry is visited once at most.
    std::vector<bool> seen(m_entries.size(), false);
    std::vector<uint32_t> pending{m_entries[0].child};
    while (!pending.empty()) {
        const uint32_t id = pending.back();
        pending.pop_back();
        if (id >= m_entries.size() || seen[id])
            continue;
        seen[id] = true;
        const Entry& entry = m_entries[id];
        if (entry.type == 2 && SameName(entry.name, name))
            return static_cast<int>(id);
        pending.push_back(entry.left);
        pending.push_back(entry.right);
    }
    return -1;
}

bool CCompoundFile::TakeStream(int entry, std::vector<uint8_t>& out)
{
    size_t start = 0;
    if (!TakeStream(entry, out, start))
        return false;
    out.erase(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(start));
    return true;
}

bool CCompoundFile::TakeStream(int entry, std::vector<uint8_t>& out, size_t& start)
{
    start = 0;
    if (entry <= 0 || entry >= static_cast<int>(m_entries.size()) || m_entries[entry].type != 2)
        return false;
    const Entry& stream = m_entries[entry];
    if (stream.size > m_file.size())
        return false;                        // more than the whole file holds
    if (stream.size < m_miniCutoff)
        return CopyMiniStream(stream, out);
    return TakeBigStream(stream, out, start);
}

bool CCompoundFile::TakeBigStream(const Entry& entry, std::vector<uint8_t>& out, size_t& start)
{
    const size_t size = static_cast<size_t>(entry.size);
    if (size == 0) {
        out.clear();                         // possible with a cut-off of 0
        return true;
    }
    const uint32_t count = SectorsFor(size, m_sectorShift);
    std::vector<uint32_t> sectors;
    if (!Chain(entry.start, count, sectors))
        return false;
    bool ascending = true;
    bool oneRun = true;
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t needed = i + 1 < count ? m_sectorSize
                                              : static_cast<uint32_t>(size - (size_t(i) << m_sectorShift));
        if (!Sector(sectors[i], needed))
            return false;
        if (i > 0 && sectors[i] <= sectors[i - 1])
            ascending = false;
        if (i > 0 && sectors[i] != sectors[i - 1] + 1)
            oneRun = false;
    }
    auto spend = [&] {
        out.swap(m_file);
        m_file.clear();
        m_fat.clear();
        m_entries.clear();                   // spent: the bytes are the stream's now
        m_sectorCount = 0;
    };
    if (oneRun) {
        // The stream lies in the file as it is: it starts where its first sector does.
        start = static_cast<size_t>(Sector(sectors[0], 0) - m_file.data());
        m_file.resize(start + size);
        spend();
        return true;
    }
    // Copies whole runs of consecutive sectors. With the sectors in ascending order each one moves
    // towards the start of the file and never over one still to come: the file's own buffer
    // becomes the stream without a second copy of it.
    auto copyRuns = [&](uint8_t* target) {
        size_t done = 0;
        uint32_t i = 0;
        while (i < count) {
            uint32_t run = 1;
            while (i + run < count && sectors[i + run] == sectors[i] + run)
                ++run;
            const size_t bytes = std::min(size - done, static_cast<size_t>(run) << m_sectorShift);
            std::memmove(target + done, Sector(sectors[i], 0), bytes);
            done += bytes;
            i += run;
        }
    };
    if (ascending) {
        copyRuns(m_file.data());
        m_file.resize(size);
        spend();
        return true;
    }
    std::vector<uint8_t> data(size);
    copyRuns(data.data());
    out.swap(data);
    return true;
}

bool CCompoundFile::CopyMiniStream(const Entry& entry, std::vector<uint8_t>& out) const
{
    const size_t size = static_cast<size_t>(entry.size);
    if (size == 0) {
        out.clear();
        return true;
    }
    // Small streams live in 64-byte pieces inside the root entry's stream, chained by the mini
    // FAT.
    std::vector<uint32_t> miniFatSectors;
    if (!Chain(m_firstMiniFat, m_miniFatSectors, miniFatSectors))
        return false;
    std::vector<uint32_t> miniFat;
    miniFat.reserve(static_cast<size_t>(m_miniFatSectors) * (m_sectorSize / 4));
    for (uint32_t sector : miniFatSectors) {
        const uint8_t* data = Sector(sector, m_sectorSize);
        if (!data)
            return false;
        for (uint32_t k = 0; k < m_sectorSize / 4; ++k)
            miniFat.push_back(Le32(data + 4 * k));
    }
    const Entry& root = m_entries[0];
    if (root.size > m_file.size())
        return false;
    std::vector<uint32_t> container;
    if (!Chain(root.start, SectorsFor(root.size, m_sectorShift), container))
        return false;

    std::vector<uint8_t> data(size);
    std::vector<bool> seen(miniFat.size(), false);
    const uint32_t count = SectorsFor(size, kMiniSectorShift);
    uint32_t mini = entry.start;
    for (uint32_t i = 0; i < count; ++i) {
        if (mini >= miniFat.size() || seen[mini])
            return false;
        seen[mini] = true;
        const size_t done = static_cast<size_t>(i) * kMiniSectorSize;
        const uint32_t needed = static_cast<uint32_t>(std::min<size_t>(kMiniSectorSize, size - done));
        const uint64_t position = static_cast<uint64_t>(mini) << kMiniSectorShift;
        if (position + needed > root.size)
            return false;
        const uint32_t offset = static_cast<uint32_t>(position & (m_sectorSize - 1));
        const uint8_t* sector = Sector(container[static_cast<size_t>(position >> m_sectorShift)],
                                       offset + needed);
        if (!sector)
            return false;
        std::memcpy(data.data() + done, sector + offset, needed);
        mini = miniFat[mini];
    }
    out.swap(data);
    return true;
}
