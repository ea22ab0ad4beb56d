// The date and time contents. Dates and times are formatted by the system's default locale, as
// the user set it up, never by a fixed pattern.
#include "labelmodel/textcontent.h"

#include "framework/recordio.h"
#include "labelmodel/datecalc.h"

namespace {

LocalTimeSource g_clock = nullptr;

SYSTEMTIME Now()
{
    SYSTEMTIME now = {};
    if (g_clock)
        g_clock(&now);
    else
        GetLocalTime(&now);
    return now;
}

const int kFormatBuffer = 100;

CString ShortDate(const SYSTEMTIME& date)
{
    char buffer[kFormatBuffer] = {};
    if (!GetDateFormatA(LOCALE_SYSTEM_DEFAULT, DATE_SHORTDATE, &date, nullptr, buffer,
                        kFormatBuffer))
        buffer[0] = '\0';
    return CString(buffer);
}

// Today moved by a number of days; today itself when the result leaves the calendar.
SYSTEMTIME TodayPlus(int offset)
{
    SYSTEMTIME now = Now();
    int n = DayNumber(now.wYear, now.wMonth, now.wDay);
    int year, month, day;
    if (n < 0 || !DateFromDayNumber(n + offset, &year, &month, &day))
        return now;
    SYSTEMTIME date = {};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    date.wDayOfWeek = static_cast<WORD>((n + offset + 1) % 7);   // 0 Sunday, as the system counts
    return date;
}

} // namespace

LocalTimeSource SetTextContentClock(LocalTimeSource source)
{
    LocalTimeSource previous = g_clock;
    g_clock = source;
    return previous;
}

// ==== CTextDate ==================================================================================

CText* CTextDate::Clone() const
{
    return new CTextDate(*this);
}

bool CTextDate::Load(CFile*) { return true; }
bool CTextDate::Save(CFile*) const { return true; }

void CTextDate::FormatText(int, char* out, int outSize, int, const CDataTableBase*,
                           const CDataTableMap*, bool design) const
{
    CopyTextBounded(out, outSize, design ? CString("{date}") : ShortDate(Now()));
}

// ==== CTextDateExt ===============================================================================

bool CTextDateExt::QueryDatePart(int* out) const
{
    if (!out)
        return false;
    if (m_format == kFormatShort) {
        *out = 0;
        return true;
    }
    if (m_format == kFormatPart) {
        *out = m_part;
        return true;
    }
    return false;
}

void CTextDateExt::SetDatePart(int part)
{
    if (part == 0) {
        m_format = kFormatShort;
        m_part = 0;
    } else if (part >= kPartYear && part <= kPartWeek) {
        m_format = kFormatPart;
        m_part = static_cast<int16_t>(part);
    }
}

bool CTextDateExt::QueryDateOffset(int* out) const
{
    if (!out)
        return false;
    *out = m_offset;
    return true;
}

void CTextDateExt::SetDateOffset(int offset)
{
    m_offset = static_cast<int16_t>(offset);
}

CText* CTextDateExt::Clone() const
{
    return new CTextDateExt(*this);
}

bool CTextDateExt::Load(CFile* file)
{
    RecordReader reader(file);
    int16_t format, part, offset, reserved1, reserved2;
    if (!reader.I16(format) || !reader.I16(part) || !reader.I16(offset) || !reader.I16(reserved1)
        || !reader.I16(reserved2))
        return false;
    m_format = format;
    m_part = part;
    m_offset = offset;
    m_reserved1 = reserved1;
    m_reserved2 = reserved2;
    return true;
}

bool CTextDateExt::Save(CFile* file) const
{
    RecordWriter writer(file);
    writer.I16(m_format);
    writer.I16(m_part);
    writer.I16(m_offset);
    writer.I16(m_reserved1);
    writer.I16(m_reserved2);
    return writer.ok();
}

void CTextDateExt::FormatText(int, char* out, int outSize, int, const CDataTableBase*,
                              const CDataTableMap*, bool design) const
{
    if (design) {
        CopyTextBounded(out, outSize, "{Date}");
        return;
    }
    CString text;
    switch (m_format) {
    case kFormatEmpty:
    case kFormatBlank:
        break;
    case kFormatShort:
        text = ShortDate(TodayPlus(m_offset));
        break;
    case kFormatPart: {
        SYSTEMTIME date = TodayPlus(m_offset);
        switch (m_part) {
        case kPartYear: text.Format("%02i", date.wYear % 100); break;
        case kPartMonth: text.Format("%02i", date.wMonth); break;
        case kPartDay: text.Format("%02i", date.wDay); break;
        case kPartWeek: text.Format("%02i", WeekNumber(date.wYear, date.wMonth, date.wDay)); break;
        default: text = "?"; break;
        }
        break;
    }
    default:
        text = "?";
        break;
    }
    CopyTextBounded(out, outSize, text);
}

bool CTextDateExt::GetDatePartName(char* out, int size) const
{
    int index;
    // A part read from a file may lie outside the name table: then nothing is written.
    if (QueryDatePart(&index) && index >= 0 && index <= kPartWeek)
        CopyTextBounded(out, size, DatePartDisplayName(index));
    return true;
}

void CTextDateExt::SetDatePartByName(const char* name)
{
    CString text(name);
    for (int i = 0; i <= kPartWeek; ++i) {
        if (text.CompareNoCase(DatePartDisplayName(i)) == 0) {
            SetDatePart(i);
            return;
        }
    }
}

bool CTextDateExt::GetDateOffsetText(char* out, int size) const
{
    CString text;
    text.Format("%d", m_offset);
    CopyTextBounded(out, size, text);
    return true;
}

void CTextDateExt::SetDateOffsetText(const char* text)
{
    long long value;
    if (ScanDecimal(text, &value))
        m_offset = static_cast<int16_t>(static_cast<unsigned long long>(value) & 0xFFFF);
}

// ==== CTextTime ==================================================================================

CText* CTextTime::Clone() const
{
    return new CTextTime(*this);
}

bool CTextTime::Load(CFile*) { return true; }
bool CTextTime::Save(CFile*) const { return true; }

void CTextTime::FormatText(int, char* out, int outSize, int, const CDataTableBase*,
                           const CDataTableMap*, bool design) const
{
    if (design) {
        CopyTextBounded(out, outSize, "{time}");
        return;
    }
    SYSTEMTIME now = Now();
    char buffer[kFormatBuffer] = {};
    if (!GetTimeFormatA(LOCALE_SYSTEM_DEFAULT, 0, &now, nullptr, buffer, kFormatBuffer))
        buffer[0] = '\0';
    CopyTextBounded(out, outSize, buffer);
}
