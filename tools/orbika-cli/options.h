// Options shared by the orbika-cli subcommands: number texts, the TLE file, the site, the time,
// the search conditions and the chosen satellites, and the settings record made from them.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/passpage.h"
#include "core/records.h"

// Exit statuses of the subcommands.
constexpr int kExitOk = 0;
constexpr int kExitNoMatch = 1;  // a chosen satellite is not in the TLE file
constexpr int kExitUsage = 2;    // bad option or unreadable file
constexpr int kExitNoState = 3;  // every state asked for is decayed or from invalid elements

// True when s is a plain decimal number: sign, digits with at most one point, exponent.
bool isNumberText(const char* s);

// Reads the number text of option name into x; false, after a message naming the command,
// when it is not a number within [lo, hi].
bool readNumber(const char* command, const char* name, const char* text, double lo, double hi, double& x);

// The same for a whole number.
bool readWhole(const char* command, const char* name, const char* text, long lo, long hi, long& x);

// A civil date and time.
struct CivilTime {
    int year, month, day, hour, minute;
    double second;
};

// Reads "YYYY-MM-DD HH:MM:SS[.sss]" (or with 'T' between date and time); false when malformed.
bool parseDateTime(const char* text, CivilTime& c);

// MJD of the civil time c of the zone tz (hours east).
double civilMjd(const CivilTime& c, double tz);

// ISO 8601 UTC text with milliseconds ("2026-02-22T02:20:10.300Z") of an MJD.
std::string isoTime(double mjd);

// Text as a JSON string literal, quotes included.
std::string jsonString(const std::string& s);

// A satellite chosen by --sat NAME (name prefix) or --norad N.
struct SatChoice {
    int kind;  // search key kind: kSearchByName, kSearchByNumber or kSearchByDesignator
    std::string key;
};

// Observing site: latitude and longitude (degrees, north and east positive), height (m).
struct Site {
    double lat, lon, height;
};

struct CommonOptions {
    std::string tle;                  // TLE file; empty: the program default
    std::optional<Site> site;         // empty: the site of orbika.cfg, else the program default
    std::optional<CivilTime> start;   // start of the search; empty: now
    double tz = 0.0;                  // time zone of start and of the listed times, hours east
    std::optional<double> days, minElev, maxSun;
    std::optional<int> visibleOnly;
    bool wgs84 = false;
    bool json = false;
    bool strict = false;              // refuse entries with a bad TLE checksum
    std::vector<SatChoice> sats;      // in order; the first is the prime satellite
    std::map<std::string, std::string> extra;  // the command's own options and their values
};

// Reads the arguments of command: the common options and the command's own options named in
// extras (each takes a value). False, after a one-line message, when they are unusable.
bool parseCommon(const char* command, int argc, char** argv, const std::vector<std::string>& extras,
                 CommonOptions& o);

// Fills in from the program defaults and the options, and selects the chosen satellites from
// the TLE file; with needSatellite at least one must be chosen. Returns kExitOk, kExitNoMatch
// (unknown satellite) or kExitUsage (no satellite, unreadable file), after a message.
int prepareSettings(const char* command, const CommonOptions& o, bool needSatellite, WinpData* in);

// kExitOk when the TLE file of in holds at least one element set, else kExitUsage after a message
// naming the file and what is wrong with it. Commands that read the whole file check it first.
int checkTleFile(const WinpData* in);

// The arguments without the flag options flags; given[k] tells whether flags[k] was present.
std::vector<char*> takeFlags(int argc, char** argv, const std::vector<std::string>& flags,
                             std::vector<bool>& given);
// Writes the lines of a text page, without their tag bytes.
void emitPage(const WoutData* out);
// True when the save file of in (savename) is the TLE file it reads (the same file, also through
// links), after a message: a result must never replace its input.
bool outputIsInput(const char* command, const WinpData* in);
// Prints every line of a pass list page, however long.
void emitPage(const PassPage& page);
// Value of the option name that command needs; false after a message when it is missing.
bool requiredOption(const char* command, const CommonOptions& o, const char* name, std::string& value);
