#include "core/welcome.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "astro/timescales.h"
#include "core/config.h"
#include "core/defaults.h"
#include "core/elementreader.h"
#include "core/selection.h"
#include "core/textpage.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "foundation/units.h"

namespace {
using time_units::kSecondsPerHour;
// Bytes of a formatted page line before the page cuts it to 76 characters.
constexpr int kPutBytes = 128;
// Time zones closer than this (hours) count as equal.
constexpr double kZoneTolerance = 1e-9;
// tlefile value when no valid TLE file was found.
constexpr const char* kNoTleFile = "*";

// Page texts of the map background (0 white, 1 grey, 2 black) and grid (0 none, 1 30 deg, 2 10 deg).
const char* const kBackgrounds[] = {"Map background: White", "Map background: Grey", "Map background: Black"};
const char* const kGrids[] = {"   No coordinate grid", "   30 deg coordinate grid", "   10 deg coordinate grid"};

// Entry code of a text table; codes out of range give the fallback entry.
template <size_t N>
const char* pick(const char* const (&texts)[N], int code, int fallback)
{
    return texts[(code >= 0 && code < static_cast<int>(N)) ? code : fallback];
}

// Appends one printf-formatted line to the page.
#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void putf(WoutData* out, const char* fmt, ...)
{
    char line[kPutBytes];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(line, sizeof line, fmt, args);
    va_end(args);
    PutNxtLn(out, line);
}

// The system time zone of in (hours east), as last found from the clock.
double systemZoneHours(const WinpData* in) { return -in->systzone / kSecondsPerHour; }

// Searches the TLE file from its start for each stored satellite, by its catalogue number when
// one is stored, else by name, and takes every entry found into the selection in stored order.
// Returns false, with nothing selected and tlefile kept for the user's settings, when the file is
// not a readable element file.
bool reselect(WinpData* in)
{
    const int stored = in->nsat;
    in->nsat = 0;
    ElementReader f(in->tlefile);
    if (!f.isOpen()) return false;
    char text[kTleTextBytes];
    for (int i = 0; i < stored; ++i) {
        f.rewind();
        std::memcpy(in->srchname[kWorkSlot], in->srchname[i], sizeof in->srchname[i]);
        in->satno[kWorkSlot] = in->satno[i];
        in->srchmode = in->satno[i] > 0 ? kSearchByNumber : kSearchByName;
        if (tleread(in, f, text, 0) > 0) vsSatSel(in);
    }
    in->srchmode = kSearchByName;
    return true;
}

// The welcome page: version, configuration problems, the start-up settings and the selection.
void writePage(const WinpData* in, WoutData* out, int cfgStatus, bool tleOpened)
{
    out->nlines = 0;
    PutSpace(out, 1);
    putf(out, "   *** Welcome to Orbika Version 11.8 ***");
    if (cfgStatus == kCfgReadFailed) putf(out, "Problems reading Configuration File. Using defaults instead.");
    putf(out, "The startup input values are:");
    const bool otherZone = std::fabs(in->timezone - systemZoneHours(in)) > kZoneTolerance;
    putf(out, "Timezone: %g%s", in->timezone, otherZone ? " *** Timezone different from set system time! ***" : "");
    putf(out, "Geographic Location:");
    putf(out, "%s", in->locname);
    putf(out, "Lat.: %g  Long.: %g  Height: %g", in->obslat, in->obslon, in->obshgt);
    putf(out, "Name of the Orbit Element File:");
    const bool named = std::strcmp(in->tlefile, kNoTleFile) != 0;
    putf(out, "%s", named ? in->tlefile : "*** No valid TLE file selected ***");
    if (named && !tleOpened) putf(out, "*** Unable to open this TLE file; no satellites selected ***");
    putf(out, "Maximum Sun Elev.: %g", in->maxsunelev);
    putf(out, "Minimum Sat Elev.: %g", in->minsatelev);
    putf(out, "%s", in->visonly ? "Only visible passes" : "All passes");
    putf(out, "Epoch for R.A./Dec.: %g", in->epoch);
    putf(out, "%s", pick(kBackgrounds, in->mapbg, 0));
    putf(out, "%s", pick(kGrids, in->grid, 1));
    putf(out, "Selected Satellites:");
    for (int i = 0; i < in->nsat; ++i) putf(out, "%s", in->satname[i]);
}
}  // namespace

void swelcm(WinpData* in, WoutData* out, std::time_t now)
{
    SetDefaults(in, now);
    DefTime(in, now);
    in->mjd = mjd(in->day, in->month, in->year, in->hour + in->minute / 60.0 + in->second / kSecondsPerHour);
    const int status = getcfg(in);
    if (in->systzflg) in->timezone = systemZoneHours(in);
    setLocalDate(in);
    in->ttut = SetTtUt(in, in->year);
    const bool opened = reselect(in);
    writePage(in, out, status, opened);
}

void swelcm(WinpData* in, WoutData* out) { swelcm(in, out, std::time(nullptr)); }
