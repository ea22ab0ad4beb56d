#pragma once
// The undo copies of one table: up to 16 snapshots, newest first, each a whole copy of the table
// slot (the table, its filter and filtered table, the column map and the row map), so that an
// undo never brings back a filtered table that belongs to another filter or another state of the
// base table. Owns its snapshots; the table slot they are taken from belongs to the document.
#include "document/tableslot.h"

#include <array>
#include <memory>

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

    // Takes a copy of the slot; nothing while the record-undo flag is clear.
    void PushTableUndo(const TableSlot& slot);
    // The slot becomes the newest copy, filter and maps included; false when there is none.
    bool UndoTableEdit(TableSlot& slot);
    // A copy exists (each copy is whole, with or without a filter).
    bool CanUndo() const;
    void Clear();

private:
    std::array<std::unique_ptr<TableSlot>, kSlotCount> m_slots;
    bool m_record = true;
};
