// orbika-cli sgp4 FILE [--wgs84] [--no-sdp4] [--json]: SGP4/SDP4 states of every entry of an
// element file (TLE or GP data), through the program's element reader and slot propagation.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core/elementreader.h"
#include "core/records.h"
#include "core/satsgp4.h"
#include "foundation/textconv.h"
#include "foundation/units.h"
#include "output.h"
#include "sgp4_reader.h"

namespace {

using time_units::kMinutesPerDay;
// Slot of the settings record used for the propagation.
constexpr int kSlot = 0;

struct Options {
    const char* file = nullptr;
    bool wgs84 = false;
    bool sdp4 = true;
    bool json = false;
    bool strict = false;
};

// One propagated state: time (min), position (km), velocity (km/s).
struct Row {
    double t;
    Vec3 r, v;
};

// The states of one entry and, when propagation failed, the code and time of the failure.
struct Result {
    int satno = 0;
    std::vector<Row> rows;
    int error = 0;
    double errortime = 0.0;
};

bool parseOptions(int argc, char** argv, Options& o)
{
    for (int i = 0; i < argc; ++i) {
        const char* a = argv[i];
        if (std::strcmp(a, "--wgs84") == 0) {
            o.wgs84 = true;
        } else if (std::strcmp(a, "--no-sdp4") == 0) {
            o.sdp4 = false;
        } else if (std::strcmp(a, "--json") == 0) {
            o.json = true;
        } else if (std::strcmp(a, "--strict") == 0) {
            o.strict = true;
        } else if (a[0] == '-' && a[1] != '\0') {
            complain("sgp4: unknown option %s", a);
            return false;
        } else if (o.file) {
            complain("sgp4: more than one file given (%s)", a);
            return false;
        } else {
            o.file = a;
        }
    }
    if (!o.file) complain("sgp4: no TLE file given");
    return o.file != nullptr;
}

// Propagates an entry at its times until the first failure.
Result propagate(WinpData* in, const Entry& e)
{
    Result res;
    res.satno = e.tle.satno;
    StoreTle(in, kSlot, e.tle);
    in->sgpslot = kNoSgpSlot;
    for (const double t : e.times) {
        Row row{t, Vec3(), Vec3()};
        const int code = Sgp4(in, t / kMinutesPerDay, kSlot, row.r, row.v);
        if (code != 0) {
            res.error = code;
            res.errortime = t;
            break;
        }
        res.rows.push_back(row);
    }
    return res;
}

void printText(const Result& res)
{
    emit("%d xx\n", res.satno);
    for (const Row& w : res.rows)
        emit("%17.8f%17.8f%17.8f%17.8f%13.9f%13.9f%13.9f\n", w.t, w.r[0], w.r[1], w.r[2], w.v[0],
             w.v[1], w.v[2]);
    if (res.error != 0) emit("# error %d at %.8f\n", res.error, res.errortime);
}

// A JSON number with the given decimals; null for values that are not finite.
std::string jsonnumber(double x, int decimals)
{
    if (!std::isfinite(x)) return "null";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, x);
    decdot0(buf);
    return buf;
}

void printJson(const Result& res, bool first)
{
    emit("%s{\"satnum\": %d, \"rows\": [", first ? "" : ",\n", res.satno);
    for (size_t k = 0; k < res.rows.size(); ++k) {
        const Row& w = res.rows[k];
        emit("%s{\"tsince\": %s, \"x\": %s, \"y\": %s, \"z\": %s, \"vx\": %s, \"vy\": %s, "
             "\"vz\": %s}",
             k ? ", " : "", jsonnumber(w.t, 8).c_str(), jsonnumber(w.r[0], 8).c_str(),
             jsonnumber(w.r[1], 8).c_str(), jsonnumber(w.r[2], 8).c_str(),
             jsonnumber(w.v[0], 9).c_str(), jsonnumber(w.v[1], 9).c_str(),
             jsonnumber(w.v[2], 9).c_str());
    }
    emit("]");
    if (res.error != 0)
        emit(", \"error\": {\"code\": %d, \"tsince\": %s}", res.error,
             jsonnumber(res.errortime, 8).c_str());
    emit("}");
}

}  // namespace

int runSgp4(int argc, char** argv)
{
    Options o;
    if (!parseOptions(argc, argv, o)) return 2;
    ElementReader reader(o.file);
    const std::string problem = ElementFileProblem(reader, o.file);
    if (!problem.empty()) {
        complain("sgp4: %s", problem.c_str());
        return 2;
    }

    reader.setStrict(o.strict);
    std::unique_ptr<WinpData> in = std::make_unique<WinpData>();
    in->gravflg = o.wgs84 ? 1 : 0;
    in->sgpmode = o.sdp4;
    if (o.json) emit("[");
    ElementEntry e;
    Entry entry;
    for (bool first = true; reader.next(e);) {
        if (!makeEntry(e, entry)) continue;
        const Result res = propagate(in.get(), entry);
        if (o.json)
            printJson(res, first);
        else
            printText(res);
        first = false;
    }
    if (o.json) emit("]\n");
    for (const std::string& text : reader.problems()) complain("%s", text.c_str());
    return 0;
}
