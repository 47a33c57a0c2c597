// Files and windows for the tests and the benchmark that run on the real platform.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A 24-bit bitmap file of the given pixels (0x00RRGGBB, rows top first) of this
// process's own, so programs that run side by side in one folder
// never share one; it is deleted with the object.
class ScopedBitmapFile {
public:
    ScopedBitmapFile(const char* pszStem, int width, int height, const std::vector<DWORD>& pixels);
    ~ScopedBitmapFile();
    ScopedBitmapFile(const ScopedBitmapFile&) = delete;
    ScopedBitmapFile& operator=(const ScopedBitmapFile&) = delete;
    const char* c_str() const { return m_name.c_str(); }

private:
    std::string m_name;
};

// A visible top-level popup window of the given size at the screen's origin.
HWND CreateTestWindow(int width, int height);
