// The screen on fakes: background and view, flip with lost-surface recovery, text, the
// frame counter and the colour fill.
#include "CaseName.h"
#include "FakeDirectX.h"
#include <cstddef>
#include "RealPlatform.h"
#include "Screen.h"
#include <climits>
#include <type_traits>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

#ifdef __i386__
static_assert(sizeof(DDBLTFX) == 100 && offsetof(DDBLTFX, dwFillColor) == 80, "the 32-bit effects record");
#endif

// Read during the program's static initialisation, before any test resets the counter.
const DWORD FPS_TICK_AT_START = g_dwFpsTick;
const int FRAME_COUNT_AT_START = g_nFrameCount;
const int FPS_AT_START = g_nFps;

TEST(FrameCounterAtProgramStart, StandsAtTickZeroWithNothingCounted)
{
    EXPECT_EQ(0u, FPS_TICK_AT_START);
    EXPECT_EQ(0, FRAME_COUNT_AT_START);
    EXPECT_EQ(0, FPS_AT_START);
}

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class ScreenTest : public FakePlatformTest {
protected:
    void TearDown() override
    {
        if (screen.m_hFont)
            DeleteObject(screen.m_hFont);
        FakePlatformTest::TearDown();
    }
    CScreen screen;
    FakeSurface background{"background"};
};

TEST_F(ScreenTest, NewScreenHoldsNothing)
{
    EXPECT_FALSE(std::is_polymorphic<CScreen>::value);
    EXPECT_EQ(nullptr, screen.m_pBackground);
    EXPECT_TRUE(SameRect(RECT{0, 0, 0, 0}, screen.m_rcView));
    EXPECT_EQ(0, screen.m_nLimitX);
    EXPECT_EQ(0, screen.m_nLimitY);
    EXPECT_EQ(nullptr, screen.m_hFont);
}

class ScreenBackgroundTest : public ScreenTest {
protected:
    const ScopedBitmapFile file{"screen_test_background", 2, 2, {0, 0, 0, 0}};
};

TEST_F(ScreenBackgroundTest, ViewCoversTheStatedSizeSoNoPositiveMoveIsAllowed)
{
    g_pDirectDraw = &directDraw;
    directDraw.surfaceAnswers.push_back({DD_OK, &background});

    screen.LoadBackground(file.c_str(), 800, 600);

    EXPECT_EQ(&background, screen.m_pBackground);
    EXPECT_TRUE(SameRect(RECT{0, 0, 800, 600}, screen.m_rcView));
    EXPECT_EQ(800, screen.m_nLimitX);
    EXPECT_EQ(600, screen.m_nLimitY);
    EXPECT_EQ(0, screen.MoveViewRight(1));
    EXPECT_EQ(0, screen.MoveViewLeft(1));
    EXPECT_EQ(0, screen.MoveViewUp(1));
    EXPECT_EQ(0, screen.MoveViewDown(1));
    EXPECT_TRUE(SameRect(RECT{0, 0, 800, 600}, screen.m_rcView));
}

TEST_F(ScreenBackgroundTest, LoadingOverAHeldBackgroundReleasesItFirst)
{
    g_pDirectDraw = &directDraw;
    FakeSurface second("second");
    directDraw.surfaceAnswers = {{DD_OK, &background}, {DD_OK, &second}};
    screen.LoadBackground(file.c_str(), 2, 2);
    Calls().clear();

    screen.LoadBackground(file.c_str(), 2, 2);

    EXPECT_EQ("background.Release", Calls().front());
    EXPECT_EQ(0, background.refs);
    EXPECT_EQ(&second, screen.m_pBackground);
}

TEST_F(ScreenBackgroundTest, WithoutDisplaySetsViewAndBoundsAlone)
{
    screen.LoadBackground(file.c_str(), 1280, 480);

    EXPECT_EQ(nullptr, screen.m_pBackground);
    EXPECT_TRUE(SameRect(RECT{0, 0, 1280, 480}, screen.m_rcView));
    EXPECT_EQ(1280, screen.m_nLimitX);
    EXPECT_EQ(480, screen.m_nLimitY);
}

using MoveOp = BOOL (CScreen::*)(int);

struct MoveCase {
    const char* name;
    int limitX, limitY;
    RECT view;
    MoveOp op;
    int distance;
    BOOL moved;
    RECT after;
};

class ScreenMoveViewTest : public ScreenTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(ScreenMoveViewTest, MovesBothEdgesOnlyWhenTheLeadingEdgeStaysStrictlyInside)
{
    const MoveCase& c = GetParam();
    screen.LoadBackground("no background.bmp", c.limitX, c.limitY);
    screen.SetView(c.view.left, c.view.top, c.view.right - c.view.left, c.view.bottom - c.view.top);

    EXPECT_EQ(c.moved, (screen.*c.op)(c.distance));
    EXPECT_TRUE(SameRect(c.after, screen.m_rcView))
        << "view " << RectText(&screen.m_rcView) << ", expected " << RectText(&c.after);
}

const RECT VIEW_10 = {10, 0, 650, 480};

INSTANTIATE_TEST_SUITE_P(
    Bounds, ScreenMoveViewTest,
    ::testing::Values(
        MoveCase{"RightInside", 1280, 480, {0, 0, 640, 480}, &CScreen::MoveViewRight, 10, 1, VIEW_10},
        MoveCase{"LeftToZeroRefused", 1280, 480, VIEW_10, &CScreen::MoveViewLeft, 10, 0, VIEW_10},
        MoveCase{"LeftToOne", 1280, 480, VIEW_10, &CScreen::MoveViewLeft, 9, 1, {1, 0, 641, 480}},
        MoveCase{"RightOntoBoundRefused", 1280, 480, VIEW_10, &CScreen::MoveViewRight, 630, 0,
                 VIEW_10},
        MoveCase{"RightBelowBound", 1280, 480, VIEW_10, &CScreen::MoveViewRight, 629, 1,
                 {639, 0, 1279, 480}},
        MoveCase{"UpZeroAtTopRefused", 1280, 480, VIEW_10, &CScreen::MoveViewUp, 0, 0, VIEW_10},
        MoveCase{"RightZeroInside", 1280, 480, VIEW_10, &CScreen::MoveViewRight, 0, 1, VIEW_10},
        MoveCase{"LeftNegativeTestsTheLeftEdgeOnly", 0, 0, VIEW_10, &CScreen::MoveViewLeft, -5, 1,
                 {15, 0, 655, 480}},
        MoveCase{"RightNegativeTestsTheRightEdgeOnly", 1280, 480, VIEW_10, &CScreen::MoveViewRight,
                 -20, 1, {-10, 0, 630, 480}},
        MoveCase{"UpNegativeTestsTheTopEdgeOnly", 0, 0, {0, 10, 640, 490}, &CScreen::MoveViewUp, -5,
                 1, {0, 15, 640, 495}},
        MoveCase{"DownNegativeTestsTheBottomEdgeOnly", 1280, 600, {0, 10, 640, 490},
                 &CScreen::MoveViewDown, -20, 1, {0, -10, 640, 470}},
        MoveCase{"DownBelowBound", 1280, 600, {0, 0, 640, 480}, &CScreen::MoveViewDown, 119, 1,
                 {0, 119, 640, 599}},
        MoveCase{"DownOntoBoundRefused", 1280, 600, {0, 0, 640, 480}, &CScreen::MoveViewDown, 120,
                 0, {0, 0, 640, 480}},
        MoveCase{"UpToOne", 1280, 600, {0, 10, 640, 490}, &CScreen::MoveViewUp, 9, 1,
                 {0, 1, 640, 481}},
        MoveCase{"UpToZeroRefused", 1280, 600, {0, 10, 640, 490}, &CScreen::MoveViewUp, 10, 0,
                 {0, 10, 640, 490}},
        MoveCase{"StepOutOfRangeRefused", 1280, 480, VIEW_10, &CScreen::MoveViewLeft, INT_MIN, 0,
                 VIEW_10}),
    CaseName());

struct FlipCase {
    const char* name;
    HRESULT flip, primaryRestore, backRestore;
    bool withBackground;
    std::vector<std::string> calls;
    HRESULT primaryBlit = DD_OK;
};

const char FLIP[] = "primary.Flip(target=null,flags=0x1)";
const char PRIMARY_BLT[] =
    "primary.Blt(dest=null,src=background,srcRect=(10,0,650,480),flags=0x01000000,fx=null)";
const char BACK_BLT[] =
    "back.Blt(dest=null,src=background,srcRect=(10,0,650,480),flags=0x01000000,fx=null)";

class ScreenFlipTest : public ScreenTest, public ::testing::WithParamInterface<FlipCase> {};

TEST_P(ScreenFlipTest, RecoversOnlyFromALostSurface)
{
    const FlipCase& c = GetParam();
    StandDisplay();
    primary.flipResult = c.flip;
    primary.restoreResult = c.primaryRestore;
    back.restoreResult = c.backRestore;
    primary.bltResult = c.primaryBlit;
    if (c.withBackground)
        screen.m_pBackground = &background;
    screen.SetView(10, 0, 640, 480);

    screen.Flip();

    EXPECT_THAT(Calls(), ElementsAreArray(c.calls));
    screen.m_pBackground = nullptr;
}

INSTANTIATE_TEST_SUITE_P(
    Results, ScreenFlipTest,
    ::testing::Values(
        FlipCase{"Flipped", DD_OK, DD_OK, DD_OK, true, {FLIP}},
        FlipCase{"OtherFailure", DDERR_WASSTILLDRAWING, DD_OK, DD_OK, true, {FLIP}},
        FlipCase{"LostBothRestored", DDERR_SURFACELOST, DD_OK, DD_OK, true,
                 {FLIP, "primary.Restore", PRIMARY_BLT, "back.Restore", BACK_BLT}},
        FlipCase{"LostPrimaryStaysLost", DDERR_SURFACELOST, DDERR_WRONGMODE, DD_OK, true,
                 {FLIP, "primary.Restore", "back.Restore", BACK_BLT}},
        FlipCase{"LostBackStaysLost", DDERR_SURFACELOST, DD_OK, DDERR_WRONGMODE, true,
                 {FLIP, "primary.Restore", PRIMARY_BLT, "back.Restore"}},
        FlipCase{"LostRestoreSuccessCodeIsNoRestore", DDERR_SURFACELOST, 1, 1, true,
                 {FLIP, "primary.Restore", "back.Restore"}},
        FlipCase{"LostWithoutBackground", DDERR_SURFACELOST, DD_OK, DD_OK, false,
                 {FLIP, "primary.Restore", "back.Restore"}},
        FlipCase{"LostPrimaryRefusesTheBlit", DDERR_SURFACELOST, DD_OK, DD_OK, true,
                 {FLIP, "primary.Restore", PRIMARY_BLT, "back.Restore", BACK_BLT}, DDERR_SURFACELOST}),
    CaseName());

TEST_F(ScreenTest, DrawingWithoutDisplayDoesNothing)
{
    screen.Flip();
    screen.ClearBackBuffer(0);
    EXPECT_EQ(0, screen.PrintText(0, 0, "text", RGB(255, 255, 255)));
    EXPECT_THAT(Calls(), IsEmpty());
}

TEST_F(ScreenTest, ClearBackBufferFillsTheWholeBufferWithTheRawValue)
{
    StandDisplay();
    back.bltResult = DDERR_SURFACELOST;  // a refused fill is neither reported nor tried again
    for (DWORD fill : {0x0u, 0xF81Fu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(fill);
        Calls().clear();
        screen.ClearBackBuffer(fill);
        EXPECT_THAT(Calls(),
                    ElementsAre("back.Blt(dest=null,src=null,srcRect=null,flags=0x01000400,fx=given)"));
        EXPECT_EQ(RecordWith(sizeof(DDBLTFX), {{offsetof(DDBLTFX, dwSize), (DWORD)sizeof(DDBLTFX)}, {offsetof(DDBLTFX, dwFillColor), fill}}), back.fxGiven);
    }
}

struct FontCase {
    BOOL bold;
    DWORD italic, underline;
    LONG weight;
};

TEST_F(ScreenTest, CreateTextFontAsksForAThaiFontOfTheGivenStyle)
{
    for (const FontCase& c : {FontCase{1, 0, 0, FW_BOLD}, FontCase{0, 1, 1, FW_DONTCARE},
                              FontCase{2, 0, 0, FW_BOLD}}) {
        ASSERT_EQ(1, screen.CreateTextFont("Tahoma", 18, c.bold, c.italic, c.underline));
        LOGFONTA lf;
        ASSERT_EQ(static_cast<int>(sizeof lf), GetObjectA(screen.m_hFont, sizeof lf, &lf));
        EXPECT_EQ(18, lf.lfHeight);
        EXPECT_EQ(0, lf.lfWidth);
        EXPECT_EQ(0, lf.lfEscapement);
        EXPECT_EQ(0, lf.lfOrientation);
        EXPECT_EQ(c.weight, lf.lfWeight);
        EXPECT_EQ(c.italic, lf.lfItalic);
        EXPECT_EQ(c.underline, lf.lfUnderline);
        EXPECT_EQ(0, lf.lfStrikeOut);
        EXPECT_EQ(THAI_CHARSET, lf.lfCharSet);
        EXPECT_EQ(OUT_CHARACTER_PRECIS, lf.lfOutPrecision);
        EXPECT_EQ(CLIP_DEFAULT_PRECIS, lf.lfClipPrecision);
        EXPECT_EQ(DEFAULT_QUALITY, lf.lfQuality);
        EXPECT_EQ(DEFAULT_PITCH | FF_DONTCARE, lf.lfPitchAndFamily);
        EXPECT_STREQ("Tahoma", lf.lfFaceName);
    }
}

TEST_F(ScreenTest, FontMadeOverAHeldOneDeletesIt)
{
    ASSERT_EQ(1, screen.CreateTextFont("Tahoma", 12, 0, 0, 0));
    const HFONT hOld = screen.m_hFont;
    ASSERT_EQ(1, screen.CreateTextFont("Tahoma", 14, 0, 0, 0));
    EXPECT_EQ(0u, GetObjectType(hOld));
}

TEST_F(ScreenTest, PrintTextDrawsInTheFontAndColourOverATransparentBackground)
{
    StandDisplay();
    ASSERT_EQ(1, screen.CreateTextFont("Tahoma", 20, 1, 0, 0));

    EXPECT_EQ(1, screen.PrintText(4, 4, "Quillmere", RGB(0, 255, 0)));

    EXPECT_THAT(Calls(), ElementsAre("back.GetDC", "back.ReleaseDC"));
    EXPECT_EQ(static_cast<HGDIOBJ>(screen.m_hFont), GetCurrentObject(back.hdc, OBJ_FONT));
    EXPECT_EQ(RGB(0, 255, 0), GetTextColor(back.hdc));
    EXPECT_EQ(TRANSPARENT, GetBkMode(back.hdc));
    int drawn = 0;
    for (int y = 0; y < back.height; ++y)
        for (int x = 0; x < back.width; ++x)
            drawn += back.Pixel(x, y) != 0;
    EXPECT_GT(drawn, 0);
}

TEST_F(ScreenTest, PrintTextWithoutDeviceContextOrTextDrawsNothing)
{
    StandDisplay();
    EXPECT_EQ(0, screen.PrintText(0, 0, nullptr, 0));
    for (HRESULT hr : {DDERR_SURFACELOST, static_cast<HRESULT>(1)}) {
        back.getDCResult = hr;
        EXPECT_EQ(0, screen.PrintText(0, 0, "text", 0)) << hr;
    }
    EXPECT_THAT(CallsStartingWith("back.ReleaseDC"), IsEmpty());
}

// A text drawn as PrintText draws it at (3, 5), onto a surface of our own.
void DrawReference(FakeSurface& target, HFONT hFont, const char* pszText, COLORREF crColor)
{
    SelectObject(target.hdc, hFont);
    SetTextColor(target.hdc, crColor);
    SetBkMode(target.hdc, TRANSPARENT);
    TextOutA(target.hdc, 3, 5, pszText, static_cast<int>(strlen(pszText)));
}

bool SamePixels(const FakeSurface& a, const FakeSurface& b)
{
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

struct ReferenceText {
    const char* text;
    COLORREF colour;
    bool same;
};

// Wine has no font of the Thai character set and draws every character in one as the
// same box, so the text is read in a Latin font put into the screen in its place.
TEST_F(ScreenTest, DrawFpsPrintsTheLastWindowsCountInRed)
{
    StandDisplay();
    screen.m_hFont = CreateFontA(20, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                 "Tahoma");
    ASSERT_NE(nullptr, screen.m_hFont);
    g_fake.ticks.push_back(1000);
    for (DWORD t = 1001; t <= 1059; ++t)
        g_fake.ticks.push_back(t);
    for (size_t i = 0; i < 60; ++i)
        screen.CountFps();
    g_fake.ticks = {2000};

    screen.DrawFps(3, 5);

    EXPECT_TRUE(g_fake.ticks.empty()) << "DrawFps counts the frame itself";
    const COLORREF RED = RGB(250, 0, 0);
    for (const ReferenceText& c : {ReferenceText{"fps = 59", RED, true}, ReferenceText{"fps = 60", RED, false},
                                   ReferenceText{"fps = 58", RED, false}, ReferenceText{"FPS = 59", RED, false},
                                   ReferenceText{"fps=59", RED, false}, ReferenceText{"fps = 5", RED, false},
                                   ReferenceText{"fps = 590", RED, false},
                                   ReferenceText{"fps = 59", RGB(255, 0, 0), false}}) {
        FakeSurface reference("reference", back.width, back.height);
        DrawReference(reference, screen.m_hFont, c.text, c.colour);
        EXPECT_EQ(c.same, SamePixels(reference, back)) << c.text << " in " << std::hex << c.colour;
    }
}

TEST_F(ScreenTest, ReleaseDisplayReleasesBackgroundThenChainThenDirectDrawOnce)
{
    StandDisplay();
    screen.m_pBackground = &background;
    ASSERT_EQ(1, screen.CreateTextFont("Tahoma", 12, 0, 0, 0));

    screen.ReleaseDisplay();
    EXPECT_THAT(Calls(), ElementsAre("background.Release", "back.Release", "primary.Release",
                                     "dd.Release"));
    EXPECT_EQ(nullptr, screen.m_pBackground);
    EXPECT_EQ(nullptr, g_pBackSurface);
    EXPECT_EQ(nullptr, g_pPrimarySurface);
    EXPECT_EQ(nullptr, g_pDirectDraw);
    EXPECT_NE(0u, GetObjectType(screen.m_hFont)) << "the font is the screen's to keep";

    screen.ReleaseDisplay();
    EXPECT_EQ(4u, Calls().size()) << "a second release finds nothing";
}

struct FpsCase {
    const char* name;
    std::vector<DWORD> ticks;
    std::vector<int> results;
};

std::vector<DWORD> Paced(DWORD dwStart, DWORD dwStep, int nCalls)
{
    std::vector<DWORD> ticks;
    for (int i = 0; i < nCalls; ++i)
        ticks.push_back(dwStart + dwStep * static_cast<DWORD>(i));
    return ticks;
}

const std::vector<int> NINE_AFTER_TEN_CALLS = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9};

class ScreenCountFpsTest : public ScreenTest, public ::testing::WithParamInterface<FpsCase> {};

TEST_P(ScreenCountFpsTest, CountsTheCallsBetweenTheOnesThatCloseAWindow)
{
    const FpsCase& c = GetParam();
    g_fake.ticks.assign(c.ticks.begin(), c.ticks.end());
    std::vector<int> results;
    for (size_t i = 0; i < c.ticks.size(); ++i)
        results.push_back(screen.CountFps());
    EXPECT_EQ(c.results, results);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, ScreenCountFpsTest,
    ::testing::Values(FpsCase{"FirstCallClosesTheWindowOfTickZero", {5000}, {0}},
                      FpsCase{"EvenPaceCountsNeitherClosingCall", Paced(5000, 100, 11),
                              NINE_AFTER_TEN_CALLS},
                      FpsCase{"AcrossTheTickWrap", Paced(0xFFFFFE70u, 100, 11),
                              NINE_AFTER_TEN_CALLS},
                      FpsCase{"ClosesAtTheFirstCallAThousandLater", {5000, 5999, 6000}, {0, 0, 1}},
                      FpsCase{"SparseCallsAreNeverScaled", {5000, 9000, 9001, 12000},
                              {0, 0, 0, 1}}),
    CaseName());

} // namespace
