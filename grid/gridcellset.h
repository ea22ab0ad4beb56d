#pragma once
// GridCellSet: the grid's set of selected cells, keyed by the full row and column (no two cells
// share a key, however many rows there are). Open addressing keeps a select-all of a large virtual
// grid to one allocation instead of one per cell.
#include "grid/gridcellrange.h"
#include <cstddef>
#include <cstdint>
#include <vector>

class GridCellSet {
public:
    struct Entry {
        uint64_t first;
        CGridCellID second;
    };

    static uint64_t Key(int row, int col)
    { return (static_cast<uint64_t>(static_cast<uint32_t>(row)) << 32) | static_cast<uint32_t>(col); }

    class const_iterator {
    public:
        const_iterator(const GridCellSet* set, size_t i) : m_set(set), m_i(i) { Skip(); }
        Entry operator*() const
        {
            uint64_t k = m_set->m_keys[m_i];
            return { k, CGridCellID(static_cast<int>(static_cast<uint32_t>(k >> 32)), static_cast<int>(static_cast<uint32_t>(k))) };
        }
        const_iterator& operator++() { ++m_i; Skip(); return *this; }
        bool operator!=(const const_iterator& o) const { return m_i != o.m_i; }

    private:
        void Skip() { while (m_i < m_set->m_state.size() && m_set->m_state[m_i] != kFull) ++m_i; }
        const GridCellSet* m_set;
        size_t m_i;
    };

    const_iterator begin() const { return const_iterator(this, 0); }
    const_iterator end() const { return const_iterator(this, m_state.size()); }
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    void clear() { m_keys.clear(); m_state.clear(); m_size = m_used = 0; }
    void reserve(size_t n) { if ((n + 1) * 2 > m_state.size()) Rehash(n); }
    size_t count(uint64_t key) const { return Find(key) != kNone ? 1 : 0; }
    void insert(int row, int col);
    void erase(uint64_t key);

private:
    static constexpr uint8_t kEmpty = 0, kFull = 1, kDeleted = 2;
    static constexpr size_t kNone = static_cast<size_t>(-1);
    static size_t Hash(uint64_t k)
    {
        k ^= k >> 33;
        k *= 0xff51afd7ed558ccdULL;
        k ^= k >> 33;
        return static_cast<size_t>(k);
    }
    size_t Find(uint64_t key) const;
    void Rehash(size_t wanted);

    std::vector<uint64_t> m_keys;
    std::vector<uint8_t> m_state;
    size_t m_size = 0;   // full slots
    size_t m_used = 0;   // full and deleted slots
};
