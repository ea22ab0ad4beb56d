#pragma once
// The name of this test run and the names made from it. ctest starts several test programs, and
// the same program again as its focus and locale variants, side by side in one Wine prefix: each
// run keeps its own profile key, DDE service, temporary folder and files by forming their names
// here, so that no run deletes or reads what another is using.
#include "framework/cstring.h"
#include <string>

// The run: the ctest test's name (KORVELTA_TEST_RUN, set for every test by
// cmake/KorveltaTest.cmake); started by hand, the program's file title and its process id.
const char* TestRunName();

// base + "-" + the run: an application (profile) name, a DDE service, a registry key name that no
// other run uses.
CString RunScopedName(const char* base);

// The run's own folder under %TEMP% (without a trailing backslash), made on first use; TempDir makes
// its folders here.
const CString& RunTempFolder();

// A file of the run's own in RunTempFolder().
std::string RunTempFile(const char* name);
