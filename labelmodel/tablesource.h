#pragma once
// How text contents read the data table of a label. The tables belong to the document library,
// which sits above the label model, so here they are opaque types: a content reads a cell through
// the one CTableCellReader that the document library installs next to its table code. Without a
// reader (or without a table) every cell reads as the empty text, as a row that does not exist.
#include "framework/cstring.h"

class CDataTableBase;
class CDataTableMap;

class CTableCellReader {
public:
    virtual ~CTableCellReader() = default;
    // Text of the cell at a 0-based row and a physical column; "" (never null) for a row or cell
    // that does not exist, including negative indices.
    virtual const char* GetCellText(const CDataTableBase* table, int row, int column) const = 0;
    // Entry k (0..255) of a column map: the logical column shown at physical position k, or -1.
    virtual int GetMapEntry(const CDataTableMap* map, int k) const = 0;
    // Whether the table flags a column (0..255) as one that names picture files. Image objects
    // read their pictures from such columns; a reader that knows no flags answers false.
    virtual bool IsImageColumn(const CDataTableBase* /*table*/, int /*column*/) const { return false; }
};

// Installs the reader (not owned; null removes it) and returns the one installed before.
const CTableCellReader* SetTableCellReader(const CTableCellReader* reader);
const CTableCellReader* GetTableCellReader();

// Number of entries of a column map.
const int kColumnMapSize = 256;

// The physical column of a logical column: the first map position whose entry equals it; -1 when
// none does or when column is -1. Without a map the columns are not rearranged.
int FindPhysicalColumn(const CDataTableMap* map, int column);

// The text of a logical column in a 1-based table row (row 0 or less: no row, the empty text).
CString ReadTableCell(const CDataTableBase* table, const CDataTableMap* map, int row, int column);
