#include "RuleModel.h"

namespace {
enum { DAD = 1, SON1, SON2, MOM, DAUGHTER1, DAUGHTER2, POLICE, THIEF };
}  // namespace

// Tested in the rules' order: the first broken rule speaks.
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
