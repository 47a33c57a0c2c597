#include "ClipView.h"
#include "BoxRecorder.h"
#include "Resource.h"
#include <algorithm>

Pixels Snapshot(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    BITMAPINFO info{};
    info.bmiHeader = { sizeof info.bmiHeader, w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0 };
    void* pBits = nullptr;
    HDC hScreen = ::GetDC(nullptr);
    HDC hMem = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateDIBSection(hMem, &info, DIB_RGB_COLORS, &pBits, nullptr, 0);
    HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
    ::BitBlt(hMem, 0, 0, w, h, hScreen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    Pixels pixels;
    for (int i = 0; i < w * h; i++) {
        DWORD bgrx = static_cast<const DWORD*>(pBits)[i];
        pixels.push_back(RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF));
    }
    ::SelectObject(hMem, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMem);
    ::ReleaseDC(nullptr, hScreen);
    return pixels;
}

bool Uniform(const Pixels& pixels)
{
    return std::all_of(pixels.begin(), pixels.end(), [&](COLORREF c) { return c == pixels.front(); });
}

bool Shows(const Pixels& pixels, COLORREF colour)
{
    return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
}

ClipRun WatchClip(HWND hBox)
{
    HWND hAnim = ::GetDlgItem(hBox, IDC_ANIMATE);
    ClipRun run;
    PumpFor(300);
    run.first = Snapshot(hAnim);
    PumpFor(400);
    run.later = Snapshot(hAnim);
    char text[256] = "";
    ::GetDlgItemTextA(hBox, IDC_MESSAGE, text, sizeof text);
    run.message = text;
    return run;
}

std::vector<std::string> PeopleShown(const Pixels& pixels)
{
    struct Wearer { const char* name; COLORREF colour; };
    // Shirts, and the thief's trousers: no other drawing uses these colours.
    const Wearer wearers[] = { { "dad", RGB(46, 139, 87) },  { "mom", RGB(214, 52, 71) },
                               { "son", RGB(250, 160, 20) }, { "daughter", RGB(236, 110, 180) },
                               { "thief", RGB(70, 70, 75) } };
    std::vector<std::string> shown;
    for (const Wearer& w : wearers) {
        if (Shows(pixels, w.colour))
            shown.push_back(w.name);
    }
    return shown;
}
