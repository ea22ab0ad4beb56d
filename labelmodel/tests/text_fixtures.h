#pragma once
// Shared fixtures of the text tests: record bytes in memory, a fixed clock, and a small table that
// stands in for the document's data table behind the label model's cell reader.
#include "framework/file.h"
#include "framework/recordio.h"
#include "labelmodel/tablesource.h"
#include "labelmodel/textcontent.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

typedef std::vector<uint8_t> Bytes;

// A memory file holding the bytes, positioned at the start.
inline void FillMemFile(CMemFile& file, const Bytes& bytes)
{
    if (!bytes.empty())
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.SeekToBegin();
}

// The record body a content writes.
inline Bytes SaveBody(const CText& content)
{
    CMemFile file;
    content.Save(&file);
    return file.Bytes();
}

// Loads a body; the flag says whether Load succeeded, the size how much it consumed.
inline bool LoadBody(CText& content, const Bytes& bytes, size_t* consumed = nullptr)
{
    CMemFile file;
    FillMemFile(file, bytes);
    bool ok = content.Load(&file);
    if (consumed)
        *consumed = static_cast<size_t>(file.GetPosition());
    return ok;
}

inline void PutI16(Bytes& b, int v)
{
    b.push_back(static_cast<uint8_t>(v & 0xFF));
    b.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
}

inline void PutI32(Bytes& b, int32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.push_back(static_cast<uint8_t>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
}

inline void PutText(Bytes& b, const std::string& s)
{
    b.insert(b.end(), s.begin(), s.end());
}

// While alive, the date and time contents see this moment as "now".
class FixedClock {
public:
    FixedClock(int year, int month, int day, int hour = 10, int minute = 20, int second = 30)
    {
        SYSTEMTIME t = {};
        t.wYear = static_cast<WORD>(year);
        t.wMonth = static_cast<WORD>(month);
        t.wDay = static_cast<WORD>(day);
        t.wHour = static_cast<WORD>(hour);
        t.wMinute = static_cast<WORD>(minute);
        t.wSecond = static_cast<WORD>(second);
        // Let the system fill in the weekday.
        FILETIME ft;
        SystemTimeToFileTime(&t, &ft);
        FileTimeToSystemTime(&ft, &t);
        Moment() = t;
        m_previous = SetTextContentClock(&FixedClock::Read);
    }
    ~FixedClock() { SetTextContentClock(m_previous); }
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;

    static SYSTEMTIME& Moment()
    {
        static SYSTEMTIME moment;
        return moment;
    }

private:
    static void Read(SYSTEMTIME* now) { *now = Moment(); }
    LocalTimeSource m_previous;
};

// A table of cells by (0-based row, physical column) and a column map, read through the label
// model's cell reader while a FakeTableReader is alive. The opaque table and map pointers that the
// contents pass around are these objects.
struct FakeTable {
    std::map<std::pair<int, int>, std::string> cells;
    void Set(int row, int column, const char* text) { cells[std::make_pair(row, column)] = text; }
    const CDataTableBase* Handle() const { return reinterpret_cast<const CDataTableBase*>(this); }
};

struct FakeColumnMap {
    int entries[kColumnMapSize];
    FakeColumnMap()
    {
        for (int i = 0; i < kColumnMapSize; ++i)
            entries[i] = i;
    }
    const CDataTableMap* Handle() const { return reinterpret_cast<const CDataTableMap*>(this); }
};

class FakeTableReader : public CTableCellReader {
public:
    FakeTableReader() { m_previous = SetTableCellReader(this); }
    ~FakeTableReader() override { SetTableCellReader(m_previous); }
    FakeTableReader(const FakeTableReader&) = delete;
    FakeTableReader& operator=(const FakeTableReader&) = delete;

    const char* GetCellText(const CDataTableBase* table, int row, int column) const override
    {
        const FakeTable* t = reinterpret_cast<const FakeTable*>(table);
        auto it = t->cells.find(std::make_pair(row, column));
        return it == t->cells.end() ? "" : it->second.c_str();
    }
    int GetMapEntry(const CDataTableMap* map, int k) const override
    {
        return reinterpret_cast<const FakeColumnMap*>(map)->entries[k];
    }

private:
    const CTableCellReader* m_previous;
};
