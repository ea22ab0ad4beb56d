#include "labelmodel/tablesource.h"

namespace {
// Constant-initialised, so a reader installed by a static object of another library is never
// overwritten by this file's own initialisation.
const CTableCellReader* g_reader = nullptr;
}

const CTableCellReader* SetTableCellReader(const CTableCellReader* reader)
{
    const CTableCellReader* previous = g_reader;
    g_reader = reader;
    return previous;
}

const CTableCellReader* GetTableCellReader()
{
    return g_reader;
}

int FindPhysicalColumn(const CDataTableMap* map, int column)
{
    if (column == -1)
        return -1;
    if (!map)
        return column;
    if (!g_reader)
        return -1;
    for (int k = 0; k < kColumnMapSize; ++k) {
        if (g_reader->GetMapEntry(map, k) == column)
            return k;
    }
    return -1;
}

CString ReadTableCell(const CDataTableBase* table, const CDataTableMap* map, int row, int column)
{
    if (!table || !g_reader || row <= 0)
        return CString();
    int physical = FindPhysicalColumn(map, column);
    if (physical < 0)
        return CString();
    const char* text = g_reader->GetCellText(table, row - 1, physical);
    return CString(text ? text : "");
}
