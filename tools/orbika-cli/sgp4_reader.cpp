#include "sgp4_reader.h"

#include <iterator>
#include <string>

#include "foundation/textconv.h"
#include "output.h"

namespace {
// Times (min) used when line 2 carries no run.
constexpr double kDefaultTimes[] = {0.0, 360.0, 720.0, 1080.0, 1440.0};
// Line 2 columns after which a run (start, stop, step in minutes) may follow.
constexpr size_t kRunColumn = 69;
// Most states listed for one entry.
constexpr double kMaxRows = 1.0e6;
// True for a text made only of the characters of a decimal number.
bool isnumbertext(const std::string& s)
{
    return !s.empty() && s.find_first_not_of("0123456789+-.eE") == std::string::npos;
}

// Start, stop and step (min) written after column 69 of line 2; false when there are none.
bool readRun(const std::string& line2, double run[3])
{
    if (line2.size() <= kRunColumn) return false;
    const std::string rest = line2.substr(kRunColumn);
    size_t pos = 0;
    for (int k = 0; k < 3; ++k) {
        const size_t begin = rest.find_first_not_of(" \t", pos);
        if (begin == std::string::npos) return false;
        pos = rest.find_first_of(" \t", begin);
        const std::string token = rest.substr(begin, pos - begin);
        if (!isnumbertext(token)) return false;
        run[k] = Atof(token.c_str());
    }
    return true;
}

// Times of a run: start, start + step, ... before stop, and stop; empty when unusable.
std::vector<double> runTimes(const double run[3])
{
    const double start = run[0], stop = run[1], step = run[2];
    std::vector<double> times;
    if (!(step > 0.0) || !(stop >= start) || (stop - start) / step > kMaxRows) return times;
    for (long i = 0; start + i * step < stop - 1e-9; ++i) times.push_back(start + i * step);
    times.push_back(stop);
    return times;
}

}  // namespace

bool makeEntry(const ElementEntry& e, Entry& entry)
{
    entry.tle = e.fields;
    double run[3];
    if (!readRun(e.line2, run)) {
        entry.times.assign(std::begin(kDefaultTimes), std::end(kDefaultTimes));
        return true;
    }
    entry.times = runTimes(run);
    if (entry.times.empty()) complain("NORAD# %d: unusable start, stop and step, entry skipped", e.fields.satno);
    return !entry.times.empty();
}
