#pragma once
// CGraphObject: the abstract base of everything that stands on a label (position and line width in
// micrometres, selection, device resolution, the drag protocol and the whole property interface
// with neutral answers). CGraph2Dim: the box-shaped object with size, device rectangle and eight
// resize handles. An object owns its tracking marker while a drag is under way.
#include "framework/cstring.h"
#include "framework/geometry.h"
#include "framework/object.h"
#include <windows.h>
#include <cstdlib>

class CDC;
class CFile;
class CWnd;
class CMarker;
class CDataTableBase;
class CDataTableMap;
class RecordReader;
class RecordWriter;

// Lengths on the device: micrometres to pixels rounds to the nearest pixel (truncating the biased
// value, so negative values round towards zero); pixels to micrometres is the inverse used when a
// drag ends. Intermediates are 64-bit so that large lengths at printer resolutions do not overflow.
int UmToPx(int um, int dpi);
int PxToUm(int px, int dpi);
// Resolution at a zoom in percent: rounded for drawing and hit testing, truncated for creation.
int DpiAtZoom(int zoom, int logPixels);
int DpiAtZoomTruncated(int zoom, int logPixels);

// Handle numbers of a box (0 top-left clockwise to 7 left middle) and of a line's two ends.
enum GraphHandle {
    HandleTopLeft = 0, HandleTop = 1, HandleTopRight = 2, HandleRight = 3,
    HandleBottomRight = 4, HandleBottom = 5, HandleBottomLeft = 6, HandleLeft = 7,
    HandleLineStart = 8, HandleLineEnd = 9
};

class CGraphObject : public CObject {
public:
    CGraphObject();
    CGraphObject(const CGraphObject& src);          // a copy never has a tracker
    CGraphObject& operator=(const CGraphObject&) = delete;
    ~CGraphObject() override;                       // deletes a tracker left behind (not erased)

    bool IsSelected() const { return m_selected; }
    int GetDpiX() const { return m_dpiX; }
    int GetDpiY() const { return m_dpiY; }
    CMarker* GetTracker() const { return m_tracker; }

    // ---- the virtual interface; neutral answers unless the object has the property ----
    virtual bool CopyPictureToClipboard() { return false; }
    virtual bool IsBarcode() { return false; }
    virtual bool QueryDatePart(int* /*out*/) { return false; }
    virtual void SetDatePart(int) {}
    virtual bool QueryDateOffset(int* /*out*/) { return false; }
    virtual void SetDateOffset(int) {}
    virtual bool QueryTableColumn(int /*index*/, int* /*out*/) { return false; }
    virtual void SetTableColumn(int /*index*/, int /*column*/) {}
    virtual bool GetFixedText(CString& /*inout*/) { return false; }
    virtual void SetFixedText(const CString&) {}
    virtual bool IsCentred() { return false; }
    virtual bool QueryCentred(int* /*out*/) { return false; }
    virtual void SetCentred(bool) {}
    virtual void SetCentredFlag(int) {}
    virtual bool QueryShrinkToFit(int* /*out*/) { return false; }
    virtual void SetShrinkToFitFlag(int) {}
    virtual int GetX() { return m_x; }
    virtual int GetY() { return m_y; }
    virtual int GetWidth() { return 0; }
    virtual int GetHeight() { return 0; }
    virtual void SetX(int v) { m_x = v; }
    virtual void SetY(int v) { m_y = v; }
    virtual void SetWidth(int) {}
    virtual void SetHeight(int) {}
    virtual bool IsText() { return false; }
    virtual int GetContentKind() { return -1; }
    virtual void SetContentKind(int) {}
    virtual bool HasAlignment() { return false; }
    virtual bool QueryAlignment(int* /*out*/) { return false; }
    virtual void SetAlignment(int) {}
    virtual bool EditContent(CWnd* /*parent*/) { return false; }
    virtual bool CanEditContent() { return false; }
    virtual bool UsesTableColumn(int /*column*/) { return false; }
    virtual int GetLineWidth() { return m_lineWidth; }
    virtual void SetLineWidth(int um) { m_lineWidth = um; }
    virtual int GetImageSource() { return -1; }
    virtual void SetImageSource(int) {}
    virtual void SetStretchToFit(bool) {}
    virtual bool IsStretchToFit() { return false; }
    virtual void SetImageCentred(bool) {}
    virtual bool IsImageCentred() { return false; }
    virtual int GetMarkerSize();
    virtual bool IsGroup() { return false; }
    virtual bool IsImage() { return false; }
    // Whether its last drawing may have reached outside its box and line: a metafile draws
    // wherever its records say.
    virtual bool PaintsOutsideBox() { return false; }
    virtual bool HasFont() { return false; }
    virtual bool GetLogFont(LOGFONTA* /*out*/) { return false; }
    virtual void SetLogFont(const LOGFONTA*) {}
    virtual bool SetCentreAlong(int axis, int v);
    virtual int GetCentreAlong(int axis);
    virtual bool TrySetHeight(int v) { SetHeight(v); return true; }
    virtual bool TrySetWidth(int v) { SetWidth(v); return true; }
    virtual bool FitToPicture() { return false; }
    virtual bool HasPictureOptions() { return false; }
    virtual bool HasTextProperties() { return false; }
    virtual bool HasLine() { return false; }
    virtual void BeginCreateDrag(CDC* pDC, int zoom, int px, int py);
    virtual CGraphObject* Clone() = 0;
    virtual void GetCentre(int* cx, int* cy);
    virtual int GetLeft() { return GetX(); }
    virtual int GetTop() { return GetY(); }
    virtual int GetRight() { return GetX() + GetWidth(); }
    virtual int GetBottom() { return GetY() + GetHeight(); }
    virtual void SetLeft(int v) { SetX(v); }
    virtual void SetTop(int v) { SetY(v); }
    virtual void SetRight(int v) { SetX(v - GetWidth()); }
    virtual void SetBottom(int v) { SetY(v - GetHeight()); }
    virtual int GetExtentX() { return GetWidth(); }
    virtual int GetExtentY() { return GetHeight(); }
    virtual bool IsTextEditableInPlace() { return false; }
    virtual bool HitTest(CDC* /*pDC*/, int /*zoom*/, int /*px*/, int /*py*/) { return false; }
    virtual int HitHandle(CDC* /*pDC*/, int /*zoom*/, int /*px*/, int /*py*/) { return -1; }
    virtual bool IsInsideRect(CDC* /*pDC*/, int /*zoom*/, const RECT* /*rc*/) { return false; }
    // Records: Load reads the object's record after its type code; on a short or bad record it
    // answers false and leaves the object as it was. Save answers false when a write failed.
    virtual bool Load(CFile* file);
    virtual bool Save(CFile* file);
    virtual void BeginMove(CDC* pDC, int zoom, int px, int py);
    virtual void TrackMove(CDC* pDC, int px, int py);
    virtual void EndMove(CDC* pDC, int px, int py);
    virtual void EndTracking(CDC* pDC);
    virtual void Offset(int dx, int dy) { m_x += dx; m_y += dy; }
    virtual void Rotate90(int cx, int cy, int dir);
    virtual bool IsOnHandle(CDC* /*pDC*/, int /*zoom*/, int /*px*/, int /*py*/) { return false; }
    virtual void BeginResize(CDC* /*pDC*/, int /*zoom*/, int /*px*/, int /*py*/) {}
    // keyFlags are the MK_ flags of the mouse message (MK_SHIFT keeps the aspect of a box).
    virtual void TrackResize(CDC* pDC, int px, int py, UINT keyFlags);
    virtual void EndResize(CDC* pDC);
    virtual void SetSelected(bool selected) { m_selected = selected; }
    virtual void DrawHandlesIfSelected(CDC* pDC);
    // Draws the object for one label; false only when printing has to stop.
    virtual bool Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row,
                      int flags, int fitResolutionX, int fitResolutionY, CDataTableBase* table,
                      CDataTableMap* columnMap, bool design) = 0;
    virtual bool CanDraw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row,
                         int flags, int fitResolutionX, int fitResolutionY, CDataTableBase* table,
                         CDataTableMap* columnMap, bool design);
    virtual void PrepareForDevice(CDC* pDC, int zoom, int originX, int originY);
    virtual CMarker* CreateMarker(int px, int py, int penStyle);
    virtual int GetAspectPercent();
    virtual void DrawHandles(CDC* /*pDC*/) {}
    virtual int GetTypeCode() = 0;
    virtual bool IsBold() { return false; }
    virtual bool IsUnderline() { return false; }
    virtual bool IsItalic() { return false; }
    virtual void SetBold(bool) {}
    virtual void SetUnderline(bool) {}
    virtual void SetItalic(bool) {}
    virtual bool IsFileSource() { return false; }
    virtual bool SetImagePath(const char*) { return false; }
    virtual void SetFontName(const char*) {}
    virtual int GetSourceKind() { return -1; }
    virtual void SetSourceKind(int) {}
    virtual void SetTextColour(COLORREF) {}
    virtual COLORREF GetTextColour() { return 0; }
    virtual bool HasTextColour() { return false; }
    virtual void SetLineColour(COLORREF) {}
    virtual COLORREF GetLineColour() { return 0; }
    virtual void SetFillColour(COLORREF) {}
    virtual COLORREF GetFillColour() { return 0; }
    virtual bool HasFill() { return false; }
    virtual bool GetColumnName(char* /*out*/, int /*size*/) { return false; }
    virtual bool SetColumnName(const char*) { return false; }
    virtual bool HasTextSource() { return false; }
    virtual bool HasImageSource() { return false; }
    virtual void SetMultiLineText(const char*) {}
    virtual bool IsTransparent() { return false; }
    virtual void SetTransparent(bool) {}
    virtual bool HasTransparency() { return false; }
    virtual bool GetSymbologyName(char* /*out*/, int /*size*/) { return false; }
    virtual bool SetSymbologyByName(const char*) { return false; }
    virtual int GetModuleWidth() { return -1; }
    virtual bool GetModuleWidthText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetModuleWidth(int) {}
    virtual int GetMagnification() { return -1; }
    virtual bool GetMagnificationText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetMagnification(int) {}
    virtual int GetBarHeight() { return -1; }
    virtual bool GetBarHeightText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetBarHeight(int) {}
    virtual int GetHeightPercent() { return -1; }
    virtual bool GetHeightPercentText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetHeightPercent(int) {}
    virtual bool GetRatioText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetRatioText(const char*) {}
    virtual bool GetSpaceCorrectionText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetSpaceCorrectionText(const char*) {}
    virtual bool GetVersionText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetVersionText(const char*) {}
    virtual bool GetErrorCorrectionLevelText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetErrorCorrectionLevelText(const char*) {}
    virtual bool GetEncodingModeName(char* /*out*/, int /*size*/) { return false; }
    virtual void SetEncodingModeByName(const char*) {}
    virtual bool GetMarginText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetMarginText(const char*) {}
    virtual bool GetCheckDigit() { return false; }
    virtual void SetCheckDigit(bool) {}
    virtual bool HasCheckDigit() { return false; }
    virtual bool GetHumanReadable() { return false; }
    virtual void SetHumanReadable(bool) {}
    virtual bool HasHumanReadable() { return false; }
    virtual bool GetCheckDigitInText() { return false; }
    virtual void SetCheckDigitInText(bool) {}
    virtual bool CanShowCheckDigitInText() { return false; }
    virtual bool GetCounterPrefix(char* /*out*/, int /*size*/) { return false; }
    virtual void SetCounterPrefix(const char*) {}
    virtual bool GetCounterStartText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetCounterStartText(const char*) {}
    virtual bool GetCounterSuffix(char* /*out*/, int /*size*/) { return false; }
    virtual void SetCounterSuffix(const char*) {}
    virtual bool IsCounterZeroPadded() { return false; }
    virtual bool HasCounterOptions() { return false; }
    virtual void SetCounterZeroPadded(bool) {}
    virtual bool GetCounterDigitsText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetCounterDigitsText(const char*) {}
    virtual bool GetSeparatorName(char* /*out*/, int /*size*/) { return false; }
    virtual void SetSeparatorName(const char*) {}
    virtual bool IsSeparatorAlways() { return false; }
    virtual bool HasSeparator() { return false; }
    virtual void SetSeparatorAlways(bool) {}
    virtual bool GetDatePartName(char* /*out*/, int /*size*/) { return false; }
    virtual void SetDatePartByName(const char*) {}
    virtual bool HasDatePart() { return false; }
    virtual bool HasDateOffset() { return false; }
    virtual bool GetDateOffsetText(char* /*out*/, int /*size*/) { return false; }
    virtual void SetDateOffsetText(const char*) {}
    virtual int GetCornerRadius() { return -1; }
    virtual void SetCornerRadius(int) {}
    virtual bool IsEquilateral() { return false; }
    virtual bool HasEquilateral() { return false; }
    virtual void SetEquilateral(bool) {}
    virtual bool HasShrinkToFit() { return false; }
    virtual bool IsShrinkToFit() { return false; }
    virtual void SetShrinkToFit(bool) {}
    virtual bool HasCentring() { return false; }
    virtual void AdvanceCounter(int /*n*/) {}
    virtual bool IsCounter() { return false; }
    virtual bool UsesMagnification() { return false; }
    virtual bool QueryTextLogFont(LOGFONTA* /*out*/) { return false; }
    virtual void SetTextLogFont(const LOGFONTA*) {}
    virtual void SetCharSet(int) {}
    virtual int GetCharSet() { return 1; }
    virtual bool HasCharSet() { return false; }
    virtual int GetModuleWidthUnit() { return 0; }
    virtual int GetBarHeightUnit() { return 0; }
    // Stretches the object horizontally as part of the band [left, right] that grows by stretch
    // micrometres. The unnamed arguments are not used.
    virtual void RescaleBand(int left, int, int right, int, int stretch, int);
    virtual bool HasTableTextOption() { return false; }
    virtual bool SetTableTextOption(bool) { return false; }
    virtual bool GetTableTextOption() { return false; }

protected:
    // The base record: x then y. Reading into locals lets the classes above read their whole
    // record before changing anything.
    struct BaseRecord {
        int x = 0;
        int y = 0;
    };
    static bool ReadBaseRecord(RecordReader& r, BaseRecord& rec);
    void WriteBaseRecord(RecordWriter& w) const;
    // Takes the fields read; clears the selection and drops any tracker, as every load does.
    void ApplyBaseRecord(const BaseRecord& rec);

    void SetDeviceResolution(CDC* pDC, int zoom);
    void SetDeviceResolutionTruncated(CDC* pDC, int zoom);
    // Erases the outline of the tracker (when there is one) and deletes it. Every drag ends (or a
    // new one begins) here, so the move under way is over too.
    void DeleteTracker(CDC* pDC);
    // Inverts the 7 x 7 square around one handle point.
    static void InvertHandle(CDC* pDC, int hx, int hy);
    static bool NearPoint(int px, int py, int hx, int hy) { return abs(px - hx) <= 3 && abs(py - hy) <= 3; }
    // A move of this very object starts at the device point (px, py).
    void StartMove(int px, int py);
    // How far the move under way has come at the device point (px, py), in micrometres; nothing
    // when no move of this object was begun. An object put back by undo or pasted in the middle
    // of a move ends that move where it stands instead of against another object's start point.
    SIZE MoveDistance(int px, int py) const;

    int m_x = 0;
    int m_y = 0;
    int m_lineWidth = 1000;
    bool m_selected = false;
    int m_dragStartX = 0, m_dragStartY = 0;
    // Set by StartMove, cleared when the drag ends; a clone or a loaded object has no move.
    bool m_moveUnderWay = false;
    int m_dpiX = 96, m_dpiY = 96;
    CMarker* m_tracker = nullptr;
};

class CGraph2Dim : public CGraphObject {
public:
    CGraph2Dim() = default;
    CGraph2Dim(const CGraph2Dim& src) = default;

    const CRect& GetDeviceRect() const { return m_deviceRect; }
    int GetResizeMode() const { return m_resizeMode; }

    int GetWidth() override { return m_width; }
    int GetHeight() override { return m_height; }
    void SetWidth(int v) override { m_width = v; }
    void SetHeight(int v) override { m_height = v; }
    void Rotate90(int cx, int cy, int dir) override;

    void PrepareForDevice(CDC* pDC, int zoom, int originX, int originY) override;
    bool HitTest(CDC* pDC, int zoom, int px, int py) override;
    bool IsInsideRect(CDC* pDC, int zoom, const RECT* rc) override;
    int HitHandle(CDC* pDC, int zoom, int px, int py) override;
    bool IsOnHandle(CDC* pDC, int zoom, int px, int py) override;
    void DrawHandles(CDC* pDC) override;

    void BeginCreateDrag(CDC* pDC, int zoom, int px, int py) override;
    void BeginMove(CDC* pDC, int zoom, int px, int py) override;
    void EndMove(CDC* pDC, int px, int py) override;
    void BeginResize(CDC* pDC, int zoom, int px, int py) override;
    void TrackResize(CDC* pDC, int px, int py, UINT keyFlags) override;
    void EndResize(CDC* pDC) override;
    CMarker* CreateMarker(int px, int py, int penStyle) override;

    // The device rectangle's outline, shifted by (dx, dy), with the device context's current pen.
    void DrawOutline(int dx, int dy, CDC* pDC);

protected:
    POINT HandlePoint(int handle) const;

    int m_resizeMode = 0;
    int m_anchorX = 0, m_anchorY = 0;
    int m_width = 0;
    int m_height = 0;
    CRect m_deviceRect;
};
