// "Complete Mission": shown when all eight people stand on Island 2.
#pragma once
#include "StdAfx.h"

class CCompleteDialog : public CDialog {
public:
    explicit CCompleteDialog(CWnd* pParent);

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()
};
