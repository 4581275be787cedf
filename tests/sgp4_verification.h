// Test helpers for the SGP4 verification set: its element sets with their test runs, and the
// published reference states.
#pragma once
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/tlefields.h"

// One case of SGP4-VER.TLE: the parsed elements and the run carried after column 69 of line 2.
struct VerificationCase {
    TleFields tle{};
    double start = 0.0, stop = 0.0, step = 0.0;  // minutes since epoch
};

// One published state: time (min), position (km), velocity (km/s).
struct ReferenceRow {
    double t = 0.0;
    double r[3] = {0.0, 0.0, 0.0};
    double v[3] = {0.0, 0.0, 0.0};
};

// The rows of one case, headed by its catalogue number, and an error line that ends them.
struct ReferenceCase {
    int satno = 0;
    std::vector<ReferenceRow> rows;
    std::string error;
};

// The cases of SGP4-VER.TLE in file order (empty when the file cannot be read).
inline std::vector<VerificationCase> readVerificationCases()
{
    std::vector<VerificationCase> cases;
    std::ifstream in(std::string(ORBIKA_TEST_DATA) + "/SGP4-VER.TLE");
    std::string line1, line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();  // DOS line ends
        if (line.empty() || line[0] == '#') continue;
        if (line[0] == '1') {
            line1 = line;
            continue;
        }
        VerificationCase c;
        if (!ParseTleLine1(line1.c_str(), c.tle) || !ParseTleLine2(line.c_str(), c.tle)) continue;
        std::istringstream run(line.size() > 69 ? line.substr(69) : std::string());
        run >> c.start >> c.stop >> c.step;
        cases.push_back(c);
    }
    return cases;
}

// Cases in the layout of tcppver.out (also that of orbika-cli sgp4): "N xx" headers, rows
// whose first seven numbers are read, "# error" lines.
inline std::vector<ReferenceCase> readStateCases(std::istream& in)
{
    std::vector<ReferenceCase> cases;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        ReferenceRow row;
        if (line.find(" xx") != std::string::npos) {
            cases.emplace_back();
            fields >> cases.back().satno;
        } else if (!cases.empty() && line.rfind("# error", 0) == 0) {
            cases.back().error = line;
        } else if (!cases.empty() && fields >> row.t >> row.r[0] >> row.r[1] >> row.r[2] >>
                                         row.v[0] >> row.v[1] >> row.v[2]) {
            cases.back().rows.push_back(row);
        }
    }
    return cases;
}

// The published cases of tcppver.out in file order.
inline std::vector<ReferenceCase> readReferenceCases()
{
    std::ifstream in(std::string(ORBIKA_TEST_DATA) + "/tcppver.out");
    return readStateCases(in);
}

// The first case with the catalogue number satno (an empty one when there is none).
inline ReferenceCase findCase(const std::vector<ReferenceCase>& cases, int satno)
{
    for (const ReferenceCase& c : cases)
        if (c.satno == satno) return c;
    return ReferenceCase{};
}

// Times of a run: start, start + step, ... below stop, then stop itself.
inline std::vector<double> runTimes(double start, double stop, double step)
{
    std::vector<double> t;
    for (int i = 0; start + i * step < stop - 1e-9; ++i) t.push_back(start + i * step);
    t.push_back(stop);
    return t;
}
