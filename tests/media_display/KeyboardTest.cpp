// The keyboard on fakes: set-up and its two error boxes, the polled read with its
// re-acquire, and release.
#include "CaseName.h"
#include "FakeDirectX.h"
#include "Keyboard.h"
#include <climits>
#include <type_traits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

const HINSTANCE INSTANCE = reinterpret_cast<HINSTANCE>(0x400000);

KeyState StateWithKeysDown(std::initializer_list<int> keys)
{
    KeyState state{};
    for (int key : keys)
        state[static_cast<size_t>(key)] = 0x80;
    return state;
}

class KeyboardTest : public FakePlatformTest {
protected:
    void SetUp() override
    {
        FakePlatformTest::SetUp();
        g_fake.directInput = &directInput;
        directInput.device = &device;
    }
    void InitReady()
    {
        ASSERT_EQ(1, keyboard.Init(INSTANCE, window));
        Calls().clear();
    }
    FakeDirectInput directInput;
    FakeDevice device;
    CKeyboard keyboard;
};

const std::vector<std::string> INIT_CALLS = {
    "DirectInputCreateA(hinst=0x400000,version=0x0700,outer=null)",
    "di.CreateDevice(GUID_SysKeyboard,outer=null)",
    "device.SetDataFormat(c_dfDIKeyboard)",
    "device.SetCooperativeLevel(hwnd=0x1234,flags=0x6)",
    "device.Acquire"};

TEST_F(KeyboardTest, NewKeyboardHoldsNothingAndNoKeyIsDown)
{
    EXPECT_FALSE(std::is_polymorphic<CKeyboard>::value);
    EXPECT_EQ(nullptr, keyboard.m_pDI);
    EXPECT_EQ(nullptr, keyboard.m_pDevice);
    for (BYTE key : keyboard.m_keys)
        EXPECT_EQ(0, key);
}

TEST_F(KeyboardTest, InitCreatesSharesAndAcquiresTheSystemKeyboard)
{
    // Only creation is tested: these results are not looked at.
    device.formatResult = DIERR_ACQUIRED;
    device.cooperativeResult = DIERR_INVALIDPARAM;
    device.acquireResult = DIERR_OTHERAPPHASPRIO;

    EXPECT_EQ(1, keyboard.Init(INSTANCE, window));

    EXPECT_EQ(INIT_CALLS, Calls());
    EXPECT_EQ(&directInput, keyboard.m_pDI);
    EXPECT_EQ(&device, keyboard.m_pDevice);
    EXPECT_THAT(g_fake.boxes, IsEmpty());
}

struct InitFailure {
    const char* name;
    HRESULT createResult;
    HRESULT deviceResult;
    const char* box;
    bool directInputHeld;
    std::vector<std::string> releaseCalls;
};

class KeyboardInitFailureTest : public KeyboardTest,
                                public ::testing::WithParamInterface<InitFailure> {};

TEST_P(KeyboardInitFailureTest, ShowsItsBoxAndLeavesWhatReleaseFrees)
{
    const InitFailure& c = GetParam();
    g_fake.directInputResult = c.createResult;
    directInput.deviceResult = c.deviceResult;

    EXPECT_EQ(0, keyboard.Init(INSTANCE, window));

    ASSERT_EQ(1u, g_fake.boxes.size());
    EXPECT_EQ(window, g_fake.boxes[0].owner);
    EXPECT_EQ(c.box, g_fake.boxes[0].text);
    EXPECT_EQ("Error", g_fake.boxes[0].caption);
    EXPECT_EQ(static_cast<UINT>(MB_OK), g_fake.boxes[0].type);
    EXPECT_EQ(c.directInputHeld, keyboard.m_pDI != nullptr);
    EXPECT_EQ(nullptr, keyboard.m_pDevice);

    Calls().clear();
    EXPECT_EQ(0, keyboard.IsKeyDown(30));
    keyboard.Release();
    EXPECT_EQ(c.releaseCalls, Calls());
    EXPECT_EQ(nullptr, keyboard.m_pDI);
}

INSTANTIATE_TEST_SUITE_P(
    Results, KeyboardInitFailureTest,
    ::testing::Values(
        InitFailure{"NoDirectInput", DIERR_OLDDIRECTINPUTVERSION, DI_OK, "Error create DirectInput",
                    false, {}},
        InitFailure{"DirectInputSuccessCode", S_FALSE, DI_OK, "Error create DirectInput", false, {}},
        InitFailure{"NoDevice", DI_OK, DIERR_DEVICENOTREG, "Error create Device", true, {"di.Release"}},
        InitFailure{"DeviceSuccessCode", DI_OK, S_FALSE, "Error create Device", true,
                    {"di.Release"}}),
    CaseName());

struct ReadCase {
    const char* name;
    HRESULT acquire;
    std::vector<std::string> calls;
    BOOL down; // key 30 is up in the first read and down in the second
};

class KeyboardReadTest : public KeyboardTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(KeyboardReadTest, ReadsAgainOnlyWhenAcquireAnswersDiOk)
{
    const ReadCase& c = GetParam();
    InitReady();
    device.acquireResult = c.acquire;
    device.states = {StateWithKeysDown({}), StateWithKeysDown({30})};

    EXPECT_EQ(c.down, keyboard.IsKeyDown(30));
    EXPECT_EQ(c.calls, Calls());
}

const char READ[] = "device.GetDeviceState(256)";

INSTANTIATE_TEST_SUITE_P(
    AcquireResults, KeyboardReadTest,
    ::testing::Values(ReadCase{"StillAcquired", S_FALSE, {READ, "device.Acquire"}, 0},
                      ReadCase{"AcquiredAgain", DI_OK, {READ, "device.Acquire", READ}, 1},
                      ReadCase{"NotAcquirable", DIERR_OTHERAPPHASPRIO, {READ, "device.Acquire"}, 0}),
    CaseName());

TEST_F(KeyboardTest, KeyIsDownWhileBitSevenOfItsByteIsSet)
{
    InitReady();
    KeyState state{};
    state[30] = 0x80;
    state[31] = 0x7F;
    state[255] = 0x81;
    device.states = {state};

    EXPECT_EQ(1, keyboard.IsKeyDown(30));
    EXPECT_EQ(0, keyboard.IsKeyDown(31));
    EXPECT_EQ(1, keyboard.IsKeyDown(255));
    EXPECT_EQ(0, keyboard.IsKeyDown(254));
}

TEST_F(KeyboardTest, FailedReadsStillTestTheByteLastRead)
{
    InitReady();
    device.states = {StateWithKeysDown({30})};
    ASSERT_EQ(1, keyboard.IsKeyDown(30));
    device.states = {StateWithKeysDown({})};
    device.stateResult = DIERR_NOTACQUIRED;
    device.acquireResult = DIERR_OTHERAPPHASPRIO;

    EXPECT_EQ(1, keyboard.IsKeyDown(30));
}

TEST_F(KeyboardTest, KeyOutsideTheStateIsUpAndReadsNothing)
{
    InitReady();
    device.states = {StateWithKeysDown({0, 255})};
    for (int key : {-1, 256, INT_MIN, INT_MAX})
        EXPECT_EQ(0, keyboard.IsKeyDown(key)) << key;
    EXPECT_THAT(Calls(), IsEmpty());
}

TEST_F(KeyboardTest, ReleaseFreesTheDeviceBeforeDirectInputOnce)
{
    InitReady();

    keyboard.Release();
    keyboard.Release();

    EXPECT_THAT(Calls(), ElementsAre("device.Unacquire", "device.Release", "di.Release"));
    EXPECT_EQ(nullptr, keyboard.m_pDevice);
    EXPECT_EQ(nullptr, keyboard.m_pDI);
}

TEST_F(KeyboardTest, InitAfterReleaseSetsUpAsTheFirstTime)
{
    InitReady();
    keyboard.Release();
    Calls().clear();

    EXPECT_EQ(1, keyboard.Init(INSTANCE, window));
    EXPECT_EQ(INIT_CALLS, Calls());
}

TEST_F(KeyboardTest, InitOverAReadyKeyboardReleasesWhatItHeld)
{
    InitReady();

    EXPECT_EQ(1, keyboard.Init(INSTANCE, window));

    std::vector<std::string> expected = {"device.Unacquire", "device.Release", "di.Release"};
    expected.insert(expected.end(), INIT_CALLS.begin(), INIT_CALLS.end());
    EXPECT_EQ(expected, Calls());
}

} // namespace
