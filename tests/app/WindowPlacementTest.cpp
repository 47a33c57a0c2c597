// Where the game's boxes open when the main window stands at an edge of the screen, and
// where the raft and its passengers land when the window moves or is minimised mid-crossing.
#include "BoardHelpers.h"
#include "CaseName.h"
#include "ImportHook.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <vector>

namespace {

RECT WorkArea()
{
    RECT rc;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rc, 0);
    return rc;
}

bool Inside(const RECT& inner, const RECT& outer)
{
    return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

// Where a span centred on [centreLow, centreHigh) starts once kept inside [low, high).
long CentredInside(long size, long centreLow, long centreHigh, long low, long high)
{
    long start = (centreLow + centreHigh) / 2 - size / 2;
    return std::max(low, std::min(start, high - size));
}

struct OpenedBox {
    BoxRecord record;
    RECT okButton;  // in screen coordinates
};

// Where the main window is put: each of hx and vy is -1 (hanging off the left or top
// edge, a strip of the window left on the screen), 0 (centred) or 1 (off the right or
// bottom edge).
struct Placement {
    const char* name;
    int hx, vy;
};

long PlaceOnAxis(int side, long size, long low, long high)
{
    const long strip = 40;
    if (side < 0)
        return low - size + strip;
    if (side > 0)
        return high - strip;
    return (low + high) / 2 - size / 2;
}

class BoxOverWindow : public ::testing::TestWithParam<Placement> {};

// The About box, a plain refusal, a refusal with its clip and "Complete Mission", each
// opened over the main window at the placement under test.
TEST_P(BoxOverWindow, OpensWholeOnTheWorkAreaAsNearTheWindowsCentreAsItCan)
{
    const Placement& p = GetParam();
    const RECT work = WorkArea();
    std::vector<OpenedBox> opened;
    RECT main = {};
    BoxRecorder boxes;
    boxes.onBox = [&](HWND hBox, const BoxRecord& record) {
        RECT ok = {};
        ::GetWindowRect(::GetDlgItem(hBox, IDOK), &ok);
        opened.push_back({ record, ok });
    };
    PlayGame(boxes, [&](GameDriver& game) {
        RECT rc;
        ::GetWindowRect(game.Hwnd(), &rc);
        long w = rc.right - rc.left, h = rc.bottom - rc.top;
        ::SetWindowPos(game.Hwnd(), nullptr, PlaceOnAxis(p.hx, w, work.left, work.right),
                       PlaceOnAxis(p.vy, h, work.top, work.bottom), 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ::GetWindowRect(game.Hwnd(), &main);
        opened.clear();

        game.dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
        game.Click(IDC_MOVE_RIGHT);  // nobody to row: a plain message box
        game.Click(IDC_DADDY);
        game.Click(IDC_MOVE_RIGHT);  // the thief left with Mom: "Can't Move!!!"
        for (int i = 0; i < 8; i++)
            game.dlg.m_nIsland2[i] = i + 1;  // the next click completes the mission
        game.Click(IDC_SON1);
    });

    std::vector<std::string> captions;
    for (const OpenedBox& box : opened)
        captions.push_back(box.record.caption);
    ASSERT_EQ(captions, (std::vector<std::string>{ "About Quillmere", AfxGetAppName(), "Can't Move!!!",
                                                   "Complete Mission" }));
    for (const OpenedBox& box : opened) {
        SCOPED_TRACE(box.record.caption);
        const RECT& r = box.record.windowRect;
        EXPECT_TRUE(Inside(r, work)) << Str(r) << " on the work area " << Str(work);
        EXPECT_TRUE(Inside(box.okButton, work)) << "OK at " << Str(box.okButton);
        if (box.record.isMessageBox)
            continue;  // the platform's own box places itself
        long w = r.right - r.left, h = r.bottom - r.top;
        EXPECT_NEAR(r.left, CentredInside(w, main.left, main.right, work.left, work.right), 1);
        EXPECT_NEAR(r.top, CentredInside(h, main.top, main.bottom, work.top, work.bottom), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, BoxOverWindow,
    ::testing::Values(Placement{ "Centred", 0, 0 }, Placement{ "OffTheLeftEdge", -1, 0 },
                      Placement{ "OffTheRightEdge", 1, 0 }, Placement{ "OffTheTopEdge", 0, -1 },
                      Placement{ "OffTheBottomEdge", 0, 1 }, Placement{ "OffTheBottomRightCorner", 1, 1 }),
    CaseName());

// A monitor that cannot tell its work area, with the record left as an uninitialised one
// may be.
BOOL WINAPI GetMonitorInfoFails(HMONITOR, LPMONITORINFO pInfo)
{
    std::memset(reinterpret_cast<char*>(pInfo) + sizeof pInfo->cbSize, 0xA5, pInfo->cbSize - sizeof pInfo->cbSize);
    return FALSE;
}

TEST(MainWindow, BoxesOpenOnTheScreenWhenTheMonitorCannotTellItsWorkArea)
{
    ImportHook hook("GetMonitorInfoA", &GetMonitorInfoFails);
    ASSERT_TRUE(hook.Active());
    std::vector<RECT> about;
    RECT main = {};
    BoxRecorder boxes;
    boxes.onBox = [&](HWND, const BoxRecord& record) { about.push_back(record.windowRect); };
    PlayGame(boxes, [&](GameDriver& game) {
        ::GetWindowRect(game.Hwnd(), &main);
        game.dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX);
    });

    const RECT screen = { 0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN) };
    EXPECT_TRUE(Inside(main, screen)) << Str(main);
    ASSERT_EQ(about.size(), 2u) << "the About box at start-up and from the menu";
    for (const RECT& r : about) {
        EXPECT_TRUE(Inside(r, screen)) << Str(r);
        EXPECT_NEAR(r.left + r.right, main.left + main.right, 2) << Str(r) << " over " << Str(main);
        EXPECT_NEAR(r.top + r.bottom, main.top + main.bottom, 2) << Str(r) << " over " << Str(main);
    }
}

// The raft and both passengers stand where the raft's place says, inside the dialog.
void ExpectRaftAt(GameDriver& game, const RECT& raft, const RECT* home)
{
    EXPECT_TRUE(Equal(game.ClientRectOf(IDC_RAFT), raft)) << Str(game.ClientRectOf(IDC_RAFT));
    EXPECT_TRUE(Equal(game.ClientRectOf(IDC_MOMY), UpperSeat(raft, home[4])));
    EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), LowerSeat(raft, home[1])));
}

// A minimised window is all frame: its client area starts where the window does, so
// the window's and the client area's shifts differ while it is minimised.
TEST(Crossing, RaftAndPassengersLandRightWhenTheWindowMovesAndIsMinimisedOnTheWay)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT home[9];
        for (int p = 1; p <= 8; p++)
            home[p] = game.ClientRectOf(kPersonIds[p]);
        const RECT start = game.ClientRectOf(IDC_RAFT);
        RECT raft = start;
        game.Click(IDC_MOMY);
        game.Click(IDC_DADDY);
        game.Click(IDC_MOVE_RIGHT);
        game.MoveWindowBy(-61, 17);
        game.Tick(TIMER_RAFT);
        ::OffsetRect(&raft, 10, 0);
        ExpectRaftAt(game, raft, home);

        ::ShowWindow(game.Hwnd(), SW_MINIMIZE);
        ASSERT_TRUE(::IsIconic(game.Hwnd()));
        game.Tick(TIMER_RAFT);
        ::OffsetRect(&raft, 10, 0);
        ExpectRaftAt(game, raft, home);
        ::OffsetRect(&raft, 10 * CrossRiver(game), 0);  // docks while minimised
        ASSERT_EQ(game.dlg.m_nRaftState, RAFT_AT_ISLAND2);

        ::ShowWindow(game.Hwnd(), SW_RESTORE);
        ASSERT_FALSE(::IsIconic(game.Hwnd()));
        ExpectRaftAt(game, raft, home);
        game.Click(IDC_NEW_GAME);
        const long island1 = game.ClientRectOf(IDC_ISLAND1).right;
        const RECT docked = { island1 + 5, start.top, island1 + 5 + start.right - start.left, start.bottom };
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_RAFT), docked)) << Str(game.ClientRectOf(IDC_RAFT));
        for (int p = 1; p <= 8; p++)
            EXPECT_TRUE(Equal(game.ClientRectOf(kPersonIds[p]), home[p])) << p;
    });
}

}  // namespace
