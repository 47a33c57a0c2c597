// A window object: wraps an HWND, routes its messages through the message map and
// hands everything the map leaves alone to the window's own procedure.
#pragma once
#include "CCmdTarget.h"
#include "CRect.h"
#include "CString.h"
#include "CMenu.h"

class CDataExchange;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    HWND m_hWnd;

    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Binds an existing window (a dialog control) to this object, without subclassing.
    BOOL Attach(HWND hWnd);
    HWND Detach();

    // Operations on the window; each is the Win32 call of the same name.
    BOOL MoveWindow(LPCRECT lpRect, BOOL bRepaint = TRUE);
    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    void GetWindowRect(LPRECT lpRect) const;
    void GetClientRect(LPRECT lpRect) const;
    void ScreenToClient(LPRECT lpRect) const;
    void ClientToScreen(LPPOINT lpPoint) const;
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE);
    void SetWindowText(LPCSTR lpszString);
    CString GetWindowText() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon);
    CMenu* GetSystemMenu(BOOL bRevert);
    BOOL IsIconic() const;
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer);
    BOOL KillTimer(UINT_PTR nIDEvent);
    void CenterWindow();
    DWORD GetStyle() const;

    // A message box owned by this window; with no caption, the application's name.
    int MessageBox(LPCSTR lpszText, LPCSTR lpszCaption = nullptr, UINT nType = MB_OK);

    // Message handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Called by the window procedure once the window is gone.
    virtual void PostNcDestroy();

    static const AFX_MSGMAP* GetThisMessageMap();
    const AFX_MSGMAP* GetMessageMap() const override;

    // Default handling of the messages the game's maps name.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    void OnMove(int x, int y);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnTimer(UINT nIDEvent);
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);

protected:
    // The default processing of the message being handled right now.
    LRESULT Default();

    // Takes over a window that is being created (see AfxHookWindowCreate).
    void SubclassCreatingWindow(HWND hWnd);

    WNDPROC m_pfnSuper;
    CMenu m_sysMenu;

private:
    struct CurrentMessage { UINT message; WPARAM wParam; LPARAM lParam; };
    CurrentMessage m_current;

    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend LRESULT CALLBACK AfxCbtFilterHook(int, WPARAM, LPARAM);
};

// The next window created on this thread becomes pWnd's (the dialog manager creates
// the dialog window first, then its controls). Messages reach pWnd from creation on.
void AfxHookWindowCreate(CWnd* pWnd);
void AfxUnhookWindowCreate();
