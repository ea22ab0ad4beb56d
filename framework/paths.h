#pragma once
// Small helpers on file paths as the program writes them ('\\' or '/' between folders).
#include "framework/cstring.h"

// Whether path ends in extension (".proj"), ignoring case; false for a null path.
bool HasExtension(const char* path, const char* extension);
// File title of a path: the name after the last '\\', '/' or ':' without its last extension (a
// '.' that starts the name is not an extension).
CString FileTitleOf(const char* path);
