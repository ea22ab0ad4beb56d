#pragma once
// A DDE client as the shell is one: it connects to a service and topic and sends one execute
// string, on a thread of its own, while the calling thread keeps answering its windows (the
// server under test lives there). Used by the tests of the program's shell-open service.
#include <windows.h>
#include <ddeml.h>

#include <string>

struct DdeExecuteResult {
    bool connected = false;    // a conversation was made
    bool acknowledged = false; // the server answered DDE_FACK
    UINT error = 0;            // DdeGetLastError after a failure (DMLERR_BUSY, DMLERR_NOTPROCESSED, ...)
    bool finished = false;     // the client thread ended within the time given
};

// unicode: the client is a Unicode DDEML instance and sends UTF-16 text, as Wine's shell does.
DdeExecuteResult SendDdeExecute(const char* service, const char* topic, const std::string& command,
                                bool unicode = false, DWORD timeoutMs = 20000);
