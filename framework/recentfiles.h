#pragma once
// CRecentFileList: the most-recently-used files, newest first, without duplicates (paths compare
// case-insensitively), at most `size` entries, stored as section "Recent File List" with entries
// "File1".."FileN" of the application's profile.
#include "framework/cstring.h"
#include <vector>

class CWinApp;

class CRecentFileList {
public:
    CRecentFileList(UINT start, const char* section, const char* entryFormat, int size);

    int GetSize() const { return m_size; }
    int GetCount() const { return static_cast<int>(m_names.size()); }
    const CString& operator[](int index) const { return m_names.at(index); }
    // Full path of `path` goes to the top; an older equal entry is dropped; the last falls off.
    void Add(const char* path);
    void Remove(int index);
    // "File1".. from the profile (empty entries skipped), and back (entries beyond the count cleared).
    void ReadList(CWinApp* app);
    void WriteList(CWinApp* app) const;
    // The name shown in menus: "&1 name" style is the caller's; this gives the file name, or the
    // path shortened with "..." to at most maxLength characters.
    CString GetDisplayName(int index, int maxLength = 40) const;

    UINT m_nStart;                     // command id of the first entry (ID_FILE_MRU_FILE1)

private:
    CString m_section;
    CString m_entryFormat;
    int m_size;
    std::vector<CString> m_names;
};
