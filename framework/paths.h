#pragma once
// Small helpers on file paths as the program writes them ('\\' or '/' between folders).
#include "framework/cstring.h"

// Whether path ends in extension (".proj"), ignoring case; false for a null path.
bool HasExtension(const char* path, const char* extension);
// File title of a path: the name after the last '\\', '/' or ':' without its last extension (a
// '.' that starts the name is not an extension).
CString FileTitleOf(const char* path);
// The folder with a '\\' at its end (none added to an empty one); a null folder is empty.
CString WithBackslash(const char* folder);
// Name and extension of a path (after the last '\\' or '/'); the extension keeps its dot.
void SplitFileName(const char* path, CString& name, CString& extension);
