#include "AfxGlobals.h"
#include "CWinApp.h"
#include "CWnd.h"
#include <cstdarg>
#include <cstdio>

HINSTANCE AfxGetResourceHandle()
{
    CWinApp* pApp = AfxGetApp();
    return (pApp && pApp->m_hInstance) ? pApp->m_hInstance : ::GetModuleHandleA(nullptr);
}

LPCSTR AfxGetAppName()
{
    CWinApp* pApp = AfxGetApp();
    return (pApp && pApp->m_pszAppName) ? pApp->m_pszAppName : "";
}

int AfxMessageBox(LPCSTR lpszText, UINT nType, UINT)
{
    if ((nType & MB_ICONMASK) == 0)
        nType |= MB_ICONEXCLAMATION;
    CWinApp* pApp = AfxGetApp();
    HWND hOwner = (pApp && pApp->m_pMainWnd) ? pApp->m_pMainWnd->m_hWnd : nullptr;
    return ::MessageBoxA(hOwner, lpszText, AfxGetAppName(), nType);
}

void AfxTrace(LPCSTR lpszFormat, ...)
{
    char buf[512];
    va_list args;
    va_start(args, lpszFormat);
    vsnprintf(buf, sizeof buf, lpszFormat, args);
    va_end(args);
    ::OutputDebugStringA(buf);
}

