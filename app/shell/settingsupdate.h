// Changes of the settings record made by the view's commands: prime satellite, removal of
// selected satellites and the time step.
#pragma once

#include "core/records.h"

// Makes satellite n (counting from 1) the prime satellite; nothing changes when n is above the
// number of selected satellites.
void SelectPrime(WinpData* in, int n);

// Removes the selected satellites whose marks are set (marks[i] for slot i), moving the following
// slots down; the prime satellite stays the same satellite where it can, else the one before it.
void RemoveSats(WinpData* in, const bool marks[kMaxSat]);

// Sets the time step from minutes and seconds (absolute values; 0 and 0 become 0.1 s).
void SetTimeStep(WinpData* in, int minutes, double seconds);
