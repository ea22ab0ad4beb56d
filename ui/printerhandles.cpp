#include "ui/printerhandles.h"

bool BuildPrinterHandles(const char*, HGLOBAL& devMode, HGLOBAL& devNames)
{
    devMode = nullptr;
    devNames = nullptr;
    return false;
}
