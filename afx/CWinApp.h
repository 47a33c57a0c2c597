// The application object: its name, instance, main window and start-up.
#pragma once
#include "CCmdTarget.h"
#include <string>

class CWnd;

class CWinApp : public CCmdTarget {
public:
    // With no name, start-up takes the executable's file name without its extension.
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCSTR m_pszAppName;
    LPCSTR m_pszHelpFilePath;  // the executable's path with the extension ".HLP"
    HINSTANCE m_hInstance;
    CWnd* m_pMainWnd;

    virtual BOOL InitInstance();

    HICON LoadIcon(UINT nIDResource) const;
    // Kept for old programs: controls have looked three-dimensional since Windows 4.0.
    BOOL Enable3dControlsStatic();

    // Sets the names and the instance; called once by start-up before InitInstance.
    void InitNames(HINSTANCE hInstance);

    DECLARE_MESSAGE_MAP()

protected:
    void OnHelp();

private:
    std::string m_strAppName;
    std::string m_strHelpFilePath;
};

// Start-up: the application's names and the common controls, then InitInstance.
BOOL AfxWinInit(HINSTANCE hInstance);
int AfxWinMain(HINSTANCE hInstance);
