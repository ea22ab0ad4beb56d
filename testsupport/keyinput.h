#pragma once
// Keyboard input as the tests give it: a key message as the message loop would hand it on, and
// keys held down in this thread's key state (what GetKeyState answers).
#include <windows.h>

#include <initializer_list>

// A key message for wnd; key-up messages carry the previous-state and transition bits.
inline MSG KeyMessage(HWND wnd, UINT message, WPARAM key)
{
    MSG msg = {};
    msg.hwnd = wnd;
    msg.message = message;
    msg.wParam = key;
    msg.lParam = (message == WM_KEYUP || message == WM_SYSKEYUP) ? static_cast<LPARAM>(0xC0000001) : 1;
    return msg;
}

// Holds keys down in this thread's key state while it lives.
class HeldKeys {
public:
    explicit HeldKeys(std::initializer_list<int> keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        ::GetKeyboardState(state);
        for (int k : keys)
            state[k] = 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256];
};
