#pragma once
// GuardedCall: the one place where C++ exceptions stop before Win32 frames.
// MinGW's unwinder cannot cross user32/comctl32/COM frames, so every window procedure, dialog
// procedure, hook and COM entry point wraps its body in GuardedCall.
#include <exception>
#include <utility>

namespace guard_detail {
// Writes "<application name>: unhandled exception: <what>" to the debugger output.
void ReportException(const char* what) noexcept;
}

// Runs f(); on any exception reports it with OutputDebugString and returns onError.
template <class F>
auto GuardedCall(F&& f, decltype(f()) onError) -> decltype(f())
{
    try {
        return std::forward<F>(f)();
    } catch (const std::exception& e) {
        guard_detail::ReportException(e.what());
    } catch (...) {
        guard_detail::ReportException("unknown exception");
    }
    return onError;
}

// Same for bodies that return nothing.
template <class F>
void GuardedCall(F&& f)
{
    try {
        std::forward<F>(f)();
    } catch (const std::exception& e) {
        guard_detail::ReportException(e.what());
    } catch (...) {
        guard_detail::ReportException("unknown exception");
    }
}
