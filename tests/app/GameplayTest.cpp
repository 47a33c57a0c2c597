// Playing the puzzle through the real dialog: boarding, leaving, the departure rules,
// the raft's crossing, completion and new game.
#include "BoardHelpers.h"
#include "CaseName.h"
#include "ClipView.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------------------------
// A whole game

TEST(Game, PlayedToTheEndShowsCompleteMissionThenANewGame)
{
    const int solution[] = {
        IDC_DADDY, IDC_MOMY, IDC_MOVE_RIGHT, IDC_DADDY, IDC_MOVE_LEFT, IDC_DAUGHTER1, IDC_MOVE_RIGHT,
        IDC_DAUGHTER1, IDC_DADDY, IDC_MOVE_LEFT, IDC_DADDY, IDC_DAUGHTER2, IDC_MOVE_RIGHT, IDC_DAUGHTER2,
        IDC_MOVE_LEFT, IDC_DADDY, IDC_MOVE_RIGHT, IDC_MOMY, IDC_MOVE_LEFT, IDC_DADDY, IDC_POLICE,
        IDC_THIEF, IDC_MOVE_RIGHT, IDC_POLICE, IDC_MOMY, IDC_THIEF, IDC_MOVE_LEFT, IDC_DADDY,
        IDC_MOVE_RIGHT, IDC_MOMY, IDC_MOVE_LEFT, IDC_SON1, IDC_MOVE_RIGHT, IDC_SON1, IDC_MOMY,
        IDC_MOVE_LEFT, IDC_MOMY, IDC_SON2, IDC_MOVE_RIGHT, IDC_SON2, IDC_MOVE_LEFT, IDC_MOMY,
        IDC_MOVE_RIGHT, IDC_DADDY, IDC_MOMY,
    };
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        RECT home[9], raft = game.ClientRectOf(IDC_RAFT), island1 = game.ClientRectOf(IDC_ISLAND1);
        for (int p = 1; p <= 8; p++)
            home[p] = game.ClientRectOf(kPersonIds[p]);
        RECT momyOnIsland2{};
        boxes.Clear();
        boxes.onBox = [&](HWND, const BoxRecord&) { momyOnIsland2 = game.ClientRectOf(IDC_MOMY); };

        for (int id : solution) {
            ASSERT_TRUE(boxes.Boxes().empty()) << "refused: " << boxes.Boxes()[0].text;
            game.Click(id);
            if (id == IDC_MOVE_RIGHT || id == IDC_MOVE_LEFT)
                CrossRiver(game);
        }

        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, "Complete Mission");
        RECT island2 = game.ClientRectOf(IDC_ISLAND2);
        EXPECT_EQ(momyOnIsland2.left, island2.left + 10) << "the last person was not home before the box";

        for (int p = 1; p <= 8; p++)
            EXPECT_TRUE(Equal(game.ClientRectOf(kPersonIds[p]), home[p])) << p;
        RECT raftNow = game.ClientRectOf(IDC_RAFT);
        EXPECT_EQ(raftNow.left, island1.right + 5);
        EXPECT_EQ(raftNow.right - raftNow.left, raft.right - raft.left);
        EXPECT_EQ(raftNow.top, raft.top);
        EXPECT_EQ(game.dlg.m_nRaftState, RAFT_AT_ISLAND1);
        EXPECT_EQ(game.dlg.m_nSeat1 + game.dlg.m_nSeat2, 0);
        EXPECT_TRUE(game.IsVisible(IDC_MOVE_RIGHT));
        EXPECT_FALSE(game.IsVisible(IDC_MOVE_LEFT));
    });
}

// ---------------------------------------------------------------------------------
// The rule table

struct RuleCase {
    const char* name;
    int seat1, seat2;
    std::vector<int> stayBehind;   // the others of the eight stand on the far island
    const char* message;           // null: the raft leaves
    const char* clip;              // null: a plain message box
};

class Rule : public ::testing::TestWithParam<RuleCase> {};

// Who each clip shows, in the order PeopleShown names them.
std::vector<std::string> CastOf(const std::string& clip)
{
    const std::map<std::string, std::vector<std::string>> cast = {
        { "thief_dad.avi", { "dad", "thief" } },        { "thief_mom.avi", { "mom", "thief" } },
        { "thief_son.avi", { "son", "thief" } },        { "thief_daughter.avi", { "daughter", "thief" } },
        { "dad_daughter.avi", { "dad", "daughter" } }, { "mom_son.avi", { "mom", "son" } },
    };
    return cast.at(clip);
}

// Puts the case's people in place through clicks, then presses ">>".
TEST_P(Rule, DecidesTheDepartureFromIsland1)
{
    const RuleCase& c = GetParam();
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        CQuillmereDlg& d = game.dlg;
        // Those neither on the raft nor staying stand on Island 2: set directly, since the
        // departure test reads nothing but the seats and the island being left.
        for (int p = 1; p <= 8; p++) {
            bool stays = std::find(c.stayBehind.begin(), c.stayBehind.end(), p) != c.stayBehind.end();
            bool seated = p == c.seat1 || p == c.seat2;
            if (!stays && !seated) {
                d.m_nIsland1[p - 1] = 0;
                d.m_nIsland2[p - 1] = p;
            }
        }
        for (int p : { c.seat1, c.seat2 }) {
            if (p != 0)
                game.Click(kPersonIds[p]);
        }
        ASSERT_EQ(d.m_nSeat1, c.seat1);
        ASSERT_EQ(d.m_nSeat2, c.seat2);
        d.m_strMessage = "untouched";
        d.m_strAvi = "untouched.avi";
        boxes.Clear();
        ClipRun clip;
        boxes.onBox = [&](HWND hBox, const BoxRecord& box) {
            if (box.caption == "Can't Move!!!")
                clip = WatchClip(hBox);
        };

        game.Click(IDC_MOVE_RIGHT);

        if (c.message == nullptr) {
            EXPECT_TRUE(boxes.Boxes().empty());
            EXPECT_EQ(d.m_nRaftState, RAFT_TO_ISLAND2);
            EXPECT_FALSE(game.IsVisible(IDC_MOVE_RIGHT));
            EXPECT_EQ(std::string(d.m_strMessage), "untouched");
            EXPECT_EQ(std::string(d.m_strAvi), "untouched.avi");
            return;
        }
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        const BoxRecord& box = boxes.Boxes()[0];
        if (c.clip == nullptr) {
            EXPECT_TRUE(box.isMessageBox);
            EXPECT_EQ(box.text, c.message);
            EXPECT_EQ(box.icon, BoxIcon::None);
            EXPECT_EQ(box.caption, ProgramName());
            EXPECT_EQ(std::string(d.m_strAvi), " ");
        } else {
            EXPECT_EQ(box.caption, "Can't Move!!!");
            ASSERT_NE(box.Control(IDC_MESSAGE), nullptr);
            EXPECT_EQ(box.Control(IDC_MESSAGE)->text, c.message);
            EXPECT_EQ(std::string(d.m_strAvi), c.clip);
            EXPECT_TRUE(clip.first != clip.later) << "the clip does not play";
            EXPECT_EQ(PeopleShown(clip.first), CastOf(c.clip)) << "not the clip of " << c.clip;
        }
        EXPECT_EQ(std::string(d.m_strMessage), c.message);
        EXPECT_EQ(d.m_nRaftState, RAFT_AT_ISLAND1);
        EXPECT_TRUE(game.IsVisible(IDC_MOVE_RIGHT));
    });
}

const char* const kOnlyDrivers = "Only Dad,Mom,and Police can move the raft!";
const char* const kThiefOnRaft = "Thief will hit other people on raft!";

INSTANTIATE_TEST_SUITE_P(Table, Rule, ::testing::Values(
    RuleCase{ "EmptyRaft", 0, 0, { 1, 2, 3, 4, 5, 6, 7, 8 }, kOnlyDrivers, nullptr },
    RuleCase{ "SonAndDaughterAlone", 2, 5, { 1, 4, 7, 8 }, kOnlyDrivers, nullptr },
    RuleCase{ "ThiefAloneIsNoDriver", 8, 0, { 7 }, kOnlyDrivers, nullptr },
    RuleCase{ "ThiefWithDad", 1, 8, { 7 }, kThiefOnRaft, nullptr },
    RuleCase{ "ThiefWithMomLowerSeat", 8, 4, { 7 }, kThiefOnRaft, nullptr },
    RuleCase{ "ThiefWithPoliceLeaves", 7, 8, { 1, 2, 3, 4, 5, 6 }, nullptr, nullptr },
    RuleCase{ "DadWithDaughter2", 6, 1, { 7, 8 }, "Dad will hit daughter on raft!", "dad_daughter.avi" },
    RuleCase{ "MomWithSon1", 4, 2, { 7, 8 }, "Mom will hit son on raft!", "mom_son.avi" },
    RuleCase{ "SeatRuleBeforeIslandRule", 1, 5, { 8, 4 }, "Dad will hit daughter on raft!", "dad_daughter.avi" },
    RuleCase{ "ThiefLeftWithDadMomSon", 7, 0, { 8, 1, 4, 2 }, "The thief will hit Dad!", "thief_dad.avi" },
    RuleCase{ "ThiefLeftWithMom", 7, 0, { 8, 4 }, "The thief will hit Mom!", "thief_mom.avi" },
    RuleCase{ "ThiefLeftWithSon", 7, 4, { 8, 2 }, "The thief will hit son!", "thief_son.avi" },
    RuleCase{ "ThiefLeftWithDaughter", 7, 0, { 8, 6 }, "The thief will hit daughter!", "thief_daughter.avi" },
    RuleCase{ "ThiefLeftAlone", 7, 0, { 8 }, nullptr, nullptr },
    RuleCase{ "ThiefWithPoliceAndAll", 4, 1, { 7, 8, 2, 3, 5, 6 }, nullptr, nullptr },
    RuleCase{ "RuleFiveBeforeSix", 7, 4, { 8, 1, 5 }, "The thief will hit Dad!", "thief_dad.avi" },
    RuleCase{ "DadLeftWithDaughter", 4, 0, { 1, 5, 7 }, "Dad will hit Daughter(s)!", "dad_daughter.avi" },
    RuleCase{ "MomLeftWithSon", 1, 0, { 4, 3 }, "Mom will hit Son(s)!", "mom_son.avi" }),
    CaseName());

TEST(Rules, ArrivalIslandIsNeverTested)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        // Dad and Mom wait on Island 2; the Police brings the Thief over and leaves him.
        CQuillmereDlg& d = game.dlg;
        for (int p : { 1, 4 }) {
            d.m_nIsland1[p - 1] = 0;
            d.m_nIsland2[p - 1] = p;
        }
        game.Click(IDC_POLICE);
        game.Click(IDC_THIEF);
        game.Click(IDC_MOVE_RIGHT);
        CrossRiver(game);
        game.Click(IDC_THIEF);
        boxes.Clear();
        EXPECT_EQ(d.m_nIsland2[7], 8);
        game.Click(IDC_MOVE_LEFT);
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].Control(IDC_MESSAGE)->text, "The thief will hit Dad!");
    });
}

TEST(Rules, RefusalTextAndClipSurviveAnAllowedCrossing)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        game.Click(IDC_DADDY);
        game.Click(IDC_DAUGHTER1);
        game.Click(IDC_MOVE_RIGHT);
        game.Click(IDC_DAUGHTER1);
        game.Click(IDC_MOMY);
        game.Click(IDC_MOVE_RIGHT);
        EXPECT_EQ(game.dlg.m_nRaftState, RAFT_TO_ISLAND2);
        EXPECT_EQ(std::string(game.dlg.m_strMessage), "Dad will hit daughter on raft!");
        EXPECT_EQ(std::string(game.dlg.m_strAvi), "dad_daughter.avi");
        game.Click(IDC_NEW_GAME);
        EXPECT_EQ(std::string(game.dlg.m_strAvi), "dad_daughter.avi");
    });
}

}  // namespace
