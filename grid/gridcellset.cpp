#include "grid/gridcellset.h"
#include <algorithm>

namespace {

bool Overlap(const CGridCellRange& a, const CGridCellRange& b)
{
    return a.GetMinRow() <= b.GetMaxRow() && b.GetMinRow() <= a.GetMaxRow() && a.GetMinCol() <= b.GetMaxCol() &&
           b.GetMinCol() <= a.GetMaxCol();
}

// What is left of b once a is taken out: up to four disjoint rectangles (above, below, left, right).
void Subtract(const CGridCellRange& b, const CGridCellRange& a, std::vector<CGridCellRange>& out)
{
    if (!Overlap(a, b)) {
        out.push_back(b);
        return;
    }
    if (b.GetMinRow() < a.GetMinRow())
        out.emplace_back(b.GetMinRow(), b.GetMinCol(), a.GetMinRow() - 1, b.GetMaxCol());
    if (a.GetMaxRow() < b.GetMaxRow())
        out.emplace_back(a.GetMaxRow() + 1, b.GetMinCol(), b.GetMaxRow(), b.GetMaxCol());
    const int top = std::max(a.GetMinRow(), b.GetMinRow()), bottom = std::min(a.GetMaxRow(), b.GetMaxRow());
    if (b.GetMinCol() < a.GetMinCol())
        out.emplace_back(top, b.GetMinCol(), bottom, a.GetMinCol() - 1);
    if (a.GetMaxCol() < b.GetMaxCol())
        out.emplace_back(top, a.GetMaxCol() + 1, bottom, b.GetMaxCol());
}

size_t Cells(const CGridCellRange& r)
{
    return static_cast<size_t>(r.GetRowSpan()) * static_cast<size_t>(r.GetColSpan());
}

}  // namespace

void GridCellSet::Changed()
{
    m_boundsKnown = false;
    m_lastHit = 0;
}

void GridCellSet::clear()
{
    m_ranges.clear();
    m_cells = 0;
    Changed();
}

void GridCellSet::swap(GridCellSet& other)
{
    m_ranges.swap(other.m_ranges);
    std::swap(m_cells, other.m_cells);
    Changed();
    other.Changed();
}

bool GridCellSet::contains(int row, int col) const
{
    const size_t n = m_ranges.size();
    if (n == 0)
        return false;
    if (m_lastHit < n && m_ranges[m_lastHit].InRange(row, col))
        return true;
    for (size_t i = 0; i < n; i++) {
        if (m_ranges[i].InRange(row, col)) {
            m_lastHit = i;
            return true;
        }
    }
    return false;
}

bool GridCellSet::covers(const CGridCellRange& range) const
{
    if (!range.IsValid())
        return false;
    // The rectangles are disjoint: their common parts with the range add up to all of it exactly
    // when it is covered.
    size_t inside = 0;
    for (const CGridCellRange& r : m_ranges) {
        if (!Overlap(r, range))
            continue;
        inside += Cells(CGridCellRange(std::max(r.GetMinRow(), range.GetMinRow()),
                                       std::max(r.GetMinCol(), range.GetMinCol()),
                                       std::min(r.GetMaxRow(), range.GetMaxRow()),
                                       std::min(r.GetMaxCol(), range.GetMaxCol())));
    }
    return inside == Cells(range);
}

void GridCellSet::erase(const CGridCellRange& range)
{
    if (!range.IsValid() || m_ranges.empty())
        return;
    std::vector<CGridCellRange> kept;
    kept.reserve(m_ranges.size() + 4);
    bool changed = false;
    for (const CGridCellRange& r : m_ranges) {
        if (!Overlap(r, range)) {
            kept.push_back(r);
            continue;
        }
        changed = true;
        const size_t from = kept.size();
        Subtract(r, range, kept);
        m_cells -= Cells(r);
        for (size_t i = from; i < kept.size(); i++)
            m_cells += Cells(kept[i]);
    }
    if (!changed)
        return;
    m_ranges.swap(kept);
    Changed();
}

void GridCellSet::insert(const CGridCellRange& range)
{
    if (!range.IsValid())
        return;
    // Already wholly inside one rectangle: nothing to do.
    for (const CGridCellRange& r : m_ranges)
        if (r.InRange(range.GetMinRow(), range.GetMinCol()) && r.InRange(range.GetMaxRow(), range.GetMaxCol()))
            return;
    erase(range);
    m_ranges.push_back(range);
    m_cells += Cells(range);
    Merge(m_ranges.size() - 1);
    Changed();
}

void GridCellSet::Merge(size_t i)
{
    for (bool joined = true; joined;) {
        joined = false;
        for (size_t j = 0; j < m_ranges.size(); j++) {
            if (j == i)
                continue;
            const CGridCellRange& a = m_ranges[i];
            const CGridCellRange& b = m_ranges[j];
            CGridCellRange both;
            if (a.GetMinRow() == b.GetMinRow() && a.GetMaxRow() == b.GetMaxRow() &&
                (a.GetMaxCol() + 1 == b.GetMinCol() || b.GetMaxCol() + 1 == a.GetMinCol()))
                both.Set(a.GetMinRow(), std::min(a.GetMinCol(), b.GetMinCol()), a.GetMaxRow(),
                         std::max(a.GetMaxCol(), b.GetMaxCol()));
            else if (a.GetMinCol() == b.GetMinCol() && a.GetMaxCol() == b.GetMaxCol() &&
                     (a.GetMaxRow() + 1 == b.GetMinRow() || b.GetMaxRow() + 1 == a.GetMinRow()))
                both.Set(std::min(a.GetMinRow(), b.GetMinRow()), a.GetMinCol(), std::max(a.GetMaxRow(), b.GetMaxRow()),
                         a.GetMaxCol());
            else
                continue;
            // The joined rectangle takes the lower index; the other goes from the end.
            const size_t keep = std::min(i, j), drop = std::max(i, j);
            m_ranges[keep] = both;
            m_ranges[drop] = m_ranges.back();
            m_ranges.pop_back();
            i = keep;
            joined = true;
            break;
        }
    }
}

void GridCellSet::ClipTo(int rows, int cols)
{
    if (m_ranges.empty())
        return;
    const CGridCellRange bounds = Bounds();
    if (bounds.GetMaxRow() < rows && bounds.GetMaxCol() < cols)
        return;
    std::vector<CGridCellRange> kept;
    m_cells = 0;
    for (const CGridCellRange& r : m_ranges) {
        CGridCellRange c(r.GetMinRow(), r.GetMinCol(), std::min(r.GetMaxRow(), rows - 1), std::min(r.GetMaxCol(), cols - 1));
        if (c.IsValid()) {
            kept.push_back(c);
            m_cells += Cells(c);
        }
    }
    m_ranges.swap(kept);
    Changed();
}

CGridCellRange GridCellSet::Bounds() const
{
    if (!m_boundsKnown) {
        if (m_ranges.empty()) {
            m_bounds = CGridCellRange();
        } else {
            m_bounds = m_ranges.front();
            for (const CGridCellRange& r : m_ranges) {
                m_bounds.SetMinRow(std::min(m_bounds.GetMinRow(), r.GetMinRow()));
                m_bounds.SetMinCol(std::min(m_bounds.GetMinCol(), r.GetMinCol()));
                m_bounds.SetMaxRow(std::max(m_bounds.GetMaxRow(), r.GetMaxRow()));
                m_bounds.SetMaxCol(std::max(m_bounds.GetMaxCol(), r.GetMaxCol()));
            }
        }
        m_boundsKnown = true;
    }
    return m_bounds;
}

std::vector<CGridCellRange> GridCellSet::SortedByColumn() const
{
    std::vector<CGridCellRange> sorted = m_ranges;
    std::sort(sorted.begin(), sorted.end(),
              [](const CGridCellRange& a, const CGridCellRange& b) { return a.GetMinCol() < b.GetMinCol(); });
    return sorted;
}
