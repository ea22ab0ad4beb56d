#include "framework/guard.h"

#include <windows.h>
#include <string>

namespace guard_detail {

void ReportException(const char* what) noexcept
{
    try {
        std::string line = "KORVELTA-PRINT: unhandled exception: ";
        line += what ? what : "(null)";
        line += "\n";
        OutputDebugStringA(line.c_str());
    } catch (...) {
        OutputDebugStringA("KORVELTA-PRINT: unhandled exception\n");
    }
}

} // namespace guard_detail
