#include "MediaPlatform.h"
#include <direct.h>

namespace {

// What the display and keyboard entry points answer when their DLL, or the entry point
// in it, cannot be had: a failure of the call like any other.
const HRESULT ENTRY_POINT_MISSING = HRESULT_FROM_WIN32(ERROR_PROC_NOT_FOUND);

// The entry point from its DLL, which is loaded now; null when either cannot be had.
// A DLL without the entry point is of no use, so it is not kept.
FARPROC LoadEntryPoint(const char* pszDll, const char* pszName)
{
    HMODULE hModule = g_mediaPlatform.LoadLibraryA(pszDll);
    if (!hModule)
        return nullptr;
    FARPROC pfn = GetProcAddress(hModule, pszName);
    if (!pfn)
        FreeLibrary(hModule);
    return pfn;
}

// Binds pfn at its first call and keeps it for the process, so its DLL is loaded once
// however often the table is restored. One that could not be had is tried again next time.
template <typename Function> bool Bound(Function& pfn, const char* pszDll, const char* pszName)
{
    if (!pfn)
        pfn = reinterpret_cast<Function>(reinterpret_cast<void*>(LoadEntryPoint(pszDll, pszName)));
    return pfn != nullptr;
}

decltype(MediaPlatform::DirectDrawCreateEx) s_pfnDirectDrawCreateEx = nullptr;
decltype(MediaPlatform::DirectInputCreateA) s_pfnDirectInputCreateA = nullptr;

HRESULT WINAPI DirectDrawCreateExAtFirstUse(GUID* pGuid, LPVOID* ppDD, REFIID iid, IUnknown* pOuter)
{
    if (!Bound(s_pfnDirectDrawCreateEx, "ddraw.dll", "DirectDrawCreateEx"))
        return ENTRY_POINT_MISSING;
    return s_pfnDirectDrawCreateEx(pGuid, ppDD, iid, pOuter);
}

HRESULT WINAPI DirectInputCreateAAtFirstUse(HINSTANCE hInst, DWORD dwVersion, LPDIRECTINPUTA* ppDI,
                                            LPUNKNOWN pOuter)
{
    if (!Bound(s_pfnDirectInputCreateA, "dinput.dll", "DirectInputCreateA"))
        return ENTRY_POINT_MISSING;
    return s_pfnDirectInputCreateA(hInst, dwVersion, ppDI, pOuter);
}

} // namespace

MediaPlatform RealMediaPlatform()
{
    MediaPlatform p;
    p.DirectSoundCreate = &::DirectSoundCreate;
    p.CoInitialize = &::CoInitialize;
    p.CoUninitialize = &::CoUninitialize;
    p.CoCreateInstance = &::CoCreateInstance;
    p.GetCwd = &::_getcwd;
    p.mmioOpenA = &::mmioOpenA;
    p.mmioClose = &::mmioClose;
    p.DirectDrawCreateEx = &DirectDrawCreateExAtFirstUse;
    p.GetTickCount = &::GetTickCount;
    p.LoadImageA = &::LoadImageA;
    p.DirectInputCreateA = &DirectInputCreateAAtFirstUse;
    p.MessageBoxA = &::MessageBoxA;
    p.LoadLibraryA = &::LoadLibraryA;
    return p;
}

MediaPlatform g_mediaPlatform = RealMediaPlatform();
