// A device context.
#pragma once
#include <windows.h>

class CDC {
public:
    CDC() : m_hDC(nullptr) {}
    virtual ~CDC() = default;

    HDC m_hDC;

    HDC GetSafeHdc() const { return m_hDC; }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
};
