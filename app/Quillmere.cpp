#include "Quillmere.h"
#include "QuillmereDlg.h"

BEGIN_MESSAGE_MAP(CQuillmereApp, CWinApp)
    ON_COMMAND(ID_HELP, CWinApp::OnHelp)
END_MESSAGE_MAP()

// No name of our own: the application is named after its executable.
CQuillmereApp::CQuillmereApp() : CWinApp(nullptr) {}

CQuillmereApp theApp;

BOOL CQuillmereApp::InitInstance()
{
    Enable3dControlsStatic();

    CQuillmereDlg dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();

    // The dialog was the whole program: no message loop follows.
    return FALSE;
}
