#pragma once
// The fill dialogs' spin buttons: a spin changes the number in its field by the opposite of its
// delta (the up arrow of a spin with the default reversed range raises it), only when the field
// holds a number, and keeps it in 1..2000000000. The spin's own position never moves, so it never
// reaches an end of its range.
#include <windows.h>
#include <commctrl.h>
#include <cerrno>
#include <cstdlib>

inline void ApplySpinDelta(HWND dialog, int editId, const NMHDR* header, LRESULT* result)
{
    const NMUPDOWN* spin = reinterpret_cast<const NMUPDOWN*>(header);
    char text[64] = {};
    ::GetDlgItemTextA(dialog, editId, text, sizeof text);
    char* end = nullptr;
    errno = 0;
    long long value = std::strtoll(text, &end, 10);
    if (end != text && *end == '\0' && errno != ERANGE) {
        value -= spin->iDelta;
        if (value < 1)
            value = 1;
        if (value > 2000000000)
            value = 2000000000;
        char out[32];
        wsprintfA(out, "%d", static_cast<int>(value));
        ::SetDlgItemTextA(dialog, editId, out);
    }
    *result = 1;
}
