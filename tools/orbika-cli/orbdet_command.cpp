// orbika-cli orbdet: a circular orbit from two observations of one pass, written as the TLE
// entry the program would save (also into the file of --out). Also the helpers the orbit
// commands share.
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core/orbitdet.h"
#include "core/tlefile.h"
#include "core/tlesave.h"
#include "options.h"
#include "output.h"

namespace {
// Accepted ranges: azimuth (degrees), R.A. (hours), elevation and declination (degrees), the
// interval between the observations (seconds) and the equinox year of R.A./Dec.
constexpr double kMaxAzimuth = 360.0;
constexpr double kMaxHours = 24.0;
constexpr double kMaxElevation = 90.0;
constexpr double kMaxInterval = 86400.0;
constexpr double kMinEquinox = 1900.0;
constexpr double kMaxEquinox = 2200.0;

// One observation: azimuth and elevation (degrees) or R.A. (h.mmss) and Dec. (d.mmss).
struct Observation {
    bool radec = false;
    double a = 0.0, b = 0.0;
};

// "A,B" of option name into o; false after a message.
bool readObservation(const CommonOptions& opts, const char* name, Observation& o)
{
    const auto it = opts.extra.find(name);
    const std::string text = it == opts.extra.end() ? "" : it->second;
    const size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) {
        complain("orbdet: %s needs AZ,EL, or RA,DEC with its --radec flag", name);
        return false;
    }
    const std::string first = text.substr(0, comma), second = text.substr(comma + 1);
    if (o.radec)
        return readNumber("orbdet", "R.A.", first.c_str(), 0.0, kMaxHours, o.a) &&
               readNumber("orbdet", "Dec.", second.c_str(), -kMaxElevation, kMaxElevation, o.b);
    return readNumber("orbdet", "azimuth", first.c_str(), -kMaxAzimuth, kMaxAzimuth, o.a) &&
           readNumber("orbdet", "elevation", second.c_str(), -kMaxElevation, kMaxElevation, o.b);
}

// --dt (required, not 0) and --epoch (0 or a year) into in; false after a message.
bool readTimes(const CommonOptions& o, WinpData* in)
{
    const auto dt = o.extra.find("--dt");
    if (dt == o.extra.end() ||
        !readNumber("orbdet", "--dt", dt->second.c_str(), -kMaxInterval, kMaxInterval, in->oddeltm))
        return false;
    if (in->oddeltm == 0.0) {
        complain("orbdet: --dt needs a non-zero number of seconds");
        return false;
    }
    const auto eq = o.extra.find("--epoch");
    if (eq == o.extra.end()) return true;
    double year = 0.0;
    if (!readNumber("orbdet", "--epoch", eq->second.c_str(), 0.0, kMaxEquinox, year)) return false;
    if (year != 0.0 && year < kMinEquinox) {
        complain("orbdet: --epoch needs 0 or a year from %g to %g", kMinEquinox, kMaxEquinox);
        return false;
    }
    in->epoch = year;
    return true;
}
}  // namespace

int saveOrbit(const char* command, const CommonOptions& o, WinpData* in, int slot)
{
    const auto out = o.extra.find("--out");
    if (out == o.extra.end()) return kExitOk;
    std::snprintf(in->savename, sizeof in->savename, "%s", out->second.c_str());
    if (outputIsInput(command, in)) return kExitUsage;
    const int result = WriteElementFile(in, {slot}, out->second.c_str(), true);
    if (result == kTleSaved) return kExitOk;
    if (result == kTleNumberTooLarge)
        complain("%s: catalogue number %d does not fit a TLE (above %d); name the --out file .csv to "
                 "save the elements as OMM CSV", command, in->satno[slot], kLastAlpha5Number);
    else if (result == kTleStateVectorCsv)
        complain("%s: a state vector cannot be saved as OMM CSV; name the --out file .tle", command);
    else
        complain("%s: cannot write %s", command, out->second.c_str());
    return kExitUsage;
}

void emitOrbit(const WinpData* in, int slot, bool json, const std::string& jsonHead)
{
    std::vector<std::string> lines;
    TleEntryLines(in, slot, lines);
    if (!json) {
        for (const std::string& l : lines) emit("%s\n", l.c_str());
        emit("Semi-major axis (km): %.3f\nInclination (deg): %.4f\n", in->elsma[slot], in->elincl[slot]);
        return;
    }
    emit("{%s\"name\": %s, \"epoch_utc\": \"%s\", \"sma_km\": %.17g, \"incl_deg\": %.17g, \"tle\": [",
         jsonHead.c_str(), jsonString(in->satname[slot]).c_str(), isoTime(in->elepoch[slot]).c_str(),
         in->elsma[slot], in->elincl[slot]);
    for (size_t k = 0; k < lines.size(); ++k) emit("%s%s", k ? ", " : "", jsonString(lines[k]).c_str());
    emit("]}\n");
}

int runOrbdet(int argc, char** argv)
{
    std::vector<bool> radec;
    std::vector<char*> args = takeFlags(argc, argv, {"--radec1", "--radec2"}, radec);
    CommonOptions o;
    if (!parseCommon("orbdet", static_cast<int>(args.size()), args.data(),
                     {"--obs1", "--obs2", "--dt", "--epoch", "--out"}, o))
        return kExitUsage;
    Observation first, second;
    first.radec = radec[0];
    second.radec = radec[1];
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("orbdet", o, false, in.get());
    if (status != kExitOk) return status;
    if (!readObservation(o, "--obs1", first) || !readObservation(o, "--obs2", second) || !readTimes(o, in.get()))
        return kExitUsage;
    in->od1radec = first.radec;
    in->locaz = first.a;
    in->locel = first.b;
    in->od2radec = second.radec;
    in->locra = second.a;
    in->locdec = second.b;
    OrbitDet(in.get());
    emitOrbit(in.get(), in->prime, o.json, "");
    return saveOrbit("orbdet", o, in.get(), in->prime);
}
