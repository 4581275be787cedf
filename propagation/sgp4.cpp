// SGP4 near-Earth model, initialisation and the common propagation steps
// (Spacetrack Report #3 as revised in AIAA 2006-6753).
#include "propagation/sgp4.h"

#include <cmath>

#include "propagation/sgp4deep.h"
#include "propagation/sgp4trig.h"

thread_local elsetrec satrec;

namespace {

using angle_units::kPi;
using angle_units::kTwoPi;
using sgp4trig::addangle;
using sgp4trig::mod2pi;

constexpr double kX2o3 = 2.0 / 3.0;

// Divisor that replaces 1 + cos(i) for inclinations within it of 180 deg.
constexpr double kIncl180Divisor = 1.5e-12;

// Orbits with a period of at least this many minutes are deep-space orbits.
constexpr double kDeepSpacePeriod = 225.0;

// Kepler solution: at most 10 iterations, tolerance 1e-12, each correction limited to 0.95.
constexpr int kKeplerIterations = 10;
constexpr double kKeplerTolerance = 1.0e-12;
constexpr double kKeplerMaxStep = 0.95;

// Earth constants of one selector.
struct GravConst {
    double tumin, radiusearthkm, xke, j2, j3, j4, j3oj2;
};

// Earth radii (km), GM (km^3/s^2) and zonal harmonics J2, J3, J4 of WGS-72 and WGS-84, and
// xke (1/min) of the old WGS-72 set, as used by the published model.
constexpr double kRadiusWgs72 = 6378.135, kMuWgs72 = 398600.8;
constexpr double kJ2Wgs72 = 0.001082616, kJ3Wgs72 = -0.00000253881, kJ4Wgs72 = -0.00000165597;
constexpr double kXkeWgs72old = 0.0743669161;
constexpr double kRadiusWgs84 = 6378.137, kMuWgs84 = 398600.5;
constexpr double kJ2Wgs84 = 0.00108262998905, kJ3Wgs84 = -0.00000253215306,
                 kJ4Wgs84 = -0.00000161098761;

// xke (1/min) from the Earth radius (km) and GM (km^3/s^2).
double xkeof(double radiuskm, double mu)
{
    return 60.0 / std::sqrt(radiuskm * radiuskm * radiuskm / mu);
}

GravConst gravconst(double radiuskm, double xke, double j2, double j3, double j4)
{
    return {1.0 / xke, radiuskm, xke, j2, j3, j4, j3 / j2};
}

// The constants of the three selectors, in selector order.
const GravConst kGrav[3] = {
    gravconst(kRadiusWgs72, kXkeWgs72old, kJ2Wgs72, kJ3Wgs72, kJ4Wgs72),
    gravconst(kRadiusWgs72, xkeof(kRadiusWgs72, kMuWgs72), kJ2Wgs72, kJ3Wgs72, kJ4Wgs72),
    gravconst(kRadiusWgs84, xkeof(kRadiusWgs84, kMuWgs84), kJ2Wgs84, kJ3Wgs84, kJ4Wgs84)};

// Constants of a selector; WGS-72 for an unknown one.
const GravConst& gravity(gravconsttype whichconst)
{
    return kGrav[whichconst >= wgs72old && whichconst <= wgs84 ? whichconst : wgs72];
}

// Epoch quantities of the initialisation (published initl).
struct EpochTerms {
    double ao, con42, cosio, cosio2, eccsq, omeosq, posq, rp, rteosq, sinio;
};

// Auxiliary epoch quantities; converts rec.no from the Kozai to the Brouwer mean motion and
// sets con41 and the sidereal time at epoch.
EpochTerms initl(const GravConst& g, double epoch, elsetrec& rec)
{
    EpochTerms e;
    e.eccsq = rec.ecco * rec.ecco;
    e.omeosq = 1.0 - e.eccsq;
    e.rteosq = std::sqrt(e.omeosq);
    e.cosio = std::cos(rec.inclo);
    e.cosio2 = e.cosio * e.cosio;

    // Un-Kozai the mean motion.
    const double ak = std::pow(g.xke / rec.no, kX2o3);
    const double d1 = 0.75 * g.j2 * (3.0 * e.cosio2 - 1.0) / (e.rteosq * e.omeosq);
    double del = d1 / (ak * ak);
    const double adel = ak * (1.0 - del * del - del * (1.0 / 3.0 + 134.0 * del * del / 81.0));
    del = d1 / (adel * adel);
    rec.no = rec.no / (1.0 + del);

    e.ao = std::pow(g.xke / rec.no, kX2o3);
    e.sinio = std::sin(rec.inclo);
    const double po = e.ao * e.omeosq;
    e.con42 = 1.0 - 5.0 * e.cosio2;
    rec.con41 = -e.con42 - e.cosio2 - e.cosio2;
    e.posq = po * po;
    e.rp = e.ao * (1.0 - rec.ecco);
    rec.method = 'n';
    rec.gsto = gstime(epoch + kSgp4EpochJd);
    return e;
}

// The long-period coefficient of the mean longitude for inclination sin/cos values.
double xlcofof(double j3oj2, double sinio, double cosio)
{
    const double num = -0.25 * j3oj2 * sinio * (3.0 + 5.0 * cosio);
    return std::fabs(cosio + 1.0) > kIncl180Divisor ? num / (1.0 + cosio) : num / kIncl180Divisor;
}

// Near-Earth secular and drag coefficients; returns xpidot (rad/min) for the deep-space setup.
// tsi = 1/(ao - s), sfour the atmosphere parameter s and qzms24 = ((q0 - s)/radius)^4.
double nearearthcoefs(const GravConst& g, const EpochTerms& e, double sfour, double qzms24,
                      elsetrec& rec)
{
    const double pinvsq = 1.0 / e.posq;
    const double tsi = 1.0 / (e.ao - sfour);
    rec.eta = e.ao * rec.ecco * tsi;
    const double etasq = rec.eta * rec.eta;
    const double eeta = rec.ecco * rec.eta;
    const double psisq = std::fabs(1.0 - etasq);
    const double coef = qzms24 * std::pow(tsi, 4.0);
    const double coef1 = coef / std::pow(psisq, 3.5);
    const double cc2 = coef1 * rec.no *
                       (e.ao * (1.0 + 1.5 * etasq + eeta * (4.0 + etasq)) +
                        0.375 * g.j2 * tsi / psisq * rec.con41 *
                            (8.0 + 3.0 * etasq * (8.0 + etasq)));
    rec.cc1 = rec.bstar * cc2;
    double cc3 = 0.0;
    if (rec.ecco > 1.0e-4) cc3 = -2.0 * coef * tsi * g.j3oj2 * rec.no * e.sinio / rec.ecco;
    rec.x1mth2 = 1.0 - e.cosio2;
    rec.cc4 = 2.0 * rec.no * coef1 * e.ao * e.omeosq *
              (rec.eta * (2.0 + 0.5 * etasq) + rec.ecco * (0.5 + 2.0 * etasq) -
               g.j2 * tsi / (e.ao * psisq) *
                   (-3.0 * rec.con41 * (1.0 - 2.0 * eeta + etasq * (1.5 - 0.5 * eeta)) +
                    0.75 * rec.x1mth2 * (2.0 * etasq - eeta * (1.0 + etasq)) *
                        std::cos(2.0 * rec.argpo)));
    rec.cc5 = 2.0 * coef1 * e.ao * e.omeosq * (1.0 + 2.75 * (etasq + eeta) + eeta * etasq);

    const double cosio4 = e.cosio2 * e.cosio2;
    const double temp1 = 1.5 * g.j2 * pinvsq * rec.no;
    const double temp2 = 0.5 * temp1 * g.j2 * pinvsq;
    const double temp3 = -0.46875 * g.j4 * pinvsq * pinvsq * rec.no;
    rec.mdot = rec.no + 0.5 * temp1 * e.rteosq * rec.con41 +
               0.0625 * temp2 * e.rteosq * (13.0 - 78.0 * e.cosio2 + 137.0 * cosio4);
    rec.argpdot = -0.5 * temp1 * e.con42 +
                  0.0625 * temp2 * (7.0 - 114.0 * e.cosio2 + 395.0 * cosio4) +
                  temp3 * (3.0 - 36.0 * e.cosio2 + 49.0 * cosio4);
    const double xhdot1 = -temp1 * e.cosio;
    rec.nodedot = xhdot1 + (0.5 * temp2 * (4.0 - 19.0 * e.cosio2) +
                            2.0 * temp3 * (3.0 - 7.0 * e.cosio2)) *
                               e.cosio;
    rec.omgcof = rec.bstar * cc3 * std::cos(rec.argpo);
    rec.xmcof = 0.0;
    if (rec.ecco > 1.0e-4) rec.xmcof = -kX2o3 * coef * rec.bstar / eeta;
    rec.nodecf = 3.5 * e.omeosq * xhdot1 * rec.cc1;
    rec.t2cof = 1.5 * rec.cc1;
    rec.xlcof = xlcofof(g.j3oj2, e.sinio, e.cosio);
    rec.aycof = -0.5 * g.j3oj2 * e.sinio;
    const double delmotemp = 1.0 + rec.eta * std::cos(rec.mo);
    rec.delmo = delmotemp * delmotemp * delmotemp;
    rec.sinmao = std::sin(rec.mo);
    rec.x7thm1 = 7.0 * e.cosio2 - 1.0;

    // Higher-order drag terms, only for the full near-Earth drag model.
    if (rec.isimp != 1) {
        const double cc1sq = rec.cc1 * rec.cc1;
        rec.d2 = 4.0 * e.ao * tsi * cc1sq;
        const double temp = rec.d2 * tsi * rec.cc1 / 3.0;
        rec.d3 = (17.0 * e.ao + sfour) * temp;
        rec.d4 = 0.5 * temp * e.ao * tsi * (221.0 * e.ao + 31.0 * sfour) * rec.cc1;
        rec.t3cof = rec.d2 + 2.0 * cc1sq;
        rec.t4cof = 0.25 * (3.0 * rec.d3 + rec.cc1 * (12.0 * rec.d2 + 10.0 * cc1sq));
        rec.t5cof = 0.2 * (3.0 * rec.d4 + 12.0 * rec.cc1 * rec.d3 + 6.0 * rec.d2 * rec.d2 +
                           15.0 * cc1sq * (2.0 * rec.d2 + cc1sq));
    }
    return rec.argpdot + rec.nodedot;
}

double square(double x) { return x * x; }

// Terms of the secular drag update: semi-major axis factor, eccentricity decrease, mean
// longitude increase.
struct DragTerms {
    double tempa, tempe, templ;
};

// Mean elements after the secular gravity and drag update at t minutes since epoch.
DragTerms secular(const elsetrec& rec, double t, MeanElements& m)
{
    const double xmdf = rec.mo + rec.mdot * t;
    const double argpdf = rec.argpo + rec.argpdot * t;
    const double nodedf = rec.nodeo + rec.nodedot * t;
    const double t2 = t * t;
    m = {rec.ecco, argpdf, rec.inclo, xmdf, nodedf + rec.nodecf * t2, rec.no};
    DragTerms d = {1.0 - rec.cc1 * t, rec.bstar * rec.cc4 * t, rec.t2cof * t2};
    if (rec.isimp == 1) return d;

    double sinmm = std::sin(xmdf), cosmdf = std::cos(xmdf);
    const double delomg = rec.omgcof * t;
    const double delmtemp = 1.0 + rec.eta * cosmdf;
    const double delm = rec.xmcof * (delmtemp * delmtemp * delmtemp - rec.delmo);
    const double temp = delomg + delm;
    m.mm = xmdf + temp;
    m.argpm = argpdf - temp;
    addangle(temp, sinmm, cosmdf);
    const double t3 = t2 * t;
    const double t4 = t3 * t;
    d.tempa = d.tempa - rec.d2 * t2 - rec.d3 * t3 - rec.d4 * t4;
    d.tempe = d.tempe + rec.bstar * rec.cc5 * (sinmm - rec.sinmao);
    d.templ = d.templ + rec.t3cof * t3 + t4 * (rec.t4cof + t * rec.t5cof);
    return d;
}

// Sine and cosine of the eccentric longitude from u = mean longitude - node and the
// long-period eccentricity vector (axnl, aynl): Newton iteration as published (at most
// kKeplerIterations steps, each limited to kKeplerMaxStep), leaving the values of the last
// iterate.
void kepler(double u, double axnl, double aynl, double& sineo1, double& coseo1)
{
    double eo1 = u;
    sineo1 = std::sin(eo1);
    coseo1 = std::cos(eo1);
    for (int ktr = 1;; ++ktr) {
        double tem5 = 1.0 - coseo1 * axnl - sineo1 * aynl;
        tem5 = (u - aynl * coseo1 + axnl * sineo1 - eo1) / tem5;
        if (std::fabs(tem5) >= kKeplerMaxStep) tem5 = tem5 > 0.0 ? kKeplerMaxStep : -kKeplerMaxStep;
        if (std::fabs(tem5) < kKeplerTolerance || ktr >= kKeplerIterations) return;
        addangle(tem5, sineo1, coseo1);
        eo1 = eo1 + tem5;
    }
}

}  // namespace

void getgravconst(gravconsttype whichconst, double& tumin, double& radiusearthkm, double& xke,
                  double& j2, double& j3, double& j4, double& j3oj2)
{
    if (whichconst < wgs72old || whichconst > wgs84) return;
    const GravConst& g = kGrav[whichconst];
    tumin = g.tumin;
    radiusearthkm = g.radiusearthkm;
    xke = g.xke;
    j2 = g.j2;
    j3 = g.j3;
    j4 = g.j4;
    j3oj2 = g.j3oj2;
}

double gstime(double jdut1)
{
    const double tut1 = (jdut1 - 2451545.0) / 36525.0;
    double temp = -6.2e-6 * tut1 * tut1 * tut1 + 0.093104 * tut1 * tut1 +
                  (876600.0 * 3600 + 8640184.812866) * tut1 + 67310.54841;  // seconds
    temp = std::fmod(temp * (kPi / 180.0) / 240.0, kTwoPi);  // 360 deg per 86400 s
    if (temp < 0.0) temp += kTwoPi;
    return temp;
}

int sgp4init(gravconsttype whichconst, bool deepspace, double epoch, double xbstar, double xecco,
             double xargpo, double xinclo, double xmo, double xno, double xnodeo, elsetrec& rec)
{
    const GravConst& g = gravity(whichconst);
    rec = elsetrec{};
    rec.method = 'n';
    rec.bstar = xbstar;
    rec.ecco = xecco;
    rec.argpo = xargpo;
    rec.inclo = xinclo;
    rec.sinio = std::sin(xinclo);
    rec.cosio = std::cos(xinclo);
    rec.mo = xmo;
    rec.no = xno;
    rec.nodeo = xnodeo;

    // Atmosphere parameters: s = 78 km and q0 = 120 km above the surface, in Earth radii.
    const double ss = 78.0 / g.radiusearthkm + 1.0;
    const double qzms2t = std::pow((120.0 - 78.0) / g.radiusearthkm, 4.0);

    rec.init = 'y';
    rec.t = 0.0;
    const EpochTerms e = initl(g, epoch, rec);
    rec.a = std::pow(rec.no * g.tumin, -kX2o3);
    rec.alta = rec.a * (1.0 + rec.ecco) - 1.0;
    rec.altp = rec.a * (1.0 - rec.ecco) - 1.0;
    rec.error = 0;
    if (e.rp < 1.0) rec.error = 5;  // perigee below the surface at epoch

    if (e.omeosq >= 0.0 || rec.no >= 0.0) {
        rec.isimp = e.rp < 220.0 / g.radiusearthkm + 1.0 ? 1 : 0;
        // For perigees below 156 km the atmosphere parameters s and q0 are altered.
        double sfour = ss;
        double qzms24 = qzms2t;
        const double perige = (e.rp - 1.0) * g.radiusearthkm;
        if (perige < 156.0) {
            sfour = perige < 98.0 ? 20.0 : perige - 78.0;
            qzms24 = std::pow((120.0 - sfour) / g.radiusearthkm, 4.0);
            sfour = sfour / g.radiusearthkm + 1.0;
        }
        // Deep space builds on the near-Earth rates and uses the simplified drag model.
        // The lunar-solar periodics are zero at epoch during initialisation.
        const bool isdeep = deepspace && kTwoPi / rec.no >= kDeepSpacePeriod;
        if (isdeep) rec.isimp = 1;
        const double xpidot = nearearthcoefs(g, e, sfour, qzms24, rec);
        if (isdeep) {
            rec.method = 'd';
            const DsCommon c = dscom(epoch, rec.ecco, rec.argpo, 0.0, rec.inclo, rec.nodeo,
                                     rec.no, rec);
            dsinit(g.xke, c, xpidot, e.eccsq, rec);
        }
    }

    if (rec.error == 0 && rec.method == 'd') {
        double r[3], v[3];
        sgp4(whichconst, rec, 0.0, r, v);
    }
    rec.init = 'n';
    return rec.error;
}

int sgp4(gravconsttype whichconst, elsetrec& rec, double tsince, double r[3], double v[3])
{
    const GravConst& g = gravity(whichconst);
    const bool deep = rec.method == 'd';
    rec.t = tsince;
    rec.error = 0;

    // Secular gravity, atmospheric drag and (deep space) lunar-solar and resonance effects.
    MeanElements m;
    const DragTerms drag = secular(rec, tsince, m);
    if (deep) dspace(tsince, rec, m);
    if (m.nm <= 0.0) {
        rec.error = 2;
        return rec.error;
    }
    // Brouwer semi-major axis (Earth radii): the epoch value unless resonance changed nm.
    const double abrouwer = m.nm == rec.no ? rec.a : std::cbrt(square(g.xke / m.nm));
    const double am = abrouwer * drag.tempa * drag.tempa;
    const double nm = g.xke / (am * std::sqrt(am));
    double em = m.em - drag.tempe;
    if (em >= 1.0 || em < -0.001 || am < 0.95) rec.error = 1;
    if (em < 1.0e-6) em = 1.0e-6;  // keeps the eccentricity positive for the divisions below
    m.mm = m.mm + rec.no * drag.templ;
    const double xlm = mod2pi(m.mm + m.argpm + m.nodem);
    const double nodem = mod2pi(m.nodem);
    const double argpm = mod2pi(m.argpm);
    const double mm = mod2pi(xlm - argpm - nodem);

    // Lunar-solar periodics.
    double ep = em, xincp = m.inclm, argpp = argpm, nodep = nodem, mp = mm;
    if (deep) {
        dpper(rec, rec.t, 'n', ep, xincp, nodep, argpp, mp);
        if (xincp < 0.0) {
            xincp = -xincp;
            nodep = nodep + kPi;
            argpp = argpp - kPi;
        }
        if (ep < 0.0 || ep > 1.0) {
            rec.error = 3;
            return rec.error;
        }
    }
    // Near Earth the inclination keeps its epoch value.
    const double sinip = deep ? std::sin(xincp) : rec.sinio, cosip = deep ? std::cos(xincp) : rec.cosio;
    if (deep) {
        rec.aycof = -0.5 * g.j3oj2 * sinip;
        rec.xlcof = xlcofof(g.j3oj2, sinip, cosip);
    }

    // Long-period periodics and Kepler's equation for the eccentric longitude.
    const double sinargp = std::sin(argpp), cosargp = std::cos(argpp);
    const double axnl = ep * cosargp;
    double temp = 1.0 / (am * (1.0 - ep * ep));
    const double aynl = ep * sinargp + temp * rec.aycof;
    const double xl = mp + argpp + nodep + temp * rec.xlcof * axnl;
    double sineo1, coseo1;
    kepler(mod2pi(xl - nodep), axnl, aynl, sineo1, coseo1);

    // Short-period preliminary quantities.
    const double ecose = axnl * coseo1 + aynl * sineo1;
    const double esine = axnl * sineo1 - aynl * coseo1;
    const double el2 = axnl * axnl + aynl * aynl;
    const double pl = am * (1.0 - el2);
    if (pl < 0.0) {
        rec.error = 6;
        return rec.error;
    }
    const double rl = am * (1.0 - ecose);
    const double rdotl = std::sqrt(am) * esine / rl;
    const double rvdotl = std::sqrt(pl) / rl;
    const double betal = std::sqrt(1.0 - el2);
    temp = esine / (1.0 + betal);
    const double sinu = am / rl * (sineo1 - aynl - axnl * temp);
    const double cosu = am / rl * (coseo1 - axnl + aynl * temp);
    const double sin2u = (cosu + cosu) * sinu;
    const double cos2u = 1.0 - 2.0 * sinu * sinu;
    temp = 1.0 / pl;
    const double temp1 = 0.5 * g.j2 * temp;
    const double temp2 = temp1 * temp;

    // Short-period periodics.
    if (deep) {
        const double cosisq = cosip * cosip;
        rec.con41 = 3.0 * cosisq - 1.0;
        rec.x1mth2 = 1.0 - cosisq;
        rec.x7thm1 = 7.0 * cosisq - 1.0;
    }
    const double mrt = rl * (1.0 - 1.5 * temp2 * betal * rec.con41) +
                       0.5 * temp1 * rec.x1mth2 * cos2u;
    const double xnode = nodep + 1.5 * temp2 * cosip * sin2u;
    const double mvt = rdotl - nm * temp1 * rec.x1mth2 * sin2u / g.xke;
    const double rvdot = rvdotl + nm * temp1 * (rec.x1mth2 * cos2u + 1.5 * rec.con41) / g.xke;

    // Orientation: argument of latitude su = atan2(sinu, cosu) plus its short-period term,
    // node, and inclination plus its short-period term.
    const double hu = std::sqrt(sinu * sinu + cosu * cosu);
    double sinsu = hu > 0.0 ? sinu / hu : 0.0, cossu = hu > 0.0 ? cosu / hu : 1.0;
    addangle(-0.25 * temp2 * rec.x7thm1 * sin2u, sinsu, cossu);
    double sini = sinip, cosi = cosip;
    addangle(1.5 * temp2 * cosip * sinip * cos2u, sini, cosi);
    const double snod = std::sin(xnode), cnod = std::cos(xnode);

    const double vkmpersec = g.radiusearthkm * g.xke / 60.0;
    const double xmx = -snod * cosi;
    const double xmy = cnod * cosi;
    const double ux = xmx * sinsu + cnod * cossu;
    const double uy = xmy * sinsu + snod * cossu;
    const double uz = sini * sinsu;
    const double vx = xmx * cossu - cnod * sinsu;
    const double vy = xmy * cossu - snod * sinsu;
    const double vz = sini * cossu;
    r[0] = mrt * ux * g.radiusearthkm;
    r[1] = mrt * uy * g.radiusearthkm;
    r[2] = mrt * uz * g.radiusearthkm;
    v[0] = (mvt * ux + rvdot * vx) * vkmpersec;
    v[1] = (mvt * uy + rvdot * vy) * vkmpersec;
    v[2] = (mvt * uz + rvdot * vz) * vkmpersec;

    if (mrt < 1.0) rec.error = 6;  // decayed: below one Earth radius
    for (int k = 0; k < 3; ++k)
        if (!std::isfinite(r[k]) || !std::isfinite(v[k])) rec.error = kSgp4NotFinite;
    return rec.error;
}
