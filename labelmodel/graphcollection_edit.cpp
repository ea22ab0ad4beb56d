// Arranging the selection of a collection: drawing order, align, distribute, centre, rotate,
// ungroup and duplicate.
#include "labelmodel/graphcollection.h"

#include <algorithm>

// ---- drawing order: only the first selected member moves ----

void CGraphCollection::BringSelectedToFront()
{
    const int i = FirstSelectedIndex();
    if (i < 0)
        return;
    CGraphObject* o = m_objects[i];
    m_objects.erase(m_objects.begin() + i);
    m_objects.push_back(o);
}

void CGraphCollection::SendSelectedToBack()
{
    const int i = FirstSelectedIndex();
    if (i < 0)
        return;
    CGraphObject* o = m_objects[i];
    m_objects.erase(m_objects.begin() + i);
    m_objects.insert(m_objects.begin(), o);
}

void CGraphCollection::MoveSelectedForward()
{
    const int i = FirstSelectedIndex();
    if (i >= 0 && i + 1 < GetCount())
        std::swap(m_objects[i], m_objects[i + 1]);
}

void CGraphCollection::MoveSelectedBackward()
{
    const int i = FirstSelectedIndex();
    if (i > 0)
        std::swap(m_objects[i], m_objects[i - 1]);
}

// ---- align ----

void CGraphCollection::AlignSelectedLeft(int v)
{
    ForSelected([v](CGraphObject* o) { o->SetLeft(v); });
}

void CGraphCollection::AlignSelectedTop(int v)
{
    ForSelected([v](CGraphObject* o) { o->SetTop(v); });
}

void CGraphCollection::AlignSelectedRight(int v)
{
    ForSelected([v](CGraphObject* o) { o->SetRight(v); });
}

void CGraphCollection::AlignSelectedBottom(int v)
{
    ForSelected([v](CGraphObject* o) { o->SetBottom(v); });
}

// ---- distribute ----

void CGraphCollection::DistributeSelectedHorizontally()
{
    Distribute(false);
}

void CGraphCollection::DistributeSelectedVertically()
{
    Distribute(true);
}

// The outermost members P (smallest start) and Q (largest end) stay; the others are spaced
// evenly between them in the order of their starts.
void CGraphCollection::Distribute(bool vertical)
{
    auto start = [vertical](CGraphObject* o) { return vertical ? o->GetTop() : o->GetLeft(); };
    auto end = [vertical](CGraphObject* o) { return vertical ? o->GetBottom() : o->GetRight(); };
    auto extent = [vertical](CGraphObject* o) { return vertical ? o->GetExtentY() : o->GetExtentX(); };

    std::vector<CGraphObject*> selected;
    for (CGraphObject* o : m_objects)
        if (o->IsSelected())
            selected.push_back(o);
    if (selected.size() < 3)
        return;

    CGraphObject* p = selected[0];
    CGraphObject* q = selected[0];
    for (CGraphObject* o : selected) {
        if (start(o) < start(p))
            p = o;
        if (end(o) > end(q))
            q = o;
    }
    // One member spanning the whole selection leaves no outer pair to space the others between.
    if (p == q)
        return;

    std::vector<CGraphObject*> inner;
    for (CGraphObject* o : selected)
        if (o != p && o != q)
            inner.push_back(o);
    // A stable exchange sort: equal starts keep their list order.
    for (size_t pass = 0; pass + 1 < inner.size(); ++pass)
        for (size_t i = 0; i + 1 < inner.size() - pass; ++i)
            if (start(inner[i]) > start(inner[i + 1]))
                std::swap(inner[i], inner[i + 1]);

    long long freeSpace = static_cast<long long>(end(q)) - start(p) - extent(q) - extent(p);
    for (CGraphObject* o : inner)
        freeSpace -= extent(o);
    const long long step = freeSpace / static_cast<long long>(inner.size() + 1);
    long long f = end(p);
    for (CGraphObject* o : inner) {
        const int at = static_cast<int>(f + step);
        if (vertical)
            o->SetTop(at);
        else
            o->SetLeft(at);
        f += extent(o) + step;
    }
}

// ---- centre and rotate ----

bool CGraphCollection::CentreSelectedAlong(int v, int axis)
{
    bool any = false;
    ForSelected([&](CGraphObject* o) {
        if (o->SetCentreAlong(axis, v))
            any = true;
    });
    return any;
}

int CGraphCollection::GetSelectedCentreAlong(int axis)
{
    long long sum = 0;
    int n = 0;
    ForSelected([&](CGraphObject* o) {
        sum += o->GetCentreAlong(axis);
        ++n;
    });
    return n ? static_cast<int>(sum / n) : -1;
}

void CGraphCollection::RotateSelected(int dir)
{
    if (dir != 1 && dir != -1)
        return;
    long long sumX = 0, sumY = 0;
    int n = 0;
    ForSelected([&](CGraphObject* o) {
        int cx, cy;
        o->GetCentre(&cx, &cy);
        sumX += cx;
        sumY += cy;
        ++n;
    });
    if (n == 0)
        return;
    const int cx = static_cast<int>(sumX / n);
    const int cy = static_cast<int>(sumY / n);
    ForSelected([&](CGraphObject* o) { o->Rotate90(cx, cy, dir); });
}

bool CGraphCollection::FitSelectedToPicture()
{
    bool any = false;
    ForSelected([&](CGraphObject* o) {
        if (o->FitToPicture())
            any = true;
    });
    return any;
}

// ---- group and ungroup ----

bool CGraphCollection::IsGroupSelected() const
{
    return AnySelected([](CGraphObject* o) { return o->IsGroup(); });
}

// The walk runs by index over the growing list, so the clones appended from a group are visited
// too and a group inside a selected group is dissolved in the same call.
void CGraphCollection::UngroupSelected()
{
    size_t i = 0;
    while (i < m_objects.size()) {
        CGraphObject* o = m_objects[i];
        CGraphGroup* group = o->IsSelected() ? dynamic_cast<CGraphGroup*>(o) : nullptr;
        if (!group) {
            ++i;
            continue;
        }
        group->Ungroup(this);
        m_objects.erase(m_objects.begin() + i);
        delete group;
    }
}

// ---- duplicate ----

void CGraphCollection::DuplicateSelectedBelow()
{
    const int t = GetSelectionTop(), b = GetSelectionBottom();
    DuplicateSelectedBy(0, b - t);
}

void CGraphCollection::DuplicateSelectedRight()
{
    const int l = GetSelectionLeft(), r = GetSelectionRight();
    DuplicateSelectedBy(r - l, 0);
}

void CGraphCollection::DuplicateSelectedAbove()
{
    const int t = GetSelectionTop(), b = GetSelectionBottom();
    if (!HasSelection())
        return;
    DuplicateSelectedBy(0, t - b);
    const int top = GetAllTop();
    if (top < 0)
        for (CGraphObject* o : m_objects)
            o->Offset(0, -top);
}

void CGraphCollection::DuplicateSelectedLeft()
{
    const int l = GetSelectionLeft(), r = GetSelectionRight();
    if (!HasSelection())
        return;
    DuplicateSelectedBy(l - r, 0);
    const int left = GetAllLeft();
    if (left < 0)
        for (CGraphObject* o : m_objects)
            o->Offset(-left, 0);
}

// Each clone takes the next free table column: the first column no member used before the
// duplication, then the following ones, one per clone.
void CGraphCollection::DuplicateSelectedBy(int dx, int dy)
{
    int firstFree = 0;
    for (int c = 0; c < 26; ++c) {
        if (!IsColumnUsed(c)) {
            firstFree = c;
            break;
        }
    }
    std::vector<CGraphObject*> clones;
    int k = 0;
    for (CGraphObject* o : m_objects) {
        if (!o->IsSelected())
            continue;
        o->SetSelected(false);
        CGraphObject* copy = o->Clone();
        copy->SetSelected(true);
        copy->Offset(dx, dy);
        // Past "Z" there is no column to name; such a clone keeps its source's column.
        const int column = firstFree + k;
        if (column < 26) {
            const char name[2] = {static_cast<char>('A' + column), 0};
            copy->SetColumnName(name);
        }
        clones.push_back(copy);
        ++k;
    }
    m_objects.insert(m_objects.end(), clones.begin(), clones.end());
}
