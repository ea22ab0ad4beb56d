#pragma once
// The mouse wheel as Windows programs read it. Touchpads and fine-step wheels send deltas smaller
// than one notch (WHEEL_DELTA): each window adds them up until they make whole steps, keeps what
// is left over for the next message and forgets it when the wheel turns the other way. How many
// lines a notch scrolls is the user's setting (SPI_GETWHEELSCROLLLINES), read through
// AfxGetWheelScrollLines so that tests can give their own.
#include <windows.h>
#include <functional>

// The lines one notch scrolls: WHEEL_PAGESCROLL for a page per notch, 0 for no scrolling; 3 when
// the system cannot tell.
UINT AfxGetWheelScrollLines();

// A source answers in place of the system. Setting returns the previous source; an empty one asks
// the system again.
using WheelLinesSource = std::function<UINT()>;
WheelLinesSource SetWheelLinesSource(WheelLinesSource source);

class CWheelAccumulator {
public:
    // The whole steps that delta (of WM_MOUSEWHEEL) adds up to, stepsPerNotch for a full notch:
    // positive towards the end of the document (the wheel turned towards the person), negative
    // towards its start. What does not make a whole step yet is kept for the next call; a change
    // of direction or of the steps per notch forgets it. No steps per notch scroll nothing.
    int Add(int delta, int stepsPerNotch);
    // The same under a wheel setting of lines per notch (AfxGetWheelScrollLines): the steps are
    // lines, or pages when the setting is WHEEL_PAGESCROLL (*pages tells which).
    int AddForSetting(int delta, UINT linesPerNotch, bool* pages);
    // Forgets what was kept.
    void Reset() { m_rest = 0; }

private:
    // Kept wheel movement, in units of one step per WHEEL_DELTA (delta times steps per notch).
    long long m_rest = 0;
    int m_stepsPerNotch = 0;
    bool m_pages = false;
};
