#include "DepartureRule.h"

namespace {

enum Person { DADDY = 1, SON1, SON2, MOMY, DAUGHTER1, DAUGHTER2, POLICE, THIEF };

bool Seated(int p, int s1, int s2) { return s1 == p || s2 == p; }
bool Stays(const int* island, int p) { return island[p - 1] == p; }
bool Gone(const int* island, int p) { return island[p - 1] == 0; }

bool ThiefUnguarded(const int* I) { return Stays(I, THIEF) && Gone(I, POLICE); }
bool SonStays(const int* I) { return Stays(I, SON1) || Stays(I, SON2); }
bool DaughterStays(const int* I) { return Stays(I, DAUGHTER1) || Stays(I, DAUGHTER2); }

bool NoDriver(int s1, int s2, const int*)
{
    return !Seated(DADDY, s1, s2) && !Seated(MOMY, s1, s2) && !Seated(POLICE, s1, s2);
}

bool ThiefWithFamilyOnRaft(int s1, int s2, const int*)
{
    return Seated(THIEF, s1, s2) && s1 != POLICE && s2 != POLICE && s1 != 0 && s2 != 0;
}

bool DadWithDaughterOnRaft(int s1, int s2, const int*)
{
    return (s1 == DADDY && (s2 == DAUGHTER1 || s2 == DAUGHTER2)) ||
           (s2 == DADDY && (s1 == DAUGHTER1 || s1 == DAUGHTER2));
}

bool MomWithSonOnRaft(int s1, int s2, const int*)
{
    return (s1 == MOMY && (s2 == SON1 || s2 == SON2)) || (s2 == MOMY && (s1 == SON1 || s1 == SON2));
}

bool ThiefLeftWithDad(int, int, const int* I) { return ThiefUnguarded(I) && Stays(I, DADDY); }
bool ThiefLeftWithMom(int, int, const int* I) { return ThiefUnguarded(I) && Stays(I, MOMY); }
bool ThiefLeftWithSon(int, int, const int* I) { return ThiefUnguarded(I) && SonStays(I); }
bool ThiefLeftWithDaughter(int, int, const int* I) { return ThiefUnguarded(I) && DaughterStays(I); }

bool DadLeftWithDaughters(int, int, const int* I)
{
    return Stays(I, DADDY) && Gone(I, MOMY) && DaughterStays(I);
}

bool MomLeftWithSons(int, int, const int* I)
{
    return Stays(I, MOMY) && Gone(I, DADDY) && SonStays(I);
}

// Seat rules come first: a raft that breaks one is refused whatever the island holds.
const DepartureRule kRules[] = {
    { NoDriver, "Only Dad,Mom,and Police can move the raft!", NO_CLIP },
    { ThiefWithFamilyOnRaft, "Thief will hit other people on raft!", NO_CLIP },
    { DadWithDaughterOnRaft, "Dad will hit daughter on raft!", "dad_daughter.avi" },
    { MomWithSonOnRaft, "Mom will hit son on raft!", "mom_son.avi" },
    { ThiefLeftWithDad, "The thief will hit Dad!", "thief_dad.avi" },
    { ThiefLeftWithMom, "The thief will hit Mom!", "thief_mom.avi" },
    { ThiefLeftWithSon, "The thief will hit son!", "thief_son.avi" },
    { ThiefLeftWithDaughter, "The thief will hit daughter!", "thief_daughter.avi" },
    { DadLeftWithDaughters, "Dad will hit Daughter(s)!", "dad_daughter.avi" },
    { MomLeftWithSons, "Mom will hit Son(s)!", "mom_son.avi" },
};

}  // namespace

const DepartureRule* FindBrokenRule(int nSeat1, int nSeat2, const int* pIsland)
{
    for (const DepartureRule& rule : kRules) {
        if (rule.pfnBroken(nSeat1, nSeat2, pIsland))
            return &rule;
    }
    return nullptr;
}
