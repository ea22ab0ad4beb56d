#include "labelmodel/graphcollection.h"

#include "framework/file.h"
#include "framework/recordio.h"

// The box follows the members rather than the other way round: every answer about the box is
// computed from them first, so align, distribute and centre see the group where it is drawn.
void CGraphGroup::UpdateBox()
{
    if (m_objects.empty())
        return;
    const int left = GetAllLeft();
    const int top = GetAllTop();
    m_x = left;
    m_y = top;
    m_width = GetAllRight() - left;
    m_height = GetAllBottom() - top;
}

int CGraphGroup::GetX()
{
    UpdateBox();
    return m_x;
}

int CGraphGroup::GetY()
{
    UpdateBox();
    return m_y;
}

int CGraphGroup::GetWidth()
{
    UpdateBox();
    return m_width;
}

int CGraphGroup::GetHeight()
{
    UpdateBox();
    return m_height;
}

void CGraphGroup::PrepareForDevice(CDC* pDC, int zoom, int originX, int originY)
{
    UpdateBox();
    CGraph2Dim::PrepareForDevice(pDC, zoom, originX, originY);
}

bool CGraphGroup::Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row,
                       int flags, int fitResolutionX, int fitResolutionY, CDataTableBase* table,
                       CDataTableMap* columnMap, bool design)
{
    PrepareForDevice(pDC, zoom, originX, originY);
    return CGraphCollection::Draw(pDC, zoom, originX, originY, designFrame, row, flags,
                                  fitResolutionX, fitResolutionY, table, columnMap, design);
}

void CGraphGroup::Offset(int dx, int dy)
{
    m_x += dx;
    m_y += dy;
    for (CGraphObject* o : m_objects)
        o->Offset(dx, dy);
}

void CGraphGroup::EndMove(CDC* pDC, int px, int py)
{
    const SIZE distance = MoveDistance(px, py);
    CGraph2Dim::EndMove(pDC, px, py);
    for (CGraphObject* o : m_objects)
        o->Offset(distance.cx, distance.cy);
}

void CGraphGroup::Rotate90(int cx, int cy, int dir)
{
    if (dir != 1 && dir != -1)
        return;
    CGraph2Dim::Rotate90(cx, cy, dir);
    for (CGraphObject* o : m_objects)
        o->Rotate90(cx, cy, dir);
}

void CGraphGroup::Ungroup(CGraphCollection* dest) const
{
    if (!dest || dest == this)
        return;
    for (CGraphObject* o : m_objects) {
        CGraphObject* copy = o->Clone();
        copy->SetSelected(true);
        dest->Append(copy);
    }
}

// ---- record: i32 x, i32 y, u16 175, collection record ----

bool CGraphGroup::Load(CFile* file)
{
    RecordReader r(file);
    BaseRecord base;
    uint16_t tag = 0;
    if (!ReadBaseRecord(r, base) || !r.U16(tag) || tag != kCodeCollection)
        return false;
    // The members arrive in a scratch group and are taken over only when all of them arrived.
    CGraphGroup loaded;
    if (!loaded.LoadObjects(file))
        return false;
    ApplyBaseRecord(base);
    DeleteAll();
    m_objects.swap(loaded.m_objects);
    m_reservedA = loaded.m_reservedA;
    m_reservedB = loaded.m_reservedB;
    return true;
}

bool CGraphGroup::Save(CFile* file)
{
    UpdateBox();
    RecordWriter w(file);
    WriteBaseRecord(w);
    if (!w.U16(static_cast<uint16_t>(kCodeCollection)))
        return false;
    return CGraphCollection::Save(file);
}
