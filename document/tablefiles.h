#pragma once
// The table files of the table view and the document: ".tbl" tables, and ".tbf" table-and-filter
// files in two layouts: the ".TBF" layout of other programs (read only) and the "LBAT" layout this
// program writes and reads back. Each reader reads the whole file before it changes anything: a
// damaged file leaves the slot as it was.
#include <cstddef>

class CDataTableBase;
class TableSlot;

// A ".tbl" file appended to the slot's base table; a path ending in ".tbf" goes to ReadTbfFile.
// An unknown or damaged file shows "Can not open file %s"; false then.
bool ImportTableFile(TableSlot& slot, const char* path);
bool ReadTblFile(CDataTableBase& table, const char* path);
// A ".tbf" file of either layout: its filter replaces the slot's filter, its rows are appended to
// the base table and to the filtered table, its image columns are set. "Corrupt file or wrong file
// version" for a file of another layout or a damaged one.
bool ReadTbfFile(TableSlot& slot, const char* path);
// The slot in the "LBAT" layout: magic, version 0, the table record, and with a filter the marker
// 0x11223344, the filter record and the filtered table. The previous file survives a failure.
bool WriteTbfFile(const TableSlot& slot, const char* path);

// The same readers over bytes already in memory (file data without the path handling).
bool ParseTblData(const unsigned char* data, size_t size, CDataTableBase& table);
bool ParseTbfData(const unsigned char* data, size_t size, TableSlot& slot);
