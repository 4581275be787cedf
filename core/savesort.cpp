#include "core/savesort.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "astro/timescales.h"
#include "core/linesort.h"
#include "core/safewrite.h"
#include "foundation/textconv.h"

namespace {
// Save-file data lines between blank lines.
constexpr int kSortGroup = 5;
// Shortest data line: the start date and time "MMM dd  hh:mm:ss".
constexpr size_t kStartChars = 16;
// First characters of the save-file lines that are copied ahead of the sorted pass lines.
constexpr const char* kHeaderStarts = "mGY= ";
// Instant (MJD) given to data lines without a readable start, which go last.
constexpr double kUnreadable = 1e9;

// A data line of the save file with the start it shows (local date and time; month 0 when it
// shows none) and the year of the search that wrote it.
struct DataLine {
    std::string text;
    int search;
    int year, month, day;
    double hours;

    // Start instant (MJD, local time) in the line's year.
    double instant() const { return month > 0 ? mjd(day, month, year, hours) : kUnreadable; }
};

// The data line text of search number search in year, with the start it shows.
DataLine readLine(const std::string& text, int search, int year)
{
    DataLine line{text, search, year, 0, 0, 0.0};
    char name[4];
    int h, m, s;
    for (int month = 1; month <= 12; ++month) {
        GetMonth(month, name);
        if (text.compare(0, 3, name) == 0 &&
            std::sscanf(text.c_str() + 3, "%d %d:%d:%d", &line.day, &h, &m, &s) == 4) {
            line.month = month;
            line.hours = h + m / 60.0 + s / 3600.0;
        }
    }
    return line;
}

// Latest start instant (MJD, in the search's own year) of the lines that one search found after
// the year end, from the starts of all its lines; -infinity when it did not cross a year end. The
// search started after the widest gap between its starts, taken round the year.
double yearEndCutoff(std::vector<double> starts, int year)
{
    if (starts.size() < 2) return -kUnreadable;
    std::sort(starts.begin(), starts.end());
    const double yearLength = mjd(1, 1, year + 1, 0.0) - mjd(1, 1, year, 0.0);
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

// Reads the save file line by line, handing each header line and each data line (with the
// number and year of the search that wrote it) to the callbacks.
template <class Header, class Data>
bool readSave(const char* name, int year, Header onHeader, Data onData)
{
    std::ifstream save(name, std::ios::binary);
    if (!save) return false;
    int searches = 0;
    std::string text;
    while (std::getline(save, text)) {
        if (!text.empty() && text[0] != '\0' && std::strchr(kHeaderStarts, text[0])) {
            if (std::sscanf(text.c_str(), " Year: %d", &year) == 1) ++searches;
            onHeader(text, searches, year);
        } else if (text.size() >= kStartChars) {
            onData(readLine(text, searches, year));
        }
    }
    return true;
}

// Sort key of an instant (MJD): fixed-width text that orders as the numbers do.
std::string instantKey(double instant)
{
    char key[32];
    std::snprintf(key, sizeof key, "%024.9f", instant);
    return key;
}

// Writes line and its newline to f, NUL bytes included.
void writeLine(std::FILE* f, const std::string& line)
{
    std::fwrite(line.data(), 1, line.size(), f);
    std::fputc('\n', f);
}

}  // namespace

// Two passes keep memory bounded: the first finds where each search crossed a year end from the
// start instants alone, the second sorts the lines by their full start instant through runs on disk.
bool SortAos(const WinpData* in)
{
    std::vector<std::vector<double>> starts(1);
    std::vector<int> years(1, in->year);
    const bool read = readSave(
        in->savename, in->year,
        [&](const std::string&, int search, int year) {
            starts.resize(search + 1);
            years.resize(search + 1, year);
            years[search] = year;
        },
        [&](const DataLine& l) {
            if (l.month > 0) starts[l.search].push_back(l.instant());
        });
    if (!read) return false;
    std::vector<double> cutoff;
    for (size_t s = 0; s < starts.size(); ++s) cutoff.push_back(yearEndCutoff(std::move(starts[s]), years[s]));

    std::vector<std::string> header;
    LineSorter data([](const std::string& line) { return line.substr(0, line.find('\t')); });
    bool ok = true;
    readSave(
        in->savename, in->year, [&](const std::string& text, int, int) { header.push_back(text); },
        [&](DataLine l) {
            if (l.month > 0 && l.instant() <= cutoff[l.search]) ++l.year;
            if (ok) ok = data.add(instantKey(l.instant()) + '\t' + l.text);
        });

    return ok && ReplaceFile(in->savename, [&](std::FILE* f) {
        for (const std::string& h : header) writeLine(f, h);
        size_t k = 0;
        ok = data.merge([&](const std::string& keyed) {
            if (k++ % kSortGroup == 0) std::fputs("\n", f);
            writeLine(f, keyed.substr(keyed.find('\t') + 1));
        });
    }) && ok;
}
