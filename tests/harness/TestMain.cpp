// The test program's entry: the class library is started as the program starts it,
// without running the application, which each test runs itself.
#include "CWinApp.h"
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    AfxWinInit(::GetModuleHandleA(nullptr));
    return RUN_ALL_TESTS();
}
