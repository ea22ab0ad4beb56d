#pragma once
// The file dialog set-up of label definition files: the filter list and the fields of the
// common save dialog. Showing the dialog stays with the caller (CLabelFileNew::SaveLabelFile).
#include <windows.h>
#include <commdlg.h>
#include <string>

// "Label files (*.label)|*.label||" -> "Label files (*.label)\0*.label\0\0": every '|' becomes a
// NUL, and the list always ends in two NULs.
std::string BuildFileDialogFilter(const char* filter);

// Fills `ofn` for saving a label definition: default extension "label", the filter, the initial
// folder, hide-read-only, explorer style, resizable, and with `saveAs` the overwrite prompt.
// `fileBuffer` holds the proposed name on entry and the chosen path on return.
void PrepareLabelSaveDialog(OPENFILENAMEA& ofn, HWND parent, const std::string& filter,
                            char* fileBuffer, DWORD bufferSize, const char* initialFolder, bool saveAs);
