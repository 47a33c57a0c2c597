// The departure rules as the About box and the rule table put them, written from their
// text and not from the game's code: what every test of a departure compares with.
#pragma once
#include <set>
#include <string>

// A refused departure's message and clip (" " for a plain message box); both empty
// when the raft may leave.
struct Refusal {
    std::string message, clip;
};

// raft: the people on the two seats; behind: those who stay on the island being left.
Refusal ModelRefusal(const std::set<int>& raft, const std::set<int>& behind);
