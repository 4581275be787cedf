#include "core/passevents.h"

#include <algorithm>
#include <string>

#include "core/passsearch.h"
#include "core/transitremark.h"

namespace {
// Mirror name of the event just found: the Iridium antenna by the sign of flryaw, or the panel.
const char* mirrorName(const WinpData* in)
{
    if (in->iraltmdl) return "Solar  ";
    if (in->flryaw == 0.0) return "Front  ";
    return in->flryaw > 0.0 ? "Right  " : "Left   ";
}
}  // namespace

std::vector<EventHit> FindEvents(WinpData* in, int slot, double t0, double t1, bool defaulted, SatPosData* sp)
{
    std::vector<EventHit> hits;
    const bool iridium = in->iridmode == kIridiumMode;
    const auto collect = [&](const PassEvent& p) {
        EventHit e{p.tm[0], p.tm[1], p.az[1], p.el[1], p.az[2], ""};
        if (iridium) e.label = std::string(mirrorName(in)) + (p.el[0] <= p.el[2] ? "->N" : "->S");
        hits.push_back(e);
    };
    ScanPasses(in, slot, t0, t1, collect, sp);
    if (iridium && in->irpanel && !in->iraltmdl) {
        in->iraltmdl = true;
        ScanPasses(in, slot, t0, t1, collect, sp);
        in->iraltmdl = false;
        std::stable_sort(hits.begin(), hits.end(), [](const EventHit& x, const EventHit& y) { return x.t < y.t; });
    }
    if (!SunMoonTransit(in)) return hits;
    std::vector<EventHit> listed;
    for (EventHit& e : hits) {
        char remark[kTransitTextBytes];
        int result = 1;
        SunMoonTr(in, e.t, slot, e.value, defaulted, result, remark, sp);
        e.label = remark;
        if (result == 1) listed.push_back(e);
    }
    return listed;
}
