#include "CDialog.h"
#include "AfxGlobals.h"
#include "CWinApp.h"

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_WM_INITDIALOG()
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd),
      m_bCenterAfterInit(false)
{
}

namespace {

// The fields of a dialog template header that decide its placement, for both the
// classic and the extended layout.
struct TemplatePlacement {
    DWORD style;
    short x, y;
};

#pragma pack(push, 2)
struct DlgTemplateEx {
    WORD dlgVer, signature;
    DWORD helpID, exStyle, style;
    WORD cDlgItems;
    short x, y, cx, cy;
};
#pragma pack(pop)

TemplatePlacement ReadPlacement(const void* pTemplate)
{
    const DlgTemplateEx* ex = static_cast<const DlgTemplateEx*>(pTemplate);
    if (ex->dlgVer == 1 && ex->signature == 0xFFFF)
        return { ex->style, ex->x, ex->y };
    const DLGTEMPLATE* classic = static_cast<const DLGTEMPLATE*>(pTemplate);
    return { classic->style, classic->x, classic->y };
}

bool AsksForNoPlace(const TemplatePlacement& p)
{
    return p.x == 0 && p.y == 0 && !(p.style & (DS_ABSALIGN | DS_CENTER | DS_CENTERMOUSE));
}

INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    // Everything reaches the object through its subclassed window procedure.
    return FALSE;
}

}  // namespace

HWND CDialog::GetSafeOwner() const
{
    if (m_pParentWnd != nullptr)
        return m_pParentWnd->m_hWnd;
    CWinApp* pApp = AfxGetApp();
    CWnd* pMain = pApp ? pApp->m_pMainWnd : nullptr;
    return (pMain != nullptr && pMain != this) ? pMain->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRes = ::FindResourceA(hInst, MAKEINTRESOURCEA(m_nIDTemplate), (LPCSTR)RT_DIALOG);
    HGLOBAL hData = hRes ? ::LoadResource(hInst, hRes) : nullptr;
    const void* pTemplate = hData ? ::LockResource(hData) : nullptr;
    if (pTemplate == nullptr)
        return -1;

    m_bCenterAfterInit = AsksForNoPlace(ReadPlacement(pTemplate));
    AfxHookWindowCreate(this);
    INT_PTR nResult = ::DialogBoxIndirectParamA(hInst, static_cast<LPCDLGTEMPLATEA>(pTemplate),
                                                GetSafeOwner(), AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    Detach();
    return nResult;
}

void CDialog::EndDialog(int nResult)
{
    ::EndDialog(m_hWnd, nResult);
}

LRESULT CDialog::HandleInitDialog()
{
    RECT before, after;
    GetWindowRect(&before);
    BOOL bResult = OnInitDialog();
    GetWindowRect(&after);
    if (m_bCenterAfterInit && ::EqualRect(&before, &after))
        CenterWindow();
    return bResult;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

// Commands the dialog does not handle go on to the application (the help command).
BOOL CDialog::OnCmdMsg(UINT nID, UINT nCode)
{
    if (CWnd::OnCmdMsg(nID, nCode))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode);
}
