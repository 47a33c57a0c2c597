// Setting up the full-screen display and loading bitmap files into surfaces, on fakes.
#include <cstddef>
#include "CaseName.h"
#include "FakeDirectX.h"
#include "RealPlatform.h"
#include "MediaLib.h"

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// The records are compared field by field, so that a 64-bit build checks its own
// layout; the 32-bit program's records are the bytes these offsets give.
#ifdef __i386__
static_assert(sizeof(DDSURFACEDESC2) == 124 && offsetof(DDSURFACEDESC2, dwBackBufferCount) == 20 &&
              offsetof(DDSURFACEDESC2, ddsCaps) == 104, "the 32-bit surface record");
static_assert(sizeof(DDSCAPS2) == 16, "the 32-bit caps record");
#endif

const HRESULT SUCCESS_BUT_NOT_DD_OK = 1;

class InitDisplayTest : public FakePlatformTest {
protected:
    void SetUp() override
    {
        FakePlatformTest::SetUp();
        directDraw.surfaceAnswers.push_back({DD_OK, &primary});
    }
    CMediaLib media;
};

TEST_F(InitDisplayTest, SetsUpTheChainInOrderWithTheRecordsByteForByte)
{
    EXPECT_EQ(1, media.InitDisplay(window, 640, 480, 16));

    EXPECT_THAT(Calls(), ElementsAre("DirectDrawCreateEx(guid=null,iid=IID_IDirectDraw7,outer=null)",
                                     "dd.SetCooperativeLevel(hwnd=0x1234,flags=0x11)",
                                     "dd.SetDisplayMode(640,480,16,0,0)",
                                     "dd.CreateSurface(outer=null)",
                                     "primary.GetAttachedSurface"));
    ASSERT_EQ(1u, directDraw.descsGiven.size());
    EXPECT_EQ(RecordWith(sizeof(DDSURFACEDESC2), {{offsetof(DDSURFACEDESC2, dwSize), (DWORD)sizeof(DDSURFACEDESC2)}, {offsetof(DDSURFACEDESC2, dwFlags), 0x21}, {offsetof(DDSURFACEDESC2, dwBackBufferCount), 1}, {offsetof(DDSURFACEDESC2, ddsCaps.dwCaps), 0x218}}),
              directDraw.descsGiven[0]);
    EXPECT_EQ(RecordWith(16, {{0, 4}}), primary.capsGiven);
    EXPECT_EQ(&directDraw, g_pDirectDraw);
    EXPECT_EQ(&primary, g_pPrimarySurface);
    EXPECT_EQ(&back, g_pBackSurface);
    EXPECT_THAT(g_fake.boxes, IsEmpty());
}

TEST_F(InitDisplayTest, AnEarlierSetUpIsNeitherLookedAtNorUndone)
{
    StandDisplay();

    EXPECT_EQ(1, media.InitDisplay(window, 640, 480, 16));

    ASSERT_EQ(5u, Calls().size()) << "the whole set-up again, and nothing released";
    EXPECT_EQ("DirectDrawCreateEx(guid=null,iid=IID_IDirectDraw7,outer=null)", Calls().front());
}

TEST_F(InitDisplayTest, RefusedCooperativeLevelAndModeAreLeftToTheSurfaceToDecide)
{
    directDraw.cooperativeResult = DDERR_EXCLUSIVEMODEALREADYSET;
    directDraw.displayModeResult = DDERR_UNSUPPORTED;

    EXPECT_EQ(1, media.InitDisplay(window, 800, 600, 32));
    EXPECT_THAT(g_fake.boxes, IsEmpty());
}

struct InitFailure {
    const char* name;
    HRESULT createResult;
    HRESULT primaryResult;
    HRESULT attachedResult;
    const char* box; // null: no box
    bool directDrawHeld;
    bool primaryHeld;
};

class InitDisplayFailureTest : public InitDisplayTest,
                               public ::testing::WithParamInterface<InitFailure> {};

TEST_P(InitDisplayFailureTest, ReturnsZeroWithItsBoxAndUndoesNothing)
{
    const InitFailure& c = GetParam();
    g_fake.directDrawResult = c.createResult;
    directDraw.surfaceAnswers = {{c.primaryResult, c.primaryResult == DD_OK ? &primary : nullptr}};
    primary.attachedResult = c.attachedResult;

    EXPECT_EQ(0, media.InitDisplay(window, 640, 480, 16));

    if (c.box) {
        ASSERT_EQ(1u, g_fake.boxes.size());
        EXPECT_EQ(window, g_fake.boxes[0].owner);
        EXPECT_EQ(c.box, g_fake.boxes[0].text);
        EXPECT_EQ("Error!!", g_fake.boxes[0].caption);
        EXPECT_EQ(static_cast<UINT>(MB_OK), g_fake.boxes[0].type);
    } else {
        EXPECT_THAT(g_fake.boxes, IsEmpty());
        EXPECT_EQ(1u, Calls().size()) << "nothing after DirectDrawCreateEx";
    }
    EXPECT_EQ(c.directDrawHeld, g_pDirectDraw != nullptr);
    EXPECT_EQ(c.primaryHeld, g_pPrimarySurface != nullptr);
    EXPECT_EQ(nullptr, g_pBackSurface);
    EXPECT_THAT(CallsStartingWith("dd.Release"), IsEmpty());
    EXPECT_THAT(CallsStartingWith("primary.Release"), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Results, InitDisplayFailureTest,
    ::testing::Values(
        InitFailure{"NoDirectDraw", DDERR_NODIRECTDRAWHW, DD_OK, DD_OK, nullptr, false, false},
        InitFailure{"DirectDrawSuccessCode", SUCCESS_BUT_NOT_DD_OK, DD_OK, DD_OK, nullptr, false,
                    false},
        InitFailure{"NoPrimary", DD_OK, DDERR_OUTOFVIDEOMEMORY, DD_OK, "ERROR Create surface",
                    true, false},
        InitFailure{"PrimarySuccessCode", DD_OK, SUCCESS_BUT_NOT_DD_OK, DD_OK,
                    "ERROR Create surface", true, false},
        InitFailure{"NoBackBuffer", DD_OK, DD_OK, DDERR_NOTFOUND, "ERROR Create back surface",
                    true, true},
        InitFailure{"BackBufferSuccessCode", DD_OK, DD_OK, SUCCESS_BUT_NOT_DD_OK,
                    "ERROR Create back surface", true, true}),
    CaseName());

// A 3 x 2 picture of colours that every display depth keeps exactly.
const std::vector<DWORD> PICTURE = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0xFF00FF};

class LoadBitmapSurfaceTest : public FakePlatformTest {
protected:
    void SetUp() override
    {
        FakePlatformTest::SetUp();
        g_pDirectDraw = &directDraw;
    }
    // No GDI object of the load may be left: the bitmap is deleted only once no device
    // context holds it any longer.
    void ExpectBitmapGone()
    {
        ASSERT_EQ(1u, g_fake.bitmapsLoaded.size());
        EXPECT_EQ(0u, GetObjectType(g_fake.bitmapsLoaded[0]));
    }

    const ScopedBitmapFile file{"display_test_picture", 3, 2, PICTURE};
    FakeSurface sheet{"sheet", 3, 2};
    CMediaLib media;
};

TEST_F(LoadBitmapSurfaceTest, CopiesThePictureIntoASystemMemorySurfaceOfItsSize)
{
    // What the new surface held is replaced by the picture, not mixed with it.
    const RECT whole = {0, 0, sheet.width, sheet.height};
    FillRect(sheet.hdc, &whole, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    directDraw.surfaceAnswers.push_back({DD_OK, &sheet});

    EXPECT_EQ(&sheet, media.LoadBitmapSurface(file.c_str()));

    EXPECT_THAT(Calls(), ElementsAre("LoadImageA(hinst=0x0,type=0,cx=0,cy=0,flags=0x50)",
                                     "dd.CreateSurface(outer=null)", "sheet.GetDC",
                                     "sheet.ReleaseDC"));
    EXPECT_EQ(RecordWith(sizeof(DDSURFACEDESC2), {{offsetof(DDSURFACEDESC2, dwSize), (DWORD)sizeof(DDSURFACEDESC2)}, {offsetof(DDSURFACEDESC2, dwFlags), 7}, {offsetof(DDSURFACEDESC2, dwHeight), 2}, {offsetof(DDSURFACEDESC2, dwWidth), 3}, {offsetof(DDSURFACEDESC2, ddsCaps.dwCaps), 0x840}}),
              directDraw.descsGiven[0]);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(PICTURE[y * 3 + x], sheet.Pixel(x, y)) << x << "," << y;
    EXPECT_EQ(1, sheet.refs) << "the caller's one reference";
    ExpectBitmapGone();
}

TEST_F(LoadBitmapSurfaceTest, WithoutDisplayGivesNullAndLoadsNothing)
{
    g_pDirectDraw = nullptr;
    EXPECT_EQ(nullptr, media.LoadBitmapSurface(file.c_str()));
    EXPECT_THAT(Calls(), IsEmpty());
}

TEST_F(LoadBitmapSurfaceTest, MissingFileOrNoNameGivesNullWithoutSurfaceOrBox)
{
    EXPECT_EQ(nullptr, media.LoadBitmapSurface("no such picture.bmp"));
    EXPECT_EQ(nullptr, media.LoadBitmapSurface(nullptr));
    EXPECT_THAT(CallsStartingWith("dd."), IsEmpty());
    EXPECT_THAT(g_fake.boxes, IsEmpty());
}

TEST_F(LoadBitmapSurfaceTest, RefusedSurfaceGivesNullAndDeletesTheBitmap)
{
    for (HRESULT hr : {DDERR_OUTOFMEMORY, SUCCESS_BUT_NOT_DD_OK}) {
        SCOPED_TRACE(hr);
        g_fake.bitmapsLoaded.clear();
        directDraw.surfaceAnswers.push_back({hr, nullptr});
        EXPECT_EQ(nullptr, media.LoadBitmapSurface(file.c_str()));
        ExpectBitmapGone();
    }
}

TEST_F(LoadBitmapSurfaceTest, SurfaceHandedOutWithAFailureIsReleased)
{
    directDraw.surfaceAnswers.push_back({SUCCESS_BUT_NOT_DD_OK, &sheet});
    EXPECT_EQ(nullptr, media.LoadBitmapSurface(file.c_str()));
    EXPECT_EQ(0, sheet.refs);
}

TEST_F(LoadBitmapSurfaceTest, SurfaceWithoutDeviceContextIsReturnedAllTheSame)
{
    for (HRESULT hr : {DDERR_SURFACEBUSY, SUCCESS_BUT_NOT_DD_OK}) {
        SCOPED_TRACE(hr);
        Calls().clear();
        g_fake.bitmapsLoaded.clear();
        sheet.getDCResult = hr;
        directDraw.surfaceAnswers.push_back({DD_OK, &sheet});

        EXPECT_EQ(&sheet, media.LoadBitmapSurface(file.c_str()));
        EXPECT_THAT(CallsStartingWith("sheet.ReleaseDC"), IsEmpty());
        ExpectBitmapGone();
    }
}

} // namespace
