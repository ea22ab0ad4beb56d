// The counter content.
#include "labelmodel/textcontent.h"

#include "framework/recordio.h"

#include <climits>

namespace {
const int kAffixField = kCounterAffixMax + 1;    // bytes of the prefix and suffix fields

int ClampDigits(long long digits)
{
    if (digits < 0)
        return 0;
    return digits > kCounterDigitsMax ? kCounterDigitsMax : static_cast<int>(digits);
}
}

CText* CTextAutoIncrement::Clone() const
{
    return new CTextAutoIncrement(*this);
}

bool CTextAutoIncrement::Load(CFile* file)
{
    RecordReader reader(file);
    CString prefix, suffix;
    int32_t start, digits, reserved;
    bool zeroPad;
    if (!reader.FixedString(prefix, kAffixField) || !reader.FixedString(suffix, kAffixField)
        || !reader.I32(start) || !reader.I32(digits) || !reader.Bool(zeroPad)
        || !reader.I32(reserved))
        return false;
    m_prefix = prefix.Left(kCounterAffixMax);
    m_suffix = suffix.Left(kCounterAffixMax);
    m_start = start;
    m_digits = ClampDigits(digits);
    m_zeroPad = zeroPad;
    m_reserved = reserved;
    return true;
}

bool CTextAutoIncrement::Save(CFile* file) const
{
    RecordWriter writer(file);
    writer.FixedString(m_prefix, kAffixField);
    writer.FixedString(m_suffix, kAffixField);
    writer.I32(m_start);
    writer.I32(m_digits);
    writer.Bool(m_zeroPad);
    writer.I32(m_reserved);
    return writer.ok();
}

CString CTextAutoIncrement::CounterText(int row) const
{
    // Computed wide so that a start near the end of the range cannot overflow.
    long long number = (row <= 0) ? m_start : static_cast<long long>(m_start) + row - 1;
    CString text = m_prefix;
    if (m_zeroPad && m_digits > 0)
        text.AppendFormat("%0*I64d", m_digits, number);
    else
        text.AppendFormat("%I64d", number);
    text += m_suffix;
    return text;
}

void CTextAutoIncrement::FormatText(int row, char* out, int outSize, int, const CDataTableBase*,
                                    const CDataTableMap*, bool design) const
{
    CopyTextBounded(out, outSize, design ? CString("{+1}") : CounterText(row));
}

bool CTextAutoIncrement::GetCounterPrefix(char* out, int size) const
{
    CopyTextBounded(out, size, m_prefix);
    return true;
}

void CTextAutoIncrement::SetCounterPrefix(const char* prefix)
{
    m_prefix = CString(prefix).Left(kCounterAffixMax);
}

bool CTextAutoIncrement::GetCounterStartText(char* out, int size) const
{
    CString text;
    text.Format("%i", m_start);
    CopyTextBounded(out, size, text);
    return true;
}

void CTextAutoIncrement::SetCounterStartText(const char* text)
{
    long long value;
    if (!ScanDecimal(text, &value))
        return;
    if (value > INT_MAX)
        value = INT_MAX;
    if (value < INT_MIN)
        value = INT_MIN;
    m_start = static_cast<int32_t>(value);
}

bool CTextAutoIncrement::GetCounterSuffix(char* out, int size) const
{
    CopyTextBounded(out, size, m_suffix);
    return true;
}

void CTextAutoIncrement::SetCounterSuffix(const char* suffix)
{
    m_suffix = CString(suffix).Left(kCounterAffixMax);
}

bool CTextAutoIncrement::GetCounterDigitsText(char* out, int size) const
{
    CString text;
    text.Format("%i", m_digits);
    CopyTextBounded(out, size, text);
    return true;
}

void CTextAutoIncrement::SetCounterDigitsText(const char* text)
{
    long long value;
    if (ScanDecimal(text, &value) && value >= 0)
        m_digits = ClampDigits(value);
}

void CTextAutoIncrement::AdvanceCounter(int n)
{
    // Saturates instead of wrapping to a negative start.
    long long start = static_cast<long long>(m_start) + n;
    if (start > INT_MAX)
        start = INT_MAX;
    if (start < INT_MIN)
        start = INT_MIN;
    m_start = static_cast<int32_t>(start);
}
