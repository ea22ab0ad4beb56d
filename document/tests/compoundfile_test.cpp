// The compound-file reader: files that OLE structured storage writes, files laid out by hand
// (4096-byte sectors, streams whose sectors run backwards, DIFAT sectors), and damaged ones.
#include "document/compoundfile.h"
#include "document/tests/biffbuilder.h"
#include "testsupport/tempdir.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <algorithm>
#include <functional>
#include <string>

namespace {

const uint32_t kEnd = 0xFFFFFFFEu;
const uint32_t kFree = 0xFFFFFFFFu;

Bytes Pattern(size_t size, unsigned seed)
{
    Bytes data(size);
    uint32_t x = seed * 2654435761u + 1;
    for (uint8_t& b : data) {
        x = x * 1103515245u + 12345u;
        b = static_cast<uint8_t>(x >> 16);
    }
    return data;
}

void Put32(Bytes& bytes, size_t at, uint32_t v)
{
    for (int k = 0; k < 4; ++k)
        bytes[at + k] = static_cast<uint8_t>(v >> (8 * k));
}

uint32_t Get32(const Bytes& bytes, size_t at)
{
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<uint32_t>(bytes[at + 3]) << 24);
}

struct StreamSpec {
    std::wstring name;
    Bytes data;
};

// Where the builder put things, for tests that damage them.
struct Layout {
    Bytes file;
    uint32_t sectorSize = 512;
    std::vector<uint32_t> fatSectors;
    std::vector<uint32_t> difatSectors;
    uint32_t directory = 0;
    uint32_t miniFat = kEnd;
    std::vector<uint32_t> firstSector;     // per stream: first sector (big) or mini sector
    size_t Offset(uint32_t sector) const { return (static_cast<size_t>(sector) + 1) * sectorSize; }
    size_t EntryOffset(int entry) const { return Offset(directory) + 128 * entry; }
};

// A compound file as a careful writer lays it out: the big streams' sectors first (in reverse
// order when asked), the mini stream, the mini FAT, the directory (entry 0 the root, then the
// streams as a chain of right links), then the FAT and the DIFAT sectors at the end.
Layout Build(const std::vector<StreamSpec>& streams, uint32_t shift = 9, bool backwards = false)
{
    Layout out;
    const uint32_t ss = 1u << shift;
    out.sectorSize = ss;
    std::vector<Bytes> sectors;
    std::vector<uint32_t> fat;
    auto allocate = [&](const Bytes& data, bool reverse) -> uint32_t {
        const uint32_t count = static_cast<uint32_t>((data.size() + ss - 1) / ss);
        if (count == 0)
            return kEnd;
        const uint32_t base = static_cast<uint32_t>(sectors.size());
        sectors.resize(base + count, Bytes(ss, 0));
        fat.resize(base + count, kEnd);
        // Piece i sits in sector base + i, or base + count - 1 - i when running backwards.
        auto at = [&](uint32_t i) { return reverse ? base + count - 1 - i : base + i; };
        for (uint32_t i = 0; i < count; ++i) {
            const size_t from = static_cast<size_t>(i) * ss;
            std::copy(data.begin() + from, data.begin() + std::min(data.size(), from + ss),
                      sectors[at(i)].begin());
            fat[at(i)] = i + 1 < count ? at(i + 1) : kEnd;
        }
        return at(0);
    };

    Bytes mini;
    std::vector<uint32_t> miniFatEntries;
    for (const StreamSpec& s : streams) {
        if (s.data.size() >= 4096) {
            out.firstSector.push_back(allocate(s.data, backwards));
        } else if (s.data.empty()) {
            out.firstSector.push_back(kEnd);
        } else {
            const uint32_t first = static_cast<uint32_t>(miniFatEntries.size());
            const uint32_t count = static_cast<uint32_t>((s.data.size() + 63) / 64);
            for (uint32_t i = 0; i < count; ++i)
                miniFatEntries.push_back(i + 1 < count ? first + i + 1 : kEnd);
            mini.insert(mini.end(), s.data.begin(), s.data.end());
            mini.resize(static_cast<size_t>(first + count) * 64, 0);
            out.firstSector.push_back(first);
        }
    }
    const uint32_t miniStart = allocate(mini, false);
    Bytes miniFatBytes;
    for (uint32_t e : miniFatEntries) {
        miniFatBytes.resize(miniFatBytes.size() + 4);
        Put32(miniFatBytes, miniFatBytes.size() - 4, e);
    }
    if (!miniFatBytes.empty())
        miniFatBytes.resize((miniFatBytes.size() + ss - 1) / ss * ss, 0xFF);
    out.miniFat = allocate(miniFatBytes, false);

    Bytes dir;
    auto entry = [&](const std::wstring& name, uint8_t type, uint32_t right, uint32_t child,
                     uint32_t start, uint64_t size) {
        Bytes e(128, 0);
        for (size_t i = 0; i < name.size(); ++i) {
            e[2 * i] = static_cast<uint8_t>(name[i]);
            e[2 * i + 1] = static_cast<uint8_t>(name[i] >> 8);
        }
        e[64] = static_cast<uint8_t>(2 * (name.size() + 1));
        e[66] = type;
        e[67] = 1;
        Put32(e, 68, kFree);
        Put32(e, 72, right);
        Put32(e, 76, child);
        Put32(e, 116, start);
        Put32(e, 120, static_cast<uint32_t>(size));
        Put32(e, 124, static_cast<uint32_t>(size >> 32));
        dir.insert(dir.end(), e.begin(), e.end());
    };
    entry(L"Root Entry", 5, kFree, streams.empty() ? kFree : 1, miniStart, mini.size());
    for (size_t i = 0; i < streams.size(); ++i)
        entry(streams[i].name, 2, i + 1 < streams.size() ? static_cast<uint32_t>(i + 2) : kFree, kFree,
              out.firstSector[i], streams[i].data.size());
    dir.resize((dir.size() + ss - 1) / ss * ss, 0);
    out.directory = allocate(dir, false);

    // FAT and DIFAT sectors describe themselves too: grow until everything fits.
    const uint32_t perFat = ss / 4;
    const uint32_t perDifat = ss / 4 - 1;
    uint32_t fatCount = 1, difatCount = 0;
    for (;;) {
        const uint32_t total = static_cast<uint32_t>(sectors.size()) + fatCount + difatCount;
        const uint32_t needFat = (total + perFat - 1) / perFat;
        const uint32_t needDifat = needFat > 109 ? (needFat - 109 + perDifat - 1) / perDifat : 0;
        if (needFat == fatCount && needDifat == difatCount)
            break;
        fatCount = needFat;
        difatCount = needDifat;
    }
    const uint32_t fatBase = static_cast<uint32_t>(sectors.size());
    for (uint32_t i = 0; i < fatCount; ++i) {
        out.fatSectors.push_back(fatBase + i);
        fat.push_back(0xFFFFFFFDu);
    }
    for (uint32_t i = 0; i < difatCount; ++i) {
        out.difatSectors.push_back(fatBase + fatCount + i);
        fat.push_back(0xFFFFFFFCu);
    }
    fat.resize(static_cast<size_t>(fatCount) * perFat, kFree);
    for (uint32_t i = 0; i < fatCount; ++i) {
        Bytes s(ss);
        for (uint32_t k = 0; k < perFat; ++k)
            Put32(s, 4 * k, fat[i * perFat + k]);
        sectors.push_back(s);
    }
    for (uint32_t d = 0; d < difatCount; ++d) {
        Bytes s(ss, 0xFF);
        for (uint32_t k = 0; k < perDifat; ++k) {
            const uint32_t index = 109 + d * perDifat + k;
            if (index < fatCount)
                Put32(s, 4 * k, out.fatSectors[index]);
        }
        Put32(s, ss - 4, d + 1 < difatCount ? out.difatSectors[d + 1] : kEnd);
        sectors.push_back(s);
    }

    Bytes header(ss, 0);
    const uint8_t signature[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
    std::copy(signature, signature + 8, header.begin());
    header[24] = 0x3E;
    header[26] = shift == 12 ? 4 : 3;
    header[28] = 0xFE;
    header[29] = 0xFF;
    header[30] = static_cast<uint8_t>(shift);
    header[32] = 6;
    Put32(header, 44, fatCount);
    Put32(header, 48, out.directory);
    Put32(header, 56, 4096);
    Put32(header, 60, out.miniFat);
    Put32(header, 64, static_cast<uint32_t>(miniFatBytes.size() / ss));
    Put32(header, 68, difatCount ? out.difatSectors[0] : kEnd);
    Put32(header, 72, difatCount);
    for (uint32_t i = 0; i < 109; ++i)
        Put32(header, 76 + 4 * i, i < fatCount ? out.fatSectors[i] : kFree);
    out.file = header;
    for (const Bytes& s : sectors)
        out.file.insert(out.file.end(), s.begin(), s.end());
    return out;
}

// Opens the file and takes the named stream; false for any failure.
bool Take(const Bytes& file, const wchar_t* name, Bytes& out)
{
    CCompoundFile reader;
    if (!reader.Open(file))
        return false;
    const int entry = reader.FindStream(name);
    return entry >= 0 && reader.TakeStream(entry, out);
}

bool WriteWithStorage(const CString& path, const std::vector<StreamSpec>& streams,
                      const std::vector<StreamSpec>& inSubStorage = {})
{
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, MAX_PATH);
    IStorage* root = nullptr;
    if (FAILED(StgCreateDocfile(wide, STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, &root)))
        return false;
    auto write = [](IStorage* storage, const StreamSpec& spec) {
        IStream* stream = nullptr;
        if (FAILED(storage->CreateStream(spec.name.c_str(), STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE,
                                         0, 0, &stream)))
            return false;
        ULONG written = 0;
        const bool ok = spec.data.empty() ||
                        SUCCEEDED(stream->Write(spec.data.data(), static_cast<ULONG>(spec.data.size()), &written));
        stream->Release();
        return ok;
    };
    bool ok = true;
    for (const StreamSpec& spec : streams)
        ok = ok && write(root, spec);
    if (!inSubStorage.empty()) {
        IStorage* sub = nullptr;
        ok = ok && SUCCEEDED(root->CreateStorage(L"MBD0000A1B2", STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE,
                                                 0, 0, &sub));
        for (const StreamSpec& spec : inSubStorage)
            ok = ok && sub && write(sub, spec);
        if (sub)
            sub->Release();
    }
    root->Release();
    return ok;
}

} // namespace

TEST(CompoundFile, ReadsWhatStructuredStorageWrites)
{
    CoInitialize(nullptr);
    TempDir dir;
    // Sizes around the mini-sector, the mini-stream cut-off and the sector size, and a stream
    // long enough that the FAT needs DIFAT sectors.
    std::vector<StreamSpec> streams;
    const size_t sizes[] = {0, 1, 63, 64, 65, 4095, 4096, 4097, 100000, 7600000};
    for (size_t i = 0; i < sizeof sizes / sizeof sizes[0]; ++i)
        streams.push_back({L"S" + std::to_wstring(i), Pattern(sizes[i], static_cast<unsigned>(i))});
    const CString path = dir.Path("storage.cfb");
    ASSERT_TRUE(WriteWithStorage(path, streams));
    const Bytes file = ReadFileBytes(path);
    ASSERT_GT(Get32(file, 44), 109u) << "the file was meant to need DIFAT sectors";
    for (const StreamSpec& spec : streams) {
        SCOPED_TRACE(spec.data.size());
        Bytes got{1, 2, 3};
        ASSERT_TRUE(Take(file, spec.name.c_str(), got));
        EXPECT_TRUE(got == spec.data);
    }
    // The last stream written runs to the file's end: taken in place, it is still the same.
    CCompoundFile reader;
    ASSERT_TRUE(reader.Open(file));
    Bytes last;
    ASSERT_TRUE(reader.TakeStream(reader.FindStream(L"S9"), last));
    EXPECT_TRUE(last == streams.back().data);
    // Left where it lies in the file: the stream starts inside the bytes handed back.
    for (const StreamSpec& spec : streams) {
        CCompoundFile again;
        ASSERT_TRUE(again.Open(file));
        Bytes got;
        size_t start = 99;
        ASSERT_TRUE(again.TakeStream(again.FindStream(spec.name.c_str()), got, start));
        ASSERT_LE(start, got.size());
        EXPECT_TRUE(Bytes(got.begin() + start, got.end()) == spec.data) << spec.data.size();
    }

    // Only the root storage's streams count; names compare without case.
    const CString nested = dir.Path("nested.xls");
    const Bytes book = Pattern(5000, 7), inner = Pattern(6000, 8);
    ASSERT_TRUE(WriteWithStorage(nested, {{L"BOOK", book}}, {{L"Workbook", inner}}));
    const Bytes nestedFile = ReadFileBytes(nested);
    Bytes got;
    EXPECT_FALSE(Take(nestedFile, L"Workbook", got));
    ASSERT_TRUE(Take(nestedFile, L"Book", got));
    EXPECT_TRUE(got == book);
    CoUninitialize();
}

TEST(CompoundFile, LargeSectorsBackwardChainsAndDifat)
{
    const Bytes big = Pattern(300000, 1), small = Pattern(3000, 2), tiny = Pattern(10, 3);
    for (uint32_t shift : {9u, 12u}) {
        for (bool backwards : {false, true}) {
            SCOPED_TRACE(shift);
            SCOPED_TRACE(backwards);
            const Layout layout = Build({{L"Small", small}, {L"Workbook", big}, {L"T", tiny}}, shift, backwards);
            for (const StreamSpec& spec : std::vector<StreamSpec>{{L"Small", small}, {L"Workbook", big}, {L"t", tiny}}) {
                Bytes got;
                ASSERT_TRUE(Take(layout.file, spec.name.c_str(), got));
                EXPECT_TRUE(got == spec.data);
            }
        }
    }
    // More than 109 FAT sectors: the rest are listed in a chain of DIFAT sectors.
    const Bytes huge = Pattern(16000000, 4);
    const Layout layout = Build({{L"Workbook", huge}});
    ASSERT_GE(layout.difatSectors.size(), 2u);
    Bytes got;
    ASSERT_TRUE(Take(layout.file, L"Workbook", got));
    EXPECT_TRUE(got == huge);

    // A DIFAT chain that loops back on itself before listing every FAT sector.
    Bytes looped = layout.file;
    Put32(looped, layout.Offset(layout.difatSectors[0]) + layout.sectorSize - 4, layout.difatSectors[0]);
    EXPECT_FALSE(Take(looped, L"Workbook", got));
    EXPECT_TRUE(got == huge);              // a failed take leaves what it was given
}

TEST(CompoundFile, DamagedStructuresFailCleanly)
{
    const Bytes big = Pattern(20000, 5), small = Pattern(700, 6);
    const Layout layout = Build({{L"Workbook", big}, {L"Book", small}});
    const Bytes& good = layout.file;
    const uint32_t fatSector = layout.fatSectors[0];
    const uint32_t bigFirst = layout.firstSector[0];
    auto fatEntry = [&](uint32_t sector) { return layout.Offset(fatSector) + 4 * sector; };
    Bytes got;
    ASSERT_TRUE(Take(good, L"Workbook", got));
    ASSERT_TRUE(Take(good, L"Book", got));

    struct Damage {
        const char* what;
        const wchar_t* stream;
        std::function<void(Bytes&)> apply;
    };
    const std::vector<Damage> damages = {
        {"cyclic FAT chain", L"Workbook", [&](Bytes& f) { Put32(f, fatEntry(bigFirst + 5), bigFirst + 2); }},
        {"chain into itself", L"Workbook", [&](Bytes& f) { Put32(f, fatEntry(bigFirst), bigFirst); }},
        {"chain ends early", L"Workbook", [&](Bytes& f) { Put32(f, fatEntry(bigFirst + 3), kEnd); }},
        {"chain beyond the file", L"Workbook", [&](Bytes& f) { Put32(f, fatEntry(bigFirst + 3), 0x00FFFFFF); }},
        {"free sector in a chain", L"Workbook", [&](Bytes& f) { Put32(f, fatEntry(bigFirst + 3), kFree); }},
        {"first sector beyond the file", L"Workbook", [&](Bytes& f) { Put32(f, layout.EntryOffset(1) + 116, 0x7FFFFFFF); }},
        {"huge size", L"Workbook", [&](Bytes& f) { Put32(f, layout.EntryOffset(1) + 120, 0xFFFFFFF0u); }},
        {"size beyond its chain", L"Workbook", [&](Bytes& f) { Put32(f, layout.EntryOffset(1) + 120, 40000); }},
        {"mini stream cycle", L"Book", [&](Bytes& f) {
             Put32(f, layout.Offset(layout.miniFat) + 4 * (layout.firstSector[1] + 3), layout.firstSector[1]); }},
        {"mini sector beyond the mini stream", L"Book", [&](Bytes& f) {
             Put32(f, layout.Offset(layout.miniFat) + 4 * layout.firstSector[1], 60); }},
        {"mini stream container too long", L"Book", [&](Bytes& f) { Put32(f, layout.EntryOffset(0) + 120, 0x7FFFFFF0); }},
        {"mini FAT count beyond the file", L"Book", [&](Bytes& f) { Put32(f, 64, 0x10000000); }},
        {"directory chain loop", L"Book", [&](Bytes& f) { Put32(f, fatEntry(layout.directory), layout.directory); }},
        {"directory beyond the file", L"Book", [&](Bytes& f) { Put32(f, 48, 0x0FFFFFFF); }},
        {"root of the wrong type", L"Book", [&](Bytes& f) { f[layout.EntryOffset(0) + 66] = 1; }},
        {"FAT count beyond the file", L"Book", [&](Bytes& f) { Put32(f, 44, 0x01000000); }},
        {"FAT sector beyond the file", L"Book", [&](Bytes& f) { Put32(f, 76, 0x00FFFFFF); }},
        {"no FAT", L"Book", [&](Bytes& f) { Put32(f, 44, 0); }},
        {"odd sector size", L"Book", [&](Bytes& f) { f[30] = 10; }},
        {"odd mini-sector size", L"Book", [&](Bytes& f) { f[32] = 7; }},
        {"not a compound file", L"Book", [&](Bytes& f) { f[7] = 0; }},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.what);
        Bytes file = good;
        damage.apply(file);
        Bytes out{9, 9};
        EXPECT_FALSE(Take(file, damage.stream, out));
        EXPECT_TRUE(out == Bytes({9, 9}));
    }

    // With a mini-stream cut-off of 0 every stream is a big one, an empty one too.
    const Layout empty = Build({{L"Empty", {}}});
    Bytes noCutOff = empty.file;
    Put32(noCutOff, 56, 0);
    Bytes out{1};
    EXPECT_TRUE(Take(noCutOff, L"Empty", out));
    EXPECT_TRUE(out.empty());

    // A cycle among the directory's links is walked once.
    Bytes tree = good;
    Put32(tree, layout.EntryOffset(2) + 72, 1);
    EXPECT_TRUE(Take(tree, L"Book", got));
    EXPECT_FALSE(Take(tree, L"Other", got));
}

TEST(CompoundFile, CutOrMutatedAnywhereNeverCrashes)
{
    const Bytes big = Pattern(9000, 7), small = Pattern(1000, 8);
    for (uint32_t shift : {9u, 12u}) {
        const Layout layout = Build({{L"Workbook", big}, {L"Book", small}}, shift, shift == 12);
        const Bytes& good = layout.file;
        for (size_t size = 0; size < good.size(); size += 13) {
            Bytes cut(good.begin(), good.begin() + size);
            Bytes out;
            for (const wchar_t* name : {L"Workbook", L"Book"}) {
                // What a cut file still holds must be the stream, never something else.
                if (Take(cut, name, out))
                    EXPECT_TRUE(out == (name[0] == L'W' ? big : small)) << "cut at " << size;
            }
        }
        const uint32_t values[] = {0, 1, 2, 3, 0x40, 4096, 0x7FFFFFFF, 0xFFFFFFFA, 0xFFFFFFFD, kEnd, kFree};
        for (size_t at = 0; at + 4 <= good.size(); at += 4) {
            // Header, FAT, mini FAT and directory: every field; stream data: now and then.
            const bool structure = at < 512 || at >= layout.Offset(0) + big.size();
            if (!structure && at % 256 != 0)
                continue;
            for (uint32_t v : values) {
                Bytes mutated = good;
                Put32(mutated, at, v);
                Bytes out;
                for (const wchar_t* name : {L"Workbook", L"Book"}) {
                    if (Take(mutated, name, out))
                        EXPECT_LE(out.size(), mutated.size());
                }
            }
        }
    }
}
