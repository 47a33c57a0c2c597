#include "SystemCalls.h"
#include "AfxGlobals.h"
#include "CWinApp.h"
#include "CWnd.h"
#include <string>

namespace {

SystemCalls* g_pCurrent = nullptr;
const ImportHook* g_pSetTimer = nullptr;
const ImportHook* g_pKillTimer = nullptr;
const ImportHook* g_pDrawIcon = nullptr;

// The test harness and the dialog manager keep timers of their own.
bool IsMainWindow(HWND hWnd)
{
    CWinApp* pApp = AfxGetApp();
    return hWnd != nullptr && pApp != nullptr && pApp->m_pMainWnd != nullptr &&
           pApp->m_pMainWnd->m_hWnd == hWnd;
}

void Log(const std::string& call)
{
    if (g_pCurrent != nullptr)
        g_pCurrent->log.Add(call);
}

UINT_PTR WINAPI SetTimerSeen(HWND hWnd, UINT_PTR id, UINT ms, TIMERPROC pfn)
{
    if (IsMainWindow(hWnd))
        Log("SetTimer(" + std::to_string(id) + ", " + std::to_string(ms) + ")");
    return g_pSetTimer->Original<decltype(&::SetTimer)>()(hWnd, id, ms, pfn);
}

BOOL WINAPI KillTimerSeen(HWND hWnd, UINT_PTR id)
{
    if (IsMainWindow(hWnd))
        Log("KillTimer(" + std::to_string(id) + ")");
    return g_pKillTimer->Original<decltype(&::KillTimer)>()(hWnd, id);
}

BOOL WINAPI DrawIconSeen(HDC hDC, int x, int y, HICON hIcon)
{
    Log("DrawIcon(" + std::to_string(x) + ", " + std::to_string(y) + ", " + HandleText(hIcon) + ")");
    return g_pDrawIcon->Original<decltype(&::DrawIcon)>()(hDC, x, y, hIcon);
}

BOOL WINAPI WinHelpSeen(HWND, LPCSTR pszHelp, UINT, ULONG_PTR)
{
    Log(std::string("WinHelpA(") + (pszHelp ? pszHelp : "") + ")");
    return TRUE;
}

}  // namespace

SystemCalls::SystemCalls(CallLog& log)
    : log(log), m_setTimer("SetTimer", &SetTimerSeen), m_killTimer("KillTimer", &KillTimerSeen),
      m_drawIcon("DrawIcon", &DrawIconSeen), m_winHelp("WinHelpA", &WinHelpSeen)
{
    g_pSetTimer = &m_setTimer;
    g_pKillTimer = &m_killTimer;
    g_pDrawIcon = &m_drawIcon;
    g_pCurrent = this;
}

SystemCalls::~SystemCalls()
{
    g_pCurrent = nullptr;
}

bool SystemCalls::Active() const
{
    return m_setTimer.Active() && m_killTimer.Active() && m_drawIcon.Active() && m_winHelp.Active();
}
