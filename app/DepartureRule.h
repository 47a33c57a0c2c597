// The rules tested when the raft is to leave an island, in the order they are tested.
#pragma once

// The clip value of a rule that has no clip: its refusal is a plain message box.
const char NO_CLIP[] = " ";

struct DepartureRule {
    // Seats hold a person id or 0; island[p-1] holds p while person p stays behind.
    bool (*pfnBroken)(int nSeat1, int nSeat2, const int* pIsland);
    const char* pszMessage;
    const char* pszAvi;  // the clip of the broken rule, or the no-clip value
};

// The first rule the departure breaks, or null when the raft may leave.
const DepartureRule* FindBrokenRule(int nSeat1, int nSeat2, const int* pIsland);
