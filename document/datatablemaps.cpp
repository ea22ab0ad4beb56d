#include "document/datatablemaps.h"

#include <algorithm>

// ---------------------------------------------------------------------------------------------
// CDataTableMap

CDataTableMap::CDataTableMap()
{
    SetIdentity();
}

void CDataTableMap::SetIdentity()
{
    for (int k = 0; k < kEntryCount; ++k)
        m_entries[k] = k;
}

void CDataTableMap::Clear()
{
    std::fill(m_entries, m_entries + kEntryCount, -1);
}

int CDataTableMap::GetEntry(int k) const
{
    return k >= 0 && k < kEntryCount ? m_entries[k] : -1;
}

int CDataTableMap::FindOrAdd(int key)
{
    for (int k = 0; k < kEntryCount; ++k) {
        if (m_entries[k] == key)
            return k;
    }
    for (int k = 0; k < kEntryCount; ++k) {
        if (m_entries[k] == -1) {
            m_entries[k] = key;
            return k;
        }
    }
    return kEntryCount;
}

// ---------------------------------------------------------------------------------------------
// CDataTableRowMap

CDataTableRowMap::CDataTableRowMap()
    : m_entries(kGrowStep)
{
    for (int k = 0; k < kGrowStep; ++k)
        m_entries[k] = k;
    m_mapped = kGrowStep;
    m_largest = kGrowStep - 1;
}

int CDataTableRowMap::GetEntry(int k) const
{
    return k >= 0 && k < m_mapped ? m_entries[k] : -1;
}

void CDataTableRowMap::Clear()
{
    std::fill(m_entries.begin(), m_entries.end(), -1);
    m_mapped = 0;
    m_largest = -1;
}

void CDataTableRowMap::Grow(int index)
{
    while (index >= GetCount())
        m_entries.resize(m_entries.size() + kGrowStep, -1);
}

void CDataTableRowMap::AddRow(int baseRow)
{
    if (baseRow < 0)
        return;
    // A filter adds rows in rising order, so the duplicate search is needed only below the
    // largest entry.
    if (baseRow <= m_largest &&
        std::find(m_entries.begin(), m_entries.begin() + m_mapped, baseRow) != m_entries.begin() + m_mapped)
        return;
    // Room for the next entry is made here, so a full array never drops a row.
    Grow(std::max(baseRow, m_mapped));
    m_entries[m_mapped++] = baseRow;
    m_largest = std::max(m_largest, baseRow);
}

int CDataTableRowMap::GetBasePosition(int n) const
{
    if (n <= 0)
        return 0;
    if (m_mapped == 0)
        return n;
    if (n <= m_mapped)
        return m_entries[n - 1] + 1;
    return m_entries[m_mapped - 1] + 1 + (n - m_mapped);
}

bool CDataTableRowMap::InsertRow(int n, int baseRow)
{
    if (n < 0 || n > m_mapped || baseRow < 0)
        return false;
    for (int k = 0; k < m_mapped; ++k) {
        if (m_entries[k] >= baseRow)
            ++m_entries[k];
    }
    Grow(m_mapped);
    m_entries.insert(m_entries.begin() + n, baseRow);
    m_entries.pop_back();                  // the -1 that made room
    ++m_mapped;
    m_largest = m_largest >= baseRow ? m_largest + 1 : baseRow;
    return true;
}

int CDataTableRowMap::DeleteRow(int n)
{
    if (n < 0 || n >= m_mapped)
        return -1;
    const int32_t baseRow = m_entries[n];
    m_entries.erase(m_entries.begin() + n);
    m_entries.push_back(-1);
    --m_mapped;
    m_largest = -1;
    for (int k = 0; k < m_mapped; ++k) {
        if (m_entries[k] > baseRow)
            --m_entries[k];
        m_largest = std::max(m_largest, m_entries[k]);
    }
    return baseRow;
}

bool CDataTableRowMap::Reorder(const std::vector<int>& order)
{
    if (static_cast<int>(order.size()) != m_mapped) {
        m_inOrder = false;
        return false;
    }
    std::vector<int32_t> reordered(m_entries.size(), -1);
    for (int k = 0; k < m_mapped; ++k) {
        if (order[k] < 0 || order[k] >= m_mapped) {
            m_inOrder = false;
            return false;
        }
        reordered[k] = m_entries[order[k]];
    }
    m_entries.swap(reordered);
    return true;
}
