// "Can't Move!!!": plays the clip of the broken rule above its message.
#pragma once
#include "StdAfx.h"

class CMessageDialog : public CDialog {
public:
    explicit CMessageDialog(CWnd* pParent);

    // Set both before DoModal; they are read when the dialog opens.
    CString m_strAvi;
    CString m_strMessage;
    CAnimateCtrl m_animate;
    CStatic m_stMessage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()
};
