#pragma once
// While alive, the mouse wheel scrolls the given lines per notch (WHEEL_PAGESCROLL: a page) in
// every window of the program, whatever the system's setting; restores the previous source.
#include "framework/wheel.h"

class ScopedWheelLines {
public:
    explicit ScopedWheelLines(UINT lines) : m_previous(SetWheelLinesSource([lines] { return lines; })) {}
    ~ScopedWheelLines() { SetWheelLinesSource(m_previous); }
    ScopedWheelLines(const ScopedWheelLines&) = delete;
    ScopedWheelLines& operator=(const ScopedWheelLines&) = delete;

private:
    WheelLinesSource m_previous;
};
