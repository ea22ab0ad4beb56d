#pragma once
// Test helpers: tables from and to nested lists of texts, for whole-table comparisons.
#include "document/datatable.h"

#include <string>
#include <vector>

using Rows = std::vector<std::vector<std::string>>;

inline CDataTableBase MakeTable(const Rows& rows)
{
    CDataTableBase table;
    for (size_t r = 0; r < rows.size(); ++r) {
        if (rows[r].empty() && static_cast<int>(r) >= table.GetRowCount())
            table.AppendRow();
        for (size_t c = 0; c < rows[r].size(); ++c)
            table.SetCellText(static_cast<int>(r), static_cast<int>(c), rows[r][c].c_str());
    }
    return table;
}

// Every row with exactly its cells.
inline Rows Dump(const CDataTableBase& table)
{
    Rows rows(table.GetRowCount());
    for (int r = 0; r < table.GetRowCount(); ++r) {
        for (int c = 0; c < table.GetCellCount(r); ++c)
            rows[r].push_back(table.GetCellText(r, c));
    }
    return rows;
}

// One column's texts, row by row.
inline std::vector<std::string> Column(const CDataTableBase& table, int column)
{
    std::vector<std::string> texts;
    for (int r = 0; r < table.GetRowCount(); ++r)
        texts.push_back(table.GetCellText(r, column));
    return texts;
}

inline std::vector<int> Flags(const CDataTableBase& table)
{
    std::vector<int> flags;
    for (int c = 0; c < CDataTableBase::kFlagCount; ++c)
        flags.push_back(table.IsImageColumn(c) ? 1 : 0);
    return flags;
}

inline bool SameTable(const CDataTableBase& a, const CDataTableBase& b)
{
    return Dump(a) == Dump(b) && Flags(a) == Flags(b);
}
