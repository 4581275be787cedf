// orbika-cli match: the satellites of the TLE file that came near an observed point of the sky
// around the --start time.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core/match.h"
#include "core/records.h"
#include "options.h"
#include "output.h"

namespace {
// Accepted ranges: azimuth and position angle (degrees), R.A. (hours), elevation and
// declination (degrees), distance (degrees) and half window (minutes).
constexpr double kMaxAngle = 360.0;
constexpr double kMaxHours = 24.0;
constexpr double kMaxElevation = 90.0;
constexpr double kMaxDistance = 180.0;
constexpr double kMaxWindow = 1440.0;

// The command's inputs besides the common options.
struct MatchInput {
    bool radec = false, bright = false, direction = false;
    double a = 0.0, b = 0.0;        // azimuth and elevation, or R.A. h.mmss and Dec. d.mmss
    double dist = 0.0, window = 0.0, dir = 0.0;
};

// "A,B" of --center into m; false after a message.
bool readCentre(const std::string& text, MatchInput& m)
{
    const size_t comma = text.find(',');
    if (comma == std::string::npos || text.find(',', comma + 1) != std::string::npos) {
        complain("match: --center needs AZ,EL or, with --radec, RA,DEC");
        return false;
    }
    const std::string first = text.substr(0, comma), second = text.substr(comma + 1);
    if (m.radec)
        return readNumber("match", "--center R.A.", first.c_str(), 0.0, kMaxHours, m.a)
               && readNumber("match", "--center Dec.", second.c_str(), -kMaxElevation, kMaxElevation, m.b);
    return readNumber("match", "--center azimuth", first.c_str(), -kMaxAngle, kMaxAngle, m.a)
           && readNumber("match", "--center elevation", second.c_str(), -kMaxElevation, kMaxElevation, m.b);
}

// Reads the match options into m; false after a message.
bool readMatchOptions(const CommonOptions& o, MatchInput& m)
{
    std::string centre, dist, window;
    if (!requiredOption("match", o, "--center", centre) || !readCentre(centre, m)
        || !requiredOption("match", o, "--max-dist", dist)
        || !readNumber("match", "--max-dist", dist.c_str(), 0.0, kMaxDistance, m.dist)
        || !requiredOption("match", o, "--window", window)
        || !readNumber("match", "--window", window.c_str(), 0.0, kMaxWindow, m.window))
        return false;
    const auto it = o.extra.find("--direction");
    m.direction = it != o.extra.end();
    return !m.direction || readNumber("match", "--direction", it->second.c_str(), -kMaxAngle, kMaxAngle, m.dir);
}

void applyMatchInput(const MatchInput& m, WinpData* in)
{
    in->occra = m.a;
    in->occdec = m.b;
    in->occradec = m.radec ? 1 : 0;
    in->mtcdist = m.dist;
    in->mtcwin = m.window;
    in->mtcdir = m.dir;
    in->mtcdirflg = m.direction ? 1 : 0;
    in->mtcbright = m.bright;
    in->mtcodflg = false;
}

void printJson(const MatchResult& r)
{
    emit("{\"checked\": %ld, \"more_possible\": %s, \"matches\": [", r.checked, r.full ? "true" : "false");
    for (size_t k = 0; k < r.found.size(); ++k) {
        const MatchFound& f = r.found[k];
        emit("%s\n  {\"norad\": %d, \"designator\": %s, \"name\": %s, \"inclination\": %.4f, \"perigee_km\": %.3f, "
             "\"apogee_km\": %.3f, \"utc\": \"%s\", \"mjd\": %.17g}",
             k ? "," : "", f.satno, jsonString(f.designator).c_str(), jsonString(f.name).c_str(), f.incl, f.perigee,
             f.apogee, isoTime(f.t).c_str(), f.t);
    }
    emit("%s]}\n", r.found.empty() ? "" : "\n");
}
}  // namespace

int runMatch(int argc, char** argv)
{
    MatchInput m;
    std::vector<bool> flags;
    std::vector<char*> args = takeFlags(argc, argv, {"--radec", "--bright"}, flags);
    m.radec = flags[0];
    m.bright = flags[1];
    CommonOptions o;
    if (!parseCommon("match", static_cast<int>(args.size()), args.data(),
                     {"--center", "--max-dist", "--window", "--direction"}, o)
        || !readMatchOptions(o, m))
        return kExitUsage;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("match", o, false, in.get());
    if (status != kExitOk) return status;
    if (checkTleFile(in.get()) != kExitOk) return kExitUsage;
    applyMatchInput(m, in.get());
    auto sp = std::make_unique<SatPosData>();
    if (o.json) {
        const MatchResult r = FindMatches(in.get(), sp.get());
        if (!r.opened) {
            complain("match: cannot open TLE file %s", in->tlefile);
            return kExitUsage;
        }
        printJson(r);
        return kExitOk;
    }
    auto out = std::make_unique<WoutData>();
    const int result = SatMatch(in.get(), out.get(), sp.get());
    emitPage(out.get());
    return result == 0 ? kExitOk : kExitUsage;
}
