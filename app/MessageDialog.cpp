#include "MessageDialog.h"

CMessageDialog::CMessageDialog(CWnd* pParent) : CDialog(IDD_MESSAGE_DIALOG, pParent) {}

void CMessageDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ANIMATE, m_animate);
    DDX_Control(pDX, IDC_MESSAGE, m_stMessage);
}

BEGIN_MESSAGE_MAP(CMessageDialog, CDialog)
END_MESSAGE_MAP()

// The text goes in before the clip, so a clip that cannot be opened still leaves the
// message on screen, under an empty clip area.
BOOL CMessageDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_stMessage.SetWindowText(m_strMessage);
    m_animate.Open(m_strAvi);
    return TRUE;
}
