#include "core/savesort.h"

#include <sys/types.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "astro/timescales.h"
#include "core/linesort.h"
#include "core/safewrite.h"
#include "foundation/textconv.h"
#include "foundation/units.h"

using time_units::kSecondsPerDay;

namespace {
// Save-file data lines between blank lines.
constexpr int kSortGroup = 5;
// Shortest data line: the start date and time "MMM dd  hh:mm:ss".
constexpr size_t kStartChars = 16;
// First characters of the save-file lines that are copied ahead of the sorted pass lines.
constexpr const char* kHeaderStarts = "mGY= ";
// Instant (MJD) given to data lines without a readable start, which go last.
constexpr double kUnreadable = 1e9;
// Bytes of sorted lines written at once.
constexpr size_t kOutputChunk = size_t{1} << 16;
// Most digits of a start field read directly; longer fields go through sscanf.
constexpr size_t kFieldDigits = 9;

// The start date and time that a data line shows (local time); month 0 when it shows none.
struct Start {
    int month = 0, day = 0;
    double hours = 0.0;
};

// Start instant (MJD, local time) of start in year; kUnreadable when it has no month.
double instant(const Start& start, int year)
{
    return start.month > 0 ? mjd(start.day, start.month, year, start.hours) : kUnreadable;
}

// Reads the unsigned number of at most kFieldDigits digits at text[i] into value and moves i
// past it. Returns false when there is none or it is longer.
bool digitsAt(std::string_view text, size_t& i, int& value)
{
    const size_t first = i;
    value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9' && i - first < kFieldDigits; ++i)
        value = 10 * value + (text[i] - '0');
    return i > first && !(i < text.size() && text[i] >= '0' && text[i] <= '9');
}

// Moves i past the blanks at text[i].
void skipBlanks(std::string_view text, size_t& i)
{
    while (i < text.size() && text[i] == ' ') ++i;
}

// Day and time "dd  hh:mm:ss" of the date after the month in text, read directly when it has
// that plain form, else as sscanf's "%d %d:%d:%d" reads it. Returns false when it is unreadable.
bool readDayAndTime(std::string_view text, int& day, int& h, int& m, int& s)
{
    size_t i = 3;
    skipBlanks(text, i);
    if (digitsAt(text, i, day)) {
        skipBlanks(text, i);
        if (digitsAt(text, i, h) && i < text.size() && text[i++] == ':' && digitsAt(text, i, m) &&
            i < text.size() && text[i++] == ':' && digitsAt(text, i, s))
            return true;
    }
    return std::sscanf(std::string(text).c_str() + 3, "%d %d:%d:%d", &day, &h, &m, &s) == 4;
}

// The start that the data line text shows.
Start startOf(std::string_view text)
{
    Start start;
    int h, m, s;
    const int month = MonthNumber(text.data());
    if (month > 0 && readDayAndTime(text, start.day, h, m, s)) {
        start.month = month;
        start.hours = h + m / 60.0 + s / 3600.0;
    }
    return start;
}

// Sort key of an instant (MJD): whole seconds, in which equal and distinct starts stay so.
LineSorter::Key instantKey(double instant) { return std::llround(instant * kSecondsPerDay); }

// Latest start instant (MJD, in the search's own year) of the lines that one search found after
// the year end, from the starts of all its lines in [first, last) (NaN for unreadable ones);
// -infinity when it did not cross a year end. The search started after the widest gap between
// its starts, taken round the year.
double yearEndCutoff(const double* first, const double* last, int year)
{
    std::vector<double> starts;
    std::copy_if(first, last, std::back_inserter(starts), [](double t) { return !std::isnan(t); });
    if (starts.size() < 2) return -kUnreadable;
    const double yearLength = mjd(1, 1, year + 1, 0.0) - mjd(1, 1, year, 0.0);
    // Within a third of a year the gap round the year is the widest: no need to sort.
    const auto [earliest, latest] = std::minmax_element(starts.begin(), starts.end());
    if (*latest - *earliest < yearLength / 3) return -kUnreadable;
    std::sort(starts.begin(), starts.end());
    size_t widest = starts.size() - 1;  // index of the last start before the widest gap
    double gap = starts.front() + yearLength - starts.back();
    for (size_t k = 0; k + 1 < starts.size(); ++k) {
        if (starts[k + 1] - starts[k] > gap) {
            gap = starts[k + 1] - starts[k];
            widest = k;
        }
    }
    return widest + 1 == starts.size() ? -kUnreadable : starts[widest];
}

// Buffer of POSIX getline, freed at the end.
struct LineBuffer {
    char* data = nullptr;
    size_t size = 0;
    ~LineBuffer() { std::free(data); }
};

// Hands each line (without its newline) of the files, read from their starts one after another
// as one text, to onLine. Returns false when one cannot be read.
template <class OnLine>
bool forEachLine(const std::vector<std::FILE*>& files, OnLine onLine)
{
    LineBuffer buffer;
    std::string carried;  // a last line without newline, continued by the next file
    bool ok = true;
    for (std::FILE* f : files) {
        std::rewind(f);
        for (ssize_t n; (n = getline(&buffer.data, &buffer.size, f)) > 0;) {
            std::string_view piece(buffer.data, static_cast<size_t>(n));
            const bool whole = piece.back() == '\n';
            if (whole) piece.remove_suffix(1);
            if (whole && carried.empty()) {
                onLine(piece);
                continue;
            }
            carried.append(piece);
            if (whole) {
                onLine(std::string_view(carried));
                carried.clear();
            }
        }
        ok = ok && !std::ferror(f);
    }
    if (!carried.empty()) onLine(std::string_view(carried));
    return ok;
}

// Reads the save text in files, handing each header line and each data line (with the number
// and year of the search that wrote it) to the callbacks.
template <class Header, class Data>
bool readSave(const std::vector<std::FILE*>& files, int year, Header onHeader, Data onData)
{
    int searches = 0;
    return forEachLine(files, [&](std::string_view text) {
        if (!text.empty() && text[0] != '\0' && std::strchr(kHeaderStarts, text[0])) {
            const std::string header(text);
            if (std::sscanf(header.c_str(), " Year: %d", &year) == 1) ++searches;
            onHeader(header, searches, year);
        } else if (text.size() >= kStartChars) {
            onData(text, searches, year);
        }
    });
}

// Writes line and its newline to f, NUL bytes included.
void writeLine(std::FILE* f, std::string_view line)
{
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
}

// The open files of the text to sort: the save file when keep is set, then added.
using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;
bool openSources(const WinpData* in, std::FILE* added, bool keep, File& save, std::vector<std::FILE*>& files)
{
    if (keep) {
        save.reset(std::fopen(in->savename, "rb"));
        if (!save) return false;
        files.push_back(save.get());
    }
    if (added) files.push_back(added);
    return true;
}

}  // namespace

// Two passes keep memory bounded: the first finds where each search crossed a year end from the
// start instants alone, the second sorts the lines by their full start instant through runs on disk.
bool SortAos(const WinpData* in, std::FILE* added, bool keep)
{
    File save(nullptr, &std::fclose);
    std::vector<std::FILE*> files;
    if (!openSources(in, added, keep, save, files)) return false;

    // The start instant of every data line (NaN when unreadable), in its search's year, and the
    // year and first line of each search.
    std::vector<double> starts;
    std::vector<int> years(1, in->year);
    std::vector<size_t> firsts(1, 0);
    const bool read = readSave(
        files, in->year,
        [&](const std::string&, int search, int year) {
            years.resize(search + 1, year);
            firsts.resize(search + 1, starts.size());
            years[search] = year;
        },
        [&](std::string_view text, int, int year) {
            const Start start = startOf(text);
            starts.push_back(start.month > 0 ? instant(start, year) : std::nan(""));
        });
    if (!read) return false;
    firsts.push_back(starts.size());
    std::vector<double> cutoff;
    for (size_t s = 0; s < years.size(); ++s)
        cutoff.push_back(yearEndCutoff(starts.data() + firsts[s], starts.data() + firsts[s + 1], years[s]));

    std::vector<std::string> header;
    LineSorter data;
    size_t line = 0;
    bool ok = true;
    ok = readSave(
             files, in->year, [&](const std::string& text, int, int) { header.push_back(text); },
             [&](std::string_view text, int search, int year) {
                 // The file read again has the lines read before, unless it changed meanwhile.
                 const bool same = line < starts.size() && static_cast<size_t>(search) < cutoff.size();
                 double t = same ? starts[line++] : instant(startOf(text), year);
                 if (same && t <= cutoff[search]) t = instant(startOf(text), year + 1);
                 if (ok) ok = data.add(instantKey(std::isnan(t) ? kUnreadable : t), text);
             }) &&
         ok;

    Replacement sorted(in->savename);
    std::FILE* f = sorted.file();
    if (!ok || !f) return false;
    for (const std::string& h : header) writeLine(f, h);
    // The sorted lines go out in chunks of kOutputChunk bytes.
    std::string chunk;
    size_t k = 0;
    const bool merged = data.merge([&](std::string_view line) {
        if (k++ % kSortGroup == 0) chunk += '\n';
        chunk.append(line);
        chunk += '\n';
        if (chunk.size() >= kOutputChunk) {
            std::fwrite(chunk.data(), 1, chunk.size(), f);
            chunk.clear();
        }
    });
    std::fwrite(chunk.data(), 1, chunk.size(), f);
    return merged && sorted.commit();
}
