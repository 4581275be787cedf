// The catalogue searches: the passes of every satellite of a TLE file, and the next
// satellites to pass.
#pragma once

#include <functional>

#include "core/iridium.h"
#include "core/records.h"

// Selects up to kMaxSat satellites of the TLE file that begin a pass within the next 0.1 day
// of the current time, sorted by start. Returns their number, -1 when the TLE file cannot be
// opened.
int Nxt4Pass(WinpData* in, SatPosData* sp = satps);

// Results of AllSatAos.
constexpr int kAllSatDone = 0;
constexpr int kAllSatSaveFailed = 1;
constexpr int kAllSatTleFailed = 2;
constexpr int kAllSatRefused = -1;

// Writes the passes (or events) of every satellite of the TLE file to the save file, sorted by
// time. Returns kAllSatDone on success, kAllSatSaveFailed when the save file cannot be written,
// kAllSatTleFailed when the TLE file cannot be, kAllSatRefused when the event settings are unusable (no distance for occultations or flares, an Iridium
// magnitude limit above kFaintestFlareLimit). Satellites with a transit listed by the default
// zone rule are added to the selection. With onEvent, every event found is also handed to it with
// the working slot that holds its satellite. Plain passes are searched by threads workers (each
// with its own copies of the records) when it is above 1; the file is the same.
int AllSatAos(WinpData* in, SatPosData* sp = satps,
              const std::function<void(const EventHit&, int slot)>& onEvent = nullptr, int threads = 1);
