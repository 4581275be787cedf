// orbika-cli passes: the pass list page of the prime satellite, or its passes as JSON.
#include <cstring>
#include <memory>
#include <vector>

#include "commands.h"
#include "core/passpage.h"
#include "core/passsearch.h"
#include "core/records.h"
#include "options.h"
#include "output.h"

namespace {
// One event of a pass as a JSON object.
void printEvent(const char* key, double t, double az, double el, bool last)
{
    emit("\"%s\": {\"utc\": \"%s\", \"mjd\": %.17g, \"azimuth\": %.17g, \"elevation\": %.17g}%s", key,
         isoTime(t).c_str(), t, az, el, last ? "" : ", ");
}

void printJson(const std::vector<PassEvent>& passes)
{
    emit("[");
    for (size_t k = 0; k < passes.size(); ++k) {
        const PassEvent& p = passes[k];
        emit("%s\n  {", k ? "," : "");
        printEvent("start", p.tm[0], p.az[0], p.el[0], false);
        printEvent("maximum", p.tm[1], p.az[1], p.el[1], false);
        printEvent("end", p.tm[2], p.az[2], p.el[2], true);
        emit("}");
    }
    emit("%s]\n", passes.empty() ? "" : "\n");
}
}  // namespace

int runPasses(int argc, char** argv)
{
    CommonOptions o;
    if (!parseCommon("passes", argc, argv, {}, o)) return kExitUsage;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("passes", o, true, in.get());
    if (status != kExitOk) return status;
    auto sp = std::make_unique<SatPosData>();
    if (o.json) {
        const double t0 = ListStartMjd(in.get());
        printJson(FindPasses(in.get(), in->prime, t0, t0 + in->duration, sp.get()));
        return kExitOk;
    }
    auto out = std::make_unique<WoutData>();
    aospass(in.get(), out.get(), sp.get());
    emitPage(out.get());
    return kExitOk;
}
