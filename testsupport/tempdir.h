#pragma once
// TempDir: a fresh folder for one test in the run's own temporary folder (testrun.h), removed
// with everything in it on destruction.
#include "framework/cstring.h"
#include <string>

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const CString& Path() const { return m_path; }   // without a trailing backslash
    CString Path(const char* name) const;            // Path() + "\\" + name

    // Convenience for fixtures: writes/reads a whole file; false/empty on failure.
    bool WriteBytes(const char* name, const void* data, size_t size) const;
    std::string ReadBytes(const char* name) const;

private:
    CString m_path;
};

// Removes a folder and everything below it; false when something could not be removed.
bool RemoveTree(const char* path);

// A Unix path as the Windows side sees it (Wine maps Z: to the root).
std::string WinePath(const std::string& unixPath);
// Where a test leaves files for a check that runs after it: the folder the environment variable
// names (a Unix path; made when missing) when it is set, else the test's own folder.
std::string OutputFolder(const char* variable, const TempDir& own);
