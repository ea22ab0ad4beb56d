#pragma once
// CString: an 8-bit ANSI (cp1252) string with value semantics, shaped like the framework string the
// system was written against. Formatting goes through the Windows C runtime (msvcrt) so numbers read
// exactly as on Windows ("%g" of 1234567.0 is "1.23457e+006") and follow setlocale(LC_NUMERIC).
#include <windows.h>
#include <cstdarg>
#include <string>

class CString {
public:
    CString() = default;
    CString(const char* s);                 // nullptr gives an empty string
    CString(const char* s, int len);        // exactly len bytes (embedded NULs kept)
    explicit CString(char ch, int repeat = 1);
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(const char* s);
    CString& operator=(char ch);

    // Access
    operator const char*() const { return m_s.c_str(); }
    const char* GetString() const { return m_s.c_str(); }
    int GetLength() const { return static_cast<int>(m_s.size()); }
    bool IsEmpty() const { return m_s.empty(); }
    void Empty() { m_s.clear(); }
    char GetAt(int i) const;                // out of range gives '\0'
    void SetAt(int i, char ch);             // out of range is ignored
    char operator[](int i) const { return GetAt(i); }
    char operator[](unsigned int i) const { return GetAt(static_cast<int>(i)); }

    // Concatenation
    CString& operator+=(const CString& s);
    CString& operator+=(const char* s);
    CString& operator+=(char ch);
    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, const char* b);
    friend CString operator+(const char* a, const CString& b);
    friend CString operator+(const CString& a, char b);
    friend CString operator+(char a, const CString& b);

    // Comparison: case-sensitive byte order (strcmp) unless NoCase
    int Compare(const char* s) const;
    int CompareNoCase(const char* s) const;  // folds cp1252 letters too ("\xE5" equals "\xC5")
    friend bool operator==(const CString& a, const CString& b) { return a.m_s == b.m_s; }
    friend bool operator==(const CString& a, const char* b) { return a.Compare(b) == 0; }
    friend bool operator==(const char* a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator!=(const char* a, const CString& b) { return !(a == b); }
    friend bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
    friend bool operator<(const CString& a, const char* b) { return a.Compare(b) < 0; }
    friend bool operator<(const char* a, const CString& b) { return b.Compare(a) > 0; }

    // Extraction; arguments are clamped to the string, never out of range
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;

    // In-place changes; each returns *this
    CString& MakeUpper();                   // cp1252-aware (CharUpperBuffA)
    CString& MakeLower();
    CString& MakeReverse();
    CString& Trim();                        // whitespace: space, \t, \r, \n, \v, \f
    CString& Trim(char ch);
    CString& Trim(const char* chars);
    CString& TrimLeft();
    CString& TrimLeft(char ch);
    CString& TrimLeft(const char* chars);
    CString& TrimRight();
    CString& TrimRight(char ch);
    CString& TrimRight(const char* chars);

    // Searching: index or -1
    int Find(char ch, int start = 0) const;
    int Find(const char* sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(const char* chars) const;

    // Editing: Replace/Remove return the number of replacements; Insert/Delete the new length
    int Replace(char oldCh, char newCh);
    int Replace(const char* oldText, const char* newText);   // empty oldText replaces nothing
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, const char* s);
    int Delete(int index, int count = 1);

    // Formatting with the msvcrt printf family
    void Format(const char* fmt, ...) __attribute__((format(ms_printf, 2, 3)));
    void FormatV(const char* fmt, va_list args);
    void AppendFormat(const char* fmt, ...) __attribute__((format(ms_printf, 2, 3)));
    void AppendFormatV(const char* fmt, va_list args);

    // Direct buffer access: GetBuffer gives at least minLen+1 writable bytes; ReleaseBuffer(-1)
    // takes the length up to the first NUL, otherwise newLen bytes.
    char* GetBuffer(int minLen = 0);
    char* GetBufferSetLength(int len);
    void ReleaseBuffer(int newLen = -1);

    // Loads string `id` from the resource string table (see AfxGetResourceHandle).
    // Missing: returns FALSE and leaves the string empty.
    BOOL LoadString(UINT id);

    const std::string& str() const { return m_s; }

private:
    std::string m_s;
};

// Copies text into a caller's buffer: at most size - 1 characters, always terminated (null text:
// the empty text). False, and nothing written, for a null buffer or a size below 1.
bool CopyTextBounded(char* out, int size, const char* text);

// String id of the string table, or fallback when the table has no such string.
CString LoadStringOr(UINT id, const char* fallback);

// Module whose string table LoadString reads; defaults to the executable.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE h);
