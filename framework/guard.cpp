#include "framework/guard.h"
#include "framework/msgbox.h"

#include <windows.h>
#include <string>

namespace guard_detail {

void ReportException(const char* what) noexcept
{
    try {
        std::string line = AfxGetAppName();
        line += ": unhandled exception: ";
        line += what ? what : "(null)";
        line += "\n";
        OutputDebugStringA(line.c_str());
    } catch (...) {
        OutputDebugStringA("unhandled exception\n");
    }
}

} // namespace guard_detail
