#include "labelmodel/graphcollection.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/recordio.h"
#include "labelmodel/paintedarea.h"

#include <algorithm>
#include <climits>
#include <memory>

namespace {

// Groups nest through their records; a damaged or hostile file could nest them deeply enough to
// exhaust the stack. No design gets anywhere near this depth.
const int kMaxNesting = 100;
int s_loadDepth = 0;

class NestingGuard {
public:
    NestingGuard() { ++s_loadDepth; }
    ~NestingGuard() { --s_loadDepth; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;
    bool TooDeep() const { return s_loadDepth > kMaxNesting; }
};

// The device rectangle that holds all an object painted: its box, widened by its line (a pen is
// centred on the edge) and two pixels of rounding.
RECT PaintBound(CGraphObject* o, int dpiX, int dpiY, int originX, int originY)
{
    const int left = std::min(o->GetLeft(), o->GetRight()), right = std::max(o->GetLeft(), o->GetRight());
    const int top = std::min(o->GetTop(), o->GetBottom()), bottom = std::max(o->GetTop(), o->GetBottom());
    const int line = std::max(0, o->GetLineWidth());
    const int padX = UmToPx(line, dpiX) + 2, padY = UmToPx(line, dpiY) + 2;
    return RECT{originX + UmToPx(left, dpiX) - padX, originY + UmToPx(top, dpiY) - padY,
                originX + UmToPx(right, dpiX) + padX, originY + UmToPx(bottom, dpiY) + padY};
}

} // namespace

// ---- construction ----

CGraphCollection::CGraphCollection(const CGraphCollection& src)
    : CGraph2Dim(src)
{
    m_objects.reserve(src.m_objects.size());
    for (CGraphObject* o : src.m_objects)
        m_objects.push_back(o->Clone());
}

CGraphCollection::~CGraphCollection()
{
    DeleteAll();
}

// ---- members ----

CGraphObject* CGraphCollection::GetAt(int index) const
{
    if (index < 0 || index >= GetCount())
        return nullptr;
    return m_objects[index];
}

int CGraphCollection::IndexOf(const CGraphObject* object) const
{
    for (size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i] == object)
            return static_cast<int>(i);
    return -1;
}

void CGraphCollection::Append(CGraphObject* object)
{
    if (object)
        m_objects.push_back(object);
}

bool CGraphCollection::RemoveObject(CGraphObject* object)
{
    const int i = IndexOf(object);
    if (i < 0)
        return false;
    m_objects.erase(m_objects.begin() + i);
    return true;
}

void CGraphCollection::MoveAllTo(CGraphCollection* dest)
{
    if (!dest || dest == this)
        return;
    dest->m_objects.insert(dest->m_objects.end(), m_objects.begin(), m_objects.end());
    m_objects.clear();
}

void CGraphCollection::DeleteAll()
{
    std::vector<CGraphObject*> members;
    members.swap(m_objects);
    for (CGraphObject* o : members)
        delete o;
}

void CGraphCollection::DeleteSelected()
{
    std::vector<CGraphObject*> kept;
    for (CGraphObject* o : m_objects) {
        if (o->IsSelected())
            delete o;
        else
            kept.push_back(o);
    }
    m_objects.swap(kept);
}

// ---- records and copies ----

bool CGraphCollection::LoadObjects(CFile* file)
{
    NestingGuard nesting;
    if (nesting.TooDeep())
        return false;
    RecordReader r(file);
    uint16_t count = 0, reservedA = 0, reservedB = 0;
    if (!r.U16(count) || !r.U16(reservedA) || !r.U16(reservedB))
        return false;
    m_reservedA = reservedA;
    m_reservedB = reservedB;
    // The count only bounds the loop: members are created one by one as their records arrive.
    for (unsigned i = 0; i < count; ++i) {
        uint16_t code = 0;
        if (!r.U16(code))
            return false;
        std::unique_ptr<CGraphObject> object(CreateGraphObject(code));
        if (!object || !object->Load(file))
            return false;
        m_objects.push_back(object.release());
    }
    return true;
}

bool CGraphCollection::Save(CFile* file)
{
    if (m_objects.size() > 0xFFFF)
        return false;
    RecordWriter w(file);
    w.U16(static_cast<uint16_t>(m_objects.size()));
    w.U16(static_cast<uint16_t>(m_reservedA));
    w.U16(static_cast<uint16_t>(m_reservedB));
    for (CGraphObject* o : m_objects) {
        if (!w.U16(static_cast<uint16_t>(o->GetTypeCode())) || !o->Save(file))
            return false;
    }
    return w.ok();
}

CGraphCollection* CGraphCollection::CloneCollection() const
{
    CGraphCollection* copy = new CGraphCollection;
    copy->m_objects.reserve(m_objects.size());
    for (CGraphObject* o : m_objects)
        copy->m_objects.push_back(o->Clone());
    return copy;
}

void CGraphCollection::CopySelectedTo(CGraphCollection* dest) const
{
    if (!dest || dest == this)
        return;
    for (CGraphObject* o : m_objects)
        if (o->IsSelected())
            dest->m_objects.push_back(o->Clone());
}

void CGraphCollection::PasteFrom(const CGraphCollection* src)
{
    if (!src)
        return;
    const bool hadMembers = !m_objects.empty();
    // Counted up front so that pasting a collection into itself ends.
    const size_t n = src->m_objects.size();
    for (size_t i = 0; i < n; ++i) {
        CGraphObject* copy = src->m_objects[i]->Clone();
        copy->SetSelected(true);
        if (hadMembers)
            copy->Offset(kPasteOffset, kPasteOffset);
        m_objects.push_back(copy);
    }
}

// The members change owner here: they leave this collection as they join dest, so that no object
// is ever held by two collections at once (the caller's later RemoveObject finds nothing to do).
void CGraphCollection::AppendSelectedTo(CGraphCollection* dest)
{
    if (!dest || dest == this)
        return;
    std::vector<CGraphObject*> kept;
    for (CGraphObject* o : m_objects) {
        if (o->IsSelected())
            dest->m_objects.push_back(o);
        else
            kept.push_back(o);
    }
    m_objects.swap(kept);
}

// ---- drawing ----

bool CGraphCollection::Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row,
                            int flags, int fitResolutionX, int fitResolutionY,
                            CDataTableBase* table, CDataTableMap* columnMap, bool design)
{
    // On a printer page, what each object covered is kept for the symbols drawn after it.
    CPaintedArea* painted = CPaintedArea::For(pDC->GetSafeHdc());
    const int dpiX = painted ? DpiAtZoom(zoom, pDC->GetDeviceCaps(LOGPIXELSX)) : 0;
    const int dpiY = painted ? DpiAtZoom(zoom, pDC->GetDeviceCaps(LOGPIXELSY)) : 0;
    for (CGraphObject* o : m_objects) {
        if (!o->Draw(pDC, zoom, originX, originY, designFrame, row, flags, fitResolutionX,
                     fitResolutionY, table, columnMap, design))
            return false;
        if (!painted)
            continue;
        if (o->PaintsOutsideBox())
            painted->AddEverything();
        else
            painted->Add(PaintBound(o, dpiX, dpiY, originX, originY));
    }
    return true;
}

// ---- selection and hit tests ----

bool CGraphCollection::HasSelection() const
{
    return FirstSelectedIndex() >= 0;
}

int CGraphCollection::GetSelectedCount() const
{
    int n = 0;
    for (CGraphObject* o : m_objects)
        if (o->IsSelected())
            ++n;
    return n;
}

void CGraphCollection::SelectAll()
{
    for (CGraphObject* o : m_objects)
        o->SetSelected(true);
}

void CGraphCollection::DeselectAll()
{
    for (CGraphObject* o : m_objects)
        o->SetSelected(false);
}

int CGraphCollection::FirstSelectedIndex() const
{
    for (size_t i = 0; i < m_objects.size(); ++i)
        if (m_objects[i]->IsSelected())
            return static_cast<int>(i);
    return -1;
}

CGraphObject* CGraphCollection::HitTestObject(CDC* pDC, int zoom, int px, int py)
{
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it)
        if ((*it)->HitTest(pDC, zoom, px, py))
            return *it;
    return nullptr;
}

CGraphObject* CGraphCollection::HitTestSelected(CDC* pDC, int zoom, int px, int py)
{
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it)
        if ((*it)->IsSelected() && (*it)->HitTest(pDC, zoom, px, py))
            return *it;
    return nullptr;
}

CGraphObject* CGraphCollection::FindHandleObject(CDC* pDC, int zoom, int px, int py)
{
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it)
        if ((*it)->IsOnHandle(pDC, zoom, px, py))
            return *it;
    return nullptr;
}

int CGraphCollection::HitHandle(CDC* pDC, int zoom, int px, int py)
{
    for (auto it = m_objects.rbegin(); it != m_objects.rend(); ++it) {
        if (!(*it)->IsSelected())
            continue;
        const int handle = (*it)->HitHandle(pDC, zoom, px, py);
        if (handle != -1)
            return handle;
    }
    return -1;
}

bool CGraphCollection::SelectInRect(CDC* pDC, int zoom, const RECT* rc)
{
    bool any = false;
    for (CGraphObject* o : m_objects) {
        if (o->IsInsideRect(pDC, zoom, rc)) {
            o->SetSelected(true);
            any = true;
        }
    }
    return any;
}

// ---- dragging the selection ----

void CGraphCollection::BeginMoveSelected(CDC* pDC, int zoom, int px, int py)
{
    ForSelected([&](CGraphObject* o) { o->BeginMove(pDC, zoom, px, py); });
}

void CGraphCollection::TrackMoveSelected(CDC* pDC, int, int px, int py)
{
    ForSelected([&](CGraphObject* o) { o->TrackMove(pDC, px, py); });
}

void CGraphCollection::EndMoveSelected(CDC* pDC, int, int px, int py)
{
    ForSelected([&](CGraphObject* o) { o->EndMove(pDC, px, py); });
    const int minLeft = std::min(0, GetSelectionLeft());
    const int minTop = std::min(0, GetSelectionTop());
    if (minLeft < 0 || minTop < 0)
        ForSelected([&](CGraphObject* o) { o->Offset(-minLeft, -minTop); });
}

void CGraphCollection::EndTrackingSelected(CDC* pDC)
{
    ForSelected([&](CGraphObject* o) { o->EndTracking(pDC); });
}

void CGraphCollection::BeginResizeSelected(CDC* pDC, int zoom, int px, int py)
{
    ForSelected([&](CGraphObject* o) { o->BeginResize(pDC, zoom, px, py); });
}

void CGraphCollection::TrackResizeSelected(CDC* pDC, int px, int py, UINT keyFlags)
{
    ForSelected([&](CGraphObject* o) { o->TrackResize(pDC, px, py, keyFlags); });
}

void CGraphCollection::EndResizeSelected(CDC* pDC)
{
    ForSelected([&](CGraphObject* o) { o->EndResize(pDC); });
}

// ---- geometry ----

int CGraphCollection::GetAllLeft()
{
    int v = INT_MAX;
    for (CGraphObject* o : m_objects)
        v = std::min(v, o->GetLeft());
    return v;
}

int CGraphCollection::GetAllTop()
{
    int v = INT_MAX;
    for (CGraphObject* o : m_objects)
        v = std::min(v, o->GetTop());
    return v;
}

int CGraphCollection::GetAllRight()
{
    int v = 0;
    for (CGraphObject* o : m_objects)
        v = std::max(v, o->GetRight());
    return v;
}

int CGraphCollection::GetAllBottom()
{
    int v = 0;
    for (CGraphObject* o : m_objects)
        v = std::max(v, o->GetBottom());
    return v;
}

bool CGraphCollection::SetCentreAlong(int axis, int v)
{
    if (axis != 1 && axis != 2)
        return false;
    if (m_objects.empty())
        return true;
    const bool x = axis == 1;
    const long long lo = x ? GetAllLeft() : GetAllTop();
    const long long hi = x ? GetAllRight() : GetAllBottom();
    const long long shift = v - (lo + (hi - lo) / 2);
    for (CGraphObject* o : m_objects) {
        const long long start = x ? o->GetLeft() : o->GetTop();
        const long long extent = x ? o->GetExtentX() : o->GetExtentY();
        o->SetCentreAlong(axis, static_cast<int>(start + extent / 2 + shift));
    }
    return true;
}

int CGraphCollection::GetSelectionLeft()
{
    int v = kNoSelectionEdge;
    ForSelected([&](CGraphObject* o) { v = std::min(v, o->GetLeft()); });
    return v;
}

int CGraphCollection::GetSelectionTop()
{
    int v = kNoSelectionEdge;
    ForSelected([&](CGraphObject* o) { v = std::min(v, o->GetTop()); });
    return v;
}

int CGraphCollection::GetSelectionRight()
{
    int v = 0;
    ForSelected([&](CGraphObject* o) { v = std::max(v, o->GetRight()); });
    return v;
}

int CGraphCollection::GetSelectionBottom()
{
    int v = 0;
    ForSelected([&](CGraphObject* o) { v = std::max(v, o->GetBottom()); });
    return v;
}

// ---- queries over all members ----

bool CGraphCollection::IsColumnUsed(int column)
{
    for (CGraphObject* o : m_objects)
        if (o->UsesTableColumn(column))
            return true;
    return false;
}

bool CGraphCollection::HasColumnNames()
{
    char name[256];
    for (CGraphObject* o : m_objects) {
        name[0] = 0;
        if (o->GetColumnName(name, sizeof(name)))
            return true;
    }
    return false;
}

bool CGraphCollection::IsCounter()
{
    for (CGraphObject* o : m_objects)
        if (o->IsCounter())
            return true;
    return false;
}

void CGraphCollection::AdvanceCounter(int n)
{
    for (CGraphObject* o : m_objects)
        o->AdvanceCounter(n);
}

void CGraphCollection::RescaleBand(int left, int a, int right, int b, int stretch, int c)
{
    for (CGraphObject* o : m_objects)
        if (o->GetLeft() >= left && o->GetRight() <= right)
            o->RescaleBand(left, a, right, b, stretch, c);
}
