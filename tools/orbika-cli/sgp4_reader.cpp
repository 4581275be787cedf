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

// The element set of lines 1 and 2 (numbered n1, n2); false, reported, when malformed.
bool makeEntry(const std::string& line1, int n1, const std::string& line2, int n2, Entry& e)
{
    if (!ParseTleLine1(line1.c_str(), e.tle)) {
        complain("line %d: malformed TLE line 1, entry skipped", n1);
        return false;
    }
    if (!ParseTleLine2(line2.c_str(), e.tle)) {
        complain("line %d: malformed TLE line 2, entry skipped", n2);
        return false;
    }
    double run[3];
    if (!readRun(line2, run)) {
        e.times.assign(std::begin(kDefaultTimes), std::end(kDefaultTimes));
        return true;
    }
    e.times = runTimes(run);
    if (e.times.empty()) complain("line %d: unusable start, stop and step, entry skipped", n2);
    return !e.times.empty();
}

// Element line kind: '1' or '2' followed by a blank, else 0 (title or other text).
char linekind(const std::string& line)
{
    return line.size() >= 2 && (line[0] == '1' || line[0] == '2') && line[1] == ' ' ? line[0] : 0;
}

}  // namespace

std::vector<Entry> readEntries(std::istream& in)
{
    std::vector<Entry> entries;
    std::string line, line1;
    int n = 0, n1 = 0;
    const auto dropLine1 = [&]() {
        if (n1) complain("line %d: TLE line 1 without line 2, entry skipped", n1);
        n1 = 0;
    };
    while (std::getline(in, line)) {
        ++n;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#') continue;
        const char kind = linekind(line);
        if (kind == '1') {
            dropLine1();
            line1 = line;
            n1 = n;
        } else if (kind == '2' && n1 == 0) {
            complain("line %d: TLE line 2 without line 1, skipped", n);
        } else if (kind == '2') {
            Entry e;
            if (makeEntry(line1, n1, line, n, e)) entries.push_back(e);
            n1 = 0;
        } else {
            dropLine1();
        }
    }
    dropLine1();
    return entries;
}

