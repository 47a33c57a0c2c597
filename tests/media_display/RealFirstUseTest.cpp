// The real display and keyboard entry points load their DLL at their first call, and
// only then: a table restored after it calls the entry point already bound.
#include "CaseName.h"
#include "MediaPlatform.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> g_dllsLoaded;

HMODULE WINAPI NotingLoadLibraryA(LPCSTR pszFile)
{
    g_dllsLoaded.push_back(pszFile);
    return ::LoadLibraryA(pszFile);
}

// Each makes its platform object through the table in force and gives it back.
bool MakesDirectDraw()
{
    IDirectDraw7* pDirectDraw = nullptr;
    if (g_mediaPlatform.DirectDrawCreateEx(nullptr, reinterpret_cast<LPVOID*>(&pDirectDraw),
                                           IID_IDirectDraw7, nullptr) != DD_OK)
        return false;
    pDirectDraw->Release();
    return true;
}

bool MakesDirectInput()
{
    IDirectInputA* pDirectInput = nullptr;
    if (g_mediaPlatform.DirectInputCreateA(GetModuleHandleA(nullptr), 0x0700, &pDirectInput,
                                           nullptr) != DI_OK)
        return false;
    pDirectInput->Release();
    return true;
}

struct FirstUse {
    const char* name;
    const char* dll;
    bool (*makes)();
};

class RealFirstUseTest : public ::testing::TestWithParam<FirstUse> {
protected:
    void TearDown() override { g_mediaPlatform = RealMediaPlatform(); }
    // The real table as a test restores it, noting the DLLs its entry points load.
    static void RestoreNotingLoads()
    {
        g_mediaPlatform = RealMediaPlatform();
        g_mediaPlatform.LoadLibraryA = &NotingLoadLibraryA;
    }
};

TEST_P(RealFirstUseTest, LoadsItsDllOnceForEveryRestoredTable)
{
    const FirstUse& c = GetParam();
    // Run alone, as the test command runs each test, this is the process's first call;
    // after other tests in the same process it may not be.
    const bool bFirstCall = GetModuleHandleA(c.dll) == nullptr;
    g_dllsLoaded.clear();

    RestoreNotingLoads();
    ASSERT_TRUE(c.makes());
    RestoreNotingLoads();
    ASSERT_TRUE(c.makes());

    EXPECT_EQ(bFirstCall ? std::vector<std::string>{c.dll} : std::vector<std::string>{},
              g_dllsLoaded);
}

INSTANTIATE_TEST_SUITE_P(EntryPoints, RealFirstUseTest,
                         ::testing::Values(FirstUse{"DirectDraw", "ddraw.dll", MakesDirectDraw},
                                           FirstUse{"DirectInput", "dinput.dll", MakesDirectInput}),
                         CaseName());

} // namespace
