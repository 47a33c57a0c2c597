// The screen of a full-screen program: a background with a movable view, flipping
// with recovery of lost surfaces, text and a frame counter.
#pragma once
#include "MediaLib.h"

class CScreen : public CMediaLib {
public:
    void LoadBackground(const char* pszFile, int nWidth, int nHeight);
    void SetView(int x, int y, int nWidth, int nHeight);
    BOOL MoveViewRight(int nDistance);
    BOOL MoveViewLeft(int nDistance);
    BOOL MoveViewUp(int nDistance);
    BOOL MoveViewDown(int nDistance);
    void Flip();
    BOOL CreateTextFont(const char* pszFace, int nHeight, BOOL bBold, DWORD dwItalic,
                        DWORD dwUnderline);
    BOOL PrintText(int x, int y, const char* pszText, COLORREF crColor);
    void ReleaseDisplay();
    int CountFps();
    void DrawFps(int x, int y);
    void ClearBackBuffer(DWORD dwFill);

    // A new screen holds nothing: no background, an empty view, no bounds, no font.
    IDirectDrawSurface7* m_pBackground = nullptr;
    RECT m_rcView = {0, 0, 0, 0};
    int m_nLimitX = 0;
    int m_nLimitY = 0;
    HFONT m_hFont = nullptr;
};

// The frame counter, shared by every screen.
extern DWORD g_dwFpsTick;
extern int g_nFrameCount;
extern int g_nFps;
