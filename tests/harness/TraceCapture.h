// Collects what the program writes to the debugger's output while it exists.
#pragma once
#include <windows.h>
#include <string>

class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    const std::string& Text() const { return m_text; }

private:
    FARPROC* m_slot;
    std::string m_text;
};
