// The application: runs the main dialog and ends when it ends.
#pragma once
#include "StdAfx.h"

class CQuillmereApp : public CWinApp {
public:
    CQuillmereApp();

    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};

extern CQuillmereApp theApp;
