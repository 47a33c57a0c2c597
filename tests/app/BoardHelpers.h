// What the gameplay tests share: the person buttons, rectangle checks, crossings.
#pragma once
#include "GameSession.h"
#include <string>

extern const int kPersonIds[9];  // element p: person p's button (1 to 8)

bool Equal(const RECT& a, const RECT& b);
std::string Str(const RECT& r);

// Where a person whose home is HOME sits on the raft RAFT (client coordinates).
RECT UpperSeat(const RECT& raft, const RECT& home);
RECT LowerSeat(const RECT& raft, const RECT& home);

// Ticks the raft until it docks; returns how many ticks moved it. The docking tick
// must not move it.
int CrossRiver(GameDriver& game);
