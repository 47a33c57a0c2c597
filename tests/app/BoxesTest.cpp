// Every box the game opens is owned by the main dialog, which cannot be clicked while
// the box is open, and every way the player closes a box has the same effect.
#include "BoardHelpers.h"
#include "CaseName.h"
#include "Resource.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void OpenAboutFromTheMenu(GameDriver& game)
{
    game.dlg.SendMessage(WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
}

void RefuseDadWithDaughter(GameDriver& game)
{
    game.Click(IDC_DADDY);
    game.Click(IDC_DAUGHTER1);
    game.Click(IDC_MOVE_RIGHT);
}

void RefuseAnEmptyRaft(GameDriver& game)
{
    game.Click(IDC_MOVE_RIGHT);
}

void MoveNobody(GameDriver& game)
{
    game.dlg.MovePersonButton(0, CRect(0, 0, 10, 10));
}

// Everybody already stands on Island 2: the completion test follows any click.
void CompleteTheMission(GameDriver& game)
{
    for (int p = 1; p <= 8; p++) {
        game.dlg.m_nIsland1[p - 1] = 0;
        game.dlg.m_nIsland2[p - 1] = p;
    }
    game.Click(IDC_THIEF);
}

struct BoxCase {
    const char* name;
    void (*open)(GameDriver&);  // null: the About box that start-up shows
    const char* caption;        // null: the application's own
    BoxClose close;
    bool newGame;               // closing it starts a new game
};

class Box : public ::testing::TestWithParam<BoxCase> {};

TEST_P(Box, IsOwnedByTheDisabledMainDialogAndEveryWayToCloseItDoesTheSame)
{
    const BoxCase& c = GetParam();
    BoxRecorder boxes;
    boxes.closeWith = c.open != nullptr ? BoxClose::Ok : c.close;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT raft = game.ClientRectOf(IDC_RAFT), island1 = game.ClientRectOf(IDC_ISLAND1);
        if (c.open != nullptr) {
            boxes.Clear();
            boxes.closeWith = c.close;
            c.open(game);
        }
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const BoxRecord& box = boxes.Boxes()[0];
        EXPECT_EQ(box.caption, c.caption ? c.caption : ProgramName());
        EXPECT_EQ(box.owner, game.Hwnd());
        EXPECT_TRUE(box.ownerDisabled);
        EXPECT_EQ(boxes.OpenCount(), 0);
        EXPECT_TRUE(::IsWindowEnabled(game.Hwnd()));

        EXPECT_EQ(game.ClientRectOf(IDC_RAFT).left, c.newGame ? island1.right + 5 : raft.left);
        if (c.newGame) {
            EXPECT_EQ(std::vector<int>(game.dlg.m_nIsland1, game.dlg.m_nIsland1 + 8),
                      (std::vector<int>{ 1, 2, 3, 4, 5, 6, 7, 8 }));
            EXPECT_EQ(std::vector<int>(game.dlg.m_nIsland2, game.dlg.m_nIsland2 + 8), std::vector<int>(8, 0));
        }
    });
}

// "Can't Move!!!" has no close box; the message boxes are the platform's own.
INSTANTIATE_TEST_SUITE_P(Closing, Box, ::testing::Values(
    BoxCase{ "AboutAtStartUpByEscape", nullptr, "About Quillmere", BoxClose::Escape, false },
    BoxCase{ "AboutAtStartUpByCloseBox", nullptr, "About Quillmere", BoxClose::CloseBox, false },
    BoxCase{ "AboutFromTheMenuByOk", OpenAboutFromTheMenu, "About Quillmere", BoxClose::Ok, false },
    BoxCase{ "AboutFromTheMenuByEscape", OpenAboutFromTheMenu, "About Quillmere", BoxClose::Escape, false },
    BoxCase{ "AboutFromTheMenuByCloseBox", OpenAboutFromTheMenu, "About Quillmere", BoxClose::CloseBox, false },
    BoxCase{ "CantMoveByOk", RefuseDadWithDaughter, "Can't Move!!!", BoxClose::Ok, false },
    BoxCase{ "CantMoveByEscape", RefuseDadWithDaughter, "Can't Move!!!", BoxClose::Escape, false },
    BoxCase{ "RefusalByOk", RefuseAnEmptyRaft, nullptr, BoxClose::Ok, false },
    BoxCase{ "MemberErrorByOk", MoveNobody, nullptr, BoxClose::Ok, false },
    BoxCase{ "CompleteMissionByOk", CompleteTheMission, "Complete Mission", BoxClose::Ok, true },
    BoxCase{ "CompleteMissionByEscape", CompleteTheMission, "Complete Mission", BoxClose::Escape, true },
    BoxCase{ "CompleteMissionByCloseBox", CompleteTheMission, "Complete Mission", BoxClose::CloseBox, true }),
    CaseName());

}  // namespace
