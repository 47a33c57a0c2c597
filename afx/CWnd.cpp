#include "CWnd.h"
#include "AfxGlobals.h"
#include "CDataExchange.h"
#include "CWinApp.h"
#include <map>

// The game runs on one user-interface thread, so one table serves every window.
static std::map<HWND, CWnd*>& HandleMap()
{
    static std::map<HWND, CWnd*> map;
    return map;
}

static CWnd* g_pWndInit = nullptr;  // the object whose window is being created
static HHOOK g_hHookCbt = nullptr;

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    CWnd::CurrentMessage saved = pWnd->m_current;
    pWnd->m_current = { message, wParam, lParam };
    LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_current = saved;

    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pWnd->m_pfnSuper);
        pWnd->Detach();
        pWnd->m_pfnSuper = nullptr;
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK AfxCbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && g_pWndInit != nullptr) {
        CWnd* pWnd = g_pWndInit;
        g_pWndInit = nullptr;
        pWnd->SubclassCreatingWindow((HWND)wParam);
    }
    return ::CallNextHookEx(g_hHookCbt, nCode, wParam, lParam);
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    if (g_hHookCbt == nullptr)
        g_hHookCbt = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    g_pWndInit = pWnd;
}

void AfxUnhookWindowCreate()
{
    g_pWndInit = nullptr;
    if (g_hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(g_hHookCbt);
        g_hHookCbt = nullptr;
    }
}

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr), m_current{ 0, 0, 0 } {}

CWnd::~CWnd()
{
    Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    auto it = HandleMap().find(hWnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr)
        return FALSE;
    m_hWnd = hWnd;
    HandleMap()[hWnd] = this;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        auto it = HandleMap().find(hWnd);
        if (it != HandleMap().end() && it->second == this)
            HandleMap().erase(it);
    }
    m_hWnd = nullptr;
    m_sysMenu.m_hMenu = nullptr;
    return hWnd;
}

void CWnd::SubclassCreatingWindow(HWND hWnd)
{
    Attach(hWnd);
    m_pfnSuper = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
}

void CWnd::PostNcDestroy() {}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    typedef CWnd ThisClass;
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_WM_HELPINFO()
        { 0, 0, 0, nullptr }
    };
    static const AFX_MSGMAP map = { &CCmdTarget::GetThisMessageMap, entries };
    return &map;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 0;
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(message, 0, 0);
    if (e == nullptr)
        return FALSE;
    *pResult = e->pfn(this, wParam, lParam);
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM)
{
    return OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper != nullptr)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnMove(int, int) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnTimer(UINT) { Default(); }

// F1 on a top-level window asks the main window for help, unless a modifier is held.
BOOL CWnd::OnHelpInfo(HELPINFO*)
{
    CWnd* pMainWnd = AfxGetApp() ? AfxGetApp()->m_pMainWnd : nullptr;
    bool noModifier = ::GetKeyState(VK_SHIFT) >= 0 && ::GetKeyState(VK_CONTROL) >= 0 &&
                      ::GetKeyState(VK_MENU) >= 0;
    if (!(GetStyle() & WS_CHILD) && pMainWnd != nullptr && pMainWnd->m_hWnd != nullptr && noModifier) {
        pMainWnd->SendMessage(WM_COMMAND, ID_HELP);
        return TRUE;
    }
    return (BOOL)Default();
}

BOOL CWnd::MoveWindow(LPCRECT lpRect, BOOL bRepaint)
{
    return ::MoveWindow(m_hWnd, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                        lpRect->bottom - lpRect->top, bRepaint);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
void CWnd::GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
void CWnd::GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&lpRect->left));
    ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&lpRect->right));
}

void CWnd::ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }

void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
void CWnd::InvalidateRect(LPCRECT lpRect, BOOL bErase) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
void CWnd::SetWindowText(LPCSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }

CString CWnd::GetWindowText() const
{
    char buf[1024] = "";
    ::GetWindowTextA(m_hWnd, buf, sizeof buf);
    return CString(buf);
}

HICON CWnd::SetIcon(HICON hIcon, BOOL bBigIcon)
{
    return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert)
{
    m_sysMenu.m_hMenu = ::GetSystemMenu(m_hWnd, bRevert);
    return m_sysMenu.m_hMenu != nullptr ? &m_sysMenu : nullptr;
}

BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer)
{
    return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

DWORD CWnd::GetStyle() const { return (DWORD)::GetWindowLongA(m_hWnd, GWL_STYLE); }

namespace {

// The work area of the monitor that holds most of the window (or the one nearest to it);
// the primary screen where the monitor cannot tell, so a box still opens on the screen.
RECT WorkAreaNear(HWND hWnd)
{
    MONITORINFO info;
    info.cbSize = sizeof info;
    if (::GetMonitorInfoA(::MonitorFromWindow(hWnd, MONITOR_DEFAULTTONEAREST), &info))
        return info.rcWork;
    return RECT{ 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN) };
}

// Where a span of the given size starts once moved inside [nLow, nHigh); a span larger
// than the area starts at nLow, so a window's caption and left edge stay in reach.
int KeepInside(int nStart, int nSize, LONG nLow, LONG nHigh)
{
    if (nStart + nSize > nHigh)
        nStart = nHigh - nSize;
    return nStart < nLow ? nLow : nStart;
}

}  // namespace

// A popup is centred on a visible, restored owner; anything else on the work area.
// Either way it is then kept inside the work area, so a box opened over a window that
// was dragged against an edge of the screen (or partly off it) still opens whole.
void CWnd::CenterWindow()
{
    HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
    bool bOnOwner = hOwner != nullptr && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner);
    RECT rcWork = WorkAreaNear(bOnOwner ? hOwner : m_hWnd);
    RECT rcCenter = rcWork;
    if (bOnOwner)
        ::GetWindowRect(hOwner, &rcCenter);

    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    int x = KeepInside((rcCenter.left + rcCenter.right) / 2 - w / 2, w, rcWork.left, rcWork.right);
    int y = KeepInside((rcCenter.top + rcCenter.bottom) / 2 - h / 2, h, rcWork.top, rcWork.bottom);
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCSTR lpszText, LPCSTR lpszCaption, UINT nType)
{
    if (lpszCaption == nullptr)
        lpszCaption = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}
