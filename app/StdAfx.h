// The game's common include: the class library and the game's identifiers.
#pragma once
#include "AfxWin.h"
#include "Resource.h"
