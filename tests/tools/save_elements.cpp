// Test helper: saves every element set of FILE as the program's Save TLE does, ten selected
// satellites at a time, into OUT.tle and OUT.csv (the first save replaces the file, later ones
// append). Exit status 0 when every save succeeded.
#include <cstdio>
#include <memory>
#include <string>

#include "core/defaults.h"
#include "core/selection.h"
#include "core/tlesave.h"
#include "../test_entries.h"

namespace {

// Saves the selection into name; false after a message.
bool save(WinpData* in, const std::string& name, bool first)
{
    std::snprintf(in->tlesave, sizeof in->tlesave, "%s", name.c_str());
    in->tlesvnmset = first;
    const int result = SaveTle(in);
    if (result != kTleSaved) std::fprintf(stderr, "save_elements: %s: result %d\n", name.c_str(), result);
    return result == kTleSaved;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_elements FILE OUT\n");
        return 2;
    }
    ElementReader f(argv[1]);
    if (!f.isOpen()) {
        std::fprintf(stderr, "save_elements: %s: %s\n", argv[1], f.error().c_str());
        return 2;
    }
    auto in = std::make_unique<WinpData>();
    SetDefaults(in.get());
    const std::string out = argv[2];
    bool first = true;
    bool failed = false;
    forEachEntry(in.get(), f, [&](bool last) {
        vsSatSel(in.get());
        if (in->nsat < kMaxSat && !last) return true;
        failed = !save(in.get(), out + ".tle", first) || !save(in.get(), out + ".csv", first);
        first = false;
        vsResetSatList(in.get());
        return !failed;
    });
    return first || failed ? 1 : 0;
}
