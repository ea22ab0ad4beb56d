#pragma once
// The filling of the table view's Sequence and Repeat commands, without any window: the counting
// values of a sequence (parsed and formatted by base) and the loops that write them, through a
// target that is the document's table slot in the program and a stand-in in tests.
#include "framework/cstring.h"

#include <cstdint>

class TableSlot;

// Where filled cells go (table rows and columns as shown).
class TableFillTarget {
public:
    virtual ~TableFillTarget() = default;
    virtual bool InsertRow(int row) = 0;
    virtual bool SetCell(const char* text, int row, int column) = 0;
};

// The slot's own operations.
class SlotFillTarget : public TableFillTarget {
public:
    explicit SlotFillTarget(TableSlot& slot) : m_slot(slot) {}
    bool InsertRow(int row) override;
    bool SetCell(const char* text, int row, int column) override;

private:
    TableSlot& m_slot;
};

enum SequenceBase { kSequenceDecimal = 0, kSequenceOctal = 1, kSequenceHex = 2, kSequenceAlphabetic = 3 };

struct SequenceSettings {
    int base = kSequenceDecimal;
    CString prefix;
    CString start;
    CString stop;
    CString suffix;
    int step = 1;
    int copies = 1;
    int sets = 1;
    bool leadingZero = false;
    bool reverse = false;
    bool insert = false;
    bool upper = true;          // letters of hex and alphabetic values in capitals
};

// Start and Stop by base; a text that does not parse, or whose value needs more than 32 bits,
// gives 0. Hex and alphabetic texts set or clear `upper` as the Part's rules say.
int64_t ParseSequenceValue(const char* text, int base, bool& upper);
// Prefix, padding, digits and suffix, at most 255 characters.
CString FormatSequenceValue(int64_t value, const SequenceSettings& settings);

// The cells written and the last of them.
struct TableFillResult {
    int64_t cells = 0;
    int lastRow = -1;           // table row, -1 when nothing was written
    int column = -1;
};

// Writes the sequence into column from table row `row` down; with Insert every written cell gets
// a new row first, so no existing row is overwritten. Values are counted in 64 bits, so a run near
// the ends of the 32-bit range ends. Parses Start and Stop (which may change settings.upper).
// Lets std::bad_alloc through, with `result` telling what was written until then.
void FillSequence(SequenceSettings& settings, TableFillTarget& target, int column, int row,
                  TableFillResult& result);

struct RepeatSettings {
    int column = 0;             // 0..25
    int row = 1;                // grid row, 1-based
    int copies = 1;
    CString text;
    bool insert = false;
};

// With Insert, copies - 1 new rows below the given row; then the text into copies rows from it.
void FillRepeat(const RepeatSettings& settings, TableFillTarget& target, TableFillResult& result);

// "%c%d": a letter A..Z (either case) and a row of at least 1; false otherwise.
bool ParseCellName(const char* text, int& column, int& row);

// The dialogs name columns by the letters of the table view's header, which while the filter is
// on are the letters of the base columns shown. The letter over shown column `column` (0-based),
// 0 when that column has none.
char HeaderLetter(const TableSlot& slot, int column);
// The shown column under the header letter of base column `letter` (0 for "A"); -1 when the
// filter hides that column.
int ShownColumnOfLetter(const TableSlot& slot, int letter);
