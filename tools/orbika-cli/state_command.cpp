// orbika-cli state: the state of each chosen satellite at one instant or at a run of instants.
#include <memory>
#include <string>

#include "commands.h"
#include "core/passsearch.h"
#include "core/records.h"
#include "core/satstate.h"
#include "core/statefault.h"
#include "foundation/units.h"
#include "options.h"
#include "output.h"

namespace {
using time_units::kSecondsPerDay;
constexpr double kDefaultStep = 60.0;
// Steps (seconds) and instants accepted.
constexpr double kMaxStep = 366.0 * kSecondsPerDay;
constexpr long kMaxCount = 1000000;

// Largest characteristic length (m) accepted by --size.
constexpr double kMaxSize = 10000.0;

// One output row: a satellite at an instant, or the fault that leaves it without a state.
struct StateRow {
    double t;
    std::string name;
    StateFault fault;
    double lat, lon, height, azim, elev, range, rrate, ra, dec, sunlit, sunelev, mag;

    // True when the row has a magnitude: the prime satellite with a size, not eclipsed.
    bool hasMagnitude() const { return mag < kEclipsedMagnitude; }
};

StateRow stateRow(const WinpData* in, const SatPosData* sp, int slot, double t)
{
    return {t, SatName(in, slot), SlotFault(in, sp, slot), sp->lat[slot], sp->lon[slot], sp->height[slot],
            sp->azim[slot], sp->elev[slot], sp->range[slot], sp->rrate[slot], sp->ra[slot], sp->dec[slot],
            sp->sunlit[slot], sp->sunelev, slot == in->prime ? sp->mag : kNoMagnitude};
}

// Prints the magnitude as text: the value, "ecl." in the Earth's shadow, "-" without one; or
// as JSON, null without one.
void printMagnitude(const StateRow& r, bool json)
{
    if (r.hasMagnitude())
        emit("%.2f", r.mag);
    else
        emit("%s", json ? "null" : r.mag == kEclipsedMagnitude ? "ecl." : "-");
}

// The name with blanks replaced by '_', so that the columns stay blank-separated.
std::string columnName(std::string name)
{
    for (char& c : name)
        if (c == ' ') c = '_';
    return name;
}

void printText(const StateRow& r)
{
    emit("%s %.8f %s ", isoTime(r.t).c_str(), r.t, columnName(r.name).c_str());
    if (r.fault != StateFault::kNone) {
        emit("%s\n", FaultText(r.fault));
        return;
    }
    emit("%.6f %.6f %.4f %.6f %.6f %.4f %.6f %.6f %.6f %.6f %.6f ", r.lat, r.lon, r.height, r.azim, r.elev, r.range,
         r.rrate, r.ra, r.dec, r.sunlit, r.sunelev);
    printMagnitude(r, false);
    emit("\n");
}

void printJson(const StateRow& r, bool first)
{
    emit("%s\n  {\"utc\": \"%s\", \"mjd\": %.17g, \"name\": %s, ", first ? "" : ",", isoTime(r.t).c_str(), r.t,
         jsonString(r.name).c_str());
    if (r.fault != StateFault::kNone) {
        emit("\"lat\": null, \"lon\": null, \"height_km\": null, \"azim\": null, \"elev\": null, "
             "\"range_km\": null, \"rrate_kms\": null, \"ra\": null, \"dec\": null, \"sunlit\": null, "
             "\"sunelev\": null, \"mag\": null, \"error\": %s}",
             jsonString(FaultText(r.fault)).c_str());
        return;
    }
    emit("\"lat\": %.6f, \"lon\": %.6f, \"height_km\": %.4f, \"azim\": %.6f, \"elev\": %.6f, \"range_km\": %.4f, "
         "\"rrate_kms\": %.6f, \"ra\": %.6f, \"dec\": %.6f, \"sunlit\": %.6f, \"sunelev\": %.6f, \"mag\": ",
         r.lat, r.lon, r.height, r.azim, r.elev, r.range, r.rrate, r.ra, r.dec, r.sunlit, r.sunelev);
    printMagnitude(r, true);
    emit("}");
}

// Reads --at, --step and --count; false after a message.
bool readRun(const CommonOptions& o, double& at, double& step, long& count)
{
    CivilTime c{};
    const auto it = o.extra.find("--at");
    if (it == o.extra.end() || !parseDateTime(it->second.c_str(), c)) {
        complain("state: --at \"YYYY-MM-DD HH:MM:SS.sss\" is required");
        return false;
    }
    at = civilMjd(c, o.tz);
    step = kDefaultStep;
    count = 1;
    if (o.extra.count("--step") && !readNumber("state", "--step", o.extra.at("--step").c_str(), -kMaxStep, kMaxStep, step))
        return false;
    return !o.extra.count("--count") || readWhole("state", "--count", o.extra.at("--count").c_str(), 1, kMaxCount, count);
}

// Reads --size into charlen (0 without it); false after a message.
bool readSize(const CommonOptions& o, WinpData* in)
{
    in->charlen = 0.0;
    const auto it = o.extra.find("--size");
    return it == o.extra.end() || readNumber("state", "--size", it->second.c_str(), 0.0, kMaxSize, in->charlen);
}
}  // namespace

int runState(int argc, char** argv)
{
    CommonOptions o;
    if (!parseCommon("state", argc, argv, {"--at", "--step", "--count", "--size"}, o)) return kExitUsage;
    double at, step;
    long count;
    if (!readRun(o, at, step, count)) return kExitUsage;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("state", o, true, in.get());
    if (status != kExitOk) return status;
    if (!readSize(o, in.get())) return kExitUsage;
    auto sp = std::make_unique<SatPosData>();
    if (o.json)
        emit("[");
    else
        emit("# utc mjd name lat lon height_km azim elev range_km rrate_kms ra dec sunlit sunelev mag\n");
    bool first = true, anyState = false;
    for (long k = 0; k < count; ++k) {
        const double t = at + k * step / kSecondsPerDay;
        for (int slot = 0; slot < in->nsat; ++slot) {
            GetSatPos(t, in.get(), sp.get(), slot, 0);
            const StateRow row = stateRow(in.get(), sp.get(), slot, t);
            anyState = anyState || row.fault == StateFault::kNone;
            if (o.json)
                printJson(row, first);
            else
                printText(row);
            first = false;
        }
    }
    if (o.json) emit("\n]\n");
    return anyState ? kExitOk : kExitNoState;
}
