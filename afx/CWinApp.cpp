#include "CWinApp.h"
#include "AfxGlobals.h"
#include "CWnd.h"
#include <commctrl.h>

namespace {
CWinApp* g_pApp = nullptr;
const UINT AFX_IDS_APP_TITLE = 0xE000;
}

CWinApp* AfxGetApp() { return g_pApp; }

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pszAppName(lpszAppName), m_pszHelpFilePath(nullptr), m_hInstance(nullptr),
      m_pMainWnd(nullptr)
{
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

BOOL CWinApp::Enable3dControlsStatic() { return TRUE; }

void CWinApp::InitNames(HINSTANCE hInstance)
{
    m_hInstance = hInstance;

    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(hInstance, path, MAX_PATH);
    std::string exePath(path);
    size_t dot = exePath.find_last_of('.');
    size_t slash = exePath.find_last_of("\\/");
    std::string base = exePath.substr(0, dot == std::string::npos || (slash != std::string::npos && dot < slash)
                                             ? exePath.size() : dot);
    m_strHelpFilePath = base + ".HLP";
    m_pszHelpFilePath = m_strHelpFilePath.c_str();

    if (m_pszAppName != nullptr)
        return;
    char title[256] = "";
    if (::LoadStringA(hInstance, AFX_IDS_APP_TITLE, title, sizeof title) > 0)
        m_strAppName = title;
    else
        m_strAppName = base.substr(slash == std::string::npos ? 0 : slash + 1);
    m_pszAppName = m_strAppName.c_str();
}

void CWinApp::OnHelp()
{
    HWND hMain = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    ::WinHelpA(hMain, m_pszHelpFilePath, HELP_FINDER, 0);
}

BOOL AfxWinInit(HINSTANCE hInstance)
{
    INITCOMMONCONTROLSEX icc = { sizeof icc, ICC_ANIMATE_CLASS };
    ::InitCommonControlsEx(&icc);
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return FALSE;
    pApp->InitNames(hInstance);
    return TRUE;
}

// InitInstance answers FALSE when the program has done all its work (a modal dialog
// application); no message loop of the class library's own runs after it.
int AfxWinMain(HINSTANCE hInstance)
{
    if (!AfxWinInit(hInstance))
        return 1;
    AfxGetApp()->InitInstance();
    return 0;
}
