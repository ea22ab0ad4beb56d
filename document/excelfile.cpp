#include "document/excelfile.h"

#include "document/datatable.h"

#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

namespace {

const CString& EmptyText()
{
    static const CString empty;
    return empty;
}

const CString& BuiltInTwoDecimals()
{
    static const CString format("0.00");
    return format;
}

} // namespace

CString WideToAnsi(const std::wstring& text)
{
    if (text.empty())
        return CString();
    const int length = static_cast<int>(text.size());
    int needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, nullptr, 0,
                                     nullptr, nullptr);
    if (needed <= 0)
        return CString();
    CString result;
    char* buffer = result.GetBuffer(needed);
    needed = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), length, buffer, needed,
                                 nullptr, nullptr);
    result.ReleaseBuffer(needed > 0 ? needed : 0);
    return result;
}

CExcelFile::CExcelFile(std::vector<uint8_t> stream, size_t start)
    : m_stream(std::move(stream)),
      m_start(start < m_stream.size() ? start : m_stream.size()),
      m_position(m_start)
{
    uint16_t type = 0;
    if (!NextRecord() || (m_id & 0xFF) != 0x09)
        Fail();
    else if (U16(2, type) && type == 0x0100)
        m_inWorkbookGlobals = true;          // an Excel 4.0 workbook: its sheets follow
}

CExcelFile::~CExcelFile() = default;

// ---------------------------------------------------------------------------------------------
// Records

bool CExcelFile::IsBOF(uint16_t id)
{
    return id == 0x0009 || id == 0x0209 || id == 0x0409 || id == 0x0809;
}

bool CExcelFile::SkipToEOF()
{
    // A chart inside the substream brings a BOF..EOF of its own: its EOF does not end ours.
    int depth = 0;
    while (NextRecord()) {
        if (IsBOF(m_id)) {
            ++depth;
        } else if (m_id == 0x000A) {
            if (depth == 0)
                return true;
            --depth;
        }
    }
    return false;
}

CString CExcelFile::Bytes(int offset, int length) const
{
    if (offset < 0 || offset >= m_length || length <= 0)
        return CString();
    if (length > m_length - offset)
        length = m_length - offset;
    return CString(reinterpret_cast<const char*>(m_body + offset), length);
}

CString CExcelFile::CellText(int offset, int length) const
{
    const CString raw = Bytes(offset, length);
    // Under code page 1200 Gnumeric still writes texts that need no more as 8-bit characters;
    // those never hold a zero byte, UTF-16 Latin text always does.
    if (!m_utf16Texts || raw.GetLength() % 2 != 0 ||
        std::memchr(raw.GetString(), 0, static_cast<size_t>(raw.GetLength())) == nullptr)
        return raw;
    std::wstring wide;
    for (int i = 0; i + 1 < raw.GetLength(); i += 2)
        wide.push_back(static_cast<wchar_t>(static_cast<uint8_t>(raw[i]) |
                                            (static_cast<uint8_t>(raw[i + 1]) << 8)));
    return WideToAnsi(wide);
}

void CExcelFile::OnCodePage()
{
    uint16_t codePage = 0;
    if (U16(0, codePage))
        m_utf16Texts = codePage == 1200;
}

// ---------------------------------------------------------------------------------------------
// Formats

const CString& CExcelFile::LookupFormat(int formatIndex) const
{
    if (formatIndex >= 0 && formatIndex < static_cast<int>(m_formats.size()) &&
        m_formatKnown[formatIndex])
        return m_formats[formatIndex];
    return formatIndex == 2 ? BuiltInTwoDecimals() : EmptyText();
}

void CExcelFile::AddFormat(int index, const CString& text)
{
    if (index < 0)
        index = m_nextFormat++;
    if (index > 0xFFFF)
        return;
    if (index >= static_cast<int>(m_formats.size())) {
        m_formats.resize(index + 1);
        m_formatKnown.resize(index + 1, false);
    }
    m_formats[index] = text;
    m_formatKnown[index] = true;
}

void CExcelFile::AddXF(int formatIndex)
{
    if (m_xfFormats.size() < 0x10000)
        m_xfFormats.push_back(static_cast<uint16_t>(formatIndex));
}

void CExcelFile::ResetFormats()
{
    m_xfFormats.clear();
    m_formats.clear();
    m_formatKnown.clear();
    m_nextFormat = 0;
}

int CExcelFile::GetFormatOfXF(int xf) const
{
    // An XF index the file never defined reads as the general format.
    if (xf < 0 || xf >= static_cast<int>(m_xfFormats.size()))
        return 0;
    return m_xfFormats[xf];
}

// ---------------------------------------------------------------------------------------------
// Cells

void CExcelFile::StoreText(CDataTableBase& table, int row, int column, const char* text)
{
    StoreText(table, row, column, text, static_cast<int>(std::strlen(text)));
}

void CExcelFile::StoreText(CDataTableBase& table, int row, int column, const CString& text)
{
    StoreText(table, row, column, text.GetString(), text.GetLength());
}

void CExcelFile::StoreText(CDataTableBase& table, int row, int column, const char* text,
                           int length)
{
    m_lastRow = row;
    m_lastColumn = column;
    table.SetCellText(row, column, text, length);
}

void CExcelFile::StoreNumber(CDataTableBase& table, int row, int column, double value,
                             int formatIndex, ExcelNumberKind kind)
{
    char text[kExcelNumberBufferSize];
    const int length = m_numbers.Format(value, LookupFormat(formatIndex), kind, text);
    StoreText(table, row, column, text, length);
}

void CExcelFile::StoreRk(CDataTableBase& table, int row, int column, int xf, uint32_t rk)
{
    StoreNumber(table, row, column, DecodeRk(rk), GetFormatOfXF(xf), ExcelNumberKind::kRk);
}

void CExcelFile::KeepFormulaCell(int row, int column)
{
    m_lastRow = row;
    m_lastColumn = column;
    m_formulaPending = true;
}

bool CExcelFile::TakeFormulaCell(int& row, int& column)
{
    if (!m_formulaPending)
        return false;
    m_formulaPending = false;
    row = m_lastRow;
    column = m_lastColumn;
    return true;
}

void CExcelFile::AddSheet(const CString& name, uint32_t offset)
{
    if (GetSheetCount() >= kMaxSheets)
        return;
    m_sheetNames.push_back(name);
    m_sheetOffsets.push_back(offset);
}

CString CExcelFile::GetSheetName(int index) const
{
    if (index < 0 || index >= GetSheetCount())
        return CString();
    return m_sheetNames[index];
}

// ---------------------------------------------------------------------------------------------
// The Excel 2.1 worksheet

bool CExcelFile::ReadGlobals()
{
    return !m_failed;
}

const char* CExcelFile::GetTypeName() const
{
    return "Excel 2.1 worksheet";
}

bool CExcelFile::SeekToSheet(int)
{
    return !m_failed;
}

void CExcelFile::OnBOF()
{
    if (m_inWorkbookGlobals) {
        // An Excel 4.0 workbook read as one worksheet: the first sheet starts here.
        m_inWorkbookGlobals = false;
        return;
    }
    // The sheet's own BOF is behind us: this one starts a chart embedded in the sheet. Its
    // records are no cells of ours; the sheet's cells go on after its EOF.
    if (!SkipToEOF())
        Fail();
}
void CExcelFile::OnBoundSheet() {}
void CExcelFile::OnDimensions()
{
    // Excel 97 counts rows in 32 bits, the earlier versions in 16; both give last + 1.
    uint32_t rows = 0;
    uint16_t shortRows = 0, columns = 0;
    if (m_length >= 14 ? U32(4, rows) && U16(10, columns)
                       : U16(2, shortRows) && U16(6, columns)) {
        m_dimensionRows = m_length >= 14 ? rows : shortRows;
        m_dimensionColumns = columns;
    }
}

void CExcelFile::ReserveForDimensions(CDataTableBase& table) const
{
    // Only a capacity: a sheet's cells decide what the table holds. No sheet has more rows.
    const uint32_t kMostRows = 65536;
    table.ReserveRows(static_cast<int>(m_dimensionRows < kMostRows ? m_dimensionRows : kMostRows),
                      m_dimensionColumns);
}

void CExcelFile::OnFormat()
{
    uint8_t length = 0;
    if (U8(0, length))
        AddFormat(-1, Bytes(1, length));
}

void CExcelFile::OnXF()
{
    uint8_t format = 0;
    if (U8(2, format))
        AddXF(format & 0x3F);
}

// A BIFF2 cell names its XF in attribute byte 0 and its number format in attribute byte 1; the
// XF's format decides when the file has XF records.
int CExcelFile::Biff2Format(uint8_t xf, uint8_t format) const
{
    return m_xfFormats.empty() ? (format & 0x3F) : GetFormatOfXF(xf & 0x3F);
}

void CExcelFile::OnInteger(CDataTableBase& table)
{
    uint16_t row, column, value;
    uint8_t xf, format;
    if (!U16(0, row) || !U16(2, column) || !U8(4, xf) || !U8(5, format) || !U16(7, value))
        return;
    StoreNumber(table, row, column, value, Biff2Format(xf, format), ExcelNumberKind::kNumber);
}

void CExcelFile::OnNumber(CDataTableBase& table)
{
    uint16_t row, column;
    uint8_t xf, format;
    double value;
    if (!U16(0, row) || !U16(2, column) || !U8(4, xf) || !U8(5, format) || !F64(7, value))
        return;
    StoreNumber(table, row, column, value, Biff2Format(xf, format), ExcelNumberKind::kNumber);
}

void CExcelFile::OnFormula(CDataTableBase& table)
{
    uint16_t row, column, marker;
    if (!U16(0, row) || !U16(2, column) || !U16(13, marker))
        return;
    if (marker == 0xFFFF) {
        KeepFormulaCell(row, column);        // a text, boolean or error result
        return;
    }
    OnNumber(table);
}

void CExcelFile::OnLabel(CDataTableBase& table)
{
    uint16_t row, column;
    uint8_t length;
    if (!U16(0, row) || !U16(2, column) || !U8(7, length))
        return;
    StoreText(table, row, column, CellText(8, length));
}

void CExcelFile::OnRK(CDataTableBase& table)
{
    uint16_t row, column, xf;
    uint32_t rk;
    if (!U16(0, row) || !U16(2, column) || !U16(4, xf) || !U32(6, rk))
        return;
    StoreRk(table, row, column, xf, rk);
}

void CExcelFile::OnMulRK(CDataTableBase& table)
{
    uint16_t row, first;
    if (!U16(0, row) || !U16(2, first) || m_length < 6)
        return;
    const int count = (m_length - 6) / 6;
    for (int i = 0; i < count; ++i) {
        uint16_t xf;
        uint32_t rk;
        if (!U16(4 + 6 * i, xf) || !U32(6 + 6 * i, rk))
            return;
        StoreRk(table, row, first + i, xf, rk);
    }
}

void CExcelFile::Dispatch(CDataTableBase& table, bool& more)
{
    switch (m_id) {
    case 0x0000: case 0x0200:
        OnDimensions();
        ReserveForDimensions(table);
        break;
    case 0x0002:
        OnInteger(table);
        break;
    case 0x0003: case 0x0203:
        OnNumber(table);
        break;
    case 0x0004: case 0x0204:
        OnLabel(table);
        break;
    case 0x0006: case 0x0206: case 0x0406:
        OnFormula(table);
        break;
    case 0x0009: case 0x0209: case 0x0409: case 0x0809:
        OnBOF();
        break;
    case 0x000A:
        more = false;
        break;
    case 0x001E: case 0x041E:
        OnFormat();
        break;
    case 0x0043: case 0x0243: case 0x0443:
        OnXF();
        break;
    case 0x007E: case 0x027E:
        OnRK(table);
        break;
    case 0x00BD:
        OnMulRK(table);
        break;
    case 0x0042:
        OnCodePage();
        break;
    case 0x002F:                             // FILEPASS: the cells are encrypted
        Fail();
        more = false;
        break;
    default:
        if (!OnOtherRecord(table))
            more = false;
        break;
    }
}

bool CExcelFile::OnOtherRecord(CDataTableBase&)
{
    return true;                             // column widths and the like: not used
}

bool CExcelFile::ReadRecords(CDataTableBase& table)
{
    bool more = true;
    for (int i = 0; i < 10 && more; ++i) {
        if (m_failed || !NextRecord())
            return false;
        Dispatch(table, more);
        if (m_endOfSheet)
            more = false;
    }
    return more && !m_failed;
}
