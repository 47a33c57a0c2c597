// A push button or group box of a dialog.
#pragma once
#include "CWnd.h"

class CButton : public CWnd {
};
