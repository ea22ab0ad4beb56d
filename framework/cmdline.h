#pragma once
// CCommandLineInfo: what the program was asked to do at start: nothing given opens a new
// document, a path opens it, "/p path" prints it, "/pt path printer driver port" prints it on
// that printer. Flags are case-insensitive and start with '/' or '-'.
#include "framework/cstring.h"
#include <vector>

class CCommandLineInfo {
public:
    enum ShellCommand { FileNew, FileOpen, FilePrint, FilePrintTo, FileDDE, AppUnregister, FileNothing = -1 };

    CCommandLineInfo() = default;
    virtual ~CCommandLineInfo() = default;

    // One argument at a time: flag tells that it started with '/' or '-' (which is removed).
    virtual void ParseParam(const char* param, BOOL flag, BOOL last);

    ShellCommand m_nShellCommand = FileNew;
    CString m_strFileName;
    CString m_strPrinterName;
    CString m_strDriverName;
    CString m_strPortName;
    BOOL m_bShowSplash = TRUE;
    BOOL m_bRunEmbedded = FALSE;
    BOOL m_bRunAutomated = FALSE;

protected:
    void ParseParamFlag(const char* param);
    void ParseParamNotFlag(const char* param);
    void ParseLast(BOOL last);
};

// Splits a command line (arguments only, or a full one with skipProgram) with the Windows rules:
// blanks separate, quotes group, 2n backslashes before a quote give n and a grouping quote,
// 2n+1 give n and a literal quote.
std::vector<CString> SplitCommandLine(const char* commandLine, bool skipProgram = false);
// Feeds every argument of commandLine to info.
void ParseCommandLineInto(CCommandLineInfo& info, const char* commandLine);
