// Sprite draws per second onto the 640 x 480 back buffer of the real display, through the
// library and through the same BltFast calls made directly, in one run, and the memory
// taken while drawing.
#include "RealPlatform.h"
#include "Screen.h"
#include "Sprite.h"
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <new>
#include <vector>

namespace {

long g_nAllocations = 0;

const int SPRITES_PER_FRAME = 256;
const int FRAMES_PER_BATCH = 40;
const int ROUNDS = 21;
const int COLUMNS = 8;
const DWORD KEY_RGB = 0xFF00FF;

struct Placement {
    int x, y;
};

std::vector<Placement> Placements()
{
    std::vector<Placement> places;
    for (int i = 0; i < SPRITES_PER_FRAME; ++i)
        places.push_back({(i * 97) % (640 - 32), (i * 61) % (480 - 32)});
    return places;
}

DWORD SheetColour(int x, int y)
{
    const int cx = x % 32, cy = y % 32;
    if ((cx - 16) * (cx - 16) + (cy - 16) * (cy - 16) > 14 * 14)
        return KEY_RGB;
    return (x / 32) % 2 ? 0xFFFF00 : 0x00FF00;
}

WORD DisplayValue(IDirectDrawSurface7* pSurface, DWORD rgb)
{
    DDPIXELFORMAT pf = {};
    pf.dwSize = sizeof pf;
    pSurface->GetPixelFormat(&pf);
    return static_cast<WORD>(((rgb & 0xFF0000) ? pf.dwRBitMask : 0) |
                             ((rgb & 0x00FF00) ? pf.dwGBitMask : 0) |
                             ((rgb & 0x0000FF) ? pf.dwBBitMask : 0));
}

void LibraryFrame(CSprite& sprite, const std::vector<Placement>& places)
{
    for (const Placement& p : places)
        sprite.AnimateAt(p.x, p.y, 0, COLUMNS - 1);
}

// The same calls, made without the library: the cell walk of AnimateAt(0, 7) and the
// cell interior of the 32 x 32 grid worked out here.
void DirectFrame(IDirectDrawSurface7* pSheet, int& nColumn, const std::vector<Placement>& places)
{
    for (const Placement& p : places) {
        RECT rc = {32 * nColumn + 1, 1, 32 * nColumn + 31, 31};
        g_pBackSurface->BltFast(static_cast<DWORD>(p.x), static_cast<DWORD>(p.y), pSheet, &rc,
                                DDBLTFAST_SRCCOLORKEY);
        nColumn = (nColumn + 1) % COLUMNS;
    }
}

// Bytes in use in all of the process's heaps: the C runtime's and Wine's allocations.
SIZE_T HeapBytesInUse()
{
    HANDLE heaps[64];
    const DWORD nHeaps = std::min<DWORD>(GetProcessHeaps(64, heaps), 64);
    SIZE_T total = 0;
    for (DWORD i = 0; i < nHeaps; ++i) {
        if (!HeapLock(heaps[i]))
            continue;
        PROCESS_HEAP_ENTRY entry = {};
        while (HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                total += entry.cbData;
        HeapUnlock(heaps[i]);
    }
    return total;
}

double Seconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double TimeBatch(const std::function<void()>& frame, LARGE_INTEGER frequency)
{
    LARGE_INTEGER start, end;
    QueryPerformanceCounter(&start);
    for (int f = 0; f < FRAMES_PER_BATCH; ++f)
        frame();
    QueryPerformanceCounter(&end);
    return Seconds(start, end, frequency);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

// Every allocation through new during the measured frames is counted.
void* operator new(std::size_t size)
{
    ++g_nAllocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

int main()
{
    if (GetSystemMetrics(SM_CXSCREEN) != 640 || GetSystemMetrics(SM_CYSCREEN) != 480) {
        std::printf("needs an X server whose mode is 640x480x16 (DISPLAY=$QM_DISPLAY_640)\n");
        return 2;
    }
    HWND hWnd = CreateTestWindow(640, 480);
    CScreen screen;
    if (!screen.InitDisplay(hWnd, 640, 480, 16)) {
        std::printf("InitDisplay failed\n");
        return 1;
    }
    std::vector<DWORD> pixels;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32 * COLUMNS; ++x)
            pixels.push_back(SheetColour(x, y));
    CSprite sprite;
    sprite.Load(ScopedBitmapFile("sprite_draw_sheet", 32 * COLUMNS, 32, pixels).c_str(), 32, 32,
                DisplayValue(g_pBackSurface, KEY_RGB));
    if (!sprite.m_pSurface) {
        std::printf("the sprite sheet did not load\n");
        return 1;
    }

    // Both sides time real copies only if the platform makes them.
    RECT rcCell = {1, 1, 31, 31};
    if (g_pBackSurface->BltFast(0, 0, sprite.m_pSurface, &rcCell, DDBLTFAST_SRCCOLORKEY) != DD_OK) {
        std::printf("the platform refuses the sprite's copy\n");
        return 1;
    }

    const std::vector<Placement> places = Placements();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    int nColumn = 0;
    const std::function<void()> library = [&] { LibraryFrame(sprite, places); };
    const std::function<void()> direct = [&] { DirectFrame(sprite.m_pSurface, nColumn, places); };
    TimeBatch(library, frequency);
    TimeBatch(direct, frequency);
    std::vector<double> libraryTimes, directTimes, ratios;
    libraryTimes.reserve(ROUNDS);
    directTimes.reserve(ROUNDS);
    ratios.reserve(ROUNDS);

    const SIZE_T heapBefore = HeapBytesInUse();
    const long allocationsBefore = g_nAllocations;
    for (int r = 0; r < ROUNDS; ++r) {
        // Alternating the order keeps a drift of the machine from favouring either side.
        const double first = TimeBatch(r % 2 ? direct : library, frequency);
        const double second = TimeBatch(r % 2 ? library : direct, frequency);
        const double tLibrary = r % 2 ? second : first;
        const double tDirect = r % 2 ? first : second;
        libraryTimes.push_back(tLibrary);
        directTimes.push_back(tDirect);
        ratios.push_back(tLibrary / tDirect);
    }
    const long allocations = g_nAllocations - allocationsBefore;
    const SIZE_T heapAfter = HeapBytesInUse();

    const double draws = static_cast<double>(SPRITES_PER_FRAME) * FRAMES_PER_BATCH;
    std::printf("sprite draws per frame: %d, frames per batch: %d, rounds: %d\n",
                SPRITES_PER_FRAME, FRAMES_PER_BATCH, ROUNDS);
    std::printf("library: %.0f draws/s (median batch)\n", draws / Median(libraryTimes));
    std::printf("direct:  %.0f draws/s (median batch)\n", draws / Median(directTimes));
    std::printf("library overhead: %.3fx (median of the rounds' ratios; target at most 1.05x)\n",
                Median(ratios));
    std::printf("allocations through new while drawing: %ld\n", allocations);
    std::printf("heap bytes in use before/after drawing: %lu/%lu\n",
                static_cast<unsigned long>(heapBefore), static_cast<unsigned long>(heapAfter));

    sprite.ReleaseSurface();
    screen.ReleaseDisplay();
    DestroyWindow(hWnd);
    return 0;
}
