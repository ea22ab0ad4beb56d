#include "framework/wheel.h"

#include <algorithm>
#include <utility>

namespace {

// More lines per notch than any setting asks for in earnest; it keeps the sums in range.
const UINT kMostLinesPerNotch = 10000;

WheelLinesSource& Source()
{
    static WheelLinesSource source;
    return source;
}

} // namespace

WheelLinesSource SetWheelLinesSource(WheelLinesSource source)
{
    std::swap(Source(), source);
    return source;
}

UINT AfxGetWheelScrollLines()
{
    if (Source()) {
        WheelLinesSource source = Source();
        return source();
    }
    UINT lines = 3;
    if (!::SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &lines, 0))
        lines = 3;
    return lines;
}

int CWheelAccumulator::Add(int delta, int stepsPerNotch)
{
    if (stepsPerNotch <= 0) {
        Reset();
        return 0;
    }
    const bool turned = (m_rest > 0 && delta < 0) || (m_rest < 0 && delta > 0);
    if (turned || stepsPerNotch != m_stepsPerNotch)
        Reset();
    m_stepsPerNotch = stepsPerNotch;
    m_rest += static_cast<long long>(delta) * stepsPerNotch;
    // Division truncates towards zero, so the rest keeps the sign of the movement.
    const long long steps = m_rest / WHEEL_DELTA;
    m_rest -= steps * WHEEL_DELTA;
    // A positive delta turns the wheel away from the person: towards the start.
    return static_cast<int>(-steps);
}

int CWheelAccumulator::AddForSetting(int delta, UINT linesPerNotch, bool* pages)
{
    const bool byPage = linesPerNotch == WHEEL_PAGESCROLL;
    if (pages != nullptr)
        *pages = byPage;
    if (byPage != m_pages)
        Reset();
    m_pages = byPage;
    return Add(delta, byPage ? 1 : static_cast<int>(std::min(linesPerNotch, kMostLinesPerNotch)));
}
