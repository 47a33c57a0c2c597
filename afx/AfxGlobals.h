// The class library's global services.
#pragma once
#include <windows.h>

class CWinApp;

// The help command's id, as the class library numbers it.
const UINT ID_HELP = 0xE146;

CWinApp* AfxGetApp();
HINSTANCE AfxGetResourceHandle();
LPCSTR AfxGetAppName();

// A message box owned by the main window, with the application's name as caption;
// a box asked for without an icon gets the exclamation icon.
int AfxMessageBox(LPCSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);

// printf-style text to the debugger's output.
void AfxTrace(LPCSTR lpszFormat, ...);
