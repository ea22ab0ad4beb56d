#include "document/tablefiles.h"

#include "document/datatable.h"
#include "document/filemessages.h"
#include "document/tablefilter.h"
#include "document/tableslot.h"
#include "document/textimport.h"
#include "framework/file.h"
#include "framework/msgbox.h"
#include "framework/paths.h"
#include "framework/recordio.h"
#include "framework/safefile.h"

#include <algorithm>
#include <memory>
#include <string>

namespace {

const int32_t kTbfMagic = 0x4642542E;    // ".TBF"
const int32_t kTextTag = 0x54584554;     // "TEXT"
const int32_t kLbatMagic = 0x5441424C;   // "LBAT"
const int32_t kFilterMarker = 0x11223344;
const int kMaxField = CDataTableCell::kMaxTextLength;

// Little-endian fields over a block of bytes; every read checks what is left.
class ByteCursor {
public:
    ByteCursor(const unsigned char* data, size_t size) : m_data(data), m_size(size) {}
    size_t Left() const { return m_size - m_pos; }
    bool U16(uint16_t& v)
    {
        if (Left() < 2)
            return false;
        v = static_cast<uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
        m_pos += 2;
        return true;
    }
    bool Skip(size_t n)
    {
        if (Left() < n)
            return false;
        m_pos += n;
        return true;
    }
    const unsigned char* Here() const { return m_data + m_pos; }

private:
    const unsigned char* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// A count read from the file, checked against what the rest of the file can hold.
bool ReadCount(RecordReader& in, CFile& file, int32_t& count, size_t bytesPerItem)
{
    if (!in.I32(count) || count < 0)
        return false;
    const ULONGLONG left = file.GetLength() - file.GetPosition();
    return bytesPerItem == 0 || static_cast<ULONGLONG>(count) <= left / bytesPerItem;
}

// A length-prefixed cell text; longer texts than a cell holds keep their first characters.
bool ReadCellText(RecordReader& in, CFile& file, CString& text)
{
    int32_t length;
    if (!ReadCount(in, file, length, 1))
        return false;
    const int kept = length > kMaxField ? kMaxField : length;
    char buffer[kMaxField + 1];
    if (!in.Raw(buffer, static_cast<UINT>(kept)) || !in.Skip(static_cast<UINT>(length - kept)))
        return false;
    text = CString(buffer, kept);
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// ".tbl"

bool ParseTblData(const unsigned char* data, size_t size, CDataTableBase& table)
{
    ByteCursor in(data, size);
    uint16_t signature, columns;
    if (!in.U16(signature) || !in.U16(columns))
        return false;
    const int high = signature >> 8;
    const int options = signature & 0xFF;
    const bool plain = signature == 0x0101 || signature == 0x0505 || signature == 0x0515;
    if (!plain && high != 0x7E && high != 0x7F)
        return false;
    if (!in.Skip(4u * columns))
        return false;
    if (!plain && (options & 0x10)) {
        for (int i = 0; i < columns; ++i) {
            uint16_t length;
            if (!in.U16(length) || !in.Skip(length))
                return false;
        }
    }
    if (!plain && (options & 0x40) && !in.Skip(2u * columns))
        return false;
    uint16_t imageColumns = 0;
    if (!plain && high == 0x7E && (options & 0x02) && !in.U16(imageColumns))
        return false;

    CDataTableBase result(table);
    for (int j = 0; j < imageColumns; ++j) {
        const int column = columns - imageColumns + j;
        if (column >= 0 && column < CDataTableBase::kFlagCount)
            result.SetImageColumn(column, true);
    }
    const unsigned char* bytes = in.Here();
    const size_t count = in.Left();
    int row = result.GetRowCount();
    int column = 0;
    char field[kMaxField + 1];
    int length = 0;
    auto store = [&]() {
        if (length > 0) {
            field[length] = '\0';
            result.SetCellText(row, column, field);
            length = 0;
        }
    };
    for (size_t i = 0; i < count; ++i) {
        const unsigned char ch = bytes[i];
        if (ch == 0x10) {
            store();
            ++column;
        } else if (ch == 0x0D) {
            store();
            ++row;
            column = 0;
        } else if (ch == 0x1A) {
            store();
        } else if (ch != 0x0A) {
            if (length < kMaxField)
                field[length++] = static_cast<char>(ch);
        }
    }
    store();
    table.Swap(result);
    return true;
}

bool ReadTblFile(CDataTableBase& table, const char* path)
{
    std::string data;
    if (!ReadWholeFile(path, data) ||
        !ParseTblData(reinterpret_cast<const unsigned char*>(data.data()), data.size(), table)) {
        ReportCannotOpenFile(path);
        return false;
    }
    return true;
}

bool ImportTableFile(TableSlot& slot, const char* path)
{
    if (HasExtension(path, ".tbf"))
        return ReadTbfFile(slot, path);
    if (!slot.Table() || !ReadTblFile(*slot.Table(), path))
        return false;
    slot.FollowImageColumns();             // the file may mark image columns
    return true;
}

// ---------------------------------------------------------------------------------------------
// ".TBF"

namespace {

// Appends the rows of from after the rows of to, cell for cell (empty cells kept).
void AppendRows(CDataTableBase& to, const CDataTableBase& from)
{
    const int base = to.GetRowCount();
    for (int r = 0; r < from.GetRowCount(); ++r) {
        to.AppendRow();
        const int cells = from.GetCellCount(r);
        if (cells > 0)
            to.SetCellText(base + r, cells - 1, "");
        for (int c = 0; c < cells; ++c) {
            const char* text = from.GetCellText(r, c);
            if (*text)
                to.SetCellText(base + r, c, text);
        }
    }
}

// The "LBAT" layout this program writes, after its magic: version 0, the table record, and
// either the end of the file or the filter marker, the filter record and the filtered table, and
// then the end. Like the ".TBF" layout it replaces the filter (when it has one) and appends the
// rows of both tables.
bool ParseLbat(CMemFile& file, RecordReader& in, TableSlot& slot)
{
    int32_t version;
    if (!in.I32(version) || version != 0)
        return false;
    CDataTableBase fileTable;
    if (!fileTable.Load(&file))
        return false;
    std::unique_ptr<CDataTableFilter> filter;
    CDataTableBase fileFiltered;
    if (file.GetPosition() != file.GetLength()) {
        int32_t marker;
        if (!in.I32(marker) || marker != kFilterMarker)
            return false;
        filter = std::make_unique<CDataTableFilter>();
        if (!filter->Load(in) || !fileFiltered.Load(&file))
            return false;
        if (file.GetPosition() != file.GetLength())
            return false;                  // bytes after the last record: not a file of ours
    }

    auto table = std::make_unique<CDataTableBase>(*slot.Table());
    for (int c = 0; c < CDataTableBase::kFlagCount; ++c) {
        if (fileTable.IsImageColumn(c))
            table->SetImageColumn(c, true);
    }
    AppendRows(*table, fileTable);
    if (!filter) {
        slot.SetTable(std::move(table));
        slot.ReapplyFilter();              // a filter already on shows the new rows too
        slot.FollowImageColumns();
        return true;
    }
    auto filtered = std::make_unique<CDataTableBase>(slot.Filtered() ? *slot.Filtered()
                                                                     : *slot.Table());
    AppendRows(*filtered, fileFiltered);
    slot.SetTable(std::move(table));
    slot.AdoptFilter(std::move(filter), std::move(filtered));
    return true;
}

} // namespace

bool ParseTbfData(const unsigned char* data, size_t size, TableSlot& slot)
{
    if (!slot.Table())
        return false;
    CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
    RecordReader in(&file);
    int32_t magic, version;
    if (!in.I32(magic))
        return false;
    if (magic == kLbatMagic)
        return ParseLbat(file, in, slot);
    if (magic != kTbfMagic || !in.I32(version) || version > 0x901 || version == 0x900 ||
        !in.Skip(8))
        return false;
    auto filter = std::make_unique<CDataTableFilter>();
    if (!filter->Load(in))
        return false;
    int32_t tag, first, imageCount;
    if (!in.I32(tag) || tag != kTextTag || !in.I32(first) || !in.I32(imageCount))
        return false;

    auto table = std::make_unique<CDataTableBase>(*slot.Table());
    auto filtered = std::make_unique<CDataTableBase>(slot.Filtered() ? *slot.Filtered()
                                                                     : *slot.Table());
    // Only flags 0..255 exist: a damaged first column must not make this loop run for ever.
    const int64_t end = std::min<int64_t>(static_cast<int64_t>(first) + imageCount, 256);
    for (int64_t c = std::max<int32_t>(first, 0); c < end; ++c)
        table->SetImageColumn(static_cast<int>(c), true);

    const int baseRow = table->GetRowCount();
    int32_t rows;
    if (!ReadCount(in, file, rows, 4))
        return false;
    for (int32_t r = 0; r < rows; ++r) {
        int32_t cells;
        if (!ReadCount(in, file, cells, 4))
            return false;
        for (int32_t c = 0; c < cells; ++c) {
            CString text;
            if (!ReadCellText(in, file, text))
                return false;
            if (!text.IsEmpty() && c < CDataTableRow::kMaxCells)
                table->SetCellText(baseRow + r, c, text);
        }
    }

    int32_t columns;
    if (!ReadCount(in, file, columns, 5) || !in.Skip(5u * static_cast<UINT>(columns)))
        return false;
    int32_t filteredRows;
    if (!ReadCount(in, file, filteredRows, 4u * static_cast<size_t>(columns)))
        return false;
    const int filteredBase = filtered->GetRowCount();
    for (int32_t r = 0; r < filteredRows && columns > 0; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            CString text;
            if (!ReadCellText(in, file, text))
                return false;
            if (c < CDataTableRow::kMaxCells)
                filtered->SetCellText(filteredBase + r, c, text);
        }
    }

    slot.SetTable(std::move(table));
    slot.AdoptFilter(std::move(filter), std::move(filtered));
    return true;
}

bool ReadTbfFile(TableSlot& slot, const char* path)
{
    std::string data;
    if (!ReadWholeFile(path, data)) {
        ReportCannotOpenFile(path);
        return false;
    }
    if (!ParseTbfData(reinterpret_cast<const unsigned char*>(data.data()), data.size(), slot)) {
        ReportCorruptFile();
        return false;
    }
    return true;
}

bool WriteTbfFile(const TableSlot& slot, const char* path)
{
    if (!slot.Table())
        return false;
    const bool written = WriteFileReplacing(path, [&](CFile& file) {
        RecordWriter out(&file);
        out.I32(kLbatMagic);
        out.I32(0);
        if (!out.ok() || !slot.Table()->Save(&file))
            return false;
        if (slot.Filter()) {
            out.I32(kFilterMarker);
            slot.Filter()->Save(out);
            const CDataTableBase empty;
            const CDataTableBase& filtered = slot.Filtered() ? *slot.Filtered() : empty;
            if (!out.ok() || !filtered.Save(&file))
                return false;
        }
        return out.ok();
    });
    if (!written)
        ReportCannotOpenFile(path);
    return written;
}
