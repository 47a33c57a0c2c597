#include "BoardHelpers.h"
#include <gtest/gtest.h>
#include <cstdio>

const int kPersonIds[9] = { 0, IDC_DADDY, IDC_SON1, IDC_SON2, IDC_MOMY, IDC_DAUGHTER1,
                            IDC_DAUGHTER2, IDC_POLICE, IDC_THIEF };

bool Equal(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::string Str(const RECT& r)
{
    char buf[64];
    snprintf(buf, sizeof buf, "(%ld,%ld,%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return buf;
}

RECT UpperSeat(const RECT& raft, const RECT& home)
{
    int left = raft.left + 10, top = raft.top + 18;
    return { left, top, left + (home.right - home.left), top + (home.bottom - home.top) };
}

RECT LowerSeat(const RECT& raft, const RECT& home)
{
    int left = raft.left + 10, top = raft.top + (raft.bottom - raft.top) / 2 + 8;
    return { left, top, left + (home.right - home.left), top + (home.bottom - home.top) };
}

int CrossRiver(GameDriver& game)
{
    int moving = 0;
    for (int tick = 0; tick < 100; tick++) {
        RECT before = game.ClientRectOf(IDC_RAFT);
        game.Tick(TIMER_RAFT);
        int state = game.dlg.m_nRaftState;
        if (state == RAFT_AT_ISLAND1 || state == RAFT_AT_ISLAND2) {
            EXPECT_TRUE(Equal(before, game.ClientRectOf(IDC_RAFT))) << "the docking tick moved the raft";
            return moving;
        }
        moving++;
    }
    ADD_FAILURE() << "the raft never docked";
    return moving;
}
