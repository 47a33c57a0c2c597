// Runs the program named on its command line, with the rest of the line as that
// program's, and ends with the program's own exit code.
//
// Wine ends a process's Windows side first, then gives its Unix side half a second to
// exit before it kills it. Under load a test program's Unix side (the display's OpenGL
// and X libraries) can take longer, and a passing test is reported as killed. The code
// that this runner reads back is the one the program ended with; the runner itself
// loads nothing that is slow to unload.
#include <windows.h>
#include <cstdio>
#include <string>

namespace {

// The command line after this runner's own name, as the caller wrote it.
const wchar_t* CommandLineOfTheProgram()
{
    const wchar_t* p = ::GetCommandLineW();
    if (*p == L'"') {
        for (++p; *p && *p != L'"'; ++p) {
        }
        if (*p)
            ++p;
    } else {
        while (*p && *p != L' ' && *p != L'\t')
            ++p;
    }
    while (*p == L' ' || *p == L'\t')
        ++p;
    return p;
}

// Standard handles that the program can inherit; one that cannot be had is left alone.
void ShareStandardHandles(STARTUPINFOW& si)
{
    si.dwFlags |= STARTF_USESTDHANDLES;
    si.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    si.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE h : {si.hStdInput, si.hStdOutput, si.hStdError})
        if (h && h != INVALID_HANDLE_VALUE)
            ::SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
}

}  // namespace

int main()
{
    const wchar_t* line = CommandLineOfTheProgram();
    if (!*line) {
        std::fprintf(stderr, "usage: exit_code_runner PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    // CreateProcessW may write into the line it is given.
    std::wstring writable(line);

    STARTUPINFOW si{};
    si.cb = sizeof si;
    ShareStandardHandles(si);
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(nullptr, writable.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi)) {
        std::fprintf(stderr, "exit_code_runner: cannot start %ls: Windows error %lu\n", line, ::GetLastError());
        return 127;
    }
    ::CloseHandle(pi.hThread);
    ::WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    ::GetExitCodeProcess(pi.hProcess, &code);
    ::CloseHandle(pi.hProcess);
    std::fflush(nullptr);
    ::ExitProcess(code);
}
