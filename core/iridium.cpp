#include "core/iridium.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <vector>

#include "core/geodesy.h"
#include "core/mirror.h"
#include "core/occtrans.h"
#include "core/satstate.h"
#include "core/textpage.h"
#include "core/tlefile.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;
// Day fractions of one minute, one second and a tenth of a second.
using time_units::kMinute;
using time_units::kSecond;
constexpr double kTenth = 0.1 * kSecond;
using time_units::kHoursPerDay;
using length_units::kMetresPerKm;
// Fraction of a step by which an interval may fall short of a whole number of steps.
constexpr double kStepSlack = 1e-6;
// Search states of a reflector.
constexpr int kDone = 0;
constexpr int kInside = 1;
constexpr int kWaiting = 2;
constexpr int kRefining = 3;
// Results of GetIrid.
constexpr int kEventFound = 1;
constexpr int kNoEvent = 2;
// Best value before any event point was met.
constexpr double kNoBest = 100000.0;
// Fine window around the best coarse instant: it lies after the instant (starting kAfterGap
// later) unless the instant a second earlier is better, then it ends at the instant and starts
// kBeforeGap after the minute before it.
constexpr double kAfterGap = 2.0 * kSecond;
constexpr double kBeforeGap = 4.0 * kSecond;
// Final refinement: steps of a tenth of a second on both sides of the best instant.
constexpr int kRefineSteps = 9;
// Event distances (km) below this are replaced by the closest approach of the centre line.
constexpr double kInterpolationLimit = 10.0;
// Closest approach: sites from this latitude on, or centre-line points this far from the site
// in longitude or latitude (degrees), use the parabola through the three distances.
constexpr double kPolarSite = 80.0;
constexpr double kFarLongitude = 2.0;
constexpr double kFarLatitude = 1.0;
constexpr double kTinyDivisor = 1e-50;
constexpr double kTinyLength2 = 1e-100;
// Distance (km) of Sun and Moon transits listed by the default zone rule.
constexpr double kDefaultTransitDist = 35.0;
// Sun elevation limit (degrees) of Sun transit searches: none.
constexpr double kAnySunElevation = 90.0;
// Semi-major axes (km) of the operational Iridium orbits from SGP4 mean elements.
constexpr double kIridiumMinSmaSgp4 = 7157.0;
constexpr double kIridiumMaxSmaSgp4 = 7157.6;
// Save file line of an Iridium flare: the label after the time cell, the mirror name and
// direction of travel, the magnitude field, the satellite mark and the name; the page shows the
// line without the words of the label and takes kNameKey characters of the name as search key.
constexpr const char* kIridiumLabel = "  Iridium Flare ";
constexpr int kLabelWordsAt = 2;
constexpr int kLabelWords = 13;
constexpr const char* kMagField = "  mag %5.1lf";
constexpr int kMirrorChars = 7;
constexpr int kDirectionChars = 3;
constexpr int kMagChars = 11;
constexpr int kMarkChars = 3;
constexpr int kNameKey = 11;
// Save file data lines: the key length, and the first characters of header lines.
constexpr size_t kKeyChars = 16;
constexpr const char* kHeaderStarts = "mGY= ";
// Flare page lines between blank lines.
constexpr int kFlareGroup = 5;

// printf-style text with decimal points whatever the locale.
__attribute__((format(printf, 1, 2))) std::string formatted(const char* format, ...)
{
    std::array<char, 256> buf{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    va_end(args);
    decdot0(buf.data());
    return buf.data();
}

// Best event of each reflector and its search state.
struct Search {
    int state[kIridiumReflectors] = {kWaiting, kWaiting, kWaiting, kWaiting};
    double t[kIridiumReflectors] = {};
    double v[kIridiumReflectors] = {kNoBest, kNoBest, kNoBest, kNoBest};
    double el[kIridiumReflectors] = {};
    double az[kIridiumReflectors] = {};
};

// Iridium search settings for the lifetime of the object: every reflector is evaluated alone as
// the known surface in the local attitude without yaw steering. Restored at the end, except
// flryaw, which keeps the yaw of the antenna that flared.
class ReflectorFocus {
public:
    explicit ReflectorFocus(WinpData* in)
        : in_(in), flares_(in->flares), knownsurf_(in->knownsurf), yawsteer_(in->yawsteer), occmode_(in->occmode),
          flrpitch_(in->flrpitch)
    {
        in->flares = 1;
        in->knownsurf = 1;
        in->yawsteer = 0;
        in->occmode = 0;
    }
    ~ReflectorFocus()
    {
        in_->flares = flares_;
        in_->knownsurf = knownsurf_;
        in_->yawsteer = yawsteer_;
        in_->occmode = occmode_;
        in_->flrpitch = flrpitch_;
    }
    ReflectorFocus(const ReflectorFocus&) = delete;
    ReflectorFocus& operator=(const ReflectorFocus&) = delete;

private:
    WinpData* in_;
    int flares_, knownsurf_, yawsteer_, occmode_;
    double flrpitch_;
};

// One evaluation of reflector k for the search s.
void check(double t, WinpData* in, int slot, int k, Search& s, SatPosData* sp)
{
    CkIrid(t, in, slot, k, s.state, s.t, s.v, s.el, s.az, sp);
}

// Longitude difference (degrees) folded into -180..180.
double lonDiff(double a, double b) { return FoldPi((a - b) * kDegToRad) * kRadToDeg; }

// Distance (km) of the site from the centre line near tb whose sampled distance is vbest: the
// parabola through the distances 0.1 s before, at and after tb, or, near the site, the distance
// from the line through the two centre-line points in the local plane; vbest when either point
// is missing or the formula does not apply.
double closestApproach(WinpData* in, SatPosData* sp, int slot, double tb, double vbest)
{
    struct Point {
        bool ok;
        double x, y, v;  // offsets from the site (degrees of longitude and latitude), distance km
    };
    const auto point = [&](double t) {
        GetSatPos(t, in, sp, slot, 0);
        return Point{sp->ctrlat[slot] < kNoCentreLine, lonDiff(sp->ctrlon[slot], in->obslon),
                     sp->ctrlat[slot] - in->obslat, sp->mag};
    };
    const Point p = point(tb + kTenth), m = point(tb - kTenth);
    if (!p.ok || !m.ok) return vbest;
    const bool far = std::fabs(in->obslat) >= kPolarSite || std::fabs(p.x) >= kFarLongitude ||
                     std::fabs(m.x) >= kFarLongitude || std::fabs(p.y) >= kFarLatitude || std::fabs(m.y) >= kFarLatitude;
    if (far) {
        const double div = 8.0 * (p.v * p.v + m.v * m.v - 2.0 * vbest * vbest);
        if (div <= kTinyDivisor) return vbest;
        const double d2 = vbest * vbest - std::pow(p.v * p.v - m.v * m.v, 2) / div;
        return d2 >= 0.0 ? std::sqrt(d2) : vbest;
    }
    const double scale = std::cos(in->obslat * kDegToRad) * kDegToRad;
    const double x1 = p.x * scale, y1 = p.y * kDegToRad, x2 = m.x * scale, y2 = m.y * kDegToRad;
    const double len2 = (x1 - x2) * (x1 - x2) + (y1 - y2) * (y1 - y2);
    if (len2 <= kTinyLength2) return vbest;
    return (kEarthRadiusKm + in->obshgt / kMetresPerKm) * std::fabs(x1 * y2 - x2 * y1) / std::sqrt(len2);
}

// Fine scan in one-second steps around the best coarse instant of reflector k, within the pass.
void fineWindow(WinpData* in, int slot, int k, Search& s, const double tm[3], SatPosData* sp)
{
    const double tb = s.t[k];
    double lo = tb, hi = tb - kSecond + kMinute;
    if (tb - kSecond >= tm[0]) {
        const double before = s.v[k];
        s.state[k] = kInside;
        check(tb - kSecond, in, slot, k, s, sp);
        lo = s.v[k] < before ? tb + kBeforeGap - kMinute : tb + kAfterGap;
        hi = s.v[k] < before ? tb : tb + kAfterGap + kMinute - kSecond;
    }
    lo = std::max(lo, tm[0]);
    hi = std::min(hi, tm[2]);
    s.state[k] = kRefining;
    const int steps = static_cast<int>(std::floor((hi - lo) / kSecond + kStepSlack));
    for (int j = 0; j <= steps && s.state[k] != kDone; ++j) check(lo + j * kSecond, in, slot, k, s, sp);
}

// Local time cell (with the date) of an event.
std::string timeCell(const WinpData* in, const EventHit& e)
{
    char cell[kAosTextBytes];
    aosstr(e.t + in->timezone / kHoursPerDay, e.az, e.el, cell, 0);
    return cell;
}

// Appends the flare page line made from a save file line whose Iridium label starts at at, and
// selects its satellite from the open TLE file tle when there is room.
void listFlare(WinpData* in, WoutData* out, const std::string& line, size_t at, ElementReader& tle)
{
    std::string text = line;
    text.erase(at + kLabelWordsAt, kLabelWords);
    std::array<char, kLineBytes> buf{};
    std::snprintf(buf.data(), buf.size(), "%s", text.c_str());
    PutNxtLnT(out, buf.data());

    const size_t name = at + std::strlen(kIridiumLabel) + kMirrorChars + kDirectionChars + kMagChars + kMarkChars;
    if (!tle.isOpen() || in->nsat < 0 || in->nsat >= kMaxSat || name >= line.size()) return;
    const int srchmode = in->srchmode;
    in->srchmode = kSearchByName;
    std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "%.*s", kNameKey, line.c_str() + name);
    tle.rewind();
    std::vector<char> found(kTleTextBytes);
    const auto selected = [&](int n) { return n == in->satno[kWorkSlot]; };
    if (tleread(in, tle, found.data(), 0) != 0 && std::none_of(in->satno, in->satno + in->nsat, selected))
        ShiftElm(in, in->nsat++, kWorkSlot);
    in->srchmode = srchmode;
}
}  // namespace

EventRun::EventRun(WinpData* in)
    : in_(in), maxsunelev_(in->maxsunelev), evmaxdist_(in->evmaxdist), iridflg_(in->iridflg), defaulted_(false)
{
    in->iridflg = false;
    if (in->iridmode == kTransitMode && in->occmode == kSunTarget) in->maxsunelev = kAnySunElevation;
    if (SunMoonTransit(in) && in->evmaxdist <= 0.0) {
        in->evmaxdist = kDefaultTransitDist;
        defaulted_ = true;
    }
}

EventRun::~EventRun()
{
    in_->maxsunelev = maxsunelev_;
    in_->evmaxdist = evmaxdist_;
    in_->iridflg = iridflg_;
}

bool SunMoonTransit(const WinpData* in)
{
    return in->iridmode == kTransitMode && (in->occmode == kSunTarget || in->occmode == kMoonTarget);
}

bool DistanceMissing(const WinpData* in)
{
    return (in->iridmode == kTransitMode || in->iridmode == kFlareMode) && !SunMoonTransit(in) && in->evmaxdist <= 0.0;
}

bool IridiumOperational(const WinpData* in, int slot)
{
    const double a = in->elsma[slot];
    return in->sgp4flg[slot] ? a >= kIridiumMinSmaSgp4 && a <= kIridiumMaxSmaSgp4
                             : a >= kIridiumMinSma && a <= kIridiumMaxSma;
}

void CkIrid(double t, WinpData* in, int slot, int k, int state[], double tbest[], double vbest[], double el[],
            double az[], SatPosData* sp)
{
    const int s = state[k];
    if (s == kDone) return;
    if (in->iridmode == kIridiumMode && !in->iraltmdl) {
        in->flryaw = AntennaYaw(k);
        in->flrpitch = kAntennaPitch;
    }
    GetSatPos(t, in, sp, slot, 0);
    if (sp->ctrlat[slot] >= kNoCentreLine) {
        if (s == kInside) state[k] = kDone;
        return;
    }
    state[k] = kInside;
    if (s == kWaiting || sp->mag < vbest[k]) {
        tbest[k] = t;
        vbest[k] = sp->mag;
        el[k] = sp->elev[slot];
        az[k] = sp->azim[slot];
    }
}

int GetIrid(WinpData* in, int slot, int seen, double tm[3], double a[3], double b[3], SatPosData* sp)
{
    const bool iridium = in->iridmode == kIridiumMode;
    if (!iridium && !seen) return kNoEvent;
    std::optional<ReflectorFocus> focus;
    if (iridium) focus.emplace(in);
    Search s;
    if (!seen) s.state[0] = kDone;
    const int count = iridium && !in->iraltmdl ? kIridiumAntennas : 1;

    // Coarse scan over the pass in one-minute steps and at its end.
    double firstLat = kNoCentreLine, lastLat = 0.0;
    const auto coarse = [&](double t) {
        for (int k = 0; k < count; ++k) check(t, in, slot, k, s, sp);
        if (firstLat == kNoCentreLine) firstLat = sp->lat[slot];
        lastLat = sp->lat[slot];
    };
    const int minutes = static_cast<int>(std::ceil((tm[2] - tm[0]) / kMinute - kStepSlack));
    for (int j = 0; j < minutes; ++j) coarse(tm[0] + j * kMinute);
    coarse(tm[2]);
    const int k = static_cast<int>(std::min_element(s.v, s.v + count) - s.v);
    if (s.v[k] >= kNoBest) return kNoEvent;
    if (iridium) {
        if (!in->iraltmdl) in->flryaw = AntennaYaw(k);
        a[0] = firstLat;
        a[2] = lastLat;
    }

    fineWindow(in, slot, k, s, tm, sp);
    if (s.v[k] > (iridium ? in->irminmag : in->evmaxdist)) return kNoEvent;
    const double tb = s.t[k];
    for (int j = 1; j <= kRefineSteps; ++j) {
        for (const double t : {tb + j * kTenth, tb - j * kTenth}) {
            s.state[k] = kRefining;
            check(t, in, slot, k, s, sp);
        }
    }
    tm[1] = s.t[k];
    a[1] = s.el[k];
    b[1] = s.az[k];
    b[2] = s.v[k];
    if (!iridium && b[2] < kInterpolationLimit) b[2] = closestApproach(in, sp, slot, tm[1], b[2]);
    return kEventFound;
}

std::string EventPageText(const WinpData* in, const EventHit& e)
{
    std::string s = in->iridmode == kIridiumMode ? " " : ".";
    s += timeCell(in, e) + formatted(" %8.1lf km", e.value);
    if (SunMoonTransit(in)) s += e.label;
    return s;
}

std::string EventFileText(const WinpData* in, const EventHit& e)
{
    std::string s = timeCell(in, e);
    if (in->iridmode == kIridiumMode) return s + kIridiumLabel + e.label + formatted(kMagField, e.value);
    if (in->iridmode == kFlareMode)
        s += in->knownsurf == 1 ? formatted("  Flare  Y: %g  P: %g", in->flryaw, in->flrpitch)
                                : formatted("  Flare  R.A.: %g  Dec.: %g", in->flryaw, in->flrpitch);
    else if (in->occmode == kFixedTarget)
        s += formatted("  Occ. R.A.: %g  Dec.: %g", in->flryaw, in->flrpitch);
    else
        s += (in->occmode == kSunTarget ? "  Sun Transit" : "  Moon Transit") + e.label;
    return s + formatted("  dist:%7.1lf km", e.value);
}

std::string SatelliteMark(const WinpData* in, int slot)
{
    return in->iridmode == kIridiumMode && !IridiumOperational(in, slot) ? " ? " : "   ";
}

void SetIridiumSearch(WinpData* in)
{
    in->iridmode = kIridiumMode;
    in->flares = 1;
    in->knownsurf = 1;
    in->yawsteer = 0;
    in->occmode = 0;
    in->flryaw = AntennaYaw(0);
    in->flrpitch = kAntennaPitch;
    in->charlen = in->moonvis ? 1.0 : 0.0;
}

void Iriddspy(WinpData* in, WoutData* out)
{
    ElementReader tle(in->tlefile);
    out->nlines = 0;
    std::string title = " *** Iridium Flares *** ";
    if (in->irwrote) title += std::string(" written to ") + in->savename;
    in->savenew = 0;
    std::array<char, 2 * kLineBytes> buf{};
    const auto put = [&](const std::string& text) {
        std::snprintf(buf.data(), buf.size(), "%s", text.c_str());
        PutNxtLn(out, buf.data());
    };
    PutSpace(out, 1);
    put(title);
    PutSpace(out, 1);
    put(formatted(" Year: %4i  +++ Timezone: %g +++", in->year, in->timezone) +
        (in->moonvis ? "   Moonshine Flares" : ""));

    std::ifstream save(in->savename);
    std::string key;
    int listed = 0;
    for (std::string line; save && std::getline(save, line);) {
        if (line.size() <= kKeyChars || std::strchr(kHeaderStarts, line[0])) continue;
        const size_t at = line.find(kIridiumLabel);
        if (at == std::string::npos || line.compare(0, kKeyChars, key) == 0) continue;
        key = line.substr(0, kKeyChars);
        if (listed++ % kFlareGroup == 0) PutSpace(out, 1);
        listFlare(in, out, line, at, tle);
    }
}
