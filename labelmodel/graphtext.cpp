// The single-line text object: its content forwarders, record, font and drawing.
#include "labelmodel/graphtext.h"

#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/recordio.h"
#include "labelmodel/gdiselect.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace {

const int kFontFaceBytes = 32;
const int kRotationLeft = 900;
const int kRotationDown = 1800;
const int kRotationRight = 2700;

bool IsQuarterTurn(int rotation)
{
    return rotation == kRotationLeft || rotation == kRotationRight;
}

int16_t ClampToI16(LONG v)
{
    return static_cast<int16_t>(std::max<LONG>(SHRT_MIN, std::min<LONG>(SHRT_MAX, v)));
}

// The font as 50 bytes: five i16 values, eight bytes, the face name in 32 bytes.
bool ReadPackedFont(RecordReader& r, LOGFONTA& font)
{
    int16_t height, width, escapement, orientation, weight;
    uint8_t bytes[8];
    char face[kFontFaceBytes];
    if (!r.I16(height) || !r.I16(width) || !r.I16(escapement) || !r.I16(orientation)
        || !r.I16(weight) || !r.Raw(bytes, sizeof bytes) || !r.Raw(face, sizeof face))
        return false;
    font = LOGFONTA();
    font.lfHeight = height;
    font.lfWidth = width;
    font.lfEscapement = escapement;
    font.lfOrientation = orientation;
    font.lfWeight = weight;
    font.lfItalic = bytes[0];
    font.lfUnderline = bytes[1];
    font.lfStrikeOut = bytes[2];
    font.lfCharSet = bytes[3];
    font.lfOutPrecision = bytes[4];
    font.lfClipPrecision = bytes[5];
    font.lfQuality = bytes[6];
    font.lfPitchAndFamily = bytes[7];
    face[kFontFaceBytes - 1] = '\0';
    std::memcpy(font.lfFaceName, face, sizeof face);
    return true;
}

void WritePackedFont(RecordWriter& w, const LOGFONTA& font)
{
    w.I16(ClampToI16(font.lfHeight));
    w.I16(ClampToI16(font.lfWidth));
    w.I16(ClampToI16(font.lfEscapement));
    w.I16(ClampToI16(font.lfOrientation));
    w.I16(ClampToI16(font.lfWeight));
    const uint8_t bytes[8] = { font.lfItalic,  font.lfUnderline,     font.lfStrikeOut,
                               font.lfCharSet, font.lfOutPrecision,  font.lfClipPrecision,
                               font.lfQuality, font.lfPitchAndFamily };
    w.Raw(bytes, sizeof bytes);
    char face[kFontFaceBytes] = {};
    CopyTextBounded(face, sizeof face, font.lfFaceName);
    w.Raw(face, sizeof face);
}

CText* EmptyFixedText()
{
    CTextFixedExt* text = new CTextFixedExt;
    text->SetMultiLineText("");
    return text;
}

} // namespace

int FontPointsFromHeight(int lfHeight)
{
    return lfHeight < 0 ? (48 - lfHeight * 72) / 96 : lfHeight;
}

int FontHeightFromPoints(int points)
{
    return -points * 96 / 72;
}

// ==== Construction ===============================================================================

CGraphText::CGraphText() : m_content(new CTextTableExt) {}

CGraphText::CGraphText(const CGraphText& src)
    : CGraphRect(src),
      m_alignment(src.m_alignment), m_shrinkToFit(src.m_shrinkToFit), m_font(src.m_font),
      m_rotation(src.m_rotation), m_textColour(src.m_textColour),
      m_content(src.m_content ? src.m_content->Clone() : EmptyFixedText())
{
}

CGraphText::~CGraphText() = default;

void CGraphText::SetContent(CText* content)
{
    if (content != nullptr && content == m_content.get())
        return;     // resetting to the held content would delete it
    m_content.reset(content ? content : EmptyFixedText());
}

// ==== Content forwarders =========================================================================
// Every object has a content; the tests for one only guard against a damaged object.

bool CGraphText::QueryDatePart(int* out) { return m_content && m_content->QueryDatePart(out); }
void CGraphText::SetDatePart(int part) { if (m_content) m_content->SetDatePart(part); }
bool CGraphText::QueryDateOffset(int* out) { return m_content && m_content->QueryDateOffset(out); }
void CGraphText::SetDateOffset(int offset) { if (m_content) m_content->SetDateOffset(offset); }
bool CGraphText::QueryTableColumn(int index, int* out)
{
    return m_content && m_content->QueryTableColumn(index, out);
}
void CGraphText::SetTableColumn(int index, int column)
{
    if (m_content)
        m_content->SetTableColumn(index, column);
}
bool CGraphText::GetFixedText(CString& inout) { return m_content && m_content->GetFixedText(inout); }
void CGraphText::SetFixedText(const CString& text) { if (m_content) m_content->SetFixedText(text); }
int CGraphText::GetContentKind() { return m_content ? m_content->GetKind() : -1; }
bool CGraphText::UsesTableColumn(int column) { return m_content && m_content->UsesTableColumn(column); }
bool CGraphText::IsTextEditableInPlace() { return m_content && m_content->IsFixedText(); }
bool CGraphText::GetColumnName(char* out, int size) { return m_content && m_content->GetColumnName(out, size); }
bool CGraphText::SetColumnName(const char* name) { return m_content && m_content->SetColumnName(name); }
void CGraphText::SetMultiLineText(const char* text) { if (m_content) m_content->SetMultiLineText(text); }
bool CGraphText::GetCounterPrefix(char* out, int size) { return m_content && m_content->GetCounterPrefix(out, size); }
void CGraphText::SetCounterPrefix(const char* prefix) { if (m_content) m_content->SetCounterPrefix(prefix); }
bool CGraphText::GetCounterStartText(char* out, int size) { return m_content && m_content->GetCounterStartText(out, size); }
void CGraphText::SetCounterStartText(const char* text) { if (m_content) m_content->SetCounterStartText(text); }
bool CGraphText::GetCounterSuffix(char* out, int size) { return m_content && m_content->GetCounterSuffix(out, size); }
void CGraphText::SetCounterSuffix(const char* suffix) { if (m_content) m_content->SetCounterSuffix(suffix); }
bool CGraphText::IsCounterZeroPadded() { return m_content && m_content->IsCounterZeroPadded(); }
bool CGraphText::HasCounterOptions() { return m_content && m_content->HasCounterOptions(); }
void CGraphText::SetCounterZeroPadded(bool on) { if (m_content) m_content->SetCounterZeroPadded(on); }
bool CGraphText::GetCounterDigitsText(char* out, int size) { return m_content && m_content->GetCounterDigitsText(out, size); }
void CGraphText::SetCounterDigitsText(const char* text) { if (m_content) m_content->SetCounterDigitsText(text); }
bool CGraphText::GetSeparatorName(char* out, int size) { return m_content && m_content->GetSeparatorName(out, size); }
void CGraphText::SetSeparatorName(const char* name) { if (m_content) m_content->SetSeparatorName(name); }
bool CGraphText::IsSeparatorAlways() { return m_content && m_content->IsSeparatorAlways(); }
bool CGraphText::HasSeparator() { return m_content && m_content->HasSeparator(); }
void CGraphText::SetSeparatorAlways(bool on) { if (m_content) m_content->SetSeparatorAlways(on); }
bool CGraphText::GetDatePartName(char* out, int size) { return m_content && m_content->GetDatePartName(out, size); }
void CGraphText::SetDatePartByName(const char* name) { if (m_content) m_content->SetDatePartByName(name); }
bool CGraphText::HasDatePart() { return m_content && m_content->HasDatePart(); }
bool CGraphText::HasDateOffset() { return m_content && m_content->HasDateOffset(); }
bool CGraphText::GetDateOffsetText(char* out, int size) { return m_content && m_content->GetDateOffsetText(out, size); }
void CGraphText::SetDateOffsetText(const char* text) { if (m_content) m_content->SetDateOffsetText(text); }
void CGraphText::AdvanceCounter(int n) { if (m_content) m_content->AdvanceCounter(n); }
bool CGraphText::IsCounter() { return m_content && m_content->IsCounter(); }
bool CGraphText::HasTableTextOption() { return m_content && m_content->HasTableTextOption(); }
bool CGraphText::SetTableTextOption(bool on) { return m_content && m_content->SetTableTextOption(on); }
bool CGraphText::GetTableTextOption() { return m_content && m_content->GetTableTextOption(); }

void CGraphText::SetContentKind(int kind)
{
    // The content is replaced only when the kind changes, so its settings survive a re-selection.
    if (m_content && m_content->GetKind() == kind)
        return;
    if (CText* content = CreateTextContentByKind(kind))
        m_content.reset(content);
}

// ==== Properties =================================================================================

bool CGraphText::QueryAlignment(int* out)
{
    if (!out)
        return false;
    *out = m_alignment;
    return true;
}

void CGraphText::SetAlignment(int alignment)
{
    if (alignment >= kAlignLeftOld && alignment <= kAlignRight)
        m_alignment = static_cast<uint8_t>(alignment);
}

bool CGraphText::GetLogFont(LOGFONTA* out)
{
    if (!out)
        return false;
    *out = m_font;
    return true;
}

void CGraphText::SetLogFont(const LOGFONTA* font)
{
    if (!font)
        return;
    m_font = *font;
    m_font.lfFaceName[LF_FACESIZE - 1] = '\0';
}

void CGraphText::SetFontName(const char* name)
{
    CopyTextBounded(m_font.lfFaceName, LF_FACESIZE, name);
}

void CGraphText::Rotate90(int cx, int cy, int dir)
{
    if (dir != 1 && dir != -1)
        return;
    CGraph2Dim::Rotate90(cx, cy, dir);
    if (dir == 1)
        m_rotation = (m_rotation + 900 > kRotationRight) ? 0 : m_rotation + 900;
    else
        m_rotation = (m_rotation - 900 < 0) ? kRotationRight : m_rotation - 900;
}

// ==== Records ====================================================================================

bool CGraphText::ReadTextRecord(RecordReader& r, CFile* file, TextRecord& rec)
{
    int32_t textColour;
    uint8_t alignment, shrink;
    int16_t rotation, code;
    if (!ReadRectRecord(r, rec) || !ReadPackedFont(r, rec.font) || !r.I32(textColour)
        || !r.U8(alignment) || !r.U8(shrink) || !r.I16(rotation) || !r.I16(code))
        return false;
    rec.textColour = static_cast<COLORREF>(textColour);
    rec.alignment = alignment;
    rec.shrinkToFit = shrink != 0;
    rec.rotation = rotation;
    std::unique_ptr<CText> content(CreateTextContentByCode(code));
    if (!content) {
        ReportUnknownKey(code);
        rec.content.reset(EmptyFixedText());
        rec.unknownContent = true;
        return false;
    }
    if (!content->Load(file)) {
        r.Fail();
        return false;
    }
    rec.content = std::move(content);
    return true;
}

void CGraphText::WriteTextRecord(RecordWriter& w, CFile* file) const
{
    WriteRectRecord(w);
    WritePackedFont(w, m_font);
    w.I32(static_cast<int32_t>(m_textColour));
    w.U8(m_alignment);
    w.U8(m_shrinkToFit ? 1 : 0);
    w.I16(static_cast<int16_t>(m_rotation));
    std::unique_ptr<CText> empty;
    const CText* content = m_content.get();
    if (!content) {
        empty.reset(EmptyFixedText());
        content = empty.get();
    }
    w.I16(static_cast<int16_t>(content->GetTypeCode()));
    if (w.ok() && !content->Save(file))
        w.Fail();
}

void CGraphText::ApplyTextRecord(TextRecord& rec)
{
    ApplyRectRecord(rec);
    m_font = rec.font;
    m_textColour = rec.textColour;
    m_alignment = rec.alignment;
    m_shrinkToFit = rec.shrinkToFit;
    m_rotation = rec.rotation;
    m_content = std::move(rec.content);
    if (!m_content)
        m_content.reset(EmptyFixedText());
}

bool CGraphText::Load(CFile* file)
{
    RecordReader r(file);
    TextRecord rec;
    if (!ReadTextRecord(r, file, rec)) {
        if (rec.unknownContent)
            ApplyTextRecord(rec);
        return false;
    }
    ApplyTextRecord(rec);
    return true;
}

bool CGraphText::Save(CFile* file)
{
    RecordWriter w(file);
    WriteTextRecord(w, file);
    return w.ok();
}

// ==== Drawing ====================================================================================

void CGraphText::MakeDrawLogFont(LOGFONTA* out) const
{
    *out = m_font;
    // The height runs across the reading direction: horizontal for turned text.
    int dpi = IsQuarterTurn(m_rotation) ? m_dpiX : m_dpiY;
    out->lfHeight = -MulDiv(-m_font.lfHeight, dpi, 96);
    switch (m_rotation) {
    case kRotationLeft: out->lfEscapement = 900; break;
    case kRotationDown: out->lfEscapement = 1800; break;
    case kRotationRight: out->lfEscapement = -900; break;
    default: out->lfEscapement = 0; break;
    }
    out->lfClipPrecision = CLIP_LH_ANGLES;
}

void CGraphText::GetDrawLogFont(LOGFONTA* out)
{
    MakeDrawLogFont(out);
}

void CGraphText::DrawCaption(CDC*, int, int, bool, const char*) {}

bool CGraphText::Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row,
                      int flags, int, int, CDataTableBase* table, CDataTableMap* columnMap,
                      bool design)
{
    PrepareForDevice(pDC, zoom, originX, originY);
    // The device rectangle already holds the origin.
    if (designFrame)
        DrawDesignFrame(pDC, 0, 0);
    if (!m_transparent) {
        CRect inner(m_deviceRect.left + 1, m_deviceRect.top + 1, m_deviceRect.right,
                    m_deviceRect.bottom);
        CBrush brush(m_fillColour);
        pDC->FillRect(&inner, &brush);
    }
    char buffer[kTextBufferSize] = {};
    if (m_content)
        m_content->FormatText(row, buffer, kTextBufferSize, flags, table, columnMap, design);
    DrawTextInBox(pDC, 0, 0, designFrame, buffer, flags);
    return true;
}

void CGraphText::DrawDesignFrame(CDC* pDC, int x, int y)
{
    CPen pen(PS_DASH, 1, RGB(0, 0, 0));
    ScopedSelect usePen(pDC, pen);
    int oldMode = pDC->SetBkMode(TRANSPARENT);
    DrawOutline(x, y, pDC);
    pDC->SetBkMode(oldMode);
}

void CGraphText::GetTextBox(int* w, int* h) const
{
    *w = m_deviceRect.Width();
    *h = m_deviceRect.Height();
    if (IsQuarterTurn(m_rotation))
        std::swap(*w, *h);
}

int CGraphText::ShrunkHeight(int height, int boxWidth, int boxHeight, int textWidth,
                             int textHeight)
{
    if (height == 0 || textWidth <= 0 || textHeight <= 0)
        return height;
    long long ratio = std::min(static_cast<long long>(boxWidth) * 500 / textWidth,
                               static_cast<long long>(boxHeight) * 500 / textHeight);
    long long shrunk = ratio * height / 500;
    // Never larger than the original, never zero (the default size) nor of the other sign.
    long long limit = height < 0 ? -static_cast<long long>(height) : height;
    long long magnitude = shrunk < 0 ? -shrunk : shrunk;
    if ((shrunk < 0) != (height < 0))
        magnitude = 1;
    magnitude = std::max(1LL, std::min(limit, magnitude));
    return static_cast<int>(height < 0 ? -magnitude : magnitude);
}

int CGraphText::ApplyAlignment(CDC* pDC, int w, int xMargin) const
{
    switch (m_alignment) {
    case kAlignCentre:
        pDC->SetTextAlign(TA_CENTER | TA_TOP | TA_NOUPDATECP);
        return w / 2 - 1;
    case kAlignRight:
        pDC->SetTextAlign(TA_RIGHT | TA_TOP | TA_NOUPDATECP);
        return w - xMargin - 2;
    case kAlignLeftOld:
    case kAlignLeft:
        pDC->SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP);
        return xMargin;
    default:
        return 0;
    }
}

bool CGraphText::StartPoint(int o, int t, POINT* p) const
{
    const CRect& r = m_deviceRect;
    switch (m_rotation) {
    case 0: *p = POINT{ r.left + o + 1, r.top + t + 1 }; return true;
    case kRotationLeft: *p = POINT{ r.left + t + 1, r.bottom - o }; return true;
    case kRotationDown: *p = POINT{ r.right - o, r.bottom - t }; return true;
    case kRotationRight: *p = POINT{ r.right - t, r.top + o }; return true;
    default: return false;
    }
}

void CGraphText::PrepareTextDrawing(CDC* pDC) const
{
    // Turned text cannot be clipped by ExtTextOut's rectangle: clip the device context instead,
    // within whatever clip the caller has set.
    if (m_rotation != 0)
        pDC->IntersectClipRect(m_deviceRect.left + 1, m_deviceRect.top + 1, m_deviceRect.right,
                               m_deviceRect.bottom);
    if (m_transparent) {
        pDC->SetBkMode(TRANSPARENT);
    } else {
        pDC->SetBkMode(OPAQUE);
        pDC->SetBkColor(m_fillColour);
    }
    pDC->SetTextColor(m_textColour);
}

void CGraphText::DrawShrinkMark(CDC* pDC) const
{
    pDC->MoveTo(m_deviceRect.right - 10, m_deviceRect.top);
    pDC->LineTo(m_deviceRect.right, m_deviceRect.top + 10);
}

void CGraphText::DrawTextInBox(CDC* pDC, int topMargin, int xMargin, bool markShrunk,
                               const char* text, int)
{
    if (!text)
        text = "";
    const int length = static_cast<int>(std::strlen(text));
    const int saved = pDC->SaveDC();
    PrepareTextDrawing(pDC);

    LOGFONTA lf;
    MakeDrawLogFont(&lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    pDC->SelectObject(&font);
    CSize extent = pDC->GetTextExtent(text, length);

    int w, h;
    GetTextBox(&w, &h);
    CFont shrunkFont;
    bool shrunk = false;
    if (m_shrinkToFit && extent.cx > 0 && (extent.cx >= w || extent.cy >= h - topMargin)) {
        lf.lfHeight = ShrunkHeight(lf.lfHeight, w, h - topMargin, extent.cx, extent.cy);
        shrunkFont.CreateFontIndirect(&lf);
        pDC->SelectObject(&shrunkFont);
        extent = pDC->GetTextExtent(text, length);
        shrunk = true;
    }

    int o = ApplyAlignment(pDC, w, xMargin);
    POINT start;
    if (StartPoint(o, topMargin, &start)) {
        CRect clip(m_deviceRect.left + 1, m_deviceRect.top + 1, m_deviceRect.right,
                   m_deviceRect.bottom);
        if (m_rotation == 0)
            pDC->ExtTextOut(start.x, start.y, ETO_CLIPPED, &clip, text, static_cast<UINT>(length));
        else
            pDC->ExtTextOut(start.x, start.y, 0, nullptr, text, static_cast<UINT>(length));
    }
    if (markShrunk && shrunk)
        DrawShrinkMark(pDC);
    // Restoring the saved state puts the caller's font back before ours are deleted.
    pDC->RestoreDC(saved);
}

// ==== The overflow mark ==========================================================================

bool CGraphText::HasOverflowMark(int rotation)
{
    return rotation == 0 || rotation == kRotationLeft || rotation == kRotationDown
        || rotation == kRotationRight;
}

UINT CGraphText::OverflowMarkFormat(int rotation)
{
    switch (rotation) {
    case 0: return DT_CENTER;
    case kRotationLeft: return DT_VCENTER;
    case kRotationDown: return DT_CENTER | DT_BOTTOM;
    case kRotationRight: return DT_RIGHT | DT_VCENTER;
    default: return 0;
    }
}

void CGraphText::MakeOverflowMarkFont(const CRect& deviceRect, LOGFONTA* out)
{
    *out = LOGFONTA();
    out->lfHeight = (std::min(deviceRect.Width(), deviceRect.Height()) + 1) / 2;
    out->lfWeight = FW_NORMAL;
    out->lfCharSet = SYMBOL_CHARSET;
    out->lfQuality = PROOF_QUALITY;
    out->lfPitchAndFamily = VARIABLE_PITCH | FF_ROMAN;
    CopyTextBounded(out->lfFaceName, LF_FACESIZE, "Wingdings");
}

void CGraphText::DrawOverflowMark(int rotation, const CRect& deviceRect, CDC* pDC)
{
    if (!HasOverflowMark(rotation))
        return;
    LOGFONTA lf;
    MakeOverflowMarkFont(deviceRect, &lf);
    CFont font;
    font.CreateFontIndirect(&lf);
    CRect box(deviceRect.left, deviceRect.top + 1, deviceRect.right, deviceRect.bottom);
    ScopedSelect useFont(pDC, font);
    pDC->DrawText("\x22", 1, &box, OverflowMarkFormat(rotation));
}
