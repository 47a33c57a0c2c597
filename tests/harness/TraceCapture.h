// Collects what the program writes to the debugger's output while it exists.
#pragma once
#include "ImportHook.h"
#include <string>

class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const std::string& Text() const { return m_text; }
    // False when the program does not import OutputDebugStringA where it can be seen.
    bool Active() const { return m_hook.Active(); }

private:
    std::string m_text;
    ImportHook m_hook;
};
