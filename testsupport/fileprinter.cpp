#include "testsupport/fileprinter.h"

#include <winspool.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace printtest {

const char kPrinterName[] = "Korvelta PS";
const char kDriverName[] = "Korvelta PS Driver";

// A minimal PPD: A4 and Letter with 18 pt margins, 300 dpi.
const char* MinimalPpd()
{
    return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n*FileVersion: \"1.0\"\n*LanguageVersion: English\n"
           "*LanguageEncoding: ISOLatin1\n*PCFileName: \"KORVELTA.PPD\"\n*Manufacturer: \"Korvelta\"\n"
           "*Product: \"(Korvelta Test)\"\n*PSVersion: \"(3010.000) 0\"\n*ModelName: \"Korvelta Test PostScript\"\n"
           "*ShortNickName: \"Korvelta Test PS\"\n*NickName: \"Korvelta Test PostScript\"\n*LanguageLevel: \"3\"\n"
           "*ColorDevice: True\n*DefaultColorSpace: RGB\n*FileSystem: False\n*Throughput: \"1\"\n"
           "*LandscapeOrientation: Plus90\n*TTRasterizer: Type42\n*DefaultResolution: 300dpi\n"
           "*OpenUI *PageSize/Media Size: PickOne\n*OrderDependency: 10 AnySetup *PageSize\n*DefaultPageSize: A4\n"
           "*PageSize A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
           "*PageSize Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
           "*CloseUI: *PageSize\n*OpenUI *PageRegion/Media Size: PickOne\n"
           "*OrderDependency: 10 AnySetup *PageRegion\n*DefaultPageRegion: A4\n"
           "*PageRegion A4/A4: \"<</PageSize[595 842]/ImagingBBox null>>setpagedevice\"\n"
           "*PageRegion Letter/US Letter: \"<</PageSize[612 792]/ImagingBBox null>>setpagedevice\"\n"
           "*CloseUI: *PageRegion\n*DefaultImageableArea: A4\n*ImageableArea A4/A4: \"18 18 577 824\"\n"
           "*ImageableArea Letter/US Letter: \"18 18 594 774\"\n*DefaultPaperDimension: A4\n"
           "*PaperDimension A4/A4: \"595 842\"\n*PaperDimension Letter/US Letter: \"612 792\"\n"
           "*DefaultFont: Courier\n*Font Courier: Standard \"(002.004S)\" Standard ROM\n";
}

namespace {

// The shared driver: wineps.drv with the PPD above, added once per prefix.
bool EnsureDriver()
{
    char folder[MAX_PATH] = {};
    DWORD needed = 0;
    if (!::GetPrinterDriverDirectoryA(nullptr, nullptr, 1, reinterpret_cast<BYTE*>(folder), sizeof folder, &needed))
        return false;
    ::CreateDirectoryA(folder, nullptr);
    const std::string ppd = std::string(folder) + "\\korvelta.ppd";
    if (FILE* f = std::fopen(ppd.c_str(), "wb")) {
        std::fputs(MinimalPpd(), f);
        std::fclose(f);
    } else {
        return false;
    }
    DRIVER_INFO_3A driver = {};
    driver.cVersion = 3;
    driver.pName = const_cast<char*>(kDriverName);
    driver.pDriverPath = const_cast<char*>("wineps.drv");
    driver.pDataFile = const_cast<char*>("korvelta.ppd");
    driver.pConfigFile = const_cast<char*>("wineps.drv");
    return ::AddPrinterDriverA(nullptr, 3, reinterpret_cast<BYTE*>(&driver)) != FALSE;
}

} // namespace

bool InstallFilePrinter(const char* name, const char* portFile)
{
    HANDLE existing = nullptr;
    if (::OpenPrinterA(const_cast<char*>(name), &existing, nullptr)) {
        ::ClosePrinter(existing);
        return true;
    }
    if (!EnsureDriver())
        return false;
    PRINTER_INFO_2A printer = {};
    printer.pPrinterName = const_cast<char*>(name);
    printer.pPortName = const_cast<char*>(portFile);
    printer.pDriverName = const_cast<char*>(kDriverName);
    printer.pPrintProcessor = const_cast<char*>("WinPrint");
    printer.pDatatype = const_cast<char*>("RAW");
    printer.Attributes = PRINTER_ATTRIBUTE_LOCAL;
    HANDLE added = ::AddPrinterA(nullptr, 2, reinterpret_cast<BYTE*>(&printer));
    if (added == nullptr)
        return false;
    ::ClosePrinter(added);
    return true;
}

bool EnsureFilePrinter()
{
    char temp[MAX_PATH] = {};
    ::GetTempPathA(sizeof temp, temp);
    const std::string port = std::string(temp) + "korvelta-port.ps";
    return InstallFilePrinter(kPrinterName, port.c_str()) && ::SetDefaultPrinterA(kPrinterName) != FALSE;
}

// The printer's DEVMODE and DEVNAMES as the application would hold them.
bool PrinterHandles(HGLOBAL& devNames, HGLOBAL& devMode)
{
    devNames = devMode = nullptr;
    PRINTDLGA pd = {};
    pd.lStructSize = sizeof pd;
    pd.Flags = PD_RETURNDEFAULT;
    if (!::PrintDlgA(&pd))
        return false;
    devNames = pd.hDevNames;
    devMode = pd.hDevMode;
    return true;
}

std::vector<char> ReadFileBytes(const char* path)
{
    std::vector<char> bytes;
    if (FILE* f = std::fopen(path, "rb")) {
        char buffer[65536];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
            bytes.insert(bytes.end(), buffer, buffer + n);
        std::fclose(f);
    }
    return bytes;
}

} // namespace printtest
