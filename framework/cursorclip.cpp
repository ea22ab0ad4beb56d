#include "framework/cursorclip.h"

#include <utility>

namespace {

CursorClipper& Clipper()
{
    static CursorClipper clipper;
    return clipper;
}

} // namespace

CursorClipper SetCursorClipper(CursorClipper clipper)
{
    std::swap(Clipper(), clipper);
    return clipper;
}

BOOL AfxClipCursor(const RECT* rect)
{
    if (Clipper()) {
        CursorClipper clipper = Clipper();
        return clipper(rect);
    }
    return ::ClipCursor(rect);
}
