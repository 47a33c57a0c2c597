// The system keyboard, polled through DirectInput one key at a time.
#pragma once
#include <windows.h>
#include <dinput.h>

class CKeyboard {
public:
    BOOL Init(HINSTANCE hInst, HWND hWnd);
    BOOL IsKeyDown(int nKey);
    void Release();

    // A new keyboard holds neither object, and no key reads as down before the first read.
    BYTE m_keys[256] = {};
    IDirectInputA* m_pDI = nullptr;
    IDirectInputDeviceA* m_pDevice = nullptr;
};
