#pragma once
// The row filter of a data table: include and exclude substrings tested in chosen columns, the
// columns to show, and the clean-up of leading characters in the copied cells. The filter owns
// one item per base column 0..255; it builds its result into a filtered table that the caller
// owns, together with the column and row maps (document/tableslot.h keeps them per table).
#include "framework/cstring.h"
#include "framework/object.h"

#include <cstdint>
#include <vector>

class CDataTableBase;
class CDataTableMap;
class CDataTableRowMap;
class CFile;
class RecordReader;
class RecordWriter;

// Condition kinds: the filter dialog's rows and byte n of an item.
enum FilterConditionKind {
    kFilterShow = 0,
    kFilterTrim = 1,
    kFilterStrip1 = 2,                     // .. kFilterStrip1 + 2
    kFilterInclude1 = 5,                   // .. kFilterInclude1 + 2
    kFilterExclude1 = 8,                   // .. kFilterExclude1 + 2
    kFilterKindCount = 11
};

// The conditions of one column: eleven bytes in kind order (show, trim, three strip selectors,
// three include selectors, three exclude selectors).
class CDataTableFilterItem : public CObject {
public:
    CDataTableFilterItem();                // shown, everything else off

    uint8_t GetFlag(int kind) const;       // 0 for kinds outside 0..10
    void SetFlag(int kind, uint8_t value);
    bool IsShown() const { return m_flags[kFilterShow] != 0; }
    bool IsTrimmed() const { return m_flags[kFilterTrim] != 0; }
    bool UsesStrip(int k) const { return m_flags[kFilterStrip1 + k] != 0; }
    bool UsesInclude(int k) const { return m_flags[kFilterInclude1 + k] != 0; }
    bool UsesExclude(int k) const { return m_flags[kFilterExclude1 + k] != 0; }

    // The cell text as the filtered table shows it: leading blanks skipped when trimmed, then one
    // leading strip character removed (the first selected strip character only). The result is a
    // tail of the given text.
    const char* PrepareCellText(const uint8_t stripCharacters[3], const char* text) const;

    bool Load(RecordReader& in);           // its part of the filter record
    void Save(RecordWriter& out) const;

private:
    uint8_t m_flags[kFilterKindCount];
};

class CDataTableFilter : public CObject {
public:
    static const int kItemCount = 256;
    static const int kConditionCount = 3;
    static const int kMaxStringLength = 10;
    static const int32_t kFileMagic = 0x544C4946;     // "FILT"

    CDataTableFilter();

    bool IsEnabled() const { return m_enabled != 0; }
    void SetEnabled(bool on) { m_enabled = on ? 1 : 0; }
    int32_t GetReserved1() const { return m_reserved1; }    // the filter dialog's marking type
    void SetReserved1(int32_t value) { m_reserved1 = value; }
    int32_t GetReserved2() const { return m_reserved2; }

    // Conditions k = 0..2; other k read as empty and change nothing.
    CString GetStripChar(int k) const;      // one character, or empty when unset
    CString GetIncludeString(int k) const;
    CString GetExcludeString(int k) const;
    void SetStripChar(int k, const char* text);          // its first character
    void SetIncludeString(int k, const char* text);      // at most 10 characters kept
    void SetExcludeString(int k, const char* text);

    // The filter dialog's view: kinds 2..10 are texts, kinds 0..10 are bytes of a column's item.
    CString GetFilterText(int kind) const;
    void SetFilterText(int kind, const char* text);
    bool GetFilterFlag(int column, int kind) const;
    bool ToggleFilterFlag(int kind, int column);         // the new value

    const CDataTableFilterItem& GetItem(int column) const;   // column 0..255
    bool IsColumnShown(int column) const;
    // An empty default item at the column; the item of column 255 falls off.
    void InsertColumn(int column);
    // The column's item goes; a default item comes in at column 255.
    void DeleteColumn(int column);

    // The row test: no exclude string in a column selected for it, and, when any include
    // condition is set, an include string in a column selected for it. Columns are tested by the
    // text they show, empty where the row has no cell.
    bool AcceptsRow(const CDataTableBase* table, int row) const;
    // The same test for every row of table, the conditions gathered once.
    std::vector<bool> AcceptedRows(const CDataTableBase& table) const;

    // Identity while the filter is off; else entry k is the base column of the k-th shown column
    // among "A".."Z" and the rest are unused.
    void RebuildColumnMap(CDataTableMap& map) const;
    // k while the filter is off; else the base column of the k-th shown column. 256 when there
    // are fewer shown columns.
    int GetFilteredColumn(int k) const;

    // The shown cells of base row `row`, cleaned up, into filtered row `filteredRow` from its
    // first cell on: what the filtered table shows for that row.
    void CopyShownCells(const CDataTableBase& table, int row, CDataTableBase& filtered, int filteredRow) const;
    // Rebuilds the filtered table from the base table: the accepted rows, their shown cells
    // cleaned up, one filtered row per accepted row. The row map names the base row of every
    // filtered row and is in order afterwards; the column map is rebuilt.
    void ApplyTableFilter(const CDataTableBase& table, CDataTableBase& filtered,
                          CDataTableMap& columnMap, CDataTableRowMap& rowMap) const;

    // The filter record. A damaged record leaves the filter as it was and answers false.
    bool Load(CFile* file);
    bool Save(CFile* file) const;
    bool Load(RecordReader& in);
    void Save(RecordWriter& out) const;

private:
    // The columns each set condition tests (a non-empty string and its selected columns),
    // gathered once for a run over many rows.
    struct RowTest {
        std::vector<int> exclude[kConditionCount];
        std::vector<int> include[kConditionCount];
    };
    RowTest GatherRowTest() const;
    bool AcceptsRow(const RowTest& test, const CDataTableBase& table, int row) const;

    CString& IncludeString(int k) { return m_strings[2 * k]; }
    CString& ExcludeString(int k) { return m_strings[2 * k + 1]; }
    const CString& IncludeString(int k) const { return m_strings[2 * k]; }
    const CString& ExcludeString(int k) const { return m_strings[2 * k + 1]; }

    uint8_t m_enabled = 0;
    int32_t m_reserved1 = 0;
    int32_t m_reserved2 = 0;
    uint8_t m_stripChars[kConditionCount] = {0, 0, 0};
    // Include 1, exclude 1, include 2, exclude 2, include 3, exclude 3: the record's order.
    CString m_strings[2 * kConditionCount];
    CDataTableFilterItem m_items[kItemCount];
};
