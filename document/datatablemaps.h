#pragma once
// The two maps that tie a filtered table to its base table: which base column each shown column
// is (CDataTableMap) and which base row each filtered row was taken from (CDataTableRowMap).
// Both are plain values kept per table slot; nothing here owns a table.
#include "framework/object.h"

#include <cstdint>
#include <vector>

class CDataTableMap : public CObject {
public:
    static const int kEntryCount = 256;

    CDataTableMap();                       // identity: entry i is i
    void SetIdentity();
    void Clear();                          // every entry -1 (unused)

    // Entry k: the base column shown as column k; -1 when unused or k lies outside 0..255.
    int GetEntry(int k) const;
    // Index of the first entry equal to the key; else the key goes into the first unused entry.
    // 256 when neither exists.
    int FindOrAdd(int key);

private:
    int32_t m_entries[kEntryCount];
};

// Entry k holds the base row that filtered row k shows. The entries in use always form a prefix
// of the array (k < GetMappedCount()); the rest hold -1. The array grows in steps of 256.
//
// The in-order flag says that the map describes the filtered table as it is: applying the filter
// sets it; a filtered table that comes from elsewhere (a project, an undo copy, a fresh copy of
// the base table) has no trustworthy map until the filter is applied again. The flag belongs to
// this table's map alone.
class CDataTableRowMap : public CObject {
public:
    static const int kGrowStep = 256;

    CDataTableRowMap();                    // 256 entries, entry i is i; not in order

    int GetCount() const { return static_cast<int>(m_entries.size()); }
    int GetMappedCount() const { return m_mapped; }
    int GetEntry(int k) const;             // -1 for an unused entry or k outside the array

    bool IsInOrder() const { return m_inOrder; }
    void SetInOrder(bool inOrder) { m_inOrder = inOrder; }

    void Clear();                          // every entry -1
    // Enlarges the array in steps of 256 until index is inside it.
    void Grow(int index);
    // Maps the next filtered row to baseRow; nothing when baseRow is already mapped or negative.
    void AddRow(int baseRow);
    // The base position for a row inserted at filtered position n: 0 for n <= 0, just after the
    // base row of filtered row n-1, and past the mapped rows counting on from the last one.
    int GetBasePosition(int n) const;
    // A row was inserted at filtered position n (0..mapped count) and at baseRow of the base
    // table: every entry at or after baseRow moves down one base row, the entries from n on
    // move one place up, and entry n records baseRow. False (nothing changes) for other n.
    bool InsertRow(int n, int baseRow);
    // Filtered row n was deleted together with the base row its entry names: that entry goes,
    // later entries move one place down and every entry above the deleted base row decreases by
    // one. Returns the deleted base row, or -1 when n was not mapped.
    int DeleteRow(int n);
    // The filtered rows were reordered: new row i is old row order[i]. False when the order does
    // not cover exactly the mapped rows; the map is then no longer in order.
    bool Reorder(const std::vector<int>& order);

private:
    std::vector<int32_t> m_entries;
    int m_mapped = 0;                      // entries in use
    int32_t m_largest = -1;                // largest entry in use, for AddRow's duplicate test
    bool m_inOrder = false;
};
