// Entry point of KORVELTA-PRINT: the one application object, and the framework's start-up and
// message loop around it.
#include "framework/app.h"
#include "ui/labelapp.h"

#include <windows.h>

COstrelindSoftLabelApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR cmdLine, int cmdShow)
{
    return AfxWinMain(instance, previous, cmdLine, cmdShow);
}
