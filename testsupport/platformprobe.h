#pragma once
// What a test may ask of the platform only after checking that this display and this Wine build
// give it: the keyboard focus, activation and the pointer's position are answered differently by
// Wine's 32-bit and 64-bit builds and by a plain X server against a Wine desktop. A case that
// needs one of them probes first and, where the answer is not given, says so and is reported as
// skipped: never a silent pass.
#include <gtest/gtest.h>
#include <windows.h>

// Brings `wnd`'s top-level window to the front and gives `wnd` the keyboard focus; true when the
// platform then reports that focus.
bool ProbeKeyboardFocus(HWND wnd);
// Activates the top-level window `wnd`; true when the platform then reports it active.
bool ProbeActivation(HWND wnd);
// Moves the pointer to the screen point (x, y); true when the platform then reports it there.
bool ProbeCursorMoves(int x, int y);

// Ends the current case as skipped, with the reason in the output, when `probe` is false.
#define KORVELTA_NEEDS_PLATFORM(probe, what)                                                          \
    do {                                                                                             \
        if (!(probe))                                                                                \
            GTEST_SKIP() << "platform probe failed: " << (what)                                      \
                         << " is not given on this display and Wine build; nothing was asserted";    \
    } while (0)
