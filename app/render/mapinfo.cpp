// The information area under the map: date and time, the prime satellite's position, sky
// position or event geometry, look angles, name and the last field (magnitude, range rate...).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "astro/datetext.h"
#include "astro/timescales.h"
#include "core/satstate.h"
#include "core/statefault.h"
#include "core/timeset.h"
#include "foundation/textconv.h"
#include "orbikaview.h"
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
QString angle(const char* label, int mode, double value)
{
    char buf[kBufBytes];
    prpang(buf, indata->digits4, mode, value);
    return QString::fromLatin1(label) + QString::fromLatin1(buf);
}

// Colour of a value that is white when lit, yellow when moonlit under moonvis, else black.
QColor litColour(int p)
{
    if (satps->sunlit[p] >= 0)
        return kWhite;
    return indata->moonvis && satps->moonlit[p] > 0 ? kYellow : kBlack;
}

// Doppler shift (Hz) of the nominal frequency for the prime's range rate.
double dopplerShift(int p)
{
    const double b = std::clamp(satps->rrate[p] / kLightSpeed, -kMaxBeta, kMaxBeta);
    return indata->dopfreq * (std::sqrt((1 - b) / (1 + b)) - 1);
}

class InfoWriter {
public:
    InfoWriter(QPainter& painter, int ascent) : p(painter), a(ascent) {}
    void put(int col, int row, const QString& text) { p.drawText(kCol[col], a + kRowOffset[row], text); }
    void pen(const QColor& c) { p.setPen(c); }
    QPainter& painter() { return p; }

private:
    QPainter& p;
    int a;
};

void timeColumn(InfoWriter& w)
{
    w.pen(kWhite);
    w.put(0, 0, PlotTimeText(indata->mjd));
    w.put(0, 1, fmt("TimeZone: %g", indata->timezone));
    w.put(0, 2, indata->rtmode ? QStringLiteral("R/T") : fmt("Year:%5i", indata->dspyear));
}

void positionColumn(InfoWriter& w, int p)
{
    w.pen(satps->height[p] < 0 ? kBlack : kWhite);
    w.put(1, 0, angle("Lat  :", indata->dmsflg, satps->lat[p]));
    w.put(1, 1, angle("Lng :", indata->dmsflg, satps->lon[p]));
    w.put(1, 2, fmt("Height:%8.1lf km", satps->height[p]));
}

// Column 300 for transits, occultations and flares.
void eventColumn(InfoWriter& w, int p)
{
    const bool hit = satps->ctrlat[p] < kNoCentreLine;
    const bool located = indata->occmode > 0 || indata->knownsurf > 0;
    if (!hit) {
        w.put(2, 0, QStringLiteral("No Intersection"));
    } else if (located) {
        w.put(2, 0, angle("Lat :", indata->dmsflg, satps->ctrlat[p]));
        w.put(2, 1, angle("Lng :", indata->dmsflg, satps->ctrlon[p]));
    } else if (indata->solpanel) {
        w.put(2, 0, QStringLiteral("Solar Panel"));
        w.put(2, 1, angle("Ang.:", 0, indata->flrpitch));
    } else if (indata->knownsurf == kUnknownLocalSurface) {
        w.put(2, 0, MirrorYawText());
        w.put(2, 1, MirrorPitchText());
    } else {
        w.put(2, 0, angle("R.A.:", kHmsAngle, indata->flryaw));
        w.put(2, 1, angle("Dec.:", kDmsAngle, indata->flrpitch));
    }
    static const char* const modes[] = {"", "Sun Transit", "Moon Transit", "Occultation"};
    const int occ = indata->occmode;
    w.pen(kRed);
    if (occ > 0 && occ <= 3)
        w.put(2, 2, QString::fromLatin1(modes[occ]));
    else
        w.put(2, 2, indata->knownsurf < 1 ? QStringLiteral("Flare Angle") : QStringLiteral("Flare Location"));
}

void eclipseColumn(InfoWriter& w)
{
    w.put(2, 0, fmt("S/M Ang.:%7.2lf", indata->smang));
    const int type = indata->ecltype;
    if (type < 1) {
        w.put(2, 1, QStringLiteral("No Eclipse"));
        return;
    }
    w.put(2, 1, indata->charlen > 0 ? fmt("Ecl.Pow:%6.2lf%%", indata->eclpow * 100)
                                    : fmt("Ecl.Mag.:%7.3lf", indata->eclmag));
    static const char* const kinds[] = {"Partial Ecl.", "Total Ecl.", "Annular Ecl."};
    w.pen(kRed);
    w.put(2, 2, QString::fromLatin1(kinds[std::min(type, 3) - 1]));
}

void skyColumn(InfoWriter& w, int p, bool relative)
{
    QColor c = relative ? kWhite : litColour(p);
    if (satps->height[p] < 0)
        c = kBlack;
    w.pen(c);
    if (indata->occmode > 0 || indata->flares) {
        eventColumn(w, p);
    } else if (indata->eclchk) {
        eclipseColumn(w);
    } else if (relative) {
        w.put(2, 0, angle("Lat :", indata->dmsflg, satps->ra[p]));
        w.put(2, 1, angle("Lng :", indata->dmsflg, satps->dec[p]));
        w.put(2, 2, fmt("Hgt:%8.1lf km", satps->sunlit[p]));
    } else {
        w.put(2, 0, angle("R.A.:", kHmsAngle, satps->ra[p]));
        w.put(2, 1, angle("Dec.:", kDmsAngle, satps->dec[p]));
        w.put(2, 2, fmt("SatSun:%7.1lf", satps->sunlit[p]));
    }
}

void lookColumn(InfoWriter& w, int p, bool relative)
{
    const double elev = ElvRefr(indata, satps->elev[p]);
    const bool white = relative ? cksatok(indata, satps, p) : elev >= 0;
    w.pen(white ? kWhite : kBlack);
    w.put(3, 0, fmt("Azim.:%7.2lf", satps->azim[p]));
    w.put(3, 1, fmt("Elev.:%7.2lf", elev));
    w.put(3, 2, fmt("Range:%8.1lf km", satps->range[p]));
}

// The last field: magnitude or event distance when shown, else flare angle, Doppler shift,
// cylinder angle or range rate.
void lastField(InfoWriter& w, int p, bool relative)
{
    const bool hit = satps->ctrlat[p] < kNoCentreLine;
    const bool transit = indata->occmode > 0 && hit;
    const bool knownFlare = indata->flares && indata->knownsurf > 0 && hit;
    if ((indata->charlen > 0 && !relative) || transit || knownFlare) {
        w.pen(litColour(p));
        const bool flareMag = indata->iridflg && indata->iridmode < 3 && indata->charlen > 0;
        if (transit)
            w.put(4, 2, fmt("dst:%8.1lf km", satps->mag));
        else if (knownFlare && !flareMag)
            w.put(4, 2, fmt("FlrAng:%7.2lf", indata->flrang));
        else
            w.put(4, 2, satps->mag == kEclipsedMagnitude ? QStringLiteral("Mag: ecl.") : fmt("Mag:%4.1lf", satps->mag));
        return;
    }
    w.pen(kWhite);
    if (indata->iridmode == 3 && hit)
        w.put(4, 2, fmt("FlrAng:%7.2lf", indata->flrang));
    else if (indata->dopfreq != 0)
        w.put(4, 2, fmt("Hz: %g", dopplerShift(p)));
    else if (indata->cylflare && hit && indata->flares > 0)
        w.put(4, 2, fmt("CylAng:%7.2lf", indata->flrang));
    else
        w.put(4, 2, fmt("Rate:%7.3lf km/s", satps->rrate[p]));
}

void nameColumn(InfoWriter& w, int p, bool relative)
{
    QPainter& painter = w.painter();
    painter.setBackgroundMode(Qt::OpaqueMode);
    painter.setBackground(indata->mapbg == 2 ? kBlack : kWhite);
    w.pen(SatColour(p, indata->mapbg));
    w.put(4, 0, SlotLabel(p));
    if (relative) {
        const int second = SecondSlot(indata);
        w.pen(SatColour(second, indata->mapbg));
        w.put(4, 1, SlotLabel(second));
    }
    painter.setBackgroundMode(Qt::TransparentMode);
    if (!relative) {
        w.pen(kWhite);
        w.put(4, 1, fmt("ObsSun:%7.1lf", satps->sunelev));
    }
}

}  // namespace

// Local date and time of mjd: month, day and time to the second (tenths for short steps);
// stores the year in dspyear.
QString PlotTimeText(double mjd)
{
    int day, month, year, h, m;
    double s;
    caltime(mjd + indata->timezone / 24, day, month, year, h, m, s);
    indata->dspyear = year;
    const bool tenths = indata->tstep < kOneSecond;
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

bool MirrorAnglesShown()
{
    return indata->occmode <= 0 && indata->flares && indata->knownsurf == kUnknownLocalSurface;
}

QString MirrorYawText() { return fmt("Y:%7.1lf", indata->flryaw); }

QString MirrorPitchText() { return fmt("P:%7.1lf", indata->flrpitch); }

void OrbikaView::drawInfo(QPainter& painter)
{
    QFont font(QStringLiteral("Helvetica"), indata->txtfontsz);
    font.setWeight(indata->txtbold ? QFont::Bold : QFont::Normal);
    painter.setFont(font);
    InfoWriter w(painter, QFontMetrics(font).ascent());
    timeColumn(w);
    if (indata->nsat <= 0) {
        w.pen(kRed);
        w.put(4, 0, QStringLiteral("*** No Satellite ***"));
        return;
    }
    const int p = std::clamp(indata->prime, 0, kMaxSat - 1);
    const bool relative = RelativeMode(indata);
    const StateFault fault = SlotFault(indata, satps, p);
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
