#pragma once
// The zoom commands of the ribbon and the percentage each stands for, shared by the design canvas
// and the sheet preview.
#include "ui/commandids.h"

#include <windows.h>

// The percentage of a zoom command; 0 for any other id.
inline int ZoomOfCommand(UINT id)
{
    switch (id) {
    case ID_ZOOM_50: return 50;
    case ID_ZOOM_75: return 75;
    case ID_ZOOM_100: return 100;
    case ID_ZOOM_200: return 200;
    case ID_ZOOM_300: return 300;
    case ID_ZOOM_400: return 400;
    default: return 0;
    }
}
