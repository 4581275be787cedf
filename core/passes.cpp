#include "core/passes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <future>
#include <memory>
#include <new>
#include <utility>

#include "astro/angle_units.h"
#include "astro/time_units.h"
#include "astro/timescales.h"
#include "core/iridium.h"
#include "core/mirror.h"
#include "core/occtrans.h"
#include "core/safewrite.h"
#include "core/satstate.h"
#include "core/textpage.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "foundation/textconv.h"

namespace {
// Day fractions of one minute and one second.
using time_units::kMinute;
using time_units::kSecond;
constexpr int kSecondsPerMinute = 60;
// Coarse search steps (days) outside a pass, by the satellite's elevation (degrees) and the Sun.
constexpr double kStepFar = 0.0208;       // elevation below kElevFar
constexpr double kStepNear = 0.0069;      // elevation from kElevFar to kElevNear
constexpr double kStepSunUp = 0.0416667;  // Sun more than kSunMargin above maxsunelev: one hour
constexpr double kElevFar = -60.0;
constexpr double kElevNear = -25.0;
constexpr double kSunMargin = 15.0;
// Pass edges: bisection over the minute before a change of visibility, starting half a minute
// before it; kBisections moves of 15, 7.5, ... s end within about half a second of the change.
constexpr double kBisectSpan = 30.0 * kSecond;
constexpr int kBisections = 6;
// Culmination: after the 1-s scan the step is halved from half a second down to this.
constexpr double kPolishStep = kSecond / 64.0;
// Satellites faster than this (rev/day) skip an extra hour after each listed pass.
constexpr double kFastMeanMotion = 14.0;
constexpr double kFastSkip = 1.0 / 24.0;
// Pass rise bound: Earth's gravitational parameter (km^3/s^2, WGS-72), the polar radius (km,
// WGS-84) as the least site radius, the widening of the apogee radius and of the angle (deg) that
// cover mean against osculating elements, refraction and geodetic against geocentric latitude.
constexpr double kMuKm3s2 = 398600.8;
constexpr double kPolarRadiusKm = 6356.752;
constexpr double kApogeeMargin = 1.05;
constexpr double kAngleMarginDeg = 3.0;
using time_units::kSecondsPerDay;
// Pass list lines between blank separator lines; save-file data lines between blank lines.
constexpr int kPassGroup = 10;
constexpr int kSortGroup = 5;
// Next satellites to pass: search window (days) and least lead time of the start (days).
constexpr double kNextWindow = 0.1;
constexpr double kNextLead = 0.0018;
// Save-file sort key: a month letter followed by the first kKeyChars characters of the line;
// the letters of January to December, "X" for any other line.
constexpr int kKeyChars = 16;
constexpr const char* kMonthLetters = "ABCDEFGHIJKM";
constexpr char kOtherMonth = 'X';
// First characters of the save-file lines that are copied ahead of the sorted pass lines.
constexpr const char* kHeaderStarts = "mGY= ";
// Rule line of the pass list headers.
constexpr const char* kRule = "=======================================================================";

// One instant of a pass with its two angles (degrees).
struct Sample {
    double t;
    double el;
    double az;
};

// Evaluations of one satellite for the pass search.
class Probe {
public:
    Probe(WinpData* in, SatPosData* sp, int slot)
        : in_(in),
          sp_(sp),
          slot_(slot),
          look_(!(RelativeMode(in) && slot == in->prime)),
          horizonOnly_(HorizonOnly(in, slot))
    {
    }

    // True when the pass angles are azimuth and elevation (not relative mode).
    bool look() const { return look_; }

    // Computes the state at t; true when the satellite counts as visible.
    bool visible(double t)
    {
        compute(t);
        return horizonOnly_ ? AboveMinElevation(in_, sp_, slot_) : cksatok(in_, sp_, slot_);
    }

    // True when the last computed state has a centre-line point (an event point).
    bool centreLine() const { return sp_->ctrlat[slot_] < kNoCentreLine; }

    // Elevation and azimuth of the last computed state, stamped t.
    Sample horizon(double t) const { return {t, sp_->elev[slot_], sp_->azim[slot_]}; }
    // Angles of a pass start or end from the last computed state: the horizon ones, or in
    // relative mode the prime's latitude and longitude.
    Sample edge(double t) const { return look_ ? horizon(t) : Sample{t, sp_->ra[slot_], sp_->dec[slot_]}; }

    Sample horizonAt(double t)
    {
        compute(t);
        return horizon(t);
    }
    Sample edgeAt(double t)
    {
        compute(t);
        return edge(t);
    }

    // Search step (days) after the last computed state; the Sun rule skips an hour while the Sun
    // is far above its limit.
    double step(bool inside, bool sunRule) const
    {
        if (inside || !look_ || in_->minsatelev < 0.0) return kMinute;
        if (sunRule && !horizonOnly_ && sp_->sunelev > in_->maxsunelev + kSunMargin) return kStepSunUp;
        const double e = sp_->elev[slot_];
        if (e < kElevFar) return kStepFar;
        if (e < kElevNear) return kStepNear;
        return kMinute;
    }

private:
    // The state at t: look angles alone when nothing else decides the visibility.
    void compute(double t)
    {
        if (horizonOnly_)
            GetHorizonPos(t, in_, sp_, slot_);
        else
            GetSatPos(t, in_, sp_, slot_, 0);
    }

    WinpData* in_;
    SatPosData* sp_;
    int slot_;
    bool look_;
    bool horizonOnly_;  // visibility depends on the elevation alone
};

// Result of a coarse scan: the first visible sample met (entry), the highest one (top) and the
// first invisible sample after the entry (exit).
struct Scan {
    bool found = false;   // a visible sample was met
    bool closed = false;  // the satellite left visibility before the limit
    bool seen = false;    // a centre-line point occurred
    Sample entry{}, top{}, exit{};
};

// Coarse scan from t towards limit (dir +1 forward, -1 backward). A pass still in view at the
// limit exits there with the angles of the last state.
Scan coarseScan(Probe& p, double t, double limit, int dir, bool sunRule)
{
    Scan s;
    Sample last{};
    while (dir > 0 ? t <= limit : t >= limit) {
        const bool ok = p.visible(t);
        s.seen = s.seen || p.centreLine();
        if (ok && !s.found) {
            s.found = true;
            s.entry = p.edge(t);
            s.top = p.horizon(t);
        } else if (ok && p.horizon(t).el > s.top.el) {
            s.top = p.horizon(t);
        } else if (!ok && s.found) {
            s.exit = p.edge(t);
            s.closed = true;
            return s;
        }
        last = p.edge(t);
        t += dir * p.step(s.found, sunRule);
    }
    if (s.found) s.exit = {limit, last.el, last.az};
    return s;
}

// Instant within about half a second of the change of visibility in the minute before t, where
// the satellite is visible at t when rising and invisible at t when setting.
double crossing(Probe& p, double t, bool rising)
{
    double x = t - kBisectSpan;
    double h = kBisectSpan;
    for (int k = 0; k < kBisections; ++k) {
        h *= 0.5;
        x += p.visible(x) == rising ? -h : h;
    }
    // A start goes to the visible side of the change, so the pass details begin with a line.
    if (rising && !p.visible(x)) x += h;
    return x;
}

// Steps back 1 s at a time from t, at most a minute, to the first instant whose visibility is
// want; the angles of the instant where it stopped.
Sample stepBack(Probe& p, double t, bool want)
{
    int k = 0;
    while (p.visible(t) != want && ++k < kSecondsPerMinute) t -= kSecond;
    return p.edge(t);
}

// Steps 1 s at a time from the sample best up to the instant to, keeping the highest elevation;
// stops at the first decrease.
Sample scanSeconds(Probe& p, Sample best, double to)
{
    for (int k = 1; best.t + kSecond <= to && k <= kSecondsPerMinute; ++k) {
        const Sample s = p.horizonAt(best.t + kSecond);
        if (s.el < best.el) break;
        best = s;
    }
    return best;
}

// Moves the culmination to the higher side with steps halved from half a second: the 1-s scan
// leaves up to half a second, several hundredths of a degree for a pass near the zenith.
Sample polish(Probe& p, Sample best, double lo, double hi)
{
    for (double h = 0.5 * kSecond; h >= kPolishStep; h *= 0.5) {
        for (const double t : {best.t - h, best.t + h}) {
            if (t < lo || t > hi) continue;
            const Sample s = p.horizonAt(t);
            if (s.el > best.el) {
                best = s;
                break;
            }
        }
    }
    return best;
}

// Culmination of a pass from lo to hi (MJD) whose highest coarse sample is top.
Sample culmination(Probe& p, Sample top, double lo, double hi)
{
    if (top.t > hi) return p.horizonAt(hi);
    if (top.t < lo) return p.horizonAt(lo);
    if (!p.look()) return top;
    const double before = p.horizonAt(top.t - kSecond).el;
    const double after = p.horizonAt(top.t + kSecond).el;
    if (after > before)
        top = scanSeconds(p, top, std::min(top.t + kMinute, hi));
    else if (after < before)
        top = scanSeconds(p, p.horizonAt(std::max(top.t - kMinute, lo)), top.t);
    return polish(p, top, lo, hi);
}

// True for a slot of the state record.
bool stateSlot(int slot) { return slot >= 0 && slot < kMaxSat; }

// Copies three samples into the pass arrays.
void storePass(const Sample (&s)[3], double tm[3], double el[3], double az[3])
{
    for (int k = 0; k < 3; ++k) {
        tm[k] = s[k].t;
        el[k] = s[k].el;
        az[k] = s[k].az;
    }
}

// True when the prime slot addresses a selected satellite.
bool primeSelected(const WinpData* in)
{
    return in->nsat > 0 && in->nsat <= kMaxSat && in->prime >= 0 && in->prime < in->nsat;
}

// Remark of the list headers on the visibility condition.
const char* visibilityRemark(const WinpData* in)
{
    if (!in->visonly) return "";
    return in->moonvis ? "   Moonshine passes only" : "   visible passes only";
}

// Appends formatted text as the next page line, tagged as a pass line or not.
__attribute__((format(printf, 3, 4))) void putLine(WoutData* out, bool tagged, const char* format, ...)
{
    std::array<char, 2 * kLineBytes> line{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    if (tagged)
        PutNxtLnT(out, line.data());
    else
        PutNxtLn(out, line.data());
}

// Writes formatted numbers to f with decimal points whatever the locale.
__attribute__((format(printf, 2, 3))) void putNumbers(std::FILE* f, const char* format, ...)
{
    std::array<char, 256> line{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    decdot0(line.data());
    std::fputs(line.data(), f);
}

// Pass list cells of a pass in local time: the start with its date, the maximum (left out in
// relative mode) and the end.
std::string passCells(const WinpData* in, const PassEvent& p, bool relative)
{
    const double zone = in->timezone / 24.0;
    std::string cells;
    char cell[kAosTextBytes];
    for (int k = 0; k < 3; ++k) {
        if (k == 1 && relative) continue;
        aosstr(p.tm[k] + zone, p.az[k], p.el[k], cell, k != 0);
        cells += cell;
    }
    return cells;
}

// Header line of the event type of the pass list page.
void writeEventTitle(const WinpData* in, WoutData* out)
{
    if (in->iridmode == kIridiumMode)
        putLine(out, false, " >>> Iridium Flares");
    else if (in->iridmode != kTransitMode)
        putLine(out, false, in->knownsurf == 1 ? " >>> Flares. Yaw: %g  Pitch: %g" : " >>> Flares. R.A.: %g  Decl.: %g",
                in->flryaw, in->flrpitch);
    else if (in->occmode == kSunTarget || in->occmode == kMoonTarget)
        putLine(out, false, in->occmode == kSunTarget ? " >>> Sun Transit" : " >>> Moon Transit");
    else
        putLine(out, false, " >>> Occultation  R.A.: %g  Decl.: %g", in->flryaw, in->flrpitch);
}

// Header of the pass list page.
void writePageHeader(const WinpData* in, WoutData* out, bool relative)
{
    putLine(out, false, " Geographic Location: %s", in->locname);
    putLine(out, false, " Lat.: %g   Long.: %g   Height: %g", in->obslat, in->obslon, in->obshgt);
    PutSpace(out, 1);
    if (in->iridmode != kPlainPasses) writeEventTitle(in, out);
    putLine(out, false, " Satellite: %s", in->satname[in->prime]);
    if (relative) {
        putLine(out, false, " %s", in->satname[SecondSlot(in)]);
        putLine(out, false, " %s", kRule);
        putLine(out, false, "%s", visibilityRemark(in));
    } else {
        putLine(out, false, " %s", kRule);
        putLine(out, false, " min.Sat.Elev.: %g   max.Sun Elev.: %g%s", in->minsatelev, in->maxsunelev,
                visibilityRemark(in));
    }
    putLine(out, false, " Year: %4i  +++ Timezone: %g +++", in->year, in->timezone);
    PutSpace(out, 1);
    putLine(out, true, "%s",
            relative                         ? "       Start (Long.,Lat.)     End (Long.,Lat.)"
            : in->iridmode == kPlainPasses ? "    Start (Azim.,Elev.)    Maximum (Azim.,Elev.)  End (Azim.,Elev.)"
                                             : "     Event Time (Azim.,Elev.)   Distance");
}

// Writes the page to the save file, replacing it when savenew is set.
void savePage(WinpData* in, const WoutData* out)
{
    const bool written = WriteFile(in->savename, in->savenew != 0, [&](std::FILE* f) {
        std::fputs("\n\n\n", f);
        for (int k = 0; k < out->nlines; ++k)
            std::fprintf(f, "%.*s\n", static_cast<int>(strnlen(out->lines[k], kTagByte)), out->lines[k]);
    });
    if (written) in->savenew = 0;
}

// Header of the all-satellite save file.
void writeFileHeader(const WinpData* in, std::FILE* f)
{
    std::fprintf(f, "Geographic Location: %s\n", in->locname);
    putNumbers(f, " Lat.: %g   Long.: %g   Height: %g \n", in->obslat, in->obslon, in->obshgt);
    putNumbers(f, "min.Sat.Elev.: %g   max.Sun Elev.: %g%s\n", in->minsatelev, in->maxsunelev,
               visibilityRemark(in));
    putNumbers(f, " Year: %4i  +++ Timezone: %g +++ \n", in->year, in->timezone);
    std::fprintf(f, "%s\n", kRule);
    std::fputs(in->iridmode == kPlainPasses
                   ? "\n  Start (Azim.,Elev.)    Maximum (Azim.,MaxElev.)     End (Azim.,Elev.)\n"
                   : "\n    Event Time (Azim.,Elev.)\n",
               f);
}

// Sort key of a save-file data line: month letter and the line's first kKeyChars characters.
std::string sortKey(const std::string& line)
{
    char letter = kOtherMonth;
    for (int m = 1; m <= 12; ++m) {
        char name[4];
        GetMonth(m, name);
        if (line.compare(0, 3, name) == 0) letter = kMonthLetters[m - 1];
    }
    return letter + line.substr(0, kKeyChars);
}

// Puts the kept satellites into time order by selection sort, exchanging slots through the work slot.
void sortByStart(WinpData* in, double* starts, int count)
{
    for (int i = 0; i < count; ++i) {
        const int j = static_cast<int>(std::min_element(starts + i, starts + count) - starts);
        if (j == i) continue;
        ShiftElm(in, kWorkSlot, i);
        ShiftElm(in, i, j);
        ShiftElm(in, j, kWorkSlot);
        std::swap(starts[i], starts[j]);
    }
}

// Adds the satellite in the working slot of the all-satellite search to the selection, which
// holds selected satellites: the first one goes to the spare slot, from which the working slot
// (slot 0 then) is restored at the end, further ones are appended while there is room.
void selectTransiting(WinpData* in, int slot, int& selected)
{
    if (selected == 0)
        ShiftElm(in, kSpareSlot, slot);
    else if (selected < kMaxSat)
        ShiftElm(in, selected, slot);
    else
        return;
    ++selected;
}

// Reads every entry of the TLE file f in turn into the work slot and calls visit() for it.
template <class Visit>
void forEachEntry(WinpData* in, ElementReader& f, Visit visit)
{
    std::array<char, kTleTextBytes> text{};
    int found;
    do {
        std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "*");
        found = tleread(in, f, text.data(), 0);
        if (found != 0) visit();
    } while (found == 2);
}
}  // namespace

std::string SatName(const WinpData* in, int slot)
{
    std::string name(in->satname[slot], strnlen(in->satname[slot], sizeof in->satname[slot]));
    return name.substr(0, name.find_last_not_of(' ') + 1);
}

double ListStartMjd(const WinpData* in)
{
    return mjd(in->day, in->month, in->year,
               in->hour - in->timezone + in->minute / 60.0 + in->second / 3600.0);
}

int nextpass(WinpData* in, int slot, double t0, double t1, double tm[3], double el[3], double az[3],
             SatPosData* sp)
{
    if (!stateSlot(slot)) return 0;
    if (in->iridmode == kIridiumMode) in->flryaw = AntennaYaw(0);
    Probe p(in, sp, slot);
    const double from = in->passcont ? gpassend(in, sp, slot, t0, t1) : t0;
    const Scan s = coarseScan(p, from, t1, +1, true);
    if (!s.found) return 0;
    Sample start = s.entry, end = s.exit;
    if (start.t > t0) start = p.edgeAt(std::max(t0, crossing(p, start.t, true)));
    if (end.t > t0 && end.t < t1) end = p.edgeAt(crossing(p, end.t, false));
    if (in->iridmode != kPlainPasses) {
        storePass({start, s.top, end}, tm, el, az);
        return GetIrid(in, slot, s.seen, tm, el, az, sp);
    }
    storePass({start, culmination(p, s.top, start.t, end.t), end}, tm, el, az);
    return 1;
}

int lastpass(WinpData* in, int slot, double t0, double t1, double tm[3], double el[3], double az[3],
             SatPosData* sp)
{
    if (!stateSlot(slot)) return 0;
    Probe p(in, sp, slot);
    const double from = in->passcont ? gpassbeg(in, sp, slot, t0, t1) : t0;
    const Scan s = coarseScan(p, from, t1, -1, false);
    if (!s.found) return 0;
    Sample end = s.entry, begin = s.exit;
    if (end.t < t0) end = stepBack(p, std::min(end.t + kMinute, t0), true);
    if (s.closed) begin = stepBack(p, begin.t + kMinute, false);
    storePass({end, culmination(p, s.top, begin.t, end.t), begin}, tm, el, az);
    return 1;
}

double gpassbeg(WinpData* in, SatPosData* sp, int slot, double t, double tmin)
{
    if (!stateSlot(slot)) return t;
    Probe p(in, sp, slot);
    while (t >= tmin && p.visible(t)) t -= kMinute;
    return t;
}

double gpassend(WinpData* in, SatPosData* sp, int slot, double t, double tmax)
{
    if (!stateSlot(slot)) return t;
    Probe p(in, sp, slot);
    while (t <= tmax && p.visible(t)) t += kMinute;
    return t;
}

bool CannotRise(const WinpData* in, int slot)
{
    const double e = in->elecc[slot], n = in->elmm[slot] * 2.0 * angle_units::kPi / kSecondsPerDay;
    const double incl = std::fabs(in->elincl[slot]);
    if (!(e >= 0.0 && e < 1.0 && n > 0.0 && std::isfinite(n) && incl <= 180.0)) return false;
    const double apogee = std::cbrt(kMuKm3s2 / (n * n)) * (1.0 + e) * kApogeeMargin;
    const double elev = in->minsatelev * angle_units::kDegToRad;
    const double ratio = kPolarRadiusKm * std::cos(elev) / apogee;
    if (!(ratio < 1.0)) return false;
    // Largest angle at the Earth's centre between the site and a point below the satellite in view.
    const double reach = (std::acos(ratio) - elev) / angle_units::kDegToRad;
    const double highest = incl > 90.0 ? 180.0 - incl : incl;
    return std::fabs(in->obslat) - highest > reach + kAngleMarginDeg;
}

void ScanPasses(WinpData* in, int slot, double t0, double t1, const std::function<void(const PassEvent&)>& visit,
                SatPosData* sp)
{
    if (!stateSlot(slot)) return;
    const bool fast = in->elmm[slot] > kFastMeanMotion && !RelativeMode(in);
    const double gap = kMinute + (fast ? kFastSkip : 0.0);
    PassEvent p{};
    int result;
    for (double t = t0; t <= t1 && (result = nextpass(in, slot, t, t1, p.tm, p.el, p.az, sp)) != 0; t = p.tm[2] + gap)
        if (result == 1) visit(p);
}

std::vector<PassEvent> FindPasses(WinpData* in, int slot, double t0, double t1, SatPosData* sp)
{
    std::vector<PassEvent> passes;
    ScanPasses(in, slot, t0, t1, [&](const PassEvent& p) { passes.push_back(p); }, sp);
    return passes;
}

void aospass(WinpData* in, WoutData* out, SatPosData* sp)
{
    in->npass = 0;
    out->nlines = 0;
    if (!primeSelected(in)) {
        PutSpace(out, 1);
        putLine(out, false, " *** No satellite has been selected ***");
        putLine(out, false, " Use the Input / Select Satellite menu");
        putLine(out, false, " (and don't forget to press the SELECT button)");
        PutSpace(out, 1);
        return;
    }
    if (DistanceMissing(in)) {
        putLine(out, false, " *** Need distance > 0 for occultations or flares ***");
        putLine(out, false, " *** except for Sun or Moon Transits ***");
        return;
    }
    const EventRun run(in);
    const bool relative = RelativeMode(in);
    in->prevrel = in->relmode;
    in->passslotinfo = in->satno[in->prime];
    in->passepoch = in->elepoch[in->prime];
    writePageHeader(in, out, relative);

    // The listed lines with the start instants of their passes.
    std::vector<std::pair<std::string, double>> lines;
    const double t0 = ListStartMjd(in), t1 = t0 + in->duration;
    if (in->iridmode != kPlainPasses) {
        for (const EventHit& e : FindEvents(in, in->prime, t0, t1, run.defaulted(), sp))
            lines.emplace_back(EventPageText(in, e), e.start);
    } else {
        for (const PassEvent& p : FindPasses(in, in->prime, t0, t1, sp))
            lines.emplace_back("." + passCells(in, p, relative), p.tm[0]);
    }
    for (size_t k = 0; k < lines.size(); ++k) {
        if (k % kPassGroup == 0) PutSpace(out, 1);
        putLine(out, true, "%s", lines[k].first.c_str());
        if (in->npass < kMaxPasses) in->passaos[in->npass++] = lines[k].second;
    }
    if (lines.empty()) {
        PutSpace(out, 1);
        putLine(out, false, " *** No suitable pass found within time interval ***");
        PutSpace(out, 1);
    }
    if (in->autosave) savePage(in, out);
}

int Nxt4Pass(WinpData* in, SatPosData* sp)
{
    ElementReader f(in->tlefile);
    if (!f.isOpen()) return -1;
    const int oldCount = in->nsat;
    in->relmode = 0;
    in->nsat = 1;
    const double now = RT_MJD(in) + in->rtoffset / 24.0;
    std::array<double, kMaxSat> starts{};
    int count = 0;
    forEachEntry(in, f, [&]() {
        const int k = std::min(count, kMaxSat - 1);
        ShiftElm(in, kSpareSlot, k);
        ShiftElm(in, k, kWorkSlot);
        PassEvent p{};
        const bool soon = nextpass(in, k, now, now + kNextWindow, p.tm, p.el, p.az, sp) == 1 &&
                          p.tm[0] > now + kNextLead;
        if (soon && count < kMaxSat) {
            starts[count++] = p.tm[0];
            return;
        }
        ShiftElm(in, k, kSpareSlot);
        double* latest = std::max_element(starts.begin(), starts.end());
        if (soon && p.tm[0] < *latest) {
            ShiftElm(in, static_cast<int>(latest - starts.begin()), kWorkSlot);
            *latest = p.tm[0];
        }
    });
    in->nsat = count > 0 ? count : oldCount;
    sortByStart(in, starts.data(), count);
    in->prime = 0;
    return count;
}

namespace {
// The lines of one satellite in the all-satellite file.
using Lines = std::vector<std::string>;

// Pass lines of the satellite in slot over [t0, t1] (MJD), each followed by its mark and name;
// none when it cannot rise above the minimum elevation.
Lines passLines(WinpData* in, SatPosData* sp, int slot, double t0, double t1)
{
    Lines lines;
    if (CannotRise(in, slot)) return lines;
    const std::string tail = SatelliteMark(in, slot) + SatName(in, slot);
    for (const PassEvent& p : FindPasses(in, slot, t0, t1, sp)) lines.push_back(passCells(in, p, false) + tail);
    return lines;
}

// Writes the lines of one satellite to save after a blank line; nothing when there are none.
void writeLines(std::FILE* save, const Lines& lines)
{
    if (!lines.empty()) std::fputs("\n", save);
    for (const std::string& line : lines) std::fprintf(save, "%s\n", line.c_str());
}

// The whole file at path ("" when it cannot be read).
std::string readWhole(const char* path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

// Pass lines of every entry of the TLE text, in file order, searched by `threads` workers: worker
// k reads the whole text with its own copies of the records and searches entries k, k + threads, ...
std::vector<Lines> parallelPassLines(const WinpData* in, const SatPosData* sp, std::string text, int slot,
                                     double t0, double t1, int threads)
{
    if (text.empty()) return {};
    const auto work = [&](int k) {
        auto myIn = std::make_unique<WinpData>(*in);
        auto mySp = std::make_unique<SatPosData>(*sp);
        const std::unique_ptr<std::FILE, int (*)(std::FILE*)> f(fmemopen(text.data(), text.size(), "r"), &std::fclose);
        if (!f) throw std::bad_alloc();
        std::vector<Lines> mine;
        int index = 0;
        ElementReader reader(f.get());
        forEachEntry(myIn.get(), reader, [&]() {
            if (index++ % threads != k) return;
            ShiftElm(myIn.get(), slot, kWorkSlot);
            mine.push_back(passLines(myIn.get(), mySp.get(), slot, t0, t1));
        });
        return mine;
    };
    // A worker's exception reaches the caller through get(); the other futures wait for their threads.
    std::vector<std::future<std::vector<Lines>>> workers;
    for (int k = 0; k < threads; ++k) workers.push_back(std::async(std::launch::async, work, k));
    std::vector<std::vector<Lines>> parts;
    for (auto& w : workers) parts.push_back(w.get());

    std::vector<Lines> all;
    for (size_t i = 0; i / threads < parts[i % threads].size(); ++i)
        all.push_back(std::move(parts[i % threads][i / threads]));
    return all;
}

// Writes the header and the passes (or events) of every satellite of the open TLE file to save,
// through the working slot; the selection and the settings the search changes are restored.
// Plain passes are searched by threads workers when it is above 1.
void searchAll(WinpData* in, SatPosData* sp, ElementReader& tle, std::FILE* save,
               const std::function<void(const EventHit&, int slot)>& onEvent, int threads)
{
    const int oldCount = in->nsat, oldRelative = in->relmode;
    const int slot = oldCount > 0 && stateSlot(in->prime) ? in->prime : 0;
    ShiftElm(in, kSpareSlot, slot);
    in->nsat = std::max(in->nsat, 1);
    in->relmode = 0;
    const EventRun run(in);
    writeFileHeader(in, save);

    int selected = oldCount;
    const double t0 = ListStartMjd(in), t1 = t0 + in->duration;
    if (in->iridmode == kPlainPasses && threads > 1) {
        for (const Lines& lines : parallelPassLines(in, sp, readWhole(in->tlefile), slot, t0, t1, threads))
            writeLines(save, lines);
    } else {
        forEachEntry(in, tle, [&]() {
            ShiftElm(in, slot, kWorkSlot);
            if (in->iridmode == kPlainPasses) {
                writeLines(save, passLines(in, sp, slot, t0, t1));
                return;
            }
            if (in->iridmode == kIridiumMode && in->iropsonly && !IridiumOperational(in, slot)) return;
            const std::string tail = SatelliteMark(in, slot) + SatName(in, slot);
            Lines lines;
            for (const EventHit& e : FindEvents(in, slot, t0, t1, run.defaulted(), sp)) {
                lines.push_back(EventFileText(in, e) + tail);
                if (onEvent) onEvent(e, slot);
            }
            if (run.defaulted() && !lines.empty()) selectTransiting(in, slot, selected);
            writeLines(save, lines);
        });
    }

    ShiftElm(in, slot, kSpareSlot);
    in->relmode = oldRelative;
    in->nsat = selected;
    if (oldCount == 0 && selected > 0) in->prime = 0;
}
}  // namespace

int AllSatAos(WinpData* in, SatPosData* sp, const std::function<void(const EventHit&, int slot)>& onEvent,
              int threads)
{
    if ((in->iridmode == kIridiumMode && in->irminmag > kFaintestFlareLimit) || DistanceMissing(in)) return kAllSatRefused;
    ElementReader tle(in->tlefile);
    if (!tle.isOpen()) return kAllSatTleFailed;
    const bool written = WriteFile(in->savename, in->savenew != 0,
                                   [&](std::FILE* save) { searchAll(in, sp, tle, save, onEvent, threads); });
    if (!written) return kAllSatSaveFailed;
    in->savenew = 0;
    SortAos(in);
    return kAllSatDone;
}

bool SortAos(const WinpData* in)
{
    std::ifstream save(in->savename, std::ios::binary);
    if (!save) return false;
    std::vector<std::string> header;
    std::vector<std::pair<std::string, std::string>> data;  // sort key, line
    std::string line;
    while (std::getline(save, line)) {
        if (!line.empty() && line[0] != '\0' && std::strchr(kHeaderStarts, line[0]))
            header.push_back(line);
        else if (line.size() > static_cast<size_t>(kKeyChars))
            data.emplace_back(sortKey(line), line);
    }
    save.close();
    std::stable_sort(data.begin(), data.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    return ReplaceFile(in->savename, [&](std::FILE* f) {
        for (const std::string& h : header) std::fprintf(f, "%s\n", h.c_str());
        for (size_t k = 0; k < data.size(); ++k) {
            if (k % kSortGroup == 0) std::fputs("\n", f);
            std::fprintf(f, "%s\n", data[k].second.c_str());
        }
    });
}
