#pragma once
// Everything a project keeps for one of its tables: the base table, the filter and the filtered
// table (both made on demand), the column map and the row map between filtered and base table.
// The slot owns all of them. Its operations are the document's table operations on "the table as
// shown": while the filter is on they work on the filtered table and carry every change over to
// the base table through the maps, so that both stay in step.
//
// Invariants: while the filter is on, every change through the slot reaches the base table (a
// filtered table that came without a usable row map, from a file or a caller, is brought into
// step before the first change); the filtered table carries the base table's image-column flags.
#include "document/datatable.h"
#include "document/datatablemaps.h"
#include "document/tablefilter.h"
#include "framework/cstring.h"

#include <memory>

class CFile;

class TableSlot {
public:
    TableSlot();                           // an empty table, no filter
    TableSlot(const TableSlot&) = delete;
    TableSlot& operator=(const TableSlot&) = delete;
    TableSlot(TableSlot&&) noexcept = default;
    TableSlot& operator=(TableSlot&&) noexcept = default;
    // A deep copy of everything: the undo copies restore the tables, the filter and both maps
    // together.
    TableSlot Clone() const;

    CDataTableBase* Table() const { return m_table.get(); }
    CDataTableFilter* Filter() const { return m_filter.get(); }
    CDataTableBase* Filtered() const { return m_filtered.get(); }
    CDataTableMap& ColumnMap() { return m_columnMap; }
    const CDataTableMap& ColumnMap() const { return m_columnMap; }
    CDataTableRowMap& RowMap() { return m_rowMap; }
    const CDataTableRowMap& RowMap() const { return m_rowMap; }

    // Replacing the filtered table (undo, file readers) leaves the row map untrusted until the
    // filter is applied again, unless a matching row map comes with it.
    void SetTable(std::unique_ptr<CDataTableBase> table);
    void SetFilter(std::unique_ptr<CDataTableFilter> filter);
    void SetFiltered(std::unique_ptr<CDataTableBase> filtered);
    void SetRowMap(const CDataTableRowMap& rowMap) { m_rowMap = rowMap; }
    // A filter and its filtered table as a file stored them replace the slot's. A filter that is
    // on keeps the stored filtered table when it shows the filter's rows of the base table (in
    // any order), with a row map found for it; otherwise the filter is applied afresh. Either
    // way the slot is as after applying the filter: edits reach the base table.
    void AdoptFilter(std::unique_ptr<CDataTableFilter> filter, std::unique_ptr<CDataTableBase> filtered);
    void Clear();                          // no table, no filter, no filtered table

    // The filter exists and is on and the filtered table exists.
    bool IsFilterOn() const;
    // The table as shown: the filtered table while the filter is on, else the base table.
    CDataTableBase* Shown() const;
    // The row map may carry changes over: it is in order and maps every filtered row.
    bool IsRowMapUsable() const;

    // -1 without a table.
    int GetRowCount() const;
    const char* GetCellText(int row, int column) const;
    // The cell write of views, importers and dialogs (row and column as shown). Through the
    // filter the text goes to the filtered table and to the base cell that filtered cell shows;
    // rows below the filtered table's end get new base rows at the end of the base table. A
    // column the filter does not show has no base cell: the write is refused. False when nothing
    // was written.
    bool SetCellText(const char* text, int row, int column);

    bool InsertRow(int row);
    bool DeleteRow(int row);
    bool InsertColumn(int column);
    bool DeleteColumn(int column);
    // Sorts the table as shown; through the filter the row map follows the filtered rows.
    bool Sort(int column, bool descending);

    // Filter life cycle.
    void CreateFilter();                   // a default filter (off) and a copy of the table
    void ToggleFilter();
    void ApplyFilter();
    void ReapplyFilter();                  // when the filter is on
    void RebuildColumnMap();
    // The same as AdoptFilter's step, for the slot as it is: nothing while the filter is off or
    // the row map is usable.
    void BringFilterInStep();
    int GetFilteredColumn(int k) const;
    // The other way round: the shown column that shows base column `baseColumn` (the column
    // itself while the filter is off), -1 when the filter hides it or it is out of range.
    int GetShownColumn(int baseColumn) const;

    // Flips the base table's image-column flag of column 0..255 (false for other values); the
    // filtered table follows, as it does after every change of the flags through the slot.
    bool ToggleImageColumn(int column);
    // The filtered table takes the base table's flags; for callers that changed the base table's
    // flags directly (a ".tbl" import).
    void FollowImageColumns();

    // The filter dialog's accessors; without a filter they read empty and change nothing.
    CString GetFilterText(int kind) const;
    void SetFilterText(int kind, const char* text);
    bool GetFilterFlag(int column, int kind) const;
    bool ToggleFilterFlag(int kind, int column);

    // The ".filter" file. Loading replaces the filter (and makes a filtered table when there is
    // none) and applies it when the file stored it as on; a file with another magic or version,
    // or a damaged record, is reported as corrupt and changes nothing. Files that cannot be opened or written are
    // reported in a message box. False when nothing changed (load) or nothing was written (save).
    bool LoadFilterFile(const char* path);
    bool SaveFilterFile(const char* path) const;

    // The project table record: has-filter, the table, and with a filter the filter and the
    // filtered table. Reading needs a table in the slot; a damaged record changes nothing.
    bool ReadProjectRecord(CFile* file);
    bool WriteProjectRecord(CFile* file) const;

private:
    std::unique_ptr<CDataTableBase> m_table;
    std::unique_ptr<CDataTableFilter> m_filter;
    std::unique_ptr<CDataTableBase> m_filtered;
    CDataTableMap m_columnMap;
    CDataTableRowMap m_rowMap;
};
