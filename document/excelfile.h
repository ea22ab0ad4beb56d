#pragma once
// The Excel 2.1 worksheet reader (BIFF2) and the base of every Excel reader: it walks the records
// of a workbook stream held in memory and stores each cell it understands as text in a table.
// The reader owns the stream bytes; the table belongs to the caller.
#include "document/excelnumbers.h"
#include "framework/cstring.h"
#include "framework/object.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

class CDataTableBase;

// UTF-16 into the ANSI code page; characters it cannot show become '?'.
CString WideToAnsi(const std::wstring& text);

class CExcelFile : public CObject {
public:
    static const int kMaxRecordLength = 8224;
    static const int kMaxSheets = 255;

    // The stream starts with the BOF record at start (sheet offsets count from there); the
    // constructor reads it.
    explicit CExcelFile(std::vector<uint8_t> stream, size_t start = 0);
    ~CExcelFile() override;

    // False when the reader met something it cannot read as a workbook; the import then fails.
    bool HasFailed() const { return m_failed; }
    int GetSheetCount() const { return static_cast<int>(m_sheetNames.size()); }

    virtual bool ReadGlobals();            // the workbook directory (workbooks only)
    virtual const char* GetTypeName() const;
    virtual bool SeekToSheet(int index);
    // A BOF met while reading a sheet (the readers take the sheet's own BOF before its cells).
    virtual void OnBOF();
    virtual void OnBoundSheet();
    virtual void OnDimensions();
    virtual void OnFormat();
    virtual void OnFormula(CDataTableBase& table);
    virtual void OnInteger(CDataTableBase& table);
    virtual void OnXF();
    virtual void OnLabel(CDataTableBase& table);
    virtual void OnMulRK(CDataTableBase& table);
    virtual void OnNumber(CDataTableBase& table);
    virtual void OnRK(CDataTableBase& table);
    // Reads up to 10 records into the table; false once the sheet has ended (or the stream is bad).
    virtual bool ReadRecords(CDataTableBase& table);
    virtual int GetFormatOfXF(int xf) const;
    virtual CString GetSheetName(int index) const;

protected:
    // The next record into m_id / m_body / m_length. False at the end of the stream or when the
    // record does not fit in what is left (then the reader has failed).
    bool NextRecord();
    // Reads records up to and including the EOF that closes the substream whose BOF was read
    // last, past any substreams nested in it; false when the stream ends first.
    bool SkipToEOF();
    static bool IsBOF(uint16_t id);
    void Fail() { m_failed = true; }

    // Body fields; false (value untouched) when the record is too short for them. Inline: every
    // cell reads several.
    bool U8(int offset, uint8_t& v) const
    {
        if (offset < 0 || offset + 1 > m_length)
            return false;
        v = m_body[offset];
        return true;
    }
    bool U16(int offset, uint16_t& v) const
    {
        if (offset < 0 || offset + 2 > m_length)
            return false;
        v = static_cast<uint16_t>(m_body[offset] | (m_body[offset + 1] << 8));
        return true;
    }
    bool U32(int offset, uint32_t& v) const
    {
        if (offset < 0 || offset + 4 > m_length)
            return false;
        v = static_cast<uint32_t>(m_body[offset]) | (static_cast<uint32_t>(m_body[offset + 1]) << 8) |
            (static_cast<uint32_t>(m_body[offset + 2]) << 16) |
            (static_cast<uint32_t>(m_body[offset + 3]) << 24);
        return true;
    }
    bool F64(int offset, double& v) const
    {
        if (offset < 0 || offset + 8 > m_length)
            return false;
        std::memcpy(&v, m_body + offset, sizeof v);      // the platform is little-endian
        return true;
    }
    // length 8-bit characters from offset, cut at the record's end.
    CString Bytes(int offset, int length) const;
    // A cell text of length bytes: 8-bit characters, or UTF-16 when the workbook's CODEPAGE
    // record says 1200 (Gnumeric writes Excel 5.0/95 files so).
    CString CellText(int offset, int length) const;
    void OnCodePage();

    // The number-format string of a format index: the file's FORMAT record for it, else the
    // built-in "0.00" for index 2, else "" (general).
    const CString& LookupFormat(int formatIndex) const;
    void AddFormat(int index, const CString& text);      // index -1: the next in order
    void AddXF(int formatIndex);
    void ResetFormats();
    int Biff2Format(uint8_t xf, uint8_t format) const;

    void StoreNumber(CDataTableBase& table, int row, int column, double value, int formatIndex,
                     ExcelNumberKind kind);
    void StoreText(CDataTableBase& table, int row, int column, const char* text);
    void StoreText(CDataTableBase& table, int row, int column, const char* text, int length);
    void StoreText(CDataTableBase& table, int row, int column, const CString& text);
    void StoreRk(CDataTableBase& table, int row, int column, int xf, uint32_t rk);
    void AddSheet(const CString& name, uint32_t offset);
    // Room in the table for the sheet's size as its DIMENSIONS record gives it.
    void ReserveForDimensions(CDataTableBase& table) const;
    uint32_t GetSheetOffset(int index) const { return m_sheetOffsets[index]; }

    // A formula whose cached result is not a number: the STRING record that follows belongs here.
    void KeepFormulaCell(int row, int column);
    bool TakeFormulaCell(int& row, int& column);

    // Dispatch on the id's low byte shared by the BIFF2 to BIFF5 readers.
    void Dispatch(CDataTableBase& table, bool& more);
    virtual bool OnOtherRecord(CDataTableBase& table);   // ids the base does not know

    ExcelNumberFormatter m_numbers;
    std::vector<uint8_t> m_stream;
    size_t m_start = 0;                    // where the stream begins in m_stream
    size_t m_position = 0;
    uint16_t m_id = 0;
    int m_length = 0;                      // body bytes available (at most kMaxRecordLength)
    const uint8_t* m_body = nullptr;
    bool m_recordCut = false;              // the record was longer than kMaxRecordLength
    bool m_endOfSheet = false;             // a handler ended the sheet early
    bool m_inWorkbookGlobals = false;      // before the first sheet of an Excel 4.0 workbook
    uint32_t m_dimensionRows = 0;          // last row + 1 and last column + 1 of the sheet
    uint16_t m_dimensionColumns = 0;
    int m_lastRow = -1;
    int m_lastColumn = -1;

private:
    std::vector<uint16_t> m_xfFormats;     // format index of each XF record, in order
    std::vector<CString> m_formats;        // by format index
    std::vector<bool> m_formatKnown;
    int m_nextFormat = 0;                  // files without indices number formats in order
    std::vector<CString> m_sheetNames;
    std::vector<uint32_t> m_sheetOffsets;
    bool m_failed = false;
    bool m_formulaPending = false;
    bool m_utf16Texts = false;
};

// Every record of a sheet passes here: inline.
inline bool CExcelFile::NextRecord()
{
    m_body = nullptr;
    m_length = 0;
    const size_t left = m_stream.size() - m_position;
    if (left < 4) {
        Fail();                              // the sheet never reached its EOF
        return false;
    }
    const uint8_t* header = m_stream.data() + m_position;
    m_id = static_cast<uint16_t>(header[0] | (header[1] << 8));
    const size_t length = static_cast<size_t>(header[2] | (header[3] << 8));
    if (length > left - 4) {
        Fail();
        return false;
    }
    m_body = header + 4;
    // Longer records than Excel writes: read the part we have room for, skip the rest.
    m_recordCut = length > kMaxRecordLength;
    m_length = static_cast<int>(m_recordCut ? kMaxRecordLength : length);
    m_position += 4 + length;
    return true;
}
