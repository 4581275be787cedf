#include "core/savesort.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "astro/timescales.h"
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

// The lines of one search carry its start year; those it found after the year end move to the
// next year. The search started after the widest gap between its starts, taken round the year.
void crossYearEnd(std::vector<DataLine*> lines)
{
    lines.erase(std::remove_if(lines.begin(), lines.end(), [](const DataLine* l) { return l->month == 0; }),
                lines.end());
    if (lines.size() < 2) return;
    std::sort(lines.begin(), lines.end(), [](const DataLine* a, const DataLine* b) { return a->instant() < b->instant(); });
    const double yearLength = mjd(1, 1, lines[0]->year + 1, 0.0) - mjd(1, 1, lines[0]->year, 0.0);
    size_t widest = lines.size() - 1;  // index of the last line before the widest gap
    double gap = lines.front()->instant() + yearLength - lines.back()->instant();
    for (size_t k = 0; k + 1 < lines.size(); ++k) {
        if (lines[k + 1]->instant() - lines[k]->instant() > gap) {
            gap = lines[k + 1]->instant() - lines[k]->instant();
            widest = k;
        }
    }
    if (widest + 1 == lines.size()) return;
    for (size_t k = 0; k <= widest; ++k) ++lines[k]->year;
}

}  // namespace

bool SortAos(const WinpData* in)
{
    std::ifstream save(in->savename, std::ios::binary);
    if (!save) return false;
    std::vector<std::string> header;
    std::vector<DataLine> data;
    int year = in->year, searches = 0;
    std::string text;
    while (std::getline(save, text)) {
        if (!text.empty() && text[0] != '\0' && std::strchr(kHeaderStarts, text[0])) {
            header.push_back(text);
            if (std::sscanf(text.c_str(), " Year: %d", &year) == 1) ++searches;
        } else if (text.size() >= kStartChars) {
            data.push_back(readLine(text, searches, year));
        }
    }
    save.close();
    for (int s = 0; s <= searches; ++s) {
        std::vector<DataLine*> lines;
        for (DataLine& line : data)
            if (line.search == s) lines.push_back(&line);
        crossYearEnd(lines);
    }
    std::stable_sort(data.begin(), data.end(),
                     [](const DataLine& a, const DataLine& b) { return a.instant() < b.instant(); });

    return ReplaceFile(in->savename, [&](std::FILE* f) {
        for (const std::string& h : header) std::fprintf(f, "%s\n", h.c_str());
        for (size_t k = 0; k < data.size(); ++k) {
            if (k % kSortGroup == 0) std::fputs("\n", f);
            std::fprintf(f, "%s\n", data[k].text.c_str());
        }
    });
}
