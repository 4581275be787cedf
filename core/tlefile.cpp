#include "core/tlefile.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "astro/timescales.h"
#include "astro/twobody.h"
#include "core/epochstate.h"
#include "core/eventkinds.h"
#include "core/geodesy.h"
#include "core/meanmotion.h"
#include "core/tlefields.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "foundation/vec3.h"
#include "propagation/forcemodel.h"

ElementReader* satfle = nullptr;

namespace {

// Characters of a satellite name taken from a title line.
constexpr int kNameChars = 20;
// A blank name as the search starts with it.
constexpr char kBlankName[] = "                    ";
// Characters of the long designator form YYYY-NNNPPP.
constexpr int kLongDesignatorChars = 11;
// Two-digit launch years below this are 20xx, the others 19xx.
constexpr int kFirstYearOf1900s = 57;
// Shortest line that the search treats as an element line.
// Names shorter than this are replaced by the designator in searches by number or designator.
constexpr size_t kShortestName = 2;
using time_units::kSecondsPerDay;
using time_units::kMinutesPerDay;
using length_units::kMetresPerKm;
// Earth's gravitational parameter for the elements of state vectors, km^3/s^2 (JGM-3).
constexpr double kGmEarthKm = kEarthGM / (kMetresPerKm * kMetresPerKm * kMetresPerKm);
// The period is shown only above this mean motion, rev/day.
constexpr double kShowPeriodMeanMotion = 0.001;

// Filter for decaying low satellites: least mean motion (rev/day) and oldest epoch (days back).
constexpr double kLowMeanMotion = 16.088;
constexpr double kLowMaxAge = 7.0;
// Filter for recent launches: most revolutions, fast orbits (rev/day), few revolutions.
constexpr long kRecentMaxRevs = 99;
constexpr double kRecentFastMeanMotion = 4.0;
constexpr long kRecentFewRevs = 10;

// Copies the first 20 characters of a title line into the work slot's name.
void setname(WinpData* in, const char* title)
{
    std::snprintf(in->satname[kWorkSlot], sizeof in->satname[kWorkSlot], "%.*s", kNameChars, title);
}

// Appends x formatted by fmt with decimal points whatever the C locale.
template <class T>
void appendnum(std::string& s, const char* fmt, T x)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, fmt, x);
    decdot(buf);
    s += buf;
}

// Copies the designator of parsed line-1 fields into the work slot in both forms.
void storedesignator(WinpData* in, const TleFields& fields)
{
    std::snprintf(in->tlintl, sizeof in->tlintl, "%s", fields.designator);
    convldsn(in, true);
    std::memcpy(in->intldsn[kWorkSlot], in->cvintl, sizeof in->intldsn[kWorkSlot]);
}

// Stores a state-vector entry into the work slot: the state, its osculating elements and the
// spacecraft values.
void storestatevector(WinpData* in, const ElementEntry& e)
{
    TleFields fields = e.fields;
    const double* pos = e.pos;
    const double* vel = e.vel;
    const double* sc = e.sc;
    const Vec3 r = Vec3(pos[0], pos[1], pos[2]) / kMetresPerKm;
    const Vec3 v = Vec3(vel[0], vel[1], vel[2]) / kMetresPerKm;
    double tp, a;
    oscelm(kGmEarthKm, 0.0, r, v, tp, fields.manom, a, fields.ecc, fields.node, fields.argp,
           fields.incl);
    fields.mm = fields.ecc < 1.0 ? getn0(a, fields.ecc, fields.incl) : (1.0 - fields.ecc) * a;
    fields.ndot = fields.nddot = fields.bstar = 0.0;
    fields.ephtype = '9';  // Keplerian elements, not SGP4 mean elements
    fields.revolution = fields.svrevolution;
    StoreTle(in, kWorkSlot, fields);

    const int w = kWorkSlot;
    in->numflg[w] = 1;
    in->stmjd[w] = in->elepoch[w];
    for (int k = 0; k < 3; ++k) {
        in->svpos[k][w] = in->stpos[k][w] = pos[k];
        in->svvel[k][w] = in->stvel[k][w] = vel[k];
    }
    in->scf107[w] = sc[0];
    in->scf107avg[w] = sc[1];
    in->sckp[w] = sc[2];
    in->sccd[w] = sc[3];
    in->sccr[w] = sc[4];
    in->scam[w] = sc[5];
    in->thracc[w] = in->thryaw[w] = in->thrpitch[w] = 0.0;
    in->thrflg[w] = false;
    in->thrsun[w] = true;
    in->thrupd[w] = false;
}

// True when the work slot's entry passes the filters for decaying low satellites and recent
// launches (revolution 0 = unknown).
bool passesfilters(const WinpData* in, long revolution)
{
    const int w = kWorkSlot;
    if (in->lowflt && (in->elmm[w] < kLowMeanMotion || in->elepoch[w] < in->mjd - kLowMaxAge))
        return false;
    if (!in->recentflt || revolution == 0) return true;
    if (revolution > kRecentMaxRevs) return false;
    return in->elmm[w] >= kRecentFastMeanMotion || revolution < kRecentFewRevs;
}

// Adjusts the work slot's TLE elements while reading: epoch shift, replacement mean motion
// (in Iridium mode with operational orbits only, for those orbits alone) and node shift; the
// elements become Keplerian without decay.
void adjustelements(WinpData* in)
{
    const int w = kWorkSlot;
    in->elepoch[w] -= in->adjdt / kSecondsPerDay;
    const double a = in->elsma[w];
    const bool operational = a >= kIridiumMinSma && a <= kIridiumMaxSma;
    if (in->adjmm != 0.0 && (in->iridmode != kIridiumMode || !in->iropsonly || operational)) {
        in->elmm[w] = in->adjmm;
        in->elsma[w] = getsax(0, in->adjmm, in->elecc[w], in->elincl[w]);
    }
    in->eladot[w] = in->elndot[w] = in->elnddot[w] = 0.0;
    in->sgp4flg[w] = 0;
    in->elnode[w] += in->adjnode;
}

// Description of the work slot's entry: name, number, designator, epoch and elements.
std::string description(const WinpData* in, const char* epochtext, long revolution)
{
    const int w = kWorkSlot;
    const double a = in->elsma[w];
    const double e = in->elecc[w];
    const double n = in->elmm[w];
    std::string s = in->satname[w];
    s += "\n" + std::string(32, '=');
    appendnum(s, "\nNORAD#\t\t:%6i", in->satno[w]);
    s += std::string("\nInt.Launch#\t: ") + in->intldsn[w] + "\n\nEpoch\t: " + epochtext;
    appendnum(s, "\n\nInclination\t: %8.4lf", in->elincl[w]);
    appendnum(s, "\nRight Ascension\t: %8.4lf", in->elnode[w]);
    appendnum(s, "\nArg. of Perigee\t: %8.4lf", in->elargp[w]);
    if (e >= 1.0) {
        appendnum(s, "\n\nEccentricity\t: %8.5lf", e);
        appendnum(s, "\nSemi-Major Axis a\t: %10.3lf km", a);
        appendnum(s, "\nPerigee Distance q\t:%11.3lf km", n);
        return s;
    }
    appendnum(s, "\nMean Anomaly\t: %8.4lf", in->elmanom[w]);
    appendnum(s, "\n\nEccentricity\t: %9.7lf", e);
    appendnum(s, "\nSemi-Major Axis a\t: %10.3lf km", a);
    appendnum(s, "\nChange in a\t: %10.3lf km/day", in->eladot[w]);
    appendnum(s, "\nPerigee\t\t: %10.3lf km", a * (1.0 - e) - kEarthRadiusKm);
    appendnum(s, "\nApogee\t\t: %10.3lf km", a * (1.0 + e) - kEarthRadiusKm);
    if (revolution >= 1)
        appendnum(s, "\n\nRevolution at Epoch: %li", revolution);
    else
        s += "\n";
    appendnum(s, "\nRevolutions per day: %12.8lf", n);
    if (n > kShowPeriodMeanMotion) appendnum(s, "\n\nPeriod (min):%10.2lf", kMinutesPerDay / n);
    return s;
}

// Stores entry e in the work slot, its epoch as text in epochtext (kEpochTextBytes) and its
// revolution number in revolution. False when it does not pass the filters.
bool storeentry(WinpData* in, const ElementEntry& e, char* epochtext, long& revolution)
{
    const int w = kWorkSlot;
    setname(in, e.name.empty() ? kBlankName : e.name.c_str());
    storedesignator(in, e.fields);
    cnvepch(in, e.fields.epochyear, e.fields.epochday, epochtext);
    if (e.fields.statevector)
        storestatevector(in, e);
    else
        StoreTle(in, w, e.fields);
    revolution = e.fields.statevector ? e.fields.svrevolution : e.fields.revolution;
    if (!passesfilters(in, revolution)) return false;
    if (in->adjread && !in->numflg[w]) adjustelements(in);

    char* name = in->satname[w];
    if (in->srchmode != kSearchByName && std::strlen(name) < kShortestName)
        std::snprintf(name, sizeof in->satname[w], "%s", in->intldsn[w]);
    return true;
}

// Takes entry e into the work slot with its description in text (kTleTextBytes) and its state
// at epoch. False, with an empty text, when it does not pass the filters.
bool takeentry(WinpData* in, const ElementEntry& e, char* text)
{
    text[0] = '\0';
    char epochtext[kEpochTextBytes];
    long revolution;
    if (!storeentry(in, e, epochtext, revolution)) return false;
    std::string s = description(in, epochtext, revolution);
    if (in->numflg[kWorkSlot])
        s += "\n+++ Numeric Propagation +++";
    else
        EpochState(in, kWorkSlot, true);
    std::snprintf(text, kTleTextBytes, "%s", s.c_str());
    return true;
}

// True when the name of e starts with the search key (case-insensitive).
bool namematches(const WinpData* in, const ElementEntry& e)
{
    const char* key = in->srchname[kWorkSlot];
    return Strncmpi(key, e.name.c_str(), static_cast<int>(std::strlen(key))) == 0;
}

// Name search: the next entry whose name starts with the key and that passes the filters.
// Returns 2 when a further entry of a matching name follows (put back for the next search), 1
// when none does, 0 when nothing was found.
int searchname(WinpData* in, ElementReader& r, char* text)
{
    ElementEntry e;
    while (r.next(e)) {
        if (!namematches(in, e) || !takeentry(in, e, text)) continue;
        while (r.next(e)) {
            if (namematches(in, e)) {
                r.putBack(e);
                return 2;
            }
        }
        return 1;
    }
    return 0;
}

// True when e matches the work slot's NORAD number (key kind 1) or designator key.
bool numbermatches(WinpData* in, const ElementEntry& e)
{
    if (in->srchmode == kSearchByNumber) return e.fields.satno == in->satno[kWorkSlot];
    storedesignator(in, e.fields);
    const char* key = in->srchname[kWorkSlot];
    return Strncmpi(key, in->cvintl, static_cast<int>(std::strlen(key))) == 0;
}

// Search by NORAD number or designator, or of any entry (any): the next matching entry that
// passes the filters. For any entry the result is 2 when another entry follows.
int searchnumber(WinpData* in, ElementReader& r, char* text, bool any)
{
    ElementEntry e;
    while (r.next(e)) {
        if (!(any || numbermatches(in, e)) || !takeentry(in, e, text)) continue;
        if (!any || !r.next(e)) return 1;
        r.putBack(e);
        return 2;
    }
    return 0;
}

}  // namespace

bool TakeSearchEntry(WinpData* in, const ElementEntry& e)
{
    in->sgpslot = kNoSgpSlot;
    const int kind = in->srchmode;
    in->srchmode = kSearchByNumber;
    char epochtext[kEpochTextBytes];
    long revolution;
    const bool taken = storeentry(in, e, epochtext, revolution);
    in->srchmode = kind;
    return taken;
}

int tleread(WinpData* in, ElementReader& r, char* text, int more)
{
    const int w = kWorkSlot;
    in->sgpslot = kNoSgpSlot;
    r.setStrict(in->strictsum);
    setname(in, kBlankName);
    text[0] = '\0';
    const bool any = in->srchname[w][0] == '*';
    const int kind = in->srchmode;
    if (any) in->srchmode = kSearchByNumber;

    if (in->srchmode == kSearchByName && !more) r.dropPutBack();
    const int result = in->srchmode == kSearchByName ? searchname(in, r, text) : searchnumber(in, r, text, any);
    if (result == 0) {
        if (in->srchmode == kSearchByNumber)
            std::snprintf(text, kTleTextBytes, "\n+++ No match found for NORAD# %i +++",
                          in->satno[w]);
        else
            std::snprintf(text, kTleTextBytes, "\n+++ No match found for %s +++", in->srchname[w]);
    }
    in->srchmode = kind;
    return result;
}


void convldsn(WinpData* in, bool toLong)
{
    if (!toLong) {
        ShortDesignator(in->cvintl, in->tlintl);
        return;
    }
    char s[kShortDesignatorChars + 1];
    std::snprintf(s, sizeof s, "%-8.8s", in->tlintl);
    if (s[0] == ' ') {
        std::snprintf(in->cvintl, sizeof in->cvintl, "%*s", kLongDesignatorChars, "");
        return;
    }
    const char year[3] = {s[0], s[1], '\0'};
    const char* century = std::atoi(year) < kFirstYearOf1900s ? "20" : "19";
    std::snprintf(in->cvintl, sizeof in->cvintl, "%s%s-%s", century, year, s + 2);
}

void cnvepch(WinpData* in, int year, double day, char* text)
{
    const double t = TleEpochMjd(year, day);
    in->elepoch[kWorkSlot] = t;
    // Whole seconds of the day, so that the text never shows 60 seconds.
    const double midnight = std::floor(t);
    long secs = std::lround((t - midnight) * kSecondsPerDay);
    const long perday = static_cast<long>(kSecondsPerDay);
    int d, m, y;
    double hour;
    caldat(midnight + static_cast<double>(secs / perday), d, m, y, hour);
    secs %= perday;
    char mon[4];
    GetMonth(m, mon);
    std::snprintf(text, kEpochTextBytes, "%2i-%s-%4i   %2i:%2i:%2i", d, mon, y,
                  static_cast<int>(secs / 3600), static_cast<int>(secs / 60 % 60),
                  static_cast<int>(secs % 60));
}
