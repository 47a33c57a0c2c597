// The real display and keyboard entry points take their DLL in at their first call. A
// DLL, or an entry point in it, that cannot be had then gives the set-up's own failure
// for that call failing. No other test of this program calls the real entry points, so
// every call here is a first call.
#include "CaseName.h"
#include "FakeDirectX.h"
#include "Keyboard.h"
#include "MediaLib.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const HINSTANCE INSTANCE = reinterpret_cast<HINSTANCE>(0x400000);
// A system DLL that has neither entry point and that this program does not load otherwise,
// so that it is gone once the library has let go of it.
const char LACKING_BOTH[] = "lz32.dll";

std::vector<std::string> g_dllsAsked;
const char* g_pszHandedOut = nullptr;

// Hands out, for whatever DLL is asked for, the DLL the test names (a real one without
// the entry point), or none.
HMODULE WINAPI FakeLoadLibraryA(LPCSTR pszFile)
{
    g_dllsAsked.push_back(pszFile);
    return g_pszHandedOut ? ::LoadLibraryA(g_pszHandedOut) : nullptr;
}

struct SetUpOutcome {
    BOOL result;
    bool anythingHeld;
};

SetUpOutcome InitDisplay(HWND hWnd)
{
    CMediaLib media;
    const BOOL bResult = media.InitDisplay(hWnd, 640, 480, 16);
    return {bResult, g_pDirectDraw || g_pPrimarySurface || g_pBackSurface};
}

SetUpOutcome InitKeyboard(HWND hWnd)
{
    CKeyboard keyboard;
    const BOOL bResult = keyboard.Init(INSTANCE, hWnd);
    const bool bHeld = keyboard.m_pDI || keyboard.m_pDevice;
    keyboard.Release();
    return {bResult, bHeld};
}

struct MissingCase {
    const char* name;
    SetUpOutcome (*setUp)(HWND);
    const char* dll;       // the DLL that the first call asks for
    const char* handedOut; // null: the DLL is missing; else a DLL without the entry point
    const char* box;       // the set-up's box for its first call failing, or null for none
};

class FirstUseMissingTest : public FakePlatformTest,
                            public ::testing::WithParamInterface<MissingCase> {
protected:
    void SetUp() override
    {
        FakePlatformTest::SetUp();
        const MediaPlatform real = RealMediaPlatform();
        g_mediaPlatform.DirectDrawCreateEx = real.DirectDrawCreateEx;
        g_mediaPlatform.DirectInputCreateA = real.DirectInputCreateA;
        g_mediaPlatform.LoadLibraryA = &FakeLoadLibraryA;
        g_dllsAsked.clear();
        g_pszHandedOut = GetParam().handedOut;
    }
};

TEST_P(FirstUseMissingTest, GivesTheSetUpsFailureForItsFirstCall)
{
    const MissingCase& c = GetParam();

    const SetUpOutcome outcome = c.setUp(window);

    EXPECT_EQ(0, outcome.result);
    EXPECT_FALSE(outcome.anythingHeld);
    EXPECT_THAT(g_dllsAsked, ElementsAre(c.dll));
    if (c.box) {
        ASSERT_EQ(1u, g_fake.boxes.size());
        EXPECT_EQ(c.box, g_fake.boxes[0].text);
    } else {
        EXPECT_THAT(g_fake.boxes, IsEmpty());
    }
    if (c.handedOut) {
        EXPECT_EQ(nullptr, GetModuleHandleA(c.handedOut)) << "a DLL without the entry point is not kept";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Missing, FirstUseMissingTest,
    ::testing::Values(
        MissingCase{"DirectDrawDll", InitDisplay, "ddraw.dll", nullptr, nullptr},
        MissingCase{"DirectDrawEntryPoint", InitDisplay, "ddraw.dll", LACKING_BOTH, nullptr},
        MissingCase{"DirectInputDll", InitKeyboard, "dinput.dll", nullptr, "Error create DirectInput"},
        MissingCase{"DirectInputEntryPoint", InitKeyboard, "dinput.dll", LACKING_BOTH,
                    "Error create DirectInput"}),
    CaseName());

} // namespace
