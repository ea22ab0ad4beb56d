#include "barcode/qrcode.h"

#include "barcode/barcoderes.h"
#include "barcode/barfill.h"
#include "barcode/symbolimage.h"
#include "framework/recordio.h"
#include <algorithm>
#include <cstring>

int CBarcodeQRCode::s_liveCount = 0;

namespace {

constexpr int64_t kMaxSymbolPixels = int64_t(1) << 26;
const char kClipMessageStart[] = "Streckkod klippt p\xE5 etikett nummer %d med text \"";

}   // namespace

CString FormatQrClipMessage(int labelNumber, const char* text)
{
    CString start;
    start.Format(kClipMessageStart, labelNumber);
    return CloseQuotedMessage(start, text);
}

CBarcodeQRCode::CBarcodeQRCode() : CBarcodeModular(150)
{
    ++s_liveCount;
}

CBarcodeQRCode::CBarcodeQRCode(const CBarcodeQRCode& other)
    : CBarcodeModular(other),
      m_version(other.m_version),
      m_level(other.m_level),
      m_mode(other.m_mode),
      m_caseSensitive(other.m_caseSensitive),
      m_margin(other.m_margin),
      m_reserved(other.m_reserved),
      m_lastVersion(other.m_lastVersion),
      m_centred(other.m_centred)
{
    ++s_liveCount;
}

CBarcodeQRCode::~CBarcodeQRCode()
{
    FreeSymbol();
    if (--s_liveCount == 0) {
        // Only the frame cache of the library is left to free; 4.x keeps its Reed-Solomon
        // tables to itself.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        QRcode_clearCache();
#pragma GCC diagnostic pop
    }
}

void CBarcodeQRCode::FreeSymbol()
{
    if (m_symbol) {
        QRcode_free(m_symbol);
        m_symbol = nullptr;
    }
}

const QRcode* CBarcodeQRCode::Encode(const char* text)
{
    if (!text)
        return nullptr;
    if (m_symbol && m_cachedVersion == m_version && m_cachedLevel == m_level &&
        m_cachedMode == m_mode && m_cachedText == text)
        return m_symbol;
    FreeSymbol();
    m_cachedText = text;
    m_cachedVersion = m_version;
    m_cachedLevel = m_level;
    m_cachedMode = m_mode;
    bool valid = m_cachedText.GetLength() <= kMaxBarcodeText && m_level >= QR_ECLEVEL_L &&
                 m_level <= QR_ECLEVEL_H && (m_mode == kMode8Bit || m_mode == kModeKanji) &&
                 m_version >= 0 && m_version <= QRSPEC_VERSION_MAX;
    if (valid) {
        ++m_encodeCount;
        m_symbol = QRcode_encodeString(text, m_version, static_cast<QRecLevel>(m_level),
                                       static_cast<QRencodeMode>(m_mode), m_caseSensitive);
    }
    // Measuring and drawing follow the symbol the library made, else the configured version.
    m_lastVersion = m_symbol ? m_symbol->version : m_version;
    return m_symbol;
}

bool CBarcodeQRCode::IsEncodable(const char* text)
{
    // An empty text makes no symbol and asks for none.
    return text && (!*text || Encode(text) != nullptr);
}

int CBarcodeQRCode::Draw(CBarcodeOwner* owner, CDC* dc, int dpiX, int dpiY, int X, int Y, int,
                         const char* text)
{
    if (!owner || !dc || !text || !*text)
        return 0;
    const QRcode* symbol = Encode(text);
    if (!symbol)
        return 0;
    m_lastVersion = symbol->version;
    const int m = BarcodeUmToPx(m_moduleWidth, dpiX);
    const int width = symbol->width;
    const int64_t size = int64_t(m) * SizeModules(symbol->version);
    if (m <= 0 || size > kMaxSymbolPixels || m_margin < 0)
        return 0;
    const int rotation = owner->GetOwnerRotation();
    if (rotation != 0 && rotation != 900 && rotation != 1800 && rotation != 2700)
        return 0;

    int vertical = 0, horizontal = 0;
    if (m_centred) {
        CSize box = owner->GetOwnerSize();
        vertical = BarcodeUmToPx((int64_t(box.cy) - GetSymbolHeight(owner, dpiX)) / 2, dpiY);
        horizontal = BarcodeUmToPx((int64_t(box.cx) - GetSymbolHeight(owner, dpiY)) / 2, dpiX);
    }
    const CRect clip = owner->GetOwnerDeviceRect();
    CBrush brush(owner->GetOwnerTextColour());
    const int M = m_margin;

    // The square of module (r, c), turned with the owner.
    auto square = [&](int r, int c) {
        switch (rotation) {
        case 0: {
            int left = X + m * (c + M), top = Y + m * (r + M) + vertical;
            return CRect(left, top, left + m, top + m);
        }
        case 900: {
            int left = X + m * (r + M) + horizontal, bottom = Y - m * (c + M);
            return CRect(left, bottom - m, left + m, bottom);
        }
        case 1800: {
            int right = X - m * (c + M), bottom = Y - m * (r + M) - vertical;
            return CRect(right - m, bottom - m, right, bottom);
        }
        default: {
            int right = X - m * (r + M) - horizontal, top = Y + m * (c + M);
            return CRect(right - m, top, right, top + m);
        }
        }
    };
    // On a printer, a symbol that lies wholly in its box over one known colour goes as one
    // two-colour image: a few hundred bytes in place of a path per run of modules.
    const HDC hdc = dc->GetSafeHdc();
    if (CBarFill::ArePrinterImagesAllowed() && IsPrinterDC(hdc)) {
        RECT area, inside;
        const CRect first = square(0, 0), last = square(width - 1, width - 1);
        ::UnionRect(&area, &first, &last);
        COLORREF ground = 0;
        auto dark = [symbol, width](int r, int c) { return (symbol->data[static_cast<size_t>(r) * width + c] & 1) != 0; };
        if (::IntersectRect(&inside, &area, &clip) && ::EqualRect(&inside, &area) &&
            owner->GetOwnerGround(hdc, area, &ground) &&
            DrawSymbolImage(hdc, width, width, dark, square, owner->GetOwnerTextColour(), ground))
            return static_cast<int>(size);
    }
    // Runs of dark modules along a row make one rectangle each, and all of them one region:
    // the region joins equal runs of neighbouring rows, and the symbol goes to the device in one
    // fill (a few for the largest versions) in place of a call per module.
    CBarFill fill(hdc, static_cast<HBRUSH>(brush.GetSafeHandle()));
    for (int r = 0; r < width; ++r) {
        const unsigned char* row = symbol->data + static_cast<size_t>(r) * width;
        for (int c = 0; c < width;) {
            if (!(row[c] & 1)) {
                ++c;
                continue;
            }
            int end = c;
            while (end < width && (row[end] & 1))
                ++end;
            CRect first = square(r, c), last = square(r, end - 1), run, visible;
            ::UnionRect(&run, &first, &last);
            if (::IntersectRect(&visible, &run, &clip))
                fill.Add(visible);
            c = end;
        }
    }
    fill.Flush();
    return static_cast<int>(size);
}

int CBarcodeQRCode::MeasureWidth(const char* text, int dpi)
{
    if (dpi <= 0 || !text || strlen(text) > static_cast<size_t>(kMaxBarcodeText))
        return 0;
    int version = m_version;
    if (*text) {
        const QRcode* symbol = Encode(text);
        if (symbol)
            version = symbol->version;
    }
    int64_t m = BarcodeUmToPx(m_moduleWidth, dpi);
    return ClampToInt(m * SizeModules(version) * 25400 / dpi);
}

int CBarcodeQRCode::GetSymbolHeight(CBarcodeOwner*, int dpi)
{
    if (dpi <= 0)
        return 0;
    int64_t m = BarcodeUmToPx(m_moduleWidth, dpi);
    return ClampToInt(SizeModules(m_lastVersion) * (m * 25400 / dpi));
}

bool CBarcodeQRCode::QueryCentred(int* out) const
{
    if (out)
        *out = m_centred ? 1 : 0;
    return true;
}

char CBarcodeQRCode::GetErrorCorrectionLevel() const
{
    static const char kLevels[] = "LMQH";
    return m_level >= 0 && m_level <= 3 ? kLevels[m_level] : 0;
}

void CBarcodeQRCode::SetErrorCorrectionLevel(char level)
{
    const char* p = level ? strchr("LMQH", level) : nullptr;
    if (p)
        m_level = static_cast<int32_t>(p - "LMQH");
}

bool CBarcodeQRCode::GetEncodingModeName(char* buffer, int size) const
{
    CString name;
    if (m_mode == kMode8Bit)
        name = LoadStringOr(IDS_QR_MODE_8BIT, "8-bit data");
    else if (m_mode == kModeKanji)
        name = LoadStringOr(IDS_QR_MODE_KANJI, "Kanji");
    return CopyTextBounded(buffer, size, name);
}

void CBarcodeQRCode::SetEncodingModeByName(const char* name)
{
    if (!name)
        return;
    if (LoadStringOr(IDS_QR_MODE_8BIT, "8-bit data").CompareNoCase(name) == 0)
        m_mode = kMode8Bit;
    else if (LoadStringOr(IDS_QR_MODE_KANJI, "Kanji").CompareNoCase(name) == 0)
        m_mode = kModeKanji;
}

bool CBarcodeQRCode::GetName(char* buffer, int size) const
{
    return CopyTextBounded(buffer, size, "QR Code\xAE");
}

bool CBarcodeQRCode::Load(CFile* file)
{
    RecordReader r(file);
    CommonRecord common;
    ReadCommon(r, common);
    int32_t unused = 0, version = 0, level = 0, mode = 0, caseSensitive = 0, margin = 0,
            reserved = 0;
    bool centred = false;
    r.I32(unused);
    r.I32(version);
    r.I32(level);
    r.I32(mode);
    r.I32(caseSensitive);
    r.I32(margin);
    r.I32(reserved);
    r.Bool(centred);
    if (!r.ok())
        return false;
    ApplyCommon(common);
    // The library takes versions 1-40 only; a margin past 1000 modules is no longer a symbol.
    m_version = std::min(std::max(version, 1), 40);
    m_level = level;
    m_mode = mode;
    m_caseSensitive = caseSensitive;
    m_margin = std::min(std::max(margin, 0), 1000);
    m_reserved = reserved;
    m_centred = centred;
    FreeSymbol();
    return true;
}

bool CBarcodeQRCode::Save(CFile* file) const
{
    RecordWriter w(file);
    WriteCommon(w);
    w.I32(0);
    w.I32(m_version);
    w.I32(m_level);
    w.I32(m_mode);
    w.I32(m_caseSensitive);
    w.I32(m_margin);
    w.I32(m_reserved);
    w.Bool(m_centred);
    return w.ok();
}
