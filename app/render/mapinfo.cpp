// The information area under the map: date and time, the prime satellite's position, sky
// position or event geometry, look angles, name and the last field (magnitude, range rate...).
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "astro/datetext.h"
#include "astro/timescales.h"
#include "core/satstate.h"
#include "core/statefault.h"
#include "core/timeset.h"
#include "foundation/textconv.h"
#include "mapinfo.h"
#include "worldmap.h"

namespace {

// Columns and row offsets below the map of the information area, pixels.
constexpr int kCol[] = {10, 150, 300, 430, 590};
constexpr int kRowOffset[] = {367, 389, 411};
// Time steps below one second (days) show tenths of seconds.
constexpr double kOneSecond = 1.157407407e-05;
// Speed of light, km/s; largest velocity fraction of the Doppler shift.
constexpr double kLightSpeed = 299792.458;
constexpr double kMaxBeta = 0.99;
constexpr int kBufBytes = 64;
// Angle formats of prpang: R.A. already h.mmss, Dec. already d.mmss.
constexpr int kHmsAngle = -2;
constexpr int kDmsAngle = -1;

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kYellow(255, 255, 0);
const QColor kRed(255, 0, 0);

// Text of a printf format, decimal commas turned into points.
template <typename... Args>
QString fmt(const char* format, Args... args)
{
    char buf[kBufBytes];
    std::snprintf(buf, sizeof buf, format, args...);
    decdot(buf);
    return QString::fromLatin1(buf);
}

// Label followed by one angle field.
QString angle(const WinpData* in, const char* label, int mode, double value)
{
    char buf[kBufBytes];
    prpang(buf, in->digits4, mode, value);
    return QString::fromLatin1(label) + QString::fromLatin1(buf);
}

// Colour of a value that is white when lit, yellow when moonlit under moonvis, else black.
QColor litColour(const WinpData* in, const SatPosData* sp, int p)
{
    if (sp->sunlit[p] >= 0)
        return kWhite;
    return in->moonvis && sp->moonlit[p] > 0 ? kYellow : kBlack;
}

// Doppler shift (Hz) of the nominal frequency for the prime's range rate.
double dopplerShift(const WinpData* in, const SatPosData* sp, int p)
{
    const double b = std::clamp(sp->rrate[p] / kLightSpeed, -kMaxBeta, kMaxBeta);
    return in->dopfreq * (std::sqrt((1 - b) / (1 + b)) - 1);
}

// Writes the fields of the strip for the records in and sp.
class InfoWriter {
public:
    InfoWriter(QPainter& painter, int ascent, const WinpData* in, const SatPosData* sp)
        : in(in), sp(sp), p(painter), a(ascent)
    {
    }
    void put(int col, int row, const QString& text) { p.drawText(kCol[col], a + kRowOffset[row], text); }
    void pen(const QColor& c) { p.setPen(c); }
    QPainter& painter() { return p; }
    // Field text: a label and one angle in the settings' format.
    QString angle(const char* label, int mode, double value) const { return ::angle(in, label, mode, value); }

    const WinpData* const in;
    const SatPosData* const sp;

private:
    QPainter& p;
    int a;
};

void timeColumn(InfoWriter& w)
{
    w.pen(kWhite);
    w.put(0, 0, PlotTimeText(w.in, w.in->mjd));
    w.put(0, 1, fmt("TimeZone: %g", w.in->timezone));
    w.put(0, 2, w.in->rtmode ? QStringLiteral("R/T") : fmt("Year:%5i", PlotYear(w.in, w.in->mjd)));
}

void positionColumn(InfoWriter& w, int p)
{
    w.pen(w.sp->height[p] < 0 ? kBlack : kWhite);
    w.put(1, 0, w.angle("Lat  :", w.in->dmsflg, w.sp->lat[p]));
    w.put(1, 1, w.angle("Lng :", w.in->dmsflg, w.sp->lon[p]));
    w.put(1, 2, fmt("Height:%8.1lf km", w.sp->height[p]));
}

// Column 300 for transits, occultations and flares.
void eventColumn(InfoWriter& w, int p)
{
    const bool hit = w.sp->ctrlat[p] < kNoCentreLine;
    const bool located = w.in->occmode > 0 || w.in->knownsurf > 0;
    if (!hit) {
        w.put(2, 0, QStringLiteral("No Intersection"));
    } else if (located) {
        w.put(2, 0, w.angle("Lat :", w.in->dmsflg, w.sp->ctrlat[p]));
        w.put(2, 1, w.angle("Lng :", w.in->dmsflg, w.sp->ctrlon[p]));
    } else if (w.in->solpanel) {
        w.put(2, 0, QStringLiteral("Solar Panel"));
        w.put(2, 1, w.angle("Ang.:", 0, w.in->flrpitch));
    } else if (w.in->knownsurf == kUnknownLocalSurface) {
        w.put(2, 0, MirrorYawText(w.in));
        w.put(2, 1, MirrorPitchText(w.in));
    } else {
        w.put(2, 0, w.angle("R.A.:", kHmsAngle, w.in->flryaw));
        w.put(2, 1, w.angle("Dec.:", kDmsAngle, w.in->flrpitch));
    }
    static const char* const modes[] = {"", "Sun Transit", "Moon Transit", "Occultation"};
    const int occ = w.in->occmode;
    w.pen(kRed);
    if (occ > 0 && occ <= 3)
        w.put(2, 2, QString::fromLatin1(modes[occ]));
    else
        w.put(2, 2, w.in->knownsurf < 1 ? QStringLiteral("Flare Angle") : QStringLiteral("Flare Location"));
}

void eclipseColumn(InfoWriter& w)
{
    w.put(2, 0, fmt("S/M Ang.:%7.2lf", w.in->smang));
    const int type = w.in->ecltype;
    if (type < 1) {
        w.put(2, 1, QStringLiteral("No Eclipse"));
        return;
    }
    w.put(2, 1, w.in->charlen > 0 ? fmt("Ecl.Pow:%6.2lf%%", w.in->eclpow * 100)
                                    : fmt("Ecl.Mag.:%7.3lf", w.in->eclmag));
    static const char* const kinds[] = {"Partial Ecl.", "Total Ecl.", "Annular Ecl."};
    w.pen(kRed);
    w.put(2, 2, QString::fromLatin1(kinds[std::min(type, 3) - 1]));
}

void skyColumn(InfoWriter& w, int p, bool relative)
{
    QColor c = relative ? kWhite : litColour(w.in, w.sp, p);
    if (w.sp->height[p] < 0)
        c = kBlack;
    w.pen(c);
    if (w.in->occmode > 0 || w.in->flares) {
        eventColumn(w, p);
    } else if (w.in->eclchk) {
        eclipseColumn(w);
    } else if (relative) {
        w.put(2, 0, w.angle("Lat :", w.in->dmsflg, w.sp->ra[p]));
        w.put(2, 1, w.angle("Lng :", w.in->dmsflg, w.sp->dec[p]));
        w.put(2, 2, fmt("Hgt:%8.1lf km", w.sp->sunlit[p]));
    } else {
        w.put(2, 0, w.angle("R.A.:", kHmsAngle, w.sp->ra[p]));
        w.put(2, 1, w.angle("Dec.:", kDmsAngle, w.sp->dec[p]));
        w.put(2, 2, fmt("SatSun:%7.1lf", w.sp->sunlit[p]));
    }
}

void lookColumn(InfoWriter& w, int p, bool relative)
{
    const double elev = ElvRefr(w.in, w.sp->elev[p]);
    const bool white = relative ? cksatok(w.in, w.sp, p) : elev >= 0;
    w.pen(white ? kWhite : kBlack);
    w.put(3, 0, fmt("Azim.:%7.2lf", w.sp->azim[p]));
    w.put(3, 1, fmt("Elev.:%7.2lf", elev));
    w.put(3, 2, fmt("Range:%8.1lf km", w.sp->range[p]));
}

// The last field: magnitude or event distance when shown, else flare angle, Doppler shift,
// cylinder angle or range rate.
void lastField(InfoWriter& w, int p, bool relative)
{
    const bool hit = w.sp->ctrlat[p] < kNoCentreLine;
    const bool transit = w.in->occmode > 0 && hit;
    const bool knownFlare = w.in->flares && w.in->knownsurf > 0 && hit;
    if ((w.in->charlen > 0 && !relative) || transit || knownFlare) {
        w.pen(litColour(w.in, w.sp, p));
        const bool flareMag = w.in->iridflg && w.in->iridmode < 3 && w.in->charlen > 0;
        if (transit)
            w.put(4, 2, fmt("dst:%8.1lf km", w.sp->mag));
        else if (knownFlare && !flareMag)
            w.put(4, 2, fmt("FlrAng:%7.2lf", w.in->flrang));
        else
            w.put(4, 2, w.sp->mag == kEclipsedMagnitude ? QStringLiteral("Mag: ecl.") : fmt("Mag:%4.1lf", w.sp->mag));
        return;
    }
    w.pen(kWhite);
    if (w.in->iridmode == 3 && hit)
        w.put(4, 2, fmt("FlrAng:%7.2lf", w.in->flrang));
    else if (w.in->dopfreq != 0)
        w.put(4, 2, fmt("Hz: %g", dopplerShift(w.in, w.sp, p)));
    else if (w.in->cylflare && hit && w.in->flares > 0)
        w.put(4, 2, fmt("CylAng:%7.2lf", w.in->flrang));
    else
        w.put(4, 2, fmt("Rate:%7.3lf km/s", w.sp->rrate[p]));
}

void nameColumn(InfoWriter& w, int p, bool relative)
{
    QPainter& painter = w.painter();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(w.in->mapbg == 2 ? kBlack : kWhite);
    w.pen(SatColour(p, w.in->mapbg));
    w.put(4, 0, SlotLabel(w.in, p));
    if (relative) {
        const int second = SecondSlot(w.in);
        w.pen(SatColour(second, w.in->mapbg));
        w.put(4, 1, SlotLabel(w.in, second));
    }
    painter.setBackgroundMode(Qt::TransparentMode);
    if (!relative) {
        w.pen(kWhite);
        w.put(4, 1, fmt("ObsSun:%7.1lf", w.sp->sunelev));
    }
}

}  // namespace

QString PlotTimeText(const WinpData* in, double mjd)
{
    int day, month, year, h, m;
    double s;
    caltime(mjd + in->timezone / 24, day, month, year, h, m, s);
    const bool tenths = in->tstep < kOneSecond;
    if (!tenths)
        s = std::trunc(s + 0.4999);
    if (s >= (tenths ? 59.95 : 60.0)) {
        s = 0;
        if (++m == 60 && h < 24) {
            m = 0;
            ++h;
        }
    }
    char mon[4];
    GetMonth(month, mon);
    char buf[48];
    if (tenths)
        std::snprintf(buf, sizeof buf, "%s %2i  %2i:%02i:%4.1lf", mon, day, h, m, s);
    else
        std::snprintf(buf, sizeof buf, "%s %2i  %2i:%02i:%02i", mon, day, h, m, int(s));
    decdot(buf);
    return QString::fromLatin1(buf);
}

int PlotYear(const WinpData* in, double mjd)
{
    int day, month, year, h, m;
    double s;
    caltime(mjd + in->timezone / 24, day, month, year, h, m, s);
    return year;
}

bool MirrorAnglesShown(const WinpData* in)
{
    return in->occmode <= 0 && in->flares && in->knownsurf == kUnknownLocalSurface;
}

QString MirrorYawText(const WinpData* in) { return fmt("Y:%7.1lf", in->flryaw); }

QString MirrorPitchText(const WinpData* in) { return fmt("P:%7.1lf", in->flrpitch); }

void DrawMapInfo(QPainter& painter, const WinpData* in, const SatPosData* sp)
{
    QFont font(QStringLiteral("Helvetica"), in->txtfontsz);
    font.setWeight(in->txtbold ? QFont::Bold : QFont::Normal);
    painter.setFont(font);
    InfoWriter w(painter, QFontMetrics(font).ascent(), in, sp);
    timeColumn(w);
    if (in->nsat <= 0) {
        w.pen(kRed);
        w.put(4, 0, QStringLiteral("*** No Satellite ***"));
        return;
    }
    const int p = std::clamp(in->prime, 0, kMaxSat - 1);
    const bool relative = RelativeMode(in);
    const StateFault fault = SlotFault(in, sp, p);
    if (fault != StateFault::kNone) {
        // No numbers of a state the satellite does not have: only the word and its name.
        w.pen(kRed);
        w.put(1, 0, QString::fromLatin1(FaultText(fault)));
        nameColumn(w, p, relative);
        return;
    }
    positionColumn(w, p);
    skyColumn(w, p, relative);
    lookColumn(w, p, relative);
    nameColumn(w, p, relative);
    lastField(w, p, relative);
}
