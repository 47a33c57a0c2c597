// A program that dies before it prints anything, as a test program does whose start
// fails: the test command must still say why it failed.
#include <windows.h>

int main()
{
    ::RaiseException(EXCEPTION_ACCESS_VIOLATION, EXCEPTION_NONCONTINUABLE, 0, nullptr);
    return 0;
}
