// The display, screen and sprites on the real DirectDraw, read back pixel by pixel.
// Runs on an X server whose own mode is 640 x 480 x 16, the only mode it can switch to.
#include "CaseName.h"
#include "MediaPlatform.h"
#include "RealPlatform.h"
#include "Screen.h"
#include "Sprite.h"
#include <gtest/gtest.h>
#include <climits>
#include <cstring>
#include <functional>
#include <memory>

namespace {

// Colours whose channels are all 0 or 255 come out exactly at any depth.
const DWORD RED = 0xFF0000, GREEN = 0x00FF00, BLUE = 0x0000FF, WHITE = 0xFFFFFF,
            MAGENTA = 0xFF00FF, YELLOW = 0xFFFF00;

std::vector<HBITMAP> g_bitmapsLoaded;

HANDLE WINAPI NotingLoadImageA(HINSTANCE hInst, LPCSTR pszName, UINT uType, int cx, int cy,
                               UINT fuLoad)
{
    HANDLE hImage = LoadImageA(hInst, pszName, uType, cx, cy, fuLoad);
    if (hImage)
        g_bitmapsLoaded.push_back(static_cast<HBITMAP>(hImage));
    return hImage;
}

// A surface locked for reading; its pixels are 16-bit values of the display's format.
class Locked {
public:
    explicit Locked(IDirectDrawSurface7* pSurface) : m_pSurface(pSurface)
    {
        std::memset(&desc, 0, sizeof desc);
        desc.dwSize = sizeof desc;
        ok = pSurface->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) == DD_OK;
    }
    ~Locked()
    {
        if (ok)
            m_pSurface->Unlock(nullptr);
    }
    WORD At(int x, int y) const
    {
        const BYTE* pRow = static_cast<const BYTE*>(desc.lpSurface) + y * desc.lPitch;
        return reinterpret_cast<const WORD*>(pRow)[x];
    }
    // The display-format value of a colour whose channels are 0 or 255.
    WORD Value(DWORD rgb) const
    {
        const DDPIXELFORMAT& pf = desc.ddpfPixelFormat;
        return static_cast<WORD>(((rgb & 0xFF0000) ? pf.dwRBitMask : 0) |
                                 ((rgb & 0x00FF00) ? pf.dwGBitMask : 0) |
                                 ((rgb & 0x0000FF) ? pf.dwBBitMask : 0));
    }
    // The first pixel of the rectangle for which the check fails, or "" when none does.
    std::string FirstMismatch(int x0, int y0, int x1, int y1,
                              const std::function<bool(int, int, WORD)>& good) const
    {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (!good(x, y, At(x, y)))
                    return std::to_string(x) + "," + std::to_string(y) + " holds " +
                           std::to_string(At(x, y));
        return "";
    }

    DDSURFACEDESC2 desc;
    bool ok;

private:
    IDirectDrawSurface7* m_pSurface;
};

class RealDisplayTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { s_hWnd = CreateTestWindow(640, 480); }
    static void TearDownTestSuite() { DestroyWindow(s_hWnd); }

    void SetUp() override
    {
        HDC hdcScreen = GetDC(nullptr);
        const int nBits = GetDeviceCaps(hdcScreen, BITSPIXEL);
        ReleaseDC(nullptr, hdcScreen);
        if (GetSystemMetrics(SM_CXSCREEN) != 640 || GetSystemMetrics(SM_CYSCREEN) != 480 ||
            nBits != 16)
            GTEST_SKIP() << "DirectDraw under Xvfb switches only to the X server's own mode: "
                            "run on the 640x480x16 server named by QM_DISPLAY_640";
        g_mediaPlatform.LoadImageA = &NotingLoadImageA;
        g_bitmapsLoaded.clear();
        ASSERT_EQ(1, screen.InitDisplay(s_hWnd, 640, 480, 16));
    }
    void TearDown() override
    {
        sprite.ReleaseSurface();
        screen.ReleaseDisplay();
        if (screen.m_hFont)
            DeleteObject(screen.m_hFont);
        g_mediaPlatform = RealMediaPlatform();
    }
    const char* Picture(const char* pszStem, int width, int height,
                        const std::function<DWORD(int, int)>& colour)
    {
        std::vector<DWORD> pixels;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                pixels.push_back(colour(x, y));
        files.push_back(std::make_unique<ScopedBitmapFile>(pszStem, width, height, pixels));
        return files.back()->c_str();
    }

    static HWND s_hWnd;
    CScreen screen;
    CSprite sprite;
    std::vector<std::unique_ptr<ScopedBitmapFile>> files;
};

HWND RealDisplayTest::s_hWnd = nullptr;

DWORD Stripes(int x, int y)
{
    static const DWORD COLOURS[] = {RED, GREEN, BLUE, WHITE, 0, MAGENTA, YELLOW};
    return COLOURS[(x / 40 + y / 30) % 7];
}

TEST_F(RealDisplayTest, SetsUpAFlippingChainOfTheMode)
{
    ASSERT_NE(nullptr, g_pDirectDraw);
    ASSERT_NE(nullptr, g_pPrimarySurface);
    ASSERT_NE(nullptr, g_pBackSurface);
    Locked back(g_pBackSurface);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ(640u, back.desc.dwWidth);
    EXPECT_EQ(480u, back.desc.dwHeight);
    EXPECT_EQ(16u, back.desc.ddpfPixelFormat.dwRGBBitCount);
}

TEST_F(RealDisplayTest, BitmapFileBecomesASurfaceHoldingItsPicture)
{
    IDirectDrawSurface7* pSurface =
        screen.LoadBitmapSurface(Picture("real_picture", 640, 480, Stripes));
    ASSERT_NE(nullptr, pSurface);
    {
        Locked picture(pSurface);
        ASSERT_TRUE(picture.ok);
        EXPECT_EQ(640u, picture.desc.dwWidth);
        EXPECT_EQ(480u, picture.desc.dwHeight);
        EXPECT_EQ("", picture.FirstMismatch(0, 0, 640, 480, [&](int x, int y, WORD v) {
                      return v == picture.Value(Stripes(x, y));
                  }));
    }
    pSurface->Release();
    ASSERT_EQ(1u, g_bitmapsLoaded.size());
    EXPECT_EQ(0u, GetObjectType(g_bitmapsLoaded[0])) << "the GDI bitmap is gone after the load";
    EXPECT_EQ(nullptr, screen.LoadBitmapSurface("no such picture.bmp"));
}

// Cells of 32 x 32 with a white border line; the interior has transparent magenta and
// coloured pixels, different in each cell.
DWORD SheetColour(int x, int y)
{
    const int cx = x % 32, cy = y % 32;
    if (cx == 0 || cy == 0 || cx == 31 || cy == 31)
        return WHITE;
    if ((cx + cy) % 3 == 0)
        return MAGENTA;
    return (x / 32 == 0) ? RED : GREEN;
}

// A sprite on a 64 x 32 sheet of SheetColour, over a back buffer of one fill value.
class RealSpriteTest : public RealDisplayTest {
protected:
    void LoadSheetOverFill(int nCellWidth, int nCellHeight)
    {
        {
            Locked back(g_pBackSurface);
            ASSERT_TRUE(back.ok);
            wKey = back.Value(MAGENTA);
            wFill = back.Value(BLUE);
        }
        sprite.Load(Picture("real_sheet", 64, 32, SheetColour), nCellWidth, nCellHeight, wKey);
        ASSERT_NE(nullptr, sprite.m_pSurface);
        screen.ClearBackBuffer(wFill);
    }
    static std::string SheetMismatch(const Locked& sheet)
    {
        return sheet.FirstMismatch(0, 0, 64, 32, [&](int x, int y, WORD v) {
            return v == sheet.Value(SheetColour(x, y));
        });
    }

    WORD wKey = 0, wFill = 0;
};

TEST_F(RealSpriteTest, SpriteCopiesItsCellInteriorSkippingKeyPixels)
{
    ASSERT_NO_FATAL_FAILURE(LoadSheetOverFill(32, 32));

    sprite.DrawFrameAt(100, 50, 1, 0);

    Locked sheet(sprite.m_pSurface);
    Locked back(g_pBackSurface);
    ASSERT_TRUE(sheet.ok);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ("", SheetMismatch(sheet));
    EXPECT_EQ("", back.FirstMismatch(100, 50, 130, 80, [&](int x, int y, WORD v) {
                  const WORD wSheet = sheet.At(x - 100 + 33, y - 50 + 1);
                  return v == (wSheet == wKey ? wFill : wSheet);
              }));
    EXPECT_EQ("", back.FirstMismatch(90, 40, 140, 90, [&](int x, int y, WORD v) {
                  const bool inside = x >= 100 && x < 130 && y >= 50 && y < 80;
                  return inside || v == wFill;
              })) << "nothing is drawn around the image: the border line stays on the sheet";
}

// A draw whose cell lies partly or wholly off the sheet, or whose image lies partly or
// wholly off the back buffer. The sprite leaves the rectangles to the platform, which
// may refuse them or clip them, but must never draw anything the draw does not put there.
struct OutsideDraw {
    const char* name;
    int cellWidth, cellHeight;
    int x, y, col, row;
};

class RealSpriteOutsideTest : public RealSpriteTest,
                              public ::testing::WithParamInterface<OutsideDraw> {};

TEST_P(RealSpriteOutsideTest, ChangesNoPixelTheDrawDoesNotPutThere)
{
    const OutsideDraw& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(LoadSheetOverFill(c.cellWidth, c.cellHeight));
    const RECT rcSource = sprite.GetFrameRect(c.col, c.row);

    sprite.DrawFrameAt(c.x, c.y, c.col, c.row);

    Locked sheet(sprite.m_pSurface);
    Locked back(g_pBackSurface);
    ASSERT_TRUE(sheet.ok);
    ASSERT_TRUE(back.ok);
    EXPECT_EQ("", SheetMismatch(sheet)) << "the sheet is left as it was";
    EXPECT_EQ("", back.FirstMismatch(0, 0, 640, 480, [&](int x, int y, WORD v) {
                  // The sheet pixel that the draw puts at (x, y), when there is one.
                  const long long sx = static_cast<long long>(x) - c.x + rcSource.left;
                  const long long sy = static_cast<long long>(y) - c.y + rcSource.top;
                  const bool bMapped = sx >= rcSource.left && sx < rcSource.right && sy >= rcSource.top &&
                                       sy < rcSource.bottom && sx >= 0 && sx < 64 && sy >= 0 && sy < 32;
                  const WORD wSheet = bMapped ? sheet.At(static_cast<int>(sx), static_cast<int>(sy)) : wKey;
                  return v == wFill || (wSheet != wKey && v == wSheet);
              }));
}

INSTANTIATE_TEST_SUITE_P(
    Draws, RealSpriteOutsideTest,
    ::testing::Values(OutsideDraw{"ColumnPastTheSheet", 32, 32, 100, 50, 2, 0},
                      OutsideDraw{"RowPastTheSheet", 32, 32, 100, 50, 0, 1},
                      OutsideDraw{"ColumnLeftOfTheSheet", 32, 32, 100, 50, -1, 0},
                      OutsideDraw{"CellPartlyPastTheSheet", 40, 40, 100, 50, 1, 0},
                      OutsideDraw{"PartlyOffTheLeft", 32, 32, -10, 50, 0, 0},
                      OutsideDraw{"PartlyOffTheRight", 32, 32, 620, 50, 1, 0},
                      OutsideDraw{"PartlyOffTheTop", 32, 32, 100, -5, 1, 0},
                      OutsideDraw{"PartlyOffTheBottom", 32, 32, 100, 470, 0, 0},
                      OutsideDraw{"FarOff", 32, 32, 100000, -100000, 0, 0},
                      OutsideDraw{"AtTheEndOfTheIntRange", 32, 32, INT_MAX - 10, INT_MIN + 10, 1, 0}),
    CaseName());

TEST_F(RealDisplayTest, ClearThenFlipBringsTheFilledBufferToTheFront)
{
    WORD wGreen;
    {
        Locked back(g_pBackSurface);
        ASSERT_TRUE(back.ok);
        wGreen = back.Value(GREEN);
    }
    screen.ClearBackBuffer(wGreen);
    {
        Locked back(g_pBackSurface);
        EXPECT_EQ("", back.FirstMismatch(0, 0, 640, 480,
                                         [&](int, int, WORD v) { return v == wGreen; }));
    }

    screen.Flip();

    Locked front(g_pPrimarySurface);
    ASSERT_TRUE(front.ok);
    EXPECT_EQ("", front.FirstMismatch(0, 0, 640, 480,
                                      [&](int, int, WORD v) { return v == wGreen; }));
}

TEST_F(RealDisplayTest, PrintTextDrawsGlyphsAtItsPositionOnly)
{
    screen.ClearBackBuffer(0);
    ASSERT_EQ(1, screen.CreateTextFont("Tahoma", 24, 1, 0, 0));

    EXPECT_EQ(1, screen.PrintText(20, 200, "Quillmere", RGB(255, 255, 255)));

    Locked back(g_pBackSurface);
    ASSERT_TRUE(back.ok);
    EXPECT_NE("", back.FirstMismatch(20, 200, 320, 240, [](int, int, WORD v) { return v == 0; }))
        << "some glyph pixel is drawn";
    EXPECT_EQ("", back.FirstMismatch(0, 0, 640, 190, [](int, int, WORD v) { return v == 0; }));
}

TEST_F(RealDisplayTest, AfterReleaseDisplayNothingLoadsOrPrints)
{
    const char* pszFile = Picture("real_small", 4, 4, Stripes);
    screen.ReleaseDisplay();

    EXPECT_EQ(nullptr, g_pDirectDraw);
    EXPECT_EQ(nullptr, g_pPrimarySurface);
    EXPECT_EQ(nullptr, g_pBackSurface);
    EXPECT_EQ(nullptr, screen.LoadBitmapSurface(pszFile));
    EXPECT_EQ(0, screen.PrintText(0, 0, "text", 0));
}

} // namespace
