// A dialog built from a template resource and run modally by the dialog manager.
#pragma once
#include "CWnd.h"

class CDialog : public CWnd {
public:
    CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog, runs its modal loop and returns the code it was ended with
    // (-1 when it could not be created). Without a parent the application's main
    // window owns the dialog and is disabled while it runs.
    virtual INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

    BOOL OnCmdMsg(UINT nID, UINT nCode) override;

    // WM_INITDIALOG: OnInitDialog, then centring when the template asks for no place.
    LRESULT HandleInitDialog();

    DECLARE_MESSAGE_MAP()

private:
    HWND GetSafeOwner() const;

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bCenterAfterInit;
};
