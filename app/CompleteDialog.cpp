#include "CompleteDialog.h"

CCompleteDialog::CCompleteDialog(CWnd* pParent) : CDialog(IDD_COMPLETE_DIALOG, pParent) {}

void CCompleteDialog::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
}

BEGIN_MESSAGE_MAP(CCompleteDialog, CDialog)
END_MESSAGE_MAP()
