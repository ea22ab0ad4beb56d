#pragma once
// The Excel 97 workbook reader (BIFF8): Unicode strings, the shared string table and cells that
// refer to it. Strings come in as the ANSI code page.
#include "document/excelsheets.h"

#include <string>

// Pieces of a string that Excel split over a record and its CONTINUE records. A string restarts in
// each continuation with a fresh option byte (8-bit or 16-bit characters).
class Biff8StringSource {
public:
    void Add(const uint8_t* data, int length);
    bool AtPieceEnd() const;
    bool NextPiece();                      // false when there is none
    bool Byte(uint8_t& v);                 // across pieces
    bool Word(uint16_t& v);
    bool Skip(uint32_t n);
    // One string: u16 (or u8) count, option byte, optional run count and phonetic size, the
    // characters (continuing into later pieces) and the skipped runs and phonetic data. At most
    // maxChars characters are kept. False for a layout it cannot decode or when data runs out
    // (with partialOk, running out keeps what was there).
    bool ReadString(bool byteCount, int maxChars, CString& text, bool partialOk);

private:
    std::vector<std::pair<const uint8_t*, int>> m_pieces;
    size_t m_piece = 0;
    int m_offset = 0;
};


class CExcel80Book : public CExcel50Book {
public:
    using CExcel50Book::CExcel50Book;

    const char* GetTypeName() const override;
    bool ReadRecords(CDataTableBase& table) override;
    void OnBoundSheet() override;
    void OnFormat() override;
    void OnLabel(CDataTableBase& table) override;
    virtual void OnLabelSST(CDataTableBase& table);
    virtual void OnSST();
    virtual void OnString(CDataTableBase& table);

    int GetSharedStringCount() const { return static_cast<int>(m_sharedStrings.size()); }
    bool HasSstFailed() const { return m_sstFailed; }

protected:
    bool OnOtherRecord(CDataTableBase& table) override;
    bool OnGlobalRecord() override;
    CString ReadStringRecord() override;
    // A string of this record from offset, with a u8 or u16 character count.
    CString RecordString(int offset, bool byteCount) const;

private:
    std::vector<CString> m_sharedStrings;
    bool m_sstFailed = false;
};
