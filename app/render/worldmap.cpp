// Ground-track map helpers: background and marker colours, the shift of the world image and the
// latitude of the terminator.
#include "worldmap.h"

#include <cmath>
#include <cstring>

#include "foundation/units.h"

namespace {

using angle_units::kPi;
using angle_units::kDegToRad;
// Characters of a satellite name shown on the map and the picture.
constexpr int kNameChars = 15;
// Replacement of a vanishing denominator in the terminator formula.
constexpr double kTinyF = 1.74533e-7;

int scheme(int mapbg) { return mapbg < 0 || mapbg > 2 ? 0 : mapbg; }

}  // namespace

QColor MapBackground(int mapbg)
{
    static const QColor bg[] = {QColor(255, 255, 255), QColor(200, 200, 200), QColor(0, 0, 0)};
    return bg[scheme(mapbg)];
}

QColor NightShade(int mapbg)
{
    static const QColor shade[] = {QColor(223, 223, 223), QColor(150, 150, 150), QColor(65, 65, 65)};
    return shade[scheme(mapbg)];
}

QColor SatColour(int slot, int mapbg)
{
    static const QColor colours[] = {QColor(0, 0, 0),     QColor(255, 0, 0),   QColor(0, 0, 255),
                                     QColor(0, 255, 0),   QColor(255, 255, 0), QColor(255, 0, 255),
                                     QColor(0, 0, 255),   QColor(0, 255, 0),   QColor(255, 255, 0),
                                     QColor(255, 0, 255)};
    if (slot <= 0 || slot >= kMaxSat)
        return mapbg == 2 ? QColor(255, 255, 255) : colours[0];
    return colours[slot];
}

QString SlotLabel(const WinpData* in, int slot)
{
    return QString::fromLatin1(in->satname[slot], static_cast<int>(strnlen(in->satname[slot], kNameChars)));
}

int EarthShift(double cenlon)
{
    if (!(cenlon >= -180))
        cenlon = -180;
    if (cenlon > 360)
        return 0;
    const int c = PxRound(cenlon);
    return c >= 0 ? 2 * c : 2 * c + 720;
}

double TerminatorLat(const Vec3& s, const Vec3& g)
{
    const Vec3 h = vnorm(Vec3(s[0], s[1], 0));
    const double d = dot(h, g);
    const double a = std::fabs(d) <= 1 ? std::acos(d) : 0;
    const double b = std::fabs(d) <= 1 ? std::sin(a) : 0;
    const double c = std::fabs(s[2]) <= 1 ? std::acos(std::fabs(s[2])) : 0;
    const double e = std::asin(std::sin(c) * b);
    double f = std::cos((a - e) / 2);
    if (std::fabs(f) < 1e-10)
        f = kTinyF;
    const double hh = std::cos((a + e) / 2) * std::tan((c + kPi / 2) / 2) / f;
    // The formula gives the terminator for a Sun north of the equator; mirror it otherwise.
    const double phi = 90 - 2 * std::atan(hh) / kDegToRad;
    return s[2] < 0 ? -phi : phi;
}
