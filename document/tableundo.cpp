#include "document/tableundo.h"

#include <windows.h>

#include <cmath>
#include <utility>

int CTableUndo::GetCopyCount() const
{
    int used = 0;
    while (used < kSlotCount && m_slots[used])
        ++used;
    return used;
}

int CTableUndo::GetUndoDepth() const
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    int byMemory = 0;
    if (GlobalMemoryStatusEx(&status))
        byMemory = static_cast<int>(std::sqrt(static_cast<double>(status.ullTotalVirtual >> 20)));
    int depth = byMemory > GetCopyCount() ? byMemory : GetCopyCount();
    if (depth > kSlotCount)
        depth = kSlotCount;
    return depth < 1 ? 1 : depth;
}

void CTableUndo::PushTableUndo(const TableSlot& slot)
{
    if (!m_record || !slot.Table())
        return;
    auto snapshot = std::make_unique<TableSlot>(slot.Clone());
    const int depth = GetUndoDepth();
    m_slots[depth - 1].reset();
    for (int k = depth - 2; k >= 0; --k)
        m_slots[k + 1] = std::move(m_slots[k]);
    m_slots[0] = std::move(snapshot);
}

bool CTableUndo::UndoTableEdit(TableSlot& slot)
{
    if (!m_slots[0])
        return false;
    std::unique_ptr<TableSlot> snapshot = std::move(m_slots[0]);
    for (int k = 1; k < kSlotCount; ++k)
        m_slots[k - 1] = std::move(m_slots[k]);
    slot = std::move(*snapshot);
    return true;
}

bool CTableUndo::CanUndo() const
{
    return m_slots[0] != nullptr;
}

void CTableUndo::Clear()
{
    for (auto& snapshot : m_slots)
        snapshot.reset();
}
