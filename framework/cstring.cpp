#include "framework/cstring.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

HINSTANCE g_resourceHandle = nullptr;

const char kWhitespace[] = " \t\r\n\v\f";

// Case folding of the ANSI code page (cp1252), built once from the system's own tables so that
// accented letters compare equal to their capitals as they do in the user's language.
struct FoldTable {
    unsigned char lower[256];
    FoldTable()
    {
        for (int i = 0; i < 256; ++i) {
            char c = static_cast<char>(i);
            if (i != 0)
                ::CharLowerBuffA(&c, 1);
            lower[i] = static_cast<unsigned char>(c);
        }
    }
};

const FoldTable& Fold()
{
    static const FoldTable table;
    return table;
}

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

} // namespace

HINSTANCE AfxGetResourceHandle()
{
    return g_resourceHandle ? g_resourceHandle : ::GetModuleHandleA(nullptr);
}

void AfxSetResourceHandle(HINSTANCE h) { g_resourceHandle = h; }

// ---- construction -------------------------------------------------------------------------------

CString::CString(const char* s) : m_s(s ? s : "") {}

CString::CString(const char* s, int len)
{
    if (s && len > 0)
        m_s.assign(s, static_cast<size_t>(len));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_s.assign(static_cast<size_t>(repeat), ch);
}

CString& CString::operator=(const char* s)
{
    m_s = s ? s : "";
    return *this;
}

CString& CString::operator=(char ch)
{
    m_s.assign(1, ch);
    return *this;
}

// ---- access and concatenation -------------------------------------------------------------------

char CString::GetAt(int i) const
{
    return (i >= 0 && i < GetLength()) ? m_s[static_cast<size_t>(i)] : '\0';
}

void CString::SetAt(int i, char ch)
{
    if (i >= 0 && i < GetLength())
        m_s[static_cast<size_t>(i)] = ch;
}

CString& CString::operator+=(const CString& s)
{
    m_s += s.m_s;
    return *this;
}

CString& CString::operator+=(const char* s)
{
    if (s)
        m_s += s;
    return *this;
}

CString& CString::operator+=(char ch)
{
    m_s += ch;
    return *this;
}

CString operator+(const CString& a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, const char* b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const char* a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(const CString& a, char b)
{
    CString r(a);
    r += b;
    return r;
}

CString operator+(char a, const CString& b)
{
    CString r(a);
    r += b;
    return r;
}

// ---- comparison ---------------------------------------------------------------------------------

int CString::Compare(const char* s) const
{
    return std::strcmp(m_s.c_str(), s ? s : "");
}

int CString::CompareNoCase(const char* s) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_s.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(s ? s : "");
    const FoldTable& f = Fold();
    for (;; ++a, ++b) {
        int ca = f.lower[*a];
        int cb = f.lower[*b];
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

// ---- extraction ---------------------------------------------------------------------------------

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    int len = GetLength();
    first = Clamp(first, 0, len);
    count = Clamp(count, 0, len - first);
    return CString(m_s.data() + first, count);
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    int len = GetLength();
    count = Clamp(count, 0, len);
    return Mid(len - count, count);
}

// ---- in-place changes ---------------------------------------------------------------------------

CString& CString::MakeUpper()
{
    if (!m_s.empty())
        ::CharUpperBuffA(&m_s[0], static_cast<DWORD>(m_s.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_s.empty())
        ::CharLowerBuffA(&m_s[0], static_cast<DWORD>(m_s.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_s.begin(), m_s.end());
    return *this;
}

CString& CString::Trim() { return TrimRight().TrimLeft(); }
CString& CString::Trim(char ch) { return TrimRight(ch).TrimLeft(ch); }
CString& CString::Trim(const char* chars) { return TrimRight(chars).TrimLeft(chars); }
CString& CString::TrimLeft() { return TrimLeft(kWhitespace); }
CString& CString::TrimRight() { return TrimRight(kWhitespace); }

CString& CString::TrimLeft(char ch)
{
    const char set[2] = { ch, '\0' };
    return ch ? TrimLeft(set) : *this;
}

CString& CString::TrimRight(char ch)
{
    const char set[2] = { ch, '\0' };
    return ch ? TrimRight(set) : *this;
}

CString& CString::TrimLeft(const char* chars)
{
    if (chars && *chars) {
        size_t n = m_s.find_first_not_of(chars);
        m_s.erase(0, n == std::string::npos ? m_s.size() : n);
    }
    return *this;
}

CString& CString::TrimRight(const char* chars)
{
    if (chars && *chars) {
        size_t n = m_s.find_last_not_of(chars);
        m_s.erase(n == std::string::npos ? 0 : n + 1);
    }
    return *this;
}

// ---- searching ----------------------------------------------------------------------------------

int CString::Find(char ch, int start) const
{
    if (start < 0 || start > GetLength())
        return -1;
    size_t n = m_s.find(ch, static_cast<size_t>(start));
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

int CString::Find(const char* sub, int start) const
{
    if (!sub || start < 0 || start > GetLength())
        return -1;
    size_t n = m_s.find(sub, static_cast<size_t>(start));
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

int CString::ReverseFind(char ch) const
{
    size_t n = m_s.rfind(ch);
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

int CString::FindOneOf(const char* chars) const
{
    if (!chars || !*chars)
        return -1;
    size_t n = m_s.find_first_of(chars);
    return n == std::string::npos ? -1 : static_cast<int>(n);
}

// ---- editing ------------------------------------------------------------------------------------

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    if (oldCh == newCh)
        return 0;
    for (char& c : m_s) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(const char* oldText, const char* newText)
{
    if (!oldText || !*oldText)
        return 0;
    const size_t oldLen = std::strlen(oldText);
    const std::string repl = newText ? newText : "";
    std::string out;
    int count = 0;
    size_t from = 0;
    for (size_t at; (at = m_s.find(oldText, from)) != std::string::npos; from = at + oldLen) {
        out.append(m_s, from, at - from);
        out += repl;
        ++count;
    }
    if (count) {
        out.append(m_s, from, std::string::npos);
        m_s.swap(out);
    }
    return count;
}

int CString::Remove(char ch)
{
    size_t before = m_s.size();
    m_s.erase(std::remove(m_s.begin(), m_s.end(), ch), m_s.end());
    return static_cast<int>(before - m_s.size());
}

int CString::Insert(int index, char ch)
{
    index = Clamp(index, 0, GetLength());
    m_s.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, const char* s)
{
    index = Clamp(index, 0, GetLength());
    if (s)
        m_s.insert(static_cast<size_t>(index), s);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    int len = GetLength();
    if (index >= 0 && index < len && count > 0)
        m_s.erase(static_cast<size_t>(index), static_cast<size_t>(std::min(count, len - index)));
    return GetLength();
}

// ---- formatting ---------------------------------------------------------------------------------
// The msvcrt entry points are named explicitly: in C++ mode MinGW routes the standard names
// (vsnprintf, printf, ...) to its own implementation, whose "%g" exponents and "nan"/"inf"
// spellings differ from what the Windows runtime prints.

void CString::FormatV(const char* fmt, va_list args)
{
    m_s.clear();
    AppendFormatV(fmt, args);
}

void CString::AppendFormatV(const char* fmt, va_list args)
{
    if (!fmt)
        return;
    va_list probe;
    va_copy(probe, args);
    int needed = ::_vscprintf(fmt, probe);
    va_end(probe);
    if (needed <= 0)
        return;
    const size_t old = m_s.size();
    m_s.resize(old + static_cast<size_t>(needed) + 1);
    va_list again;
    va_copy(again, args);
    int written = ::_vsnprintf(&m_s[old], static_cast<size_t>(needed) + 1, fmt, again);
    va_end(again);
    m_s.resize(old + static_cast<size_t>(written < 0 ? 0 : std::min(written, needed)));
}

void CString::Format(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    FormatV(fmt, args);
    va_end(args);
}

void CString::AppendFormat(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    AppendFormatV(fmt, args);
    va_end(args);
}

// ---- buffer access ------------------------------------------------------------------------------

char* CString::GetBuffer(int minLen)
{
    if (minLen > GetLength()) {
        // The caller may write up to minLen bytes plus a terminator; the length is settled by
        // ReleaseBuffer.
        m_s.resize(static_cast<size_t>(minLen), '\0');
    }
    return &m_s[0];
}

char* CString::GetBufferSetLength(int len)
{
    m_s.resize(static_cast<size_t>(std::max(len, 0)), '\0');
    return &m_s[0];
}

void CString::ReleaseBuffer(int newLen)
{
    if (newLen < 0)
        m_s.resize(std::strlen(m_s.c_str()));
    else
        m_s.resize(std::min(static_cast<size_t>(newLen), m_s.size()));
}

// ---- resources ----------------------------------------------------------------------------------

BOOL CString::LoadString(UINT id)
{
    m_s.clear();
    // A string table entry holds at most 65535 characters; grow until the text fits.
    std::vector<char> buf(256);
    for (;;) {
        int n = ::LoadStringA(AfxGetResourceHandle(), id, buf.data(), static_cast<int>(buf.size()));
        if (n <= 0)
            return FALSE;
        if (static_cast<size_t>(n) < buf.size() - 1 || buf.size() > 65536 * 2) {
            m_s.assign(buf.data(), static_cast<size_t>(n));
            return TRUE;
        }
        buf.resize(buf.size() * 4);
    }
}

bool CopyTextBounded(char* out, int size, const char* text)
{
    if (!out || size < 1)
        return false;
    size_t n = text ? std::strlen(text) : 0;
    if (n > static_cast<size_t>(size - 1))
        n = static_cast<size_t>(size - 1);
    if (n)
        std::memcpy(out, text, n);
    out[n] = '\0';
    return true;
}

CString LoadStringOr(UINT id, const char* fallback)
{
    CString text;
    if (!text.LoadString(id))
        text = fallback;
    return text;
}
