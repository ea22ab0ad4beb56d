#include "document/datatable.h"

#include "framework/file.h"
#include "framework/recordio.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

// ---------------------------------------------------------------------------------------------
// CDataTableCell


CDataTableCell::CDataTableCell(const CDataTableCell& other)
    : CObject(other)
{
    Assign(other.GetText(), other.m_length);
}

CDataTableCell::CDataTableCell(CDataTableCell&& other) noexcept
{
    // The bytes are the text or the heap copy's address: either way they change owner as they are.
    std::memcpy(m_local, other.m_local, sizeof(m_local));
    m_length = other.m_length;
    other.m_length = 0;
    other.m_local[0] = '\0';
}

CDataTableCell& CDataTableCell::operator=(const CDataTableCell& other)
{
    if (this != &other)
        Assign(other.GetText(), other.m_length);
    return *this;
}

CDataTableCell& CDataTableCell::operator=(CDataTableCell&& other) noexcept
{
    if (this != &other) {
        Release();
        std::memcpy(m_local, other.m_local, sizeof(m_local));
        m_length = other.m_length;
        other.m_length = 0;
        other.m_local[0] = '\0';
    }
    return *this;
}

CDataTableCell::~CDataTableCell()
{
    Release();
}

void CDataTableCell::SetText(const char* text)
{
    size_t length = 0;
    if (text != nullptr) {
        while (length < static_cast<size_t>(kMaxTextLength) && text[length] != '\0')
            ++length;
    }
    Assign(text, length);
}

void CDataTableCell::SetText(const char* text, int length)
{
    if (text == nullptr || length < 0)
        length = 0;
    if (length > kMaxTextLength)
        length = kMaxTextLength;
    if (length <= kLocalLength) {
        // Copied byte by byte up to a NUL, straight into the cell: short texts are the bulk of
        // every import, and a call into the runtime's memchr and memcpy would cost more than the
        // copy. The text may be a tail of this cell's own: copying forwards reads each byte before
        // it is overwritten, and an old heap copy is freed only afterwards.
        char* const oldHeap = m_length > kLocalLength ? HeapText() : nullptr;
        int used = 0;
        while (used < length && text[used] != '\0') {
            m_local[used] = text[used];
            ++used;
        }
        m_local[used] = '\0';
        m_length = static_cast<uint8_t>(used);
        delete[] oldHeap;
        return;
    }
    // A NUL ends the text as it does for SetText(text).
    const void* nul = std::memchr(text, 0, static_cast<size_t>(length));
    Assign(text, nul ? static_cast<size_t>(static_cast<const char*>(nul) - text)
                     : static_cast<size_t>(length));
}

const char* CDataTableCell::GetText() const
{
    return m_length > kLocalLength ? HeapText() : m_local;
}

char* CDataTableCell::HeapText() const
{
    char* text;
    std::memcpy(&text, m_local, sizeof(text));
    return text;
}

void CDataTableCell::Assign(const char* text, size_t length)
{
    // The new text is complete before the old one goes: it may be a part of it.
    if (length > static_cast<size_t>(kLocalLength)) {
        char* copy = new char[length + 1];
        std::memcpy(copy, text, length);
        copy[length] = '\0';
        Release();
        std::memcpy(m_local, &copy, sizeof(copy));
    } else {
        char local[kLocalLength + 1];
        if (length > 0)
            std::memcpy(local, text, length);
        local[length] = '\0';
        Release();
        std::memcpy(m_local, local, length + 1);
    }
    m_length = static_cast<uint8_t>(length);
}

void CDataTableCell::Release()
{
    if (m_length > kLocalLength)
        delete[] HeapText();
    m_length = 0;
    m_local[0] = '\0';
}

// ---------------------------------------------------------------------------------------------
// CDataTableRow

const char* CDataTableRow::GetCellText(int column) const
{
    if (column < 0 || column >= GetCellCount())
        return "";
    return m_cells[column].GetText();
}

bool CDataTableRow::SetCellText(int column, const char* text)
{
    if (column < 0 || column >= kMaxCells)
        return false;
    if (column >= GetCellCount())
        m_cells.resize(column + 1);
    m_cells[column].SetText(text);
    return true;
}

bool CDataTableRow::SetCellText(int column, const char* text, int length)
{
    if (column < 0 || column >= kMaxCells)
        return false;
    const int count = GetCellCount();
    if (column == count)
        m_cells.emplace_back();              // the usual case: cells arrive left to right
    else if (column > count)
        m_cells.resize(column + 1);
    m_cells[column].SetText(text, length);
    return true;
}

void CDataTableRow::ReserveCells(int count)
{
    if (count > 0)
        m_cells.reserve(static_cast<size_t>(count < kMaxCells ? count : kMaxCells));
}

void CDataTableRow::InsertCell(int column)
{
    if (column < 0 || column >= GetCellCount())
        return;
    m_cells.insert(m_cells.begin() + column, CDataTableCell());
    if (GetCellCount() > kMaxCells)
        m_cells.pop_back();
}

void CDataTableRow::DeleteCell(int column)
{
    if (column < 0 || column >= GetCellCount())
        return;
    m_cells.erase(m_cells.begin() + column);
}

bool CDataTableRow::IsEmpty() const
{
    for (const CDataTableCell& cell : m_cells) {
        if (!cell.IsEmpty())
            return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------------
// CDataTableBase: rows and cells

CDataTableBase::CDataTableBase()
{
    std::memset(m_imageColumns, 0, sizeof(m_imageColumns));
}

CDataTableBase::CDataTableBase(const CDataTableBase& other)
{
    std::memcpy(m_imageColumns, other.m_imageColumns, sizeof(m_imageColumns));
    m_rows.reserve(other.m_rows.size());
    for (const CDataTableRow& row : other.m_rows)
        m_rows.push_back(row);
}

CDataTableBase::CDataTableBase(CDataTableBase&& other) noexcept
    : CDataTableBase()
{
    Swap(other);
}

CDataTableBase& CDataTableBase::operator=(const CDataTableBase& other)
{
    if (this != &other) {
        CDataTableBase copy(other);
        Swap(copy);
    }
    return *this;
}

CDataTableBase& CDataTableBase::operator=(CDataTableBase&& other) noexcept
{
    if (this != &other) {
        CDataTableBase taken(std::move(other));
        Swap(taken);
    }
    return *this;
}

CDataTableBase::~CDataTableBase()
{
    RemoveAllRows();
}

void CDataTableBase::Swap(CDataTableBase& other) noexcept
{
    m_rows.swap(other.m_rows);
    std::swap(m_cellsPerNewRow, other.m_cellsPerNewRow);
    uint8_t flags[kFlagCount];
    std::memcpy(flags, m_imageColumns, sizeof(flags));
    std::memcpy(m_imageColumns, other.m_imageColumns, sizeof(flags));
    std::memcpy(other.m_imageColumns, flags, sizeof(flags));
}

int CDataTableBase::GetUsedRowCount() const
{
    for (int row = GetRowCount(); row > 0; --row) {
        if (!m_rows[row - 1].IsEmpty())
            return row;
    }
    return 0;
}

int CDataTableBase::GetCellCount(int row) const
{
    if (row < 0 || row >= GetRowCount())
        return 0;
    return m_rows[row].GetCellCount();
}

const char* CDataTableBase::GetCellText(int row, int column) const
{
    if (row < 0 || row >= GetRowCount())
        return "";
    return m_rows[row].GetCellText(column);
}

CDataTableRow& CDataTableBase::RowAt(int row)
{
    while (row >= GetRowCount())
        AppendRow();
    return m_rows[row];
}

bool CDataTableBase::SetCellText(int row, int column, const char* text)
{
    // Checked before any row is appended, so a refused write leaves no empty rows behind.
    if (row < 0 || column < 0 || column >= CDataTableRow::kMaxCells)
        return false;
    return RowAt(row).SetCellText(column, text);
}

bool CDataTableBase::SetCellText(int row, int column, const char* text, int length)
{
    if (row < 0 || column < 0 || column >= CDataTableRow::kMaxCells)
        return false;
    CDataTableRow& target = RowAt(row);
    // Only rows that get cells are given room: a gap of empty rows stays small.
    if (m_cellsPerNewRow > 0 && target.GetCellCount() == 0)
        target.ReserveCells(m_cellsPerNewRow);
    return target.SetCellText(column, text, length);
}

void CDataTableBase::ReserveRows(int rows, int cellsPerRow)
{
    // A hint from a file: more rows than this are not reserved ahead.
    const int kMostReserved = 1 << 20;
    if (rows > GetRowCount())
        m_rows.reserve(static_cast<size_t>(rows < kMostReserved ? rows : kMostReserved));
    m_cellsPerNewRow = cellsPerRow < 0 ? 0 : (cellsPerRow < kColumnCount ? cellsPerRow : kColumnCount);
}

void CDataTableBase::InsertRow(int row)
{
    if (row < 0 || row >= GetRowCount())
        return;
    m_rows.insert(m_rows.begin() + row, CDataTableRow());
}

void CDataTableBase::AppendRow()
{
    m_rows.emplace_back();
}

void CDataTableBase::DeleteRow(int row)
{
    if (row < 0 || row >= GetRowCount())
        return;
    m_rows.erase(m_rows.begin() + row);
}

void CDataTableBase::InsertColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    // The flag at the insertion index stays where it is: the new column carries the flag of the
    // column that moved right. The last flag falls off.
    std::memmove(m_imageColumns + column + 1, m_imageColumns + column, kFlagCount - 1 - column);
    for (CDataTableRow& row : m_rows)
        row.InsertCell(column);
}

void CDataTableBase::DeleteColumn(int column)
{
    if (column < 0 || column >= kColumnCount)
        return;
    // The last flag keeps its value.
    std::memmove(m_imageColumns + column, m_imageColumns + column + 1, kFlagCount - 1 - column);
    for (CDataTableRow& row : m_rows)
        row.DeleteCell(column);
}

void CDataTableBase::RemoveAllRows()
{
    m_rows.clear();
}

// ---------------------------------------------------------------------------------------------
// Image-column flags

bool CDataTableBase::IsImageColumn(int column) const
{
    return column >= 0 && column < kFlagCount && m_imageColumns[column] != 0;
}

bool CDataTableBase::ToggleImageColumn(int column)
{
    if (column < 0 || column >= kFlagCount)
        return false;
    m_imageColumns[column] = m_imageColumns[column] ? 0 : 1;
    return true;
}

void CDataTableBase::SetImageColumn(int column, bool on)
{
    if (column >= 0 && column < kFlagCount)
        m_imageColumns[column] = on ? 1 : 0;
}

int CDataTableBase::CountImageColumns() const
{
    int count = 0;
    for (int column = 0; column < kColumnCount; ++column) {
        if (m_imageColumns[column])
            ++count;
    }
    return count;
}

int CDataTableBase::GetImageColumnNumber(int column) const
{
    if (!IsImageColumn(column))
        return -1;
    int number = 0;
    for (int k = 0; k <= column; ++k) {
        if (m_imageColumns[k])
            ++number;
    }
    return number;
}

// ---------------------------------------------------------------------------------------------
// Sorting

namespace {

// What a row contributes to the comparison, worked out once per row instead of once per pair.
struct SortKey {
    const char* text;
    bool numeric;
    double value;
};

SortKey MakeKey(const char* text)
{
    SortKey key = {text, false, 0.0};
    // The Windows C runtime's scanner: reads a leading number, ignores what follows, and uses the
    // decimal separator of the numeric locale.
    double value = 0.0;
    if (__ms_sscanf(text, "%lg", &value) == 1) {
        key.numeric = true;
        key.value = value;
    }
    return key;
}

int CompareBytes(const char* a, const char* b)
{
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    while (*x != 0 && *x == *y) {
        ++x;
        ++y;
    }
    return static_cast<int>(*x) - static_cast<int>(*y);
}

int CompareKeys(const SortKey& a, const SortKey& b)
{
    if (a.numeric && b.numeric)
        return a.value < b.value ? -1 : (a.value > b.value ? 1 : 0);
    return CompareBytes(a.text, b.text);
}

// A bottom-up merge sort of row indices. A row moves ahead of an earlier one only when it is
// strictly smaller (ascending) or greater (descending), so equal rows keep their order. The mixed
// numeric/text comparison need not be a consistent ordering; the merge never leaves its bounds.
void MergeSortRows(std::vector<int>& order, const std::vector<SortKey>& keys, bool descending)
{
    const size_t count = order.size();
    std::vector<int> buffer(count);
    auto rightFirst = [&](int left, int right) {
        int result = CompareKeys(keys[left], keys[right]);
        return descending ? result < 0 : result > 0;
    };
    for (size_t width = 1; width < count; width *= 2) {
        for (size_t start = 0; start < count; start += 2 * width) {
            size_t middle = std::min(start + width, count);
            size_t end = std::min(start + 2 * width, count);
            size_t left = start, right = middle, out = start;
            while (left < middle && right < end) {
                if (rightFirst(order[left], order[right]))
                    buffer[out++] = order[right++];
                else
                    buffer[out++] = order[left++];
            }
            while (left < middle)
                buffer[out++] = order[left++];
            while (right < end)
                buffer[out++] = order[right++];
        }
        order.swap(buffer);
    }
}

} // namespace

void CDataTableBase::SortByColumn(int column, bool descending, std::vector<int>* order)
{
    const int count = GetRowCount();
    std::vector<int> positions(count);
    for (int row = 0; row < count; ++row)
        positions[row] = row;

    if (count > 1) {
        std::vector<SortKey> keys;
        keys.reserve(count);
        for (int row = 0; row < count; ++row)
            keys.push_back(MakeKey(m_rows[row].GetCellText(column)));
        MergeSortRows(positions, keys, descending);

        std::vector<CDataTableRow> sorted;
        sorted.reserve(count);
        for (int row = 0; row < count; ++row)
            sorted.push_back(std::move(m_rows[positions[row]]));
        m_rows.swap(sorted);
    }
    if (order)
        order->swap(positions);
}

// ---------------------------------------------------------------------------------------------
// The "TABL" record

namespace {

const int32_t kTableVersion = 1;

// Bytes left in the stream, so that counts read from it can be checked against what could
// possibly follow before anything is reserved or looped over.
class Remaining {
public:
    explicit Remaining(CFile* file)
    {
        ULONGLONG length = file->GetLength();
        ULONGLONG position = file->GetPosition();
        m_left = length > position ? length - position : 0;
    }
    void Consume(ULONGLONG n) { m_left = n < m_left ? m_left - n : 0; }
    // True when count items of at least itemSize bytes each can still follow.
    bool Allows(int32_t count, ULONGLONG itemSize) const
    {
        return count >= 0 && static_cast<ULONGLONG>(count) * itemSize <= m_left;
    }

private:
    ULONGLONG m_left;
};

} // namespace

bool CDataTableBase::Load(CFile* file)
{
    if (file == nullptr)
        return false;
    Remaining left(file);
    RecordReader in(file);

    int32_t magic = 0, version = 0, reserved = 0, flagCount = 0;
    if (!in.I32(magic) || magic != kMagic)
        return false;
    if (!in.I32(version) || version > kTableVersion)
        return false;
    if (!in.I32(reserved) || !in.I32(flagCount) || flagCount != kFlagCount)
        return false;
    uint8_t flags[kFlagCount];
    int32_t rowCount = 0;
    if (!in.Raw(flags, kFlagCount) || !in.I32(rowCount))
        return false;
    left.Consume(16 + kFlagCount + 4);
    if (!left.Allows(rowCount, 4))                 // every row holds at least its cell count
        return false;

    // Read everything into a table of its own; this table changes only once the record is whole.
    CDataTableBase loaded;
    loaded.m_rows.reserve(rowCount);
    char text[CDataTableCell::kMaxTextLength + 1];
    for (int32_t row = 0; row < rowCount; ++row) {
        int32_t cellCount = 0;
        if (!in.I32(cellCount))
            return false;
        left.Consume(4);
        if (cellCount > CDataTableRow::kMaxCells || !left.Allows(cellCount, 4))
            return false;
        // The row's cells in one allocation rather than one growth step after another.
        if (cellCount > 0)
            loaded.SetCellText(row, cellCount - 1, "");
        for (int32_t column = 0; column < cellCount; ++column) {
            int32_t length = 0;
            if (!in.I32(length))
                return false;
            left.Consume(4);
            if (!left.Allows(length, 1))
                return false;
            // Only the first 255 characters fit a cell; the rest of a longer text is passed over.
            UINT kept = static_cast<UINT>(std::min<int32_t>(length, CDataTableCell::kMaxTextLength));
            if (kept > 0 && !in.Raw(text, kept))
                return false;
            if (static_cast<UINT>(length) > kept && !in.Skip(static_cast<UINT>(length) - kept))
                return false;
            left.Consume(static_cast<ULONGLONG>(length));
            text[kept] = '\0';
            loaded.SetCellText(row, column, text);
        }
    }

    std::memcpy(m_imageColumns, flags, sizeof(flags));
    if (m_rows.empty()) {
        m_rows.swap(loaded.m_rows);
    } else {
        // Over an existing table the record's cells replace the cells at the same places.
        for (int row = 0; row < loaded.GetRowCount(); ++row) {
            for (int column = 0; column < loaded.GetCellCount(row); ++column)
                SetCellText(row, column, loaded.GetCellText(row, column));
        }
    }
    return true;
}

bool CDataTableBase::Save(CFile* file) const
{
    RecordWriter out(file);
    out.I32(kMagic);
    out.I32(kTableVersion);
    out.I32(0);
    out.I32(kFlagCount);
    out.Raw(m_imageColumns, kFlagCount);
    out.I32(GetRowCount());
    for (const CDataTableRow& row : m_rows) {
        out.I32(row.GetCellCount());
        for (int column = 0; column < row.GetCellCount(); ++column) {
            const char* text = row.GetCellText(column);
            size_t length = std::min<size_t>(std::strlen(text), CDataTableCell::kMaxTextLength);
            out.I32(static_cast<int32_t>(length));
            out.Raw(text, static_cast<UINT>(length));
        }
    }
    return out.ok();
}

// ---------------------------------------------------------------------------------------------
// The label model reads cells through an interface of its own (it sits below this library). The
// reader is installed here, in the file every user of tables links, so that a text content never
// prints empty for want of it.

#include "document/datatablemaps.h"
#include "labelmodel/tablesource.h"

namespace {

class DataTableCellReader : public CTableCellReader {
public:
    const char* GetCellText(const CDataTableBase* table, int row, int column) const override
    {
        return table ? table->GetCellText(row, column) : "";
    }
    int GetMapEntry(const CDataTableMap* map, int k) const override
    {
        return map ? map->GetEntry(k) : -1;
    }
    bool IsImageColumn(const CDataTableBase* table, int column) const override
    {
        return table && table->IsImageColumn(column);
    }
};

const DataTableCellReader g_cellReader;
const bool g_cellReaderInstalled = (SetTableCellReader(&g_cellReader), true);

} // namespace
