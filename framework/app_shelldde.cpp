// CWinApp's answers to the shell's DDE requests while the program runs (the service itself is
// framework/shelldde.h): open a file, print it, print it on a given printer.
#include "framework/app.h"

#include "framework/doc.h"
#include "framework/doctempl.h"
#include "framework/frame.h"
#include "framework/shelldde.h"
#include "framework/stdids.h"
#include "framework/view.h"

#include <vector>

BOOL CWinApp::EnableShellOpen()
{
    if (m_shellDde == nullptr)
        m_shellDde.reset(new CShellDdeServer);
    if (m_shellDde->IsRunning())
        return TRUE;
    return m_shellDde->Start(m_strAppName, [this](const char* commands) { return OnDDECommand(commands); });
}

void CWinApp::DisableShellOpen()
{
    if (m_shellDde != nullptr)
        m_shellDde->Stop();
}

BOOL CWinApp::IsShellOpenEnabled() const
{
    return m_shellDde != nullptr && m_shellDde->IsRunning();
}

namespace {
// The arguments a command takes: [open(path)], [print(path)], [printto(path, printer[, driver[,
// port]])]; -1 for a command the program does not know.
int ShellCommandKind(const CShellDdeCommand& command)
{
    const size_t args = command.args.size();
    if (command.name.CompareNoCase("open") == 0 && args == 1)
        return 0;
    if (command.name.CompareNoCase("print") == 0 && args == 1)
        return 1;
    if (command.name.CompareNoCase("printto") == 0 && args >= 2 && args <= 4)
        return 2;
    return -1;
}
} // namespace

UINT CWinApp::OnDDECommand(const char* text)
{
    std::vector<CShellDdeCommand> commands;
    if (!ParseShellDdeCommands(text, commands))
        return DDE_FNOTPROCESSED;
    // Nothing is done unless every command is known and names a file.
    for (const CShellDdeCommand& command : commands)
        if (ShellCommandKind(command) < 0 || command.args[0].IsEmpty())
            return DDE_FNOTPROCESSED;
    // A modal dialog or message box holds the program: opening a window under it would let the
    // user reach documents the dialog works on. The shell may ask again.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr && !m_pMainWnd->IsWindowEnabled())
        return DDE_FBUSY;
    bool done = true;
    for (const CShellDdeCommand& command : commands) {
        if (ShellCommandKind(command) == 0)
            done = OpenForShell(command.args[0]) && done;
        else
            done = PrintForShell(command) && done;
    }
    return done ? DDE_FACK : DDE_FNOTPROCESSED;
}

bool CWinApp::OpenForShell(const CString& path)
{
    // A minimised program shows the file it was asked to open.
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr && m_pMainWnd->IsIconic())
        m_pMainWnd->ShowWindow(SW_RESTORE);
    return OpenDocumentFile(path) != nullptr;
}

bool CWinApp::PrintForShell(const CShellDdeCommand& command)
{
    CCommandLineInfo info;
    info.m_nShellCommand = ShellCommandKind(command) == 2 ? CCommandLineInfo::FilePrintTo : CCommandLineInfo::FilePrint;
    info.m_strFileName = command.args[0];
    if (command.args.size() > 1)
        info.m_strPrinterName = command.args[1];
    if (command.args.size() > 2)
        info.m_strDriverName = command.args[2];
    if (command.args.size() > 3)
        info.m_strPortName = command.args[3];
    // A document the user has open stays open; one opened only to be printed closes again.
    bool wasOpen = false;
    for (const auto& tmpl : m_templates) {
        CDocument* match = nullptr;
        if (tmpl->MatchDocType(info.m_strFileName, match) == CDocTemplate::yesAlreadyOpen)
            wasOpen = true;
    }
    CDocument* doc = OpenDocumentFile(info.m_strFileName);
    if (doc == nullptr)
        return false;
    CWnd* target = m_pMainWnd;
    for (CView* view : doc->GetViews()) {
        if (view->m_hWnd == nullptr)
            continue;
        if (CFrameWnd* frame = view->GetParentFrame()) {
            target = frame;
            break;
        }
    }
    if (target != nullptr && target->m_hWnd != nullptr) {
        m_pCmdInfo = &info;
        target->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT);
        m_pCmdInfo = nullptr;
    }
    if (!wasOpen)
        doc->OnCloseDocument();
    return target != nullptr;
}
