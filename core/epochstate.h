// State vector of a slot at its element epoch.
#pragma once

#include "core/records.h"

// Computes the state of slot at its element epoch through the satellite state computation and
// stores it as the slot's epoch state (svpos, svvel) and current state (stpos, stvel, stmjd);
// numflg is cleared and sgpslot becomes kNoSgpSlot. With newsc the slot's spacecraft and space
// weather values are taken from the defaults (f107 ... areamass) and its thrust settings cleared.
void EpochState(WinpData* in, int slot, bool newsc);
