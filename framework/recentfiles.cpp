#include "framework/recentfiles.h"

#include "framework/app.h"

namespace {
CString FullPath(const char* path)
{
    char full[MAX_PATH * 2];
    DWORD n = ::GetFullPathNameA(path, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full)
        return CString(path);
    return CString(full);
}
} // namespace

CRecentFileList::CRecentFileList(UINT start, const char* section, const char* entryFormat, int size)
    : m_nStart(start), m_section(section), m_entryFormat(entryFormat), m_size(size < 1 ? 1 : size)
{
}

void CRecentFileList::Add(const char* path)
{
    if (path == nullptr || *path == '\0')
        return;
    CString full = FullPath(path);
    for (size_t i = 0; i < m_names.size(); ++i) {
        if (m_names[i].CompareNoCase(full) == 0) {
            m_names.erase(m_names.begin() + static_cast<std::ptrdiff_t>(i));
            break;
        }
    }
    m_names.insert(m_names.begin(), full);
    if (static_cast<int>(m_names.size()) > m_size)
        m_names.resize(m_size);
}

void CRecentFileList::Remove(int index)
{
    if (index >= 0 && index < GetCount())
        m_names.erase(m_names.begin() + index);
}

void CRecentFileList::ReadList(CWinApp* app)
{
    m_names.clear();
    for (int i = 0; i < m_size; ++i) {
        CString entry;
        entry.Format(m_entryFormat, i + 1);
        CString name = app->GetProfileString(m_section, entry);
        if (name.IsEmpty())
            continue;
        bool seen = false;
        for (const CString& have : m_names)
            seen = seen || have.CompareNoCase(name) == 0;
        if (!seen)
            m_names.push_back(name);
    }
}

void CRecentFileList::WriteList(CWinApp* app) const
{
    for (int i = 0; i < m_size; ++i) {
        CString entry;
        entry.Format(m_entryFormat, i + 1);
        if (i < GetCount())
            app->WriteProfileString(m_section, entry, m_names[i]);
        else
            app->WriteProfileString(m_section, entry, nullptr);
    }
}

CString CRecentFileList::GetDisplayName(int index, int maxLength) const
{
    if (index < 0 || index >= GetCount())
        return CString();
    const CString& path = m_names[index];
    int slash = path.ReverseFind('\\');
    CString name = path.Mid(slash + 1);
    if (path.GetLength() <= maxLength)
        return path;
    if (name.GetLength() + 4 >= maxLength)
        return name;
    // Keep the drive or share start and the file name: "C:\...\name".
    int keep = maxLength - name.GetLength() - 4;
    return path.Left(keep) + "...\\" + name;
}
