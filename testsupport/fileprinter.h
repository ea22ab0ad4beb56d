#pragma once
// A real PostScript printer in the Wine prefix for the print tests of every subsystem: the driver
// wineps.drv with a minimal PPD, its port a file, made the default printer; and the helpers that
// read what a job wrote.
#include <windows.h>
#include <vector>

namespace printtest {

// The printer's name.
extern const char kPrinterName[];

// A minimal PPD: A4 and Letter with 18 pt margins, 300 dpi.
const char* MinimalPpd();

// The driver every file printer of the tests uses (wineps.drv with the PPD below).
extern const char kDriverName[];

// Another printer on the same driver whose jobs go to portFile (a Windows path); once per prefix,
// not made the default.
bool InstallFilePrinter(const char* name, const char* portFile);

// Installs the printer once per prefix (driver wineps.drv with the PPD above; its port a file
// that jobs without an output file of their own go to) and makes it the default printer.
bool EnsureFilePrinter();

// The default printer's DEVMODE and DEVNAMES as the application would hold them (the caller frees
// them).
bool PrinterHandles(HGLOBAL& devNames, HGLOBAL& devMode);

// A whole file; empty when it can not be read.
std::vector<char> ReadFileBytes(const char* path);

} // namespace printtest
