#pragma once
// Every confinement of the mouse pointer (rubber bands, drags, border sizing) and every release of
// it goes through AfxClipCursor, so that tests can record what the program asked for: what the
// platform then does with the rectangle differs between Wine builds (one keeps it, one drops it).
#include <windows.h>
#include <functional>

// ClipCursor(rect); nullptr frees the pointer. Answers what the platform answered.
BOOL AfxClipCursor(const RECT* rect);

// A clipper answers in place of the platform: rect is nullptr for a release. Setting returns the
// previous clipper; an empty one hands the calls to the platform.
using CursorClipper = std::function<BOOL(const RECT* rect)>;
CursorClipper SetCursorClipper(CursorClipper clipper);
