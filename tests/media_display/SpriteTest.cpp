// The sprite on fakes: cell rectangles, loading, the draw family, animation and hits.
#include "CaseName.h"
#include "FakeDirectX.h"
#include "RealPlatform.h"
#include "Sprite.h"
#include <type_traits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::string BltFastCall(int x, int y, const RECT& rc)
{
    return "back.BltFast(" + std::to_string(x) + "," + std::to_string(y) + ",sheet," + RectText(&rc) +
           ",flags=0x1)";
}

// The interior of cell (column, row) of a 32 x 32 grid: its border line is never drawn.
RECT Cell32(int nCol, int nRow)
{
    return RECT{32 * nCol + 1, 32 * nRow + 1, 32 * nCol + 31, 32 * nRow + 31};
}

class SpriteTest : public FakePlatformTest {
protected:
    // A sprite with a 32 x 32 grid on a sheet, drawn at (100, 50).
    void LoadSheet()
    {
        StandDisplay();
        directDraw.surfaceAnswers.push_back({DD_OK, &sheet});
        sprite.Load(file.c_str(), 32, 32, 0xF81F);
        sprite.m_x = 100;
        sprite.m_y = 50;
        Calls().clear();
    }
    // The columns that the BltFast calls since the last clear asked for, row 0 assumed.
    std::vector<int> ColumnsDrawn()
    {
        std::vector<int> columns;
        for (const std::string& call : CallsStartingWith("back.BltFast"))
            for (int c = -1; c < 8; ++c)
                if (call == BltFastCall(100, 50, Cell32(c, 0)))
                    columns.push_back(c);
        return columns;
    }

    const ScopedBitmapFile file{"sprite_test_sheet", 2, 2, {0, 0, 0, 0}};
    FakeSurface sheet{"sheet"};
    CSprite sprite;
};

TEST_F(SpriteTest, NewSpriteHoldsNoSheet)
{
    EXPECT_FALSE(std::is_polymorphic<CSprite>::value);
    EXPECT_EQ(nullptr, sprite.m_pSurface);
    EXPECT_EQ(0, sprite.m_nFrame);
    EXPECT_EQ(0, sprite.m_nRow);
}

struct FrameRectCase {
    int width, height, col, row;
    RECT expected;
};

TEST_F(SpriteTest, GetFrameRectLeavesOutTheCellsBorderLine)
{
    for (const FrameRectCase& c : {FrameRectCase{32, 48, 2, 1, {65, 49, 95, 95}},
                                   FrameRectCase{32, 32, 0, 0, {1, 1, 31, 31}},
                                   FrameRectCase{32, 32, -1, 0, {-31, 1, -1, 31}},
                                   FrameRectCase{3, 3, 4, 5, {13, 16, 14, 17}}}) {
        sprite.m_nCellWidth = c.width;
        sprite.m_nCellHeight = c.height;
        const RECT rc = sprite.GetFrameRect(c.col, c.row);
        EXPECT_EQ(RectText(&c.expected), RectText(&rc));
    }
}

TEST_F(SpriteTest, LoadSetsTheSourceKeyAndResetsFrameAndRow)
{
    StandDisplay();
    directDraw.surfaceAnswers.push_back({DD_OK, &sheet});
    sheet.colorKeyResult = DDERR_NOCOLORKEYHW;  // not looked at: the sheet is kept all the same
    sprite.m_nFrame = 7;
    sprite.m_nRow = 3;

    sprite.Load(file.c_str(), 32, 48, 0xF81F);

    EXPECT_EQ(&sheet, sprite.m_pSurface);
    EXPECT_THAT(CallsStartingWith("sheet.SetColorKey"), ElementsAre("sheet.SetColorKey(flags=0x8)"));
    EXPECT_EQ(0xF81Fu, sheet.keyGiven.dwColorSpaceLowValue);
    EXPECT_EQ(0xF81Fu, sheet.keyGiven.dwColorSpaceHighValue);
    EXPECT_EQ(32, sprite.m_nCellWidth);
    EXPECT_EQ(48, sprite.m_nCellHeight);
    EXPECT_EQ(0, sprite.m_nFrame);
    EXPECT_EQ(0, sprite.m_nRow);
}

TEST_F(SpriteTest, LoadOverAHeldSheetReleasesItFirst)
{
    LoadSheet();
    FakeSurface second("second");
    directDraw.surfaceAnswers.push_back({DD_OK, &second});

    sprite.Load(file.c_str(), 32, 32, 0);

    EXPECT_EQ("sheet.Release", Calls().front());
    EXPECT_EQ(0, sheet.refs);
    EXPECT_EQ(&second, sprite.m_pSurface);
}

TEST_F(SpriteTest, LoadOfAMissingFileSetsCellsAndDrawsNothing)
{
    StandDisplay();
    sprite.m_nFrame = 7;
    sprite.m_nRow = 3;

    sprite.Load("no such sheet.bmp", 16, 24, 0);
    sprite.Draw();
    sprite.Animate(0, 3);

    EXPECT_EQ(nullptr, sprite.m_pSurface);
    EXPECT_EQ(16, sprite.m_nCellWidth);
    EXPECT_EQ(24, sprite.m_nCellHeight);
    EXPECT_EQ(1, sprite.m_nFrame) << "Animate steps the frame all the same";
    EXPECT_EQ(0, sprite.m_nRow);
    EXPECT_THAT(CallsStartingWith("back."), IsEmpty());
}

TEST_F(SpriteTest, WithoutBackBufferTheDrawFamilyDrawsNothing)
{
    LoadSheet();
    g_pBackSurface = nullptr;
    sprite.Draw();
    sprite.AnimateAt(0, 0, 0, 3);
    EXPECT_THAT(Calls(), IsEmpty());
    EXPECT_EQ(1, sprite.m_nFrame);
}

TEST_F(SpriteTest, EachDrawIsOneColourKeyedBltFast)
{
    LoadSheet();
    sprite.m_nFrame = 2;
    sprite.m_nRow = 1;

    sprite.Draw();
    sprite.DrawFrame(4, 0);
    sprite.DrawFrameAt(7, 9, 1, 2);

    EXPECT_THAT(Calls(), ElementsAre(BltFastCall(100, 50, Cell32(0, 0)),
                                     BltFastCall(100, 50, Cell32(4, 0)),
                                     BltFastCall(7, 9, Cell32(1, 2))));
    EXPECT_EQ(2, sprite.m_nFrame);
    EXPECT_EQ(1, sprite.m_nRow);
}

struct AnimateCase {
    const char* name;
    std::vector<std::pair<int, int>> calls; // (first, last) of each call, in order
    std::vector<int> columns;
    int frameAfter;
    HRESULT blit = DD_OK;
};

std::vector<std::pair<int, int>> Repeat(int nFirst, int nLast, int nTimes)
{
    return std::vector<std::pair<int, int>>(static_cast<size_t>(nTimes), {nFirst, nLast});
}

std::vector<std::pair<int, int>> Then(std::vector<std::pair<int, int>> a,
                                      const std::vector<std::pair<int, int>>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class SpriteAnimateTest : public SpriteTest, public ::testing::WithParamInterface<AnimateCase> {};

TEST_P(SpriteAnimateTest, WrapsOnTheLastFrameOnly)
{
    const AnimateCase& c = GetParam();
    LoadSheet();
    back.bltResult = c.blit;
    for (const auto& call : c.calls)
        sprite.Animate(call.first, call.second);
    EXPECT_EQ(c.columns, ColumnsDrawn());
    EXPECT_EQ(c.calls.size(), CallsStartingWith("back.BltFast").size()) << "one copy per call";
    EXPECT_EQ(c.frameAfter, sprite.m_nFrame);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, SpriteAnimateTest,
    ::testing::Values(
        AnimateCase{"Forward", Repeat(2, 5, 11), {0, 1, 2, 3, 4, 5, 2, 3, 4, 5, 2}, 3},
        AnimateCase{"Backward", Repeat(5, 2, 9), {5, 4, 3, 2, 5, 4, 3, 2, 5}, 4},
        AnimateCase{"OneFrame", Repeat(3, 3, 3), {3, 3, 3}, 2},
        AnimateCase{"ForwardThenBackward", Then(Repeat(0, 3, 4), Repeat(3, 0, 7)),
                    {0, 1, 2, 3, 4, 3, 2, 1, 0, 3, 2}, 1},
        AnimateCase{"BackwardThenForward", Then(Repeat(3, 0, 1), Repeat(0, 3, 6)),
                    {0, -1, 0, 1, 2, 3, 0}, 1},
        AnimateCase{"RefusedBlitsAreNotRetriedAndStillStep", Repeat(0, 3, 5), {0, 1, 2, 3, 0}, 1,
                    DDERR_SURFACELOST}),
    CaseName());

TEST_F(SpriteTest, SetRowTakesEffectAtOnceWithoutResettingTheFrame)
{
    LoadSheet();
    sprite.Animate(0, 5);
    sprite.SetRow(2);
    sprite.AnimateAt(7, 9, 0, 5);
    sprite.DrawFrame(4, 0);

    EXPECT_THAT(Calls(), ElementsAre(BltFastCall(100, 50, Cell32(0, 0)),
                                     BltFastCall(7, 9, Cell32(1, 2)),
                                     BltFastCall(100, 50, Cell32(4, 0))));
    EXPECT_EQ(2, sprite.m_nFrame);
    EXPECT_EQ(2, sprite.m_nRow);
}

struct HitCase {
    RECT rc;
    BOOL hit;
};

TEST_F(SpriteTest, HitTestsNeedASharedPixel)
{
    sprite.m_rcHitA = {10, 10, 20, 20};
    sprite.m_rcHitB = {100, 100, 110, 110};
    for (const HitCase& c : {HitCase{{20, 10, 30, 20}, 0}, HitCase{{19, 19, 30, 30}, 1},
                             HitCase{{15, 15, 15, 25}, 0}, HitCase{{0, 0, 10, 10}, 0}}) {
        SCOPED_TRACE(RectText(&c.rc));
        EXPECT_EQ(c.hit, sprite.HitTestA(c.rc));
        const RECT moved = {c.rc.left + 90, c.rc.top + 90, c.rc.right + 90, c.rc.bottom + 90};
        EXPECT_EQ(c.hit, sprite.HitTestB(moved));
        EXPECT_EQ(0, sprite.HitTestB(c.rc)) << "B is tested against its own rectangle";
    }
}

TEST_F(SpriteTest, ReleaseSurfaceReleasesOnceAndKeepsFrameAndRow)
{
    LoadSheet();
    sprite.m_nFrame = 4;
    sprite.SetRow(2);

    sprite.ReleaseSurface();
    sprite.ReleaseSurface();

    EXPECT_THAT(Calls(), ElementsAre("sheet.Release"));
    EXPECT_EQ(nullptr, sprite.m_pSurface);
    EXPECT_EQ(4, sprite.m_nFrame);
    EXPECT_EQ(2, sprite.m_nRow);
}

TEST_F(SpriteTest, ASpriteThatEndsKeepsItsSheetReferenced)
{
    StandDisplay();
    directDraw.surfaceAnswers.push_back({DD_OK, &sheet});
    {
        CSprite other;
        other.Load(file.c_str(), 32, 32, 0);
    }
    EXPECT_EQ(1, sheet.refs) << "only ReleaseSurface gives the sheet back";
}

} // namespace
