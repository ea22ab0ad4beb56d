#pragma once
// The messages the document library shows about files it cannot read or write.
#include "framework/cstring.h"

#include <windows.h>

// "Can not open file %s" (string 892) with the path, cut to 299 characters.
CString CannotOpenFileText(const char* path);
// That text in an error box; owner null: the active window.
void ReportCannotOpenFile(const char* path, HWND owner = nullptr);
// "Corrupt file or wrong file version" in an error box.
void ReportCorruptFile();
