#pragma once
// The file dialog set-up of label definition files: the filter list and the flags of the save
// dialog. Showing the dialog stays with the caller (CLabelFileNew::SaveLabelFile).
#include <windows.h>
#include <commdlg.h>
#include <string>

// "Label files (*.label)|*.label||" -> "Label files (*.label)\0*.label\0\0": every '|' becomes a
// NUL, and the list always ends in two NULs.
std::string BuildFileDialogFilter(const char* filter);

// The flags of the label definition's save dialog: hide-read-only and the question before a
// file is replaced, for the first "Save label" as for "Save label as" (the dialog adds the
// explorer style and resizing).
DWORD LabelSaveDialogFlags();
