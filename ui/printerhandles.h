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

class CPrintInfo;

// The printer a "/pt path printer driver port" command line names, for that one job: its device
// mode and names go into the job's print dialog before the document prepares the page set-up, so
// that orientation, paper, a stored device mode and the compensation are that printer's. The
// application's printer and the template's stored printer stay as they are. The handles are
// freed with this object, which must outlive the job.
class CommandLinePrinter {
public:
    CommandLinePrinter() = default;
    ~CommandLinePrinter();
    CommandLinePrinter(const CommandLinePrinter&) = delete;
    CommandLinePrinter& operator=(const CommandLinePrinter&) = delete;

    // True without such a command line (nothing done) and when the printer was put into the
    // dialog; false, after a message naming the printer, when the spooler does not know it.
    bool Select(CPrintInfo& info);

private:
    HGLOBAL m_devMode = nullptr;
    HGLOBAL m_devNames = nullptr;
};
