#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "sgp4_verification.h"

namespace {

const std::string kVerificationFile = std::string(ORBIKA_TEST_DATA) + "/SGP4-VER.TLE";

// Standard output (and standard error when asked) and exit status of orbika-cli sgp4.
struct CliRun {
    std::string out;
    int status = -1;
};
CliRun runSgp4Command(const std::string& args, const std::string& env = "")
{
    CliRun run;
    const std::string command = env + " " + std::string(ORBIKA_CLI) + " sgp4 " + args;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    std::array<char, 512> buf{};
    while (std::fgets(buf.data(), buf.size(), pipe)) run.out += buf.data();
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

// The text output split by entry: catalogue number -> its state lines and error line.
struct CliCase {
    std::vector<ReferenceRow> rows;
    std::string error;
};
std::map<int, CliCase> splitCases(const std::string& out)
{
    std::map<int, CliCase> cases;
    std::istringstream lines(out);
    std::string line;
    CliCase* current = nullptr;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        ReferenceRow row;
        if (line.find(" xx") != std::string::npos) {
            int satno = 0;
            fields >> satno;
            current = &cases[satno];
        } else if (current && line.rfind("# error", 0) == 0) {
            current->error = line;
        } else if (current && fields >> row.t >> row.r[0] >> row.r[1] >> row.r[2] >> row.v[0] >>
                                  row.v[1] >> row.v[2]) {
            current->rows.push_back(row);
        }
    }
    return cases;
}

const ReferenceCase& referenceCase(const std::vector<ReferenceCase>& all, int satno)
{
    for (const ReferenceCase& c : all)
        if (c.satno == satno) return c;
    static const ReferenceCase none;
    ADD_FAILURE() << "no reference case " << satno;
    return none;
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
    const std::map<int, CliCase> cases = splitCases(run.out);
    EXPECT_EQ(cases.size(), 32u);  // 20413 appears twice
    const std::vector<ReferenceCase> reference = readReferenceCases();

    // Runs from epoch list the published rows as they are.
    for (const int satno : {5, 8195, 28626, 29238}) {
        SCOPED_TRACE(satno);
        expectSameRows(cases.at(satno).rows, referenceCase(reference, satno).rows);
        EXPECT_TRUE(cases.at(satno).error.empty());
    }
    // A run before epoch: the published file adds a row at epoch first.
    const std::vector<ReferenceRow>& r4632 = referenceCase(reference, 4632).rows;
    expectSameRows(cases.at(4632).rows, {r4632.begin() + 1, r4632.end()});

    // Runs that end in an error report it at the published failing time.
    expectSameRows(cases.at(28872).rows, referenceCase(reference, 28872).rows);
    EXPECT_EQ(cases.at(28872).error, "# error 6 at 55.00000000");
    EXPECT_TRUE(cases.at(33334).rows.empty());
    EXPECT_EQ(cases.at(33334).error, "# error 3 at 0.00000000");
    EXPECT_EQ(cases.at(22312).error, "# error 1 at 494.20286720");

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
    const std::map<int, CliCase> plain = splitCases(runSgp4Command(kVerificationFile + " 2>&1").out);
    const std::map<int, CliCase> wgs84 =
        splitCases(runSgp4Command(kVerificationFile + " --wgs84 2>&1").out);
    const std::map<int, CliCase> near =
        splitCases(runSgp4Command("--no-sdp4 " + kVerificationFile + " 2>&1").out);
    const ReferenceRow& a = plain.at(5).rows.back();
    const ReferenceRow& b = wgs84.at(5).rows.back();
    EXPECT_GT(std::fabs(a.r[0] - b.r[0]) + std::fabs(a.r[1] - b.r[1]), 1e-4);
    EXPECT_LT(std::fabs(a.r[0] - b.r[0]) + std::fabs(a.r[1] - b.r[1]), 1.0);
    // Without deep space the near-Earth case is unchanged and a deep-space case moves.
    expectSameRows(near.at(5).rows, plain.at(5).rows);
    EXPECT_GT(std::fabs(near.at(8195).rows.back().r[0] - plain.at(8195).rows.back().r[0]), 1.0);
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
    const std::map<int, CliCase> cases = splitCases(run.out);
    ASSERT_EQ(cases.count(25544), 1u);
    ASSERT_EQ(cases.at(25544).rows.size(), 5u);
    EXPECT_DOUBLE_EQ(cases.at(25544).rows[4].t, 1440.0);
    std::remove(path.c_str());
}
