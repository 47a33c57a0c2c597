#include "TraceCapture.h"

// The program writes its trace with OutputDebugStringA. The capture takes the place of
// that entry in the test program's own import table, so it sees the text exactly as
// written, then passes it on.
namespace {

std::string* g_pText = nullptr;
const ImportHook* g_pHook = nullptr;

void WINAPI Capture(LPCSTR text)
{
    if (g_pText != nullptr && text != nullptr)
        g_pText->append(text);
    g_pHook->Original<decltype(&::OutputDebugStringA)>()(text);
}

}  // namespace

TraceCapture::TraceCapture() : m_hook("OutputDebugStringA", &Capture)
{
    g_pText = &m_text;
    g_pHook = &m_hook;
}

TraceCapture::~TraceCapture()
{
    g_pText = nullptr;
}
