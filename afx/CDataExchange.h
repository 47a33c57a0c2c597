// Dialog data exchange: binds a dialog's controls to member objects.
#pragma once
#include <windows.h>

class CWnd;

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE when data flows from the controls to the members
    CWnd* m_pDlgWnd;
};

// Attaches the dialog's control nIDC to rControl, once; later exchanges change nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
