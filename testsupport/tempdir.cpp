#include "testsupport/tempdir.h"
#include "testsupport/testrun.h"

#include <windows.h>
#include <atomic>
#include <cstdlib>
#include <stdexcept>

bool RemoveTree(const char* path)
{
    if (!path || !*path)
        return false;
    bool ok = true;
    CString pattern = CString(path) + "\\*";
    WIN32_FIND_DATAA fd;
    HANDLE find = ::FindFirstFileA(pattern, &fd);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            CString name = fd.cFileName;
            if (name == "." || name == "..")
                continue;
            CString full = CString(path) + "\\" + name;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                ok = RemoveTree(full) && ok;
            } else {
                if (fd.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
                    ::SetFileAttributesA(full, FILE_ATTRIBUTE_NORMAL);
                ok = ::DeleteFileA(full) && ok;
            }
        } while (::FindNextFileA(find, &fd));
        ::FindClose(find);
    }
    return ::RemoveDirectoryA(path) && ok;
}

TempDir::TempDir()
{
    static std::atomic<unsigned> counter{ 0 };
    const CString& root = RunTempFolder();   // no other test program works in there
    for (int attempt = 0; attempt < 1000; ++attempt) {
        CString candidate;
        candidate.Format("%s\\korvelta-test-%lu-%u", root.GetString(), ::GetCurrentProcessId(),
                         counter++);
        if (::CreateDirectoryA(candidate, nullptr)) {
            m_path = candidate;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir()
{
    if (!m_path.IsEmpty())
        RemoveTree(m_path);
}

CString TempDir::Path(const char* name) const
{
    return m_path + "\\" + (name ? name : "");
}

bool TempDir::WriteBytes(const char* name, const void* data, size_t size) const
{
    HANDLE h = ::CreateFileA(Path(name), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = size == 0 || (::WriteFile(h, data, static_cast<DWORD>(size), &written, nullptr) &&
                            written == size);
    return ::CloseHandle(h) && ok;
}

std::string TempDir::ReadBytes(const char* name) const
{
    std::string out;
    HANDLE h = ::CreateFileA(Path(name), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return out;
    char buf[65536];
    DWORD got = 0;
    while (::ReadFile(h, buf, sizeof buf, &got, nullptr) && got > 0)
        out.append(buf, got);
    ::CloseHandle(h);
    return out;
}

std::string WinePath(const std::string& unixPath)
{
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

std::string OutputFolder(const char* variable, const TempDir& own)
{
    const char* out = variable ? std::getenv(variable) : nullptr;
    if (!out)
        return own.Path().GetString();
    const std::string folder = WinePath(out);
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
