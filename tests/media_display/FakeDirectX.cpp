#include "FakeDirectX.h"
#include "MediaLib.h"
#include "Screen.h"
#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <cstdint>
#include <map>

FakePlatformState g_fake;

namespace {

std::map<const void*, std::string>& FakeNames()
{
    static std::map<const void*, std::string> names;
    return names;
}

std::string Name(const void* p)
{
    if (!p)
        return "null";
    auto it = FakeNames().find(p);
    return it == FakeNames().end() ? "?" : it->second;
}

unsigned long Handle(const void* p)
{
    return static_cast<unsigned long>(reinterpret_cast<uintptr_t>(p));
}

std::string Format(const char* pszFormat, ...)
{
    char sz[256];
    va_list args;
    va_start(args, pszFormat);
    std::vsnprintf(sz, sizeof sz, pszFormat, args);
    va_end(args);
    return sz;
}

void Log(const std::string& call)
{
    Calls().push_back(call);
}

HRESULT WINAPI FakeDirectDrawCreateEx(GUID* pGuid, LPVOID* ppDD, REFIID iid, IUnknown* pOuter)
{
    Log(Format("DirectDrawCreateEx(guid=%s,iid=%s,outer=%s)", pGuid ? "given" : "null",
               iid == IID_IDirectDraw7 ? "IID_IDirectDraw7" : "other", Name(pOuter).c_str()));
    if (g_fake.directDrawResult == DD_OK)
        *ppDD = static_cast<IDirectDraw7*>(g_fake.directDraw);
    return g_fake.directDrawResult;
}

HRESULT WINAPI FakeDirectInputCreateA(HINSTANCE hInst, DWORD dwVersion, LPDIRECTINPUTA* ppDI,
                                      LPUNKNOWN pOuter)
{
    Log(Format("DirectInputCreateA(hinst=0x%lX,version=0x%04lX,outer=%s)", Handle(hInst),
               dwVersion, Name(pOuter).c_str()));
    if (g_fake.directInputResult == DI_OK)
        *ppDI = g_fake.directInput;
    return g_fake.directInputResult;
}

int WINAPI FakeMessageBoxA(HWND hWnd, LPCSTR pszText, LPCSTR pszCaption, UINT uType)
{
    Log("MessageBoxA");
    g_fake.boxes.push_back({hWnd, pszText, pszCaption, uType});
    return IDOK;
}

DWORD WINAPI FakeGetTickCount()
{
    if (g_fake.ticks.empty()) {
        ADD_FAILURE() << "GetTickCount called more often than the test gave ticks";
        return 0;
    }
    const DWORD dwTick = g_fake.ticks.front();
    g_fake.ticks.pop_front();
    return dwTick;
}

HANDLE WINAPI FakeLoadImageA(HINSTANCE hInst, LPCSTR pszName, UINT uType, int cx, int cy,
                             UINT fuLoad)
{
    Log(Format("LoadImageA(hinst=0x%lX,type=%u,cx=%d,cy=%d,flags=0x%X)", Handle(hInst),
               uType, cx, cy, fuLoad));
    HANDLE hImage = LoadImageA(hInst, pszName, uType, cx, cy, fuLoad);
    if (hImage)
        g_fake.bitmapsLoaded.push_back(static_cast<HBITMAP>(hImage));
    return hImage;
}

} // namespace

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

std::vector<std::string> CallsStartingWith(const std::string& prefix)
{
    std::vector<std::string> found;
    for (const std::string& call : Calls())
        if (call.compare(0, prefix.size(), prefix) == 0)
            found.push_back(call);
    return found;
}

Bytes RecordWith(size_t size, std::initializer_list<std::pair<size_t, DWORD>> fields)
{
    Bytes record(size, 0);
    for (const auto& field : fields)
        std::memcpy(&record[field.first], &field.second, sizeof field.second);
    return record;
}

std::string RectText(const RECT* rc)
{
    return rc ? Format("(%ld,%ld,%ld,%ld)", rc->left, rc->top, rc->right, rc->bottom) : "null";
}

FakeSurface::FakeSurface(const char* pszName, int nWidth, int nHeight)
    : Recorded(pszName), width(nWidth), height(nHeight)
{
    FakeNames()[static_cast<IDirectDrawSurface7*>(this)] = name;
    BITMAPINFO bmi;
    std::memset(&bmi, 0, sizeof bmi);
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = nullptr;
    hdc = CreateCompatibleDC(nullptr);
    m_hDib = CreateDIBSection(hdc, &bmi, DIB_RGB_COLORS, &pBits, nullptr, 0);
    m_pBits = static_cast<const DWORD*>(pBits);
    m_hOld = SelectObject(hdc, m_hDib);
}

FakeSurface::~FakeSurface()
{
    FakeNames().erase(static_cast<IDirectDrawSurface7*>(this));
    SelectObject(hdc, m_hOld);
    DeleteDC(hdc);
    DeleteObject(m_hDib);
}

DWORD FakeSurface::Pixel(int x, int y) const
{
    return m_pBits[y * width + x] & 0x00FFFFFF;
}

HRESULT FakeSurface::Blt(LPRECT pDest, LPDIRECTDRAWSURFACE7 pSource, LPRECT pSourceRect,
                         DWORD dwFlags, LPDDBLTFX pFx)
{
    Log(Format("%s.Blt(dest=%s,src=%s,srcRect=%s,flags=0x%08lX,fx=%s)", name.c_str(),
               RectText(pDest).c_str(), Name(pSource).c_str(), RectText(pSourceRect).c_str(),
               dwFlags, pFx ? "given" : "null"));
    if (pFx)
        fxGiven = BytesOf(*pFx);
    return bltResult;
}

HRESULT FakeSurface::BltFast(DWORD dwX, DWORD dwY, LPDIRECTDRAWSURFACE7 pSource,
                             LPRECT pSourceRect, DWORD dwTrans)
{
    Log(Format("%s.BltFast(%ld,%ld,%s,%s,flags=0x%lX)", name.c_str(), static_cast<long>(dwX),
               static_cast<long>(dwY), Name(pSource).c_str(), RectText(pSourceRect).c_str(),
               dwTrans));
    return bltResult;
}

HRESULT FakeSurface::Flip(LPDIRECTDRAWSURFACE7 pTarget, DWORD dwFlags)
{
    Log(Format("%s.Flip(target=%s,flags=0x%lX)", name.c_str(), Name(pTarget).c_str(), dwFlags));
    return flipResult;
}

HRESULT FakeSurface::GetAttachedSurface(LPDDSCAPS2 pCaps, LPDIRECTDRAWSURFACE7* ppAttached)
{
    Log(name + ".GetAttachedSurface");
    capsGiven = BytesOf(*pCaps);
    if (attachedResult == DD_OK)
        *ppAttached = attached;
    return attachedResult;
}

HRESULT FakeSurface::GetDC(HDC* phdc)
{
    Log(name + ".GetDC");
    if (getDCResult == DD_OK)
        *phdc = hdc;
    return getDCResult;
}

HRESULT FakeSurface::ReleaseDC(HDC hdcGiven)
{
    Log(name + (hdcGiven == hdc ? ".ReleaseDC" : ".ReleaseDC(foreign context)"));
    return DD_OK;
}

HRESULT FakeSurface::Restore()
{
    Log(name + ".Restore");
    return restoreResult;
}

HRESULT FakeSurface::SetColorKey(DWORD dwFlags, LPDDCOLORKEY pKey)
{
    Log(Format("%s.SetColorKey(flags=0x%lX)", name.c_str(), dwFlags));
    keyGiven = *pKey;
    return colorKeyResult;
}

HRESULT FakeDirectDraw::CreateSurface(LPDDSURFACEDESC2 pDesc, LPDIRECTDRAWSURFACE7* ppSurface,
                                      IUnknown* pOuter)
{
    Log(Format("dd.CreateSurface(outer=%s)", Name(pOuter).c_str()));
    descsGiven.push_back(BytesOf(*pDesc));
    if (surfaceAnswers.empty()) {
        ADD_FAILURE() << "CreateSurface called more often than the test expected";
        return DDERR_GENERIC;
    }
    const SurfaceAnswer answer = surfaceAnswers.front();
    surfaceAnswers.pop_front();
    *ppSurface = answer.surface;
    return answer.hr;
}

HRESULT FakeDirectDraw::SetCooperativeLevel(HWND hWnd, DWORD dwFlags)
{
    Log(Format("dd.SetCooperativeLevel(hwnd=0x%lX,flags=0x%lX)", Handle(hWnd), dwFlags));
    return cooperativeResult;
}

HRESULT FakeDirectDraw::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBpp,
                                       DWORD dwRefresh, DWORD dwFlags)
{
    Log(Format("dd.SetDisplayMode(%lu,%lu,%lu,%lu,%lu)", dwWidth, dwHeight, dwBpp, dwRefresh,
               dwFlags));
    return displayModeResult;
}

HRESULT FakeDevice::Acquire()
{
    Log("device.Acquire");
    return acquireResult;
}

HRESULT FakeDevice::Unacquire()
{
    Log("device.Unacquire");
    return DI_OK;
}

HRESULT FakeDevice::GetDeviceState(DWORD cbData, LPVOID pData)
{
    Log(Format("device.GetDeviceState(%lu)", cbData));
    if (stateResult == DI_OK && !states.empty()) {
        std::memcpy(pData, states.front().data(), std::min<size_t>(cbData, 256));
        if (states.size() > 1)
            states.pop_front();
    }
    return stateResult;
}

HRESULT FakeDevice::SetDataFormat(LPCDIDATAFORMAT pFormat)
{
    Log(pFormat == &c_dfDIKeyboard ? "device.SetDataFormat(c_dfDIKeyboard)"
                                   : "device.SetDataFormat(other)");
    return formatResult;
}

HRESULT FakeDevice::SetCooperativeLevel(HWND hWnd, DWORD dwFlags)
{
    Log(Format("device.SetCooperativeLevel(hwnd=0x%lX,flags=0x%lX)", Handle(hWnd),
               dwFlags));
    return cooperativeResult;
}

HRESULT FakeDirectInput::CreateDevice(REFGUID guid, LPDIRECTINPUTDEVICEA* ppDevice,
                                      LPUNKNOWN pOuter)
{
    Log(Format("di.CreateDevice(%s,outer=%s)",
               guid == GUID_SysKeyboard ? "GUID_SysKeyboard" : "other", Name(pOuter).c_str()));
    if (deviceResult == DI_OK)
        *ppDevice = device;
    return deviceResult;
}

void FakePlatformTest::SetUp()
{
    g_fake = FakePlatformState();
    g_fake.directDraw = &directDraw;
    Calls().clear();
    g_mediaPlatform.DirectDrawCreateEx = &FakeDirectDrawCreateEx;
    g_mediaPlatform.DirectInputCreateA = &FakeDirectInputCreateA;
    g_mediaPlatform.MessageBoxA = &FakeMessageBoxA;
    g_mediaPlatform.GetTickCount = &FakeGetTickCount;
    g_mediaPlatform.LoadImageA = &FakeLoadImageA;
    primary.attached = &back;
    g_dwFpsTick = 0;
    g_nFrameCount = 0;
    g_nFps = 0;
}

void FakePlatformTest::TearDown()
{
    g_mediaPlatform = RealMediaPlatform();
    // The fakes belong to the test; the library's pointers to them go with it.
    g_pDirectDraw = nullptr;
    g_pPrimarySurface = nullptr;
    g_pBackSurface = nullptr;
}

void FakePlatformTest::StandDisplay()
{
    g_pDirectDraw = &directDraw;
    g_pPrimarySurface = &primary;
    g_pBackSurface = &back;
}
