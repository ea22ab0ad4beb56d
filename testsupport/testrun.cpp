#include "testsupport/testrun.h"

#include <windows.h>
#include <cstdlib>
#include <stdexcept>

namespace {

// Letters, digits, '-' and '_' only: the name goes into key, service and folder names.
std::string Tame(std::string name)
{
    for (char& c : name) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                           c == '-' || c == '_';
        if (!plain)
            c = '_';
    }
    return name;
}

// The test program's file name without its folder and extension.
std::string ExecutableTitle()
{
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string title = module;
    const size_t slash = title.find_last_of("\\/");
    if (slash != std::string::npos)
        title.erase(0, slash + 1);
    const size_t dot = title.rfind('.');
    if (dot != std::string::npos)
        title.erase(dot);
    return title.empty() ? std::string("test") : title;
}

std::string MakeRunName()
{
    const char* run = std::getenv("KORVELTA_TEST_RUN");
    if (run != nullptr && *run != '\0')
        return Tame(run);
    // By hand nothing says which run this is: the process id keeps two at once apart.
    return Tame(ExecutableTitle() + "-" + std::to_string(::GetCurrentProcessId()));
}

// Removes the run's folder at exit when the tests left it empty (a run by hand would otherwise
// leave one behind per process).
struct RunFolder {
    CString path;
    ~RunFolder()
    {
        if (!path.IsEmpty())
            ::RemoveDirectoryA(path);
    }
};

CString MakeRunFolder()
{
    char base[MAX_PATH + 1] = {};
    const DWORD n = ::GetTempPathA(MAX_PATH, base);
    if (n == 0 || n > MAX_PATH)
        throw std::runtime_error("GetTempPath failed");
    CString path(base);
    path.TrimRight("\\/");
    path += CString("\\korvelta-") + TestRunName();
    if (!::CreateDirectoryA(path, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
        throw std::runtime_error("cannot create the run's temporary folder");
    return path;
}

} // namespace

const char* TestRunName()
{
    static const std::string name = MakeRunName();
    return name.c_str();
}

CString RunScopedName(const char* base)
{
    return CString(base) + "-" + TestRunName();
}

const CString& RunTempFolder()
{
    static const RunFolder folder{ MakeRunFolder() };
    return folder.path;
}

std::string RunTempFile(const char* name)
{
    return std::string(RunTempFolder().GetString()) + "\\" + name;
}
