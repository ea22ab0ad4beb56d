#pragma once
// Text files into a table: delimited fields (with quotes) and fixed-width columns, in the ANSI or
// the OEM code page. Rows are appended after the rows the table shows; each field goes through
// the target's cell write, so a table shown through its filter receives them in the filtered
// table as well. The whole file is read before the first cell changes.
#include "framework/cstring.h"

#include <string>

class CDataTableBase;
class TableSlot;

// Where the fields go: the table as shown.
class TextImportTarget {
public:
    virtual ~TextImportTarget() = default;
    virtual int GetRowCount() const = 0;
    virtual void Store(int row, int column, const char* text) = 0;
};

// Fields of a delimited text. Consecutive separators count as one; a quote at the start of a
// field opens quoting (the field may then hold the separator and doubled quotes), anywhere else it
// is text; CR, LF and CR LF end a row (and any open quotes), other control bytes are skipped, ^Z
// ends the data.
void ParseDelimitedText(const std::string& data, char separator, bool oem,
                        TextImportTarget& target);
// Fields of fixed widths (26 widths; width -1 or 0 takes the rest of the line; later columns
// take the rest of the line). Trailing blanks are cut; rows end as in delimited text.
void ParseFixedWidthText(const std::string& data, const int widths[26], bool oem,
                         TextImportTarget& target);

// The importers of the table view. A file that cannot be read shows "Can not open file %s" and
// changes nothing; false then.
bool ImportDelimitedText(TableSlot& slot, const char* path, char separator, bool oem);
bool ImportFixedWidthText(TableSlot& slot, const char* path, const int widths[26], bool oem);
bool ImportDelimitedText(CDataTableBase& table, const char* path, char separator, bool oem);
bool ImportFixedWidthText(CDataTableBase& table, const char* path, const int widths[26], bool oem);

// The whole file, or false.
bool ReadWholeFile(const char* path, std::string& data);
