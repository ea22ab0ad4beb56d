#pragma once
// Text contents: the source of the text that a text or barcode object shows for one label (one
// data-table row). Every such object owns exactly one content and deletes it; a copy of the object
// clones the content. Eight kinds, each with its own record type code:
//   CTextFixed 171, CTextFixedExt 271 (several lines), CTextDate 172, CTextDateExt 273 (format and
//   day offset), CTextTime 174, CTextTable 173, CTextTableExt 275 (up to three columns joined by a
//   separator), CTextAutoIncrement 276 (a counter).
// The base answers every property neutrally (false, nothing written, nothing changed); each kind
// answers the properties it has. Out-buffer getters never write past `size` and always terminate.
#include "framework/cstring.h"
#include "framework/file.h"
#include "framework/object.h"
#include <windows.h>
#include <cstdint>
#include <vector>

class CDataTableBase;
class CDataTableMap;

// Record type codes of the contents.
enum TextContentCode {
    kTextFixedCode = 171,
    kTextDateCode = 172,
    kTextTableCode = 173,
    kTextTimeCode = 174,
    kTextFixedExtCode = 271,
    kTextDateExtCode = 273,
    kTextTableExtCode = 275,
    kTextAutoIncrementCode = 276,
};

// Kind indices (GetKind, and the text object's SetContentKind).
enum TextContentKind {
    kKindTable = 0,
    kKindFixed = 1,
    kKindDate = 2,
    kKindTime = 3,
    kKindCounter = 4,
};

// Limits of the stored fields, in characters.
const int kFixedTextMax = 200;          // CTextFixed
const int kLineMax = 1023;              // a line set through SetMultiLineText
const int kRecordTextMax = 4095;        // any text read from or written to a content record
const int kSeparatorMax = 10;
const int kCounterAffixMax = 20;        // prefix and suffix
const int kCounterDigitsMax = 64;       // zero-padded width of a counter

class CText : public CObject {
public:
    ~CText() override = default;

    virtual bool QueryDatePart(int* out) const;
    virtual void SetDatePart(int part);
    virtual bool QueryDateOffset(int* out) const;
    virtual void SetDateOffset(int offset);
    virtual bool QueryTableColumn(int index, int* out) const;
    virtual void SetTableColumn(int index, int column);
    virtual bool GetFixedText(CString& inout) const;
    virtual void SetFixedText(const CString& text);
    virtual bool UsesTableColumn(int column) const;
    virtual int GetKind() const = 0;
    virtual CText* Clone() const = 0;
    virtual void SetMultiLineText(const char* text);
    virtual bool IsFixedText() const;
    // Reads the record body that follows the type code. On failure (short or malformed record)
    // the content is left as it was and false is returned.
    virtual bool Load(CFile* file);
    // Writes the record body; false when the file refused the bytes.
    virtual bool Save(CFile* file) const;
    // The text for one label into out (at most outSize - 1 characters and a terminator).
    // row: 1-based table row, 0 or less for none; flags: the caller's drawing flags (unused);
    // design: the design view wants the placeholder instead of data.
    virtual void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                            const CDataTableMap* columnMap, bool design) const = 0;
    virtual int GetTypeCode() const = 0;
    virtual bool GetColumnName(char* out, int size) const;
    virtual bool SetColumnName(const char* name);
    virtual bool GetCounterPrefix(char* out, int size) const;
    virtual void SetCounterPrefix(const char* prefix);
    virtual bool GetCounterStartText(char* out, int size) const;
    virtual void SetCounterStartText(const char* text);
    virtual bool GetCounterSuffix(char* out, int size) const;
    virtual void SetCounterSuffix(const char* suffix);
    virtual bool IsCounterZeroPadded() const;
    virtual bool HasCounterOptions() const;
    virtual void SetCounterZeroPadded(bool on);
    virtual bool GetCounterDigitsText(char* out, int size) const;
    virtual void SetCounterDigitsText(const char* text);
    virtual bool GetSeparatorName(char* out, int size) const;
    virtual void SetSeparatorName(const char* name);
    virtual bool IsSeparatorAlways() const;
    virtual bool HasSeparator() const;
    virtual void SetSeparatorAlways(bool on);
    virtual bool GetDatePartName(char* out, int size) const;
    virtual void SetDatePartByName(const char* name);
    virtual bool HasDatePart() const;
    virtual bool HasDateOffset() const;
    virtual bool GetDateOffsetText(char* out, int size) const;
    virtual void SetDateOffsetText(const char* text);
    virtual void AdvanceCounter(int n);
    virtual bool IsCounter() const;
    virtual bool HasTableTextOption() const;
    virtual bool GetTableTextOption() const;
    virtual bool SetTableTextOption(bool on);

    // FormatText into a string through a buffer of bufferSize bytes (1025: a text object's).
    CString FormatToString(int row, const CDataTableBase* table, const CDataTableMap* columnMap,
                           bool design, int bufferSize = 1025) const;
};

// A single fixed text of up to 200 characters (older files).
class CTextFixed : public CText {
public:
    CTextFixed() = default;

    bool GetFixedText(CString& inout) const override;
    void SetFixedText(const CString& text) override;
    int GetKind() const override { return kKindFixed; }
    CText* Clone() const override;
    void SetMultiLineText(const char* text) override;
    bool IsFixedText() const override { return true; }
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextFixedCode; }

    const CString& GetText() const { return m_text; }

protected:
    CString m_text;                     // at most kFixedTextMax characters
};

// Several lines of fixed text. A new one holds the line "Enter text here" and the default flag,
// which marks text the user has not entered; setting or loading text clears it.
class CTextFixedExt : public CTextFixed {
public:
    CTextFixedExt();

    bool GetFixedText(CString& inout) const override;
    void SetFixedText(const CString& text) override;
    CText* Clone() const override;
    void SetMultiLineText(const char* text) override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextFixedExtCode; }

    const std::vector<CString>& GetLines() const { return m_lines; }
    bool IsDefaultText() const { return m_default; }
    // The lines joined with CR LF.
    CString JoinedLines() const;

private:
    std::vector<CString> m_lines;       // each at most kRecordTextMax characters
    bool m_default = true;
    int16_t m_reserved1 = 0;
    int16_t m_reserved2 = 0;
};

// Today's date in the system's short date format (older files).
class CTextDate : public CText {
public:
    int GetKind() const override { return kKindDate; }
    CText* Clone() const override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextDateCode; }
};

// A date with a day offset: the short date, or one part of it (year, month, day, ISO week).
class CTextDateExt : public CTextDate {
public:
    enum Format { kFormatEmpty = 0, kFormatShort = 1, kFormatBlank = 2, kFormatPart = 3 };
    enum Part { kPartYear = 1, kPartMonth = 2, kPartDay = 3, kPartWeek = 4 };

    bool QueryDatePart(int* out) const override;
    void SetDatePart(int part) override;
    bool QueryDateOffset(int* out) const override;
    void SetDateOffset(int offset) override;
    CText* Clone() const override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextDateExtCode; }
    bool GetDatePartName(char* out, int size) const override;
    void SetDatePartByName(const char* name) override;
    bool HasDatePart() const override { return true; }
    bool HasDateOffset() const override { return true; }
    bool GetDateOffsetText(char* out, int size) const override;
    void SetDateOffsetText(const char* text) override;

    int GetFormat() const { return m_format; }
    int GetPart() const { return m_part; }

private:
    int16_t m_format = kFormatShort;
    int16_t m_part = 0;
    int16_t m_offset = 0;
    int16_t m_reserved1 = 0;
    int16_t m_reserved2 = 0;
};

// The current time in the system's time format.
class CTextTime : public CText {
public:
    int GetKind() const override { return kKindTime; }
    CText* Clone() const override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextTimeCode; }
};

// One logical table column (0 = A .. 25 = Z, -1 none) of the label's row (older files).
class CTextTable : public CText {
public:
    CTextTable() = default;

    bool QueryTableColumn(int index, int* out) const override;
    void SetTableColumn(int index, int column) override;
    bool UsesTableColumn(int column) const override;
    int GetKind() const override { return kKindTable; }
    CText* Clone() const override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextTableCode; }
    bool GetColumnName(char* out, int size) const override;
    bool SetColumnName(const char* name) override;

protected:
    int16_t m_column = 0;
};

// Up to three table columns joined by a separator; empty cells add no separator unless
// always-separate is on. A new one reads column A with the separator " ".
class CTextTableExt : public CTextTable {
public:
    CTextTableExt() = default;

    bool QueryTableColumn(int index, int* out) const override;
    void SetTableColumn(int index, int column) override;
    bool UsesTableColumn(int column) const override;
    CText* Clone() const override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextTableExtCode; }
    bool GetColumnName(char* out, int size) const override;
    bool SetColumnName(const char* name) override;
    bool GetSeparatorName(char* out, int size) const override;
    void SetSeparatorName(const char* name) override;
    bool IsSeparatorAlways() const override { return m_always; }
    bool HasSeparator() const override { return true; }
    void SetSeparatorAlways(bool on) override { m_always = on; }
    bool HasTableTextOption() const override { return true; }
    bool GetTableTextOption() const override { return m_tableTextOption == 0; }
    bool SetTableTextOption(bool on) override;

    const CString& GetSeparator() const { return m_separator; }

private:
    int16_t m_column2 = -1;
    int16_t m_column3 = -1;
    CString m_separator = " ";          // at most kSeparatorMax characters
    bool m_always = false;
    uint8_t m_tableTextOption = 0;      // held in memory and cloned, never stored
};

// A counter: prefix, start + row - 1 (optionally zero-padded), suffix. The print engine advances
// the start after a run so the next run continues where this one ended.
class CTextAutoIncrement : public CText {
public:
    int GetKind() const override { return kKindCounter; }
    CText* Clone() const override;
    bool Load(CFile* file) override;
    bool Save(CFile* file) const override;
    void FormatText(int row, char* out, int outSize, int flags, const CDataTableBase* table,
                    const CDataTableMap* columnMap, bool design) const override;
    int GetTypeCode() const override { return kTextAutoIncrementCode; }
    bool GetCounterPrefix(char* out, int size) const override;
    void SetCounterPrefix(const char* prefix) override;
    bool GetCounterStartText(char* out, int size) const override;
    void SetCounterStartText(const char* text) override;
    bool GetCounterSuffix(char* out, int size) const override;
    void SetCounterSuffix(const char* suffix) override;
    bool IsCounterZeroPadded() const override { return m_zeroPad; }
    bool HasCounterOptions() const override { return true; }
    void SetCounterZeroPadded(bool on) override { m_zeroPad = on; }
    bool GetCounterDigitsText(char* out, int size) const override;
    void SetCounterDigitsText(const char* text) override;
    void AdvanceCounter(int n) override;
    bool IsCounter() const override { return true; }

    int GetStart() const { return m_start; }
    int GetDigits() const { return m_digits; }
    // The text of the counter for a row, without the output buffer's bound.
    CString CounterText(int row) const;

private:
    CString m_prefix;
    CString m_suffix;
    int32_t m_start = 1;
    int32_t m_digits = 1;               // 0..kCounterDigitsMax
    bool m_zeroPad = false;
    int32_t m_reserved = 0;
};

// A new content of a record type code (null for an unknown code); the caller owns it.
CText* CreateTextContentByCode(int code);
// A new content of a kind index with its defaults (null for an unknown index); the caller owns it.
CText* CreateTextContentByKind(int kind);

// Display names of the separators (0 "None", 1 "Space", 2 "Line break"; any other value "").
CString SeparatorDisplayName(int index);
// Display names of the date formats (0 "Short" .. 4 "Week number"; any other value "").
CString DatePartDisplayName(int index);

// The clock of the date and time contents (GetLocalTime unless replaced, e.g. by tests).
typedef void (*LocalTimeSource)(SYSTEMTIME* now);
LocalTimeSource SetTextContentClock(LocalTimeSource source);   // null restores GetLocalTime

// Reads a decimal number as "%d" does (leading blanks, a sign, digits; what follows is ignored);
// false when no digit comes. The value saturates at the range of long long.
bool ScanDecimal(const char* text, long long* out);

// "key = %d" with a caption: what the object readers say about a record type code they do not
// know (the caption is empty except inside a multi-line text record).
void ReportUnknownKey(int key, const char* caption = "");

