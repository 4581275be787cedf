#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli_run.h"
#include "sgp4_verification.h"

namespace {

const std::string kVerificationFile = std::string(ORBIKA_TEST_DATA) + "/SGP4-VER.TLE";

// Output (standard error too when args redirect it) and exit status of orbika-cli sgp4.
CliRun runSgp4Command(const std::string& args, const std::string& env = "")
{
    return runCli("sgp4 " + args, env);
}

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

TEST(Sgp4Command, VerificationFileReproducesPublishedRowsAndErrors)
{
    const CliRun run = runSgp4Command(kVerificationFile + " 2>/dev/null");
    ASSERT_EQ(run.status, 0);
    const std::vector<ReferenceCase> cases = casesOf(run.out);
    EXPECT_EQ(cases.size(), 33u);
    const std::vector<ReferenceCase> reference = readReferenceCases();

    // Runs from epoch list the published rows as they are.
    for (const int satno : {5, 8195, 28626, 29238}) {
        SCOPED_TRACE(satno);
        expectSameRows(findCase(cases, satno).rows, findCase(reference, satno).rows);
        EXPECT_TRUE(findCase(cases, satno).error.empty());
    }
    // A run before epoch: the published file adds a row at epoch first.
    const std::vector<ReferenceRow> r4632 = findCase(reference, 4632).rows;
    expectSameRows(findCase(cases, 4632).rows, {r4632.begin() + 1, r4632.end()});

    // Runs that end in an error report it at the published failing time.
    expectSameRows(findCase(cases, 28872).rows, findCase(reference, 28872).rows);
    EXPECT_EQ(findCase(cases, 28872).error, "# error 6 at 55.00000000");
    EXPECT_TRUE(findCase(cases, 33334).rows.empty());
    EXPECT_EQ(findCase(cases, 33334).error, "# error 3 at 0.00000000");
    EXPECT_EQ(findCase(cases, 22312).error, "# error 1 at 494.20286720");

    // The JSON form carries the same numbers and errors; a comma locale changes nothing.
    const CliRun json = runSgp4Command(kVerificationFile + " --json 2>/dev/null");
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out.rfind("[{\"satnum\": 5, \"rows\": [{\"tsince\": 0.00000000, "
                             "\"x\": 7022.46529266, \"y\": -1400.08296755",
                             0),
              0u);
    EXPECT_NE(json.out.find("\"error\": {\"code\": 6, \"tsince\": 55.00000000}"),
              std::string::npos);
    EXPECT_EQ(runSgp4Command(kVerificationFile + " 2>/dev/null", "LC_ALL=de_DE.UTF-8").out,
              run.out);
}

TEST(Sgp4Command, OptionsChangeConstantsAndModel)
{
    const auto lastX = [](const std::string& args, int satno) {
        return findCase(casesOf(runSgp4Command(args + " 2>/dev/null").out), satno).rows.back().r[0];
    };
    const double plain5 = lastX(kVerificationFile, 5);
    EXPECT_NEAR(lastX(kVerificationFile + " --wgs84", 5), plain5, 1.0);
    EXPECT_NE(lastX(kVerificationFile + " --wgs84", 5), plain5);
    // Without deep space a near-Earth case is unchanged and a deep-space case moves.
    EXPECT_EQ(lastX("--no-sdp4 " + kVerificationFile, 5), plain5);
    EXPECT_GT(std::fabs(lastX("--no-sdp4 " + kVerificationFile, 8195) -
                        lastX(kVerificationFile, 8195)),
              1.0);
}

TEST(Sgp4Command, BadFilesAndArguments)
{
    EXPECT_EQ(runSgp4Command("/nonexistent/orbika.tle 2>/dev/null").status, 2);
    EXPECT_EQ(runSgp4Command(kVerificationFile + " --fast 2>/dev/null").status, 2);
    EXPECT_EQ(runSgp4Command("2>/dev/null").status, 2);

    // A malformed entry is reported with its line number and skipped; default times are used
    // for entries without a run; titles and CR LF are accepted.
    const std::string path = testing::TempDir() + "orbika_sgp4_cli.tle";
    {
        std::ofstream f(path, std::ios::binary);
        f << "ISS (ZARYA)\r\n"
          << "1 25544U 98067A   26052.76529868  .00010666  00000+0  20704-3 0  9990\r\n"
          << "2 25544  51.6320 151.0701 0008512 119.8639 240.3195 15.48189327553866\r\n"
          << "# truncated entry\n"
          << "1 20580U 90037B   26052.56349540\n"
          << "2 20580  28.4686 149.9853 0001090 298.8097  61.2389 15.29203976770842\n"
          << std::string("\x01\xff\x00 binary", 11) << "\n";
    }
    const CliRun run = runSgp4Command(path + " 2>&1");
    EXPECT_EQ(run.status, 0);
    EXPECT_NE(run.out.find("line 5"), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find("20580 xx"), std::string::npos);
    const std::vector<ReferenceCase> cases = casesOf(run.out);
    ASSERT_EQ(cases.size(), 1u);
    ASSERT_EQ(cases[0].rows.size(), 5u);
    EXPECT_DOUBLE_EQ(cases[0].rows[4].t, 1440.0);
    std::remove(path.c_str());
}
