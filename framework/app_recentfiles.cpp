// CWinApp's recent file list: read from the profile at start, offered as ID_FILE_MRU_FILE1.. commands.
#include "framework/app.h"

#include "framework/stdids.h"

void CWinApp::LoadStdProfileSettings(UINT maxRecent)
{
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (maxRecent == 0)
        return;
    if (maxRecent > 16)
        maxRecent = 16;
    m_pRecentFileList = new CRecentFileList(ID_FILE_MRU_FILE1, "Recent File List", "File%d", static_cast<int>(maxRecent));
    m_pRecentFileList->ReadList(this);
}

void CWinApp::AddToRecentFileList(const char* path)
{
    if (m_pRecentFileList != nullptr)
        m_pRecentFileList->Add(path);
}

BOOL CWinApp::OnOpenRecentFile(UINT id)
{
    if (m_pRecentFileList == nullptr)
        return FALSE;
    int index = static_cast<int>(id) - static_cast<int>(m_pRecentFileList->m_nStart);
    if (index < 0 || index >= m_pRecentFileList->GetCount())
        return FALSE;
    CString path = (*m_pRecentFileList)[index];
    if (OpenDocumentFile(path) == nullptr)
        m_pRecentFileList->Remove(index);   // gone or unreadable: do not offer it again
    return TRUE;
}
