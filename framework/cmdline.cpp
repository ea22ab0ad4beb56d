#include "framework/cmdline.h"

void CCommandLineInfo::ParseParam(const char* param, BOOL flag, BOOL last)
{
    if (flag)
        ParseParamFlag(param);
    else
        ParseParamNotFlag(param);
    ParseLast(last);
}

void CCommandLineInfo::ParseParamFlag(const char* param)
{
    CString name(param);
    if (name.CompareNoCase("pt") == 0) {
        m_nShellCommand = FilePrintTo;
    } else if (name.CompareNoCase("p") == 0) {
        m_nShellCommand = FilePrint;
    } else if (name.CompareNoCase("Unregister") == 0 || name.CompareNoCase("Unregserver") == 0) {
        m_nShellCommand = AppUnregister;
    } else if (name.CompareNoCase("dde") == 0) {
        m_nShellCommand = FileDDE;
    } else if (name.CompareNoCase("Embedding") == 0) {
        m_bRunEmbedded = TRUE;
        m_bShowSplash = FALSE;
    } else if (name.CompareNoCase("Automation") == 0) {
        m_bRunAutomated = TRUE;
        m_bShowSplash = FALSE;
    }
}

void CCommandLineInfo::ParseParamNotFlag(const char* param)
{
    if (m_strFileName.IsEmpty())
        m_strFileName = param;
    else if (m_nShellCommand == FilePrintTo && m_strPrinterName.IsEmpty())
        m_strPrinterName = param;
    else if (m_nShellCommand == FilePrintTo && m_strDriverName.IsEmpty())
        m_strDriverName = param;
    else if (m_nShellCommand == FilePrintTo && m_strPortName.IsEmpty())
        m_strPortName = param;
}

void CCommandLineInfo::ParseLast(BOOL last)
{
    if (!last)
        return;
    if (m_nShellCommand == FileNew && !m_strFileName.IsEmpty())
        m_nShellCommand = FileOpen;
    m_bShowSplash = !m_bRunEmbedded && !m_bRunAutomated;
}

std::vector<CString> SplitCommandLine(const char* commandLine, bool skipProgram)
{
    std::vector<CString> args;
    const char* p = commandLine ? commandLine : "";
    if (skipProgram) {
        // The program name ends at the next blank, or at the closing quote; no escapes in it.
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '"') {
            ++p;
            while (*p && *p != '"')
                ++p;
            if (*p == '"')
                ++p;
        } else {
            while (*p && *p != ' ' && *p != '\t')
                ++p;
        }
    }
    for (;;) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (*p == '\0')
            break;
        CString arg;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            int backslashes = 0;
            while (*p == '\\') {
                ++backslashes;
                ++p;
            }
            if (*p == '"') {
                arg += CString('\\', backslashes / 2);
                if (backslashes % 2 == 1) {
                    arg += '"';
                } else if (quoted && p[1] == '"') {
                    arg += '"';   // "" inside quotes is a literal quote
                    ++p;
                } else {
                    quoted = !quoted;
                }
                ++p;
            } else {
                if (backslashes > 0)
                    arg += CString('\\', backslashes);
                if (*p && (quoted || (*p != ' ' && *p != '\t'))) {
                    arg += *p;
                    ++p;
                }
            }
        }
        args.push_back(arg);
    }
    return args;
}

void ParseCommandLineInto(CCommandLineInfo& info, const char* commandLine)
{
    std::vector<CString> args = SplitCommandLine(commandLine);
    for (size_t i = 0; i < args.size(); ++i) {
        const CString& arg = args[i];
        BOOL flag = arg.GetLength() > 0 && (arg[0] == '/' || arg[0] == '-');
        CString param = flag ? arg.Mid(1) : arg;
        info.ParseParam(param, flag, i + 1 == args.size());
    }
}
