// The barcode object: its symbology, the property forwarders, drawing with the fit check, and
// its record.
#include "labelmodel/graphbarcode.h"

#include "barcode/barcodefactory.h"
#include "barcode/qrcode.h"
#include "framework/app.h"
#include "framework/gdi.h"
#include "framework/msgbox.h"
#include "framework/recordio.h"
#include "framework/wnd.h"
#include "labelmodel/paintedarea.h"
#include "labelmodel/qrtextdialog.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const char kQrCodeName[] = "QR Code\xAE";

// Magnification symbologies store their module width in micrometres as a percentage of the
// nominal 330 micrometres.
const int kNominalModule = 330;

// Sizes read from the property commands: module width as a magnification, bar height as a
// percentage of the nominal height.
const int kMinMagnification = 80, kMaxMagnification = 200;
const int kMinHeightPercent = 50, kMaxHeightPercent = 100;
const int kMinSpaceCorrection = -1, kMaxSpaceCorrection = 2;
const int kMinVersion = 1, kMaxVersion = 40;
const int kMinMargin = 0, kMaxMargin = 1000;

bool FormatInto(char* out, int size, const CString& text)
{
    return CopyTextBounded(out, size, text);
}

// Numbers are read as the Windows C runtime reads them, so a decimal comma follows the locale
// exactly as the texts formatted by CString::Format do.
bool ScanReal(const char* text, double* out)
{
    return text && __ms_sscanf(text, "%lg", out) == 1 && std::isfinite(*out);
}

bool ScanInt(const char* text, const char* format, int* out)
{
    return text && __ms_sscanf(text, format, out) == 1;
}

} // namespace

// ==== Construction ===============================================================================

CGraphBarcode::CGraphBarcode() : m_symbology(CreateBarcodeByCode(kBarcodeCode39)) {}

CGraphBarcode::CGraphBarcode(const CGraphBarcode& src)
    : CGraphText(src), CBarcodeOwner(src),
      m_symbology(src.m_symbology ? src.m_symbology->Clone() : nullptr)
{
}

CGraphBarcode::~CGraphBarcode() = default;

bool CGraphBarcode::IsQrCode() const
{
    char name[kNameSize] = {};
    return m_symbology && m_symbology->GetName(name, kNameSize) &&
           CString(name).CompareNoCase(kQrCodeName) == 0;
}

// ==== Symbology forwarders =======================================================================

bool CGraphBarcode::IsCentred() { return m_symbology && m_symbology->IsCentred(); }
bool CGraphBarcode::QueryCentred(int* out) { return m_symbology && m_symbology->QueryCentred(out); }
void CGraphBarcode::SetCentred(bool on) { if (m_symbology) m_symbology->SetCentred(on); }
void CGraphBarcode::SetCentredFlag(int value) { if (m_symbology) m_symbology->SetCentredFlag(value); }
bool CGraphBarcode::HasCentring() { return m_symbology && m_symbology->HasCentring(); }
bool CGraphBarcode::UsesMagnification() { return m_symbology && m_symbology->UsesMagnification(); }
int CGraphBarcode::GetModuleWidthUnit() { return m_symbology ? m_symbology->GetModuleWidthUnit() : 0; }
int CGraphBarcode::GetBarHeightUnit() { return m_symbology ? m_symbology->GetBarHeightUnit() : 0; }
bool CGraphBarcode::GetCheckDigit() { return m_symbology && m_symbology->GetCheckDigit(); }
void CGraphBarcode::SetCheckDigit(bool on) { if (m_symbology) m_symbology->SetCheckDigit(on); }
bool CGraphBarcode::HasCheckDigit() { return m_symbology && m_symbology->HasCheckDigit(); }
bool CGraphBarcode::GetHumanReadable() { return m_symbology && m_symbology->GetHumanReadable(); }
void CGraphBarcode::SetHumanReadable(bool on) { if (m_symbology) m_symbology->SetHumanReadable(on); }
bool CGraphBarcode::HasHumanReadable() { return m_symbology && m_symbology->HasHumanReadable(); }
bool CGraphBarcode::GetCheckDigitInText() { return m_symbology && m_symbology->GetCheckDigitInText(); }
void CGraphBarcode::SetCheckDigitInText(bool on) { if (m_symbology) m_symbology->SetCheckDigitInText(on); }
bool CGraphBarcode::CanShowCheckDigitInText()
{
    return m_symbology && m_symbology->CanShowCheckDigitInText();
}
bool CGraphBarcode::GetEncodingModeName(char* out, int size)
{
    return m_symbology && m_symbology->GetEncodingModeName(out, size);
}
void CGraphBarcode::SetEncodingModeByName(const char* name)
{
    if (m_symbology)
        m_symbology->SetEncodingModeByName(name);
}
bool CGraphBarcode::GetSymbologyName(char* out, int size)
{
    return m_symbology && m_symbology->GetName(out, size);
}

// ==== Content and font ===========================================================================

void CGraphBarcode::SetContentKind(int kind)
{
    const int before = GetContentKind();
    CGraphText::SetContentKind(kind);
    // A QR Code's fixed text is typed in its own dialog: it starts empty, not with the default
    // line of a text field.
    if (kind == kKindFixed && before != kind && GetContentKind() == kind && IsQrCode() && m_content)
        m_content->SetFixedText(CString());
}

bool CGraphBarcode::CanEditContent()
{
    return m_symbology && m_content && m_content->IsFixedText() && !m_symbology->IsTextEditableInPlace();
}

bool CGraphBarcode::IsTextEditableInPlace()
{
    return m_symbology && m_content && m_content->IsFixedText() && m_symbology->IsTextEditableInPlace();
}

bool CGraphBarcode::EditContent(CWnd* parent)
{
    // Only a fixed text is typed; the other contents would drop what the dialog returned.
    if (!m_content || !m_content->IsFixedText())
        return false;
    CEditText4QRCodeDlg dialog(parent);
    m_content->GetFixedText(dialog.m_text);
    if (dialog.DoModal() != IDOK)
        return false;
    m_content->SetFixedText(dialog.m_text);
    return true;
}

bool CGraphBarcode::HasFont()
{
    return m_symbology && m_symbology->UsesFont();
}

bool CGraphBarcode::GetLogFont(LOGFONTA* out)
{
    return HasFont() && CGraphText::GetLogFont(out);
}

// ==== Sizes in the user's units ==================================================================

int CGraphBarcode::GetModuleWidth()
{
    return m_symbology ? m_symbology->GetModuleWidth() : -1;
}

bool CGraphBarcode::GetModuleWidthText(char* out, int size)
{
    if (!m_symbology || m_symbology->UsesMagnification())
        return false;
    CString text;
    text.Format("%g mm", m_symbology->GetModuleWidth() / 1000.0);
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetModuleWidth(int value)
{
    if (!m_symbology)
        return;
    if (m_symbology->UsesMagnification()) {
        if (value >= kMinMagnification && value <= kMaxMagnification)
            m_symbology->SetModuleWidth(value * kNominalModule / 100);
    } else if (value >= 0) {
        m_symbology->SetModuleWidth(value);
    }
}

int CGraphBarcode::GetMagnification()
{
    if (!m_symbology)
        return -1;
    return static_cast<int>(std::floor(m_symbology->GetModuleWidth() * 100.0 / kNominalModule + 0.5));
}

bool CGraphBarcode::GetMagnificationText(char* out, int size)
{
    if (!m_symbology)
        return false;
    CString text;
    text.Format("%d %%", GetMagnification());
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetMagnification(int percent)
{
    // The product is taken in 64 bits; a module past the range of int is no module at all.
    const long long um = static_cast<long long>(percent) * kNominalModule / 100;
    if (m_symbology && percent >= 0 && um <= INT_MAX)
        m_symbology->SetModuleWidth(static_cast<int>(um));
}

int CGraphBarcode::GetBarHeight()
{
    return m_symbology ? m_symbology->GetBarHeight() : -1;
}

bool CGraphBarcode::GetBarHeightText(char* out, int size)
{
    if (!m_symbology || m_symbology->UsesMagnification() || !m_symbology->HasBarHeight())
        return false;
    CString text;
    text.Format("%g mm", m_symbology->GetBarHeight() / 1000.0);
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetBarHeight(int value)
{
    if (!m_symbology)
        return;
    if (m_symbology->UsesMagnification()) {
        if (value >= kMinHeightPercent && value <= kMaxHeightPercent)
            m_symbology->SetHeightReduction(100 - value);
    } else if (value >= 0) {
        m_symbology->SetBarHeight(value);
    }
}

int CGraphBarcode::GetHeightPercent()
{
    // Only the magnification symbologies have a height reduction; the others answer -1 for it,
    // which is no percentage (100 - -1 would read as 101 %).
    if (!m_symbology || !m_symbology->UsesMagnification())
        return -1;
    return 100 - m_symbology->GetHeightReduction();
}

bool CGraphBarcode::GetHeightPercentText(char* out, int size)
{
    if (!m_symbology || !m_symbology->UsesMagnification())
        return false;
    CString text;
    text.Format("%d %%", GetHeightPercent());
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetHeightPercent(int percent)
{
    // The reduction is stored in 16 bits: a percentage that would not fit there is refused
    // rather than wrapped into another height.
    if (m_symbology && percent >= 0 && 100 - static_cast<long long>(percent) >= SHRT_MIN)
        m_symbology->SetHeightReduction(100 - percent);
}

// ==== Symbology settings as texts ================================================================

bool CGraphBarcode::GetRatioText(char* out, int size)
{
    if (!m_symbology || m_symbology->GetRatio() == 0)
        return false;
    CString text;
    text.Format("%g:1", m_symbology->GetRatio() / 10.0);
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetRatioText(const char* text)
{
    double ratio;
    // The ratio is kept in tenths: round, or "2.3" would become 22 tenths.
    if (m_symbology && ScanReal(text, &ratio) && std::fabs(ratio) < 1e6)
        m_symbology->SetRatio(static_cast<int>(std::lround(ratio * 10)));
}

bool CGraphBarcode::GetSpaceCorrectionText(char* out, int size)
{
    if (!m_symbology || !m_symbology->HasSpaceCorrection())
        return false;
    CString text;
    text.Format("%d", m_symbology->GetSpaceCorrection());
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetSpaceCorrectionText(const char* text)
{
    int value;
    if (m_symbology && ScanInt(text, "%i", &value) && value >= kMinSpaceCorrection &&
        value <= kMaxSpaceCorrection)
        m_symbology->SetSpaceCorrection(value);
}

bool CGraphBarcode::GetVersionText(char* out, int size)
{
    if (!m_symbology || !m_symbology->HasVersion())
        return false;
    CString text;
    text.Format("%d", m_symbology->GetVersion());
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetVersionText(const char* text)
{
    long long value;
    if (m_symbology && ScanDecimal(text, &value) && value >= kMinVersion && value <= kMaxVersion)
        m_symbology->SetVersion(static_cast<int>(value));
}

bool CGraphBarcode::GetErrorCorrectionLevelText(char* out, int size)
{
    if (!m_symbology || !m_symbology->HasErrorCorrectionLevel())
        return false;
    CString text;
    text.Format("%c", m_symbology->GetErrorCorrectionLevel());
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetErrorCorrectionLevelText(const char* text)
{
    if (m_symbology && text && *text && std::strchr("HLMQ", *text))
        m_symbology->SetErrorCorrectionLevel(*text);
}

bool CGraphBarcode::GetMarginText(char* out, int size)
{
    if (!m_symbology || !m_symbology->HasMargin())
        return false;
    CString text;
    text.Format("%d", m_symbology->GetMargin());
    return FormatInto(out, size, text);
}

void CGraphBarcode::SetMarginText(const char* text)
{
    long long value;
    if (m_symbology && ScanDecimal(text, &value) && value >= kMinMargin && value <= kMaxMargin)
        m_symbology->SetMargin(static_cast<int>(value));
}

// ==== Changing the symbology =====================================================================

bool CGraphBarcode::SetSymbologyByName(const char* name)
{
    if (!name)
        return false;
    char present[kNameSize] = {};
    if (m_symbology && m_symbology->GetName(present, kNameSize) && CString(present).CompareNoCase(name) == 0)
        return true;
    std::unique_ptr<CBarcode> next(CreateBarcodeByName(name));
    if (!next)
        return false;
    if (m_symbology && m_symbology->UsesMagnification() == next->UsesMagnification()) {
        // Both size the same way: the user's sizes stay as they were.
        const int moduleWidth = m_symbology->GetModuleWidth();
        if (moduleWidth != -1)
            next->SetModuleWidth(moduleWidth);
        next->SetBarHeight(m_symbology->GetBarHeight());
        next->SetHeightReduction(m_symbology->GetHeightReduction());
    }
    m_symbology = std::move(next);
    return true;
}

// ==== Records ====================================================================================

bool CGraphBarcode::Load(CFile* file)
{
    RecordReader r(file);
    TextRecord rec;
    if (!ReadTextRecord(r, file, rec)) {
        if (rec.unknownContent)
            ApplyTextRecord(rec);
        return false;
    }
    int16_t code;
    if (!r.I16(code))
        return false;
    std::unique_ptr<CBarcode> symbology(CreateBarcodeByCode(code));
    if (!symbology) {
        ReportUnknownKey(code);
        ApplyTextRecord(rec);
        m_symbology.reset();
        return false;
    }
    if (!symbology->Load(file))
        return false;
    ApplyTextRecord(rec);
    m_symbology = std::move(symbology);
    return true;
}

bool CGraphBarcode::Save(CFile* file)
{
    RecordWriter w(file);
    WriteTextRecord(w, file);
    // An object without a symbology (only a damaged file makes one) is written as the new
    // object's Code 39, so that the record can be read back.
    std::unique_ptr<CBarcode> fallback;
    const CBarcode* symbology = m_symbology.get();
    if (!symbology) {
        fallback.reset(CreateBarcodeByCode(kBarcodeCode39));
        symbology = fallback.get();
    }
    w.I16(static_cast<int16_t>(symbology->GetTypeCode()));
    return w.ok() && symbology->Save(file);
}

// ==== Drawing ====================================================================================

void CGraphBarcode::GetSymbolBox(int* along, int* across) const
{
    *along = m_width;
    *across = m_height;
    if (IsTurned())
        std::swap(*along, *across);
}

void CGraphBarcode::SymbolStart(int o, int64_t* x, int64_t* y) const
{
    const int64_t left = m_x, top = m_y, w = m_width, h = m_height;
    switch (m_rotation) {
    case 900: *x = left; *y = top + h - o; break;
    case 1800: *x = left + w - o; *y = top + h; break;
    case 2700: *x = left + w; *y = top + o; break;
    default: *x = left + o; *y = top; break;
    }
}

void CGraphBarcode::FillBox(CDC* pDC) const
{
    // The rectangle's fill, without its outline.
    CBrush brush(m_fillColour);
    CRect box(m_deviceRect.left, m_deviceRect.top, m_deviceRect.right + 1, m_deviceRect.bottom + 1);
    pDC->FillRect(&box, &brush);
}

bool CGraphBarcode::CanEncode(const char* text)
{
    return !m_symbology || !text || !*text || m_symbology->IsEncodable(text);
}

bool CGraphBarcode::FitsBox(const char* text, int fitResolutionX, int fitResolutionY)
{
    // A text the symbology cannot encode gives no symbol: printed, the label would show none, or
    // (as the symbologies once drew it) a symbol of other data under the text.
    return CanEncode(text) && SymbolFitsBox(text, fitResolutionX, fitResolutionY);
}

bool CGraphBarcode::SymbolFitsBox(const char* text, int fitResolutionX, int fitResolutionY)
{
    if (!m_symbology || !text)
        return true;
    if (IsQrCode() && !*text)
        return true;
    if (fitResolutionX < 0 || fitResolutionY < 0)
        return true;
    if (IsTurned())
        std::swap(fitResolutionX, fitResolutionY);
    int along, across;
    GetSymbolBox(&along, &across);
    return along >= m_symbology->MeasureWidth(text, fitResolutionX) &&
           across >= m_symbology->GetSymbolHeight(this, fitResolutionY);
}

bool CGraphBarcode::StopPrinting(const CString& message) const
{
    CWnd* main = AfxGetMainWnd();
    ShowMessageBox(main ? main->GetSafeHwnd() : nullptr, message, kBarcodePrintStopCaption,
                   MB_OK | MB_ICONERROR);
    return false;
}

bool CGraphBarcode::GetOwnerGround(HDC dc, const RECT& area, COLORREF* colour)
{
    if (!colour)
        return false;
    if (!m_transparent) {
        // The box was filled with one solid colour just before the symbol (the fill covers the
        // right and bottom edges too).
        const RECT filled = {m_deviceRect.left, m_deviceRect.top, m_deviceRect.right + 1, m_deviceRect.bottom + 1};
        RECT inside;
        if (!::IntersectRect(&inside, &area, &filled) || !::EqualRect(&inside, &area))
            return false;
        *colour = m_fillColour;
        return true;
    }
    const CPaintedArea* painted = CPaintedArea::For(dc);
    if (!painted || !painted->IsClear(area))
        return false;
    *colour = RGB(255, 255, 255);
    return true;
}

bool CGraphBarcode::Draw(CDC* pDC, int zoom, int originX, int originY, bool designFrame, int row,
                         int flags, int fitResolutionX, int fitResolutionY, CDataTableBase* table,
                         CDataTableMap* columnMap, bool design)
{
    PrepareForDevice(pDC, zoom, originX, originY);
    if (!m_transparent)
        FillBox(pDC);
    if (designFrame)
        DrawDesignFrame(pDC, 0, 0);
    // Without a symbology (after an unknown code in a record) there is nothing to encode with.
    if (!m_content || !m_symbology)
        return true;

    std::vector<char> buffer(kBarcodeTextSize, '\0');
    const bool placeholder = design && m_symbology->AllowsPlaceholderText();
    m_content->FormatText(row, buffer.data(), kBarcodeTextSize, 0, table, columnMap, placeholder);
    const char* text = buffer.data();

    int along, across;
    GetSymbolBox(&along, &across);
    const int resolution = IsTurned() ? m_dpiY : m_dpiX;
    int o = 0;
    if (m_alignment == kAlignCentre)
        o = (along - m_symbology->MeasureWidth(text, resolution)) / 2;
    else if (m_alignment == kAlignRight)
        o = along - m_symbology->MeasureWidth(text, resolution);
    int64_t startX, startY;
    SymbolStart(o, &startX, &startY);

    const bool qr = IsQrCode();
    // The design view shows where an empty QR Code would stand.
    const char* drawn = (flags & 1) && qr && !*text ? " " : text;
    m_placeholder = placeholder && !m_content->IsFixedText();
    m_symbology->ReleaseBrush();
    m_symbology->GetBarBrush().CreateSolidBrush(m_textColour);
    m_symbology->Draw(this, pDC, m_dpiX, m_dpiY, originX + BarcodeUmToPx(startX, m_dpiX),
                      originY + BarcodeUmToPx(startY, m_dpiY), row, drawn);
    m_symbology->ReleaseBrush();

    // A placeholder stands for data to come: only its size is checked.
    const bool encodable = m_placeholder || CanEncode(text);
    m_placeholder = false;
    const bool fits = encodable && SymbolFitsBox(text, fitResolutionX, fitResolutionY);
    if ((flags & 3) && !fits)
        DrawOverflowMark(m_rotation, m_deviceRect, pDC);
    if (!(flags & 4) || fits)
        return true;
    // The print engine's row is the label's number (1-based).
    if (qr)
        return StopPrinting(FormatQrClipMessage(row, text));
    if (!encodable)
        return StopPrinting(FormatUnencodableMessage(m_symbology->GetNameString(), row, text));
    return true;   // a linear symbol wider than its box is marked on the screen, never refused
}

void CGraphBarcode::DrawCaption(CDC* pDC, int topMargin, int xMargin, bool markShrunk, const char* text)
{
    const int mode = ::GetBkMode(pDC->GetSafeHdc());
    CGraphText::DrawTextInBox(pDC, topMargin, xMargin, markShrunk, text, 0);
    pDC->SetBkMode(mode);
}
