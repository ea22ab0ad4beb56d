#include "document/tableslot.h"

#include "document/filemessages.h"
#include "framework/file.h"
#include "framework/msgbox.h"
#include "framework/recordio.h"
#include "framework/safefile.h"

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {
// The version word of ".filter" files, after the magic.
const int32_t kFilterFileVersion = 0;

// What a row shows: its texts up to the last non-empty cell, so that a missing cell and an empty
// one read the same.
std::string RowKey(const CDataTableBase& table, int row)
{
    std::string key;
    size_t used = 0;
    for (int column = 0; column < table.GetCellCount(row); ++column) {
        const char* text = table.GetCellText(row, column);
        key += text;
        key += '\0';
        if (*text != '\0')
            used = key.size();
    }
    key.resize(used);
    return key;
}

// The base row that each filtered row shows, found by what it shows: a base row whose shown
// cells read the same. Rows the filter accepts are taken first, in their order, so that equal
// rows pair as applying the filter pairs them; a row edited through the filter may no longer be
// accepted and is found among the others. False when some filtered row shows no base row.
bool FindBaseRows(const CDataTableFilter& filter, const CDataTableBase& table,
                  const CDataTableBase& filtered, CDataTableRowMap& rowMap)
{
    struct Candidates {
        std::vector<int> rows;
        size_t next = 0;
    };
    const int rows = table.GetRowCount();
    std::vector<std::string> keys(rows);
    const std::vector<bool> accepted = filter.AcceptedRows(table);
    CDataTableBase shown;
    for (int row = 0; row < rows; ++row) {
        shown.RemoveAllRows();
        filter.CopyShownCells(table, row, shown, 0);
        keys[row] = RowKey(shown, 0);
    }
    std::unordered_map<std::string, Candidates> byText;
    for (bool acceptedFirst : {true, false}) {
        for (int row = 0; row < rows; ++row) {
            if (accepted[row] == acceptedFirst)
                byText[keys[row]].rows.push_back(row);
        }
    }
    rowMap.Clear();
    for (int row = 0; row < filtered.GetRowCount(); ++row) {
        auto found = byText.find(RowKey(filtered, row));
        if (found == byText.end() || found->second.next >= found->second.rows.size())
            return false;
        rowMap.AddRow(found->second.rows[found->second.next++]);
    }
    rowMap.SetInOrder(true);
    return true;
}
} // namespace

TableSlot::TableSlot()
    : m_table(std::make_unique<CDataTableBase>())
{
}

TableSlot TableSlot::Clone() const
{
    TableSlot copy;
    copy.m_table = m_table ? std::make_unique<CDataTableBase>(*m_table) : nullptr;
    copy.m_filter = m_filter ? std::make_unique<CDataTableFilter>(*m_filter) : nullptr;
    copy.m_filtered = m_filtered ? std::make_unique<CDataTableBase>(*m_filtered) : nullptr;
    copy.m_columnMap = m_columnMap;
    copy.m_rowMap = m_rowMap;
    return copy;
}

// ---------------------------------------------------------------------------------------------
// The pieces

void TableSlot::SetTable(std::unique_ptr<CDataTableBase> table)
{
    m_table = std::move(table);
}

void TableSlot::SetFilter(std::unique_ptr<CDataTableFilter> filter)
{
    m_filter = std::move(filter);
}

void TableSlot::SetFiltered(std::unique_ptr<CDataTableBase> filtered)
{
    m_filtered = std::move(filtered);
    m_rowMap.SetInOrder(false);
}

void TableSlot::AdoptFilter(std::unique_ptr<CDataTableFilter> filter, std::unique_ptr<CDataTableBase> filtered)
{
    m_filter = std::move(filter);
    SetFiltered(std::move(filtered));
    RebuildColumnMap();
    BringFilterInStep();
    FollowImageColumns();
}

void TableSlot::Clear()
{
    m_table.reset();
    m_filter.reset();
    m_filtered.reset();
    m_columnMap.SetIdentity();
    m_rowMap = CDataTableRowMap();
}

bool TableSlot::IsFilterOn() const
{
    return m_filter && m_filter->IsEnabled() && m_filtered;
}

CDataTableBase* TableSlot::Shown() const
{
    return IsFilterOn() ? m_filtered.get() : m_table.get();
}

bool TableSlot::IsRowMapUsable() const
{
    return IsFilterOn() && m_table && m_rowMap.IsInOrder() &&
           m_rowMap.GetMappedCount() == m_filtered->GetRowCount();
}

// ---------------------------------------------------------------------------------------------
// Cells

int TableSlot::GetRowCount() const
{
    const CDataTableBase* shown = Shown();
    return shown ? shown->GetRowCount() : -1;
}

const char* TableSlot::GetCellText(int row, int column) const
{
    const CDataTableBase* shown = Shown();
    return shown ? shown->GetCellText(row, column) : "";
}

bool TableSlot::SetCellText(const char* text, int row, int column)
{
    if (row < 0 || column < 0)
        return false;
    if (!IsFilterOn())
        return m_table && m_table->SetCellText(row, column, text);
    BringFilterInStep();

    const int baseColumn = m_columnMap.GetEntry(column);
    if (baseColumn < 0)
        return false;
    // A row below the filtered rows is new: it gets new base rows at the end of the base table,
    // never a base row that the filter hides.
    while (m_rowMap.GetMappedCount() <= row) {
        m_table->AppendRow();
        m_rowMap.AddRow(m_table->GetRowCount() - 1);
        m_filtered->AppendRow();
    }
    m_filtered->SetCellText(row, column, text);
    m_table->SetCellText(m_rowMap.GetEntry(row), baseColumn, text);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Rows and columns

bool TableSlot::InsertRow(int row)
{
    if (!IsFilterOn()) {
        if (!m_table || row < 0 || row >= m_table->GetRowCount())
            return false;
        m_table->InsertRow(row);
        return true;
    }
    BringFilterInStep();
    if (row < 0 || row >= m_filtered->GetRowCount())
        return false;
    m_filtered->InsertRow(row);

    // The new base row goes just after the base row shown above the new filtered row.
    int basePosition = m_rowMap.GetBasePosition(row);
    if (basePosition >= m_table->GetRowCount()) {
        basePosition = m_table->GetRowCount();
        m_table->AppendRow();
    } else {
        m_table->InsertRow(basePosition);
    }
    m_rowMap.InsertRow(row, basePosition);
    return true;
}

bool TableSlot::DeleteRow(int row)
{
    if (!IsFilterOn()) {
        if (!m_table || row < 0 || row >= m_table->GetRowCount())
            return false;
        m_table->DeleteRow(row);
        return true;
    }
    BringFilterInStep();
    if (row < 0 || row >= m_filtered->GetRowCount())
        return false;
    m_filtered->DeleteRow(row);
    const int baseRow = m_rowMap.DeleteRow(row);
    if (baseRow >= 0)
        m_table->DeleteRow(baseRow);
    return true;
}

bool TableSlot::InsertColumn(int column)
{
    if (!m_table || column < 0 || column >= CDataTableBase::kColumnCount)
        return false;
    int baseColumn = column;
    if (IsFilterOn()) {
        baseColumn = m_columnMap.GetEntry(column);
        if (baseColumn < 0 || baseColumn >= CDataTableBase::kColumnCount)
            return false;
        m_filtered->InsertColumn(column);
    }
    if (m_filter)
        m_filter->InsertColumn(baseColumn);
    m_table->InsertColumn(baseColumn);
    RebuildColumnMap();
    FollowImageColumns();
    return true;
}

bool TableSlot::DeleteColumn(int column)
{
    if (!m_table || column < 0 || column >= CDataTableBase::kColumnCount)
        return false;
    int baseColumn = column;
    if (IsFilterOn()) {
        baseColumn = m_columnMap.GetEntry(column);
        if (baseColumn < 0 || baseColumn >= CDataTableBase::kColumnCount)
            return false;
        m_filtered->DeleteColumn(column);
    }
    if (m_filter)
        m_filter->DeleteColumn(baseColumn);
    m_table->DeleteColumn(baseColumn);
    RebuildColumnMap();
    FollowImageColumns();
    return true;
}

bool TableSlot::Sort(int column, bool descending)
{
    if (column < 0 || column > CDataTableBase::kColumnCount)
        return false;
    if (!IsFilterOn()) {
        if (!m_table)
            return false;
        m_table->SortByColumn(column, descending);
        return true;
    }
    // The base table keeps its order; the row map follows the filtered rows so that each still
    // names the base row it shows.
    BringFilterInStep();
    std::vector<int> order;
    m_filtered->SortByColumn(column, descending, &order);
    m_rowMap.Reorder(order);
    return true;
}

// ---------------------------------------------------------------------------------------------
// Filter life cycle

void TableSlot::CreateFilter()
{
    if (m_filter || !m_table)
        return;
    m_filter = std::make_unique<CDataTableFilter>();
    if (!m_filtered)
        SetFiltered(std::make_unique<CDataTableBase>(*m_table));
}

void TableSlot::ToggleFilter()
{
    if (!m_filter)
        return;
    m_filter->SetEnabled(!m_filter->IsEnabled());
    if (m_filter->IsEnabled()) {
        if (m_filtered)
            m_filtered->RemoveAllRows();
        ApplyFilter();
    } else {
        m_columnMap.SetIdentity();
    }
}

void TableSlot::ApplyFilter()
{
    if (!m_filter || !m_filtered || !m_table)
        return;
    m_filter->ApplyTableFilter(*m_table, *m_filtered, m_columnMap, m_rowMap);
    FollowImageColumns();
}

void TableSlot::BringFilterInStep()
{
    if (!IsFilterOn() || !m_table || IsRowMapUsable())
        return;
    // The filtered table as it stands is kept when each of its rows shows a base row of its own
    // (it may be sorted, or hold rows edited through the filter); otherwise the filter's own
    // result replaces it.
    CDataTableRowMap found;
    if (FindBaseRows(*m_filter, *m_table, *m_filtered, found)) {
        m_rowMap = found;
        RebuildColumnMap();
    } else {
        ApplyFilter();
    }
}

bool TableSlot::ToggleImageColumn(int column)
{
    if (!m_table || !m_table->ToggleImageColumn(column))
        return false;
    FollowImageColumns();
    return true;
}

void TableSlot::FollowImageColumns()
{
    if (!m_table || !m_filtered)
        return;
    for (int column = 0; column < CDataTableBase::kFlagCount; ++column)
        m_filtered->SetImageColumn(column, m_table->IsImageColumn(column));
}

void TableSlot::ReapplyFilter()
{
    if (m_filter && m_filter->IsEnabled())
        ApplyFilter();
}

void TableSlot::RebuildColumnMap()
{
    if (m_filter)
        m_filter->RebuildColumnMap(m_columnMap);
    else
        m_columnMap.SetIdentity();
}

int TableSlot::GetFilteredColumn(int k) const
{
    return m_filter ? m_filter->GetFilteredColumn(k) : k;
}

int TableSlot::GetShownColumn(int baseColumn) const
{
    if (baseColumn < 0 || baseColumn >= CDataTableFilter::kItemCount)
        return -1;
    if (!m_filter || !m_filter->IsEnabled())
        return baseColumn;
    if (!m_filter->IsColumnShown(baseColumn))
        return -1;
    // Counted as GetFilteredColumn counts: every shown item before it takes one place.
    int shown = 0;
    for (int column = 0; column < baseColumn; ++column)
        if (m_filter->IsColumnShown(column))
            ++shown;
    return shown;
}

CString TableSlot::GetFilterText(int kind) const
{
    return m_filter ? m_filter->GetFilterText(kind) : CString();
}

void TableSlot::SetFilterText(int kind, const char* text)
{
    if (m_filter)
        m_filter->SetFilterText(kind, text);
}

bool TableSlot::GetFilterFlag(int column, int kind) const
{
    return m_filter && m_filter->GetFilterFlag(column, kind);
}

bool TableSlot::ToggleFilterFlag(int kind, int column)
{
    return m_filter && m_filter->ToggleFilterFlag(kind, column);
}

// ---------------------------------------------------------------------------------------------
// ".filter" files

bool TableSlot::LoadFilterFile(const char* path)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary)) {
        ReportCannotOpenFile(path);
        return false;
    }
    RecordReader in(&file);
    int32_t magic = 0, version = -1;
    auto filter = std::make_unique<CDataTableFilter>();
    // Only version 0 has ever been written. Another magic or version is not a filter file of
    // ours: the person who chose it is told so, as for a damaged one, and the filter stays.
    if (!in.I32(magic) || magic != CDataTableFilter::kFileMagic || !in.I32(version) ||
        version != kFilterFileVersion || !filter->Load(in)) {
        ReportCorruptFile();
        return false;
    }
    m_filter = std::move(filter);
    if (!m_filtered && m_table)
        SetFiltered(std::make_unique<CDataTableBase>(*m_table));
    // A filter stored as on shows its own rows at once: the filtered table of the one it replaces
    // would send edits to the wrong base rows.
    RebuildColumnMap();
    ReapplyFilter();
    return true;
}

bool TableSlot::SaveFilterFile(const char* path) const
{
    if (!m_filter)
        return false;
    bool saved = WriteFileReplacing(path, [this](CFile& file) {
        RecordWriter out(&file);
        out.I32(CDataTableFilter::kFileMagic);
        out.I32(kFilterFileVersion);
        m_filter->Save(out);
        return out.ok();
    });
    if (!saved)
        ReportCannotOpenFile(path);
    return saved;
}

// ---------------------------------------------------------------------------------------------
// The project table record

bool TableSlot::ReadProjectRecord(CFile* file)
{
    if (!m_table)
        return false;
    RecordReader in(file);
    int32_t hasFilter = 0;
    if (!in.I32(hasFilter))
        return false;
    CDataTableBase table(*m_table);
    if (!table.Load(file))
        return false;
    std::unique_ptr<CDataTableFilter> filter;
    std::unique_ptr<CDataTableBase> filtered;
    if (hasFilter & 1) {
        filter = std::make_unique<CDataTableFilter>();
        filtered = std::make_unique<CDataTableBase>();
        if (!filter->Load(file) || !filtered->Load(file))
            return false;
    }

    m_table->Swap(table);
    if (filter) {
        // The filtered table comes as it was saved (perhaps sorted), but no row map comes with
        // it: the slot finds one, so that edits through the filter reach the base table.
        AdoptFilter(std::move(filter), std::move(filtered));
    } else {
        RebuildColumnMap();
    }
    return true;
}

bool TableSlot::WriteProjectRecord(CFile* file) const
{
    RecordWriter out(file);
    out.I32(m_filter ? 1 : 0);
    bool ok = out.ok();
    const CDataTableBase empty;
    ok = (m_table ? m_table->Save(file) : empty.Save(file)) && ok;
    if (m_filter) {
        ok = m_filter->Save(file) && ok;
        ok = (m_filtered ? m_filtered->Save(file) : empty.Save(file)) && ok;
    }
    return ok;
}
