#pragma once
// Writing a file so that a failure never costs the previous version: the content goes to a
// temporary file in the same folder, which replaces the target only once it is complete.
#include "framework/file.h"

#include <functional>

// Calls write with the temporary file open for writing; when write answers true and the file
// closes cleanly, the temporary file replaces path. False (and path untouched) otherwise.
bool WriteFileReplacing(const char* path, const std::function<bool(CFile&)>& write);
