// The content base with its neutral answers, the factories, and the fixed-text and table kinds.
#include "labelmodel/textcontent.h"

#include "framework/msgbox.h"
#include "framework/recordio.h"
#include "labelmodel/tablesource.h"
#include "labelmodel/textstrings.h"

#include <cctype>
#include <climits>
#include <cstring>
#include <memory>

// ==== Helpers ====================================================================================

bool ScanDecimal(const char* text, long long* out)
{
    if (!text)
        return false;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
    while (*p == ' ' || (*p >= '\t' && *p <= '\r'))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        ++p;
    }
    if (!std::isdigit(*p))
        return false;
    long long value = 0;
    for (; std::isdigit(*p); ++p) {
        int digit = *p - '0';
        if (value > (LLONG_MAX - digit) / 10)
            value = LLONG_MAX;
        else
            value = value * 10 + digit;
    }
    *out = negative ? -value : value;
    return true;
}

namespace {

// Reads an i16 length and that many bytes. Refuses a negative length and one above
// kRecordTextMax (no writer of ours produces one); keeps at most `keep` characters of the text,
// up to its first NUL, so the field it goes into can never overflow.
bool ReadCountedText(RecordReader& reader, CString& out, int keep)
{
    int16_t length;
    if (!reader.I16(length))
        return false;
    if (length < 0 || length > kRecordTextMax) {
        reader.Fail();
        return false;
    }
    char buffer[kRecordTextMax + 1];
    if (!reader.Raw(buffer, static_cast<UINT>(length)))
        return false;
    buffer[length] = '\0';
    size_t n = std::strlen(buffer);
    if (n > static_cast<size_t>(keep))
        n = static_cast<size_t>(keep);
    out = CString(buffer, static_cast<int>(n));
    return true;
}

// Writes a text as an i16 length and its bytes, cut to `keep` characters.
bool WriteCountedText(RecordWriter& writer, const CString& text, int keep)
{
    int n = text.GetLength() < keep ? text.GetLength() : keep;
    writer.I16(static_cast<int16_t>(n));
    return writer.Raw(text.GetString(), static_cast<UINT>(n));
}

char ColumnLetter(int column)
{
    return static_cast<char>('A' + column);
}

// 'A'..'Z' give 0..25, anything else -1.
int ColumnFromLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? ch - 'A' : -1;
}

} // namespace

// ==== CText: neutral answers =====================================================================

bool CText::QueryDatePart(int*) const { return false; }
void CText::SetDatePart(int) {}
bool CText::QueryDateOffset(int*) const { return false; }
void CText::SetDateOffset(int) {}
bool CText::QueryTableColumn(int, int*) const { return false; }
void CText::SetTableColumn(int, int) {}
bool CText::GetFixedText(CString&) const { return false; }
void CText::SetFixedText(const CString&) {}
bool CText::UsesTableColumn(int) const { return false; }
void CText::SetMultiLineText(const char*) {}
bool CText::IsFixedText() const { return false; }
bool CText::Load(CFile*) { return true; }
bool CText::Save(CFile*) const { return true; }
bool CText::GetColumnName(char*, int) const { return false; }
bool CText::SetColumnName(const char*) { return false; }
bool CText::GetCounterPrefix(char*, int) const { return false; }
void CText::SetCounterPrefix(const char*) {}
bool CText::GetCounterStartText(char*, int) const { return false; }
void CText::SetCounterStartText(const char*) {}
bool CText::GetCounterSuffix(char*, int) const { return false; }
void CText::SetCounterSuffix(const char*) {}
bool CText::IsCounterZeroPadded() const { return false; }
bool CText::HasCounterOptions() const { return false; }
void CText::SetCounterZeroPadded(bool) {}
bool CText::GetCounterDigitsText(char*, int) const { return false; }
void CText::SetCounterDigitsText(const char*) {}
bool CText::GetSeparatorName(char*, int) const { return false; }
void CText::SetSeparatorName(const char*) {}
bool CText::IsSeparatorAlways() const { return false; }
bool CText::HasSeparator() const { return false; }
void CText::SetSeparatorAlways(bool) {}
bool CText::GetDatePartName(char*, int) const { return false; }
void CText::SetDatePartByName(const char*) {}
bool CText::HasDatePart() const { return false; }
bool CText::HasDateOffset() const { return false; }
bool CText::GetDateOffsetText(char*, int) const { return false; }
void CText::SetDateOffsetText(const char*) {}
void CText::AdvanceCounter(int) {}
bool CText::IsCounter() const { return false; }
bool CText::HasTableTextOption() const { return false; }
bool CText::GetTableTextOption() const { return false; }
bool CText::SetTableTextOption(bool) { return false; }

CString CText::FormatToString(int row, const CDataTableBase* table,
                              const CDataTableMap* columnMap, bool design, int bufferSize) const
{
    if (bufferSize < 1)
        return CString();
    std::unique_ptr<char[]> buffer(new char[static_cast<size_t>(bufferSize)]());
    FormatText(row, buffer.get(), bufferSize, 0, table, columnMap, design);
    buffer[static_cast<size_t>(bufferSize - 1)] = '\0';
    return CString(buffer.get());
}

// ==== Factories and display names ================================================================

CText* CreateTextContentByCode(int code)
{
    switch (code) {
    case kTextFixedCode: return new CTextFixed;
    case kTextDateCode: return new CTextDate;
    case kTextTableCode: return new CTextTable;
    case kTextTimeCode: return new CTextTime;
    case kTextFixedExtCode: return new CTextFixedExt;
    case kTextDateExtCode: return new CTextDateExt;
    case kTextTableExtCode: return new CTextTableExt;
    case kTextAutoIncrementCode: return new CTextAutoIncrement;
    default: return nullptr;
    }
}

CText* CreateTextContentByKind(int kind)
{
    switch (kind) {
    case kKindTable: return new CTextTableExt;
    case kKindFixed: return new CTextFixedExt;
    case kKindDate: return new CTextDateExt;
    case kKindTime: return new CTextTime;
    case kKindCounter: return new CTextAutoIncrement;
    default: return nullptr;
    }
}

CString SeparatorDisplayName(int index)
{
    static const UINT kIds[3] = { IDS_SEPARATOR_NONE, IDS_SEPARATOR_SPACE, IDS_SEPARATOR_LINEBREAK };
    CString name;
    if (index >= 0 && index < 3)
        name.LoadString(kIds[index]);
    return name;
}

CString DatePartDisplayName(int index)
{
    static const UINT kIds[5] = { IDS_DATEPART_SHORT, IDS_DATEPART_YEAR, IDS_DATEPART_MONTH,
                                  IDS_DATEPART_DAY, IDS_DATEPART_WEEK };
    CString name;
    if (index >= 0 && index < 5)
        name.LoadString(kIds[index]);
    return name;
}

// ==== CTextFixed =================================================================================

bool CTextFixed::GetFixedText(CString& inout) const
{
    inout += m_text;
    return true;
}

void CTextFixed::SetFixedText(const CString& text)
{
    m_text = text.Left(kFixedTextMax);
}

CText* CTextFixed::Clone() const
{
    return new CTextFixed(*this);
}

void CTextFixed::SetMultiLineText(const char* text)
{
    m_text = CString(text).Left(kFixedTextMax);
}

bool CTextFixed::Load(CFile* file)
{
    RecordReader reader(file);
    int16_t length;
    if (!reader.I16(length))
        return false;
    if (length < 0 || length > kRecordTextMax)
        return false;
    // The text and its terminating zero.
    char buffer[kRecordTextMax + 2];
    if (!reader.Raw(buffer, static_cast<UINT>(length) + 1))
        return false;
    buffer[length] = '\0';
    m_text = CString(buffer).Left(kFixedTextMax);
    return true;
}

bool CTextFixed::Save(CFile* file) const
{
    RecordWriter writer(file);
    CString text = m_text.Left(kFixedTextMax);
    writer.I16(static_cast<int16_t>(text.GetLength()));
    writer.Raw(text.GetString(), static_cast<UINT>(text.GetLength()) + 1);
    return writer.ok();
}

void CTextFixed::FormatText(int, char* out, int outSize, int, const CDataTableBase*,
                            const CDataTableMap*, bool) const
{
    CopyTextBounded(out, outSize, m_text);
}

// ==== CTextFixedExt ==============================================================================

namespace {
const int16_t kLineListMarker = 50;
const int16_t kLineMarker = 272;
const int kMaxStoredLines = 32767;
}

CTextFixedExt::CTextFixedExt()
{
    CString line;
    line.LoadString(IDS_TEXT_DEFAULT);
    m_lines.push_back(line);
}

bool CTextFixedExt::GetFixedText(CString& inout) const
{
    if (!m_default) {
        for (const CString& line : m_lines)
            inout += line;
    }
    return true;
}

void CTextFixedExt::SetFixedText(const CString& text)
{
    m_lines.clear();
    m_lines.push_back(text.Left(kRecordTextMax));
    m_default = false;
}

CText* CTextFixedExt::Clone() const
{
    return new CTextFixedExt(*this);
}

void CTextFixedExt::SetMultiLineText(const char* text)
{
    // Lines end at CR; LF characters are dropped wherever they stand. The last piece is always a
    // line, so an empty text gives one empty line.
    m_lines.clear();
    CString line;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '\r') {
            m_lines.push_back(line);
            line.Empty();
        } else if (*p != '\n' && line.GetLength() < kLineMax) {
            line += *p;
        }
    }
    m_lines.push_back(line);
    m_default = false;
}

bool CTextFixedExt::Load(CFile* file)
{
    RecordReader reader(file);
    int16_t marker, count, reserved1, reserved2;
    if (!reader.I16(marker))
        return false;
    if (marker != kLineListMarker)
        ReportUnknownKey(marker, "collectionKey");
    if (!reader.I16(count) || !reader.I16(reserved1) || !reader.I16(reserved2))
        return false;
    if (count < 0)
        return false;
    std::vector<CString> lines;
    for (int i = 0; i < count; ++i) {
        int16_t lineMarker;
        CString line;
        if (!reader.I16(lineMarker) || !ReadCountedText(reader, line, kRecordTextMax))
            return false;
        // An empty line is kept: dropping it lost the blank lines of a multi-line text on
        // every save and reload.
        lines.push_back(line);
    }
    m_lines.swap(lines);
    m_reserved1 = reserved1;
    m_reserved2 = reserved2;
    m_default = false;
    return true;
}

bool CTextFixedExt::Save(CFile* file) const
{
    RecordWriter writer(file);
    int count = static_cast<int>(m_lines.size());
    if (count > kMaxStoredLines)
        count = kMaxStoredLines;
    writer.I16(kLineListMarker);
    writer.I16(static_cast<int16_t>(count));
    writer.I16(m_reserved1);
    writer.I16(m_reserved2);
    for (int i = 0; i < count; ++i) {
        writer.I16(kLineMarker);
        WriteCountedText(writer, m_lines[static_cast<size_t>(i)], kRecordTextMax);
    }
    return writer.ok();
}

CString CTextFixedExt::JoinedLines() const
{
    CString text;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += m_lines[i];
    }
    return text;
}

void CTextFixedExt::FormatText(int, char* out, int outSize, int, const CDataTableBase*,
                               const CDataTableMap*, bool) const
{
    CopyTextBounded(out, outSize, JoinedLines());
}

// ==== CTextTable =================================================================================

bool CTextTable::QueryTableColumn(int index, int* out) const
{
    if (index != 0 || !out)
        return false;
    *out = m_column;
    return true;
}

void CTextTable::SetTableColumn(int index, int column)
{
    if (index == 0)
        m_column = static_cast<int16_t>(column);
}

bool CTextTable::UsesTableColumn(int column) const
{
    return column != -1 && m_column == column;
}

CText* CTextTable::Clone() const
{
    return new CTextTable(*this);
}

bool CTextTable::Load(CFile* file)
{
    RecordReader reader(file);
    int16_t column;
    if (!reader.I16(column))
        return false;
    m_column = column;
    return true;
}

bool CTextTable::Save(CFile* file) const
{
    RecordWriter writer(file);
    return writer.I16(m_column);
}

void CTextTable::FormatText(int row, char* out, int outSize, int, const CDataTableBase* table,
                            const CDataTableMap* columnMap, bool design) const
{
    if (design) {
        char placeholder[4] = { '[', ColumnLetter(m_column), ']', '\0' };
        CopyTextBounded(out, outSize, placeholder);
        return;
    }
    CopyTextBounded(out, outSize, ReadTableCell(table, columnMap, row, m_column));
}

bool CTextTable::GetColumnName(char* out, int size) const
{
    if (m_column >= 0) {
        char name[2] = { ColumnLetter(m_column), '\0' };
        CopyTextBounded(out, size, name);
    }
    return true;
}

bool CTextTable::SetColumnName(const char* name)
{
    m_column = static_cast<int16_t>(ColumnFromLetter(name ? name[0] : '\0'));
    return true;
}

// ==== CTextTableExt ==============================================================================

namespace {
const int32_t kAlwaysSeparateFlag = 1;
const int kJoinedCellMax = 255;          // the second and third cells are read up to this length
}

bool CTextTableExt::QueryTableColumn(int index, int* out) const
{
    if (!out)
        return false;
    switch (index) {
    case 0: *out = m_column; return true;
    case 1: *out = m_column2; return true;
    case 2: *out = m_column3; return true;
    default: return false;
    }
}

void CTextTableExt::SetTableColumn(int index, int column)
{
    switch (index) {
    case 0: m_column = static_cast<int16_t>(column); break;
    case 1: m_column2 = static_cast<int16_t>(column); break;
    case 2: m_column3 = static_cast<int16_t>(column); break;
    default: break;
    }
}

bool CTextTableExt::UsesTableColumn(int column) const
{
    return column != -1 && (m_column == column || m_column2 == column || m_column3 == column);
}

CText* CTextTableExt::Clone() const
{
    return new CTextTableExt(*this);
}

bool CTextTableExt::Load(CFile* file)
{
    RecordReader reader(file);
    int16_t first, second, third;
    CString separator, reserved;
    int32_t flags;
    if (!reader.I16(first) || !reader.I16(second) || !reader.I16(third)
        || !ReadCountedText(reader, separator, kSeparatorMax) || !reader.I32(flags)
        || !ReadCountedText(reader, reserved, 0))
        return false;
    m_column = first;
    m_column2 = second;
    m_column3 = third;
    m_separator = separator;
    m_always = (flags & kAlwaysSeparateFlag) != 0;
    return true;
}

bool CTextTableExt::Save(CFile* file) const
{
    RecordWriter writer(file);
    writer.I16(m_column);
    writer.I16(m_column2);
    writer.I16(m_column3);
    WriteCountedText(writer, m_separator, kSeparatorMax);
    writer.I32(m_always ? kAlwaysSeparateFlag : 0);
    writer.I16(0);                       // the reserved text, always empty
    return writer.ok();
}

void CTextTableExt::FormatText(int row, char* out, int outSize, int, const CDataTableBase* table,
                               const CDataTableMap* columnMap, bool design) const
{
    CString text;
    if (design) {
        // The first letter stands even for no column; the others only when set.
        text += '[';
        text += ColumnLetter(m_column);
        for (int column : { static_cast<int>(m_column2), static_cast<int>(m_column3) }) {
            if (column < 0)
                continue;
            text += m_separator;
            if (m_separator == "\r\n")
                text += "  ";
            text += ColumnLetter(column);
        }
        text += ']';
    } else {
        text = ReadTableCell(table, columnMap, row, m_column);
        for (int column : { static_cast<int>(m_column2), static_cast<int>(m_column3) }) {
            if (column == -1)
                continue;
            CString cell = ReadTableCell(table, columnMap, row, column).Left(kJoinedCellMax);
            if (m_always || (!text.IsEmpty() && !cell.IsEmpty()))
                text += m_separator;
            text += cell;
        }
    }
    CopyTextBounded(out, outSize, text);
}

bool CTextTableExt::GetColumnName(char* out, int size) const
{
    CString name;
    for (int column : { static_cast<int>(m_column), static_cast<int>(m_column2),
                        static_cast<int>(m_column3) }) {
        if (column >= 0)
            name += ColumnLetter(column);
    }
    CopyTextBounded(out, size, name);
    return true;
}

bool CTextTableExt::SetColumnName(const char* name)
{
    if (!name)
        name = "";
    m_column = static_cast<int16_t>(ColumnFromLetter(name[0]));
    if (name[0] == '\0' || name[1] == '\0') {
        m_column2 = -1;
        m_column3 = -1;
        return true;
    }
    m_column2 = static_cast<int16_t>(ColumnFromLetter(name[1]));
    if (m_column2 < 0) {
        m_column3 = -1;
        return true;
    }
    m_column3 = static_cast<int16_t>(ColumnFromLetter(name[2]));
    return true;
}

bool CTextTableExt::GetSeparatorName(char* out, int size) const
{
    CString name;
    if (m_separator.IsEmpty())
        name = SeparatorDisplayName(0);
    else if (m_separator == " ")
        name = SeparatorDisplayName(1);
    else if (m_separator == "\r\n")
        name = SeparatorDisplayName(2);
    else
        name = m_separator;
    CopyTextBounded(out, size, name);
    return true;
}

void CTextTableExt::SetSeparatorName(const char* name)
{
    CString text(name);
    if (text == SeparatorDisplayName(0))
        m_separator.Empty();
    else if (text == SeparatorDisplayName(1))
        m_separator = " ";
    else if (text == SeparatorDisplayName(2))
        m_separator = "\r\n";
    else
        m_separator = text.Left(kSeparatorMax);
}

bool CTextTableExt::SetTableTextOption(bool on)
{
    m_tableTextOption = on ? 0 : 1;
    return true;
}

void ReportUnknownKey(int key, const char* caption)
{
    CString text;
    text.Format("key = %d", key);
    ShowMessageBox(GetActiveWindow(), text, caption, MB_OK);
}
