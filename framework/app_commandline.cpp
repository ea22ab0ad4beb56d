// CWinApp's command line: what the program was asked to do at start (framework/cmdline.h).
#include "framework/app.h"

#include "framework/stdids.h"
#include "framework/wnd.h"

void CWinApp::ParseCommandLine(CCommandLineInfo& info)
{
    ParseCommandLineInto(info, m_strCmdLine);
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info)
{
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr || !m_templates.empty();
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FilePrint:
    case CCommandLineInfo::FilePrintTo: {
        // Print and leave. Such a run answers no shell requests: a print request of the shell
        // arriving while it prints would print the file a second time.
        DisableShellOpen();
        m_nCmdShow = SW_HIDE;
        CDocument* doc = OpenDocumentFile(info.m_strFileName);
        if (doc != nullptr && m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr) {
            m_pCmdInfo = &info;
            m_pMainWnd->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
            m_pCmdInfo = nullptr;
        }
        return FALSE;
    }
    case CCommandLineInfo::AppUnregister:
        return FALSE;
    default:
        return TRUE;
    }
}
