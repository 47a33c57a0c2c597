// Starts the shipped Quillmere.exe from its own folder, beside this test program, and
// plays the way in and out: the rules' box appears, is closed, the game's window shows,
// and closing it ends the program.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

const DWORD WAIT_MS = 30000;

std::string OwnFolder()
{
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of("\\/") + 1);
}

struct WindowSearch {
    DWORD pid;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hWnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    char caption[64] = "";
    ::GetWindowTextA(hWnd, caption, sizeof caption);
    if (pid == search->pid && ::IsWindowVisible(hWnd) && std::string(caption) == search->caption) {
        search->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of the process with that caption, once it appears;
// none when the process ends or the wait runs out first.
HWND WaitForWindow(const PROCESS_INFORMATION& process, const char* caption)
{
    for (DWORD waited = 0; waited < WAIT_MS; waited += 100) {
        WindowSearch search{ process.dwProcessId, caption, nullptr };
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (::WaitForSingleObject(process.hProcess, 100) == WAIT_OBJECT_0)
            return nullptr;
    }
    return nullptr;
}

class ShippedGame : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string folder = OwnFolder();
        std::string exe = folder + "Quillmere.exe";
        STARTUPINFOA si{};
        si.cb = sizeof si;
        // Now and then Wine cannot lay out a new process's memory, and the start fails
        // with an internal error before any of the game has run: it is tried again.
        BOOL started = FALSE;
        DWORD error = ERROR_INTERNAL_ERROR;
        for (int attempt = 0; attempt < 3 && !started && error == ERROR_INTERNAL_ERROR; ++attempt) {
            started = ::CreateProcessA(exe.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                       folder.c_str(), &si, &m_process);
            error = started ? ERROR_SUCCESS : ::GetLastError();
        }
        ASSERT_TRUE(started) << "cannot start " << exe << ": error " << error;
        ::CloseHandle(m_process.hThread);
    }

    void TearDown() override
    {
        if (!m_process.hProcess)
            return;
        if (::WaitForSingleObject(m_process.hProcess, 0) != WAIT_OBJECT_0)
            ::TerminateProcess(m_process.hProcess, 99);
        ::CloseHandle(m_process.hProcess);
    }

    PROCESS_INFORMATION m_process{};
};

TEST_F(ShippedGame, ShowsTheRulesThenTheGameAndEndsWhenClosed)
{
    HWND about = WaitForWindow(m_process, "About Quillmere");
    ASSERT_NE(about, nullptr) << "no \"About Quillmere\" within " << WAIT_MS << " ms, or the game ended first";
    ::PostMessageA(about, WM_COMMAND, IDOK, 0);

    HWND game = WaitForWindow(m_process, "Quillmere");
    ASSERT_NE(game, nullptr) << "the game's window did not show after the rules";
    ::PostMessageA(game, WM_SYSCOMMAND, SC_CLOSE, 0);

    ASSERT_EQ(::WaitForSingleObject(m_process.hProcess, WAIT_MS), WAIT_OBJECT_0)
        << "the game did not end when its window was closed";
    DWORD code = 1;
    ::GetExitCodeProcess(m_process.hProcess, &code);
    EXPECT_EQ(code, 0u);
}

}  // namespace
