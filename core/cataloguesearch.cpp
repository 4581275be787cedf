#include "core/cataloguesearch.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <filesystem>
#include <future>
#include <memory>
#include <string>
#include <utility>

#include "core/occtrans.h"
#include "core/passevents.h"
#include "core/passpage.h"
#include "core/passsearch.h"
#include "core/safewrite.h"
#include "core/satstate.h"
#include "core/savesort.h"
#include "core/timeset.h"
#include "core/tlefile.h"
#include "foundation/textconv.h"

namespace {
// Next satellites to pass: search window (days) and least lead time of the start (days).
constexpr double kNextWindow = 0.1;
constexpr double kNextLead = 0.0018;
// Entries per batch of the threaded search: the text and the lines of one batch are held at once.
constexpr int kBatchEntries = 4096;

// Writes formatted numbers to f with decimal points whatever the locale.
__attribute__((format(printf, 2, 3))) void putNumbers(std::FILE* f, const char* format, ...)
{
    std::array<char, 256> line{};
    va_list args;
    va_start(args, format);
    std::vsnprintf(line.data(), line.size(), format, args);
    va_end(args);
    decdot0(line.data());
    std::fputs(line.data(), f);
}


// Header of the all-satellite save file.
void writeFileHeader(const WinpData* in, std::FILE* f)
{
    std::fprintf(f, "Geographic Location: %s\n", in->locname);
    putNumbers(f, " Lat.: %g   Long.: %g   Height: %g \n", in->obslat, in->obslon, in->obshgt);
    putNumbers(f, "min.Sat.Elev.: %g   max.Sun Elev.: %g%s\n", in->minsatelev, in->maxsunelev,
               VisibilityRemark(in));
    putNumbers(f, " Year: %4i  +++ Timezone: %g +++ \n", in->year, in->timezone);
    std::fprintf(f, "%s\n", kPassRule);
    std::fputs(in->iridmode == kPlainPasses
                   ? "\n  Start (Azim.,Elev.)    Maximum (Azim.,MaxElev.)     End (Azim.,Elev.)\n"
                   : "\n    Event Time (Azim.,Elev.)\n",
               f);
}


// Puts the kept satellites into time order by selection sort, exchanging slots through the work slot.
void sortByStart(WinpData* in, double* starts, int count)
{
    for (int i = 0; i < count; ++i) {
        const int j = static_cast<int>(std::min_element(starts + i, starts + count) - starts);
        if (j == i) continue;
        ShiftElm(in, kWorkSlot, i);
        ShiftElm(in, i, j);
        ShiftElm(in, j, kWorkSlot);
        std::swap(starts[i], starts[j]);
    }
}

// Adds the satellite in the working slot of the all-satellite search to the selection, which
// holds selected satellites: the first one goes to the spare slot, from which the working slot
// (slot 0 then) is restored at the end, further ones are appended while there is room.
void selectTransiting(WinpData* in, int slot, int& selected)
{
    if (selected == 0)
        ShiftElm(in, kSpareSlot, slot);
    else if (selected < kMaxSat)
        ShiftElm(in, selected, slot);
    else
        return;
    ++selected;
}

// Reads the entries of the element file f in turn into the work slot and calls visit() for each
// while it returns true. Returns false when visit stopped the reading.
template <class Visit>
bool forEachEntry(WinpData* in, ElementReader& f, Visit visit)
{
    std::array<char, kTleTextBytes> text{};
    int found;
    do {
        std::snprintf(in->srchname[kWorkSlot], sizeof in->srchname[kWorkSlot], "*");
        found = tleread(in, f, text.data(), 0);
        if (found != 0 && !visit()) return false;
    } while (found == 2);
    return true;
}

// True when progress asks the search to stop.
bool stopped(const SearchProgress* progress) { return progress && progress->stopped(); }

// Counts one entry searched.
void counted(SearchProgress* progress)
{
    if (progress) progress->count();
}

// The lines of one satellite in the all-satellite file.
using Lines = std::vector<std::string>;

// Pass lines of the satellite in slot over [t0, t1] (MJD), each followed by its mark and name;
// none when it cannot rise above the minimum elevation.
Lines passLines(WinpData* in, SatPosData* sp, int slot, double t0, double t1)
{
    Lines lines;
    if (CannotRise(in, slot)) return lines;
    const std::string tail = SatelliteMark(in, slot) + SatName(in, slot);
    for (const PassEvent& p : FindPasses(in, slot, t0, t1, sp)) lines.push_back(PassCells(in, p, false) + tail);
    return lines;
}

// Writes the lines of one satellite to save after a blank line; nothing when there are none.
void writeLines(std::FILE* save, const Lines& lines)
{
    if (!lines.empty()) std::fputs("\n", save);
    for (const std::string& line : lines) {
        std::fputs(line.c_str(), save);
        std::fputc('\n', save);
    }
}

// Copies the rest of the open file from to to.
void copyRest(std::FILE* from, std::FILE* to)
{
    std::array<char, 1 << 16> buffer;
    for (size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), from)) > 0;) std::fwrite(buffer.data(), 1, n, to);
}

// Writes the lines of the open scratch file to the save file (replacing it when savenew is set)
// as they are. Returns false when they cannot be written.
bool appendUnsorted(const WinpData* in, std::FILE* scratch)
{
    std::rewind(scratch);
    return WriteFile(in->savename, in->savenew != 0, [&](std::FILE* save) { copyRest(scratch, save); });
}

// The next entries of the element file f, up to kBatchEntries; none at its end.
std::vector<ElementEntry> readBatch(const WinpData* in, ElementReader& f)
{
    std::vector<ElementEntry> batch;
    f.setStrict(in->strictsum);
    for (ElementEntry e; static_cast<int>(batch.size()) < kBatchEntries && f.next(e);) batch.push_back(e);
    return batch;
}

// Pass lines of the entries of batch, in file order, searched by `threads` workers. Each has its
// own copies of the records and claims the next unclaimed entry when it is done with one; after a
// stop request the rest have no lines.
std::vector<Lines> batchPassLines(const WinpData* in, const SatPosData* sp, const std::vector<ElementEntry>& batch,
                                  int slot, double t0, double t1, int threads, SearchProgress* progress)
{
    const int count = static_cast<int>(batch.size());
    std::vector<Lines> lines(count);
    std::atomic<int> next{0};
    const auto work = [&]() {
        auto myIn = std::make_unique<WinpData>(*in);
        auto mySp = std::make_unique<SatPosData>(*sp);
        for (int mine = next++; mine < count && !stopped(progress); mine = next++) {
            if (TakeSearchEntry(myIn.get(), batch[mine])) {
                ShiftElm(myIn.get(), slot, kWorkSlot);
                lines[mine] = passLines(myIn.get(), mySp.get(), slot, t0, t1);
            }
            counted(progress);
        }
    };
    // A worker's exception reaches the caller through get(); the other futures wait for their threads.
    std::vector<std::future<void>> workers;
    for (int k = 0; k < threads; ++k) workers.push_back(std::async(std::launch::async, work));
    for (auto& w : workers) w.get();
    return lines;
}

// Writes the pass lines of the rest of the open TLE file to save, batch by batch, searched by
// `threads` workers; while they search one batch, the lines of the one before are written and the
// next one is read. Returns false when progress asked to stop.
bool parallelPasses(const WinpData* in, const SatPosData* sp, ElementReader& tle, std::FILE* save, int slot,
                    double t0, double t1, int threads, SearchProgress* progress)
{
    std::vector<Lines> done;
    for (auto batch = readBatch(in, tle); !batch.empty();) {
        auto running = std::async(std::launch::async,
                                  [&] { return batchPassLines(in, sp, batch, slot, t0, t1, threads, progress); });
        for (const Lines& lines : done) writeLines(save, lines);
        auto next = readBatch(in, tle);
        done = running.get();
        if (stopped(progress)) return false;
        batch = std::move(next);
    }
    for (const Lines& lines : done) writeLines(save, lines);
    return true;
}

// Writes the pass lines of the rest of the open TLE file to save, one satellite at a time in the
// slot of in. Returns false when progress asked to stop.
bool sequentialPasses(WinpData* in, SatPosData* sp, ElementReader& tle, std::FILE* save, int slot, double t0,
                      double t1, SearchProgress* progress)
{
    tle.setStrict(in->strictsum);
    for (ElementEntry e; tle.next(e);) {
        if (stopped(progress)) return false;
        if (TakeSearchEntry(in, e)) {
            ShiftElm(in, slot, kWorkSlot);
            writeLines(save, passLines(in, sp, slot, t0, t1));
        }
        counted(progress);
    }
    return true;
}

// Writes the header and the passes (or events) of every satellite of the open TLE file to save,
// through the working slot; the selection and the settings the search changes are restored.
// Plain passes are searched by threads workers when it is above 1. Returns false when progress
// asked to stop.
bool searchAll(WinpData* in, SatPosData* sp, ElementReader& tle, std::FILE* save,
               const std::function<void(const EventHit&, int slot)>& onEvent, int threads, SearchProgress* progress)
{
    const int oldCount = in->nsat, oldRelative = in->relmode;
    const int slot = oldCount > 0 && StateSlot(in->prime) ? in->prime : 0;
    ShiftElm(in, kSpareSlot, slot);
    in->nsat = std::max(in->nsat, 1);
    in->relmode = 0;
    const EventRun run(in);
    writeFileHeader(in, save);

    int selected = oldCount;
    const double t0 = ListStartMjd(in), t1 = t0 + in->duration;
    bool complete = true;
    if (in->iridmode == kPlainPasses && threads > 1) {
        complete = parallelPasses(in, sp, tle, save, slot, t0, t1, threads, progress);
    } else if (in->iridmode == kPlainPasses) {
        complete = sequentialPasses(in, sp, tle, save, slot, t0, t1, progress);
    } else {
        complete = forEachEntry(in, tle, [&]() {
            if (stopped(progress)) return false;
            counted(progress);
            ShiftElm(in, slot, kWorkSlot);
            if (in->iridmode == kIridiumMode && in->iropsonly && !IridiumOperational(in, slot)) return true;
            const std::string tail = SatelliteMark(in, slot) + SatName(in, slot);
            Lines lines;
            for (const EventHit& e : FindEvents(in, slot, t0, t1, run.defaulted(), sp)) {
                lines.push_back(EventFileText(in, e) + tail);
                if (onEvent) onEvent(e, slot);
            }
            if (run.defaulted() && !lines.empty()) selectTransiting(in, slot, selected);
            writeLines(save, lines);
            return true;
        });
    }

    ShiftElm(in, slot, kSpareSlot);
    in->relmode = oldRelative;
    in->nsat = selected;
    if (oldCount == 0 && selected > 0) in->prime = 0;
    return complete;
}
}  // namespace

int Nxt4Pass(WinpData* in, SatPosData* sp, SearchProgress* progress)
{
    ElementReader f(in->tlefile);
    if (!f.isOpen()) return -1;
    const int oldCount = in->nsat;
    in->relmode = 0;
    in->nsat = 1;
    const double now = RT_MJD(in);
    std::array<double, kMaxSat> starts{};
    int count = 0;
    const bool complete = forEachEntry(in, f, [&]() {
        if (stopped(progress)) return false;
        counted(progress);
        const int k = std::min(count, kMaxSat - 1);
        ShiftElm(in, kSpareSlot, k);
        ShiftElm(in, k, kWorkSlot);
        PassEvent p{};
        const bool soon = nextpass(in, k, now, now + kNextWindow, p.tm, p.el, p.az, sp) == 1 &&
                          p.tm[0] > now + kNextLead;
        if (soon && count < kMaxSat) {
            starts[count++] = p.tm[0];
            return true;
        }
        ShiftElm(in, k, kSpareSlot);
        double* latest = std::max_element(starts.begin(), starts.end());
        if (soon && p.tm[0] < *latest) {
            ShiftElm(in, static_cast<int>(latest - starts.begin()), kWorkSlot);
            *latest = p.tm[0];
        }
        return true;
    });
    if (!complete) {
        in->nsat = oldCount;
        return kAllSatCancelled;
    }
    in->nsat = count > 0 ? count : oldCount;
    sortByStart(in, starts.data(), count);
    in->prime = 0;
    return count;
}


int AllSatAos(WinpData* in, SatPosData* sp, const std::function<void(const EventHit&, int slot)>& onEvent,
              int threads, SearchProgress* progress)
{
    if ((in->iridmode == kIridiumMode && in->irminmag > kFaintestFlareLimit) || DistanceMissing(in)) return kAllSatRefused;
    ElementReader tle(in->tlefile);
    if (!tle.isOpen()) return kAllSatTleFailed;
    // The lines go to a scratch file first, so a stopped search leaves the save file as it was.
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> scratch(std::tmpfile(), &std::fclose);
    const bool complete = scratch && searchAll(in, sp, tle, scratch.get(), onEvent, threads, progress);
    if (!scratch) return kAllSatSaveFailed;
    if (!complete) return kAllSatCancelled;
    const bool scratchOk = std::fflush(scratch.get()) == 0 && !std::ferror(scratch.get());
    // The save file's lines are sorted together with the new ones; should that fail, the new
    // lines are still written, unsorted.
    std::error_code noFile;
    const bool keep = in->savenew == 0 && std::filesystem::exists(in->savename, noFile);
    if (!scratchOk || !(SortAos(in, scratch.get(), keep) || appendUnsorted(in, scratch.get()))) return kAllSatSaveFailed;
    in->savenew = 0;
    return kAllSatDone;
}

