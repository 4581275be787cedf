#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "core/cataloguesearch.h"
#include "core/config.h"
#include "core/passdetails.h"
#include "core/passpage.h"
#include "core/safewrite.h"
#include "core/tlesave.h"
#include "pass_reference.h"

namespace {

// A file the program writes (in the current directory) and the call that replaces it.
struct Writer {
    std::string file;
    std::function<bool()> write;
};

// TLE save of the ISS and of a state-vector entry, whose fields are all decimal fractions.
bool writeTleSave()
{
    auto in = referenceSelection('A', kIss);
    selectReference(in.get(), 1, kHst);
    for (int k = 0; k < 3; ++k) in->svpos[k][1] = 4.5e6 + 1234.5678 * k, in->svvel[k][1] = 7.5e3 - 0.125 * k;
    in->numflg[1] = in->tlesvnmset = 1;
    in->scf107[1] = in->scf107avg[1] = 150.5, in->sckp[1] = 3.5;
    std::snprintf(in->tlesave, sizeof in->tlesave, "save.tle");
    return SaveTle(in.get()) == 0;
}

// The pass page saved by autosave; savenew is cleared only once the page was written.
bool writePage()
{
    auto in = referenceSelection('A', kIss);
    std::snprintf(in->savename, sizeof in->savename, "page.txt");
    in->autosave = in->savenew = 1;
    passPage(in.get(), stateRecord().get());
    return in->savenew == 0;
}

// The sorted all-satellite pass file over a two-satellite TLE file.
bool writeAllPasses()
{
    std::ofstream("ref.tle") << referenceTle(kIss) << referenceTle(kTitan);
    auto in = referenceSettings('A');
    std::snprintf(in->tlefile, sizeof in->tlefile, "ref.tle");
    std::snprintf(in->savename, sizeof in->savename, "all.txt");
    in->savenew = 1;
    auto sp = stateRecord();
    return AllSatAos(in.get(), sp.get()) == 0;
}

// A tenth of a day of the orbit track at one-minute steps.
bool writeTrack()
{
    auto in = referenceSelection('A', kIss);
    auto sp = stateRecord();
    in->duration = 0.1, in->stepmin = 1, in->stepsec = 0.0, in->tstep = 1.0 / 1440.0;
    std::snprintf(in->savename, sizeof in->savename, "track.txt");
    return saveOrbitTrack(in.get(), sp.get()) == 0;
}

const std::vector<Writer> kWriters = {
    {"orbika.cfg", [] { return putcfg(referenceSelection('A', kIss).get(), "orbika.cfg"); }},
    {"save.tle", writeTleSave}, {"page.txt", writePage}, {"all.txt", writeAllPasses}, {"track.txt", writeTrack}};

// Bytes of every file the writers make in a fresh directory under the locale name.
std::map<std::string, std::string> writeAllUnder(const char* locale)
{
    std::setlocale(LC_ALL, locale);
    ScopedTempDir dir;
    std::map<std::string, std::string> bytes;
    for (const Writer& w : kWriters) {
        EXPECT_TRUE(w.write()) << w.file;
        bytes[w.file] = readFile(w.file);
    }
    std::setlocale(LC_ALL, "C");
    return bytes;
}

// Exit status of write run in a child whose files stop at limit bytes (EFBIG): 1 when it succeeded.
int runWithFileLimit(const std::function<bool()>& write, rlim_t limit)
{
    const pid_t pid = fork();
    if (pid == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit lim{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &lim) != 0) _exit(2);
        _exit(write() ? 1 : 0);
    }
    int status = -1;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A file writer that puts text.
std::function<void(std::FILE*)> put(const char* text)
{
    return [text](std::FILE* f) { std::fputs(text, f); };
}

// Number of entries of the current directory.
long entries() { return std::distance(std::filesystem::directory_iterator("."), std::filesystem::directory_iterator()); }

}  // namespace

TEST(SafeWrite, EveryWrittenFileIsTheSameUnderAGermanLocale)
{
    const std::map<std::string, std::string> plain = writeAllUnder("C");
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "locale de_DE.UTF-8 is not installed";
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    const std::map<std::string, std::string> german = writeAllUnder("de_DE.UTF-8");
    for (const Writer& w : kWriters) {
        EXPECT_GT(plain.at(w.file).size(), 100u) << w.file;
        EXPECT_EQ(german.at(w.file), plain.at(w.file)) << w.file;
    }
}

TEST(SafeWrite, AFullDiskKeepsTheOldFileByteForByte)
{
    // Old files larger than the limit: only the new content cannot be written.
    const std::string old = std::string(300, 'x') + "\nold content, kept\n";
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.file);
        ScopedTempDir dir;
        std::ofstream(w.file) << old;
        EXPECT_EQ(runWithFileLimit(w.write, 64), 0);
        EXPECT_EQ(readFile(w.file), old);
        EXPECT_EQ(entries(), w.file == "all.txt" ? 2 : 1);  // no temporary file left (all.txt reads ref.tle)
    }
    // Without the limit the same writes replace the old files and leave no temporary file.
    ScopedTempDir dir;
    for (const Writer& w : kWriters) {
        std::ofstream(w.file) << old;
        EXPECT_EQ(runWithFileLimit(w.write, RLIM_INFINITY), 1) << w.file;
        EXPECT_NE(readFile(w.file), old) << w.file;
    }
    EXPECT_EQ(entries(), static_cast<long>(kWriters.size()) + 1);  // the written files and ref.tle
}

TEST(SafeWrite, AppendsReplacesAndKeepsModeLinksAndTheUsersFiles)
{
    ScopedTempDir dir;
    ASSERT_TRUE(WriteFile("a.txt", false, put("one\n")));
    ASSERT_TRUE(WriteFile("a.txt", false, put("two\n")));
    EXPECT_EQ(readFile("a.txt"), "one\ntwo\n");
    ASSERT_TRUE(WriteFile("a.txt", true, put("three\n")));
    EXPECT_EQ(readFile("a.txt"), "three\n");
    // A missing directory, and a directory where the file should be: nothing is made.
    EXPECT_FALSE(ReplaceFile("nodir/a.txt", put("x")));
    std::filesystem::create_directory("d");
    EXPECT_FALSE(ReplaceFile("d", put("x")));
    EXPECT_TRUE(std::filesystem::is_directory("d"));
    EXPECT_EQ(entries(), 2);
    namespace fs = std::filesystem;
    std::ofstream("a.txt") << "old\n";
    std::ofstream("a.txt.tmp") << "the user's own\n";
    fs::permissions("a.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_directory("real");
    std::ofstream("real/b.txt") << "old\n";
    fs::create_symlink("real/b.txt", "b.txt");
    ASSERT_TRUE(ReplaceFile("a.txt", put("new a\n")));
    ASSERT_TRUE(ReplaceFile("b.txt", put("new b\n")));
    EXPECT_EQ(readFile("a.txt"), "new a\n");
    EXPECT_EQ(fs::status("a.txt").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(readFile("a.txt.tmp"), "the user's own\n");
    EXPECT_TRUE(fs::is_symlink("b.txt"));
    EXPECT_EQ(readFile("real/b.txt"), "new b\n");
    // A dangling link creates the file it names.
    fs::create_symlink("real/c.txt", "c.txt");
    ASSERT_TRUE(ReplaceFile("c.txt", put("new c\n")));
    EXPECT_TRUE(fs::is_symlink("c.txt"));
    EXPECT_EQ(readFile("real/c.txt"), "new c\n");
}
