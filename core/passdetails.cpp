#include "astro/datetext.h"
#include "core/passdetails.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdarg>
#include <cstring>
#include <locale.h>
#include <string>
#include <vector>

#include "astro/frames.h"
#include "core/dateframe.h"
#include "core/geodesy.h"
#include "core/passsearch.h"
#include "core/safewrite.h"
#include "core/satstate.h"
#include "core/statefault.h"
#include "core/textpage.h"
#include "core/timeset.h"
#include "foundation/arith.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "propagation/attitude.h"

namespace {
using angle_units::kDegToRad;
using angle_units::kRadToDeg;
using time_units::kMinutesPerDay;
using time_units::kSecondsPerDay;
using time_units::kSecond;
// Step used when tstep is not positive: one day.
constexpr double kFallbackStep = 1.0;
// Steps within this many minutes of one minute count as one-minute steps.
constexpr double kMinuteStepTolerance = 1e-9;
// Times already on a full minute or second within this fraction of it are not moved.
constexpr double kAlignTolerance = 1e-6;
// Detail times of sub-second steps: seconds from this value on carry into the minute.
constexpr double kTenthsCarry = 59.95;
// Characters of an aosstr cell through the minutes and through the seconds.
constexpr int kCellToMinutes = 13;
constexpr int kCellToSeconds = 16;
// Header layout of the pass details and the orbit track.
constexpr int kUnderscores = 54;
constexpr int kTrackIndent = 21;
// Elevation (degrees) below every real one: the running maximum of a new pass detail.
constexpr double kNoMaximum = -100.0;
// Lowest elevation (degrees) of a clicked sky point; below it no point was clicked.
constexpr double kLowestElevation = -90.0;
// Interval (days) over which the sky course of the prime satellite is taken: 2 s.
constexpr double kCourseSpan = 2.0 * kSecond;
// Mean radius of the Moon, km.
constexpr double kMoonRadiusKm = 1738.0;
using length_units::kMetresPerKm;
// knownsurf of this magnitude: the mirror is given inertially, so no local attitude is in use.
constexpr int kInertialSurface = 2;

// Highest elevation met in the pass being detailed.
double passTop = kNoMaximum;

// Appends to a text buffer of fixed capacity, cutting what does not fit; numbers are formatted
// with decimal points whatever the locale.
class TextBuf {
public:
    TextBuf(char* buf, size_t cap) : buf_(buf), cap_(cap) { buf_[0] = '\0'; }

    void add(const char* s)
    {
        const size_t n = std::strlen(buf_);
        std::snprintf(buf_ + n, cap_ - n, "%s", s);
    }
    void add(const std::string& s) { add(s.c_str()); }

    __attribute__((format(printf, 2, 3))) void num(const char* format, ...)
    {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
        const size_t n = std::strlen(buf_);
        const locale_t previous = uselocale(cLocale);
        va_list args;
        va_start(args, format);
        std::vsnprintf(buf_ + n, cap_ - n, format, args);
        va_end(args);
        uselocale(previous);
    }

private:
    char* buf_;
    size_t cap_;
};

// Time step of the details and the track, days.
double detailStep(const WinpData* in) { return in->tstep > 0.0 ? in->tstep : kFallbackStep; }

bool isMinuteStep(double step) { return std::fabs(step * kMinutesPerDay - 1.0) < kMinuteStepTolerance; }

// t moved up to the next full minute (one-minute steps) or second (steps of a second or more).
double alignStart(double t, double step)
{
    const double units = isMinuteStep(step) ? kMinutesPerDay : step >= kSecond ? kSecondsPerDay : 0.0;
    return units > 0.0 ? std::ceil(t * units - kAlignTolerance) / units : t;
}

// True when the columns show the centre line of an occultation, transit or known-surface flare.
bool eventColumns(const WinpData* in) { return in->occmode >= 1 || (in->flares > 0 && in->knownsurf > 0); }

// Local time cell of t: date and time through the minutes for one-minute steps, through the
// seconds for longer or shorter steps of a second or more, with tenths below one second.
void timeCell(const WinpData* in, double t, double step, TextBuf& text)
{
    const double local = t + in->timezone / 24.0;
    if (step >= kSecond) {
        char cell[kAosTextBytes];
        aosstr(local, 0.0, 0.0, cell, 0);
        cell[isMinuteStep(step) ? kCellToMinutes : kCellToSeconds] = '\0';
        text.add(cell);
        return;
    }
    int day, month, year, hour, minute;
    double sec;
    caltime(local, day, month, year, hour, minute, sec);
    if (sec >= kTenthsCarry) {
        sec = 0.0;
        if (++minute == 60) {
            minute = 0;
            ++hour;
        }
    }
    char mon[4];
    GetMonth(month, mon);
    text.num("%s %2i  %2i:%02i:%4.1lf", mon, day, hour, minute, sec);
}

// Longitude, latitude and height (km) of the sub-satellite point.
void trackColumns(const SatPosData* sp, int slot, TextBuf& text)
{
    text.num("    %10.5lf  %10.5lf  %12.3lf", sp->lon[slot], sp->lat[slot], sp->height[slot]);
}

// One column of the pass details: blanks before it, width and decimals of its numbers, and the
// title set over it, ending where its numbers end.
struct DetailColumn {
    int gap, width, decimals;
    const char* title;
};
using DetailLayout = std::vector<DetailColumn>;

// Look angles with R.A. and Dec. (or, in relative mode, latitude and longitude), in two and four
// decimals, and the centre line shown (prpang fields of 7 or 9 characters) or saved.
const DetailLayout kLookLayout = {{5, 7, 2, "Azim."}, {2, 7, 2, "Elev."}, {8, 7, 2, "R.A."}, {2, 7, 2, "Decl"}};
const DetailLayout kFineLookLayout = {{4, 8, 3, "Azim."}, {2, 8, 3, "Elev."}, {5, 9, 4, "R.A."}, {2, 9, 4, "Decl"}};
const DetailLayout kRelativeLayout = {{5, 7, 2, "Azim."}, {2, 7, 2, "Elev."}, {8, 7, 2, "lat."}, {2, 7, 2, "long"}};
const DetailLayout kCentreLayout = {{6, 7, 0, "Ctr.Line  long."}, {2, 7, 0, "lat."}};
const DetailLayout kFineCentreLayout = {{6, 9, 0, "Ctr.Line  long."}, {2, 9, 0, "lat."}};
const DetailLayout kSavedCentreLayout = {{3, 10, 5, "Ctr.Line  long."}, {2, 10, 5, "lat."}};

// Columns of the details in mode (0 shown, 1 saved) after the time cell.
const DetailLayout& detailLayout(const WinpData* in, int mode, bool relative)
{
    if (eventColumns(in)) return mode == 1 ? kSavedCentreLayout : in->digits4 ? kFineCentreLayout : kCentreLayout;
    if (relative) return kRelativeLayout;
    return in->digits4 == 1 ? kFineLookLayout : kLookLayout;
}

void putNumber(const DetailColumn& c, double v, TextBuf& text) { text.num("%*s%*.*lf", c.gap, "", c.width, c.decimals, v); }

void putText(const DetailColumn& c, const char* s, TextBuf& text) { text.num("%*s%*s", c.gap, "", c.width, s); }

// The title line: each title ends over the last character of its column, the columns starting
// after a time cell of cellWidth characters.
std::string titleLine(const DetailLayout& layout, size_t cellWidth)
{
    std::string line(cellWidth, ' ');
    size_t end = cellWidth;
    for (const DetailColumn& c : layout) {
        end += c.gap + c.width;
        const size_t n = std::strlen(c.title);  // never wider than the time cell and the column
        line.resize(end, ' ');
        line.replace(end - n, n, c.title);
    }
    return line + "\n";
}

// Columns of a detail line after the time cell.
void detailColumns(const WinpData* in, const SatPosData* sp, int slot, int mode, bool relative, TextBuf& text)
{
    if (mode == 2) {
        if (eventColumns(in) && sp->ctrlat[slot] >= kNoCentreLine)
            text.add("   No Intersection");
        else
            trackColumns(sp, slot, text);
        return;
    }
    const DetailLayout& layout = detailLayout(in, mode, relative);
    if (!eventColumns(in)) {
        const double values[] = {sp->azim[slot], ElvRefr(in, sp->elev[slot]), sp->ra[slot], sp->dec[slot]};
        for (size_t k = 0; k < layout.size(); ++k) putNumber(layout[k], values[k], text);
    } else if (sp->ctrlat[slot] >= kNoCentreLine) {
        text.add("   No Intersection");
    } else if (mode == 0) {
        char lon[16], lat[16];
        prpang(lon, in->digits4, in->dmsflg, sp->ctrlon[slot]);
        prpang(lat, in->digits4, in->dmsflg, sp->ctrlat[slot]);
        putText(layout[0], lon, text);
        putText(layout[1], lat, text);
    } else {
        putNumber(layout[0], sp->ctrlon[slot], text);
        putNumber(layout[1], sp->ctrlat[slot], text);
        text.add(" ");
    }
}

// Header of the pass details whose time cells are cellWidth characters wide.
void detailHeader(const WinpData* in, int mode, bool relative, size_t cellWidth, TextBuf& text)
{
    if (mode != 0) text.add("\n\n\n");
    text.add(in->satname[in->prime]);
    if (relative) {
        text.add("\n");
        text.add(in->satname[SecondSlot(in)]);
    }
    text.add("\n" + std::string(kUnderscores, '_') + "\n");
    text.num("Year: %4i  +++> Timezone %g <+++", in->year, in->timezone);
    if (in->visonly) text.add(in->moonvis ? "  Moonshine" : "  visible");
    text.add("\n");
    if (mode < 2) text.add("\n" + titleLine(detailLayout(in, mode, relative), cellWidth));
}

// Angle in degrees folded into 0..360.
double fold360(double deg) { return FoldPositive(deg, 360.0); }

// Direction (degrees from north through east) of the motion from the sky direction p1 to p2.
double skyCourse(const Vec3& p1, const Vec3& p2)
{
    const Vec3 east = vnorm(Vec3(0.0, 0.0, 1.0) * p1);
    const Vec3 north = p1 * east;
    const Vec3 d = p2 - p1;
    return fold360(atan20(dot(d, east), dot(d, north)) * kRadToDeg);
}

// Azimuth from north through east and elevation (radians) of the direction u in the local
// horizon of the point r.
void horizonAngles(const Vec3& r, const Vec3& u, double& az, double& el)
{
    const Vec3 up = vnorm(r);
    const Vec3 east = vnorm(Vec3(0.0, 0.0, 1.0) * up);
    const Vec3 north = up * east;
    az = atan20(dot(u, east), dot(u, north));
    el = std::asin(std::fmax(-1.0, std::fmin(1.0, dot(vnorm(u), up))));
}

// Yaw (to the right of the nose) and pitch (up), radians, of the direction u in the attitude frame m.
void attitudeAngles(const Mat3& m, const Vec3& u, double& yaw, double& pitch)
{
    const Vec3 a = vnorm(mxvct(m, u));
    yaw = atan20(a[1], a[0]);
    pitch = std::asin(std::fmax(-1.0, std::fmin(1.0, -a[2])));
}

// Sky map: the clicked point, the prime satellite's angular distance from it and its sky course.
void skyInfo(WinpData* in, SatPosData* sp, TextBuf& text)
{
    const bool clicked = in->locel >= kLowestElevation;
    if (clicked) {
        text.num("\n\nAzimuth (deg.):  %6.1lf,    Elevation (deg):  %6.1lf", in->locaz, in->locel);
        text.num("\n\n R.A.(HH.MM):  %6.2lf,    Decl.(DD.MM):  %6.2lf", in->locra, in->locdec);
    }
    if (in->nsat <= 0 || in->prime < 0 || in->prime >= kMaxSat) {
        text.add("\n\n\n *** No satellite has been selected ***");
        return;
    }
    const int slot = in->prime;
    const int savedRelative = in->relmode;
    in->relmode = 0;
    GetSatPos(in->mjd, in, sp, slot, 0);
    text.add("\n");
    text.add(in->satname[slot]);
    const StateFault fault = SlotFault(in, sp, slot);
    if (fault != StateFault::kNone) {
        text.num("\n\t%s", FaultText(fault));
        in->relmode = savedRelative;
        return;
    }
    if (clicked) {
        const double e1 = in->locel * kDegToRad, e2 = sp->elev[slot] * kDegToRad;
        const double c = std::sin(e1) * std::sin(e2)
                         + std::cos(e1) * std::cos(e2) * std::cos((in->locaz - sp->azim[slot]) * kDegToRad);
        if (std::fabs(c) <= 1.0) text.num("\n\tAngular distance:%7.2lf", std::acos(c) * kRadToDeg);
    }
    const double savedEpoch = in->epoch;
    in->epoch = 0.0;
    const Vec3 p1 = SkyDirection(sp->ra[slot], sp->dec[slot]);
    GetSatPos(in->mjd + kCourseSpan, in, sp, slot, 0);
    const Vec3 p2 = SkyDirection(sp->ra[slot], sp->dec[slot]);
    in->epoch = savedEpoch;
    in->relmode = savedRelative;
    text.num("\n\n\tSky Course:%7.2lf", skyCourse(p1, p2));
}

// The single selected satellite seen from the site: distance, state vector, beta angle, the
// Sun's direction seen from it and the site's direction, in the local attitude frame (or, when
// the mirror is given inertially, north-referenced in the satellite's horizon).
void satelliteInfo(WinpData* in, SatPosData* sp, TextBuf& text)
{
    const int slot = 0;
    if (in->numflg[slot] && in->moondist > 0.0) {
        text.num("\n\n\tDistance to surface of Moon:%9.1lf km", in->moondist / kMetresPerKm - kMoonRadiusKm);
    } else {
        const double p1 = in->obslat * kDegToRad, p2 = sp->lat[slot] * kDegToRad;
        const double c = std::sin(p1) * std::sin(p2)
                         + std::cos(p1) * std::cos(p2) * std::cos((in->obslon - sp->lon[slot]) * kDegToRad);
        text.num("\n\n\tAlong-the-Surface-Distance:%8.1lf km", kEarthRadiusKm * std::acos(std::fmax(-1.0, std::fmin(1.0, c))));
    }
    const Vec3 r = sp->vec1, v = sp->vec2;
    text.add("\n\n\tState Vector in km and km/s");
    const char* const labels[] = {"x", "y", "z", "vx", "vy", "vz"};
    for (unsigned k = 0; k < 6; ++k) text.num("\n%s\t%16.8le ", labels[k], k < 3 ? r[k] : v[k - 3]);

    const DateFrame f = MakeDateFrame(in, in->mjd);
    const Vec3 sun = SunOfDate(f) * kEarthRadiusKm;
    sp->betaang[slot] = std::asin(std::fmax(-1.0, std::fmin(1.0, dot(vnorm(r * v), vnorm(sun))))) * kRadToDeg;
    text.num("\n\n\tBeta Angle: %7.2lf", sp->betaang[slot]);

    const bool inertial = std::abs(in->knownsurf) == kInertialSurface;
    const Mat3 frame = in->yawsteer ? GetYSMat(r, v, 0.0, 0.0) : GetRVMat(r, v, 0.0, 0.0, 1);
    double az, el;
    if (inertial)
        horizonAngles(r, sun - r, az, el);
    else
        attitudeAngles(frame, sun - r, az, el);
    sp->sunazsat[slot] = az;
    const char* label = inertial ? "from North" : in->yawsteer ? "+V YSM" : "from +V";
    text.num("\n\n\tSun Azimuth (%s): %7.2lf", label, fold360(az * kRadToDeg));
    text.num("\n\tSun Elevation: %7.2lf", el * kRadToDeg);

    const Vec3 site = GeoPos(f.trot, f.eqeq, in->obslat * kDegToRad, in->obslon * kDegToRad,
                             in->obshgt, in->polex, in->poley)
                      * kEarthRadiusKm;
    double yaw, pitch;
    attitudeAngles(frame, site - r, yaw, pitch);
    if (!inertial) {
        text.num("\n\n\tObserver (Yaw, Pitch): %7.2lf  %7.2lf", fold360(yaw * kRadToDeg), pitch * kRadToDeg);
        return;
    }
    horizonAngles(r, site - r, az, el);
    text.num("\n\n\tObserver (Yaw, Pitch, Azimuth): %7.2lf  %7.2lf  %7.2lf", fold360(yaw * kRadToDeg),
             pitch * kRadToDeg, fold360(az * kRadToDeg));
}

// Elevation (degrees) of the Sun at the site at mjd, seen from the Earth's centre.
double sunElevation(const WinpData* in, double mjd)
{
    const DateFrame f = MakeDateFrame(in, mjd);
    double az, el, dist;
    AppPos(f.trot, f.eqeq, in->obslat * kDegToRad, in->obslon * kDegToRad, in->obshgt, 0, SunOfDate(f), az, el,
           dist);
    return el * kRadToDeg;
}

// World map: the clicked point (the site fields) with its Sun elevation and every satellite's
// look angles and illumination.
void worldInfo(WinpData* in, SatPosData* sp, TextBuf& text)
{
    if (in->obslat < -90.0 || in->obslon > 180.0) {
        text.add("\n\n   *** Cursor outside Map ***");
        return;
    }
    text.num("Lat: %g,  Long: %g,   SunElev:%6.1lf", in->obslat, in->obslon, sunElevation(in, in->mjd));
    const int count = std::min(in->nsat, kMaxSat);
    StateFault faults[kMaxSat] = {};
    for (int i = 0; i < count; ++i) {
        GetSatPos(in->mjd, in, sp, i, 0);
        faults[i] = SlotFault(in, sp, i);
        if (faults[i] != StateFault::kNone)
            text.num("\n\t%s", FaultText(faults[i]));
        else
            text.num("\n\tAzim:%7.2lf,\tElev:%7.2lf,\tSun:%6.1lf", sp->azim[i], sp->elev[i], sp->sunlit[i]);
    }
    if (count == 1 && faults[0] == StateFault::kNone) satelliteInfo(in, sp, text);
}
}  // namespace

int GetPassDTxt(WinpData* in, double& t, char* buf, int mode, SatPosData* sp)
{
    TextBuf text(buf, kPassDetailBytes);
    const int slot = in->prime;
    const bool first = t == 0.0;
    const int listed = in->pdpass + in->pdoffset;
    if (slot < 0 || slot >= kMaxSat || (first && (listed < 0 || listed >= in->npass))) return 0;
    const double step = detailStep(in);
    const double savedSun = in->maxsunelev;
    if (in->occmode == 1) in->maxsunelev = 90.0;
    const bool relative = RelativeMode(in);
    if (first) {
        t = alignStart(in->passaos[listed], step);
        passTop = kNoMaximum;
        in->pdmaxt = 0.0;
        char cell[kPassDetailBytes];
        TextBuf sample(cell, sizeof cell);
        timeCell(in, t, step, sample);
        detailHeader(in, mode, relative, std::strlen(cell), text);
    }
    GetSatPos(t, in, sp, slot, 0);
    const bool visible = cksatok(in, sp, slot);
    if (visible) {
        if (!first) text.add("\n");
        timeCell(in, t, step, text);
        detailColumns(in, sp, slot, mode, relative, text);
        if (sp->elev[slot] > passTop) {
            passTop = sp->elev[slot];
            in->pdmaxt = t;
        }
    }
    t += step;
    in->maxsunelev = savedSun;
    return visible ? 1 : 0;
}

void WriteOrbitTrack(WinpData* in, std::FILE* f, SatPosData* sp)
{
    char line[kPassDetailBytes];
    TextBuf text(line, sizeof line);
    const bool event = eventColumns(in);
    text.num("\n Year: %4i  +++> Timezone %g <+++\n", in->year, in->timezone);
    text.add(event ? titleLine(kSavedCentreLayout, kCellToSeconds) : std::string(kTrackIndent, ' ') + "\n");
    std::fprintf(f, "%s\n", line);

    const int slot = in->prime >= 0 && in->prime < kMaxSat ? in->prime : 0;
    const double t0 = ListStartMjd(in), step = detailStep(in);
    const long count = in->duration > 0.0 ? static_cast<long>(std::ceil(in->duration / step - kAlignTolerance)) : 0;
    for (long k = 0; k < count; ++k) {
        const double t = t0 + k * step;
        GetSatPos(t, in, sp, slot, 0);
        char cell[kAosTextBytes];
        aosstr(t + in->timezone / 24.0, 0.0, 0.0, cell, 0);
        cell[kCellToSeconds] = '\0';
        TextBuf row(line, sizeof line);
        row.add(cell);
        const StateFault fault = SlotFault(in, sp, slot);
        if (fault != StateFault::kNone) {
            row.num("    %s", FaultText(fault));
        } else if (!event) {
            trackColumns(sp, slot, row);
        } else {
            putNumber(kSavedCentreLayout[0], sp->ctrlon[slot], row);
            putNumber(kSavedCentreLayout[1], sp->ctrlat[slot], row);
            row.add(sp->ctrlat[slot] >= kNoCentreLine ? "   No Intersection" : " ");
        }
        std::fprintf(f, "%s\n", line);
    }
}

int saveOrbitTrack(WinpData* in, SatPosData* sp)
{
    if (!ReplaceFile(in->savename, [&](std::FILE* f) { WriteOrbitTrack(in, f, sp); })) return 1;
    in->savenew = 0;
    return 0;
}

void LocalInf(WinpData* in, char* buf, SatPosData* sp)
{
    TextBuf text(buf, kLocalInfBytes);
    if (in->skymap)
        skyInfo(in, sp, text);
    else
        worldInfo(in, sp, text);
}

void SkyAzim(WinpData* in, double t, SatPosData* sp)
{
    if (in->prime < 0 || in->prime >= kMaxSat) return;
    GetSatPos(t, in, sp, in->prime, 0);
    in->skyazim = sp->azim[in->prime];
}
