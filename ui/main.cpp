// Entry point of KORVELTA-PRINT. The main window arrives with the application object; until then
// the program starts, proves its resources load, and ends.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    char text[128] = {};
    // String 104 lives in the program's string table: a missing resource script shows up here.
    return LoadStringA(instance, 104, text, sizeof text) > 0 ? 0 : 1;
}
