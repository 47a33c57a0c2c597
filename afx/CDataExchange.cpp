#include "CDataExchange.h"
#include "AfxGlobals.h"
#include "CWnd.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hCtrl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (hCtrl == nullptr) {
        AfxTrace("DDX_Control: the dialog has no control %d\n", nIDC);
        return;
    }
    rControl.Attach(hCtrl);
}
