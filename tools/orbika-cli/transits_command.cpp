// orbika-cli transits: the Sun or Moon transits (or the occultations of a sky position) of the
// chosen satellite as the event page of the pass list, or as JSON events.
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core/iridium.h"
#include "core/occtrans.h"
#include "core/passpage.h"
#include "core/passsearch.h"
#include "core/records.h"
#include "options.h"
#include "output.h"

namespace {
// Largest centre-line distance accepted, km.
constexpr double kMaxDistance = 50000.0;
// Ranges of the target position: R.A. h.mmss, Dec. d.mmss.
constexpr double kMaxRa = 24.0;
constexpr double kMaxDec = 90.0;

// Occultation target of --body: 1 Sun, 2 Moon, 3 a sky position; 0 after a message.
int readBody(const CommonOptions& o)
{
    const auto body = o.extra.find("--body");
    if (body == o.extra.end()) {
        complain("transits: choose the body with --body sun|moon|star");
        return 0;
    }
    if (body->second == "sun") return kSunTarget;
    if (body->second == "moon") return kMoonTarget;
    if (body->second == "star") return kFixedTarget;
    complain("transits: --body needs sun, moon or star");
    return 0;
}

// Event settings from the options: target, its position and the largest distance.
bool applyEventOptions(const CommonOptions& o, WinpData* in)
{
    in->iridmode = kTransitMode;
    in->flares = 0;
    in->occmode = readBody(o);
    if (in->occmode == 0) return false;
    if (in->occmode == kFixedTarget) {
        if (!o.extra.count("--ra") || !o.extra.count("--dec")) {
            complain("transits: --body star needs --ra H.MMSS and --dec D.MMSS");
            return false;
        }
        if (!readNumber("transits", "--ra", o.extra.at("--ra").c_str(), 0.0, kMaxRa, in->flryaw) ||
            !readNumber("transits", "--dec", o.extra.at("--dec").c_str(), -kMaxDec, kMaxDec, in->flrpitch))
            return false;
    }
    const auto dist = o.extra.find("--max-dist");
    return dist == o.extra.end() ||
           readNumber("transits", "--max-dist", dist->second.c_str(), 0.0, kMaxDistance, in->evmaxdist);
}

// Label of the lists without its surrounding blanks.
std::string trimmed(const std::string& s)
{
    const size_t from = s.find_first_not_of(' ');
    return from == std::string::npos ? "" : s.substr(from, s.find_last_not_of(' ') - from + 1);
}
}  // namespace

void emitEventsJson(const std::vector<EventRecord>& events)
{
    emit("[");
    for (size_t k = 0; k < events.size(); ++k) {
        const EventHit& e = events[k].hit;
        emit("%s\n  {\"utc\": \"%s\", \"mjd\": %.17g, \"norad\": %d, \"name\": %s, \"azimuth\": %.17g, "
             "\"elevation\": %.17g, \"value\": %.17g, \"label\": %s}",
             k ? "," : "", isoTime(e.t).c_str(), e.t, events[k].norad, jsonString(events[k].name).c_str(), e.az, e.el,
             e.value, jsonString(trimmed(e.label)).c_str());
    }
    emit("%s]\n", events.empty() ? "" : "\n");
}

int runTransits(int argc, char** argv)
{
    CommonOptions o;
    if (!parseCommon("transits", argc, argv, {"--body", "--max-dist", "--ra", "--dec"}, o)) return kExitUsage;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("transits", o, true, in.get());
    if (status != kExitOk) return status;
    if (!applyEventOptions(o, in.get())) return kExitUsage;
    auto sp = std::make_unique<SatPosData>();
    if (!o.json) {
        auto out = std::make_unique<WoutData>();
        aospass(in.get(), out.get(), sp.get());
        emitPage(out.get());
        return kExitOk;
    }
    if (DistanceMissing(in.get())) {
        complain("transits: occultations need --max-dist above 0");
        return kExitUsage;
    }
    const EventRun run(in.get());
    const double t0 = ListStartMjd(in.get());
    const int prime = in->prime;
    std::vector<EventRecord> events;
    for (const EventHit& e : FindEvents(in.get(), prime, t0, t0 + in->duration, run.defaulted(), sp.get()))
        events.push_back({e, in->satno[prime], SatName(in.get(), prime)});
    emitEventsJson(events);
    return kExitOk;
}
