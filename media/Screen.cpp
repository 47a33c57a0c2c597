#include "Screen.h"
#include "MediaPlatform.h"
#include <climits>
#include <cstdio>
#include <cstring>

DWORD g_dwFpsTick = 0;
int g_nFrameCount = 0;
int g_nFps = 0;

namespace {

void ReleaseSurface(IDirectDrawSurface7*& pSurface)
{
    if (pSurface) {
        pSurface->Release();
        pSurface = nullptr;
    }
}

LONG WrappingSum(LONG a, LONG b)
{
    return static_cast<LONG>(static_cast<unsigned long>(a) + static_cast<unsigned long>(b));
}

bool FitsLong(long long n)
{
    return n >= LONG_MIN && n <= LONG_MAX;
}

// Both edges of an axis move, or neither. The edges are worked out 64 bits wide, and a
// step that would take one outside the 32-bit range is refused like a step past a bound.
BOOL ShiftAxis(LONG& nLow, LONG& nHigh, long long nDistance)
{
    const long long nNewLow = nLow + nDistance;
    const long long nNewHigh = nHigh + nDistance;
    if (!FitsLong(nNewLow) || !FitsLong(nNewHigh))
        return 0;
    nLow = static_cast<LONG>(nNewLow);
    nHigh = static_cast<LONG>(nNewHigh);
    return 1;
}

// Only the background view is put back: the rest of the frame comes with the next one.
void RestoreWithView(IDirectDrawSurface7* pTarget, IDirectDrawSurface7* pBackground, RECT* pView)
{
    if (pTarget->Restore() == DD_OK && pBackground)
        pTarget->Blt(nullptr, pBackground, pView, DDBLT_WAIT, nullptr);
}

} // namespace

void CScreen::LoadBackground(const char* pszFile, int nWidth, int nHeight)
{
    ReleaseSurface(m_pBackground);
    m_pBackground = LoadBitmapSurface(pszFile);
    SetView(0, 0, nWidth, nHeight);
    m_nLimitX = nWidth;
    m_nLimitY = nHeight;
}

void CScreen::SetView(int x, int y, int nWidth, int nHeight)
{
    m_rcView.left = x;
    m_rcView.top = y;
    m_rcView.right = WrappingSum(x, nWidth);
    m_rcView.bottom = WrappingSum(y, nHeight);
}

BOOL CScreen::MoveViewRight(int nDistance)
{
    if (static_cast<long long>(m_rcView.right) + nDistance >= m_nLimitX)
        return 0;
    return ShiftAxis(m_rcView.left, m_rcView.right, nDistance);
}

BOOL CScreen::MoveViewLeft(int nDistance)
{
    if (static_cast<long long>(m_rcView.left) - nDistance <= 0)
        return 0;
    return ShiftAxis(m_rcView.left, m_rcView.right, -static_cast<long long>(nDistance));
}

BOOL CScreen::MoveViewUp(int nDistance)
{
    if (static_cast<long long>(m_rcView.top) - nDistance <= 0)
        return 0;
    return ShiftAxis(m_rcView.top, m_rcView.bottom, -static_cast<long long>(nDistance));
}

BOOL CScreen::MoveViewDown(int nDistance)
{
    if (static_cast<long long>(m_rcView.bottom) + nDistance >= m_nLimitY)
        return 0;
    return ShiftAxis(m_rcView.top, m_rcView.bottom, nDistance);
}

void CScreen::Flip()
{
    if (!g_pPrimarySurface)
        return;
    if (g_pPrimarySurface->Flip(nullptr, DDFLIP_WAIT) != DDERR_SURFACELOST)
        return;
    RestoreWithView(g_pPrimarySurface, m_pBackground, &m_rcView);
    if (g_pBackSurface)
        RestoreWithView(g_pBackSurface, m_pBackground, &m_rcView);
}

BOOL CScreen::CreateTextFont(const char* pszFace, int nHeight, BOOL bBold, DWORD dwItalic,
                             DWORD dwUnderline)
{
    // A font made over a held one replaces it; the old one would be lost otherwise.
    if (m_hFont) {
        DeleteObject(m_hFont);
        m_hFont = nullptr;
    }
    m_hFont = CreateFontA(nHeight, 0, 0, 0, bBold ? FW_BOLD : FW_DONTCARE, dwItalic, dwUnderline,
                          0, THAI_CHARSET, OUT_CHARACTER_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, pszFace);
    return m_hFont ? 1 : 0;
}

BOOL CScreen::PrintText(int x, int y, const char* pszText, COLORREF crColor)
{
    HDC hdc = nullptr;
    if (!pszText || !g_pBackSurface || g_pBackSurface->GetDC(&hdc) != DD_OK)
        return 0;
    if (m_hFont)
        SelectObject(hdc, m_hFont);
    SetTextColor(hdc, crColor);
    SetBkMode(hdc, TRANSPARENT);
    TextOutA(hdc, x, y, pszText, static_cast<int>(std::strlen(pszText)));
    g_pBackSurface->ReleaseDC(hdc);
    return 1;
}

void CScreen::ReleaseDisplay()
{
    ReleaseSurface(m_pBackground);
    ReleaseSurface(g_pBackSurface);
    ReleaseSurface(g_pPrimarySurface);
    if (g_pDirectDraw) {
        g_pDirectDraw->Release();
        g_pDirectDraw = nullptr;
    }
}

int CScreen::CountFps()
{
    const DWORD dwNow = g_mediaPlatform.GetTickCount();
    // Unsigned, so the window stays right across the tick count's wrap.
    if (dwNow - g_dwFpsTick >= 1000) {
        g_dwFpsTick = dwNow;
        g_nFps = g_nFrameCount;
        g_nFrameCount = 0;
    } else {
        ++g_nFrameCount;
    }
    return g_nFps;
}

void CScreen::DrawFps(int x, int y)
{
    char szText[32];
    std::snprintf(szText, sizeof szText, "fps = %d", CountFps());
    PrintText(x, y, szText, RGB(250, 0, 0));
}

void CScreen::ClearBackBuffer(DWORD dwFill)
{
    if (!g_pBackSurface)
        return;
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = dwFill;
    g_pBackSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}
