// A static text or picture control of a dialog.
#pragma once
#include "CWnd.h"

class CStatic : public CWnd {
};
