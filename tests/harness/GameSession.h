// Runs the game the way the program runs it (the application's InitInstance and the
// main dialog's modal loop) and hands a test the live dialog once it is up.
#pragma once
#include "BoxRecorder.h"
#include "QuillmereDlg.h"
#include <functional>
#include <string>

class GameDriver {
public:
    explicit GameDriver(CQuillmereDlg& dlg) : dlg(dlg) {}

    CQuillmereDlg& dlg;

    HWND Hwnd() const { return dlg.m_hWnd; }
    HWND Control(int id) const { return ::GetDlgItem(dlg.m_hWnd, id); }

    // A click on a visible, enabled button, as the mouse gives it.
    void Click(int id);
    // A timer tick delivered at once, as the dialog's loop would deliver it.
    void Tick(UINT timerId);
    // A key pressed on the dialog, through its modal loop's keyboard handling.
    void PressKey(UINT vk, bool alt = false);

    bool IsVisible(int id) const;
    RECT ClientRectOf(int id) const;   // a control's place inside the dialog
    RECT ScreenRectOf(int id) const;
    void MoveWindowBy(int dx, int dy);

    // Ends the dialog with a command (IDOK, IDCANCEL) or a system command.
    void Post(UINT message, WPARAM wParam, LPARAM lParam = 0);
    bool ended = false;
};

// The program's file name without its folder and extension, worked out from the
// running program itself: what the application's name must be.
std::string ProgramName();
// The running program's full path.
std::string ProgramPath();

// Plays one game: body runs inside the main dialog's loop once the dialog is visible
// and no box is open. Unless the body ended the dialog, it is closed with IDCANCEL.
// Returns when the application's InitInstance returns.
void PlayGame(BoxRecorder& boxes, const std::function<void(GameDriver&)>& body);
