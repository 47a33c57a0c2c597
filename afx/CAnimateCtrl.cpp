#include "CAnimateCtrl.h"
#include <commctrl.h>

BOOL CAnimateCtrl::Open(LPCSTR lpszFileName)
{
    return (BOOL)SendMessage(ACM_OPENA, 0, (LPARAM)lpszFileName);
}
