#include "Keyboard.h"
#include "MediaPlatform.h"

namespace {

BOOL KeyboardError(HWND hWnd, const char* pszText)
{
    g_mediaPlatform.MessageBoxA(hWnd, pszText, "Error", MB_OK);
    return 0;
}

} // namespace

BOOL CKeyboard::Init(HINSTANCE hInst, HWND hWnd)
{
    // Set-up over a held keyboard would lose its objects; on an empty one this does nothing.
    Release();
    if (g_mediaPlatform.DirectInputCreateA(hInst, 0x0700, &m_pDI, nullptr) != DI_OK)
        return KeyboardError(hWnd, "Error create DirectInput");
    if (m_pDI->CreateDevice(GUID_SysKeyboard, &m_pDevice, nullptr) != DI_OK)
        return KeyboardError(hWnd, "Error create Device");
    // Only creation is tested: a device not acquired now is acquired by IsKeyDown.
    m_pDevice->SetDataFormat(&c_dfDIKeyboard);
    m_pDevice->SetCooperativeLevel(hWnd, DISCL_NONEXCLUSIVE | DISCL_FOREGROUND);
    m_pDevice->Acquire();
    return 1;
}

BOOL CKeyboard::IsKeyDown(int nKey)
{
    if (!m_pDevice || nKey < 0 || nKey >= static_cast<int>(sizeof m_keys))
        return 0;
    m_pDevice->GetDeviceState(sizeof m_keys, m_keys);
    // DI_OK means the device had been lost and is acquired again, so the first read
    // missed the current state; S_FALSE means it was acquired all along.
    if (m_pDevice->Acquire() == DI_OK)
        m_pDevice->GetDeviceState(sizeof m_keys, m_keys);
    return (m_keys[nKey] & 0x80) ? 1 : 0;
}

void CKeyboard::Release()
{
    if (m_pDevice) {
        m_pDevice->Unacquire();
        m_pDevice->Release();
        m_pDevice = nullptr;
    }
    if (m_pDI) {
        m_pDI->Release();
        m_pDI = nullptr;
    }
}
