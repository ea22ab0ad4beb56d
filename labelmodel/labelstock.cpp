// The older stock generations: sheet geometry (CLabel), label shape (CLabelExt) and paper
// (CLabelExtExt), with their records and the fitting of columns and rows to the paper.
#include "labelmodel/labelstock.h"
#include "labelmodel/labelpaper.h"
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

// ---------------------------------------------------------------------------------------------
// Operating-system version
// ---------------------------------------------------------------------------------------------

namespace {

OsVersion SystemOsVersion() {
    OsVersion version;
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const BOOL known = GetVersionExA(&info);
#pragma GCC diagnostic pop
    if (known) {
        version.major = static_cast<int>(info.dwMajorVersion);
        version.minor = static_cast<int>(info.dwMinorVersion);
        version.platformId = static_cast<int>(info.dwPlatformId);
    }
    return version;
}

OsVersionSource s_versionSource = nullptr;

int16_t ClampToI16(int value) {
    if (value > 32767)
        return 32767;
    if (value < -32768)
        return -32768;
    return static_cast<int16_t>(value);
}

char s_familyBuffer[256];

}  // namespace

OsVersion CurrentOsVersion() {
    return s_versionSource ? s_versionSource() : SystemOsVersion();
}

OsVersionSource SetOsVersionSource(OsVersionSource source) {
    OsVersionSource previous = s_versionSource;
    s_versionSource = source;
    return previous;
}

bool DevModeFitsSystem(const OsVersion& stored, const OsVersion& current) {
    if (stored.platformId != current.platformId)
        return false;
    if (stored.major == current.major)
        return true;
    // Printer drivers of 2000/XP (5) and Vista/7 (6) share their DEVMODE layouts.
    return (stored.major == 5 && current.major == 6) || (stored.major == 6 && current.major == 5);
}

// ---------------------------------------------------------------------------------------------
// CLabel
// ---------------------------------------------------------------------------------------------

CLabel::CLabel() = default;
CLabel::~CLabel() = default;
CLabel::CLabel(const CLabel& other) : CObject(), m_body(other.m_body), m_modified(other.m_modified) {}

CLabel& CLabel::operator=(const CLabel& other) {
    m_body = other.m_body;
    m_modified = other.m_modified;
    return *this;
}

CLabel* CLabel::CreateFromTypeCode(int typeCode) {
    switch (typeCode) {
    case kTypeLabelFileNew: return new CLabelFileNew;
    case kTypeLabelExtExt: return new CLabelExtExt;
    case kTypeLabelExt: return new CLabelExt;
    case kTypeLabel: return new CLabel;
    default: return nullptr;
    }
}

CLabel* CLabel::Clone() const { return new CLabel(*this); }

void CLabel::TakeFrom(CLabel& loaded) { *this = loaded; }

int CLabel::GetHeight(int part) const { return part == 0 ? m_body.height : 0; }
int CLabel::GetWidth(int part) const { return part == 0 ? m_body.width : 0; }

void CLabel::SetHeight(int part, int value) {
    if (part == 0)
        StoreHeight(value);
}

void CLabel::SetWidth(int part, int value, bool) {
    if (part == 0)
        StoreWidth(value);
}

bool CLabel::StoreWidth(int value) {
    if (value < 0)
        return false;
    m_body.width = value;
    if (m_body.width > 0 && m_body.height > 0)
        m_body.sizeSet = 1;
    // A stock without a pitch gets one from its first size; an existing pitch is the user's.
    if (m_body.pitchH == 0) {
        m_body.pitchH = value;
        FitColumnsToPaper();
    }
    return true;
}

bool CLabel::StoreHeight(int value) {
    if (value < 1)
        return false;
    m_body.height = value;
    if (m_body.width > 0 && m_body.height > 0)
        m_body.sizeSet = 1;
    if (m_body.pitchV == 0) {
        m_body.pitchV = value;
        FitRowsToPaper();
    }
    return true;
}

bool CLabel::HasNoGaps() const { return HasNoHorizontalGap() && HasNoVerticalGap(); }

int CLabel::GetLeft(int part) const { return part == 0 ? m_body.marginLeft : 0; }
int CLabel::GetTop(int part) const { return part == 0 ? m_body.marginTop : 0; }

void CLabel::SetLeft(int part, int value) {
    if (part == 0)
        m_body.marginLeft = value;
}

void CLabel::SetTop(int part, int value) {
    if (part == 0)
        m_body.marginTop = value;
}

bool CLabel::GetPaperName(char*, int) const { return false; }
bool CLabel::SetPaperByName(const char*) { return false; }
int CLabel::GetShape(int) const { return 0; }
void CLabel::SetShape(int, int) {}
bool CLabel::SaveToFile(const char*) { return false; }

const char* CLabel::GetFamilyName() const {
    // A stored length beyond the field reads only the field.
    size_t length = m_body.familyLen;
    if (length > sizeof(m_body.familyName))
        length = sizeof(m_body.familyName);
    memcpy(s_familyBuffer, m_body.familyName, length);
    s_familyBuffer[length] = '\0';
    return s_familyBuffer;
}

void CLabel::SetFamilyName(const char* text) {
    size_t length = text ? strlen(text) : 0;
    if (length > 32)
        length = 32;
    memset(m_body.familyName, 0, sizeof(m_body.familyName));
    if (length)
        memcpy(m_body.familyName, text, length);
    m_body.familyLen = static_cast<uint8_t>(length);
    m_modified = 1;
}

bool CLabel::GetPrinterStrings(CString&, CString&, CString&) const { return false; }

POINT CLabel::GetCellOrigin(int block, int row, int column) const {
    POINT origin;
    origin.x = m_body.marginLeft + column * m_body.pitchH;
    origin.y = m_body.marginTop + row * m_body.pitchV +
               block * (m_body.rows * m_body.pitchV + m_body.blockGap + m_body.marginTop);
    return origin;
}

bool CLabel::Load(CFile* file, bool withPath, bool interactive) {
    // Read into a copy and take it over only when the whole record arrived, so that a damaged
    // record never leaves a half-read stock behind.
    std::unique_ptr<CLabel> loaded(Clone());
    RecordReader in(file);
    loaded->ReadBody(in, withPath, interactive);
    if (!in.ok())
        return false;
    TakeFrom(*loaded);
    return true;
}

bool CLabel::Save(CFile* file, bool withPath) {
    RecordWriter out(file);
    WriteBody(out, withPath);
    return out.ok();
}

bool CLabel::SaveWithType(CFile* file) {
    RecordWriter out(file);
    if (!out.I16(static_cast<int16_t>(GetTypeCode())))
        return false;
    return Save(file, true);
}

void CLabel::ReadBody(RecordReader& in, bool, bool) {
    in.U8(m_body.sizeSet);
    in.U8(m_body.familyLen);
    in.Raw(m_body.familyName, sizeof(m_body.familyName));
    in.I32(m_body.width);
    in.I32(m_body.height);
    in.I32(m_body.pitchV);
    in.I32(m_body.pitchH);
    in.I32(m_body.columns);
    in.I32(m_body.rows);
    in.I32(m_body.marginLeft);
    in.I32(m_body.marginTop);
    in.I32(m_body.blockGap);
    in.U8(m_body.paperFormat);
    in.I16(m_body.verticalBlocks);
}

void CLabel::WriteBody(RecordWriter& out, bool) const {
    out.U8(m_body.sizeSet);
    out.U8(m_body.familyLen);
    out.Raw(m_body.familyName, sizeof(m_body.familyName));
    out.I32(m_body.width);
    out.I32(m_body.height);
    out.I32(m_body.pitchV);
    out.I32(m_body.pitchH);
    out.I32(m_body.columns);
    out.I32(m_body.rows);
    out.I32(m_body.marginLeft);
    out.I32(m_body.marginTop);
    out.I32(m_body.blockGap);
    out.U8(m_body.paperFormat);
    out.I16(m_body.verticalBlocks);
}

// ---------------------------------------------------------------------------------------------
// CLabelExt
// ---------------------------------------------------------------------------------------------

CLabel* CLabelExt::Clone() const { return new CLabelExt(*this); }

void CLabelExt::TakeFrom(CLabel& loaded) { *this = static_cast<CLabelExt&>(loaded); }

bool CLabelExt::HasNoGaps() const { return CLabel::HasNoGaps() && m_shape == 0; }

int CLabelExt::GetShape(int part) const { return part == 0 ? m_shape : 0; }

void CLabelExt::SetShape(int part, int value) {
    if (part != 0)
        return;
    m_shape = ClampToI16(value);
    m_modified = 1;
}

void CLabelExt::SetCornerRadius(int value) {
    if (value < 0)
        return;
    m_cornerRadius = value;
    m_modified = 1;
}

void CLabelExt::ReadBody(RecordReader& in, bool withPath, bool interactive) {
    CLabel::ReadBody(in, withPath, interactive);
    in.I16(m_shape);
    in.I32(m_cornerRadius);
}

void CLabelExt::WriteBody(RecordWriter& out, bool withPath) const {
    CLabel::WriteBody(out, withPath);
    out.I16(m_shape);
    out.I32(m_cornerRadius);
}

// ---------------------------------------------------------------------------------------------
// CLabelExtExt
// ---------------------------------------------------------------------------------------------

CLabel* CLabelExtExt::Clone() const { return new CLabelExtExt(*this); }

void CLabelExtExt::TakeFrom(CLabel& loaded) { *this = static_cast<CLabelExtExt&>(loaded); }

void CLabelExtExt::SetPaperHeightTenths(int value, bool mark) {
    int16_t stored = ClampToI16(value);
    if (mark && stored != m_paperHeightTenths)
        m_modified = 1;
    m_paperHeightTenths = stored;
}

void CLabelExtExt::SetPaperWidthTenths(int value, bool mark) {
    int16_t stored = ClampToI16(value);
    if (mark && stored != m_paperWidthTenths)
        m_modified = 1;
    m_paperWidthTenths = stored;
}

void CLabelExtExt::SetOrientation(int value) {
    if (value != m_orientation) {
        std::swap(m_body.width, m_body.height);
        std::swap(m_body.pitchV, m_body.pitchH);
        std::swap(m_body.columns, m_body.rows);
        std::swap(m_body.marginLeft, m_body.marginTop);
        m_modified = 1;
    }
    m_orientation = ClampToI16(value);
}

int CLabelExtExt::GetPaperWidth() const {
    if (m_paperCode >= 1 && m_paperCode <= 255) {
        int width, height;
        GetPaperSizeForCode(m_paperCode, width, height);
        return width;
    }
    return m_paperWidthTenths * 100;
}

int CLabelExtExt::GetPaperHeight() const {
    if (m_paperCode >= 1 && m_paperCode <= 255) {
        int width, height;
        GetPaperSizeForCode(m_paperCode, width, height);
        return height;
    }
    return m_paperHeightTenths * 100;
}

void CLabelExtExt::GetFitPaper(int& width, int& height) const {
    if (m_paperCode != 0 && m_paperCode != kUserPaperCode) {
        GetPaperSizeForCode(m_paperCode, width, height);
    } else {
        width = m_paperWidthTenths * 100;
        height = m_paperHeightTenths * 100;
    }
}

// Columns are fitted by the label width (not the pitch) and centred on the paper.
void CLabelExtExt::FitColumnsToPaper() {
    int paperW, paperH;
    GetFitPaper(paperW, paperH);
    const int w = m_body.width;
    if (w == 0)
        return;
    int across;
    if (m_orientation == 1)
        across = paperW;
    else if (m_orientation == 2)
        across = paperH;
    else
        return;
    m_body.columns = across / w;
    m_body.marginLeft = (across - w * m_body.columns) / 2;
}

void CLabelExtExt::FitRowsToPaper() {
    int paperW, paperH;
    GetFitPaper(paperW, paperH);
    const int h = m_body.height;
    if (h == 0)
        return;
    int down;
    if (m_orientation == 1)
        down = paperH;
    else if (m_orientation == 2)
        down = paperW;
    else
        return;
    m_body.rows = down / h;
    m_body.marginTop = (down % h) / 2;
}

bool CLabelExtExt::GetPaperName(char* buffer, int size) const {
    if (!buffer || size <= 0)
        return false;
    if (m_paperCode >= 1 && m_paperCode < kNamedPaperCodes)
        snprintf(buffer, size, "%s", GetPaperTableName(m_paperCode));
    else if (m_paperCode == kUserPaperCode)
        snprintf(buffer, size, "%s", "User defined");
    else
        snprintf(buffer, size, "%d", m_paperCode);
    return true;
}

bool CLabelExtExt::SetPaperByName(const char* text) {
    if (!text)
        return false;
    if (_stricmp(text, "User defined") == 0) {
        m_paperCode = kUserPaperCode;
        if (m_paperWidthTenths == 0)
            m_paperWidthTenths = 2100;
        if (m_paperHeightTenths == 0)
            m_paperHeightTenths = 2970;
        m_modified = 1;
        return true;
    }
    for (int code = 0; code < kNamedPaperCodes; ++code) {
        if (_stricmp(text, GetPaperTableName(code)) == 0) {
            m_paperCode = static_cast<int16_t>(code);
            m_modified = 1;
            return true;
        }
    }
    int number = 0;
    if (sscanf(text, "%d", &number) == 1) {
        m_paperCode = static_cast<int16_t>(number);
        m_modified = 1;
        return true;
    }
    return false;
}

bool CLabelExtExt::SetPaperCode(int code) {
    m_paperCode = static_cast<int16_t>(code);
    return true;
}

void CLabelExtExt::ReadBody(RecordReader& in, bool withPath, bool interactive) {
    CLabelExt::ReadBody(in, withPath, interactive);
    in.I16(m_orientation);
    in.I16(m_paperCode);
    in.I16(m_paperHeightTenths);
    in.I16(m_paperWidthTenths);
    if (m_paperWidthTenths < 0)
        m_paperWidthTenths = 2100;
}

void CLabelExtExt::WriteBody(RecordWriter& out, bool withPath) const {
    CLabelExt::WriteBody(out, withPath);
    out.I16(m_orientation);
    out.I16(m_paperCode);
    out.I16(m_paperHeightTenths);
    out.I16(m_paperWidthTenths);
}

// ---------------------------------------------------------------------------------------------
// CLabelFile
// ---------------------------------------------------------------------------------------------

void CLabelFile::SetPath(const char* path) {
    m_path = CString(path).Left(kStockPathField - 1);
}
