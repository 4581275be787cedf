// orbika-cli flares: the Iridium flare search over a TLE file, shown as the flare page or as JSON
// events.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "commands.h"
#include "core/cataloguesearch.h"
#include "core/iridium.h"
#include "core/passsearch.h"
#include "core/records.h"
#include "options.h"
#include "output.h"

namespace {
// Element file of the Iridium satellites, in the directory of the default TLE file.
constexpr const char* kIridiumFile = "IRIDIUM.TXT";
// Range of --min-mag read as a number; the search itself refuses limits above
// kFaintestFlareLimit.
constexpr double kMinMagRange = 1000.0;

// The arguments without the flag --panels; panels tells whether it was given.
std::vector<char*> withoutPanels(int argc, char** argv, bool& panels)
{
    std::vector<char*> args;
    panels = false;
    for (int k = 0; k < argc; ++k) {
        if (std::strcmp(argv[k], "--panels") == 0)
            panels = true;
        else
            args.push_back(argv[k]);
    }
    return args;
}

// The TLE file of the search: --tle, else IRIDIUM.TXT beside the default TLE file.
void chooseTleFile(const CommonOptions& o, WinpData* in)
{
    if (!o.tle.empty()) return;
    std::string dir = in->tlefile;
    const size_t slash = dir.find_last_of('/');
    dir = slash == std::string::npos ? "" : dir.substr(0, slash + 1);
    std::snprintf(in->tlefile, sizeof in->tlefile, "%s%s", dir.c_str(), kIridiumFile);
}

// Search settings from the options; false after a message.
bool applyFlareOptions(const CommonOptions& o, bool panels, WinpData* in)
{
    SetIridiumSearch(in);
    in->irpanel = panels;
    const auto mag = o.extra.find("--min-mag");
    if (mag != o.extra.end() &&
        !readNumber("flares", "--min-mag", mag->second.c_str(), -kMinMagRange, kMinMagRange, in->irminmag))
        return false;
    const auto out = o.extra.find("--out");
    const std::string save = out != o.extra.end() ? out->second : kIridiumSaveFile;
    if (save.empty() || save.size() >= sizeof in->savename) {
        complain("flares: unusable save file name '%s'", save.c_str());
        return false;
    }
    std::snprintf(in->savename, sizeof in->savename, "%s", save.c_str());
    in->savenew = 1;
    in->irwrote = out != o.extra.end();
    return true;
}
}  // namespace

int runFlares(int argc, char** argv)
{
    bool panels;
    std::vector<char*> args = withoutPanels(argc, argv, panels);
    CommonOptions o;
    if (!parseCommon("flares", static_cast<int>(args.size()), args.data(), {"--min-mag", "--out"}, o))
        return kExitUsage;
    auto in = std::make_unique<WinpData>();
    const int status = prepareSettings("flares", o, false, in.get());
    if (status != kExitOk) return status;
    chooseTleFile(o, in.get());
    if (checkTleFile(in.get()) != kExitOk) return kExitUsage;
    if (!applyFlareOptions(o, panels, in.get()) || outputIsInput("flares", in.get())) return kExitUsage;
    // The search replaces the save file only once it has run; until then the old file stays.
    std::vector<EventRecord> events;
    auto sp = std::make_unique<SatPosData>();
    const int result = AllSatAos(in.get(), sp.get(), [&](const EventHit& e, int slot) {
        events.push_back({e, in->satno[slot], SatName(in.get(), slot)});
    });
    if (result == kAllSatRefused) {
        complain("flares: --min-mag above %g is refused", kFaintestFlareLimit);
        return kExitUsage;
    }
    if (result == kAllSatSaveFailed) {
        complain("flares: cannot write %s", in->savename);
        return kExitUsage;
    }
    if (result == kAllSatTleFailed) {
        complain("flares: cannot open TLE file %s", in->tlefile);
        return kExitUsage;
    }
    if (o.json) {
        std::stable_sort(events.begin(), events.end(),
                         [](const EventRecord& a, const EventRecord& b) { return a.hit.t < b.hit.t; });
        emitEventsJson(events);
    } else {
        auto out = std::make_unique<WoutData>();
        Iriddspy(in.get(), out.get());
        emitPage(out.get());
    }
    if (!in->irwrote) std::remove(in->savename);
    return kExitOk;
}
