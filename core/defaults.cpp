#include "core/defaults.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "astro/timescales.h"
#include "foundation/units.h"

namespace {
// MJD of 1970 January 1, 0h UT (the origin of the system clock) and seconds per day.
constexpr double kMjdUnixEpoch = 40587.0;
using time_units::kSecondsPerDay;
using time_units::kMinutesPerDay;
using time_units::kTtMinusTai;
// The nudge that keeps UTC - TAI from rounding down.
constexpr double kUtcTaiNudge = 1e-4;
// International designator work buffers start with six blanks.
constexpr const char* kSixBlanks = "      ";

// Copies text into a fixed buffer, cut and NUL-terminated.
template <size_t N>
void setText(char (&buf)[N], const char* text)
{
    std::snprintf(buf, N, "%s", text);
}

// Fills a fixed buffer with blanks up to its terminating NUL.
template <size_t N>
void fillBlanks(char (&buf)[N])
{
    std::memset(buf, ' ', N - 1);
    buf[N - 1] = '\0';
}

// Sets the date and time fields to the local civil time of t, the zone (hours east) and the UT MJD.
void setClock(WinpData* in, std::time_t t)
{
    std::tm local{};
    if (!localtime_r(&t, &local)) {
        t = 0;
        localtime_r(&t, &local);
    }
    in->day = local.tm_mday;
    in->month = local.tm_mon + 1;
    in->year = local.tm_year + 1900;
    in->hour = local.tm_hour;
    in->minute = local.tm_min;
    in->second = local.tm_sec;
    const double localMjd = mjd(in->day, in->month, in->year, in->hour + in->minute / 60.0 + in->second / 3600.0);
    const double utMjd = static_cast<double>(t) / kSecondsPerDay + kMjdUnixEpoch;
    in->timezone = std::round((localMjd - utMjd) * kSecondsPerDay) / 3600.0;
    in->mjd = localMjd - in->timezone / 24.0;
}

// Date, time and interval.
void setTimeDefaults(WinpData* in, std::time_t now)
{
    setClock(in, now);
    in->systzflg = 1;
    in->ttut = DefTdUt(in->year);
    in->utctai = -static_cast<int>(std::lround(in->ttut - kTtMinusTai + kUtcTaiNudge));
    in->duration = 3.1;
    in->stepsec = 15.0;
    in->stepmin = 0;
    in->tstep = in->stepmin / kMinutesPerDay + in->stepsec / kSecondsPerDay;
}

// Display, observer and auxiliary inputs, file names.
void setDisplayDefaults(WinpData* in)
{
    in->fontsize = 10;
    in->txtfontsz = 10;
    in->txtbold = true;
    in->savenew = 1;
    in->tlesvnmset = 1;
    in->maptype = 3;
    in->lnchmeco = 8.8;
    in->rdvtime = 1.3;
    in->rdvsel = -1;
    in->epoch = 2000.0;
    in->mtcdist = 2.0;
    in->mtcwin = 1.0;
    in->occradec = 1;
    setText(in->tlintl, kSixBlanks);
    setText(in->cvintl, kSixBlanks);
    setText(in->locname, "Default");
    setText(in->savename, "*satsave.txt");
    setText(in->tlefile, "./visual.txt");
    setText(in->tlesave, "*orbika.tle");
    // Public GP-data query of the visual group as CSV, without a scheme (the update adds it); the
    // element reader detects the format from the content.
    setText(in->updurl, "celestrak.org/NORAD/elements/gp.php?GROUP=visual&FORMAT=csv");
}

// Modes, visibility, flare, propagation and map options.
void setOptionDefaults(WinpData* in)
{
    in->sgpslot = kNoSgpSlot;
    in->visonly = 1;
    in->knownsurf = 1;
    in->minsatelev = 10.0;
    in->maxsunelev = -6.0;
    in->irminmag = 1.0;
    in->evmaxdist = 50.0;
    in->flrmaxmag = -7.5;
    in->iropsonly = 1;
    in->sgpmode = true;
    in->maxiter = 20;
    in->inttol = 1e-8;
    in->f107 = 160.0;
    in->f107avg = 155.0;
    in->kp = 4.0;
    in->cd = 2.3;
    in->cr = 1.3;
    in->areamass = 0.01;
    in->svframe = 1;
    in->moonpert = in->sunpert = true;
    in->refract = in->extinct = true;
    in->liftdrag = 0.15;
    in->mapbg = 2;
}

// Per-slot names and flags; slot 0 takes the default spacecraft and space weather.
void setSlotDefaults(WinpData* in)
{
    for (int s = 0; s < kSlots; ++s) {
        fillBlanks(in->intldsn[s]);
        fillBlanks(in->srchname[s]);
        fillBlanks(in->satname[s]);
        in->sgp4flg[s] = 1;
    }
    in->scf107[0] = in->f107;
    in->scf107avg[0] = in->f107avg;
    in->sckp[0] = in->kp;
    in->sccd[0] = in->cd;
    in->sccr[0] = in->cr;
    in->scam[0] = in->areamass;
    in->thrsun[0] = true;
}
}  // namespace

void SetDefaults(WinpData* in, std::time_t now)
{
    *in = WinpData();  // every field not set below starts at 0 / false
    setTimeDefaults(in, now);
    setDisplayDefaults(in);
    setOptionDefaults(in);
    setSlotDefaults(in);
}

void SetDefaults(WinpData* in) { SetDefaults(in, std::time(nullptr)); }

void SetDefaults(SatPosData* sp)
{
    *sp = SatPosData();
    sp->ncircle = kCirclePoints;
    sp->mag = kNoMagnitude;
    std::fill(std::begin(sp->ctrlat), std::end(sp->ctrlat), kNoCentreLine);
}
