// The device mode and device names of a named printer, for the print dialog and the application.
#include "ui/printerhandles.h"

#include "document/labeldoc.h"
#include "framework/app.h"
#include "framework/cmdline.h"
#include "framework/msgbox.h"
#include "framework/print.h"

#include <winspool.h>
#include <cstddef>
#include <cstring>
#include <vector>

namespace {

// The smallest DEVMODE any driver writes: up to and including dmFields, which says what follows.
const size_t kDevModeMinimumSize = offsetof(DEVMODEA, dmFields) + sizeof(DWORD);

} // namespace

bool BuildPrinterHandles(const char* device, HGLOBAL& devMode, HGLOBAL& devNames)
{
    devMode = nullptr;
    devNames = nullptr;
    if (device == nullptr || *device == 0)
        return false;
    HANDLE printer = nullptr;
    if (!::OpenPrinterA(const_cast<char*>(device), &printer, nullptr) || printer == nullptr)
        return false;
    DWORD needed = 0;
    ::GetPrinterA(printer, 2, nullptr, 0, &needed);
    if (needed < sizeof(PRINTER_INFO_2A)) {
        ::ClosePrinter(printer);
        return false;
    }
    std::vector<BYTE> buffer(needed, 0);
    if (!::GetPrinterA(printer, 2, buffer.data(), needed, &needed)) {
        ::ClosePrinter(printer);
        return false;
    }
    ::ClosePrinter(printer);
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    if (info->pDevMode == nullptr)
        return false;

    // The device mode: the driver's own size of its fixed part and its extra bytes, all of which
    // must lie inside what the spooler filled in (a driver with a newer or older DEVMODE has a
    // dmSize other than ours; a copy of our size would cut or overrun it).
    const DEVMODEA* source = info->pDevMode;
    const BYTE* sourceBytes = reinterpret_cast<const BYTE*>(source);
    const BYTE* bufferEnd = buffer.data() + buffer.size();
    if (sourceBytes < buffer.data() || sourceBytes >= bufferEnd ||
        static_cast<size_t>(bufferEnd - sourceBytes) < kDevModeMinimumSize)
        return false;
    const size_t available = static_cast<size_t>(bufferEnd - sourceBytes);
    const size_t modeSize = static_cast<size_t>(source->dmSize) + source->dmDriverExtra;
    if (source->dmSize < kDevModeMinimumSize || modeSize > available)
        return false;
    HGLOBAL mode = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, modeSize);
    if (mode == nullptr)
        return false;
    void* target = ::GlobalLock(mode);
    if (target == nullptr) {
        ::GlobalFree(mode);
        return false;
    }
    std::memcpy(target, source, modeSize);
    ::GlobalUnlock(mode);

    // The device names: the header, then driver, printer and port, each with its zero.
    const char* driver = info->pDriverName ? info->pDriverName : "";
    const char* name = info->pPrinterName ? info->pPrinterName : device;
    const char* port = info->pPortName ? info->pPortName : "";
    const size_t driverLength = std::strlen(driver) + 1;
    const size_t nameLength = std::strlen(name) + 1;
    const size_t portLength = std::strlen(port) + 1;
    const size_t namesSize = sizeof(DEVNAMES) + driverLength + nameLength + portLength;
    HGLOBAL names = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, namesSize);
    if (names == nullptr) {
        ::GlobalFree(mode);
        return false;
    }
    if (auto* header = static_cast<DEVNAMES*>(::GlobalLock(names))) {
        char* base = reinterpret_cast<char*>(header);
        header->wDriverOffset = static_cast<WORD>(sizeof(DEVNAMES));
        header->wDeviceOffset = static_cast<WORD>(header->wDriverOffset + driverLength);
        header->wOutputOffset = static_cast<WORD>(header->wDeviceOffset + nameLength);
        header->wDefault = 0;
        std::memcpy(base + header->wDriverOffset, driver, driverLength);
        std::memcpy(base + header->wDeviceOffset, name, nameLength);
        std::memcpy(base + header->wOutputOffset, port, portLength);
        ::GlobalUnlock(names);
    }
    devMode = mode;
    devNames = names;
    return true;
}

void SelectStoredPrinter(const COstrelindSoftLabelDoc& doc)
{
    CString device, driver, port;
    doc.GetStoredPrinter(device, driver, port);
    CWinApp* app = AfxGetApp();
    if (app == nullptr || device.IsEmpty() || driver.IsEmpty() || port.IsEmpty())
        return;
    HGLOBAL devMode = nullptr, devNames = nullptr;
    if (BuildPrinterHandles(device, devMode, devNames))
        app->SelectPrinter(devNames, devMode);
}

CommandLinePrinter::~CommandLinePrinter()
{
    if (m_devMode != nullptr)
        ::GlobalFree(m_devMode);
    if (m_devNames != nullptr)
        ::GlobalFree(m_devNames);
}

bool CommandLinePrinter::Select(CPrintInfo& info)
{
    CWinApp* app = AfxGetApp();
    const CCommandLineInfo* cmd = app != nullptr ? app->m_pCmdInfo : nullptr;
    if (cmd == nullptr || cmd->m_nShellCommand != CCommandLineInfo::FilePrintTo || cmd->m_strPrinterName.IsEmpty())
        return true;
    HGLOBAL devMode = nullptr, devNames = nullptr;
    if (!BuildPrinterHandles(cmd->m_strPrinterName, devMode, devNames)) {
        // Printing on any other printer than the one asked for would waste its paper.
        CString text;
        text.Format("The printer \"%s\" was not found. Nothing was printed.", cmd->m_strPrinterName.GetString());
        CWnd* main = AfxGetMainWnd();
        ShowMessageBox(main ? main->GetSafeHwnd() : nullptr, text, nullptr, MB_OK | MB_ICONERROR);
        return false;
    }
    if (m_devMode != nullptr)
        ::GlobalFree(m_devMode);
    if (m_devNames != nullptr)
        ::GlobalFree(m_devNames);
    m_devMode = devMode;
    m_devNames = devNames;
    info.m_pPD->m_pd.hDevMode = devMode;
    info.m_pPD->m_pd.hDevNames = devNames;
    return true;
}
