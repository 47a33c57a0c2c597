// Watches what the game asks of the window manager while it exists: the main
// window's timers, the icons it draws and the help it asks for. Each call is written
// to a CallLog and passed on to the platform, except the help request: the help
// engine is not started.
#pragma once
#include "CallLog.h"
#include "ImportHook.h"

class SystemCalls {
public:
    explicit SystemCalls(CallLog& log);
    ~SystemCalls();
    SystemCalls(const SystemCalls&) = delete;
    SystemCalls& operator=(const SystemCalls&) = delete;

    // False when the program does not import one of the functions where it can be seen.
    bool Active() const;

    // Logged as "SetTimer(id, ms)" and "KillTimer(id)" for timers of the main window,
    // "DrawIcon(x, y, icon)" and "WinHelpA(file)".
    CallLog& log;

private:
    ImportHook m_setTimer, m_killTimer, m_drawIcon, m_winHelp;
};
