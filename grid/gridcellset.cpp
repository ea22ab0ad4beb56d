#include "grid/gridcellset.h"

size_t GridCellSet::Find(uint64_t key) const
{
    if (m_state.empty())
        return kNone;
    const size_t mask = m_state.size() - 1;
    for (size_t i = Hash(key) & mask;; i = (i + 1) & mask) {
        if (m_state[i] == kEmpty)
            return kNone;
        if (m_state[i] == kFull && m_keys[i] == key)
            return i;
    }
}

void GridCellSet::Rehash(size_t wanted)
{
    size_t capacity = 16;
    while (capacity < (wanted + 1) * 2)
        capacity *= 2;
    std::vector<uint64_t> keys(capacity);
    std::vector<uint8_t> state(capacity, kEmpty);
    const size_t mask = capacity - 1;
    for (size_t j = 0; j < m_state.size(); j++) {
        if (m_state[j] != kFull)
            continue;
        size_t i = Hash(m_keys[j]) & mask;
        while (state[i] == kFull)
            i = (i + 1) & mask;
        state[i] = kFull;
        keys[i] = m_keys[j];
    }
    m_keys.swap(keys);
    m_state.swap(state);
    m_used = m_size;
}

void GridCellSet::insert(int row, int col)
{
    const uint64_t key = Key(row, col);
    if ((m_used + 1) * 2 > m_state.size())
        Rehash(m_size + 1 > m_state.size() / 4 ? (m_size + 1) * 2 : m_size + 1);
    const size_t mask = m_state.size() - 1;
    size_t slot = kNone;
    for (size_t i = Hash(key) & mask;; i = (i + 1) & mask) {
        if (m_state[i] == kFull) {
            if (m_keys[i] == key)
                return;
            continue;
        }
        if (m_state[i] == kDeleted) {
            if (slot == kNone)
                slot = i;
            continue;
        }
        if (slot == kNone) {
            slot = i;
            m_used++;
        }
        break;
    }
    m_state[slot] = kFull;
    m_keys[slot] = key;
    m_size++;
}

void GridCellSet::erase(uint64_t key)
{
    size_t i = Find(key);
    if (i == kNone)
        return;
    m_state[i] = kDeleted;
    m_size--;
}
