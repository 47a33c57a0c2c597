#include "GameSession.h"
#include "Quillmere.h"
#include <gtest/gtest.h>

namespace {

struct Session {
    BoxRecorder* boxes;
    const std::function<void(GameDriver&)>* body;
    bool started;
    UINT_PTR watchdog;
};
Session* g_pSession = nullptr;

CQuillmereDlg* RunningDialog()
{
    return static_cast<CQuillmereDlg*>(theApp.m_pMainWnd);
}

// A body that meant to end the dialog and did not: fail, and end it.
void CALLBACK EndAfterTimeout(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    ::KillTimer(nullptr, idEvent);
    CQuillmereDlg* pDlg = RunningDialog();
    if (pDlg == nullptr || !::IsWindow(pDlg->m_hWnd))
        return;
    ADD_FAILURE() << "the dialog did not end";
    ::PostMessageA(pDlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
}

void CALLBACK StartBody(HWND, UINT, UINT_PTR idEvent, DWORD)
{
    CQuillmereDlg* pDlg = RunningDialog();
    if (g_pSession == nullptr || g_pSession->started || pDlg == nullptr ||
        !::IsWindowVisible(pDlg->m_hWnd) || g_pSession->boxes->OpenCount() > 0)
        return;
    ::KillTimer(nullptr, idEvent);
    g_pSession->started = true;

    GameDriver driver(*pDlg);
    (*g_pSession->body)(driver);
    if (!driver.ended)
        ::PostMessageA(pDlg->m_hWnd, WM_COMMAND, IDCANCEL, 0);
    else
        g_pSession->watchdog = ::SetTimer(nullptr, 0, 10000, EndAfterTimeout);
}

}  // namespace

void PlayGame(BoxRecorder& boxes, const std::function<void(GameDriver&)>& body)
{
    Session session{ &boxes, &body, false, 0 };
    g_pSession = &session;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, StartBody);
    theApp.InitInstance();
    ::KillTimer(nullptr, timer);
    ::KillTimer(nullptr, session.watchdog);
    g_pSession = nullptr;
    theApp.m_pMainWnd = nullptr;
    EXPECT_TRUE(session.started) << "the game never became ready for the test";
}

void GameDriver::Click(int id)
{
    HWND h = Control(id);
    ASSERT_TRUE(::IsWindowVisible(h) && ::IsWindowEnabled(h)) << "control " << id << " cannot be clicked";
    ::SendMessageA(h, BM_CLICK, 0, 0);
}

void GameDriver::Tick(UINT timerId)
{
    ::SendMessageA(dlg.m_hWnd, WM_TIMER, timerId, 0);
}

void GameDriver::PressKey(UINT vk, bool alt)
{
    UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN;
    LPARAM flags = alt ? (1 << 29) : 0;
    HWND target = ::GetFocus() ? ::GetFocus() : dlg.m_hWnd;
    ::PostMessageA(target, down, vk, 1 | flags);
    ::PostMessageA(target, alt ? WM_SYSKEYUP : WM_KEYUP, vk, 1 | flags | (3u << 30));
    PumpFor(50, dlg.m_hWnd);
}

bool GameDriver::IsVisible(int id) const
{
    return ::IsWindowVisible(Control(id)) != FALSE;
}

RECT GameDriver::ScreenRectOf(int id) const
{
    RECT rc;
    ::GetWindowRect(Control(id), &rc);
    return rc;
}

RECT GameDriver::ClientRectOf(int id) const
{
    RECT rc = ScreenRectOf(id);
    ::MapWindowPoints(nullptr, dlg.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

void GameDriver::MoveWindowBy(int dx, int dy)
{
    RECT rc;
    ::GetWindowRect(dlg.m_hWnd, &rc);
    ::SetWindowPos(dlg.m_hWnd, nullptr, rc.left + dx, rc.top + dy, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void GameDriver::Post(UINT message, WPARAM wParam, LPARAM lParam)
{
    ::PostMessageA(dlg.m_hWnd, message, wParam, lParam);
    ended = true;
}

std::string ProgramPath()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string ProgramName()
{
    std::string path = ProgramPath();
    std::string file = path.substr(path.find_last_of("\\/") + 1);
    return file.substr(0, file.rfind('.'));
}
