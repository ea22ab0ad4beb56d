#pragma once
// The device mode and device names of a named printer, read from the spooler, in the movable
// global blocks the print dialog takes; shared by the design view and the table view.
#include <windows.h>

// On success both handles are new blocks the caller owns (or hands to the application); the
// device mode is the driver's dmSize + dmDriverExtra bytes. False, with both null, for a printer
// that cannot be opened or has no whole device mode.
bool BuildPrinterHandles(const char* device, HGLOBAL& devMode, HGLOBAL& devNames);

class COstrelindSoftLabelDoc;

// The printer stored with the document's current template becomes the application's printer for
// the next job; nothing changes when none is stored, it cannot be opened or there is no application.
void SelectStoredPrinter(const COstrelindSoftLabelDoc& doc);
