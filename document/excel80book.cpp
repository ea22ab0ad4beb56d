#include "document/excel80book.h"

#include "document/datatable.h"

#include <windows.h>

namespace {

const int kMaxCellChars = CDataTableCell::kMaxTextLength;

} // namespace

// ---------------------------------------------------------------------------------------------
// Strings over CONTINUE records

void Biff8StringSource::Add(const uint8_t* data, int length)
{
    m_pieces.emplace_back(data, length);
}

bool Biff8StringSource::AtPieceEnd() const
{
    return m_piece >= m_pieces.size() || m_offset >= m_pieces[m_piece].second;
}

bool Biff8StringSource::NextPiece()
{
    if (m_piece + 1 >= m_pieces.size())
        return false;
    ++m_piece;
    m_offset = 0;
    return true;
}

bool Biff8StringSource::Byte(uint8_t& v)
{
    while (AtPieceEnd()) {
        if (!NextPiece())
            return false;
    }
    v = m_pieces[m_piece].first[m_offset++];
    return true;
}

bool Biff8StringSource::Word(uint16_t& v)
{
    uint8_t low, high;
    if (!Byte(low) || !Byte(high))
        return false;
    v = static_cast<uint16_t>(low | (high << 8));
    return true;
}

bool Biff8StringSource::Skip(uint32_t n)
{
    while (n > 0) {
        while (AtPieceEnd()) {
            if (!NextPiece())
                return false;
        }
        const uint32_t here = static_cast<uint32_t>(m_pieces[m_piece].second - m_offset);
        const uint32_t step = n < here ? n : here;
        m_offset += static_cast<int>(step);
        n -= step;
    }
    return true;
}

bool Biff8StringSource::ReadString(bool byteCount, int maxChars, CString& text, bool partialOk)
{
    uint16_t count = 0;
    uint8_t options = 0;
    if (byteCount) {
        uint8_t shortCount;
        if (!Byte(shortCount))
            return false;
        count = shortCount;
    } else if (!Word(count)) {
        return false;
    }
    if (!Byte(options) || (options & ~0x0Du) != 0)
        return false;                        // bits Excel never sets: not a string we know
    uint16_t runs = 0;
    uint32_t phonetic = 0;
    if (options & 0x08) {
        if (!Word(runs))
            return false;
    }
    if (options & 0x04) {
        uint16_t low, high;
        if (!Word(low) || !Word(high))
            return false;
        phonetic = low | (static_cast<uint32_t>(high) << 16);
    }

    std::wstring wide;
    std::string narrow;
    bool anyWide = false;
    int remaining = count;
    while (remaining > 0) {
        if (AtPieceEnd()) {
            // The characters go on in the next CONTINUE record, which restates the width.
            if (!NextPiece() || !Byte(options)) {
                if (!partialOk)
                    return false;
                break;
            }
        }
        const bool isWide = (options & 0x01) != 0;
        const uint8_t* data = m_pieces[m_piece].first + m_offset;
        const int available = m_pieces[m_piece].second - m_offset;
        int take = isWide ? available / 2 : available;
        if (take > remaining)
            take = remaining;
        if (take == 0) {
            if (!partialOk)
                return false;                // half a character at a record's end
            break;
        }
        for (int i = 0; i < take; ++i) {
            const wchar_t ch = isWide ? static_cast<wchar_t>(data[2 * i] | (data[2 * i + 1] << 8))
                                      : static_cast<wchar_t>(data[i]);
            if (static_cast<int>(wide.size()) < maxChars) {
                wide.push_back(ch);
                if (!isWide)
                    narrow.push_back(static_cast<char>(data[i]));
            }
        }
        if (isWide)
            anyWide = true;
        m_offset += isWide ? 2 * take : take;
        remaining -= take;
    }
    if ((!Skip(4u * runs) || !Skip(phonetic)) && !partialOk)
        return false;
    // 8-bit characters are the low bytes of Latin-1 code points: kept as they are.
    text = anyWide ? WideToAnsi(wide) : CString(narrow.data(), static_cast<int>(narrow.size()));
    return true;
}

// ---------------------------------------------------------------------------------------------
// The reader

const char* CExcel80Book::GetTypeName() const
{
    return "Excel 97 workbook";
}

CString CExcel80Book::RecordString(int offset, bool byteCount) const
{
    if (offset < 0 || offset >= m_length)
        return CString();
    Biff8StringSource source;
    source.Add(m_body + offset, m_length - offset);
    CString text;
    // A string cut off by its record's end keeps what the record holds.
    source.ReadString(byteCount, kMaxCellChars, text, true);
    return text;
}

void CExcel80Book::OnBoundSheet()
{
    uint32_t offset;
    uint8_t visibility;
    if (!U32(0, offset) || !U8(4, visibility))
        return;
    if ((visibility & 0x0F) != 0)
        return;
    AddSheet(RecordString(6, true), offset);
}

void CExcel80Book::OnFormat()
{
    uint16_t index;
    if (U16(0, index))
        AddFormat(index, RecordString(2, false));
}

void CExcel80Book::OnLabel(CDataTableBase& table)
{
    uint16_t row, column;
    if (U16(0, row) && U16(2, column))
        StoreText(table, row, column, RecordString(6, false));
}

void CExcel80Book::OnLabelSST(CDataTableBase& table)
{
    uint16_t row, column;
    uint32_t index;
    if (!U16(0, row) || !U16(2, column) || !U32(6, index))
        return;
    if (index < m_sharedStrings.size())
        StoreText(table, row, column, m_sharedStrings[index]);
}

CString CExcel80Book::ReadStringRecord()
{
    return RecordString(0, false);
}

void CExcel80Book::OnString(CDataTableBase& table)
{
    int row, column;
    if (TakeFormulaCell(row, column))
        StoreText(table, row, column, ReadStringRecord());
}

void CExcel80Book::OnSST()
{
    uint32_t count = 0;
    if (!U32(4, count)) {
        m_sstFailed = true;
        return;
    }
    Biff8StringSource source;
    source.Add(m_body + 8, m_length - 8);
    // The CONTINUE records that follow belong to the table.
    while (m_stream.size() - m_position >= 4 && m_stream[m_position] == 0x3C &&
           m_stream[m_position + 1] == 0x00) {
        if (!NextRecord()) {
            m_sstFailed = true;
            return;
        }
        source.Add(m_body, m_length);
    }
    // Every string takes at least three bytes: a count the data cannot hold is a damaged table.
    const size_t most = (m_stream.size() / 3) + 1;
    m_sharedStrings.clear();
    m_sharedStrings.reserve(count < most ? count : most);
    for (uint32_t i = 0; i < count; ++i) {
        if (source.AtPieceEnd() && !source.NextPiece()) {
            m_sstFailed = true;
            return;
        }
        CString text;
        if (!source.ReadString(false, kMaxCellChars, text, false)) {
            m_sstFailed = true;
            return;
        }
        m_sharedStrings.push_back(text);
    }
}

bool CExcel80Book::OnGlobalRecord()
{
    if (m_id == 0x00FC) {
        OnSST();
        return !m_sstFailed;
    }
    if (m_id == 0x003C)
        MessageBeep(0);                      // a CONTINUE without its record
    return true;
}

bool CExcel80Book::OnOtherRecord(CDataTableBase& table)
{
    switch (m_id) {
    case 0x00FD:
        OnLabelSST(table);
        return true;
    case 0x0207:
        OnString(table);
        return true;
    default:
        return CExcel50Book::OnOtherRecord(table);
    }
}

bool CExcel80Book::ReadRecords(CDataTableBase& table)
{
    bool more = true;
    for (int i = 0; i < 10 && more; ++i) {
        if (HasFailed() || m_sstFailed || !NextRecord())
            return false;
        if (m_recordCut)
            MessageBeep(0);
        Dispatch(table, more);
        if (m_endOfSheet)
            more = false;
    }
    return more && !HasFailed();
}
