// orbika-cli launch: the orbit reached from a launch site at the --start time, or, with a chosen
// satellite, at the nearby time that puts it in that satellite's orbit plane.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core/geodesy.h"
#include "core/launch.h"
#include "core/launchsites.h"
#include "core/meanmotion.h"
#include "foundation/textconv.h"
#include "options.h"
#include "output.h"

namespace {
// Accepted ranges: latitude, longitude and inclination (degrees), heights (km), cut-off time
// (minutes) and time to the rendezvous (days).
constexpr double kMaxLatitude = 90.0;
constexpr double kMaxLongitude = 360.0;
constexpr double kMaxInclination = 180.0;
constexpr double kMaxHeight = 1.0e6;
constexpr double kMaxCutoff = 60.0;
constexpr double kMaxRendezvous = 30.0;
// Name of the launched satellite.
constexpr const char* kLaunchName = "Launch";

// The launch request besides the common options.
struct LaunchInput {
    double lat = 0.0, lon = 0.0, incl = 0.0, perigee = 0.0, apogee = 0.0;
    bool south = false;
};

// --launch-site as "LAT,LON" or the beginning of a site name; false after a message.
bool readSite(const std::string& text, LaunchInput& l)
{
    const size_t comma = text.find(',');
    if (comma != std::string::npos)
        return readNumber("launch", "--launch-site latitude", text.substr(0, comma).c_str(), -kMaxLatitude,
                          kMaxLatitude, l.lat) &&
               readNumber("launch", "--launch-site longitude", text.substr(comma + 1).c_str(), -kMaxLongitude,
                          kMaxLongitude, l.lon);
    const int k = FindLaunchSite(text.c_str());
    if (k < 0) {
        complain("launch: unknown launch site '%s'", text.c_str());
        return false;
    }
    l.lat = LaunchSites()[k].lat;
    l.lon = LaunchSites()[k].lon;
    return true;
}

// The site and the orbit asked for; false after a message.
bool readLaunch(const CommonOptions& o, LaunchInput& l)
{
    std::string site, incl, perigee, apogee;
    if (!requiredOption("launch", o, "--launch-site", site) || !readSite(site, l) ||
        !requiredOption("launch", o, "--incl", incl) ||
        !readNumber("launch", "--incl", incl.c_str(), 0.0, kMaxInclination, l.incl) ||
        !requiredOption("launch", o, "--perigee", perigee) ||
        !readNumber("launch", "--perigee", perigee.c_str(), 0.0, kMaxHeight, l.perigee) ||
        !requiredOption("launch", o, "--apogee", apogee) ||
        !readNumber("launch", "--apogee", apogee.c_str(), 0.0, kMaxHeight, l.apogee))
        return false;
    if (l.apogee < l.perigee) {
        complain("launch: --apogee must not be below --perigee");
        return false;
    }
    return true;
}

// --cutoff and --rdv-time into in when given; false after a message.
bool readTimes(const CommonOptions& o, WinpData* in)
{
    const auto cutoff = o.extra.find("--cutoff"), rdv = o.extra.find("--rdv-time");
    return (cutoff == o.extra.end() ||
            readNumber("launch", "--cutoff", cutoff->second.c_str(), 0.0, kMaxCutoff, in->lnchmeco)) &&
           (rdv == o.extra.end() ||
            readNumber("launch", "--rdv-time", rdv->second.c_str(), 0.0, kMaxRendezvous, in->rdvtime));
}

// A new slot after the chosen satellites, made the prime one, asking for the orbit of l as
// SGP4 elements; the first chosen satellite, if any, is the rendezvous target.
void addLaunch(const LaunchInput& l, WinpData* in)
{
    const int p = in->nsat < kMaxSat ? in->nsat++ : kMaxSat - 1;
    in->prime = p;
    in->rdvsel = p > 0 ? 0 : -1;
    in->rdvslot = 0;
    in->lnchlat = l.lat;
    in->lnchlon = l.lon;
    in->lnchsouth = l.south;
    std::snprintf(in->satname[p], sizeof in->satname[p], "%s", kLaunchName);
    std::snprintf(in->intldsn[p], sizeof in->intldsn[p], "%11s", "");
    in->satno[p] = 0;
    in->elsetno[p] = 0;
    in->elrevno[p] = 0;
    const double a = kEarthRadiusKm + 0.5 * (l.perigee + l.apogee);
    in->elsma[p] = a;
    in->elecc[p] = 0.5 * (l.apogee - l.perigee) / a;
    in->elincl[p] = l.incl;
    in->elmm[p] = getn0(a, in->elecc[p], l.incl);
    in->elbstar[p] = in->elndot[p] = in->elnddot[p] = in->eladot[p] = 0.0;
    in->sgp4flg[p] = 1;
    in->numflg[p] = 0;
}
}  // namespace

int runLaunch(int argc, char** argv)
{
    LaunchInput l;
    std::vector<bool> south;
    std::vector<char*> args = takeFlags(argc, argv, {"--south"}, south);
    l.south = south[0];
    CommonOptions o;
    if (!parseCommon("launch", static_cast<int>(args.size()), args.data(),
                     {"--launch-site", "--incl", "--perigee", "--apogee", "--cutoff", "--rdv-time", "--out"}, o) ||
        !readLaunch(o, l))
        return kExitUsage;
    if (o.sats.size() > 1) {
        complain("launch: choose at most one rendezvous target");
        return kExitUsage;
    }
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("launch", o, false, in.get());
    if (status != kExitOk) return status;
    if (!readTimes(o, in.get())) return kExitUsage;
    addLaunch(l, in.get());
    LaunchOrb(in.get());

    char azimuth[32];
    std::snprintf(azimuth, sizeof azimuth, "%.17g", in->lnchazim);
    decdot0(azimuth);
    const std::string json = "\"azimuth_deg\": " + std::string(azimuth) + ", ";
    if (!o.json) {
        emit("Launch Azimuth (deg): %.2f\n", in->lnchazim);
        if (in->rdvsel >= 0)
            emit("Launch time: %4i-%2i-%2i  %2i:%2i:%2i\n", in->year, in->month, in->day, in->hour, in->minute,
                 in->second);
    }
    emitOrbit(in.get(), in->prime, o.json, json);
    return saveOrbit("launch", o, in.get(), in->prime);
}
