#pragma once
// The undo copies of one table: up to 16 snapshots, newest first, each holding the table and,
// when the table had a filter, the filtered table with its row map. Owns its snapshots; the
// table slot they are taken from belongs to the document.
#include "document/datatable.h"
#include "document/datatablemaps.h"

#include <array>
#include <memory>

class TableSlot;

class CTableUndo {
public:
    static const int kSlotCount = 16;

    // How many copies new edits may keep: the square root of the address space in megabytes,
    // at least the copies already held, at most 16.
    int GetUndoDepth() const;
    int GetCopyCount() const;              // leading slots in use

    // The table view clears the flag while a bulk edit changes many cells.
    void SetRecordUndo(bool on) { m_record = on; }
    bool IsRecordingUndo() const { return m_record; }

    // Takes a copy of the slot's table (and filtered table and row map); nothing while the
    // record-undo flag is clear.
    void PushTableUndo(const TableSlot& slot);
    // Restores the newest copy into the slot; false when there is none.
    bool UndoTableEdit(TableSlot& slot);
    // A copy exists and, for a table with a filter, it holds the filtered table too.
    bool CanUndo(const TableSlot& slot) const;
    void Clear();

private:
    struct Snapshot {
        CDataTableBase table;
        std::unique_ptr<CDataTableBase> filtered;
        CDataTableRowMap rowMap;
    };
    std::array<std::unique_ptr<Snapshot>, kSlotCount> m_slots;
    bool m_record = true;
};
