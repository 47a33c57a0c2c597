// Boarding and leaving, the raft's crossing, its trace, and the window moving under it.
#include "BoardHelpers.h"
#include "SystemCalls.h"
#include "TraceCapture.h"
#include <gtest/gtest.h>
#include <cstdio>

namespace {

TEST(Boarding, UpperSeatFirstThenLowerThenNobody)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT raft = game.ClientRectOf(IDC_RAFT);
        RECT police = game.ClientRectOf(IDC_POLICE), son = game.ClientRectOf(IDC_SON1);
        RECT daddy = game.ClientRectOf(IDC_DADDY);
        game.Click(IDC_POLICE);
        game.Click(IDC_SON1);
        game.Click(IDC_DADDY);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_POLICE), UpperSeat(raft, police)));
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_SON1), LowerSeat(raft, son)));
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), daddy)) << "boarded a full raft";
        EXPECT_EQ(game.dlg.m_nSeat1, 7);
        EXPECT_EQ(game.dlg.m_nSeat2, 2);
        EXPECT_EQ(game.dlg.m_nIsland1[0], 1);

        game.Click(IDC_POLICE);  // back home; the next to board takes the upper seat
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_POLICE), police));
        game.Click(IDC_DADDY);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), UpperSeat(raft, daddy)));
        EXPECT_EQ(game.dlg.m_nSeat1, 1);
    });
}

TEST(Boarding, MemberErrorForAnUnknownPerson)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        boxes.Clear();
        for (int p : { 0, 9, -1 })
            game.dlg.MovePersonButton(p, CRect(0, 0, 10, 10));
        ASSERT_EQ(boxes.Boxes().size(), 3u);
        for (const BoxRecord& box : boxes.Boxes()) {
            EXPECT_TRUE(box.isMessageBox);
            EXPECT_EQ(box.text, "Member error!");
            EXPECT_EQ(box.caption, ProgramName());
            EXPECT_EQ(box.icon, BoxIcon::None);
            EXPECT_EQ(box.Buttons(), std::vector<std::string>{ "OK" });
        }
    });
}

TEST(Crossing, DocksAfterTheTicksTheGapGivesBothWaysAndAfterNewGame)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Click(IDC_POLICE);
        game.Click(IDC_THIEF);
        for (int round = 0; round < 2; round++) {
            SCOPED_TRACE(round);
            RECT raft = game.ClientRectOf(IDC_RAFT);
            int g = game.ClientRectOf(IDC_ISLAND2).left - raft.right;
            int n = 0;
            while (g - 10 * n > 5)
                n++;
            game.Click(IDC_MOVE_RIGHT);
            EXPECT_EQ(CrossRiver(game), n);
            EXPECT_EQ(game.ClientRectOf(IDC_RAFT).left, raft.left + 10 * n);
            EXPECT_TRUE(game.IsVisible(IDC_MOVE_LEFT));
            EXPECT_FALSE(game.IsVisible(IDC_MOVE_RIGHT));

            raft = game.ClientRectOf(IDC_RAFT);
            g = raft.left - game.ClientRectOf(IDC_ISLAND1).right;
            n = 0;
            while (g - 10 * n > 4)
                n++;
            game.Click(IDC_MOVE_LEFT);
            EXPECT_EQ(CrossRiver(game), n);
            EXPECT_EQ(game.ClientRectOf(IDC_RAFT).left, raft.left - 10 * n);
            EXPECT_TRUE(game.IsVisible(IDC_MOVE_RIGHT));

            game.Click(IDC_NEW_GAME);
            game.Click(IDC_POLICE);
            game.Click(IDC_THIEF);
        }
    });
}

// The raft docks at the first tick whose look-ahead point, 5 pixels beyond its leading
// corner, lies inside the island, whose right edge lies outside it; until then each tick
// moves it 10 pixels. gap: from the raft's leading edge to the island's near edge.
struct ReachCase { const char* name; bool toIsland2; int gap; int movingTicks; };

const ReachCase kReach[] = {
    { "Island2FivePixelsAway", true, 5, 0 },      { "Island2SixPixelsAway", true, 6, 1 },
    { "Island2FifteenPixelsAway", true, 15, 1 },  { "Island2SixteenPixelsAway", true, 16, 2 },
    { "Island2OverlappedByFour", true, -4, 0 },   { "Island1FourPixelsAway", false, 4, 0 },
    { "Island1FivePixelsAway", false, 5, 1 },     { "Island1FourteenPixelsAway", false, 14, 1 },
    { "Island1FifteenPixelsAway", false, 15, 2 }, { "Island1OverlappedByFive", false, -5, 0 },
};

TEST(Crossing, DocksAtTheFirstTickWhoseLookAheadPointLiesInTheIsland)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT island1 = game.ClientRectOf(IDC_ISLAND1), island2 = game.ClientRectOf(IDC_ISLAND2);
        game.Click(IDC_DADDY);
        for (const ReachCase& c : kReach) {
            SCOPED_TRACE(c.name);
            // The raft is put at the gap the way a step moves it, then sent off.
            RECT raft = game.ClientRectOf(IDC_RAFT);
            int dx = c.toIsland2 ? (island2.left - c.gap) - raft.right : (island1.right + c.gap) - raft.left;
            game.dlg.MoveRaft(dx, 0);
            game.dlg.m_nRaftState = c.toIsland2 ? RAFT_TO_ISLAND2 : RAFT_TO_ISLAND1;
            EXPECT_EQ(CrossRiver(game), c.movingTicks);
            int step = c.toIsland2 ? 10 : -10;
            EXPECT_EQ(game.ClientRectOf(IDC_RAFT).left, raft.left + dx + step * c.movingTicks);
        }
    });
}

TEST(Crossing, FromTheStartTheRaftComesBackToItsStartingPlace)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT start = game.ClientRectOf(IDC_RAFT);
        game.Click(IDC_DADDY);
        game.Click(IDC_MOMY);
        game.Click(IDC_MOVE_RIGHT);
        CrossRiver(game);
        game.Click(IDC_MOVE_LEFT);
        CrossRiver(game);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_RAFT), start));
    });
}

TEST(Crossing, TickWhileDockedChangesNothing)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Click(IDC_DADDY);
        RECT raft = game.ClientRectOf(IDC_RAFT), daddy = game.ClientRectOf(IDC_DADDY);
        game.Tick(TIMER_RAFT);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_RAFT), raft));
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), daddy));
        EXPECT_EQ(game.dlg.m_nRaftState, RAFT_AT_ISLAND1);
    });
}

TEST(Crossing, ClicksDuringTheCrossingDoNothing)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Click(IDC_POLICE);
        game.Click(IDC_THIEF);
        game.Click(IDC_MOVE_RIGHT);
        game.Tick(TIMER_RAFT);
        RECT thief = game.ClientRectOf(IDC_THIEF), daddy = game.ClientRectOf(IDC_DADDY);
        game.Click(IDC_THIEF);
        game.Click(IDC_DADDY);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_THIEF), thief));
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), daddy));
        EXPECT_EQ(game.dlg.m_nSeat2, 8);
    });
}

TEST(Crossing, PassengersAndBoxMoveTenPixelsTogether)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Click(IDC_POLICE);
        game.Click(IDC_THIEF);
        game.Click(IDC_MOVE_RIGHT);
        for (int i = 0; i < 3; i++) {
            RECT raft = game.ClientRectOf(IDC_RAFT);
            RECT police = game.ClientRectOf(IDC_POLICE), thief = game.ClientRectOf(IDC_THIEF);
            game.Tick(TIMER_RAFT);
            for (auto [id, before] : { std::pair<int, RECT>{ IDC_RAFT, raft }, { IDC_POLICE, police },
                                       { IDC_THIEF, thief } }) {
                RECT moved = before;
                ::OffsetRect(&moved, 10, 0);
                EXPECT_TRUE(Equal(game.ClientRectOf(id), moved)) << id;
            }
        }
    });
}

TEST(Crossing, NewGameMidCrossingPutsEverythingBack)
{
    CallLog log;
    SystemCalls calls(log);
    ASSERT_TRUE(calls.Active());
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT island1 = game.ClientRectOf(IDC_ISLAND1), raft = game.ClientRectOf(IDC_RAFT);
        RECT police = game.ClientRectOf(IDC_POLICE);
        game.Click(IDC_POLICE);
        game.Click(IDC_THIEF);
        game.Click(IDC_MOVE_RIGHT);
        game.Tick(TIMER_RAFT);
        game.Tick(TIMER_RAFT);
        log.Clear();
        game.Click(IDC_NEW_GAME);
        EXPECT_EQ(log.Calls({ "SetTimer(1,", "KillTimer(1)" }), std::vector<std::string>{ "KillTimer(1)" });
        EXPECT_EQ(game.dlg.m_nRaftState, RAFT_AT_ISLAND1);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_POLICE), police));
        RECT now = game.ClientRectOf(IDC_RAFT);
        EXPECT_EQ(now.left, island1.right + 5);
        EXPECT_EQ(now.top, raft.top);
        EXPECT_TRUE(game.IsVisible(IDC_MOVE_RIGHT));
        EXPECT_FALSE(game.IsVisible(IDC_MOVE_LEFT));
        game.Tick(TIMER_RAFT);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_RAFT), now)) << "the raft timer still moved the raft";
        game.Click(IDC_NEW_GAME);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_RAFT), now));
    });
}

TEST(Crossing, WindowMovedMidCrossingKeepsEveryPlace)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT home[9];
        for (int p = 1; p <= 8; p++)
            home[p] = game.ClientRectOf(kPersonIds[p]);
        game.Click(IDC_MOMY);
        game.Click(IDC_DADDY);
        game.Click(IDC_MOVE_RIGHT);
        game.Tick(TIMER_RAFT);
        game.MoveWindowBy(37, 23);
        game.Tick(TIMER_RAFT);
        game.MoveWindowBy(-50, 11);
        RECT raft = game.ClientRectOf(IDC_RAFT);
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_MOMY), UpperSeat(raft, home[4])));
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), LowerSeat(raft, home[1])));
        CrossRiver(game);
        game.Click(IDC_DADDY);
        RECT island2 = game.ClientRectOf(IDC_ISLAND2);
        RECT expected = { island2.left + 10, home[1].top, island2.left + 10 + home[1].right - home[1].left,
                          home[1].bottom };
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), expected)) << Str(game.ClientRectOf(IDC_DADDY));
        game.Click(IDC_NEW_GAME);
        for (int p = 1; p <= 8; p++)
            EXPECT_TRUE(Equal(game.ClientRectOf(kPersonIds[p]), home[p])) << p;
    });
}

std::string TraceLine(const RECT& screen, const RECT& client)
{
    char buf[256];
    snprintf(buf, sizeof buf, "\nbefore left=%ld,right=%ld,top=%ld,buttom=%ld after  left=%ld,right=%ld,top=%ld,buttom=%ld",
             screen.left, screen.right, screen.top, screen.bottom, client.left, client.right, client.top,
             client.bottom);
    return buf;
}

TEST(Crossing, TracesTheUpperPassengerEachStep)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Click(IDC_DADDY);
        game.Click(IDC_MOMY);
        game.Click(IDC_MOVE_RIGHT);
        ASSERT_EQ(game.dlg.m_nRaftState, RAFT_TO_ISLAND2);
        std::string expected;
        TraceCapture trace;
        ASSERT_TRUE(trace.Active());
        for (int i = 0; i < 2; i++) {
            game.Tick(TIMER_RAFT);
            expected += TraceLine(game.ScreenRectOf(IDC_DADDY), game.ClientRectOf(IDC_DADDY));
        }
        EXPECT_EQ(trace.Text(), expected);
    });
}

TEST(Crossing, DriverInTheLowerSeatCrossesWithoutTrace)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT home = game.ClientRectOf(IDC_DADDY);
        game.Click(IDC_SON1);
        game.Click(IDC_DADDY);
        game.Click(IDC_SON1);  // steps off: the upper seat is empty, Dad drives from below
        ASSERT_EQ(game.dlg.m_nSeat1, 0);
        ASSERT_EQ(game.dlg.m_nSeat2, 1);
        game.Click(IDC_MOVE_RIGHT);
        TraceCapture trace;
        ASSERT_TRUE(trace.Active());
        CrossRiver(game);
        EXPECT_EQ(trace.Text(), "");
        EXPECT_TRUE(Equal(game.ClientRectOf(IDC_DADDY), LowerSeat(game.ClientRectOf(IDC_RAFT), home)));
    });
}

// Both ways the raft's timer ticks every 500 ms from the departure to the docking tick.
TEST(Crossing, RealTimerTicksCarryTheRaftAcross)
{
    CallLog log;
    SystemCalls calls(log);
    ASSERT_TRUE(calls.Active());
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Click(IDC_POLICE);
        game.Click(IDC_THIEF);
        log.Clear();
        game.Click(IDC_MOVE_RIGHT);
        bool docked = PumpUntil([&] { return game.dlg.m_nRaftState == RAFT_AT_ISLAND2; }, 20000, game.Hwnd());
        EXPECT_TRUE(docked);
        EXPECT_TRUE(game.IsVisible(IDC_MOVE_LEFT));
        game.Click(IDC_MOVE_LEFT);
        CrossRiver(game);
        std::vector<std::string> raftTimer = log.Calls({ "SetTimer(1,", "KillTimer(1)" });
        EXPECT_EQ(raftTimer, (std::vector<std::string>{ "SetTimer(1, 500)", "KillTimer(1)", "SetTimer(1, 500)",
                                                        "KillTimer(1)" }));
    });
}

}  // namespace
