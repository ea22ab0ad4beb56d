#include "document/tablefilter.h"

#include "document/datatable.h"
#include "document/datatablemaps.h"
#include "framework/file.h"
#include "framework/recordio.h"

#include <algorithm>
#include <cstring>

// ---------------------------------------------------------------------------------------------
// CDataTableFilterItem

CDataTableFilterItem::CDataTableFilterItem()
{
    std::memset(m_flags, 0, sizeof(m_flags));
    m_flags[kFilterShow] = 1;
}

uint8_t CDataTableFilterItem::GetFlag(int kind) const
{
    return kind >= 0 && kind < kFilterKindCount ? m_flags[kind] : 0;
}

void CDataTableFilterItem::SetFlag(int kind, uint8_t value)
{
    if (kind >= 0 && kind < kFilterKindCount)
        m_flags[kind] = value;
}

const char* CDataTableFilterItem::PrepareCellText(const uint8_t stripCharacters[3], const char* text) const
{
    if (IsTrimmed()) {
        while (*text == ' ')
            ++text;
    }
    for (int k = 0; k < CDataTableFilter::kConditionCount; ++k) {
        if (!UsesStrip(k))
            continue;
        // An unset strip character (0) would match the terminator: it strips nothing.
        if (stripCharacters[k] != 0 && static_cast<uint8_t>(*text) == stripCharacters[k])
            ++text;
        break;
    }
    return text;
}

bool CDataTableFilterItem::Load(RecordReader& in)
{
    int32_t version = 0;
    uint8_t flags[kFilterKindCount] = {};
    in.I32(version);
    in.Raw(flags, 5);                      // show, trim, three strip selectors
    if (version & 1) {
        in.Raw(flags + kFilterInclude1, 3);
        in.Raw(flags + kFilterExclude1, 3);
    } else {
        // The old layout knew one include and one exclude condition.
        in.U8(flags[kFilterInclude1]);
        in.U8(flags[kFilterExclude1]);
    }
    if (!in.ok())
        return false;
    std::memcpy(m_flags, flags, sizeof(m_flags));
    return true;
}

void CDataTableFilterItem::Save(RecordWriter& out) const
{
    out.I32(1);
    out.Raw(m_flags, kFilterKindCount);
}

// ---------------------------------------------------------------------------------------------
// CDataTableFilter: conditions and the dialog's accessors

namespace {

const int32_t kFilterVersion = 1;
const int kStoredItemCount = CDataTableBase::kColumnCount;   // items "A".."Z" go into records
const UINT kStringField = CDataTableFilter::kMaxStringLength + 1;

bool ValidCondition(int k)
{
    return k >= 0 && k < CDataTableFilter::kConditionCount;
}

CString CutString(const char* text)
{
    CString value(text);
    if (value.GetLength() > CDataTableFilter::kMaxStringLength)
        value = value.Left(CDataTableFilter::kMaxStringLength);
    return value;
}

} // namespace

CDataTableFilter::CDataTableFilter() = default;

CString CDataTableFilter::GetStripChar(int k) const
{
    if (!ValidCondition(k) || m_stripChars[k] == 0)
        return CString();
    return CString(static_cast<char>(m_stripChars[k]));
}

CString CDataTableFilter::GetIncludeString(int k) const
{
    return ValidCondition(k) ? IncludeString(k) : CString();
}

CString CDataTableFilter::GetExcludeString(int k) const
{
    return ValidCondition(k) ? ExcludeString(k) : CString();
}

void CDataTableFilter::SetStripChar(int k, const char* text)
{
    if (ValidCondition(k))
        m_stripChars[k] = text ? static_cast<uint8_t>(text[0]) : 0;
}

void CDataTableFilter::SetIncludeString(int k, const char* text)
{
    if (ValidCondition(k))
        IncludeString(k) = CutString(text);
}

void CDataTableFilter::SetExcludeString(int k, const char* text)
{
    if (ValidCondition(k))
        ExcludeString(k) = CutString(text);
}

CString CDataTableFilter::GetFilterText(int kind) const
{
    if (kind >= kFilterExclude1 && kind < kFilterExclude1 + kConditionCount)
        return GetExcludeString(kind - kFilterExclude1);
    if (kind >= kFilterInclude1 && kind < kFilterInclude1 + kConditionCount)
        return GetIncludeString(kind - kFilterInclude1);
    if (kind >= kFilterStrip1 && kind < kFilterStrip1 + kConditionCount)
        return GetStripChar(kind - kFilterStrip1);
    return CString();
}

void CDataTableFilter::SetFilterText(int kind, const char* text)
{
    if (kind >= kFilterExclude1 && kind < kFilterExclude1 + kConditionCount)
        SetExcludeString(kind - kFilterExclude1, text);
    else if (kind >= kFilterInclude1 && kind < kFilterInclude1 + kConditionCount)
        SetIncludeString(kind - kFilterInclude1, text);
    else if (kind >= kFilterStrip1 && kind < kFilterStrip1 + kConditionCount)
        SetStripChar(kind - kFilterStrip1, text);
}

bool CDataTableFilter::GetFilterFlag(int column, int kind) const
{
    if (column < 0 || column >= kItemCount)
        return false;
    return m_items[column].GetFlag(kind) != 0;
}

bool CDataTableFilter::ToggleFilterFlag(int kind, int column)
{
    if (column < 0 || column >= kItemCount || kind < 0 || kind >= kFilterKindCount)
        return false;
    CDataTableFilterItem& item = m_items[column];
    item.SetFlag(kind, item.GetFlag(kind) ? 0 : 1);
    return item.GetFlag(kind) != 0;
}

const CDataTableFilterItem& CDataTableFilter::GetItem(int column) const
{
    static const CDataTableFilterItem none;
    return column >= 0 && column < kItemCount ? m_items[column] : none;
}

bool CDataTableFilter::IsColumnShown(int column) const
{
    return column >= 0 && column < kItemCount && m_items[column].IsShown();
}

void CDataTableFilter::InsertColumn(int column)
{
    if (column < 0 || column >= kItemCount)
        return;
    std::move_backward(m_items + column, m_items + kItemCount - 1, m_items + kItemCount);
    m_items[column] = CDataTableFilterItem();
}

void CDataTableFilter::DeleteColumn(int column)
{
    if (column < 0 || column >= kItemCount)
        return;
    std::move(m_items + column + 1, m_items + kItemCount, m_items + column);
    m_items[kItemCount - 1] = CDataTableFilterItem();
}

// ---------------------------------------------------------------------------------------------
// The row test, the column map and the filtered table

CDataTableFilter::RowTest CDataTableFilter::GatherRowTest() const
{
    RowTest test;
    for (int k = 0; k < kConditionCount; ++k) {
        const bool exclude = !ExcludeString(k).IsEmpty(), include = !IncludeString(k).IsEmpty();
        for (int column = 0; (exclude || include) && column < kItemCount; ++column) {
            if (exclude && m_items[column].UsesExclude(k))
                test.exclude[k].push_back(column);
            if (include && m_items[column].UsesInclude(k))
                test.include[k].push_back(column);
        }
    }
    return test;
}

bool CDataTableFilter::AcceptsRow(const CDataTableBase* table, int row) const
{
    return table != nullptr && AcceptsRow(GatherRowTest(), *table, row);
}

std::vector<bool> CDataTableFilter::AcceptedRows(const CDataTableBase& table) const
{
    const RowTest test = GatherRowTest();
    std::vector<bool> accepted(static_cast<size_t>(table.GetRowCount()));
    for (int row = 0; row < table.GetRowCount(); ++row)
        accepted[static_cast<size_t>(row)] = AcceptsRow(test, table, row);
    return accepted;
}

// Each condition looks at the text the person sees in its column, "" where the row stores no
// cell: whether a cell is stored depends on how the row came in (imports store only non-empty
// cells, the grid keeps emptied ones), and the same table must always give the same rows.
bool CDataTableFilter::AcceptsRow(const RowTest& test, const CDataTableBase& table, int row) const
{
    for (int k = 0; k < kConditionCount; ++k) {
        const CString& exclude = ExcludeString(k);
        for (int column : test.exclude[k]) {
            const char* text = table.GetCellText(row, column);
            if (*text != '\0' && std::strstr(text, exclude) != nullptr)
                return false;
        }
    }

    // An include condition is a non-empty include string selected for a column; when any
    // applies, one of them must match.
    bool accepted = true;
    for (int k = 0; k < kConditionCount; ++k) {
        const CString& include = IncludeString(k);
        for (int column : test.include[k]) {
            accepted = false;
            const char* text = table.GetCellText(row, column);
            if (*text != '\0' && std::strstr(text, include) != nullptr)
                return true;
        }
    }
    return accepted;
}

void CDataTableFilter::RebuildColumnMap(CDataTableMap& map) const
{
    if (!IsEnabled()) {
        map.SetIdentity();
        return;
    }
    map.Clear();
    for (int column = 0; column < CDataTableBase::kColumnCount; ++column) {
        if (m_items[column].IsShown())
            map.FindOrAdd(column);
    }
}

int CDataTableFilter::GetFilteredColumn(int k) const
{
    if (!IsEnabled())
        return k;
    if (k < 0)
        return kItemCount;
    int shown = 0;
    for (int column = 0; column < kItemCount; ++column) {
        if (m_items[column].IsShown() && shown++ == k)
            return column;
    }
    return kItemCount;
}

void CDataTableFilter::CopyShownCells(const CDataTableBase& table, int row, CDataTableBase& filtered,
                                      int filteredRow) const
{
    const int cells = std::min(table.GetCellCount(row), kItemCount);
    int filteredColumn = 0;
    for (int column = 0; column < cells; ++column) {
        if (!m_items[column].IsShown())
            continue;
        const char* text = table.GetCellText(row, column);
        if (column < CDataTableBase::kColumnCount)
            text = m_items[column].PrepareCellText(m_stripChars, text);
        filtered.SetCellText(filteredRow, filteredColumn, text);
        ++filteredColumn;
    }
}

void CDataTableFilter::ApplyTableFilter(const CDataTableBase& table, CDataTableBase& filtered,
                                        CDataTableMap& columnMap, CDataTableRowMap& rowMap) const
{
    filtered.RemoveAllRows();
    rowMap.Clear();
    const RowTest test = GatherRowTest();
    int filteredRow = 0;
    for (int row = 0; row < table.GetRowCount(); ++row) {
        if (!AcceptsRow(test, table, row))
            continue;
        rowMap.AddRow(row);
        // Every accepted row becomes a filtered row, even one without shown cells, so filtered
        // row k is always the base row of entry k.
        filtered.AppendRow();
        CopyShownCells(table, row, filtered, filteredRow);
        ++filteredRow;
    }
    RebuildColumnMap(columnMap);
    rowMap.SetInOrder(true);
}

// ---------------------------------------------------------------------------------------------
// The filter record

bool CDataTableFilter::Load(RecordReader& in)
{
    // Read over a copy: items the record does not carry stay as they are.
    int32_t version = 0;
    CDataTableFilter loaded(*this);
    in.I32(version);
    in.I32(loaded.m_reserved1);
    in.I32(loaded.m_reserved2);
    in.Raw(loaded.m_stripChars, kConditionCount);
    in.U8(loaded.m_enabled);
    // The old layout stored only the first include and exclude strings.
    const int stringCount = (version & 1) ? 2 * kConditionCount : 2;
    for (int s = 0; s < 2 * kConditionCount; ++s) {
        CString text;
        if (s < stringCount)
            in.FixedString(text, kStringField);
        loaded.m_strings[s] = CutString(text);
    }
    int32_t itemCount = 0;
    if (!in.I32(itemCount) || itemCount < 0 || itemCount > kItemCount)
        return false;
    for (int column = 0; column < itemCount; ++column) {
        if (!loaded.m_items[column].Load(in))
            return false;
    }
    if (!in.ok())
        return false;
    *this = loaded;
    return true;
}

void CDataTableFilter::Save(RecordWriter& out) const
{
    out.I32(kFilterVersion);
    out.I32(m_reserved1);
    out.I32(m_reserved2);
    out.Raw(m_stripChars, kConditionCount);
    out.U8(m_enabled);
    for (const CString& text : m_strings)
        out.FixedString(text, kStringField);
    out.I32(kStoredItemCount);
    for (int column = 0; column < kStoredItemCount; ++column)
        m_items[column].Save(out);
}

bool CDataTableFilter::Load(CFile* file)
{
    RecordReader in(file);
    return Load(in);
}

bool CDataTableFilter::Save(CFile* file) const
{
    RecordWriter out(file);
    Save(out);
    return out.ok();
}
