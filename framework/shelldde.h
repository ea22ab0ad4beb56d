#pragma once
// Opening files from the shell while the program runs. CShellDdeServer is the program's DDE
// service (DDEML) under the application's name with the topic "System": the shell connects to it
// and sends its "ddeexec" command, such as [open("C:\a.proj")], which the server hands to the
// application. The commands are parsed here so that the application only dispatches them.
#include "framework/cstring.h"

#include <windows.h>
#include <ddeml.h>

#include <functional>
#include <vector>

// One command of an execute string: [name(arg, "arg", ...)].
struct CShellDdeCommand {
    CString name;
    std::vector<CString> args;
};

// Parses one or more bracketed commands. Arguments are quoted ("" inside quotes is one quote) or
// plain up to the next comma or parenthesis; blanks around them are dropped. False, and nothing
// in commands, when the text is not a sequence of well-formed commands.
bool ParseShellDdeCommands(const char* text, std::vector<CShellDdeCommand>& commands);

// The text of an execute transaction's data: ANSI from an ANSI client, UTF-16 from a Unicode one
// (converted to the ANSI code page); stops at the first NUL and never reads past size bytes.
CString DdeExecuteText(const BYTE* data, DWORD size);

class CShellDdeServer {
public:
    // The answer to an execute string: DDE_FACK (done), DDE_FBUSY (cannot now, e.g. a modal
    // dialog is open) or DDE_FNOTPROCESSED (a command it does not know or could not do).
    using Handler = std::function<UINT(const char* commands)>;

    static const char kTopic[];        // "System"

    CShellDdeServer() = default;
    ~CShellDdeServer();
    CShellDdeServer(const CShellDdeServer&) = delete;
    CShellDdeServer& operator=(const CShellDdeServer&) = delete;

    // Starts the service on this thread (its transactions arrive through this thread's messages);
    // false, and not running, when DDEML refuses. A running server is stopped first.
    bool Start(const char* service, Handler handler);
    // Withdraws the name and ends the DDEML instance; nothing when not running.
    void Stop();
    bool IsRunning() const { return m_instance != 0; }
    const CString& GetService() const { return m_service; }
    // Execute strings received so far (for the tests and the log of a session).
    int GetExecuteCount() const { return m_executes; }

private:
    static HDDEDATA CALLBACK Callback(UINT type, UINT format, HCONV conv, HSZ hsz1, HSZ hsz2, HDDEDATA data,
                                      ULONG_PTR data1, ULONG_PTR data2);
    HDDEDATA OnTransaction(UINT type, HSZ hsz1, HSZ hsz2, HDDEDATA data);

    DWORD m_instance = 0;
    HSZ m_serviceName = nullptr;
    HSZ m_topicName = nullptr;
    CString m_service;
    Handler m_handler;
    int m_executes = 0;
};
