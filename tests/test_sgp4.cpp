#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <limits>
#include <map>
#include <sstream>

#include "cli_run.h"
#include "foundation/units.h"
#include "propagation/sgp4.h"
#include "scoped_env.h"
#include "sgp4_verification.h"

namespace {

using angle_units::kPi;
constexpr double kDeg = angle_units::kDegToRad;
constexpr double kWgs72Radius = 6378.135;

// How a published run ends, and the radius (km) of a failing step still written (0: unchecked).
struct RunEnd {
    int initcode, stopcode;
    bool written;
    double radius;
};

// Runs that do not simply complete, keyed by catalogue number and start time.
const std::map<std::pair<int, double>, RunEnd> kRunEnds = {
    {{22312, 54.2028672}, {0, 1, true, 6449.0}},
    {{28350, 0.0}, {0, 1, true, 6431.2}},
    {{28872, 0.0}, {5, 6, true, 0.996159 * kWgs72Radius}},
    {{29141, 0.0}, {0, 6, true, 0.996252 * kWgs72Radius}},
    {{33333, 0.0}, {5, 6, false, 0.0}},
    {{33334, 0.0}, {3, 3, false, 0.0}},
    {{20413, 1844000.0}, {0, 6, true, 0.830534 * kWgs72Radius}},
};

// Initialises rec from TLE fields with WGS-72, the epoch through a Julian Date as the published runs do.
int initFromTle(const TleFields& f, elsetrec& rec, bool deepspace = true)
{
    const double jd = TleEpochMjd(f.epochyear, f.epochday) + 2400000.5;
    const double epoch = jd - kSgp4EpochJd;
    return sgp4init(wgs72, deepspace, epoch, f.bstar, std::max(f.ecc, 1e-8), f.argp * kDeg,
                    f.incl * kDeg, f.manom * kDeg, f.mm * 2.0 * kPi / 1440.0, f.node * kDeg, rec);
}

double distance(const double a[3], const double b[3]) { return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]); }
double norm(const double a[3]) { return std::hypot(a[0], a[1], a[2]); }

// Elements of the verification case with the catalogue number satno.
TleFields verificationElements(int satno)
{
    for (const VerificationCase& c : readVerificationCases())
        if (c.tle.satno == satno) return c.tle;
    ADD_FAILURE() << "case " << satno << " missing";
    return TleFields{};
}

// A near-circular orbit with mean motion n (rev/day) and inclination incl (degrees).
int initCircular(double n, double incl, bool deepspace, elsetrec& rec)
{
    return sgp4init(wgs72, deepspace, 20000.0, 1e-5, 2e-4, 0.3, incl * kDeg, 1.0,
                    n * 2.0 * kPi / 1440.0, 2.0, rec);
}

const std::string kVerificationFile = std::string(ORBIKA_TEST_DATA) + "/SGP4-VER.TLE";

std::vector<ReferenceCase> casesOf(const std::string& out)
{
    std::istringstream in(out);
    return readStateCases(in);
}

void expectSameRows(const std::vector<ReferenceRow>& got, const std::vector<ReferenceRow>& want)
{
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < got.size(); ++k) {
        EXPECT_DOUBLE_EQ(got[k].t, want[k].t);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(got[k].r[i], want[k].r[i], 1e-6) << "t = " << got[k].t;
            EXPECT_NEAR(got[k].v[i], want[k].v[i], 1e-8) << "t = " << got[k].t;
        }
    }
}
}  // namespace

TEST(Sgp4Verification, EveryCaseMatchesPublishedStatesAndStopsWithTheirError)
{
    const std::vector<VerificationCase> cases = readVerificationCases();
    const std::vector<ReferenceCase> reference = readReferenceCases();
    ASSERT_EQ(cases.size(), 33u);
    ASSERT_EQ(reference.size(), cases.size());
    int comparedRows = 0;
    for (size_t i = 0; i < cases.size(); ++i) {
        const VerificationCase& c = cases[i];
        const ReferenceCase& ref = reference[i];
        ASSERT_EQ(c.tle.satno, ref.satno);
        const auto end = kRunEnds.find({c.tle.satno, c.start});
        const RunEnd expected = end == kRunEnds.end() ? RunEnd{0, 0, true, 0.0} : end->second;
        SCOPED_TRACE("case " + std::to_string(c.tle.satno));
        elsetrec rec;
        EXPECT_EQ(initFromTle(c.tle, rec), expected.initcode);
        double r[3], v[3];
        const auto compare = [&](double t, const ReferenceRow& row) {
            ASSERT_EQ(sgp4(wgs72, rec, t, r, v), 0) << "at " << t;
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(r[k], row.r[k], 1e-6) << "at " << t;
                EXPECT_NEAR(v[k], row.v[k], 1e-8) << "at " << t;
            }
            ++comparedRows;
        };
        // The single row listed for a case that fails at once is not a state of it.
        const bool failsAtOnce = expected.initcode == 3;
        if (!failsAtOnce) compare(0.0, ref.rows[0]);
        // The run's first time is not listed again when it is the epoch.
        std::vector<double> times = runTimes(c.start, c.stop, c.step);
        if (times.front() == 0.0) times.erase(times.begin());
        const size_t listed = failsAtOnce ? 0 : ref.rows.size() - 1;
        ASSERT_LE(listed, times.size());
        for (size_t k = 0; k < listed; ++k) {
            ASSERT_NEAR(times[k], ref.rows[k + 1].t, 1e-6);
            compare(times[k], ref.rows[k + 1]);
        }
        if (expected.stopcode == 0) {
            EXPECT_EQ(listed, times.size());
            continue;
        }
        ASSERT_LT(listed, times.size());
        std::fill(r, r + 3, std::numeric_limits<double>::quiet_NaN());
        EXPECT_EQ(sgp4(wgs72, rec, times[listed], r, v), expected.stopcode);
        EXPECT_EQ(rec.error, expected.stopcode);
        EXPECT_EQ(std::isfinite(r[0]), expected.written);
        if (expected.radius > 0.0) {
            EXPECT_NEAR(norm(r), expected.radius, 0.05);
        }
    }
    EXPECT_EQ(comparedRows, 667 - 1);  // every published row but the one that is not a state
}

TEST(Sgp4Model, DeepSpacePermissionRetrogradeOrbitsAndResonanceInAnyCallOrder)
{
    // Without permission a geostationary and a 12-hour orbit stay near-Earth.
    elsetrec deep, near, molniya;
    ASSERT_EQ(initCircular(1.0027, 0.05, true, deep), 0);
    ASSERT_EQ(initCircular(1.0027, 0.05, false, near), 0);
    ASSERT_EQ(initFromTle(verificationElements(8195), molniya, false), 0);
    EXPECT_EQ(std::string() + deep.method + near.method + molniya.method, "dnn");
    // An inclination of 180 degrees stays finite, on the orbit of its mean motion.
    for (const double n : {15.0, 1.0027}) {
        elsetrec rec;
        ASSERT_EQ(initCircular(n, 180.0, true, rec), 0);
        double r[3], v[3];
        ASSERT_EQ(sgp4(wgs72, rec, 720.0, r, v), 0);
        const double a = std::cbrt(398600.8 / std::pow(n * 2.0 * kPi / 86400.0, 2.0));
        EXPECT_NEAR(norm(r), a, 0.01 * a) << "n = " << n;
        EXPECT_NEAR(norm(v), std::sqrt(398600.8 / a), 0.01 * std::sqrt(398600.8 / a));
    }
    // 12- and 24-hour resonances: a record integrated far ahead or back gives a fresh one's state.
    for (const int satno : {8195, 28626}) {
        const TleFields f = verificationElements(satno);
        elsetrec fresh, used;
        ASSERT_EQ(initFromTle(f, fresh), 0);
        ASSERT_EQ(initFromTle(f, used), 0);
        ASSERT_NE(used.irez, 0);
        double r0[3], v0[3], r1[3], v1[3];
        for (const double t : {5000.0, 1500.0, -3000.0, 4000.0, 700.0}) {
            ASSERT_EQ(initFromTle(f, fresh), 0);
            ASSERT_EQ(sgp4(wgs72, fresh, t, r0, v0), 0);
            ASSERT_EQ(sgp4(wgs72, used, t, r1, v1), 0);
            EXPECT_LT(distance(r0, r1), 1e-9) << satno << " at " << t;
            EXPECT_LT(distance(v0, v1), 1e-12) << satno << " at " << t;
        }
    }
}

// A NaN element or time gives an error, never a NaN state reported as success (a fuzzing find).
TEST(Sgp4Model, NonFiniteElementsOrTimeGiveAnError)
{
    for (const bool deep : {false, true}) {
        elsetrec rec;
        const double n = deep ? 1.0027 : 15.0;
        double r[3], v[3];
        sgp4init(wgs72, deep, 20000.0, 1e-5, 2e-4, std::nan(""), 0.9, 1.0, n * 2.0 * kPi / 1440.0, 2.0, rec);
        EXPECT_EQ(sgp4(wgs72, rec, 10.0, r, v), kSgp4NotFinite) << "NaN argument of perigee, deep " << deep;
        ASSERT_EQ(initCircular(n, 51.6, deep, rec), 0);
        EXPECT_EQ(sgp4(wgs72, rec, std::nan(""), r, v), kSgp4NotFinite) << "NaN time, deep " << deep;
    }
}

TEST(Sgp4Constants, SiderealTimeAndWgs84)
{
    // GMST at J2000.0 is 280.46061837 deg; 1992 August 20, 12:14 UT1 (textbook example) 152.578787886 deg.
    EXPECT_NEAR(gstime(2451545.0), 280.46061837 * kDeg, 1e-9);
    EXPECT_NEAR(gstime(2448854.5 + (12.0 + 14.0 / 60.0) / 24.0), 152.578787886 * kDeg, 1e-8);
    double tumin, radius, xke, j2, j3, j4, j3oj2;
    getgravconst(wgs84, tumin, radius, xke, j2, j3, j4, j3oj2);
    EXPECT_NEAR(xke, 0.07436685316872, 1e-13);
}

TEST(Sgp4Command, VerificationFileReproducesPublishedRowsAndOptionsChangeTheModel)
{
    const CliRun run = runCli("sgp4 " + kVerificationFile + " 2>/dev/null");
    ASSERT_EQ(run.status, 0);
    const std::vector<ReferenceCase> cases = casesOf(run.out), reference = readReferenceCases();
    EXPECT_EQ(cases.size(), 33u);
    // A run from epoch lists the published rows; one before epoch omits the added epoch row.
    expectSameRows(findCase(cases, 5).rows, findCase(reference, 5).rows);
    const std::vector<ReferenceRow> r4632 = findCase(reference, 4632).rows;
    expectSameRows(findCase(cases, 4632).rows, {r4632.begin() + 1, r4632.end()});
    // Runs that end in an error report it at the published failing time.
    EXPECT_EQ(findCase(cases, 28872).rows.size(), findCase(reference, 28872).rows.size());
    EXPECT_EQ(findCase(cases, 28872).error, "# error 6 at 55.00000000");
    EXPECT_TRUE(findCase(cases, 33334).rows.empty());
    EXPECT_EQ(findCase(cases, 33334).error, "# error 3 at 0.00000000");
    // The JSON form carries the same numbers and errors; a comma locale changes nothing.
    const CliRun json = runCli("sgp4 " + kVerificationFile + " --json 2>/dev/null");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("[{\"satnum\": 5, \"rows\": [{\"tsince\": 0.00000000, \"x\": 7022.46529266, ", 0), 0u);
    EXPECT_NE(json.out.find("\"error\": {\"code\": 6, \"tsince\": 55.00000000}"), std::string::npos);
    EXPECT_EQ(runCli("sgp4 " + kVerificationFile + " 2>/dev/null", "LC_ALL=de_DE.UTF-8").out, run.out);
    // WGS-84 moves a near-Earth case by less than a kilometre; without deep space a near-Earth
    // case is unchanged and a deep-space case moves.
    const auto lastX = [](const std::string& options, int satno) {
        return findCase(casesOf(runCli("sgp4 " + options + kVerificationFile + " 2>/dev/null").out), satno).rows.back().r[0];
    };
    const double plain = lastX("", 5), wgs84 = lastX("--wgs84 ", 5);
    EXPECT_TRUE(wgs84 != plain && std::fabs(wgs84 - plain) < 1.0);
    EXPECT_EQ(lastX("--no-sdp4 ", 5), plain);
    EXPECT_GT(std::fabs(lastX("--no-sdp4 ", 8195) - lastX("", 8195)), 1.0);
}

TEST(Sgp4Command, BadFilesAndArguments)
{
    for (const std::string& args : {std::string("/nonexistent/orbika.tle"), kVerificationFile + " --fast", std::string()})
        EXPECT_EQ(runCli("sgp4 " + args + " 2>/dev/null").status, 2) << args;
    // A malformed entry is reported by line and skipped; titles, CR LF and default times are fine.
    const ScopedTempDir dir;
    std::ofstream("bad.tle", std::ios::binary)
        << "ISS (ZARYA)\r\n"
        << "1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990\r\n"
        << "2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866\r\n"
        << "# truncated entry\n"
        << "1 20580U 90037B   26052.56349540\n"
        << "2 20580  28.4686 149.9853 0001090 298.8097  61.2389 15.29203976770842\n"
        << std::string("\x01\xff\x00 binary", 11) << "\n";
    const CliRun run = runCli("sgp4 bad.tle 2>&1");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("line 5"), std::string::npos) << run.out;
    const std::vector<ReferenceCase> cases = casesOf(run.out);
    ASSERT_EQ(cases.size(), 1u);
    ASSERT_EQ(cases[0].rows.size(), 5u);
    EXPECT_DOUBLE_EQ(cases[0].rows[4].t, 1440.0);
}
