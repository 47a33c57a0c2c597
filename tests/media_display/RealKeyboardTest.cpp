// The keyboard on the real DirectInput, with keys pressed through the X server.
#include "Keyboard.h"
#include "RealPlatform.h"
#include <gtest/gtest.h>
#include <string>

namespace {

const int KEY_A = 30; // the DirectInput code of the A key

// Runs xdotool on the X server this program shows its windows on (the DISPLAY it was
// started with). Wine starts a Unix program for start /unix; a Unix process started
// directly gives no exit code, start /wait does. False when it could not be run.
bool Xdotool(const std::string& args)
{
    std::string command = "C:\\windows\\system32\\start.exe /wait /unix /usr/bin/xdotool " + args;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    WaitForSingleObject(pi.hProcess, 10000);
    DWORD dwExit = 1;
    GetExitCodeProcess(pi.hProcess, &dwExit);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return dwExit == 0;
}

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// Polls the key, letting the window receive its input between reads, until it shows the
// wanted state or the time is up; the time bounds the wait and is no assertion.
bool KeySeenAs(CKeyboard& keyboard, int nKey, BOOL bDown)
{
    for (int i = 0; i < 500; ++i) {
        PumpMessages();
        if (keyboard.IsKeyDown(nKey) == bDown)
            return true;
        Sleep(20);
    }
    return false;
}

class RealKeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        hWnd = CreateTestWindow(320, 240);
        PumpMessages();
    }
    void TearDown() override
    {
        Xdotool("keyup a");
        keyboard.Release();
        DestroyWindow(hWnd);
    }
    HWND hWnd = nullptr;
    CKeyboard keyboard;
};

TEST_F(RealKeyboardTest, HeldKeyIsDownUntilLetGo)
{
    ASSERT_EQ(1, keyboard.Init(GetModuleHandleA(nullptr), hWnd));
    ASSERT_TRUE(KeySeenAs(keyboard, KEY_A, 0));

    if (!Xdotool("keydown a"))
        GTEST_SKIP() << "xdotool could not be run to press a key on the X server";
    EXPECT_TRUE(KeySeenAs(keyboard, KEY_A, 1));
    EXPECT_EQ(0, keyboard.IsKeyDown(KEY_A + 1));

    ASSERT_TRUE(Xdotool("keyup a"));
    EXPECT_TRUE(KeySeenAs(keyboard, KEY_A, 0));
}

TEST_F(RealKeyboardTest, ReleaseThenInitAgainWorksAsTheFirstTime)
{
    ASSERT_EQ(1, keyboard.Init(GetModuleHandleA(nullptr), hWnd));
    keyboard.Release();
    EXPECT_EQ(nullptr, keyboard.m_pDevice);
    EXPECT_EQ(nullptr, keyboard.m_pDI);
    EXPECT_EQ(0, keyboard.IsKeyDown(KEY_A));

    ASSERT_EQ(1, keyboard.Init(GetModuleHandleA(nullptr), hWnd));
    EXPECT_NE(nullptr, keyboard.m_pDevice);
}

} // namespace
