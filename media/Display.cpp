// The full-screen display and the bitmap surfaces every screen and sprite draws from.
#include "MediaLib.h"
#include "MediaPlatform.h"
#include <cstring>

IDirectDraw7* g_pDirectDraw = nullptr;
IDirectDrawSurface7* g_pPrimarySurface = nullptr;
IDirectDrawSurface7* g_pBackSurface = nullptr;

namespace {

// The platform reads every byte of a description, so none may be left unset.
DDSURFACEDESC2 EmptySurfaceDesc()
{
    DDSURFACEDESC2 desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    return desc;
}

DDSURFACEDESC2 PrimarySurfaceDesc()
{
    DDSURFACEDESC2 desc = EmptySurfaceDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    return desc;
}

DDSCAPS2 BackBufferCaps()
{
    DDSCAPS2 caps;
    std::memset(&caps, 0, sizeof caps);
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    return caps;
}

// No pixel format is named: the surface takes the display mode's, so sprites and
// backgrounds copy onto the back buffer without conversion.
DDSURFACEDESC2 BitmapSurfaceDesc(const BITMAP& bm)
{
    DDSURFACEDESC2 desc = EmptySurfaceDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
    desc.dwHeight = static_cast<DWORD>(bm.bmHeight);
    desc.dwWidth = static_cast<DWORD>(bm.bmWidth);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    return desc;
}

BOOL DisplayError(HWND hWnd, const char* pszText)
{
    g_mediaPlatform.MessageBoxA(hWnd, pszText, "Error!!", MB_OK);
    return 0;
}

// Copies the whole picture 1:1 and frees the bitmap whatever happens, so a load
// leaves no GDI object behind.
void CopyBitmapToSurface(HBITMAP hBitmap, const BITMAP& bm, IDirectDrawSurface7* pSurface)
{
    HDC hdcSurface = nullptr;
    if (pSurface->GetDC(&hdcSurface) == DD_OK) {
        HDC hdcMemory = CreateCompatibleDC(hdcSurface);
        SelectObject(hdcMemory, hBitmap);
        BitBlt(hdcSurface, 0, 0, bm.bmWidth, bm.bmHeight, hdcMemory, 0, 0, SRCCOPY);
        pSurface->ReleaseDC(hdcSurface);
        DeleteDC(hdcMemory);
    }
    DeleteObject(hBitmap);
}

} // namespace

BOOL CMediaLib::InitDisplay(HWND hWnd, DWORD dwWidth, DWORD dwHeight, DWORD dwBitsPerPixel)
{
    if (g_mediaPlatform.DirectDrawCreateEx(nullptr, reinterpret_cast<LPVOID*>(&g_pDirectDraw),
                                           IID_IDirectDraw7, nullptr) != DD_OK)
        return 0;
    // Their results are left to the primary surface's creation: a refused mode shows
    // there, and a box about the mode would tell the user nothing more.
    g_pDirectDraw->SetCooperativeLevel(hWnd, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    g_pDirectDraw->SetDisplayMode(dwWidth, dwHeight, dwBitsPerPixel, 0, 0);

    DDSURFACEDESC2 primary = PrimarySurfaceDesc();
    if (g_pDirectDraw->CreateSurface(&primary, &g_pPrimarySurface, nullptr) != DD_OK)
        return DisplayError(hWnd, "ERROR Create surface");
    DDSCAPS2 back = BackBufferCaps();
    if (g_pPrimarySurface->GetAttachedSurface(&back, &g_pBackSurface) != DD_OK)
        return DisplayError(hWnd, "ERROR Create back surface");
    return 1;
}

IDirectDrawSurface7* CMediaLib::LoadBitmapSurface(const char* pszFile)
{
    if (!g_pDirectDraw || !pszFile)
        return nullptr;
    HBITMAP hBitmap = static_cast<HBITMAP>(g_mediaPlatform.LoadImageA(
        nullptr, pszFile, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_DEFAULTSIZE));
    if (!hBitmap)
        return nullptr;
    BITMAP bm;
    std::memset(&bm, 0, sizeof bm);
    GetObjectA(hBitmap, sizeof bm, &bm);

    DDSURFACEDESC2 desc = BitmapSurfaceDesc(bm);
    IDirectDrawSurface7* pSurface = nullptr;
    if (g_pDirectDraw->CreateSurface(&desc, &pSurface, nullptr) != DD_OK) {
        // A surface handed back with a result other than DD_OK is nobody's to keep.
        if (pSurface)
            pSurface->Release();
        DeleteObject(hBitmap);
        return nullptr;
    }
    CopyBitmapToSurface(hBitmap, bm, pSurface);
    return pSurface;
}
