#include "labelmodel/graphole1.h"

#include "framework/file.h"
#include "framework/gdi.h"
#include "framework/recordio.h"

// The system's OLE 1 conversion is not used: where it is missing (Wine stops the process in it)
// and where no server for the object's class is installed it gives nothing to draw, while the
// stream itself carries the picture. Reading the stream ourselves also bounds every length in it.

CGraphOLE1::CGraphOLE1() : m_picture(new CImageBase)
{
}

CGraphOLE1::CGraphOLE1(const CGraphOLE1& src)
    : CGraph2Dim(src), m_stream(src.m_stream), m_presentation(src.m_presentation),
      m_picture(src.m_picture->Clone())
{
}

CGraphOLE1::~CGraphOLE1() = default;

bool CGraphOLE1::Load(CFile* file)
{
    RecordReader r(file);
    BaseRecord rec;
    int32_t width, height;
    if (!ReadBaseRecord(r, rec) || !r.I32(width) || !r.I32(height))
        return false;
    Ole1Object object;
    if (!ReadOle1Object(file, object))
        return false;
    std::unique_ptr<CImageBase> picture(CreateOle1PictureHolder(object.presentation));
    ApplyBaseRecord(rec);
    m_width = width;
    m_height = height;
    m_stream.swap(object.stream);
    m_presentation = std::move(object.presentation);
    m_picture = std::move(picture);
    return true;
}

bool CGraphOLE1::Save(CFile* file)
{
    RecordWriter w(file);
    WriteBaseRecord(w);
    w.I32(m_width);
    w.I32(m_height);
    const std::vector<BYTE> stream = m_stream.empty() ? EmptyOle1Stream() : m_stream;
    w.Raw(stream.data(), (UINT)stream.size());
    return w.ok();
}

bool CGraphOLE1::Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int, int,
                      int, int, CDataTableBase*, CDataTableMap*, bool)
{
    PrepareForDevice(pDC, zoom, originX, originY);
    // The content fills the box, as an OLE object draws into the rectangle it is given.
    const CRect& r = m_deviceRect;
    m_picture->Draw(pDC, "", r.left, r.top, r.right, r.bottom, 0, 0, 100, 100, kImageStretch);
    if (designFrame)
        DrawOutline(0, 0, pDC);
    return true;
}
