// Subcommands of orbika-cli. Each returns the process exit status (2 for bad arguments).
#pragma once

#include <string>
#include <vector>

#include "core/iridium.h"
#include "core/records.h"
#include "options.h"

// Runs the subcommand named argv[0] with the arguments after it; without one, the usage text.
int runCommand(int argc, char** argv);

int runSgp4(int argc, char** argv);
int runEphem(int argc, char** argv);
int runPasses(int argc, char** argv);
int runAllPasses(int argc, char** argv);
int runState(int argc, char** argv);
int runTrack(int argc, char** argv);
int runMatch(int argc, char** argv);
int runFlares(int argc, char** argv);
int runTransits(int argc, char** argv);
int runOrbdet(int argc, char** argv);
int runLaunch(int argc, char** argv);

// An event of the flares and transits commands with its satellite.
struct EventRecord {
    EventHit hit;
    int norad;
    std::string name;
};
// Writes the events as a JSON array of objects (utc, mjd, norad, name, azimuth, elevation,
// value, label) with unrounded numbers.
void emitEventsJson(const std::vector<EventRecord>& events);

// Shared by the orbit commands (orbdet, launch).
// Writes slot's entry to the file of the --out option, when given: a TLE, or OMM CSV for a name
// ending in .csv. Returns kExitOk, or kExitUsage after a message (a catalogue number that does
// not fit a TLE, the input file, a file that cannot be written).
int saveOrbit(const char* command, const CommonOptions& o, WinpData* in, int slot);
// Writes slot's TLE entry, semi-major axis and inclination; with json one object instead, whose
// members begin with jsonHead (members followed by ", ", or empty).
void emitOrbit(const WinpData* in, int slot, bool json, const std::string& jsonHead);
