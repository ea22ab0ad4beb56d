// shellopen_probe: the helper of the shell-open check (ui/tests/shell_open_check.sh), run in the
// check's own Wine prefix beside the program. It writes projects, and reads what the program
// shows: its processes, main windows and the document windows inside them.
//   shellopen_probe make <path>                 writes a project with a label and a rectangle
//   shellopen_probe wait <count> <seconds>      waits until one program shows count document
//                                               windows; prints the state; exit 0 when it did
//   shellopen_probe state                       prints the state
//   shellopen_probe close <seconds>             asks every main window to close, waits for the
//                                               programs to end; exit 0 when they did
// The state lines: "processes N", "main windows N", "documents N", then "document <title>" each.
#include "document/labeldoc.h"
#include "labelmodel/graphcollection.h"
#include "labelmodel/graphshapes.h"
#include "labelmodel/template.h"
#include "ui/tests/rectangleproject.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kProgram[] = "KORVELTA-PRINT.exe";

std::vector<DWORD> ProgramProcesses()
{
    std::vector<DWORD> ids;
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return ids;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, kProgram) == 0)
            ids.push_back(entry.th32ProcessID);
    ::CloseHandle(snapshot);
    return ids;
}

// The main frame keeps its document windows in its tab area, the pane with this id.
const int kTabAreaId = 0xE900;

// Top-level windows whose caption starts with the program's name and that hold a tab area.
BOOL CALLBACK CollectMain(HWND wnd, LPARAM param)
{
    auto* found = reinterpret_cast<std::vector<HWND>*>(param);
    char caption[512] = {};
    ::GetWindowTextA(wnd, caption, sizeof caption);
    if (std::strncmp(caption, "KORVELTA-PRINT", 14) == 0 && ::GetDlgItem(wnd, kTabAreaId) != nullptr)
        found->push_back(wnd);
    return TRUE;
}

std::vector<HWND> MainWindows()
{
    std::vector<HWND> found;
    ::EnumWindows(CollectMain, reinterpret_cast<LPARAM>(&found));
    return found;
}

std::vector<std::string> Documents(HWND main)
{
    std::vector<std::string> titles;
    HWND client = ::GetDlgItem(main, kTabAreaId);
    for (HWND child = client ? ::GetWindow(client, GW_CHILD) : nullptr; child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char caption[512] = {};
        ::GetWindowTextA(child, caption, sizeof caption);
        titles.push_back(caption);
    }
    return titles;
}

struct State {
    size_t processes = 0;
    size_t mains = 0;
    std::vector<std::string> documents;
};

State Read()
{
    State state;
    state.processes = ProgramProcesses().size();
    std::vector<HWND> mains = MainWindows();
    state.mains = mains.size();
    for (HWND main : mains)
        for (const std::string& title : Documents(main))
            state.documents.push_back(title);
    return state;
}

void Print(const State& state)
{
    std::printf("processes %u\nmain windows %u\ndocuments %u\n", static_cast<unsigned>(state.processes),
                static_cast<unsigned>(state.mains), static_cast<unsigned>(state.documents.size()));
    for (const std::string& title : state.documents)
        std::printf("document %s\n", title.c_str());
    std::fflush(stdout);
}

int Usage()
{
    std::fprintf(stderr, "usage: shellopen_probe make <path> | wait <count> <seconds> | state | close <seconds>\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return Usage();
    const std::string command = argv[1];
    if (command == "make" && argc == 3)
        return WriteRectangleProject(argv[2], 2000) ? 0 : 1;
    if (command == "state") {
        Print(Read());
        return 0;
    }
    if (command == "wait" && argc == 4) {
        const size_t count = static_cast<size_t>(std::atoi(argv[2]));
        const DWORD limit = static_cast<DWORD>(std::atoi(argv[3])) * 1000;
        const DWORD start = ::GetTickCount();
        State state = Read();
        while (!(state.processes == 1 && state.mains == 1 && state.documents.size() == count) &&
               ::GetTickCount() - start < limit) {
            ::Sleep(250);
            state = Read();
        }
        Print(state);
        return state.processes == 1 && state.mains == 1 && state.documents.size() == count ? 0 : 1;
    }
    if (command == "close" && argc == 3) {
        const DWORD limit = static_cast<DWORD>(std::atoi(argv[2])) * 1000;
        for (HWND main : MainWindows())
            ::PostMessageA(main, WM_CLOSE, 0, 0);
        const DWORD start = ::GetTickCount();
        while (!ProgramProcesses().empty() && ::GetTickCount() - start < limit)
            ::Sleep(250);
        return ProgramProcesses().empty() ? 0 : 1;
    }
    return Usage();
}
