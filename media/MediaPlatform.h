// The platform entry points the library calls to make its platform objects.
// The program always runs on the real ones; tests put recording fakes in their place
// to see the calls the library makes and to make any of them fail.
// The real display and keyboard entry points take their DLLs in only at their first
// call: a program that uses neither does not pay for loading them at its start.
#pragma once
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>
#include <ddraw.h>
#include <dinput.h>

struct MediaPlatform {
    // Audio core and MIDI.
    HRESULT(WINAPI* DirectSoundCreate)(LPCGUID pGuid, LPDIRECTSOUND* ppDS, LPUNKNOWN pOuter);
    HRESULT(WINAPI* CoInitialize)(LPVOID pReserved);
    void(WINAPI* CoUninitialize)();
    HRESULT(WINAPI* CoCreateInstance)(REFCLSID clsid, LPUNKNOWN pOuter, DWORD dwClsCtx, REFIID iid,
                                      LPVOID* ppv);
    char* (*GetCwd)(char* pBuffer, int nSize);

    // Wave files: tests see which files a load opens and that it closes each of them.
    HMMIO(WINAPI* mmioOpenA)(LPSTR pszFileName, LPMMIOINFO pInfo, DWORD dwOpenFlags);
    MMRESULT(WINAPI* mmioClose)(HMMIO hFile, UINT uFlags);

    // Display, screen and sprites.
    HRESULT(WINAPI* DirectDrawCreateEx)(GUID* pGuid, LPVOID* ppDD, REFIID iid, IUnknown* pOuter);
    DWORD(WINAPI* GetTickCount)();
    // Bitmap files: tests see the bitmap a load made and whether it is gone after it.
    HANDLE(WINAPI* LoadImageA)(HINSTANCE hInst, LPCSTR pszName, UINT uType, int cx, int cy,
                               UINT fuLoad);

    // Keyboard.
    HRESULT(WINAPI* DirectInputCreateA)(HINSTANCE hInst, DWORD dwVersion, LPDIRECTINPUTA* ppDI,
                                        LPUNKNOWN pOuter);

    // Error boxes of the display and keyboard set-up.
    int(WINAPI* MessageBoxA)(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType);

    // The DLLs of the display and keyboard, at their first call: tests see which DLL a
    // first call loads, and make it or its entry point missing.
    HMODULE(WINAPI* LoadLibraryA)(LPCSTR pszFile);
};

// The entry points in force; the real platform's unless a test has replaced some.
extern MediaPlatform g_mediaPlatform;

// The real platform's entry points, for restoring g_mediaPlatform.
MediaPlatform RealMediaPlatform();
