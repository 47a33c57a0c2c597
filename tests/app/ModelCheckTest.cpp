// A seeded random game against a small model of the puzzle written from the rules'
// text: after every action each person stands in one place, every button stands where
// the model says, and every refusal shows the model's message.
#include "BoardHelpers.h"
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

enum Place { ON_ISLAND1, ON_ISLAND2, UPPER_SEAT, LOWER_SEAT };
enum { DAD = 1, SON1, SON2, MOM, DAUGHTER1, DAUGHTER2, POLICE, THIEF };

struct Refusal { std::string message, clip; };

// The rules as the About box and the rule table put them, tested in their order.
Refusal ModelRefusal(const std::set<int>& raft, const std::set<int>& behind)
{
    auto on = [&](int p) { return raft.count(p) > 0; };
    auto stays = [&](int p) { return behind.count(p) > 0; };
    if (!on(DAD) && !on(MOM) && !on(POLICE))
        return { "Only Dad,Mom,and Police can move the raft!", " " };
    if (on(THIEF) && raft.size() == 2 && !on(POLICE))
        return { "Thief will hit other people on raft!", " " };
    if (on(DAD) && (on(DAUGHTER1) || on(DAUGHTER2)))
        return { "Dad will hit daughter on raft!", "dad_daughter.avi" };
    if (on(MOM) && (on(SON1) || on(SON2)))
        return { "Mom will hit son on raft!", "mom_son.avi" };
    bool sons = stays(SON1) || stays(SON2), daughters = stays(DAUGHTER1) || stays(DAUGHTER2);
    if (stays(THIEF) && !stays(POLICE)) {
        if (stays(DAD)) return { "The thief will hit Dad!", "thief_dad.avi" };
        if (stays(MOM)) return { "The thief will hit Mom!", "thief_mom.avi" };
        if (sons) return { "The thief will hit son!", "thief_son.avi" };
        if (daughters) return { "The thief will hit daughter!", "thief_daughter.avi" };
    }
    if (stays(DAD) && !stays(MOM) && daughters)
        return { "Dad will hit Daughter(s)!", "dad_daughter.avi" };
    if (stays(MOM) && !stays(DAD) && sons)
        return { "Mom will hit Son(s)!", "mom_son.avi" };
    return {};
}

class Model {
public:
    explicit Model(GameDriver& game) : m_game(game)
    {
        m_island1 = game.ClientRectOf(IDC_ISLAND1);
        m_island2 = game.ClientRectOf(IDC_ISLAND2);
        m_raft = game.ClientRectOf(IDC_RAFT);
        for (int p = 1; p <= 8; p++) {
            m_home1[p] = game.ClientRectOf(kPersonIds[p]);
            m_home2[p] = m_home1[p];
            ::OffsetRect(&m_home2[p], m_island2.left + 10 - m_home1[p].left, 0);
            m_place[p] = ON_ISLAND1;
        }
    }

    void ClickPerson(int p, BoxRecorder& boxes)
    {
        Place dock = m_state == RAFT_AT_ISLAND1 ? ON_ISLAND1 : ON_ISLAND2;
        bool docked = m_state == RAFT_AT_ISLAND1 || m_state == RAFT_AT_ISLAND2;
        bool seated = m_place[p] == UPPER_SEAT || m_place[p] == LOWER_SEAT;
        if (docked && m_place[p] == dock && Taken(UPPER_SEAT) + Taken(LOWER_SEAT) < 2)
            m_place[p] = Taken(UPPER_SEAT) ? LOWER_SEAT : UPPER_SEAT;
        else if (docked && seated)
            m_place[p] = dock;
        boxes.Clear();
        m_game.Click(kPersonIds[p]);
        bool complete = true;
        for (int q = 1; q <= 8; q++)
            complete = complete && m_place[q] == ON_ISLAND2;
        ASSERT_EQ(boxes.Boxes().size(), complete ? 1u : 0u);
        if (complete) {
            EXPECT_EQ(boxes.Boxes()[0].caption, "Complete Mission");
            NewGame();
        }
    }

    void ClickArrow(BoxRecorder& boxes)
    {
        bool right = m_state == RAFT_AT_ISLAND1;
        Place leaving = right ? ON_ISLAND1 : ON_ISLAND2;
        std::set<int> raft, behind;
        for (int p = 1; p <= 8; p++) {
            if (m_place[p] == UPPER_SEAT || m_place[p] == LOWER_SEAT)
                raft.insert(p);
            else if (m_place[p] == leaving)
                behind.insert(p);
        }
        Refusal refusal = ModelRefusal(raft, behind);
        boxes.Clear();
        m_game.Click(right ? IDC_MOVE_RIGHT : IDC_MOVE_LEFT);
        if (refusal.message.empty()) {
            ASSERT_TRUE(boxes.Boxes().empty()) << boxes.Boxes()[0].text << boxes.Boxes()[0].caption;
            m_state = right ? RAFT_TO_ISLAND2 : RAFT_TO_ISLAND1;
            return;
        }
        ASSERT_EQ(boxes.Boxes().size(), 1u) << "expected: " << refusal.message;
        const BoxRecord& box = boxes.Boxes()[0];
        const ControlRecord* pMessage = box.Control(IDC_MESSAGE);
        std::string shown = box.isMessageBox ? box.text : (pMessage ? pMessage->text : "");
        EXPECT_EQ(shown, refusal.message);
        EXPECT_EQ(box.isMessageBox, refusal.clip == " ");
        EXPECT_EQ(std::string(m_game.dlg.m_strAvi), refusal.clip);
    }

    void Tick()
    {
        if (m_state == RAFT_TO_ISLAND2) {
            POINT pt = { m_raft.right + 5, m_raft.bottom };
            if (::PtInRect(&m_island2, pt))
                m_state = RAFT_AT_ISLAND2;
            else
                ::OffsetRect(&m_raft, 10, 0);
        } else if (m_state == RAFT_TO_ISLAND1) {
            POINT pt = { m_raft.left - 5, m_raft.top };
            if (::PtInRect(&m_island1, pt))
                m_state = RAFT_AT_ISLAND1;
            else
                ::OffsetRect(&m_raft, -10, 0);
        }
        m_game.Tick(TIMER_RAFT);
    }

    void NewGame()
    {
        int w = m_raft.right - m_raft.left;
        m_raft.left = m_island1.right + 5;
        m_raft.right = m_raft.left + w;
        for (int p = 1; p <= 8; p++)
            m_place[p] = ON_ISLAND1;
        m_state = RAFT_AT_ISLAND1;
    }

    bool ArrowVisible() const { return m_state == RAFT_AT_ISLAND1 || m_state == RAFT_AT_ISLAND2; }

    void Check() const
    {
        const CQuillmereDlg& d = m_game.dlg;
        EXPECT_EQ(d.m_nRaftState, m_state);
        EXPECT_TRUE(Equal(m_game.ClientRectOf(IDC_RAFT), m_raft)) << Str(m_game.ClientRectOf(IDC_RAFT));
        EXPECT_EQ(m_game.IsVisible(IDC_MOVE_RIGHT), m_state == RAFT_AT_ISLAND1);
        EXPECT_EQ(m_game.IsVisible(IDC_MOVE_LEFT), m_state == RAFT_AT_ISLAND2);
        for (int p = 1; p <= 8; p++) {
            SCOPED_TRACE(p);
            int places = (d.m_nIsland1[p - 1] == p) + (d.m_nIsland2[p - 1] == p) + (d.m_nSeat1 == p) +
                         (d.m_nSeat2 == p);
            EXPECT_EQ(places, 1);
            EXPECT_EQ(d.m_nIsland1[p - 1] == p, m_place[p] == ON_ISLAND1);
            EXPECT_EQ(d.m_nSeat1 == p, m_place[p] == UPPER_SEAT);
            EXPECT_EQ(d.m_nSeat2 == p, m_place[p] == LOWER_SEAT);
            EXPECT_TRUE(Equal(m_game.ClientRectOf(kPersonIds[p]), Expected(p)))
                << Str(m_game.ClientRectOf(kPersonIds[p])) << " instead of " << Str(Expected(p));
        }
    }

private:
    bool Taken(Place seat) const
    {
        for (int p = 1; p <= 8; p++) {
            if (m_place[p] == seat)
                return true;
        }
        return false;
    }

    RECT Expected(int p) const
    {
        switch (m_place[p]) {
        case ON_ISLAND1: return m_home1[p];
        case ON_ISLAND2: return m_home2[p];
        case UPPER_SEAT: return UpperSeat(m_raft, m_home1[p]);
        case LOWER_SEAT: break;
        }
        return LowerSeat(m_raft, m_home1[p]);
    }

    GameDriver& m_game;
    RECT m_island1, m_island2, m_raft, m_home1[9], m_home2[9];
    Place m_place[9];
    int m_state = RAFT_AT_ISLAND1;
};

class ModelCheck : public ::testing::TestWithParam<unsigned> {};

TEST_P(ModelCheck, RandomActionsKeepTheBoardAsTheModelSays)
{
    BoxRecorder boxes;
    PlayGame(boxes, [&](GameDriver& game) {
        Model model(game);
        std::mt19937 rng(GetParam());
        for (int step = 0; step < 300 && !::testing::Test::HasFatalFailure(); step++) {
            SCOPED_TRACE(step);
            int roll = (int)(rng() % 100);
            if (roll < 45)
                model.ClickPerson(1 + (int)(rng() % 8), boxes);
            else if (roll < 60 && model.ArrowVisible())
                model.ClickArrow(boxes);
            else if (roll < 90)
                model.Tick();
            else if (roll < 93) {
                game.Click(IDC_NEW_GAME);
                model.NewGame();
            } else {
                game.MoveWindowBy((int)(rng() % 81) - 40, (int)(rng() % 61) - 30);
            }
            model.Check();
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Seeds, ModelCheck, ::testing::Values(1u, 2024u, 77777u),
                         ::testing::PrintToStringParamName());

}  // namespace
