#include "RealPlatform.h"
#include <fstream>

namespace {

void PutLittleEndian(std::ofstream& out, unsigned long value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

void WriteBitmapFile(const std::string& path, int width, int height,
                     const std::vector<DWORD>& pixels)
{
    const int rowBytes = (width * 3 + 3) & ~3;
    const unsigned long dataBytes = static_cast<unsigned long>(rowBytes) * height;
    std::ofstream out(path, std::ios::binary);
    out.put('B');
    out.put('M');
    PutLittleEndian(out, 54 + dataBytes, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    PutLittleEndian(out, 40, 4);
    PutLittleEndian(out, static_cast<unsigned long>(width), 4);
    PutLittleEndian(out, static_cast<unsigned long>(height), 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    for (int i = 0; i < 6; ++i)
        PutLittleEndian(out, 0, 4);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x)
            PutLittleEndian(out, pixels[static_cast<size_t>(y) * width + x], 3);
        for (int pad = width * 3; pad < rowBytes; ++pad)
            out.put(0);
    }
}

} // namespace

ScopedBitmapFile::ScopedBitmapFile(const char* pszStem, int width, int height,
                                   const std::vector<DWORD>& pixels)
    : m_name(std::string(pszStem) + "_" + std::to_string(GetCurrentProcessId()) + ".bmp")
{
    WriteBitmapFile(m_name, width, height, pixels);
}

ScopedBitmapFile::~ScopedBitmapFile()
{
    DeleteFileA(m_name.c_str());
}

HWND CreateTestWindow(int width, int height)
{
    static const char CLASS_NAME[] = "QuillmereMediaTestWindow";
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = CLASS_NAME;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    HWND hWnd = CreateWindowExA(0, CLASS_NAME, "Quillmere media test", WS_POPUP | WS_VISIBLE, 0, 0,
                                width, height, nullptr, nullptr, wc.hInstance, nullptr);
    SetForegroundWindow(hWnd);
    SetFocus(hWnd);
    return hWnd;
}
