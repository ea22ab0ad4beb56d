#pragma once
// CGraphOLE1 (999): an OLE object of the older OLE 1 kind, read from the records of older files.
// The object keeps its OLE 1 stream exactly as read and writes it back unchanged; it draws the
// presentation picture stored in the stream (the picture an OLE 1 object caches for just this),
// so neither an OLE server nor the system's OLE 1 conversion is needed. It cannot be edited.
// The object owns its stream bytes and its picture holder; a copy copies both.
#include "labelmodel/graphobject.h"
#include "labelmodel/imageholder.h"
#include "labelmodel/ole1stream.h"

#include <memory>
#include <vector>

class CGraphOLE1 : public CGraph2Dim {
public:
    static const int kTypeCode = 999;

    CGraphOLE1();
    CGraphOLE1(const CGraphOLE1& src);
    ~CGraphOLE1() override;

    bool EditContent(CWnd* parent) override { return false; }
    bool CanEditContent() override { return false; }
    // Its picture is a metafile, played without a clip.
    bool PaintsOutsideBox() override { return true; }
    CGraphObject* Clone() override { return new CGraphOLE1(*this); }
    // x, y, width and height, then the OLE 1 object stream. A short or malformed stream answers
    // false and leaves the object as it was.
    bool Load(CFile* file) override;
    // The geometry and the stream as read; an object that never read one writes the stream of
    // "no object", which reads back.
    bool Save(CFile* file) override;
    bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row, int flags,
              int fitResolutionX, int fitResolutionY, CDataTableBase* table,
              CDataTableMap* columnMap, bool design) override;
    int GetTypeCode() override { return kTypeCode; }

    const std::vector<BYTE>& GetStream() const { return m_stream; }
    const Ole1Presentation& GetPresentation() const { return m_presentation; }
    // The picture drawn: the empty picture when the stream holds none that can be drawn.
    const CImageBase* GetPicture() const { return m_picture.get(); }

private:
    std::vector<BYTE> m_stream;
    Ole1Presentation m_presentation;
    std::unique_ptr<CImageBase> m_picture;
};
