#include "document/excelsheets.h"

#include "document/datatable.h"

// ---------------------------------------------------------------------------------------------
// Excel 3.0 worksheet: cells carry a 16-bit XF index, XF records name their format directly.

const char* CExcel30Sheet::GetTypeName() const
{
    return "Excel 3.0 worksheet";
}

void CExcel30Sheet::OnXF()
{
    uint8_t format = 0;
    if (U8(1, format))
        AddXF(format);
}

void CExcel30Sheet::OnNumber(CDataTableBase& table)
{
    uint16_t row, column, xf;
    double value;
    if (!U16(0, row) || !U16(2, column) || !U16(4, xf) || !F64(6, value))
        return;
    StoreNumber(table, row, column, value, GetFormatOfXF(xf), ExcelNumberKind::kNumber);
}

void CExcel30Sheet::OnFormula(CDataTableBase& table)
{
    uint16_t row, column, marker;
    if (!U16(0, row) || !U16(2, column) || !U16(12, marker))
        return;
    if (marker == 0xFFFF) {
        KeepFormulaCell(row, column);        // text, boolean or error: no number to show
        return;
    }
    OnNumber(table);
}

void CExcel30Sheet::OnLabel(CDataTableBase& table)
{
    uint16_t row, column, length;
    if (!U16(0, row) || !U16(2, column) || !U16(6, length))
        return;
    StoreText(table, row, column, CellText(8, length));
}

CString CExcel30Sheet::ReadStringRecord()
{
    uint16_t length = 0;
    if (!U16(0, length))
        return CString();
    return CellText(2, length);
}

bool CExcel30Sheet::OnOtherRecord(CDataTableBase& table)
{
    int row, column;
    if ((m_id == 0x0207 || m_id == 0x0007) && TakeFormulaCell(row, column))
        StoreText(table, row, column, ReadStringRecord());
    return true;
}

// ---------------------------------------------------------------------------------------------
// Excel 4.0 worksheet: a FORMAT record's first two bytes are unused (writers leave 0 or whatever
// was in their buffer); a format's index is its place among the FORMAT records of the sheet.

const char* CExcel40Sheet::GetTypeName() const
{
    return "Excel 4.0 worksheet";
}

void CExcel40Sheet::OnFormat()
{
    // Even a record too short for its text takes its place, or every later format would slip.
    uint8_t length = 0;
    U8(2, length);
    AddFormat(-1, Bytes(3, length));
}

// ---------------------------------------------------------------------------------------------
// Excel 4.0 workbook: the globals name the sheets; each sheet follows as its own BOF..EOF
// substream with its own formats.

const char* CExcel40Book::GetTypeName() const
{
    return "Excel 4.0 workbook";
}

bool CExcel40Book::ReadGlobals()
{
    while (!HasFailed() && NextRecord()) {
        if ((m_id & 0xFF) == 0x09) {
            m_inWorkbookGlobals = false;
            return true;                     // the first sheet's BOF: its records follow
        }
        if (m_id == 0x002F) {
            Fail();                          // encrypted
            break;
        }
        if (m_id == 0x0085)
            OnBoundSheet();
    }
    Fail();
    return false;
}

void CExcel40Book::OnBoundSheet()
{
    uint8_t length;
    if (U8(0, length))
        AddSheet(Bytes(1, length), 0);
}

bool CExcel40Book::SeekToSheet(int index)
{
    // The globals ended with the first sheet's BOF; every later sheet follows its SHEETHDR.
    for (int i = 0; i < index; ++i) {
        if (!SkipToEOF() || !SkipToSheetBOF())
            return false;
    }
    ResetFormats();                          // every sheet brings its own XF and FORMAT records
    return !HasFailed();
}

bool CExcel40Book::SkipToSheetBOF()
{
    while (NextRecord()) {
        if (IsBOF(m_id))
            return true;
        if (m_id == 0x000A)
            break;                           // the workbook ended: no such sheet
    }
    Fail();
    return false;
}

// ---------------------------------------------------------------------------------------------
// Excel 5.0/95 workbook

const char* CExcel50Book::GetTypeName() const
{
    return "Excel 5.0/95 workbook";
}

bool CExcel50Book::ReadGlobals()
{
    return ReadGlobalRecords();
}

bool CExcel50Book::ReadGlobalRecords()
{
    while (!HasFailed() && NextRecord()) {
        if ((m_id & 0xFF) == 0x09 || m_id == 0x000A)
            return !HasFailed();
        switch (m_id) {
        case 0x002F:
            Fail();
            return false;
        case 0x001E: case 0x041E:
            OnFormat();
            break;
        case 0x00E0:
            OnXF5();
            break;
        case 0x0042:
            OnCodePage();
            break;
        case 0x0085:
            OnBoundSheet();
            break;
        default:
            if (!OnGlobalRecord()) {
                Fail();
                return false;
            }
            break;
        }
    }
    Fail();                                  // the globals never ended
    return false;
}

bool CExcel50Book::OnGlobalRecord()
{
    return true;
}

void CExcel50Book::OnBoundSheet()
{
    uint32_t offset;
    uint8_t visibility, length;
    if (!U32(0, offset) || !U8(4, visibility) || !U8(6, length))
        return;
    if ((visibility & 0x0F) != 0)
        return;                              // hidden sheets are not offered
    AddSheet(Bytes(7, length), offset);
}

bool CExcel50Book::SeekToSheet(int index)
{
    m_sheetBofRead = false;
    if (HasFailed())
        return false;
    if (GetSheetCount() == 0) {
        Fail();                              // a workbook without a worksheet to read
        return false;
    }
    if (index < 0 || index >= GetSheetCount()) {
        Fail();
        return false;
    }
    // The offset must lead to a BOF record inside the stream.
    const size_t offset = GetSheetOffset(index);
    const size_t length = m_stream.size() - m_start;
    if (offset > length || length - offset < 4 || m_stream[m_start + offset] != 0x09) {
        Fail();
        return false;
    }
    m_position = m_start + offset;
    return true;
}

void CExcel50Book::OnBOF()
{
    if (m_sheetBofRead) {
        CExcel40Book::OnBOF();               // a chart embedded in the worksheet
        return;
    }
    m_sheetBofRead = true;
    uint16_t type = 0;
    if (U16(2, type) && type != 0x0010) {
        // A chart sheet, macro sheet or module: a sheet without cells, so reading ends at its
        // BOF. Its records are not walked to an EOF: Gnumeric opens a chart sheet with a second
        // BOF (the chart's own) and closes both with one EOF, so counting them would never end.
        m_endOfSheet = true;
    }
}

void CExcel50Book::OnFormat()
{
    // From Excel 5.0 on the record names its format index.
    uint16_t index;
    uint8_t length;
    if (U16(0, index) && U8(2, length))
        AddFormat(index, Bytes(3, length));
}

void CExcel50Book::OnXF5()
{
    uint16_t format = 0;
    if (U16(2, format))
        AddXF(format);
}

bool CExcel50Book::OnOtherRecord(CDataTableBase& table)
{
    if (m_id == 0x00E0) {
        OnXF5();
        return true;
    }
    return CExcel40Book::OnOtherRecord(table);
}
