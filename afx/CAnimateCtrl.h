// The common controls' animation control, which plays an AVI clip.
#pragma once
#include "CWnd.h"

class CAnimateCtrl : public CWnd {
public:
    // Opens a clip by file name (relative names from the current folder).
    BOOL Open(LPCSTR lpszFileName);
};
